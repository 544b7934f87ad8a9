#pragma once

#include "Journal.h"
#include "Liste_Moulins.h"
#include "Ligne_QSO.h"
#include "Sauvegardes.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QTimeZone>
#include <functional>
#include <future>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class Aff_Contacte;
class Annonce_Spot;
class Carte_Acti;
class Fenetre_Aide;
class Spots_DMF;
class Statistiques;
class Apercu_Moulins;
class Moulins_Restants;
class Import_ADIF;
class Restauration;
class Validations;
class Liste_QSO;
class Modele_Liste;
class Recapitulatif;
class Recherche_Indicatif;
class Reglement;
class Poste;
class Station;

// Where the program lives and what time it is: the real ones unless a test
// or a benchmark says otherwise.
struct Environnement {
    QString dossier;
    std::function<QDateTime()> horloge;
    QTimeZone zone;
    int delai_progression_ms = 400; // before a long piece of work shows its progress
    bool manuel_dans_navigateur = false;
    QList<int> attentes_cluster_ms = {5000, 15000, 60000}; // before each new try of a lost connection
    static Environnement Reel();
};

class Main : public QMainWindow {
    Q_OBJECT

public:
    explicit Main(Environnement environnement = Environnement::Reel(), QWidget *parent = nullptr);
    ~Main() override;

    // Shared with the other windows.
    QString Indicatif_Courant;
    QString Annee_Courante;
    bool Mode_Modification = false;
    bool Mode_Insertion = false;
    QString Ligne_Selectionnee;
    const QString Revision_Programme;
    const QString Historique_Revisions;

    QString Chemin_Log() const;
    bool Date_Automatique() const;
    void Charge_Liste();
    void Met_A_Jour_Total();
    void Efface();


protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;
    void showEvent(QShowEvent *evenement) override;

private:
    // After a station is validated: the saved station, its log and its total.
    void Change_Station();
    // The station and the year in the title band.
    void Montre_Station(const QString &indicatif);
    // Selects the main list's line equal to a list line, as a click would.
    void Selectionne_Ligne_Texte(const QString &ligne_liste);

    void Cree_Controles();
    void Nomme_Controles();
    // The entry's mode (new QSO, insertion, modification) told to screen readers.
    void Annonce_Etat_Saisie();
    void Cree_Menus();
    void Form_Load();
    void Timer1_Timer();
    void Mnu_Date_Auto_Oui_Click();
    void Mnu_Date_Auto_Non_Click();
    void Mnu_Quitter_Click();
    void Mnu_Historique_Click();
    void Mnu_Mode_Emploi_Click();
    void Mnu_Apropos_Click();
    void Mnu_New_Indicatif_Click();
    void Mnu_Poste_Click();
    void Mnu_Reglement_Click();
    void Recherche_Click();
    void Mnu_Recap_Click();
    void Mnu_C_Contacte_Click();
    void Mnu_Spots_Click();
    void Mnu_Statistiques_Click();
    void Mnu_Dep_Contacte_Click();
    void Mnu_Enr_Contacte_Click();
    void Mnu_Imp_Contacte_Click();
    void Mnu_Importer_ADIF_Click();
    void Mnu_Exporter_ADIF_Click();
    void Mnu_Restaurer_Click();
    void Mnu_Validations_Click();
    void Mnu_Liste_Moulins_Click();
    void Mnu_Moulins_Restants_Click();
    // The kept list of mills, read in the background from the start: waited
    // for where it is needed first.
    const std::shared_ptr<const Moulins::Liste> &Moulins_Gardes();
    // Once read: what waited for it; until then, looked at again shortly.
    void Moulins_Lus();
    void Liste_Moulins_Gardee(std::shared_ptr<const Moulins::Liste> liste);
    // The mill of a number under the entry; nothing when no list is kept.
    // Unless `attendre`, a list not read yet is not waited for.
    void Montre_Moulin(const QString &dmf, bool attendre);
    // What the list says of each box of the map.
    QStringList Moulins_Par_Departement(const Sous_Programmes::Contenu_Log &contenu);
    // The file the operator picks, read whole; none when cancelled or unreadable (told).
    struct Fichier_Lu {
        QString chemin;
        QByteArray octets;
    };
    std::optional<Fichier_Lu> Lit_Fichier_Choisi(const QString &titre, const QString &filtre);
    // The backup before the log's first change in this run; false when the
    // change must not go on.
    bool Sauvegarde_Avant_Modification();
    // That backup's copy, made in the background while nothing is changed.
    void Prepare_Sauvegarde();
    std::optional<Sous_Programmes::Contenu_Log> Log_Pour_Rapport();
    QString Date_Locale_Courte() const;

    void Date_A_Entree();
    void Ind_A_Entree();
    void Type_A_Entree();
    void DMF_A_Entree();
    void Validation_A_Entree();
    // A spot picked in the spots window: its callsign and mill in the entry.
    void Spot_Choisi(const QString &indicatif, const QString &dmf);
    // The spots window's connection at start, when the operator asked for it.
    void Spots_Au_Demarrage();
    QString Indicatif_Cluster() const;
    // The spots window's button: the station's activation to announce, with
    // the radio's frequency and the entry's mill.
    void Annoncer_Click();

    void Valide_A_Click();
    void Ajout_Saisie_Click();
    void Insere_QSO(const QByteArray &ligne);
    void Annule_Saisie_Click();
    void Liste_DFCF_Click(int ligne);
    void Liste_DFCF_DblClick();
    // The QSO of the selected line; none, after telling which is missing.
    std::optional<Sous_Programmes::Champs_QSO> QSO_Selectionne(const QString &sans_ligne, const QString &sans_qso);
    void Montre_Type(const QString &type);
    void Selectionne_Ligne(int ligne);
    void Prepare_Nouveau_QSO();

    QString Date_Jour() const;
    void Donne_Focus(QWidget *controle);
    bool Signale(const QString &erreur);
    // Why no log can be used yet (first installation, or a station whose
    // name cannot name a file); told to the operator when `dire`.
    bool Station_Refusee(bool dire = true);
    Sous_Programmes::Statut Recharge_Liste();

    Environnement m_env;
    Modele_Liste *m_modele = nullptr;
    QByteArray m_ligne_selectionnee_octets;
    QPointer<QWidget> m_focus_voulu;
    QPointer<Fenetre_Aide> m_aide;
    QPointer<Station> m_station;
    QPointer<Poste> m_poste;
    QPointer<Annonce_Spot> m_annonce;
    QPointer<Recherche_Indicatif> m_recherche;
    QPointer<Reglement> m_reglement;
    QPointer<Recapitulatif> m_recap;
    QPointer<Aff_Contacte> m_contacte;
    QPointer<Carte_Acti> m_carte;
    QPointer<Import_ADIF> m_import;
    QPointer<Restauration> m_restauration;
    QPointer<Validations> m_validations;
    QPointer<Spots_DMF> m_spots;
    QPointer<Statistiques> m_statistiques;
    QPointer<Apercu_Moulins> m_apercu_moulins;
    QPointer<Moulins_Restants> m_moulins_restants;
    std::shared_ptr<const Moulins::Liste> m_moulins;
    QString m_erreur_moulins;
    QString m_moulin_attendu; // shown once the list is read
    std::future<Sous_Programmes::Resultat<Moulins::Liste>> m_lecture_moulins;
    Sauvegardes::Avant_Modification m_avant_modification;
    bool m_rechargement = false;

    QLabel *Nom_Moulin;
    QLabel *Label33, *Label2, *A_Challenge, *I_Station, *Label34, *Label37, *Label_Date;
    QLabel *Label8, *Label3, *Label1, *Label6, *Label23, *Label5, *Label4, *Label25, *Label7, *Label11;
    QGroupBox *Frame7, *Frame1, *Frame2, *Frame3, *L_DFCF;
    QLineEdit *Date_A, *Ind_A, *DMF_A, *Total_Points;
    QComboBox *Type_A;
    Liste_QSO *Liste_DFCF;
    QCheckBox *Validation_A;
    QPushButton *Valide_A, *Efface_A, *Ajout_Saisie, *Annule_Saisie, *Recherche;
    QTimer *Timer1;
    QAction *Mnu_Date_Auto_Oui, *Mnu_Date_Auto_Non;
};

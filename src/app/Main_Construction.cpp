#include "Main.h"

#include "Accessibilite.h"
#include "Carnet.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Dates.h"
#include "Fenetres.h"
#include "Bandeau.h"
#include "Liste_Log.h"
#include "Ligne_Alerte.h"
#include "Veille_Spots.h"
#include "Fenetre_Aide.h"
#include "Message.h"
#include "Reglement.h"
#include "Saisie.h"
#include "Textes_Programme.h"

#include <QApplication>

#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolBar>

using namespace Sous_Programmes;
using Fenetres::Cree;
using Fenetres::Gras;
using Fenetres::Place;

void Main::Cree_Controles()
{
    auto *fond = new QWidget(this);
    fond->setObjectName(QStringLiteral("Fond"));
    fond->setFixedSize(Place(0, 0, 538, 530).size());
    setCentralWidget(fond);
    // Lines under the menus, outside what scrolls on a small screen, shown
    // only while they have something to tell: the alert, then the reminder.
    auto barre = [this](const char *nom) {
        auto *b = new QToolBar(this);
        b->setObjectName(QString::fromLatin1(nom));
        b->setMovable(false);
        b->setFloatable(false);
        b->setContextMenuPolicy(Qt::PreventContextMenu);
        b->toggleViewAction()->setVisible(false);
        addToolBar(Qt::TopToolBarArea, b);
        b->hide();
        return b;
    };
    m_barre_alerte = barre("Barre_Alerte");
    m_alerte = new Ligne_Alerte(m_barre_alerte);
    m_alerte->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_barre_alerte->addWidget(m_alerte);
    addToolBarBreak(Qt::TopToolBarArea);
    m_barre_rappel = barre("Barre_Rappel");
    // The entry's controls keep their places in the window, under the others.
    m_saisie = new Saisie(*m_carnet, *m_moulins, [this] { return Date_Jour(m_env.horloge()); }, fond);
    m_saisie->setGeometry(0, 0, fond->width(), fond->height());
    m_bandeau = new Bandeau(m_env.horloge, m_env.zone, fond);
    m_bandeau->setGeometry(Place(0, 0, 538, 60));
    m_liste = new Liste_Log(*m_carnet, fond);
    m_liste->setGeometry(Place(8, 144, 433, 377));

    auto *Label11 = Cree<QLabel>(fond, "Label11", 448, 152, 81, 17);
    Label11->setText(QStringLiteral("Total Points"));
    Label11->setAlignment(Qt::AlignCenter);
    Total_Points = Cree<QLineEdit>(fond, "Total_Points", 464, 168, 49, 19);
    Total_Points->setReadOnly(true);
    Total_Points->setAlignment(Qt::AlignCenter);
    Gras(Total_Points, 9.75);
    Fenetres::Colore(Total_Points, Controles_Saisie::Jaune_Pale);
    Label11->setBuddy(Total_Points);
    Accessibilite::Nomme(Total_Points, QStringLiteral("Total des points"));
    auto *Recherche = Cree<Bouton_Multiligne>(fond, "Recherche", 448, 440, 81, 33);
    Recherche->setText(QStringLiteral(" Rechercher un QSO"));
    Recherche->setToolTip(QStringLiteral("Permet de rechercherun QSO par son indicatif sa date ou son departement"));
    Recherche->setAutoDefault(true); // Enter presses the button that has the focus
    Accessibilite::Nomme(Recherche, QStringLiteral("Rechercher un QSO"),
                         QStringLiteral("cherche un QSO par son indicatif, son N° DMF ou son département"));
    connect(Recherche, &QPushButton::clicked, this, &Main::Recherche_Click);

    auto de_saisie = [this](const char *nom) { return m_saisie->findChild<QWidget *>(QLatin1String(nom)); };
    const QList<QWidget *> tabulation{de_saisie("Date_A"), de_saisie("Valide_A"), de_saisie("Ind_A"), m_liste->liste(),
                                      de_saisie("Efface_A"), de_saisie("Annule_Saisie"), de_saisie("DMF_A"), de_saisie("Type_A"),
                                      Total_Points, de_saisie("Validation_A"), Recherche, de_saisie("Ajout_Saisie")};
    for (qsizetype i = 1; i < tabulation.size(); ++i)
        setTabOrder(tabulation[i - 1], tabulation[i]);
}

void Main::Cree_Menus()
{
    auto menu = [this](const char *nom, const QString &titre) {
        QMenu *m = menuBar()->addMenu(titre);
        m->setObjectName(QString::fromLatin1(nom));
        return m;
    };
    auto entree = [this](QWidget *dans, const char *nom, const QString &titre, auto action) {
        auto *a = new QAction(titre, this);
        a->setObjectName(QString::fromLatin1(nom));
        dans->addAction(a);
        connect(a, &QAction::triggered, this, action);
        return a;
    };

    // The menus from the keyboard, their captions unchanged: F10 opens the first.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });

    QMenu *fichier = menu("Mnu_Fichier", QStringLiteral("Fichier"));
    QAction *annuler = entree(fichier, "Mnu_Annuler_Modification", QStringLiteral("Annuler la dernière modification"),
                              &Main::Mnu_Annuler_Modification_Click);
    annuler->setShortcut(QKeySequence::Undo);
    annuler->setEnabled(false);
    connect(m_carnet, &Carnet::change, annuler, [this, annuler] { annuler->setEnabled(m_carnet->derniere_modification().has_value()); });
    fichier->addSeparator();
    entree(fichier, "Mnu_Importer_ADIF", QStringLiteral("Importer des QSO (ADIF)..."), &Main::Mnu_Importer_ADIF_Click);
    entree(fichier, "Mnu_Feuille_Activite", QStringLiteral("Feuille d'activité (ADIF)..."), &Main::Mnu_Feuille_Activite_Click);
    entree(fichier, "Mnu_Exporter_ADIF", QStringLiteral("Exporter le log (ADIF)..."), &Main::Mnu_Exporter_ADIF_Click);
    entree(fichier, "Mnu_Validations", QStringLiteral("Mettre à jour les validations..."), &Main::Mnu_Validations_Click);
    entree(fichier, "Mnu_Liste_Moulins", QStringLiteral("Charger la liste des moulins..."), &Main::Mnu_Liste_Moulins_Click);
    entree(fichier, "Mnu_Restaurer", QStringLiteral("Restaurer une sauvegarde..."), &Main::Mnu_Restaurer_Click);
    entree(fichier, "Mnu_Dossier_Logs", QStringLiteral("Ouvrir le dossier des logs"), &Main::Mnu_Dossier_Logs_Click);
    fichier->addSeparator();
    entree(fichier, "Mnu_Quitter", QStringLiteral("Quitter KOB_Dezudidar_ERI"), [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *date = menu("Mnu_Date", QStringLiteral("Date"));
    QMenu *automatique = date->addMenu(QStringLiteral("Date_ Automatique"));
    automatique->setObjectName(QStringLiteral("Mnu_DateAuto"));
    Mnu_Date_Auto_Oui = entree(automatique, "Mnu_Date_Auto_Oui", QStringLiteral("Oui"), [this] { Mnu_Date_Auto_Click(true); });
    Mnu_Date_Auto_Non = entree(automatique, "Mnu_Date_Auto_Non", QStringLiteral("Non"), [this] { Mnu_Date_Auto_Click(false); });
    auto *groupe = new QActionGroup(this);
    for (QAction *a : {Mnu_Date_Auto_Oui, Mnu_Date_Auto_Non}) {
        a->setCheckable(true);
        groupe->addAction(a);
    }

    QMenu *station = menu("Mnu_Station", QStringLiteral("Station"));
    entree(station, "Mnu_New_Indicatif", QStringLiteral("Nouvel Indicatif"), &Main::Mnu_New_Indicatif_Click);
    entree(station, "Mnu_Poste", QStringLiteral("Poste de radio..."), &Main::Mnu_Poste_Click);
    entree(menu("Mnu_Imprimer", QStringLiteral("Imprimer")), "Mnu_Imp_Contacte", QStringLiteral("les DMF contactés"),
           &Main::Mnu_Imp_Contacte_Click);
    entree(menu("Mnu_Enregistre", QStringLiteral("Enregistrer")), "Mnu_Enr_Contacte", QStringLiteral("les DMF contactés"),
           &Main::Mnu_Enr_Contacte_Click);
    QMenu *afficher = menu("Mnu_Affichage", QStringLiteral("Afficher"));
    entree(afficher, "Mnu_C_Contacte", QStringLiteral("les DMF contactes"), &Main::Mnu_C_Contacte_Click);
    entree(afficher, "Mnu_Spots", QStringLiteral("les spots de moulins (cluster)..."), &Main::Mnu_Spots_Click);
    entree(afficher, "Mnu_Alertes", QStringLiteral("Alertes..."), &Main::Mnu_Alertes_Click);
    // The connection outlives the spots window: it ends here or by its button.
    QAction *deconnecter = entree(afficher, "Mnu_Deconnecter_Cluster", QStringLiteral("Se déconnecter du cluster"),
                                  [this] { m_veille->client().deconnecte(); });
    deconnecter->setEnabled(false);
    connect(&m_veille->client(), &Cluster::Client::actif_change, deconnecter, &QAction::setEnabled);
    entree(afficher, "Mnu_Statistiques", QStringLiteral("les statistiques..."), &Main::Mnu_Statistiques_Click);
    entree(afficher, "Mnu_Moulins_Restants", QStringLiteral("les moulins restants..."), &Main::Mnu_Moulins_Restants_Click);
    entree(afficher, "Mnu_Carte_Moulins", QStringLiteral("la carte des moulins..."), &Main::Mnu_Carte_Moulins_Click);
    QMenu *recapitulatif = menu("Mnu_Recapitulatif", QStringLiteral("Récapitulatif"));
    entree(recapitulatif, "Mnu_Recap", QStringLiteral("Feuille récapitulative"), &Main::Mnu_Recap_Click);
    entree(recapitulatif, "Mnu_Compte_Rendu", QStringLiteral("Compte rendu du challenge..."), &Main::Mnu_Compte_Rendu_Click);
    entree(menu("Mnu_Carte", QStringLiteral("Carte")), "Mnu_Dep_Contacte", QStringLiteral("des départements contactés"),
           &Main::Mnu_Dep_Contacte_Click);
    entree(menuBar(), "Mnu_Reglement", QStringLiteral("Reglement"), [this] { Fenetres::Ouvre(m_reglement); });
    QMenu *aide = menu("Mnu_aide", QStringLiteral("Aide"));
    entree(aide, "Mnu_Historique", QStringLiteral("Historique"), [this] { Message::Information(this, Textes::Historique_Revisions()); });
    entree(aide, "Mnu_Mode_Emploi", QStringLiteral("Mode d'emploi"), [this] {
        if (const auto refus = Fenetre_Aide::Ouvre_Manuel(m_aide, m_env.dossier, m_env.manuel_dans_navigateur))
            Signale(*refus);
    })->setShortcut(QKeySequence::HelpContents);
    entree(aide, "Mnu_Apropos", QStringLiteral("A propos"), [this] { Message::Information(this, Textes::A_Propos()); });
}


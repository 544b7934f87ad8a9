#include "Main.h"

#include "Accessibilite.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Dates.h"
#include "Liste_Courante.h"
#include "Carnet.h"
#include "Fenetres.h"
#include "Modele_Liste.h"
#include "Saisie.h"

#include <QActionGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

using namespace Sous_Programmes;
using Fenetres::Cree;
using Fenetres::Gras;
using Fenetres::Place;

namespace {

const QString Texte_Liste = QStringLiteral("Un click sur un QSO pour l'afficher ou l'effacer, un double click pour l'éditer");

QLabel *Etiquette(QWidget *parent, const char *nom, int x, int y, int largeur, int hauteur, const QString &texte)
{
    auto *l = Cree<QLabel>(parent, nom, x, y, largeur, hauteur);
    l->setText(texte);
    return l;
}

} // namespace

void Main::Cree_Controles()
{
    auto *fond = new QWidget(this);
    fond->setObjectName(QStringLiteral("Fond"));
    fond->setFixedSize(Place(0, 0, 538, 530).size());
    setCentralWidget(fond);
    // The entry's controls keep their places in the window, under the others.
    m_saisie = new Saisie(*m_carnet, *m_moulins, [this] { return Date_Jour(m_env.horloge()); }, fond);
    m_saisie->setGeometry(0, 0, fond->width(), fond->height());

    auto *Line1 = Cree<QFrame>(fond, "Line1", 0, 0, 736, 1);
    Line1->setFrameShape(QFrame::HLine);

    auto *Frame7 = Cree<QGroupBox>(fond, "Frame7", 8, 8, 89, 49);
    Label33 = Etiquette(Frame7, "Label33", 8, 16, 73, 25, {});
    auto *Frame1 = Cree<QGroupBox>(fond, "Frame1", 96, 8, 337, 49);
    auto *Label2 = Etiquette(Frame1, "Label2", 8, 16, 177, 25, QStringLiteral("DEZUDIDAR ERI"));
    A_Challenge = Etiquette(Frame1, "A_Challenge", 176, 16, 49, 25, {});
    I_Station = Etiquette(Frame1, "I_Station", 216, 16, 105, 25, {});
    I_Station->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette rouge = I_Station->palette();
    rouge.setColor(QPalette::WindowText, Qt::red);
    I_Station->setPalette(rouge);
    auto *Frame2 = Cree<QGroupBox>(fond, "Frame2", 440, 8, 97, 49);
    Label34 = Etiquette(Frame2, "Label34", 8, 8, 81, 25, {});
    Label37 = Etiquette(Frame2, "Label37", 8, 24, 81, 17, {});
    for (QLabel *l : {Label33, Label2, A_Challenge, I_Station, Label34, Label37})
        Gras(l, 12);
    for (QLabel *l : {Label34, Label37})
        Gras(l, 10);

    auto *L_DFCF = Cree<QGroupBox>(fond, "L_DFCF", 8, 144, 433, 377);
    L_DFCF->setTitle(Texte_Liste);
    QFont arial = L_DFCF->font();
    arial.setPointSizeF(8.25);
    L_DFCF->setFont(arial);
    Liste_DFCF = Cree<Liste_QSO>(fond, "Liste_DFCF", 24, 176, 401, 316);
    Liste_DFCF->setFont(Fenetres::Police_Liste());
    Liste_DFCF->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste_DFCF->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_DFCF->setToolTip(Texte_Liste);
    m_modele = new Modele_Liste(this);
    Liste_DFCF->setModel(m_modele);
    // Headings stand over the columns of the list, whatever the font's width.
    const qreal colonne = QFontMetricsF(Liste_DFCF->font()).horizontalAdvance(QLatin1Char('0'));
    const int origine = Liste_DFCF->x() - L_DFCF->x() + Liste_DFCF->frameWidth() + 3;
    auto titre = [&](const char *nom, int col, const QString &texte) {
        auto *l = Etiquette(L_DFCF, nom, 0, 16, 120, 17, texte);
        l->move(origine + qRound(colonne * (col - 1)), l->y());
        l->adjustSize();
    };
    titre("Label6", 1, QStringLiteral("N°"));
    titre("Label23", 9, QStringLiteral("Date"));
    titre("Label5", 19, QStringLiteral("DMF"));
    titre("Label4", 26, QStringLiteral("Type Activité"));
    titre("Label25", 50, QStringLiteral("Indicatif"));
    auto *Label7 = Etiquette(L_DFCF, "Label7", 96, 352, 265, 17, QStringLiteral("( * ) Points = 0 en attente de validation du Moulin"));
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setGeometry(Place(16, 352, 401, 17));

    auto *Label11 = Etiquette(fond, "Label11", 448, 152, 81, 17, QStringLiteral("Total Points"));
    Label11->setAlignment(Qt::AlignCenter);
    Total_Points = Cree<QLineEdit>(fond, "Total_Points", 464, 168, 49, 19);
    Total_Points->setReadOnly(true);
    Total_Points->setAlignment(Qt::AlignCenter);
    Gras(Total_Points, 9.75);
    auto *Recherche = Cree<Bouton_Multiligne>(fond, "Recherche", 448, 440, 81, 33);
    Recherche->setText(QStringLiteral(" Rechercher un QSO"));
    Recherche->setToolTip(QStringLiteral("Permet de rechercherun QSO par son indicatif sa date ou son departement"));
    Recherche->setAutoDefault(true); // Enter presses the button that has the focus
    for (QWidget *w : {static_cast<QWidget *>(Liste_DFCF), static_cast<QWidget *>(Total_Points)})
        Fenetres::Colore(w, Controles_Saisie::Jaune_Pale);

    auto de_saisie = [this](const char *nom) { return m_saisie->findChild<QWidget *>(QLatin1String(nom)); };
    const QList<QWidget *> tabulation{de_saisie("Date_A"), de_saisie("Valide_A"), de_saisie("Ind_A"), Liste_DFCF,
                                      de_saisie("Efface_A"), de_saisie("Annule_Saisie"), de_saisie("DMF_A"), de_saisie("Type_A"),
                                      Total_Points, de_saisie("Validation_A"), Recherche, de_saisie("Ajout_Saisie")};
    for (qsizetype i = 1; i < tabulation.size(); ++i)
        setTabOrder(tabulation[i - 1], tabulation[i]);

    connect(Recherche, &QPushButton::clicked, this, &Main::Recherche_Click);
    connect(Liste_DFCF->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &i) {
        if (!m_rechargement && i.isValid())
            Liste_DFCF_Click(i.row());
    });
    connect(Liste_DFCF, &Liste_QSO::ligne_reselectionnee, this, [this](const QModelIndex &i) { Liste_DFCF_Click(i.row()); });
    connect(Liste_DFCF, &QAbstractItemView::doubleClicked, m_saisie, &Saisie::edite_ligne);

    using Accessibilite::Nomme;
    Label11->setBuddy(Total_Points);
    Nomme(Total_Points, QStringLiteral("Total des points"));
    Nomme(Liste_DFCF, QStringLiteral("Liste des QSO"),
          QStringLiteral("chaque ligne : numéro, date, astérisque si en attente de validation, N° DMF, type d'activité, "
                         "indicatif ; Entrée ou un clic affiche le QSO, un double clic le modifie"));
    Nomme(Recherche, QStringLiteral("Rechercher un QSO"),
          QStringLiteral("cherche un QSO par son indicatif, son N° DMF ou son département"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Main::Timer1_Timer);
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
    entree(fichier, "Mnu_Importer_ADIF", QStringLiteral("Importer des QSO (ADIF)..."), &Main::Mnu_Importer_ADIF_Click);
    entree(fichier, "Mnu_Exporter_ADIF", QStringLiteral("Exporter le log (ADIF)..."), &Main::Mnu_Exporter_ADIF_Click);
    entree(fichier, "Mnu_Validations", QStringLiteral("Mettre à jour les validations..."), &Main::Mnu_Validations_Click);
    entree(fichier, "Mnu_Liste_Moulins", QStringLiteral("Charger la liste des moulins..."), &Main::Mnu_Liste_Moulins_Click);
    entree(fichier, "Mnu_Restaurer", QStringLiteral("Restaurer une sauvegarde..."), &Main::Mnu_Restaurer_Click);
    fichier->addSeparator();
    entree(fichier, "Mnu_Quitter", QStringLiteral("Quitter KOB_Dezudidar_ERI"), &Main::Mnu_Quitter_Click)
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
    entree(afficher, "Mnu_Statistiques", QStringLiteral("les statistiques..."), &Main::Mnu_Statistiques_Click);
    entree(afficher, "Mnu_Moulins_Restants", QStringLiteral("les moulins restants..."), &Main::Mnu_Moulins_Restants_Click);
    entree(menuBar(), "Mnu_Recap", QStringLiteral("Récapitulatif"), &Main::Mnu_Recap_Click);
    entree(menu("Mnu_Carte", QStringLiteral("Carte")), "Mnu_Dep_Contacte", QStringLiteral("des départements contactés"),
           &Main::Mnu_Dep_Contacte_Click);
    entree(menuBar(), "Mnu_Reglement", QStringLiteral("Reglement"), &Main::Mnu_Reglement_Click);
    QMenu *aide = menu("Mnu_aide", QStringLiteral("Aide"));
    entree(aide, "Mnu_Historique", QStringLiteral("Historique"), &Main::Mnu_Historique_Click);
    entree(aide, "Mnu_Mode_Emploi", QStringLiteral("Mode d'emploi"), &Main::Mnu_Mode_Emploi_Click)->setShortcut(QKeySequence::HelpContents);
    entree(aide, "Mnu_Apropos", QStringLiteral("A propos"), &Main::Mnu_Apropos_Click);
}


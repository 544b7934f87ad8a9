#include "Main.h"

#include "Accessibilite.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Main_Outils.h"
#include "Modele_Liste.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>

using namespace Sous_Programmes;
using namespace Main_Outils;
using Controles_Saisie::Jaune_Pale;
using Controles_Saisie::Vert_Pale;

namespace {

const QString Texte_Liste = QStringLiteral("Un click sur un QSO pour l'afficher ou l'effacer, un double click pour l'éditer");

void Gras(QWidget *w, qreal points)
{
    QFont f = w->font();
    f.setBold(true);
    f.setPointSizeF(points);
    w->setFont(f);
}

using Fenetres::Place;

template <typename T>
T *Cree(QWidget *parent, const char *nom, int x, int y, int largeur, int hauteur)
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(nom));
    w->setGeometry(Place(x, y, largeur, hauteur));
    return w;
}

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

    auto *Line1 = Cree<QFrame>(fond, "Line1", 0, 0, 736, 1);
    Line1->setFrameShape(QFrame::HLine);

    Frame7 = Cree<QGroupBox>(fond, "Frame7", 8, 8, 89, 49);
    Label33 = Etiquette(Frame7, "Label33", 8, 16, 73, 25, {});
    Frame1 = Cree<QGroupBox>(fond, "Frame1", 96, 8, 337, 49);
    Label2 = Etiquette(Frame1, "Label2", 8, 16, 177, 25, QStringLiteral("DEZUDIDAR ERI"));
    A_Challenge = Etiquette(Frame1, "A_Challenge", 176, 16, 49, 25, {});
    I_Station = Etiquette(Frame1, "I_Station", 216, 16, 105, 25, {});
    I_Station->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette rouge = I_Station->palette();
    rouge.setColor(QPalette::WindowText, Qt::red);
    I_Station->setPalette(rouge);
    Frame2 = Cree<QGroupBox>(fond, "Frame2", 440, 8, 97, 49);
    Label34 = Etiquette(Frame2, "Label34", 8, 8, 81, 25, {});
    Label37 = Etiquette(Frame2, "Label37", 8, 24, 81, 17, {});
    for (QLabel *l : {Label33, Label2, A_Challenge, I_Station, Label34, Label37})
        Gras(l, 12);
    for (QLabel *l : {Label34, Label37})
        Gras(l, 10);

    Frame3 = Cree<QGroupBox>(fond, "Frame3", 8, 64, 521, 73);
    Frame3->setTitle(Titre_Saisie());
    Label_Date = Etiquette(Frame3, "Label_Date", 8, 16, 89, 17, {});
    Date_A = Cree<QLineEdit>(Frame3, "Date_A", 8, 32, 89, 23);
    Label8 = Etiquette(Frame3, "Label8", 112, 16, 113, 17, QStringLiteral("Indicatif"));
    Label3 = Etiquette(Frame3, "Label3", 240, 16, 177, 17, QStringLiteral("Type Activité"));
    Label1 = Etiquette(Frame3, "Label1", 440, 16, 65, 17, QStringLiteral("N° DMF"));
    // The mill of the number typed, from the organisers' list.
    Nom_Moulin = Etiquette(Frame3, "Nom_Moulin", 8, 57, 505, 15, {});
    Ind_A = Cree<QLineEdit>(fond, "Ind_A", 112, 96, 129, 24);
    Type_A = Cree<QComboBox>(fond, "Type_A", 248, 96, 193, 24);
    Type_A->setEditable(true);
    Type_A->setInsertPolicy(QComboBox::NoInsert);
    Type_A->setCompleter(nullptr);
    Type_A->setToolTip(QStringLiteral("\"A\" : Activation  \"R\": Réactivation"));
    DMF_A = Cree<QLineEdit>(fond, "DMF_A", 448, 96, 65, 25);
    for (QWidget *w : {static_cast<QWidget *>(Date_A), static_cast<QWidget *>(Ind_A), static_cast<QWidget *>(DMF_A)})
        Gras(w, 12);
    Gras(Type_A, 9.75);

    L_DFCF = Cree<QGroupBox>(fond, "L_DFCF", 8, 144, 433, 377);
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
        return l;
    };
    Label6 = titre("Label6", 1, QStringLiteral("N°"));
    Label23 = titre("Label23", 9, QStringLiteral("Date"));
    Label5 = titre("Label5", 19, QStringLiteral("DMF"));
    Label4 = titre("Label4", 26, QStringLiteral("Type Activité"));
    Label25 = titre("Label25", 50, QStringLiteral("Indicatif"));
    Label7 = Etiquette(L_DFCF, "Label7", 96, 352, 265, 17, QStringLiteral("( * ) Points = 0 en attente de validation du Moulin"));
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setGeometry(Place(16, 352, 401, 17));

    Label11 = Etiquette(fond, "Label11", 448, 152, 81, 17, QStringLiteral("Total Points"));
    Label11->setAlignment(Qt::AlignCenter);
    Total_Points = Cree<QLineEdit>(fond, "Total_Points", 464, 168, 49, 19);
    Total_Points->setReadOnly(true);
    Total_Points->setAlignment(Qt::AlignCenter);
    Gras(Total_Points, 9.75);
    Validation_A = Cree<Case_Multiligne>(fond, "Validation_A", 456, 200, 73, 41);
    Validation_A->setText(QStringLiteral("Cocher si en attente validation"));
    auto bouton = [&](const char *nom, int y, const QString &texte, const QString &bulle) {
        auto *b = Cree<Bouton_Multiligne>(fond, nom, 448, y, 81, 33);
        b->setText(texte);
        b->setToolTip(bulle);
        b->setAutoDefault(true); // Enter presses the button that has the focus
        return b;
    };
    Valide_A = bouton("Valide_A", 248, QStringLiteral(" Valider saisie    en cours"), QStringLiteral("Enregistre les données en cours"));
    Efface_A = bouton("Efface_A", 296, QStringLiteral("Annuler saisie    en cours"), QStringLiteral("Efface les donnés en cours"));
    Ajout_Saisie = bouton("Ajout_Saisie", 344, QStringLiteral("Inserer  un QSO"), {});
    Annule_Saisie = bouton("Annule_Saisie", 392, QStringLiteral("Supprimer un QSO"), QStringLiteral("Permet d'annuler la saisie d'un DFCF"));
    Recherche = bouton("Recherche", 440, QStringLiteral(" Rechercher un QSO"),
                       QStringLiteral("Permet de rechercherun QSO par son indicatif sa date ou son departement"));

    for (QWidget *w : {static_cast<QWidget *>(Date_A), static_cast<QWidget *>(Ind_A), static_cast<QWidget *>(Type_A),
                       static_cast<QWidget *>(DMF_A), static_cast<QWidget *>(Liste_DFCF), static_cast<QWidget *>(Total_Points)})
        Colore(w, Jaune_Pale);
    Ind_A->setEnabled(false);
    Type_A->setEnabled(false);
    DMF_A->setEnabled(false);
    Validation_A->setEnabled(false);
    Valide_A->setEnabled(false);
    Annule_Saisie->setEnabled(false);

    const QList<QWidget *> tabulation{Date_A, Valide_A, Ind_A, Liste_DFCF, Efface_A, Annule_Saisie, DMF_A,
                                      Type_A, Total_Points, Validation_A, Recherche, Ajout_Saisie};
    for (qsizetype i = 1; i < tabulation.size(); ++i)
        setTabOrder(tabulation[i - 1], tabulation[i]);

    for (QObject *o : {static_cast<QObject *>(Date_A), static_cast<QObject *>(Ind_A), static_cast<QObject *>(Type_A),
                       static_cast<QObject *>(DMF_A), static_cast<QObject *>(Validation_A)})
        o->installEventFilter(this);

    connect(Valide_A, &QPushButton::clicked, this, &Main::Valide_A_Click);
    connect(Efface_A, &QPushButton::clicked, this, &Main::Efface);
    connect(Ajout_Saisie, &QPushButton::clicked, this, &Main::Ajout_Saisie_Click);
    connect(Annule_Saisie, &QPushButton::clicked, this, &Main::Annule_Saisie_Click);
    connect(Recherche, &QPushButton::clicked, this, &Main::Recherche_Click);
    connect(Liste_DFCF->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &i) {
        if (!m_rechargement && i.isValid())
            Liste_DFCF_Click(i.row());
    });
    connect(Liste_DFCF, &Liste_QSO::ligne_reselectionnee, this, [this](const QModelIndex &i) { Liste_DFCF_Click(i.row()); });
    connect(Liste_DFCF, &QAbstractItemView::doubleClicked, this, &Main::Liste_DFCF_DblClick);

    Nomme_Controles();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Main::Timer1_Timer);
}

void Main::Nomme_Controles()
{
    using Accessibilite::Etiquette_De;
    using Accessibilite::Nomme;
    Nomme(Date_A, QStringLiteral("Date du QSO"), QStringLiteral("jour, mois et année sur deux chiffres : jj/mm/aa"));
    Etiquette_De(Label8, Ind_A);
    Etiquette_De(Label3, Type_A);
    Nomme(Type_A, QStringLiteral("Type d'activité"), QStringLiteral("A pour une activation, R pour une réactivation"));
    Nomme(Type_A->lineEdit(), QStringLiteral("Type d'activité tapé"));
    Etiquette_De(Label1, DMF_A);
    Nomme(DMF_A, QStringLiteral("N° DMF"), QStringLiteral("cinq chiffres, ou 2A et 2B pour la Corse"));
    Label11->setBuddy(Total_Points);
    Nomme(Total_Points, QStringLiteral("Total des points"));
    Nomme(Validation_A, QStringLiteral("Cocher si en attente de validation"),
          QStringLiteral("le QSO compte zéro point tant que le moulin n'est pas validé"));
    Nomme(Liste_DFCF, QStringLiteral("Liste des QSO"),
          QStringLiteral("chaque ligne : numéro, date, astérisque si en attente de validation, N° DMF, type d'activité, "
                         "indicatif ; Entrée ou un clic affiche le QSO, un double clic le modifie"));
    Nomme(Valide_A, QStringLiteral("Valider la saisie en cours"), Valide_A->toolTip());
    Nomme(Efface_A, QStringLiteral("Annuler la saisie en cours"), QStringLiteral("efface les champs de la saisie"));
    Nomme(Ajout_Saisie, QStringLiteral("Insérer un QSO"), QStringLiteral("insère un QSO à sa date parmi ceux du log"));
    Nomme(Annule_Saisie, QStringLiteral("Supprimer un QSO"), QStringLiteral("supprime du log le QSO choisi dans la liste"));
    Nomme(Recherche, QStringLiteral("Rechercher un QSO"),
          QStringLiteral("cherche un QSO par son indicatif, son N° DMF ou son département"));
    Annonce_Etat_Saisie();
}

void Main::Annonce_Etat_Saisie()
{
    // Said when it changes, as the description of the entry's frame.
    const QString etat = Mode_Insertion       ? QStringLiteral("Mode insertion : le QSO sera inséré à sa date")
                         : Mode_Modification ? QStringLiteral("Mode modification du QSO choisi")
                                             : QStringLiteral("Saisie d'un nouveau QSO");
    if (Frame3->accessibleDescription() != etat)
        Frame3->setAccessibleDescription(etat);
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
    Mnu_Date_Auto_Oui = entree(automatique, "Mnu_Date_Auto_Oui", QStringLiteral("Oui"), &Main::Mnu_Date_Auto_Oui_Click);
    Mnu_Date_Auto_Non = entree(automatique, "Mnu_Date_Auto_Non", QStringLiteral("Non"), &Main::Mnu_Date_Auto_Non_Click);
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


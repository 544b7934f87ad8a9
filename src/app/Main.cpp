#include "Main.h"

#include "Controles.h"
#include "Controles_Saisie.h"
#include "Dates.h"
#include "Fenetre_Aide.h"
#include "Journal.h"
#include "Message.h"
#include "Modele_Liste.h"
#include "Points.h"
#include "Reglages.h"
#include "Texte.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

using namespace Sous_Programmes;
using Controles_Saisie::Jaune_Pale;
using Controles_Saisie::Vert_Pale;

namespace {

const QString Texte_Liste = QStringLiteral("Un click sur un QSO pour l'afficher ou l'effacer, un double click pour l'éditer");
const QString Titre_Saisie = QStringLiteral("Saisie ou modification d'un QSO");

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

void Colore(QWidget *w, QRgb couleur)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, QColor(couleur));
    w->setPalette(p);
}

void Gras(QWidget *w, qreal points)
{
    QFont f = w->font();
    f.setBold(true);
    f.setPointSizeF(points);
    w->setFont(f);
}

// Places and sizes are those of the original design, all enlarged alike so
// that today's fonts fit: the proportions stay.
constexpr double Echelle = 1.25;

QRect Place(int x, int y, int largeur, int hauteur)
{
    return QRect(qRound(x * Echelle), qRound(y * Echelle), qRound(largeur * Echelle), qRound(hauteur * Echelle));
}

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

// The list's font: fixed pitch, so that the columns stand under their headings.
QFont Police_Liste()
{
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    if (!QFontInfo(f).fixedPitch())
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(13);
    f.setBold(true);
    return f;
}

bool Sans_QSO(const QString &ligne_liste, qsizetype debut)
{
    return ligne_liste.mid(debut + 16, 8) == QString(8, QLatin1Char(' '));
}

// Where the stored line starts in a list line: after the number and three blanks.
qsizetype Prefixe(const QString &ligne_liste)
{
    qsizetype i = 0;
    while (i < 5 && i < ligne_liste.size() && ligne_liste.at(i) == u' ')
        ++i;
    while (i < ligne_liste.size() && ligne_liste.at(i).isDigit())
        ++i;
    return qMax<qsizetype>(i + 3, Largeur_Prefixe_Liste);
}

} // namespace

Environnement Environnement::Reel()
{
    return {Dossier_Programme(), [] { return QDateTime::currentDateTimeUtc(); }, QTimeZone::systemTimeZone()};
}

Main::Main(Environnement environnement, QWidget *parent)
    : QMainWindow(parent), Revision_Programme(QString::fromLatin1(Sous_Programmes::Revision_Programme)),
      Historique_Revisions(Historique()), m_env(std::move(environnement))
{
    setObjectName(QStringLiteral("Main"));
    Cree_Controles();
    Cree_Menus();
    Form_Load();
}

Main::~Main() = default;

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
    Frame3->setTitle(Titre_Saisie);
    Label_Date = Etiquette(Frame3, "Label_Date", 8, 16, 89, 17, {});
    Date_A = Cree<QLineEdit>(Frame3, "Date_A", 8, 32, 89, 23);
    Label8 = Etiquette(Frame3, "Label8", 112, 16, 113, 17, QStringLiteral("Indicatif"));
    Label3 = Etiquette(Frame3, "Label3", 240, 16, 177, 17, QStringLiteral("Type Activité"));
    Label1 = Etiquette(Frame3, "Label1", 440, 16, 65, 17, QStringLiteral("N° DMF"));
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
    Liste_DFCF->setFont(Police_Liste());
    Liste_DFCF->setUniformItemSizes(true);
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
    connect(Recherche, &QPushButton::clicked, this, &Main::A_Venir);
    connect(Liste_DFCF->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &i) {
        if (!m_rechargement && i.isValid())
            Liste_DFCF_Click(i.row());
    });
    connect(Liste_DFCF, &Liste_QSO::ligne_reselectionnee, this, [this](const QModelIndex &i) { Liste_DFCF_Click(i.row()); });
    connect(Liste_DFCF, &QAbstractItemView::doubleClicked, this, &Main::Liste_DFCF_DblClick);

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

    QMenu *fichier = menu("Mnu_Fichier", QStringLiteral("Fichier"));
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

    entree(menu("Mnu_Station", QStringLiteral("Station")), "Mnu_New_Indicatif", QStringLiteral("Nouvel Indicatif"), &Main::A_Venir);
    entree(menu("Mnu_Imprimer", QStringLiteral("Imprimer")), "Mnu_Imp_Contacte", QStringLiteral("les DMF contactés"), &Main::A_Venir);
    entree(menu("Mnu_Enregistre", QStringLiteral("Enregistrer")), "Mnu_Enr_Contacte", QStringLiteral("les DMF contactés"), &Main::A_Venir);
    entree(menu("Mnu_Affichage", QStringLiteral("Afficher")), "Mnu_C_Contacte", QStringLiteral("les DMF contactes"), &Main::A_Venir);
    entree(menuBar(), "Mnu_Recap", QStringLiteral("Récapitulatif"), &Main::A_Venir);
    entree(menu("Mnu_Carte", QStringLiteral("Carte")), "Mnu_Dep_Contacte", QStringLiteral("des départements contactés"), &Main::A_Venir);
    entree(menuBar(), "Mnu_Reglement", QStringLiteral("Reglement"), &Main::A_Venir);
    QMenu *aide = menu("Mnu_aide", QStringLiteral("Aide"));
    entree(aide, "Mnu_Historique", QStringLiteral("Historique"), &Main::Mnu_Historique_Click);
    entree(aide, "Mnu_Mode_Emploi", QStringLiteral("Mode d'emploi"), &Main::Mnu_Mode_Emploi_Click)->setShortcut(QKeySequence::HelpContents);
    entree(aide, "Mnu_Apropos", QStringLiteral("A propos"), &Main::Mnu_Apropos_Click);
}

void Main::Form_Load()
{
    setFixedSize(sizeHint());
    if (const QScreen *ecran = QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->geometry();
        move((zone.width() - frameGeometry().width()) / 2, (zone.height() - frameGeometry().height()) / 2);
    }
    Type_A->addItems(Textes_Types_Activite());

    const Etat_Demarrage etat = Charge_Reglages(m_env.dossier);
    Indicatif_Courant = etat.indicatif;
    I_Station->setText(Indicatif_Courant);
    Annee_Courante = etat.annee;
    A_Challenge->setText(Annee_Courante);
    Type_A->setCurrentIndex(etat.type_activite);
    Mnu_Date_Auto_Oui->setChecked(etat.date_automatique);
    Mnu_Date_Auto_Non->setChecked(!etat.date_automatique);
    Label_Date->setText(etat.date_automatique ? QStringLiteral("Date automatique") : QStringLiteral("Date manuelle"));

    if (Premiere_Installation(Indicatif_Courant))
        Message::Information(this, Message_Premiere_Installation());
    Mode_Modification = false;
    if (!Premiere_Installation(Indicatif_Courant)) {
        Met_A_Jour_Total();
        Charge_Liste();
    }
    if (Date_Automatique()) {
        Date_A->setText(Date_Jour());
        Ind_A->setEnabled(true);
        Colore(Ind_A, Vert_Pale);
        Donne_Focus(Ind_A);
    } else {
        Date_A->setEnabled(true);
        Date_A->clear();
        Colore(Date_A, Vert_Pale);
        Donne_Focus(Date_A);
    }
    setWindowTitle(QStringLiteral("  KOB_Dezudidar_ERI    Revision ") + Revision_Programme);
    Annule_Saisie->setEnabled(false);
    Efface();
    Mode_Modification = false;

    Timer1_Timer();
    Timer1->start();
}

void Main::showEvent(QShowEvent *evenement)
{
    QMainWindow::showEvent(evenement);
    if (m_focus_voulu)
        m_focus_voulu->setFocus();
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

void Main::Timer1_Timer()
{
    const QDateTime maintenant = m_env.horloge();
    Label37->setText(Heure_Utc(maintenant).left(5) + QStringLiteral(" Utc"));
    Label34->setText(Heure_Locale(maintenant, m_env.zone).left(5) + QStringLiteral(" Loc"));
    Label33->setText(Sous_Programmes::Date_Jour(maintenant));
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
    auto contenu = Lit_Log(Chemin_Log());
    m_rechargement = true;
    m_modele->remplace(contenu ? std::move(contenu).valeur() : Contenu_Log());
    m_rechargement = false;
    if (!contenu)
        Signale(contenu.erreur());
    if (m_modele->rowCount() > 0)
        Liste_DFCF->setCurrentIndex(m_modele->index(m_modele->rowCount() - 1));
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
    if (!m_aide)
        m_aide = new Fenetre_Aide(fichier);
    m_aide->montre_sommaire();
}

void Main::Mnu_Apropos_Click()
{
    Message::Information(this, QStringLiteral("KOB_Dezudidar_ERI\r\nRevision") + Revision_Programme
                                   + QStringLiteral("\r\n\r\nCarnet de trafic du challenge des Moulins « Dezudidar ERI ».\r\n\r\n"
                                                    "Licence : GNU GPL version 3 ou ultérieure (fichier LICENSE).\r\n"
                                                    "Programme écrit avec Qt ") + QString::fromLatin1(qVersion())
                                   + QStringLiteral(" (LGPL version 3)."));
}

void Main::A_Venir() { Message::Information(this, QStringLiteral("Cette fonction n'est pas encore disponible dans cette version.")); }

bool Main::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(objet, evenement);
    auto *touche = static_cast<QKeyEvent *>(evenement);
    if ((objet == Date_A || objet == Ind_A) && Premiere_Installation(Indicatif_Courant)) {
        // Told at every key, which then goes on unchanged.
        Message::Information(this, Message_Premiere_Installation());
        return false;
    }
    if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
        if (objet == Date_A)
            Date_A_Entree();
        else if (objet == Ind_A)
            Ind_A_Entree();
        else if (objet == Type_A)
            Type_A_Entree();
        else if (objet == DMF_A)
            DMF_A_Entree();
        else if (objet == Validation_A)
            Validation_A_Entree();
        return true;
    }
    if (objet == Validation_A || touche->text().size() != 1
        || (touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QChar frappe = touche->text().at(0);
    const QChar majuscule = Controles_Saisie::Majuscule_Frappee(frappe);
    if (majuscule == frappe)
        return false;
    QLineEdit *champ = objet == Type_A ? Type_A->lineEdit() : qobject_cast<QLineEdit *>(objet);
    if (!champ)
        return false;
    champ->insert(QString(majuscule));
    return true;
}

void Main::Date_A_Entree()
{
    if (const QString refus = Controles_Saisie::Verifie_Date(Date_A->text(), A_Challenge->text()); !refus.isEmpty()) {
        Message::Information(this, refus);
        return;
    }
    Colore(Date_A, Jaune_Pale);
    Ind_A->setEnabled(true);
    Colore(Ind_A, Vert_Pale);
    Donne_Focus(Ind_A);
}

void Main::Ind_A_Entree()
{
    if (const QString refus = Controles_Saisie::Verifie_Indicatif(Ind_A->text()); !refus.isEmpty()) {
        Message::Information(this, refus);
        return;
    }
    Colore(Ind_A, Jaune_Pale);
    Type_A->setEnabled(true);
    Colore(Type_A, Vert_Pale);
    Donne_Focus(Type_A);
}

void Main::Type_A_Entree()
{
    Colore(Type_A, Jaune_Pale);
    DMF_A->setEnabled(true);
    Colore(DMF_A, Vert_Pale);
    Donne_Focus(DMF_A);
    const int position = Type_A->findText(Type_A->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (auto s = Sauve_Type_Activite(Indicatif_Courant, position); !s)
        Signale(s.erreur());
}

void Main::DMF_A_Entree()
{
    const QString dmf = DMF_A->text();
    if (const QString refus = Controles_Saisie::Verifie_DMF(dmf); !refus.isEmpty()) {
        Message::Information(this, refus);
        return;
    }
    if (!Mode_Modification) {
        const auto octets = Vers_Log(dmf);
        const auto trouve = Cherche_DMF(Chemin_Log(), octets.value_or(QByteArray()));
        if (!trouve)
            Signale(trouve.erreur());
        else if (trouve.valeur().trouve)
            Message::Information(this, Controles_Saisie::Message_Doublon(dmf, Depuis_Log(trouve.valeur().date)));
    }
    Colore(DMF_A, Jaune_Pale);
    Validation_A->setEnabled(true);
    Donne_Focus(Validation_A);
}

void Main::Validation_A_Entree()
{
    Valide_A->setEnabled(true);
    Colore(Ind_A, Jaune_Pale);
    Donne_Focus(Valide_A);
}

void Main::Valide_A_Click()
{
    if (Premiere_Installation(Indicatif_Courant)) {
        Message::Information(this, Message_Premiere_Installation());
        return;
    }
    const Champs_QSO champs{Date_A->text(), Validation_A->checkState() != Qt::Unchecked, DMF_A->text(),
                            Type_A->currentText(), Ind_A->text()};
    const auto ligne = Controles_Saisie::Ligne_A_Enregistrer(champs, A_Challenge->text());
    if (!ligne) {
        Message::Information(this, ligne.erreur());
        return;
    }
    if (Mode_Insertion) {
        Insere_QSO(ligne.valeur());
        return;
    }
    if (Message::Question(this, QStringLiteral("Voulez vous enregistrer ces données ?"))) {
        const Statut ecrit = Mode_Modification ? Remplace_QSO(Chemin_Log(), m_ligne_selectionnee_octets, ligne.valeur())
                                               : Ajoute_QSO(Chemin_Log(), ligne.valeur());
        if (!ecrit) {
            // What was typed stays in the fields, to record again once mended.
            Signale(ecrit.erreur());
            return;
        }
        Charge_Liste();
    }
    Met_A_Jour_Total();
    Selectionne_Derniere_Ligne();
    Mode_Modification = false;
    Validation_A->setChecked(false);
    Valide_A->setEnabled(false);
    Ind_A->clear();
    Ind_A->setEnabled(false);
    Colore(Ind_A, Jaune_Pale);
    Colore(Type_A, Jaune_Pale);
    Type_A->setEnabled(false);
    Prepare_Nouveau_QSO();
    Validation_A->setChecked(false);
    Validation_A->setEnabled(false);
}

// The first field to fill gets the focus: the callsign under today's date,
// or the date itself when it is typed.
void Main::Prepare_Nouveau_QSO()
{
    if (Date_Automatique()) {
        Colore(Date_A, Jaune_Pale);
        Date_A->setText(Date_Jour());
        DMF_A->clear();
        Ind_A->clear();
        Ind_A->setEnabled(true);
        Colore(Ind_A, Vert_Pale);
        Donne_Focus(Ind_A);
    } else {
        Colore(DMF_A, Jaune_Pale);
        DMF_A->clear();
        Colore(Ind_A, Jaune_Pale);
        Ind_A->clear();
        Date_A->clear();
        Colore(Date_A, Vert_Pale);
        Date_A->setEnabled(true);
        Donne_Focus(Date_A);
    }
}

void Main::Selectionne_Derniere_Ligne()
{
    const int derniere = m_modele->rowCount() - 1;
    if (derniere < 0)
        return;
    if (Liste_DFCF->currentIndex().row() == derniere)
        Liste_DFCF_Click(derniere);
    else
        Liste_DFCF->setCurrentIndex(m_modele->index(derniere));
}

void Main::Ajout_Saisie_Click()
{
    Frame3->setTitle(QStringLiteral("Mode Insertion d'un QSO"));
    Date_A->setEnabled(true);
    Colore(Date_A, Vert_Pale);
    Date_A->clear();
    Donne_Focus(Date_A);
    Colore(Ind_A, Jaune_Pale);
    Mode_Insertion = true;
}

void Main::Insere_QSO(const QByteArray &ligne)
{
    if (const Statut s = Insere_QSO_Par_Date(Chemin_Log(), ligne); !s) {
        Signale(s.erreur());
        return;
    }
    Frame3->setTitle(Titre_Saisie);
    Mode_Insertion = false;
    Prepare_Nouveau_QSO();
    Met_A_Jour_Total();
    Charge_Liste();
}

void Main::Liste_DFCF_Click(int ligne)
{
    Ligne_Selectionnee = m_modele->ligne_liste(ligne);
    m_ligne_selectionnee_octets = m_modele->ligne_liste_octets(ligne);
    if (Ligne_Selectionnee.isEmpty()) {
        Message::Information(this, QStringLiteral("Cliquez sur une ligne pour la modifier"));
        return;
    }
    const qsizetype d = Prefixe(Ligne_Selectionnee) - Largeur_Prefixe_Liste;
    if (Sans_QSO(Ligne_Selectionnee, d)) {
        Message::Information(this, QStringLiteral("Il n'y a pas de données a modifier"));
        return;
    }
    Mode_Modification = true;
    Date_A->setText(Ligne_Selectionnee.mid(d + 8, 8));
    Validation_A->setChecked(Ligne_Selectionnee.mid(d + 17, 1).trimmed() == QStringLiteral("*"));
    DMF_A->setText(Ligne_Selectionnee.mid(d + 18, 5).trimmed());
    const QString type = Ligne_Selectionnee.mid(d + 25, 22).trimmed();
    Type_A->setCurrentIndex(Type_A->findText(type, Qt::MatchExactly | Qt::MatchCaseSensitive));
    Type_A->setEditText(type);
    Ind_A->setText(Ligne_Selectionnee.mid(d + 49, 12).trimmed());
    Colore(Ind_A, Jaune_Pale);
    Ind_A->setEnabled(false);
    Colore(Date_A, Jaune_Pale);
    Date_A->setEnabled(false);
    Annule_Saisie->setEnabled(true);
}

void Main::Liste_DFCF_DblClick()
{
    const qsizetype d = Prefixe(Ligne_Selectionnee) - Largeur_Prefixe_Liste;
    // A line without a QSO was refused by the click: nothing to edit.
    if (Ligne_Selectionnee.isEmpty() || Sans_QSO(Ligne_Selectionnee, d))
        return;
    Date_A->setEnabled(true);
    Colore(Date_A, Jaune_Pale);
    Date_A->setText(Ligne_Selectionnee.mid(d + 8, 8));
    for (QWidget *w : {static_cast<QWidget *>(Ind_A), static_cast<QWidget *>(Type_A), static_cast<QWidget *>(DMF_A),
                       static_cast<QWidget *>(Validation_A)})
        w->setEnabled(true);
    const QString type = Ligne_Selectionnee.mid(d + 25, 22).trimmed();
    Type_A->setCurrentIndex(Type_A->findText(type, Qt::MatchExactly | Qt::MatchCaseSensitive));
    Type_A->setEditText(type);
    Ind_A->setText(Ligne_Selectionnee.mid(d + 49, 12).trimmed());
    Validation_A->setChecked(Ligne_Selectionnee.mid(d + 17, 1).trimmed() == QStringLiteral("*"));
    Valide_A->setEnabled(true);
    Annule_Saisie->setEnabled(false);
    Donne_Focus(Date_A);
}

void Main::Annule_Saisie_Click()
{
    if (Ligne_Selectionnee.isEmpty()) {
        Message::Information(this, QStringLiteral("Cliquez sur une ligne pour l'annuler"));
        return;
    }
    const qsizetype d = Prefixe(Ligne_Selectionnee) - Largeur_Prefixe_Liste;
    if (Sans_QSO(Ligne_Selectionnee, d)) {
        Message::Information(this, QStringLiteral("Il n'y a pas de données a annuler"));
        return;
    }
    const QString n = Ligne_Selectionnee.mid(d + 18, 5).trimmed();
    if (Message::Question(this, QStringLiteral("Voulez vous effacer le DMF N° ") + n + QStringLiteral(" ?"))) {
        if (const Statut s = Supprime_QSO(Chemin_Log(), Vers_Log(n).value_or(QByteArray())); !s)
            Signale(s.erreur());
        else
            Charge_Liste();
    }
    Met_A_Jour_Total();
    Valide_A->setEnabled(false);
    Colore(Date_A, Jaune_Pale);
    Ind_A->clear();
    Ind_A->setEnabled(false);
    Colore(Ind_A, Jaune_Pale);
    DMF_A->clear();
    DMF_A->setEnabled(false);
    Colore(DMF_A, Jaune_Pale);
    Colore(Type_A, Jaune_Pale);
    Type_A->setEnabled(false);
    Prepare_Nouveau_QSO();
    Annule_Saisie->setEnabled(false);
    Mode_Modification = false;
}

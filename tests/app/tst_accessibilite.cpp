#include "Accessibilite_Test.h"
#include "Banc_Main.h"
#include "Tout_Ouvert.h"

#include "Dates.h"

#include <QAbstractButton>
#include <QMenuBar>

namespace {

const QList<QByteArray> &Log = Log_Tout_Ouvert;

} // namespace

class Tst_Accessibilite : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void chaque_controle_nomme_en_francais();
    void echap_ferme_chaque_fenetre_secondaire();
    void tabulation_dans_l_ordre_de_lecture();
    void lignes_lues_comme_des_phrases();
    void changements_annonces();
};

void Tst_Accessibilite::chaque_controle_nomme_en_francais()
{
    Tout_Ouvert t;
    QVERIFY(t.a_l_heure);
    QStringList ouvertes;
    for (QWidget *f : t.fenetres())
        ouvertes.append(f->objectName());
    ouvertes.sort();
    for (const char *nom : Fenetres_Du_Programme)
        QVERIFY2(ouvertes.contains(QString::fromLatin1(nom)), qPrintable(QStringLiteral("%1 absente de %2").arg(nom, ouvertes.join(u' '))));
    QStringList fautes;
    for (QWidget *f : t.fenetres()) {
        if (const QStringList sans_nom = Controles_Sans_Nom(f); !sans_nom.isEmpty())
            fautes.append(f->objectName() + QStringLiteral(" : sans nom : ") + sans_nom.join(QStringLiteral(", ")));
        if (const QStringList doubles = Noms_En_Double(f); !doubles.isEmpty())
            fautes.append(f->objectName() + QStringLiteral(" : en double : ") + doubles.join(QStringLiteral(", ")));
        if (const QStringList nues = Valeurs_Sans_Sens(f); !nues.isEmpty())
            fautes.append(f->objectName() + QStringLiteral(" : valeur lue sans ce qu'elle est : ") + nues.join(QStringLiteral(", ")));
    }
    for (const QString &faute : fautes)
        qWarning("%s", qPrintable(faute));
    QVERIFY2(fautes.isEmpty(), "des contrôles sans nom, de même nom, ou des valeurs nues (détail ci-dessus)");

    // What each value is, said with it; what is painted unchanged. The local
    // time as the system's zone data give it (Wine's may differ).
    const QString locale = Sous_Programmes::Heure_Locale(QDateTime(QDate(2007, 3, 15), QTime(18, 30), Qt::UTC), t.b.zone).left(5);
    const QList<std::tuple<const char *, const char *, QString, QString>> valeurs{
        {"Main", "Label33", QStringLiteral("15/03/07"), QStringLiteral("Date UTC 15/03/07")},
        {"Main", "A_Challenge", QStringLiteral("2007"), QStringLiteral("Année du challenge 2007")},
        {"Main", "I_Station", QStringLiteral("TEST1"), QStringLiteral("Station TEST1")},
        {"Main", "Label34", locale + QStringLiteral(" Loc"), QStringLiteral("Heure locale ") + locale},
        {"Main", "Label37", QStringLiteral("18:30 Utc"), QStringLiteral("Heure UTC 18:30")},
        {"Recapitulatif", "Annee_X", QStringLiteral("2007"), QStringLiteral("Année du challenge 2007")},
        {"Carte_Acti", "Label2", QStringLiteral("2007"), QStringLiteral("Année du challenge 2007")},
        {"Carte_Acti", "NB_Dep", QStringLiteral("1"), QStringLiteral("Départements contactés : 1")}};
    for (const auto &[fenetre, nom, texte, dit] : valeurs) {
        QWidget *f = Banc_Main::fenetre_ouverte(fenetre);
        QVERIFY2(f, fenetre);
        auto *l = f->findChild<QLabel *>(QString::fromLatin1(nom));
        QVERIFY2(l, nom);
        QCOMPARE(l->text(), texte);
        QCOMPARE(QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name), dit);
    }
}

void Tst_Accessibilite::echap_ferme_chaque_fenetre_secondaire()
{
    Tout_Ouvert t;
    QVERIFY(t.a_l_heure);
    QStringList restent;
    for (QWidget *f : t.fenetres()) {
        if (f == t.b.fenetre.get())
            continue;
        const QString nom = f->objectName();
        QPointer<QWidget> fenetre = f;
        f->activateWindow();
        if (!QTest::qWaitForWindowActive(f))
            qWarning("%s not active", qPrintable(nom));
        QTest::keyClick(f->focusWidget() ? f->focusWidget() : f, Qt::Key_Escape);
        QTest::qWait(20);
        if (fenetre && fenetre->isVisible())
            restent.append(nom);
    }
    QVERIFY2(restent.isEmpty(), qPrintable(QStringLiteral("ouvertes après Échap : ") + restent.join(u' ')));
    QVERIFY(t.b.fenetre->isVisible());
}

namespace {

// The controls Tab visits, from the window's first one, once round.
QList<QWidget *> Chaine_Tabulation(QWidget *fenetre)
{
    QList<QWidget *> chaine;
    for (QWidget *w = fenetre->nextInFocusChain(); w && w != fenetre; w = w->nextInFocusChain())
        if (w->window() == fenetre && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)
            && !w->focusProxy())
            chaine.append(w);
    return chaine;
}

// What a screen reader reads for a row of a list.
QString Phrase(QWidget *liste, int rangee)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(liste);
    if (!i || !i->tableInterface())
        return QStringLiteral("<pas une liste>");
    QAccessibleInterface *cellule = i->tableInterface()->cellAt(rangee, 0);
    return cellule ? cellule->text(QAccessible::Name) : QStringLiteral("<pas de ligne %1>").arg(rangee);
}

// What the screen reader is given for a control: its name, value, description.
QString Dit(QWidget *controle, QAccessible::Text quoi)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(controle);
    return i ? i->text(quoi) : QString();
}

} // namespace

void Tst_Accessibilite::tabulation_dans_l_ordre_de_lecture()
{
    Tout_Ouvert t;
    QVERIFY(t.a_l_heure);
    QStringList fautes;
    for (QWidget *f : t.fenetres()) {
        const QList<QWidget *> chaine = Chaine_Tabulation(f);
        // Every command is reached from the keyboard.
        for (QAbstractButton *bouton : f->findChildren<QAbstractButton *>())
            if (bouton->isVisible() && bouton->isEnabled() && !chaine.contains(bouton))
                fautes.append(QStringLiteral("%1 : %2 hors de la tabulation").arg(f->objectName(), bouton->objectName()));
        // Top to bottom, and left to right along a row; the main and station
        // windows keep the orders they have always had.
        if (f == t.b.fenetre.get() || f->objectName() == QLatin1String("Station"))
            continue;
        for (qsizetype i = 1; i < chaine.size(); ++i) {
            const QRect a(chaine[i - 1]->mapTo(f, QPoint()), chaine[i - 1]->size());
            const QRect b(chaine[i]->mapTo(f, QPoint()), chaine[i]->size());
            const bool meme_rangee = b.top() < a.bottom() && a.top() < b.bottom();
            if (meme_rangee ? b.left() < a.left() : b.top() < a.top())
                fautes.append(QStringLiteral("%1 : %2 avant %3").arg(f->objectName(), chaine[i - 1]->objectName(), chaine[i]->objectName()));
        }
    }
    for (const QString &faute : fautes)
        qWarning("%s", qPrintable(faute));
    QVERIFY2(fautes.isEmpty(), "tabulation hors de l'ordre de lecture (détail ci-dessus)");
}

void Tst_Accessibilite::lignes_lues_comme_des_phrases()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log) + "\r\n");
    b.demarre();
    // What is painted stays the fixed columns.
    QCOMPARE(b.ligne_liste(0).trimmed(), QStringLiteral("1   01/03/07  21001  Moulin Contacte         F5ABC"));
    QCOMPARE(Phrase(b.liste(), 0), QStringLiteral("QSO 1, 01/03/07, DMF 21001, Moulin Contacte, F5ABC"));
    QCOMPARE(Phrase(b.liste(), 1), QStringLiteral("QSO 2, 05/03/07, DMF 21002, Moulin active, F6XYZ, en attente de validation"));
    QCOMPARE(Phrase(b.liste(), 3), QStringLiteral("Ligne 4, vide"));

    b.action("Mnu_C_Contacte")->trigger();
    QWidget *contactes = Banc_Main::fenetre_ouverte("Aff_Contacte");
    QCOMPARE(Phrase(contactes->findChild<QWidget *>(QStringLiteral("Liste_DFCF_Contacte")), 2),
             QStringLiteral("QSO 3, 10/03/07, DMF 2A003, Reactivation activee, TK5AA, 3 points"));

    QTest::mouseClick(b.bouton("Recherche"), Qt::LeftButton);
    QWidget *recherche = Banc_Main::fenetre_ouverte("Recherche_Indicatif");
    auto *indicatif = recherche->findChild<QLineEdit *>(QStringLiteral("Indica"));
    QTest::keyClicks(indicatif, QStringLiteral("F6XYZ"));
    QTest::keyClick(indicatif, Qt::Key_Return);
    QCOMPARE(Phrase(recherche->findChild<QWidget *>(QStringLiteral("QSO_Effectues")), 0),
             QStringLiteral("QSO 2, 05/03/07, DMF 21002, Moulin active, F6XYZ, en attente de validation"));
}

// Qt sends a screen reader the change of a line's text, of a label's name
// and of a description; with no reader running (offscreen) it sends nothing,
// so what is checked is what the reader is then given.
void Tst_Accessibilite::changements_annonces()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    QWidget *total = b.champ("Total_Points");
    QCOMPARE(Dit(total, QAccessible::Name), QStringLiteral("Total des points"));
    const QString avant = Dit(total, QAccessible::Value);
    QCOMPARE(avant, b.champ("Total_Points")->text());

    b.saisit_qso(QStringLiteral("F9NEW"), 0, QStringLiteral("40001"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(Dit(total, QAccessible::Value), QString::number(avant.toInt() + 2));

    // The clock's name follows each tick, and says which clock it is.
    QWidget *utc = b.controle("Label37");
    QCOMPARE(Dit(utc, QAccessible::Name), QStringLiteral("Heure UTC 18:30"));
    b.maintenant = b.maintenant.addSecs(3600);
    QTRY_COMPARE_WITH_TIMEOUT(Dit(utc, QAccessible::Name), QStringLiteral("Heure UTC 19:30"), 3000);
    QCOMPARE(Dit(b.controle("Label34"), QAccessible::Name),
             QStringLiteral("Heure locale ") + Sous_Programmes::Heure_Locale(b.maintenant, b.zone).left(5));
    QCOMPARE(Dit(b.controle("I_Station"), QAccessible::Name), QStringLiteral("Station TEST1"));

    // The entry's mode, as the description of its frame.
    QWidget *saisie = b.controle("Frame3");
    QCOMPARE(Dit(saisie, QAccessible::Description), QStringLiteral("Saisie d'un nouveau QSO"));
    b.double_clique_ligne(0);
    QCOMPARE(Dit(saisie, QAccessible::Description), QStringLiteral("Mode modification du QSO choisi"));
    QTest::mouseClick(b.bouton("Efface_A"), Qt::LeftButton);
    QCOMPARE(Dit(saisie, QAccessible::Description), QStringLiteral("Saisie d'un nouveau QSO"));
    b.clique_ligne(1);
    QTest::mouseClick(b.bouton("Ajout_Saisie"), Qt::LeftButton);
    QCOMPARE(Dit(saisie, QAccessible::Description), QStringLiteral("Mode insertion : le QSO sera inséré à sa date"));
}

QTEST_MAIN(Tst_Accessibilite)
#include "tst_accessibilite.moc"

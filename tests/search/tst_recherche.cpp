// The search window on its own, over any list of list lines.
#include "Controles.h"
#include "Message.h"
#include "Outils_Test.h"
#include "Recherche.h"
#include "Recherche_Indicatif.h"
#include "Texte.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringListModel>

namespace {

// List lines, each giving its stored line by the role the main list has.
class Liste_Test : public QStringListModel {
public:
    using QStringListModel::QStringListModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Role_Ligne_Log)
            return Sous_Programmes::Vers_Log(QStringListModel::data(index, Qt::DisplayRole).toString().mid(8)).value();
        return QStringListModel::data(index, role);
    }
};

} // namespace

class Tst_Recherche : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Message::Installe_Repondeur({}); }
    void correspondance_data();
    void correspondance();
    void cherche_dans_la_liste_donnee_et_rend_le_qso_choisi();
};

void Tst_Recherche::correspondance_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("qso");
    QTest::addColumn<QString>("entree");
    QTest::addColumn<bool>("trouve");
    const QByteArray f5abc = Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC");
    QTest::newRow("indicatif en partie") << 1 << f5abc << "5AB" << true;
    QTest::newRow("indicatif absent") << 1 << f5abc << "F6" << false;
    QTest::newRow("indicatif accentue") << 1 << Ligne("01/03/07", "21001", "Moulin Contacte", "F5\xC9T\xC9")
                                        << QString::fromUtf8("5ÉTÉ") << true;
    QTest::newRow("numero entier") << 2 << f5abc << "21001" << true;
    QTest::newRow("numero en partie") << 2 << f5abc << "2100" << false;
    QTest::newRow("numero court sans blancs") << 2 << Ligne("01/03/07", "2101 ", "Moulin Contacte", "F5ABC") << "2101"
                                              << true;
    // A no-break space (0xA0 in the log's code page) is a blank, as on screen.
    QByteArray insecable = Ligne("01/03/07", "2101 ", "Moulin Contacte", "F5ABC");
    insecable[14] = char(0xA0);
    QTest::newRow("numero suivi d'une espace insecable") << 2 << insecable << "2101" << true;
    QTest::newRow("departement") << 3 << f5abc << "21" << true;
    QTest::newRow("departement corse") << 3 << Ligne("01/03/07", "2A001", "Moulin Contacte", "F5ABC") << "2A" << true;
    QTest::newRow("departement sans blanc retire") << 3 << Ligne("01/03/07", "2 001", "Moulin Contacte", "F5ABC") << "2"
                                                   << false;
    QTest::newRow("ligne courte") << 1 << QByteArray("01/03/07  21001") << "F5" << false;
}

void Tst_Recherche::correspondance()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, qso);
    QFETCH(QString, entree);
    QFETCH(bool, trouve);
    QCOMPARE(Recherche::Correspond(Recherche::Mode(mode), qso, entree), trouve);
}

void Tst_Recherche::cherche_dans_la_liste_donnee_et_rend_le_qso_choisi()
{
    QStringList messages;
    Message::Installe_Repondeur([&](const QString &texte, QMessageBox::StandardButtons) {
        messages << texte;
        return QMessageBox::Ok;
    });
    auto ligne = [](int n, const char *dmf, const char *indicatif) {
        return QStringLiteral("%1   ").arg(n, 5) + QString::fromLatin1(Ligne("01/03/07", dmf, "Moulin Contacte", indicatif));
    };
    Liste_Test liste({ligne(1, "21001", "F5ABC"), ligne(2, "29015", "F6XYZ"), ligne(3, "21002", "F5ABC")});
    Recherche_Indicatif recherche(&liste);
    recherche.show();
    QSignalSpy choisi(&recherche, &Recherche_Indicatif::QSO_Choisi);

    auto *indica = recherche.findChild<QLineEdit *>(QStringLiteral("Indica"));
    QTest::keyClicks(indica, QStringLiteral("f5abc"));
    QTest::keyClick(indica, Qt::Key_Return);
    auto *vue = recherche.findChild<QAbstractItemView *>(QStringLiteral("QSO_Effectues"));
    QCOMPARE(vue->model()->rowCount(), 2);
    QCOMPARE(messages, QStringList());

    // The list changed since: the next search reads it as it is now.
    liste.setStringList({ligne(1, "21001", "F5ABC")});
    QTest::keyClicks(indica, QStringLiteral("F5ABC"));
    QTest::keyClick(indica, Qt::Key_Return);
    QCOMPARE(vue->model()->rowCount(), 1);

    const QModelIndex premier = vue->model()->index(0, 0);
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(premier).center());
    QCOMPARE(choisi.count(), 1);
    QCOMPARE(choisi.first().first().toString(), ligne(1, "21001", "F5ABC"));
    QVERIFY(!recherche.isVisible());
}

QTEST_MAIN(Tst_Recherche)
#include "tst_recherche.moc"

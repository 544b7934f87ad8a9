// The search window on its own, over any list of list lines.
#include "Message.h"
#include "Outils_Test.h"
#include "Recherche_Indicatif.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringListModel>

class Tst_Recherche : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Message::Installe_Repondeur({}); }
    void cherche_dans_la_liste_donnee_et_rend_le_qso_choisi();
};

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
    QStringListModel liste({ligne(1, "21001", "F5ABC"), ligne(2, "29015", "F6XYZ"), ligne(3, "21002", "F5ABC")});
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

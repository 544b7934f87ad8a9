// Work in the background: its result comes back on the thread that started
// it, once, whether it is waited for or told when done.
#include "Arriere_Plan.h"

#include <QSignalSpy>
#include <QTest>
#include <atomic>

class Tst_Arriere_Plan : public QObject {
    Q_OBJECT

private slots:
    void resultat_rendu_sur_le_fil_qui_l_attend();
    void resultat_attendu_n_est_pas_rendu_deux_fois();
    void travail_relance_oublie_le_premier();
};

void Tst_Arriere_Plan::resultat_rendu_sur_le_fil_qui_l_attend()
{
    Arriere_Plan<QString> travail;
    QVERIFY(!travail.en_cours());
    QThread *fil_du_travail = nullptr;
    QThread *fil_de_fin = nullptr;
    QString rendu;
    travail.lance(
        [&] {
            fil_du_travail = QThread::currentThread();
            return QStringLiteral("lu");
        },
        this,
        [&](QString r) {
            fil_de_fin = QThread::currentThread();
            rendu = r;
        });
    QVERIFY(travail.en_cours());
    QTRY_COMPARE(rendu, QStringLiteral("lu"));
    QCOMPARE(fil_de_fin, QThread::currentThread());
    QVERIFY(fil_du_travail != QThread::currentThread());
    QVERIFY(!travail.en_cours());
    QCOMPARE(travail.attend(), std::nullopt);
}

void Tst_Arriere_Plan::resultat_attendu_n_est_pas_rendu_deux_fois()
{
    Arriere_Plan<int> travail;
    int fins = 0;
    travail.lance([] { return 42; }, this, [&](int) { ++fins; });
    QCOMPARE(travail.attend(), 42);
    QTest::qWait(50);
    QCOMPARE(fins, 0);
}

void Tst_Arriere_Plan::travail_relance_oublie_le_premier()
{
    Arriere_Plan<int> travail;
    QList<int> rendus;
    std::atomic<bool> libre = false;
    travail.lance(
        [&] {
            while (!libre)
                QThread::msleep(1);
            return 1;
        },
        this, [&](int r) { rendus << r; });
    libre = true;
    travail.lance([] { return 2; }, this, [&](int r) { rendus << r; });
    QTRY_COMPARE(rendus, QList<int>{2});
    QTest::qWait(50);
    QCOMPARE(rendus, QList<int>{2});
}

QTEST_GUILESS_MAIN(Tst_Arriere_Plan)
#include "tst_arriere_plan.moc"

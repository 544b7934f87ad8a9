// A long piece of work off the windows' thread: its dialog shows only when it
// lasts, follows its progress, and "Annuler" stops it.
#include "Outils_Test.h"
#include "Progression.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

QProgressDialog *Dialogue()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Progression_Test") && w->isVisible())
            return qobject_cast<QProgressDialog *>(w);
    return nullptr;
}

} // namespace

class Tst_Progression : public QObject {
    Q_OBJECT

private slots:
    void travail_court_sans_dialogue();
    void dialogue_suit_le_travail_et_l_arrete();
};

void Tst_Progression::travail_court_sans_dialogue()
{
    bool vu = false;
    QTimer regard;
    connect(&regard, &QTimer::timeout, [&] { vu |= Dialogue() != nullptr; });
    regard.start(0);
    const auto r = Progression::Execute<int>(nullptr, QStringLiteral("Progression_Test"), QStringLiteral("Lecture..."), 10'000,
                                            [](const Progression::Avance &avance) { return avance(1, 1) ? 7 : -1; });
    QVERIFY(r == 7);
    QVERIFY(!vu);
}

void Tst_Progression::dialogue_suit_le_travail_et_l_arrete()
{
    // The work goes on, halfway, until it is told to stop.
    QString texte;
    int valeur = -1;
    QTimer regard;
    connect(&regard, &QTimer::timeout, [&] {
        QProgressDialog *d = Dialogue();
        if (!d || d->value() != 500)
            return;
        texte = d->labelText() + u'|' + d->findChild<QPushButton *>()->text() + u'|' + d->windowTitle();
        valeur = d->value();
        QVERIFY(d->isModal());
        d->findChild<QPushButton *>()->click();
        regard.stop();
    });
    regard.start(0);
    const auto tours = Progression::Execute<int>(nullptr, QStringLiteral("Progression_Test"), QStringLiteral("Lecture du fichier a.adi..."),
                                                0, [](const Progression::Avance &avance) {
                                                    int n = 0;
                                                    while (avance(50, 100))
                                                        QThread::msleep(++n < 10 ? 1 : 5);
                                                    return n;
                                                });
    // Stopped by "Annuler": what it gave is dropped.
    QVERIFY(!tours);
    QCOMPARE(valeur, 500);
    QCOMPARE(texte, QStringLiteral("Lecture du fichier a.adi...|Annuler|KOB_Dezudidar_ERI"));
    QVERIFY(!Dialogue());
}

QTEST_MAIN(Tst_Progression)
#include "tst_progression.moc"

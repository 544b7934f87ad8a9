#include "Banc_Main.h"

#include <QListWidget>

class Tst_Reglement : public QObject {
    Q_OBJECT

private slots:
    void texte_du_reglement();
};

void Tst_Reglement::texte_du_reglement()
{
    Banc_Main b;
    b.demarre();
    b.action("Mnu_Reglement")->trigger();
    QWidget *fenetre = Banc_Main::fenetre_ouverte("Reglement");
    QVERIFY(fenetre);
    QCOMPARE(fenetre->windowTitle(), QStringLiteral("Reglement"));
    QCOMPARE(fenetre->findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("Reglement du Radovered Annuel"));
    auto *reg = fenetre->findChild<QListWidget *>(QStringLiteral("Reg"));
    QCOMPARE(reg->count(), 41);
    QList<int> vides;
    for (int i = 0; i < reg->count(); ++i)
        if (reg->item(i)->text().isEmpty())
            vides << i + 1;
    QCOMPARE(vides, (QList<int>{1, 5, 10, 13, 16, 21, 25, 29, 31, 33, 36, 38, 39, 40, 41}));
    QCOMPARE(reg->item(36)->text(), QString::fromUtf8("Bonne chance à tous."));
    QCOMPARE(reg->item(3)->text(), QString::fromUtf8("La date de prise en compte chaque année est du 01/01 au 31/12"));
    QCOMPARE(reg->item(1)->text(), QString::fromUtf8("Le dezudidar ERI annuel est ouvert à tous, chasseurs et opérateurs de Moulins."));
    QCOMPARE(reg->item(27)->text(),
             QString::fromUtf8("Il faut tenir compte du délai de 30 jours pour permettre aux opérateurs de faire valider leurs activités de fin d'année"));
    QCOMPARE(reg->item(19)->text(),
             QString::fromUtf8("et aura 3 points pour son score personnel. Il n'est pas obligé de faire 50 QSO puisqu'il a la référence en permanence."));
}

QTEST_MAIN(Tst_Reglement)
#include "tst_main_reglement.moc"

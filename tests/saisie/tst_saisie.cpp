// The entry on its own: a line shown before the list of mills is read names
// its mill once the list is there.
#include "Carnet.h"
#include "Ligne_QSO.h"
#include "Liste_Courante.h"
#include "Outils_Test.h"
#include "Saisie.h"

#include <QLabel>

class Tst_Saisie : public QObject {
    Q_OBJECT

private slots:
    void moulin_nomme_une_fois_la_liste_lue();
};

void Tst_Saisie::moulin_nomme_une_fois_la_liste_lue()
{
    Dossier_Test d;
    d.ecrit(QStringLiteral("Moulins.txt"), "dmf;nom;commune\r\n29010;Moulin de Kerouat;Commana\r\n");
    const QByteArray ligne = Ligne("10/03/07", "29010", "Moulin Contacte", "F1AAA");
    d.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"), Fichier_De({ligne}));
    Carnet carnet(d.chemin(), [] { return QDateTime(); }, [](const QString &) { return false; });
    carnet.ouvre(QStringLiteral("TEST1"), QStringLiteral("2007"));
    Moulins::Liste_Courante moulins(d.chemin());
    QWidget fenetre;
    Saisie saisie(carnet, moulins, [] { return QStringLiteral("15/03/07"); }, &fenetre);
    // Shown before the event loop could hand the list over.
    QVERIFY(!moulins.lue());
    saisie.montre_ligne(QString::fromLatin1(Sous_Programmes::Ligne_Liste(1, ligne)), Sous_Programmes::Ligne_Liste(1, ligne));
    QCOMPARE(saisie.etat(), Saisie::Etat::Modification);
    auto *nom = saisie.findChild<QLabel *>(QStringLiteral("Nom_Moulin"));
    QCOMPARE(nom->text(), QString());
    QTRY_COMPARE(nom->text(), QStringLiteral("Moulin de Kerouat, Commana (29)"));
}

QTEST_MAIN(Tst_Saisie)
#include "tst_saisie.moc"

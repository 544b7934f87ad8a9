// The file dialog as an operator sees it where the desktop offers none: in
// French, even on a system set to another language (LANG=C here).
#include "Dialogue_Fichier.h"
#include "Francais.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class Tst_Dialogue_Fichier : public QObject {
    Q_OBJECT

private slots:
    // Qt's own dialog, even where the system has one (Windows): the one
    // that writes sizes and dates itself.
    void initTestCase()
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        Parle_Francais();
    }
    void tailles_dates_et_types_en_francais_data();
    void tailles_dates_et_types_en_francais();
};

void Tst_Dialogue_Fichier::tailles_dates_et_types_en_francais_data()
{
    QTest::addColumn<bool>("enregistrer");
    QTest::newRow("ouvrir") << false;
    QTest::newRow("enregistrer") << true;
}

void Tst_Dialogue_Fichier::tailles_dates_et_types_en_francais()
{
    QFETCH(bool, enregistrer);
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    QFile liste(dossier.filePath(QStringLiteral("liste.csv")));
    QVERIFY(liste.open(QIODevice::WriteOnly) && liste.write(QByteArray(1034, 'x')) == 1034);
    liste.close();
    QVERIFY(QDir(dossier.path()).mkdir(QStringLiteral("Sauvegardes")));

    const std::unique_ptr<QFileDialog> d(Dialogue_Fichier::Cree_Dialogue(nullptr, QStringLiteral("Charger"), dossier.path(), {}, enregistrer));
    d->show();
    QAbstractProxyModel *vue = d->proxyModel();
    QVERIFY(vue);
    auto *fichiers = qobject_cast<QFileSystemModel *>(vue->sourceModel());
    QVERIFY(fichiers);
    const QModelIndex racine = vue->mapFromSource(fichiers->index(dossier.path()));
    QTRY_COMPARE(vue->rowCount(racine), 2);
    QMap<QString, QStringList> lignes;
    for (int r = 0; r < 2; ++r)
        lignes[vue->index(r, 0, racine).data().toString()] = {vue->index(r, 1, racine).data().toString(),
                                                              vue->index(r, 2, racine).data().toString(),
                                                              vue->index(r, 3, racine).data().toString()};
    const QLocale francais(QLocale::French, QLocale::France);
    QCOMPARE(lignes.value(QStringLiteral("liste.csv")),
             (QStringList{QStringLiteral("1,01 Kio"), QStringLiteral("Fichier csv"),
                          francais.toString(QFileInfo(liste).lastModified(), QLocale::ShortFormat)}));
    QCOMPARE(lignes.value(QStringLiteral("Sauvegardes")).value(1), QStringLiteral("Dossier"));
}

QTEST_MAIN(Tst_Dialogue_Fichier)
#include "tst_dialogue_fichier.moc"

#include "Icone.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs a function of tools/bureau.sh; its output, or a failure.
QByteArray Bureau(const QString &appel, const QStringList &arguments, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("bash"), QStringList{QStringLiteral("-c"), QStringLiteral(". \"$0\"; %1 \"$@\"").arg(appel),
                                                QStringLiteral(SOURCES "/tools/bureau.sh")}
                                         + arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qWarning("%s", p.readAllStandardError().constData());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray("<échec>");
}

// The validator's verdict: empty when the entry is valid.
QString Valide(const QString &fichier)
{
    QProcess p;
    p.start(QStringLiteral("desktop-file-validate"), {fichier});
    if (!p.waitForFinished(60000))
        return QStringLiteral("desktop-file-validate ne répond pas");
    const QString sortie = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitCode() == 0 && sortie.trimmed().isEmpty() ? QString() : sortie + QStringLiteral(" (code %1)").arg(p.exitCode());
}

// Exec's value as a launcher reads it: the string's escapes, then the quoting.
QString Programme_De(const QByteArray &entree)
{
    for (const QByteArray &ligne : entree.split('\n')) {
        if (!ligne.startsWith("Exec="))
            continue;
        QByteArray chaine;
        const QByteArray valeur = ligne.mid(5);
        for (qsizetype i = 0; i < valeur.size(); ++i)
            chaine += (valeur[i] == '\\' && i + 1 < valeur.size()) ? valeur[++i] : valeur[i];
        if (!chaine.startsWith('"') || !chaine.endsWith('"'))
            return {};
        QByteArray programme;
        for (qsizetype i = 1; i + 1 < chaine.size(); ++i)
            programme += (chaine[i] == '\\') ? chaine[++i] : chaine[i];
        return QString::fromUtf8(programme);
    }
    return {};
}

} // namespace

class Tst_Entree_Bureau : public QObject {
    Q_OBJECT

private slots:
    void entree_valide_quel_que_soit_le_dossier_data();
    void entree_valide_quel_que_soit_le_dossier();
    void installation_pour_l_utilisateur();
};

void Tst_Entree_Bureau::entree_valide_quel_que_soit_le_dossier_data()
{
    QTest::addColumn<QString>("programme");
    QTest::newRow("simple") << "/home/f5abc/KOB_Dezudidar_ERI/KOB_Dezudidar_ERI";
    QTest::newRow("blancs et accents") << "/home/f5abc/Mes Documents/Trafic été/KOB_Dezudidar_ERI";
    QTest::newRow("caractères à échapper") << "/home/f5abc/a$b\"c`d\\e/KOB_Dezudidar_ERI";
}

void Tst_Entree_Bureau::entree_valide_quel_que_soit_le_dossier()
{
    QFETCH(QString, programme);
    const QByteArray entree = Bureau(QStringLiteral("Entree_Bureau"), {programme});
    QVERIFY(entree.startsWith("[Desktop Entry]\n"));
    QVERIFY(entree.contains("\nName=KOB Dezudidar ERI\n"));
    QVERIFY(entree.contains("\nIcon=kob-dezudidar-eri\n"));
    QVERIFY(entree.contains("HamRadio;"));
    QVERIFY(entree.contains("\nComment=Carnet de trafic du challenge des Moulins"));
    QCOMPARE(Programme_De(entree), programme);
    QTemporaryDir dossier;
    const QString fichier = QDir(dossier.path()).filePath(QStringLiteral("kob-dezudidar-eri.desktop"));
    QFile f(fichier);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(entree);
    f.close();
    const QString verdict = Valide(fichier);
    QVERIFY2(verdict.isEmpty(), qPrintable(verdict));
}

void Tst_Entree_Bureau::installation_pour_l_utilisateur()
{
    QTemporaryDir donnees;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), donnees.path());
    const QString programme = QStringLiteral("/opt/KOB Dezudidar/KOB_Dezudidar_ERI");
    QCOMPARE(Bureau(QStringLiteral("Installe_Bureau"), {programme, QStringLiteral(OUTIL_ICONES)}, env), QByteArray());
    const QDir d(donnees.path());
    const QString entree = d.filePath(QStringLiteral("applications/kob-dezudidar-eri.desktop"));
    QVERIFY(QFile::exists(entree));
    QVERIFY(Valide(entree).isEmpty());
    QFile f(entree);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(Programme_De(f.readAll()), programme);
    QVERIFY(QFile::exists(d.filePath(QStringLiteral("icons/hicolor/scalable/apps/kob-dezudidar-eri.svg"))));
    // Each size the same drawing as the program's window shows.
    for (int taille : Icone::Tailles) {
        const QImage icone(d.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/kob-dezudidar-eri.png").arg(taille)));
        QCOMPARE(icone.size(), QSize(taille, taille));
        QCOMPARE(icone.convertToFormat(QImage::Format_ARGB32), Icone::Image(taille).convertToFormat(QImage::Format_ARGB32));
    }
    // Installed again (a later ./run.sh): the same files, nothing else.
    QCOMPARE(Bureau(QStringLiteral("Installe_Bureau"), {programme, QStringLiteral(OUTIL_ICONES)}, env), QByteArray());
    QCOMPARE(QDir(d.filePath(QStringLiteral("applications"))).entryList({QStringLiteral("*.desktop")}, QDir::Files).size(), 1);
}

QTEST_MAIN(Tst_Entree_Bureau)
#include "tst_entree_bureau.moc"

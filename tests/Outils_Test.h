#pragma once

#include "Reglages.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QUuid>
#include <optional>
#include <QtTest>

// A throw-away program folder, and bytes in and out of its files.
class Dossier_Test {
public:
    Dossier_Test() { QVERIFY2(m_dossier.isValid(), "temporary folder"); }
    QString chemin() const { return m_dossier.path(); }
    QString fichier(const QString &nom) const { return QDir(m_dossier.path()).filePath(nom); }

    QString ecrit(const QString &nom, const QByteArray &octets) const
    {
        QFile f(fichier(nom));
        if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        return f.fileName();
    }

    QByteArray lit(const QString &nom) const
    {
        QFile f(fichier(nom));
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<absent>");
        return f.readAll();
    }

    bool existe(const QString &nom) const { return QFile::exists(fichier(nom)); }

private:
    QTemporaryDir m_dossier;
};

// A PDF's text as pdftotext lays it out; none where the tool is absent
// (under Wine), for the test to skip.
inline std::optional<QString> Texte_PDF(const QString &chemin)
{
    const QString outil = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (outil.isEmpty())
        return std::nullopt;
    QProcess lecture;
    lecture.start(outil, {QStringLiteral("-layout"), chemin, QStringLiteral("-")});
    if (!lecture.waitForFinished(30000))
        return QStringLiteral("<pdftotext arrêté>");
    return QString::fromUtf8(lecture.readAllStandardOutput());
}

// Settings of this test process go to a folder of their own. On Windows,
// where they are in the registry, under an organisation of their own, which
// is taken away when the next one comes or the test ends: the user's own
// settings are never read nor written.
inline void Isole_Reglages(const QString &dossier)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dossier);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dossier);
#ifdef Q_OS_WIN
    static const auto efface = [] {
        if (!QCoreApplication::organizationName().isEmpty())
            QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat)
                .remove(QCoreApplication::organizationName());
    };
    static const bool nettoyage_final = [] { qAddPostRoutine([] { efface(); }); return true; }();
    Q_UNUSED(nettoyage_final);
    efface();
    QCoreApplication::setOrganizationName(QStringLiteral("Dezudidar_ERI_Tests_%1").arg(QUuid::createUuid().toString(QUuid::Id128)));
#endif
}

// The program's settings as stored, to look at them directly.
inline QSettings Reglages_Bruts()
{
    return QSettings(Sous_Programmes::Organisation_Reglages(), QString::fromLatin1(Sous_Programmes::Nom_Application));
}

// A complete QSO line, padded as the program writes it.
inline QByteArray Ligne(const char *date, const char *dmf, const char *type, const char *indicatif, bool attente = false)
{
    QByteArray l(date);
    l += ' ';
    l += attente ? '*' : ' ';
    l += QByteArray(dmf).leftJustified(5, ' ');
    l += "  ";
    l += QByteArray(type).leftJustified(22, ' ');
    l += "  ";
    l += QByteArray(indicatif).leftJustified(12, ' ');
    return l;
}

inline QByteArray Fichier_De(const QList<QByteArray> &lignes)
{
    QByteArray f;
    for (const auto &l : lignes)
        f += l + "\r\n";
    return f;
}

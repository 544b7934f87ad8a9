#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
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

// Settings of this test process go to a folder of their own.
inline void Isole_Reglages(const QString &dossier)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dossier);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dossier);
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

// Writes the program's icon as PNG files of the usual sizes, one folder per
// size as icon themes lay them out: DOSSIER/48x48/apps/kob-dezudidar-eri.png;
// with --ico, as one Windows icon file for the executable's resources.
#include "Icone.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc < 2 || (QByteArray(argv[1]) == "--ico" && argc < 3)) {
        std::fprintf(stderr, "usage : icones DOSSIER | icones --ico FICHIER.ico\n");
        return 2;
    }
    if (QByteArray(argv[1]) == "--ico") {
        QFile ico(QString::fromLocal8Bit(argv[2]));
        const QByteArray octets = Icone::Fichier_Ico();
        if (octets.isEmpty() || !ico.open(QIODevice::WriteOnly) || ico.write(octets) != octets.size() || !ico.flush()) {
            std::fprintf(stderr, "impossible d'écrire l'icône %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    const QDir racine(QString::fromLocal8Bit(argv[1]));
    for (int taille : Icone::Tailles) {
        const QString dossier = racine.filePath(QStringLiteral("%1x%1/apps").arg(taille));
        if (!QDir().mkpath(dossier) || !Icone::Image(taille).save(QDir(dossier).filePath(QStringLiteral("kob-dezudidar-eri.png")))) {
            std::fprintf(stderr, "impossible d'écrire l'icône dans %s\n", qPrintable(dossier));
            return 1;
        }
    }
    return 0;
}

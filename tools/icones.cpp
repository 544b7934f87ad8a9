// Writes the program's icon as PNG files of the usual sizes, one folder per
// size as icon themes lay them out: DOSSIER/48x48/apps/kob-dezudidar-eri.png.
#include "Icone.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage : icones DOSSIER\n");
        return 2;
    }
    const QDir racine(QString::fromLocal8Bit(argv[1]));
    for (int taille : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dossier = racine.filePath(QStringLiteral("%1x%1/apps").arg(taille));
        if (!QDir().mkpath(dossier) || !Icone::Image(taille).save(QDir(dossier).filePath(QStringLiteral("kob-dezudidar-eri.png")))) {
            std::fprintf(stderr, "impossible d'écrire l'icône dans %s\n", qPrintable(dossier));
            return 1;
        }
    }
    return 0;
}

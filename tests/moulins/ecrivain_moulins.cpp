// Keeps list A, then list B, for ever, until killed.
#include "Liste_Moulins.h"

#include <QFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const QString dossier = QString::fromLocal8Bit(argv[1]);
    QFile fa(QString::fromLocal8Bit(argv[2])), fb(QString::fromLocal8Bit(argv[3]));
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return 2;
    const Moulins::Liste a = Moulins::Lit_Liste(fa.readAll()).liste;
    const Moulins::Liste b = Moulins::Lit_Liste(fb.readAll()).liste;
    std::fputs("pret\n", stdout);
    std::fflush(stdout);
    for (;;) {
        for (const Moulins::Liste *l : {&a, &b}) {
            if (const auto s = Moulins::Garde(dossier, *l, QDateTime::currentDateTime()); !s) {
                std::fprintf(stderr, "%s\n", qPrintable(s.erreur()));
                return 3;
            }
        }
    }
}

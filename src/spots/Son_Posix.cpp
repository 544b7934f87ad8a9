#include "Son.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

void Joue_Son(const QString &chemin)
{
    if (!QFileInfo(chemin).isFile())
        return;
    // What the desktop offers: PulseAudio or PipeWire, else ALSA.
    const struct {
        const char *programme;
        QStringList options;
    } lecteurs[] = {{"paplay", {}}, {"pw-play", {}}, {"aplay", {QStringLiteral("-q")}}};
    for (const auto &l : lecteurs) {
        const QString programme = QStandardPaths::findExecutable(QString::fromLatin1(l.programme));
        if (!programme.isEmpty()) {
            QProcess::startDetached(programme, l.options + QStringList{chemin});
            return;
        }
    }
}

#include "Son.h"

#include <QDir>

#include <windows.h>
#include <mmsystem.h>

void Joue_Son(const QString &chemin)
{
    // Asynchronous; no default beep when the file cannot be played.
    PlaySoundW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(chemin).utf16()), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

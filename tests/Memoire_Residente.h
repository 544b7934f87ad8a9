#pragma once

#include <QFile>
#include <QtGlobal>

// The peak of this process's resident memory, which Linux lets a process set
// back to what it holds now: the peak of one piece of work is then read
// alone. Elsewhere, -1.
namespace Memoire_Residente {

inline qint64 Champ_Status(const char *nom)
{
#ifdef Q_OS_LINUX
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &ligne : status.readAll().split('\n')) {
        if (ligne.startsWith(nom))
            return ligne.mid(qstrlen(nom)).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
#else
    Q_UNUSED(nom);
#endif
    return -1;
}

// Resident bytes now.
inline qint64 Actuelle() { return Champ_Status("VmRSS:"); }

// Sets the peak back to what is resident now; false where that cannot be done.
inline bool Remet_Pic()
{
#ifdef Q_OS_LINUX
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
#else
    return false;
#endif
}

inline qint64 Pic() { return Champ_Status("VmHWM:"); }

} // namespace Memoire_Residente

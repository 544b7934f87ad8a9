#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QString>

#include <chrono>
#include <thread>

// Starts a writer built beside the test, waits for its "pret", lets it work
// `attente_us`, then kills it: SIGKILL on Linux, TerminateProcess on Windows,
// no chance to tidy up. Empty when all went so, else what went wrong.
inline QString Lance_Puis_Tue(const QString &programme, const QStringList &arguments, qint64 attente_us)
{
    QProcess ecrivain;
    // Starting a process takes long under Wine on a busy machine, and there
    // it sometimes fails outright: it is tried again, which changes nothing.
    bool parti = false;
    for (int essai = 0; essai < 3 && !parti; ++essai) {
        ecrivain.start(QDir(QCoreApplication::applicationDirPath()).filePath(programme), arguments);
        parti = ecrivain.waitForStarted(120000);
    }
    if (!parti)
        return ecrivain.errorString();
    if (!ecrivain.waitForReadyRead(120000))
        return QString::fromLocal8Bit(ecrivain.readAllStandardError()) + QStringLiteral(" (pas prêt)");
    std::this_thread::sleep_for(std::chrono::microseconds(attente_us));
    ecrivain.kill();
    if (!ecrivain.waitForFinished(10000))
        return QStringLiteral("toujours là après kill");
    if (ecrivain.exitStatus() != QProcess::CrashExit)
        return QString::fromLocal8Bit(ecrivain.readAllStandardError()) + QStringLiteral(" (fini seul)");
    return {};
}

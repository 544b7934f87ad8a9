#include "Application.h"

#include "Francais.h"
#include "Icone.h"

#include <QApplication>

void Prepare_Application()
{
    QApplication::setApplicationName(QStringLiteral("KOB_Dezudidar_ERI"));
    // The desktop's menu entry, whose icon the window shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("kob-dezudidar-eri"));
    QApplication::setWindowIcon(Icone::Moulin());
    Parle_Francais();
}

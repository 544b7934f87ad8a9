#include "Francais.h"
#include "Icone.h"
#include "Main.h"
#include "Mesure.h"
#include "Style_Leger.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOB_Dezudidar_ERI"));
    // The desktop's menu entry, whose icon the window shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("kob-dezudidar-eri"));
    QApplication::setWindowIcon(Icone::Moulin());
    Parle_Francais();
    Installe_Style_Leger();

    const bool mesure = Mesure::Demandee();
    if (mesure)
        Mesure::Prepare();
    Main fenetre;
    fenetre.show();
    if (mesure)
        Mesure::Lance(fenetre);
    return application.exec();
}

#include "Francais.h"
#include "Main.h"
#include "Mesure.h"
#include "Style_Leger.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOB_Dezudidar_ERI"));
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

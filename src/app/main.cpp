#include "Francais.h"
#include "Main.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOB_Dezudidar_ERI"));
    Parle_Francais();

    Main fenetre;
    fenetre.show();
    return application.exec();
}

#include "Application.h"
#include "Main.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    Prepare_Application();
    Main fenetre;
    fenetre.show();
    return application.exec();
}

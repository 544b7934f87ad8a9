#include "Main.h"

#include "Reglages.h"

Main::Main(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("  KOB_Dezudidar_ERI    Revision ") + QString::fromLatin1(Sous_Programmes::Revision_Programme));
    resize(538, 530);
}

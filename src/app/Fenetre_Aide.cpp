#include "Fenetre_Aide.h"

#include <QUrl>

Fenetre_Aide::Fenetre_Aide(const QString &fichier, QWidget *parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("Aide"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("KOB_Dezudidar_ERI - Mode d'emploi"));
    setOpenExternalLinks(true);
    resize(640, 560);
    setSource(QUrl::fromLocalFile(fichier), QTextDocument::HtmlResource);
}

void Fenetre_Aide::montre_sommaire()
{
    scrollToAnchor(QStringLiteral("sommaire"));
    show();
    raise();
    activateWindow();
}

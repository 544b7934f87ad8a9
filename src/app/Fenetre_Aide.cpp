#include "Fenetre_Aide.h"

#include "Accessibilite.h"
#include "Fenetres.h"
#include "Fichier.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>

using namespace Sous_Programmes;

Fenetre_Aide::Fenetre_Aide(const QString &fichier, QWidget *parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("Aide"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("KOB_Dezudidar_ERI - Mode d'emploi"));
    setOpenExternalLinks(true);
    Accessibilite::Echap_Ferme(this);
    Accessibilite::Nomme(this, QStringLiteral("Mode d'emploi"));
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

Sous_Programmes::Resultat<QString> Copie_Manuel_Pour_Navigateur(const QString &manuel, const QString &dossier)
{
    auto texte = Lit_Fichier(manuel);
    if (!texte)
        return Erreur{texte.erreur()};
    const QString copie = QDir(dossier).filePath(QStringLiteral("KOB_Dezudidar_ERI - Mode d'emploi.html"));
    if (auto s = Reecrit_Fichier(copie, QStringLiteral("KOB_Dezudidar_ERI - Mode d'emploi.tmp"), texte.valeur(),
                                 Si_Absent::Creer);
        !s)
        return Erreur{s.erreur()};
    return copie;
}

std::optional<QString> Fenetre_Aide::Ouvre_Manuel(QPointer<Fenetre_Aide> &aide, const QString &dossier, bool dans_navigateur)
{
    const QString fichier = QDir(dossier).filePath(QStringLiteral("KOB_Dezudidar_ERI.hlp"));
    if (!QFile::exists(fichier))
        return QStringLiteral("Le mode d'emploi est introuvable : le fichier %1 manque à côté du programme.").arg(QDir::toNativeSeparators(fichier));
    // The program's own window stays the way out when no browser takes the manual.
    if (dans_navigateur) {
        const auto copie = Copie_Manuel_Pour_Navigateur(fichier, QDir::tempPath());
        if (copie && QDesktopServices::openUrl(QUrl::fromLocalFile(copie.valeur())))
            return std::nullopt;
    }
    if (!aide) {
        aide = new Fenetre_Aide(fichier);
        Fenetres::Centre(aide);
    }
    aide->montre_sommaire();
    return std::nullopt;
}

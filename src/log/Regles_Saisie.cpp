#include "Regles_Saisie.h"

#include "Dates.h"

namespace Sous_Programmes {

QString Verifie_Date(const QString &texte, const QString &annee_challenge)
{
    if (texte.isEmpty())
        return QStringLiteral("Entrez une date");
    if (texte.size() != 8)
        return QStringLiteral("Format de la date JJ/MM/AA");
    if (Controle_Date(texte) == 1)
        return QStringLiteral("Le format date doit etre JJ/MM/AA");
    if (texte.right(2) != annee_challenge.right(2))
        return QStringLiteral("Attention la date saisie ne correspond pas a l'année du Radovered");
    return {};
}

QString Verifie_Indicatif(const QString &texte)
{
    if (texte.isEmpty())
        return QStringLiteral("Entrez un indicatif");
    if (texte.size() > 12)
        return QStringLiteral("12 caracteres maxi pour l'indicatif");
    return {};
}

QString Verifie_DMF(const QString &texte)
{
    if (texte.size() != 5)
        return QStringLiteral("5 chiffres pour le N° du Moulin");
    for (QChar c : texte) {
        if (!((c >= u'0' && c <= u'9') || c == u'A' || c == u'B'))
            return QStringLiteral("Le N° du Moulin ne doit comporter que des chiffres");
    }
    return {};
}

std::optional<Refus_Saisie> Refus_Champs(const Champs_QSO &champs, const QString &annee_challenge)
{
    if (QString r = Verifie_Date(champs.date, annee_challenge); !r.isEmpty())
        return Refus_Saisie{QStringLiteral("Date"), std::move(r)};
    if (QString r = Verifie_Indicatif(champs.indicatif); !r.isEmpty())
        return Refus_Saisie{QStringLiteral("Indicatif"), std::move(r)};
    if (QString r = Verifie_DMF(champs.dmf); !r.isEmpty())
        return Refus_Saisie{QStringLiteral("N° DMF"), std::move(r)};
    return std::nullopt;
}

Resultat<QByteArray> Ligne_A_Enregistrer(const Champs_QSO &champs, const QString &annee_challenge)
{
    if (const auto refus = Refus_Champs(champs, annee_challenge))
        return Erreur{QStringLiteral("Le QSO n'est pas enregistré. Champ « %1 » : %2").arg(refus->champ, refus->raison)};
    // The type is free text: only its length and characters can be refused.
    return Construit_Ligne_QSO(champs);
}

} // namespace Sous_Programmes

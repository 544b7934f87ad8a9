#include "Controles_Saisie.h"

#include "Dates.h"

namespace Controles_Saisie {

QChar Majuscule_Frappee(QChar c)
{
    if (c >= u'a' && c <= u'z')
        return QChar(c.unicode() - 32);
    return c;
}

QString Verifie_Date(const QString &texte, const QString &annee_challenge)
{
    if (texte.isEmpty())
        return QStringLiteral("Entrez une date");
    if (texte.size() != 8)
        return QStringLiteral("Format de la date JJ/MM/AA");
    if (Sous_Programmes::Controle_Date(texte) == 1)
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

QString Message_Doublon(const QString &dmf, const QString &date)
{
    return QStringLiteral("Le Moulin N° ") + dmf + QStringLiteral(" a déja été contacté le ") + date
        + QStringLiteral("\r\n   mettre Type Activité a Double ou annulez la saisie");
}

QString Partie_QSO(const QString &ligne_liste)
{
    return ligne_liste.mid(Sous_Programmes::Longueur_Prefixe_Liste(ligne_liste));
}

std::optional<Sous_Programmes::Champs_QSO> QSO_De_Ligne_Liste(const QString &ligne_liste)
{
    const QString qso = Partie_QSO(ligne_liste);
    if (ligne_liste.isEmpty() || qso.mid(8, 8) == QString(8, u' '))
        return std::nullopt;
    return Sous_Programmes::Champs_QSO{qso.left(8), qso.mid(9, 1).trimmed() == QStringLiteral("*"),
                                       qso.mid(10, 5).trimmed(), qso.mid(17, 22).trimmed(), qso.mid(41, 12).trimmed()};
}

Sous_Programmes::Resultat<QByteArray> Ligne_A_Enregistrer(const Sous_Programmes::Champs_QSO &champs,
                                                          const QString &annee_challenge)
{
    auto refus = [](const QString &champ, const QString &raison) {
        return Sous_Programmes::Erreur{QStringLiteral("Le QSO n'est pas enregistré. Champ « %1 » : %2").arg(champ, raison)};
    };
    if (const QString r = Verifie_Date(champs.date, annee_challenge); !r.isEmpty())
        return refus(QStringLiteral("Date"), r);
    if (const QString r = Verifie_Indicatif(champs.indicatif); !r.isEmpty())
        return refus(QStringLiteral("Indicatif"), r);
    if (const QString r = Verifie_DMF(champs.dmf); !r.isEmpty())
        return refus(QStringLiteral("N° DMF"), r);
    // The type is free text: only its length and characters can be refused.
    return Sous_Programmes::Construit_Ligne_QSO(champs);
}

} // namespace Controles_Saisie

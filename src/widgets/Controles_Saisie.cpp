#include "Controles_Saisie.h"


namespace Controles_Saisie {

QChar Majuscule_Frappee(QChar c)
{
    if (c >= u'a' && c <= u'z')
        return QChar(c.unicode() - 32);
    return c;
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

} // namespace Controles_Saisie

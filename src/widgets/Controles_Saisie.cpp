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


} // namespace Controles_Saisie

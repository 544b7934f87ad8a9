#include "Dates.h"

#include <QLocale>

namespace Sous_Programmes {

QString Date_Jour(const QDateTime &instant)
{
    return instant.toUTC().date().toString(QStringLiteral("dd/MM/yy"));
}

QString Heure_Utc(const QDateTime &instant)
{
    return instant.toUTC().time().toString(QStringLiteral("HH:mm:ss"));
}

QString Heure_Locale(const QDateTime &instant, const QTimeZone &zone)
{
    return instant.toTimeZone(zone).time().toString(QStringLiteral("HH:mm:ss"));
}

int Controle_Date(const QString &texte)
{
    auto car = [&](qsizetype i) { return i < texte.size() ? texte.at(i).unicode() : char16_t(0); };
    int resultat = 0;
    for (qsizetype i : {0, 1, 3, 4, 6, 7}) {
        if (car(i) < u'0' || car(i) > u'9')
            resultat = 1;
    }
    for (qsizetype i : {2, 5}) {
        if (car(i) != u'/')
            resultat = 1;
    }
    return resultat;
}

QString Date_Courte(const QDate &date) { return QLocale(QLocale::French, QLocale::France).toString(date, QLocale::ShortFormat); }

} // namespace Sous_Programmes

#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

// Dates dd/mm/yy and times hh:mm:ss. The instant and the zone are parameters
// so that any moment can be reproduced; the defaults are the real clock.
namespace Sous_Programmes {

// Today in UTC, the time reference of the log.
QString Date_Jour(const QDateTime &instant = QDateTime::currentDateTimeUtc());
QString Heure_Utc(const QDateTime &instant = QDateTime::currentDateTimeUtc());
QString Heure_Locale(const QDateTime &instant = QDateTime::currentDateTimeUtc(),
                     const QTimeZone &zone = QTimeZone::systemTimeZone());

// 0 when the text has the shape dd/mm/yy (digits and slashes at their
// places), 1 otherwise. The values themselves are not examined.
int Controle_Date(const QString &texte);

// A date as France writes it short: 15/03/2007.
QString Date_Courte(const QDate &date);

} // namespace Sous_Programmes

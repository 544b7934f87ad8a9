#pragma once

#include <QByteArray>
#include <QString>

// ADIF written by hand for the tests: a field, a record.
inline QByteArray F(const char *nom, const QByteArray &valeur)
{
    return '<' + QByteArray(nom) + ':' + QByteArray::number(valeur.size()) + '>' + valeur + ' ';
}

inline QByteArray Enr(const QByteArray &champs) { return champs + "<EOR>\r\n"; }

// `nombre` QSOs of a day of activation from 08:00 UTC, a minute apart, each
// with its own callsign, on 40 m SSB, operated by F8KOB as F8KOB/P; at the
// station's mill `mon_moulin` (none when empty).
inline QByteArray QSO_Activation(int nombre, const QByteArray &jour, const QByteArray &mon_moulin)
{
    QByteArray s;
    for (int i = 0; i < nombre; ++i) {
        QByteArray champs = F("CALL", "F5A" + QByteArray::number(100 + i)) + F("QSO_DATE", jour)
                          + F("TIME_ON", QString::asprintf("%02d%02d", 8 + i / 60, i % 60).toLatin1()) + F("BAND", "40m")
                          + F("MODE", "SSB") + F("FREQ", "7.088") + F("OPERATOR", "F8KOB") + F("STATION_CALLSIGN", "F8KOB/P");
        if (!mon_moulin.isEmpty())
            champs += F("MY_SIG", "DMF") + F("MY_SIG_INFO", mon_moulin);
        s += Enr(champs);
    }
    return s;
}

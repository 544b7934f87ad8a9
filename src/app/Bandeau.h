#pragma once

#include <QDateTime>
#include <QTimeZone>
#include <QWidget>
#include <functional>

class QLabel;

// The band at the top of the main window: today's UTC date, the challenge's
// year and the station, the local and UTC times, told again every second.
class Bandeau : public QWidget {
    Q_OBJECT

public:
    Bandeau(std::function<QDateTime()> horloge, const QTimeZone &zone, QWidget *parent);

    void montre_station(const QString &indicatif, const QString &annee);

private:
    void Timer1_Timer();

    std::function<QDateTime()> m_horloge;
    QTimeZone m_zone;
    QLabel *Label33, *A_Challenge, *I_Station, *Label34, *Label37;
};

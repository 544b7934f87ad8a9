#pragma once

#include <QObject>
#include <QString>

#include <memory>

// What tells the operator of an alert outside the program's windows: the
// desktop's notification and a short sound. Tests give one that only counts.
class Avertisseur : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // A notification of the desktop, where it offers one.
    virtual void notifie(const QString &texte) = 0;
    // The sound, played without waiting for it, where the system can.
    virtual void sonne() = 0;

signals:
    // The operator clicked the notification.
    void notification_choisie();
};

// The desktop's notification area, and the sound `son` (a WAV file).
std::unique_ptr<Avertisseur> Avertisseur_Bureau(const QString &son);

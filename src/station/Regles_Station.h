#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The checks and the file work of the station window.
namespace Regles_Station {

struct Refus {
    QString message;
    bool vider_indicatif = false;
};

// The callsign and the year as validated: both already in capitals.
std::optional<Refus> Verifie(const QString &indicatif, const QString &annee);

// The callsign as the operator reads it: "_" shown as "/".
QString Indicatif_Affiche(const QString &indicatif);

// Makes sure the log of the station exists, from the template when it is
// missing, and saves the station. An existing log is never touched, even one
// that cannot be read. Gives what the operator must be told, in French.
QStringList Prepare_Station(const QString &indicatif, const QString &annee, const QString &dossier);

} // namespace Regles_Station

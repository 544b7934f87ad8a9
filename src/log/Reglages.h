#pragma once

#include "Resultat.h"

#include <QString>
#include <initializer_list>
#include <optional>
#include <utility>

class QSettings;

// The per-user settings of the program: a general section "Setup " and one
// section per station callsign, "Setup " followed by the callsign.
namespace Sous_Programmes {

inline constexpr const char *Nom_Application = "Dezudidar_ERI";
inline constexpr const char *Indicatif_Provisoire = "FXXXX";
inline constexpr const char *Annee_Provisoire = "XXXX";
// What the station window reads back when a station has no year saved.
inline constexpr const char *Annee_Inconnue = "----";
inline constexpr const char *Revision_Programme = " 1.0.9";

// The organisation the settings are filed under: "Dezudidar_ERI", unless the
// application was given another organisation name (the tests, on Windows,
// where the settings are in the registry and cannot be sent to a folder).
QString Organisation_Reglages();

// Writes the values ("section/key", value) and makes sure they reached the store.
Statut Sauve_Reglages(std::initializer_list<std::pair<QString, QString>> valeurs);

// A TCP port kept under `cle` ("section/key"), or `defaut` when none valid is.
int Lit_Port(const QSettings &s, const QString &cle, int defaut);
// A host typed for a connection, trimmed: there, without a blank or a
// control character, within the 253 characters of a DNS name.
enum class Forme_Adresse { Bonne, Vide, Mauvaise };
Forme_Adresse Verifie_Adresse(const QString &adresse);

QString Section_Generale();
QString Section_Station(const QString &indicatif);

// No station has been set up yet: there is no log to use.
bool Premiere_Installation(const QString &indicatif);
QString Message_Premiere_Installation();

// The station read from the settings, when its callsign or year cannot name
// a file of the program folder: what the operator is told, naming the setting.
std::optional<QString> Refus_Reglages_Station(const QString &indicatif, const QString &annee);

// What the main window starts with.
struct Etat_Demarrage {
    QString indicatif;
    QString annee;
    int type_activite = 0; // 0 to 8, or -1 for a typed text
    bool date_automatique = true;
};

// Reads the station and its settings and rewrites the program folder and the
// revision, as every start does.
Etat_Demarrage Charge_Reglages(const QString &dossier_programme);

QString Lit_Indicatif_Station();
QString Lit_Annee_Radovered(const QString &indicatif, const QString &defaut);

// The stored activity position as the list can use it; anything the program
// never writes counts as the first type.
int Position_Type_Activite(const QString &texte);

Statut Sauve_Station(const QString &indicatif, const QString &annee);
Statut Sauve_Type_Activite(const QString &indicatif, int position);
Statut Sauve_Date_Automatique(const QString &indicatif, bool automatique);
// The station's Maidenhead locator, as the station window checked it; empty when none.
QString Lit_Locator(const QString &indicatif);
Statut Sauve_Locator(const QString &indicatif, const QString &locator);

} // namespace Sous_Programmes

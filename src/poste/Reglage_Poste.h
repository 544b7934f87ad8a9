#pragma once

#include "Frequences.h"
#include "Resultat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

// The station's radio, reached through Hamlib's network daemon (rigctld) or
// flrig: what is kept of it, and what a spot asks of it.
namespace Radio {

enum class Type { Aucun, Hamlib, Flrig };
inline constexpr Type Types[] = {Type::Aucun, Type::Hamlib, Type::Flrig};
// "Aucun", "Hamlib (rigctld)", "flrig".
QString Nom_Type(Type type);
int Port_Par_Defaut(Type type);
// The port once the type changes: it follows the type while it is the old
// type's own, and stays what the operator made it otherwise.
int Port_Apres_Changement(Type ancien, Type nouveau, int port);

// What is kept in the settings' group "Poste".
struct Reglages {
    Type type = Type::Aucun;
    QString adresse = QStringLiteral("127.0.0.1");
    int port = 4532;
    bool operator==(const Reglages &) const = default;
};
Reglages Lit_Reglages();
Sous_Programmes::Statut Sauve_Reglages(const Reglages &r);
// Why the address cannot be reached for; none when it can.
std::optional<QString> Refus_Adresse(const QString &adresse);

// What a spot's comment asks of the radio. The data modes (FT8, FT4, PSK)
// are the radio's data mode on the upper sideband.
enum class Mode { CW, USB, LSB, FM, AM, RTTY, Donnees };
// The first mode the comment names, SSB being USB from 10 MHz up and LSB
// below; none when it names none.
std::optional<Mode> Mode_Du_Commentaire(QByteArrayView commentaire, qint64 hertz);
// The mode an announcement proposes: the one the spot's comment names
// ("FT8", "CW", "SSB"), else the radio's when a cluster user reads it as a
// mode ("USB", "CW" for "CW-R"); empty for a radio's data-mode name
// ("PKTUSB", "USB-D"), which says nothing of what is sent.
QString Mode_Annonce(QByteArrayView commentaire_spot, const QString &mode_poste);
// "données (USB)" for the data mode, the mode's own name otherwise.
QString Nom_Mode(Mode mode);

// Hamlib's name of the mode, for `M`.
QByteArray Mode_Hamlib(Mode mode);
// The radio's own name of the mode among those flrig lists for it (radios
// differ: "CW-U", "USB-D", "DATA-U"...); empty when it has none of them.
QString Mode_Flrig(Mode mode, const QStringList &modes_du_poste);

// What the radio says it is on.
struct Lecture {
    qint64 hertz = 0;
    QString mode;
};
// "14 285,0 kHz en USB".
QString Texte_Lecture(const Lecture &l);

} // namespace Radio

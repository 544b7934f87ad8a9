#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

// The two ways of talking to the radio, as bytes: what is sent, and where an
// answer being received stands.
namespace Radio {

struct Reponse {
    enum Etat { Incomplete, Complete, Illisible, Refus };
    Etat etat = Incomplete;
    QStringList valeurs; // Complete: the answer's values
    QString raison;      // Illisible, Refus: why, in French
};

// No answer of a radio is longer: more is a peer that is no radio.
inline constexpr qsizetype Reponse_Maximum = 64 * 1024;

// Hamlib's daemon, one command a line: `f` answers a line, `m` two, a
// command that sets answers "RPRT 0", a refusal "RPRT -n".
namespace Hamlib {
Reponse Analyse(QByteArrayView recu, int lignes_attendues);
// What Hamlib's error code means, in French.
QString Sens_Code(int code);
} // namespace Hamlib

// flrig's XML-RPC over HTTP.
namespace XMLRPC {
// The whole request of one call; `parametre` is already a typed value
// ("<double>14285000</double>").
QByteArray Requete(const QString &hote, quint16 port, QByteArrayView methode, QByteArrayView parametre = {});
// The HTTP answer of one call; `fin` once the peer has closed the connection.
// An array's values are each a value; a fault is a refusal with its words.
Reponse Analyse(QByteArrayView recu, bool fin);
} // namespace XMLRPC

// A frequency a radio gives, in Hz ("14285000", "14285000.000000"); none
// when it is not one.
std::optional<qint64> Hertz_Lus(const QString &texte);
// A mode's name as a radio gives it: letters, with digits, "-", "+" and "_".
bool Mode_Lisible(const QString &texte);
// The start of what came, its control bytes shown, for a status line.
QString Extrait(QByteArrayView recu);

} // namespace Radio

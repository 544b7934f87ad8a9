#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <variant>

// The station's own activation announced on the node: the fields checked,
// the DX command, and what the node answers.
namespace Cluster {

// The amateur bands, in kHz, from 160 m to 70 cm.
struct Bande {
    qint64 debut_khz, fin_khz;
};
inline constexpr Bande Bandes[] = {{1'800, 2'000},       {3'500, 3'800},       {5'351, 5'367},     {7'000, 7'200},
                                   {10'100, 10'150},     {14'000, 14'350},     {18'068, 18'168},   {21'000, 21'450},
                                   {24'890, 24'990},     {28'000, 29'700},     {50'000, 52'000},   {70'000, 70'500},
                                   {144'000, 146'000},   {430'000, 440'000}};
bool Dans_Une_Bande(qint64 hertz);

// What the dialog's fields hold.
struct Champs_Annonce {
    QString frequence; // kHz
    QString indicatif;
    QString dmf;
    QString commentaire;
};
enum class Champ_Annonce { Frequence, Indicatif, DMF, Commentaire };
struct Refus_Annonce {
    Champ_Annonce champ;
    QString message; // names the field
};
// Ready to send: printable ASCII only, no line end.
struct Annonce {
    qint64 hertz = 0;
    QByteArray frequence; // kHz, one decimal: "14285.0"
    QByteArray indicatif;
    QByteArray commentaire;
};
inline constexpr int Commentaire_Maximum = 30;
// The kHz with the one decimal nodes take: "14285.0".
QByteArray Frequence_Annonce(qint64 hertz);
// The announcement, or the first field refused and why.
std::variant<Annonce, Refus_Annonce> Prepare_Annonce(const Champs_Annonce &champs);

// "DX 14285.0 F8KOB/P DMF 21001 USB", without its line end; none when the
// announcement holds a byte that could end the node's line.
std::optional<QByteArray> Ligne_Annonce(const Annonce &a);

// A node's line refusing a spot, told in French with the node's own words;
// none for any other line.
std::optional<QString> Refus_Du_Noeud(QByteArrayView ligne);

} // namespace Cluster

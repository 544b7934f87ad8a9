#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Frequencies as spots and the radio give them.
namespace Sous_Programmes {

// A frequency in kHz as a node writes it ("14285.0", "7012") or an operator
// types it ("3532,5"), in Hz; none when it is not one.
std::optional<qint64> Hertz_De_kHz(QByteArrayView khz);
// The same in tenths of a kHz, rounded once from what was typed.
std::optional<qint64> Dixiemes_De_kHz(QByteArrayView khz);
// Hz in tenths of a kHz, rounded: the one decimal shown and announced.
inline qint64 Dixiemes_kHz(qint64 hertz) { return (hertz + 50) / 100; }
// The kHz as the program writes them, one decimal: "14 285,0".
QString Texte_kHz(qint64 hertz);

} // namespace Sous_Programmes

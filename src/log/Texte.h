#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

// The log holds one byte per character in Windows-1252; windows show QString.
namespace Sous_Programmes {

QString Depuis_Log(QByteArrayView octets);

// Empty when a character has no byte in Windows-1252; `fautif` then holds it.
std::optional<QByteArray> Vers_Log(const QString &texte, QString *fautif = nullptr);
// A document's lines as a text file: Windows-1252, CR LF; what the code page
// cannot hold shows as "?", the file being read, not read back.
QByteArray Texte_Lignes(const QStringList &lignes);
// The widest line of a document that a printed page holds.
inline constexpr qsizetype Largeur_Page = 80;
// A line wider than that goes on below, cut at a blank and indented under its start.
void Ajoute_Coupee(QStringList &lignes, const QString &ligne);

// Blanks (and only blanks) removed at both ends, as the log's readers compare.
QByteArrayView Sans_Blancs(QByteArrayView texte);

// ASCII letters and digits, whatever the code page: what ends a word in a
// reference or a list of numbers.
inline bool Alphanumerique(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
// Only ASCII letters in either case, digits and the characters of `autres`.
bool Lettres_Chiffres_Ou(QStringView texte, QStringView autres);
inline char Majuscule_Ascii(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

// A count as French writes it: "1 402".
QString Nombre(qsizetype n);

// The text with its control characters shown as "?", for a message.
QString Texte_Visible(const QString &texte);

} // namespace Sous_Programmes

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The log holds one byte per character in Windows-1252; windows show QString.
namespace Sous_Programmes {

QString Depuis_Log(QByteArrayView octets);

// Empty when a character has no byte in Windows-1252; `fautif` then holds it.
std::optional<QByteArray> Vers_Log(const QString &texte, QString *fautif = nullptr);

// Blanks (and only blanks) removed at both ends, as the log's readers compare.
QByteArrayView Sans_Blancs(QByteArrayView texte);

// The text with its control characters shown as "?", for a message.
QString Texte_Visible(const QString &texte);

} // namespace Sous_Programmes

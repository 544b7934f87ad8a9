#pragma once

#include "Ligne_QSO.h"
#include "Resultat.h"

#include <QChar>
#include <QColor>
#include <QString>
#include <optional>

// The checks of the entry fields, each giving the refusal to show, or an
// empty text when the field is accepted.
namespace Controles_Saisie {

inline constexpr QRgb Jaune_Pale = 0xFFFFC0;
inline constexpr QRgb Vert_Pale = 0xC0FFC0;

// A letter a to z typed becomes its capital; every other key passes.
QChar Majuscule_Frappee(QChar c);

QString Verifie_Date(const QString &texte, const QString &annee_challenge);
QString Verifie_Indicatif(const QString &texte);
QString Verifie_DMF(const QString &texte);
QString Message_Doublon(const QString &dmf, const QString &date);

// The stored line inside a list line: what follows the number and its blanks.
QString Partie_QSO(const QString &ligne_liste);

// The QSO of a list line as the entry fields show it: the date as it stands,
// the other fields without their blanks. None when the line holds no QSO
// (blanks from the blank after the date to the one after the DMF number).
std::optional<Sous_Programmes::Champs_QSO> QSO_De_Ligne_Liste(const QString &ligne_liste);

// Every field again, just before writing, since they stay editable after
// their own check: the QSO line, or the refusal naming the field.
Sous_Programmes::Resultat<QByteArray> Ligne_A_Enregistrer(const Sous_Programmes::Champs_QSO &champs,
                                                          const QString &annee_challenge);

} // namespace Controles_Saisie

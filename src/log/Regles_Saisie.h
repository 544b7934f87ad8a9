#pragma once

#include "Ligne_QSO.h"
#include "Resultat.h"

#include <QString>
#include <optional>

// The checks of the QSO entry, field by field: what the operator is told when
// Enter is pressed in a field, and again before a line is written, whether
// typed or imported. Each gives the refusal to show, or an empty text.
namespace Sous_Programmes {

QString Verifie_Date(const QString &texte, const QString &annee_challenge);
QString Verifie_Indicatif(const QString &texte);
QString Verifie_DMF(const QString &texte);

// The first field the entry refuses, named by its label, and why.
struct Refus_Saisie {
    QString champ;
    QString raison;
};
std::optional<Refus_Saisie> Refus_Champs(const Champs_QSO &champs, const QString &annee_challenge);

// Every field again, just before writing, since they stay editable after
// their own check: the QSO line, or the refusal naming the field.
Resultat<QByteArray> Ligne_A_Enregistrer(const Champs_QSO &champs, const QString &annee_challenge);

} // namespace Sous_Programmes

#pragma once

#include "Resultat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

// The published list of validated mills, and the pending QSOs it validates.
namespace Sous_Programmes {

class Contenu_Log;

// Every DMF number of a text of any layout: five characters of digits, A and
// B (either case) standing as a whole word. In capitals.
QSet<QByteArray> Numeros_Valides(QByteArrayView texte);

// The pending lines ("*") of a log whose number the list holds.
struct Apercu_Validations {
    std::vector<qsizetype> lignes; // their indices, in file order
    qsizetype restent = 0;         // pending lines the list does not validate
    long long points = 0;          // what the total gains
};
Apercu_Validations Apercu(const Contenu_Log &contenu, const QSet<QByteArray> &numeros);

// What a published list would validate in a log, its lines as the main list
// shows them; a French refusal when it would change nothing.
struct Validations_Proposees {
    Apercu_Validations apercu;
    QStringList lignes;
};
Resultat<Validations_Proposees> Propose_Validations(const Contenu_Log &contenu, const QSet<QByteArray> &numeros,
                                                    const QString &fichier);

// Removes the "*" of the pending lines whose number the list holds, in one
// rewrite; every other byte stays. Gives how many lines were validated.
Resultat<qsizetype> Valide_QSO(const QString &chemin_log, const QSet<QByteArray> &numeros);

} // namespace Sous_Programmes

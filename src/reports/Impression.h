#pragma once

#include "Imprimante.h"
#include "Resultat.h"

class QWidget;

namespace Sous_Programmes {

class Contenu_Log;

// Prints the contacted-mills listing of the log, after the print dialog.
Statut Imprime_Contactes(QWidget *parent, const Contenu_Log &contenu, const QString &indicatif, const QString &annee,
                         const QString &date_du_jour, const QString &total);

} // namespace Sous_Programmes

#pragma once

#include "Resultat.h"

#include <QStringList>
#include <functional>

class QPaintDevice;
class QPrinter;
class QWidget;

namespace Impression {

// Who chooses the printer: the print dialog, unless a test answers instead.
// False when the operator cancels.
using Choix = std::function<bool(QPrinter &imprimante, QWidget *parent)>;
void Installe_Choix(Choix choix);

// Draws the lines one below the other in a fixed-pitch bold 10-point font,
// going on at the top of a new page (`page_suivante`) when one is full.
Sous_Programmes::Statut Imprime_Lignes(QPaintDevice &feuille, const std::function<bool()> &page_suivante,
                                       const QStringList &lignes);

// The print command: the dialog, then the lines, unless it is cancelled.
Sous_Programmes::Statut Imprime(QWidget *parent, const QStringList &lignes);

} // namespace Impression

namespace Sous_Programmes {

class Contenu_Log;

// Prints the contacted-mills listing of the log, after the print dialog.
Statut Imprime_Contactes(QWidget *parent, const Contenu_Log &contenu, const QString &indicatif, const QString &annee,
                         const QString &date_du_jour, const QString &total);

} // namespace Sous_Programmes

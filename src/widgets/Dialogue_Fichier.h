#pragma once

#include <QString>
#include <functional>

class QFileDialog;
class QWidget;

// The file dialogs of the program, in French; a test answers instead of a person.
namespace Dialogue_Fichier {

// The file picked to be read, or empty when the operator cancels.
QString A_Ouvrir(QWidget *parent, const QString &titre, const QString &dossier, const QString &filtre);
// The file to write, `propose` offered first; empty when the operator cancels.
QString A_Enregistrer(QWidget *parent, const QString &titre, const QString &propose, const QString &filtre);

// The same, unless the file chosen is one of the program's own in `dossier`
// (a log, the template, the list of mills, a backup): the operator is told
// that `quoi` cannot replace it, and it is empty.
QString A_Ecrire(QWidget *parent, const QString &titre, const QString &propose, const QString &filtre, const QString &dossier,
                 const QString &quoi);

// The dialog both show. Where the desktop offers none, it is Qt's own,
// which then gives sizes, dates and types in French whatever the system's
// language.
QFileDialog *Cree_Dialogue(QWidget *parent, const QString &titre, const QString &depart, const QString &filtre, bool enregistrer);

// Gets the dialog's title and what it proposes, gives the chosen file. An
// empty function restores the dialogs.
using Repondeur = std::function<QString(const QString &titre, const QString &propose)>;
void Installe_Repondeur(Repondeur repondeur);

} // namespace Dialogue_Fichier

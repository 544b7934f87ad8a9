#pragma once

#include <QString>

class QLabel;
class QWidget;

// What screen readers say of the controls: a French name, and a description
// where the name alone does not say what a control holds or does.
namespace Accessibilite {

void Nomme(QWidget *controle, const QString &nom, const QString &description = {});
// The label says the field's name: the reader takes it from there.
void Etiquette_De(QLabel *etiquette, QWidget *champ);
// A label showing a value: `texte` painted, and for a screen reader `nom`,
// which says what the value is with it ("Station F1ABC"). Set again with
// each new value, so that the change is announced.
void Montre_Valeur(QLabel *etiquette, const QString &texte, const QString &nom);
// Escape closes the window, as it does a dialog.
void Echap_Ferme(QWidget *fenetre);

} // namespace Accessibilite

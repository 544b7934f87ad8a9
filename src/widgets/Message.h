#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

// Every message box of the program: its name as title, no icon.
namespace Message {

// Shows `texte` with an OK button.
void Information(QWidget *parent, const QString &texte);
// Asks `texte` with Yes and No; true on Yes.
bool Question(QWidget *parent, const QString &texte);

// The box as the program shows it, for whoever needs to look at it.
std::unique_ptr<QMessageBox> Boite(QWidget *parent, const QString &texte, QMessageBox::StandardButtons boutons);

// Who answers instead of a person (the tests): gets the text and the buttons
// offered, gives the button pressed. An empty function restores the dialogs.
using Repondeur = std::function<QMessageBox::StandardButton(const QString &texte, QMessageBox::StandardButtons boutons)>;
void Installe_Repondeur(Repondeur repondeur);

} // namespace Message

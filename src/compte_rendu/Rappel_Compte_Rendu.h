#pragma once

#include <QFrame>

class QLabel;

// The line under the main window's menus that reminds of the yearly report
// due: "Préparer" opens it, "×" puts the reminder away for that year.
class Rappel_Compte_Rendu : public QFrame {
    Q_OBJECT

public:
    Rappel_Compte_Rendu(const QString &texte, QWidget *parent = nullptr);

signals:
    void Preparer();
    void Ecarter();
};

#pragma once

#include <QTextBrowser>

// The operator's manual, an HTML file beside the program, opened at its
// table of contents.
class Fenetre_Aide : public QTextBrowser {
    Q_OBJECT

public:
    explicit Fenetre_Aide(const QString &fichier, QWidget *parent = nullptr);
    void montre_sommaire();
};

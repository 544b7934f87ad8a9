#pragma once

#include "Resultat.h"

#include <QTextBrowser>

// The operator's manual, an HTML file beside the program, opened at its
// table of contents.
class Fenetre_Aide : public QTextBrowser {
    Q_OBJECT

public:
    explicit Fenetre_Aide(const QString &fichier, QWidget *parent = nullptr);
    void montre_sommaire();
};

// Windows knows no program for ".hlp" files any more: the default browser gets
// a copy named ".html" in `dossier`. Returns the copy's path.
Sous_Programmes::Resultat<QString> Copie_Manuel_Pour_Navigateur(const QString &manuel, const QString &dossier);

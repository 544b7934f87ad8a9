#pragma once

#include "Resultat.h"

#include <QPointer>
#include <QTextBrowser>
#include <optional>

// The operator's manual, an HTML file beside the program, opened at its
// table of contents.
class Fenetre_Aide : public QTextBrowser {
    Q_OBJECT

public:
    explicit Fenetre_Aide(const QString &fichier, QWidget *parent = nullptr);
    void montre_sommaire();

    // The manual beside the program, in the default browser when asked,
    // else in `aide`, opened then; why not, when it is missing.
    static std::optional<QString> Ouvre_Manuel(QPointer<Fenetre_Aide> &aide, const QString &dossier, bool dans_navigateur);
};

// Windows knows no program for ".hlp" files any more: the default browser gets
// a copy named ".html" in `dossier`. Returns the copy's path.
Sous_Programmes::Resultat<QString> Copie_Manuel_Pour_Navigateur(const QString &manuel, const QString &dossier);

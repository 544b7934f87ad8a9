#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QWidget>

// Shared by the files of the main window.
namespace Main_Outils {

inline void Colore(QWidget *w, QRgb couleur)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, QColor(couleur));
    w->setPalette(p);
}

inline QString Titre_Saisie() { return QStringLiteral("Saisie ou modification d'un QSO"); }

} // namespace Main_Outils

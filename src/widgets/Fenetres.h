#pragma once

#include "Accessibilite.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QAbstractItemView;
class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QPushButton;

// Placement shared by every window of the program.
namespace Fenetres {

// Sizes of the original design (pixels at 96 dpi, or twips) enlarged alike,
// so that today's fonts fit while the proportions stay.
inline constexpr double Echelle = 1.25;
// How much larger than 9 points at 96 dpi the program's font is, never less
// than 1: the design's sizes grow with it, so that larger text is not cut.
double Agrandissement();
inline int Pixels(int valeur) { return qRound(valeur * Echelle * Agrandissement()); }
inline int Twips(int valeur) { return qRound(valeur / 15.0 * Echelle * Agrandissement()); }
inline QRect Place(int x, int y, int largeur, int hauteur)
{
    return QRect(Pixels(x), Pixels(y), Pixels(largeur), Pixels(hauteur));
}

// The control with its object name, by which the program and the tests find it.
template <typename T>
T *Nom_Objet(T *w, const char *nom)
{
    w->setObjectName(QString::fromLatin1(nom));
    return w;
}

// A control of a window laid out at fixed places, as the main window is.
template <typename T>
T *Cree(QWidget *parent, const char *nom, int x, int y, int largeur, int hauteur)
{
    auto *w = Nom_Objet(new T(parent), nom);
    w->setGeometry(Place(x, y, largeur, hauteur));
    return w;
}

// A font in bold of that size.
inline void Gras(QWidget *w, qreal points)
{
    QFont f = w->font();
    f.setBold(true);
    f.setPointSizeF(points);
    w->setFont(f);
}

// The background of an entry field: pale yellow at rest, pale green awaiting input.
inline void Colore(QWidget *w, QRgb couleur)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, QColor(couleur));
    w->setPalette(p);
}

// The band at the top of a window: a frame around a centred bold title.
QGroupBox *Bandeau_Titre(QWidget *parent, const char *nom, const QString &titre, qreal points);

// A fixed-pitch font: `famille` when the machine has it, else one that
// tools/paquets.sh installs, else the system's fixed font.
QFont Police_Fixe(const QString &famille);

// The font of the lists of QSO lines: fixed pitch, so that the columns stand
// under their headings.
QFont Police_Liste();

// A fixed-pitch list with its headings above it, each heading starting over
// the column (counted from 1) of the list's lines that it names. The headings
// sit in a strip named `nom_titres`.
struct Titre_Colonne {
    const char *nom;
    int colonne;
    QString texte;
};
QWidget *Liste_Titree(QWidget *parent, QAbstractItemView *liste, const char *nom_titres, const QList<Titre_Colonne> &titres);

// The row of buttons at the bottom right of a window, (name, caption) in
// reading order; the last one closes the window. Enter presses the button
// that has the focus.
QList<QPushButton *> Rangee_Boutons(QWidget *fenetre, QBoxLayout *page, const QList<std::pair<const char *, QString>> &boutons);
// That row with an action, then the button that closes the window.
QPushButton *Action_Et_Fermer(QWidget *fenetre, QBoxLayout *page, const char *nom_action, const QString &action,
                              const char *nom_fermer, const QString &fermer);

// Fields one under the other, each after its label, which names it for screen readers.
QGridLayout *Grille_Champs(QWidget *parent, const QList<std::pair<QString, QWidget *>> &champs);

// The window made to fit the free area of the screen it opens on (what it
// holds scrolls when even its smallest layout is too large), then set in
// the middle of that area.
void Centre(QWidget *fenetre);

// Brings an open window to the front; false when it is not open.
template <typename F>
bool Devant(QPointer<F> &fenetre)
{
    if (!fenetre || !fenetre->isVisible())
        return false;
    fenetre->raise();
    fenetre->activateWindow();
    return true;
}

// Modeless and single: created and centred the first time, brought to the
// front when already open; gone when closed, by its button or Escape.
template <typename F, typename... Arguments>
F *Ouvre(QPointer<F> &fenetre, Arguments &&...arguments)
{
    // One closed moments ago may still wait for its deletion: start over.
    if (fenetre && !fenetre->isVisible())
        delete fenetre.data();
    if (!fenetre) {
        fenetre = new F(std::forward<Arguments>(arguments)...);
        fenetre->setAttribute(Qt::WA_DeleteOnClose);
        Accessibilite::Echap_Ferme(fenetre);
        Centre(fenetre);
    }
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
    return fenetre;
}

} // namespace Fenetres

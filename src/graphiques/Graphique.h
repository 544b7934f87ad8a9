#pragma once

#include "Calculs_Graphique.h"

#include <QFont>
#include <QWidget>

#include <optional>

class QPainter;

namespace Graphiques {

// A chart on screen, drawn as on paper; pointing at it shows the date or
// month and each series' value there. A screen reader reads its title as its
// name and what it shows as its description.
class Graphique : public QWidget {
    Q_OBJECT

public:
    explicit Graphique(Contenu contenu, QWidget *parent = nullptr);

    const Contenu &contenu() const { return m_contenu; }
    // Where the values are painted at the widget's size.
    Repere repere() const;
    // The same chart on another device (an image, a page), `echelle` device
    // pixels for each pixel of the screen.
    void Dessine_Sur(QPainter &peintre, const QRectF &zone, qreal echelle) const;

protected:
    bool event(QEvent *evenement) override;
    void paintEvent(QPaintEvent *) override;
    void mouseMoveEvent(QMouseEvent *evenement) override;
    void leaveEvent(QEvent *) override;

private:
    int Place_Sous(QPointF point) const;
    qreal Echelle() const { return logicalDpiX() / 96.0; }

    Contenu m_contenu;
    int m_survol = -1;
    // Where the values were last painted, for the pointer's every move; good
    // while the size, scale and font it was laid out for stay.
    struct Repere_Garde {
        QSize taille;
        qreal echelle = 0;
        QFont police;
        Repere repere;
    };
    mutable std::optional<Repere_Garde> m_repere;
};

} // namespace Graphiques

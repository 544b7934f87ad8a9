#pragma once

#include "Autour.h"

#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QAction;

// The départements' outlines and the mills as dots of a fixed size on
// screen, whatever the zoom: wheel, + and −, dragging, arrows; a département
// double-clicked fills the view.
class Vue_Carte : public QWidget {
    Q_OBJECT

public:
    // `texte`: what pointing at a point says.
    Vue_Carte(const Moulins::Points_Carte &points, std::function<QString(int)> texte, QWidget *parent = nullptr);

    void montre(Moulins::Filtre filtre);
    // A point ringed, and brought into view; -1: none.
    void choisit(int point);
    void place_station(std::optional<Geo::Position> station);
    // Where the nearest mills are counted from, and within how far (0: no limit).
    void place_origine(std::optional<Geo::Position> origine, double rayon_km);

    void zoome(double facteur);
    void toute_la_france();
    void zoome_departement(int boite);
    // The part of the outlines in view, in their own coordinates.
    QRectF vue() const { return m_vue; }
    // Where a place of the outlines is on screen, and back.
    QPointF ecran(QPointF carte) const;
    QPointF carte(QPointF ecran) const;
    // The shown point under a place of the screen, or -1.
    int point_sous(QPointF ecran) const;

    QSize sizeHint() const override;

signals:
    void Point_Clique(int point);
    // "Partir d'ici": a place of the map.
    void Origine_Choisie(const Geo::Position &position);

protected:
    void paintEvent(QPaintEvent *) override;
    void wheelEvent(QWheelEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    bool event(QEvent *e) override;
    void resizeEvent(QResizeEvent *) override;

private:
    QTransform transformation() const;
    void change_vue(QRectF vue);
    void prepare_marques();

    const Moulins::Points_Carte &m_points;
    std::function<QString(int)> m_texte;
    Moulins::Filtre m_filtre = Moulins::Filtre::Restants;
    int m_choisi = -1;
    std::optional<Geo::Position> m_station, m_origine;
    double m_rayon_km = 0;
    QRectF m_vue;
    std::array<QPixmap, 3> m_marques; // by state
    qreal m_ratio_marques = 0;
    QPoint m_appui;
    QRectF m_vue_appui;
    bool m_glisse = false;
    QPointF m_menu; // where "Partir d'ici" was asked
    QAction *Partir_D_Ici;
};

#pragma once

#include <QLineF>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <bitset>

class QLabel;
class QPainter;
class QLineEdit;

// The map image: the départements, with those reached filled light green,
// and an enlarged inset of Paris and its three neighbours at the top left.
class Dessin_Carte : public QWidget {
    Q_OBJECT

public:
    Dessin_Carte(const std::bitset<100> &vert, QWidget *parent);

    // True for the indices of the map's départements (not 0, 20, 98, 99).
    static bool a_une_forme(int index);
    // The bounds of a département's shape on the screen: in the inset, enlarged,
    // for Paris and its neighbours. Null when there is none.
    QRectF zone(int index) const;
    // True when some of the département's own shape lies under `boite`.
    bool sous_la_boite(int index, const QRectF &boite) const;
    // A short line drawn from a box moved off its shape to that shape.
    void ajoute_renvoi(const QLineF &ligne) { m_renvois.append(ligne); }
    const QList<QLineF> &renvois() const { return m_renvois; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QTransform vers_ecran() const;
    QTransform vers_encart() const;
    QTransform transformation(int index) const;
    void dessine(QPainter &p, int index, const QTransform &t) const;

    std::bitset<100> m_vert;
    QList<QLineF> m_renvois;
    QRectF m_paris; // Paris and its neighbours, as the inset enlarges them
};

// The window: the year and the count above the map, a box per département.
class Carte_Acti : public QWidget {
    Q_OBJECT

public:
    // `moulins`: for each box, what the list of mills says of its département
    // ("12 moulins contactés sur 148"), or nothing.
    Carte_Acti(const std::bitset<100> &vert, int nombre, const QString &annee, const QStringList &moulins = {});

private:
    void Place_Boites(QSize taille);

    Dessin_Carte *Picture1;
    QLineEdit *Dep[100];
};

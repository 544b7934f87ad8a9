#pragma once

#include <QByteArray>
#include <QLineF>
#include <QList>
#include <QStringList>
#include <QSvgRenderer>
#include <QWidget>
#include <bitset>

class QLabel;
class QLineEdit;

// The map image: the départements, with those reached filled light green,
// and an enlarged inset of Paris and its three neighbours at the top left.
class Dessin_Carte : public QWidget {
    Q_OBJECT

public:
    Dessin_Carte(const std::bitset<100> &vert, QWidget *parent);

    // The bounds of a département's shape on the screen: in the inset, enlarged,
    // for Paris and its neighbours. Null when there is none.
    QRectF zone(int index) const;
    // True when some of the département's own shape lies under `boite`.
    bool sous_la_boite(int index, const QRectF &boite);
    // A short line drawn from a box moved off its shape to that shape.
    void ajoute_renvoi(const QLineF &ligne) { m_renvois.append(ligne); }
    const QList<QLineF> &renvois() const { return m_renvois; }

    // The map's SVG with the fill of every shape set from `vert`.
    // With `seules`, the other shapes are left out.
    static QByteArray Carte_Coloree(const std::bitset<100> &vert, double trait = 0.6, const QStringList &seules = {});
    // The shape of a box's département in the map, or empty for none.
    static QString Identifiant(int index);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QTransform vers_ecran() const;
    QTransform vers_encart() const;

    QSvgRenderer m_carte;
    QSvgRenderer m_encart; // the same shapes with lines thin enough to enlarge
    QList<QLineF> m_renvois;
    QRectF m_paris; // Paris and its neighbours, as the inset enlarges them
};

// The window: the year and the count above the map, a box per département.
class Carte_Acti : public QWidget {
    Q_OBJECT

public:
    Carte_Acti(const std::bitset<100> &vert, int nombre, const QString &annee);

private:
    void Place_Boites(QSize taille);

    Dessin_Carte *Picture1;
    QLineEdit *Dep[100];
};

#pragma once

#include "Veille_Spots.h"

#include <QFrame>
#include <QList>
#include <QSet>

class QLabel;
class QPushButton;
class QToolButton;

// The line under the main window's menus that tells of the needed mills
// spotted: the newest, and how many others wait behind it. Its owner shows
// it while it holds alerts.
class Ligne_Alerte : public QFrame {
    Q_OBJECT

public:
    explicit Ligne_Alerte(QWidget *parent = nullptr);

    void ajoute(const QList<Alerte> &nouvelles);
    // The alerts `encore` no longer keeps go; the line with them when none is left.
    void garde_si(const std::function<bool(const Alerte &)> &encore);
    // The alerts shown, newest first.
    const QList<Alerte> &alertes() const { return m_alertes; }
    void ferme();

signals:
    void voir(const Cluster::Spot &spot);
    // It has alerts to show, or no more: the window around it shows it or not.
    void visibilite_changee();

private:
    void montre();

    QList<Alerte> m_alertes;
    QSet<QByteArray> m_moulins; // those of m_alertes: a flood adds thousands
    QLabel *m_texte;
    QPushButton *m_voir;
    QToolButton *m_fermer;
};

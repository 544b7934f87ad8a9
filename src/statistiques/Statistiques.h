#pragma once

#include "Bilan_Annees.h"

#include <QDate>
#include <QWidget>

class QPainter;

namespace Graphiques {
class Graphique;
}

// The station's progress: this year's points against the earlier years',
// the months and the départements, and the years side by side.
class Statistiques : public QWidget {
    Q_OBJECT

public:
    // `aujourd_hui` ends this year's curves: the days to come are not drawn.
    Statistiques(Bilan::Statistiques donnees, const QString &dossier_programme, const QString &indicatif, QDate aujourd_hui);

    static constexpr QSize Taille_Image{1600, 1000};
    // The three charts on one page: the points above, the months and the
    // départements below.
    void Dessine(QPainter &peintre, const QRect &page) const;

signals:
    void Image_Enregistree(const QString &fichier);

private:
    void enregistre();
    void imprime();

    Bilan::Statistiques m_donnees;
    QString m_dossier, m_indicatif;
    Graphiques::Graphique *Graphique_Points, *Graphique_Mois, *Graphique_Departements;
};

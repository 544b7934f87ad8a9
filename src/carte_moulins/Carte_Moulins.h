#pragma once

#include "Autour.h"

#include <QAbstractTableModel>
#include <QWidget>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;
class Vue_Carte;

// The mills around a point, nearest first: the map's readable equivalent.
class Modele_Proches : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Colonne { Numero, Nom, Commune, Dept, Etat, Distance, Azimut, Nombre_Colonnes };

    Modele_Proches(const Moulins::Liste &liste, const Moulins::Restants &restants, const Moulins::Points_Carte &points,
                   QObject *parent = nullptr);
    // Distances and azimuths from `origine`, when there is one.
    void montre(std::vector<Moulins::Proche> proches, std::optional<Geo::Position> origine);
    const std::vector<Moulins::Proche> &proches() const { return m_proches; }
    // The row of a point, or -1.
    int rangee(int point) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const Moulins::Liste &m_liste;
    const Moulins::Restants &m_restants;
    const Moulins::Points_Carte &m_points;
    std::vector<Moulins::Proche> m_proches;
    std::vector<int> m_rangees; // by point, its row or -1
    std::optional<Geo::Position> m_origine;
};

// "Carte des moulins": the list's mills on the départements, coloured by
// what the log has of them, and the nearest ones from the station, a point
// of the map or a mill; saved as GPX.
class Carte_Moulins : public QWidget {
    Q_OBJECT

public:
    // `station`: the centre of its locator, written as `locator`.
    Carte_Moulins(std::shared_ptr<const Moulins::Liste> liste, Moulins::Restants restants,
                  std::optional<Geo::Position> station, const QString &locator, const QString &dossier);
    ~Carte_Moulins() override;

    const Moulins::Points_Carte &points() const { return m_points; }

private:
    void filtre();
    void calcule();
    void part_de(std::optional<Geo::Position> origine, const QString &texte);
    void point_clique(int point);
    void rangee_choisie();
    void depuis_station();
    void depuis_moulin();
    // The point of the table's current row, or -1.
    int point_choisi() const;
    void enregistre_gpx();
    Moulins::Filtre choix() const;

    std::shared_ptr<const Moulins::Liste> m_liste;
    Moulins::Restants m_restants;
    Moulins::Points_Carte m_points;
    std::optional<Geo::Position> m_station, m_origine;
    QString m_locator, m_dossier;

    Vue_Carte *m_vue;
    Modele_Proches *m_modele;
    QComboBox *Filtre_Carte;
    QLabel *Compte_Carte;
    QLabel *Origine_Proches;
    QSpinBox *Rayon;
    QTableView *Moulins_Proches;
    QPushButton *Depuis_Station;
    QPushButton *Depuis_Moulin;
};

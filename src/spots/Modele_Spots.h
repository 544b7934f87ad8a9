#pragma once

#include "Liste_Moulins.h"
#include "Locator.h"
#include "Spots.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <memory>
#include <optional>

// The spots as the table shows them, newest first, each with what the log
// says of its mill. Spots that come in a flood are shown a few times a
// second, not one by one.
class Modele_Spots : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Colonne { Heure, Frequence, Indicatif, DMF, Moulin, Departement, Etat, Commentaire, Spotteur, Colonnes };
    static constexpr int Role_Etat = Qt::UserRole;
    static constexpr int Intervalle_Affichage_ms = 250;

    // `moulins`: the list of mills, which names each spot's mill; none kept, none named.
    Modele_Spots(Cluster::Index_Log index, std::shared_ptr<const Moulins::Liste> moulins = {}, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void ajoute(const QList<Cluster::Spot> &spots);
    void change_log(Cluster::Index_Log index);
    void change_moulins(std::shared_ptr<const Moulins::Liste> moulins);
    // Where the station is, from its locator: the mill's tooltip then says
    // how far and which way, when the list gives its coordinates.
    void change_station(std::optional<Geo::Position> station);
    // The radio's frequency: the spots within 1 kHz of it in bold. None: no radio.
    void change_frequence_poste(std::optional<qint64> hertz);
    static constexpr qint64 Pres_Du_Poste_Hz = 1000;
    const Cluster::Spot &spot(int ligne) const { return m_liste.spot(ligne); }
    const Cluster::Index_Log &index_log() const { return m_index; }
    // Suppr: the row goes until its station spots that mill again.
    void cache(int ligne);
    // The spots heard before `limite` go, shown or waiting.
    void retire_avant(const QDateTime &limite);
    // When the oldest spot shown was heard.
    std::optional<QDateTime> plus_ancien() const;
    // Shows now what waits for the next showing.
    void montre();

private:
    // The mill's designation, with its distance and azimuth when known.
    QVariant Bulle_Moulin(QByteArrayView dmf) const;
    Cluster::Liste_Spots m_liste;
    Cluster::Liste_Spots m_en_attente; // bounded like the list, whatever the flood
    Cluster::Index_Log m_index;
    std::shared_ptr<const Moulins::Liste> m_moulins;
    std::optional<qint64> m_hertz_poste;
    std::optional<Geo::Position> m_station;
    QTimer m_affichage;
};

// Only the mills the log has never held.
class Filtre_Nouveaux : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void seulement_nouveaux(bool oui);

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex &parent) const override;

private:
    bool m_seulement = false;
};


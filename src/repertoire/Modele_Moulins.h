#pragma once

#include "Restants.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <memory>

// Mills of the list, a range of them in the order of numbers: number, name,
// commune, then their département, or what the log has of them when given.
class Modele_Moulins : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Colonne { Numero, Nom, Commune, Derniere, Nombre_Colonnes };
    // The state of the mill (Moulins::Etat) and its name and commune folded for a search.
    enum Role { Role_Etat = Qt::UserRole + 1, Role_Recherche };

    Modele_Moulins(std::shared_ptr<const Moulins::Liste> liste, const std::vector<Moulins::Etat_Moulin> *etats,
                   QObject *parent = nullptr);
    // The mills from `premier` on, `nombre` of them.
    void Montre(qsizetype premier, qsizetype nombre);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const Moulins::Liste> m_liste;
    const std::vector<Moulins::Etat_Moulin> *m_etats;
    qsizetype m_premier = 0, m_nombre = 0;
};

// The mills shown: those of one state ("Restants", "Contactés" with the
// pending ones, or all), whose name or commune holds the text searched.
class Filtre_Moulins : public QSortFilterProxyModel {
    Q_OBJECT

public:
    enum Choix { Restants, Tous, Contactes };
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void Choisit(Choix choix, const QString &texte);

protected:
    bool filterAcceptsRow(int rangee, const QModelIndex &parent) const override;

private:
    Choix m_choix = Restants;
    QString m_texte; // folded
};

// The rows of a table as text in fixed columns, under their headings.
QStringList Lignes_En_Colonnes(const QStringList &titres, const QList<QStringList> &rangees);

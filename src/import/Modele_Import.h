#pragma once

#include "Echange_ADIF.h"
#include "Liste_Moulins.h"

#include <QAbstractTableModel>
#include <memory>
#include <vector>

// The lines an import may add: a tick, the QSO, its type (changeable) and
// why it is shown so. A line already in the log, or one the entry would
// refuse, can be neither ticked nor changed.
class Modele_Import : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Colonne { Coche, Date, Indicatif, DMF, Moulin, Type, Remarque, Nombre_Colonnes };

    // `moulins` names each line's mill; a number it lacks stays importable.
    explicit Modele_Import(ADIF::Analyse analyse, std::shared_ptr<const Moulins::Liste> moulins = {}, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &valeur, int role = Qt::EditRole) override;

    qsizetype cochees() const;
    qsizetype deja_dans_le_log() const;
    qsizetype refuses() const;
    const ADIF::Analyse &analyse() const { return m_analyse; }
    // The log lines of the ticked rows, in file order.
    std::vector<QByteArray> lignes(bool attente) const;

signals:
    void Coches_Changees();

private:
    static bool Importable(const ADIF::Candidat &c);
    ADIF::Analyse m_analyse;
    std::shared_ptr<const Moulins::Liste> m_moulins;
    std::vector<bool> m_coches;
};

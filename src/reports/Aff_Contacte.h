#pragma once

#include "Journal.h"

#include <QAbstractListModel>
#include <QWidget>

// The rows of the contacted-mills listing, each made when it is shown, then
// an empty entry and the total.
class Modele_Contactes : public QAbstractListModel {
    Q_OBJECT

public:
    Modele_Contactes(Sous_Programmes::Contenu_Log contenu, const QString &total, QObject *parent);
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    Sous_Programmes::Contenu_Log m_contenu;
    QString m_total;
};

class Aff_Contacte : public QWidget {
    Q_OBJECT

public:
    Aff_Contacte(Sous_Programmes::Contenu_Log contenu, const QString &total);
};

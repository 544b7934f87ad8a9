#pragma once

#include "Journal.h"

#include <QAbstractListModel>
#include <functional>

// The main list: the log as read, each list line made when it is shown.
class Modele_Liste : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void remplace(Sous_Programmes::Contenu_Log contenu);
    // Replaces the content by what `lecture` gives, lending it the memory of
    // the content it replaces.
    void recharge(const std::function<Sous_Programmes::Contenu_Log(QByteArray tampon)> &lecture);
    const Sous_Programmes::Contenu_Log &contenu() const { return m_contenu; }
    void vide() { remplace({}); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The name of a line's mill, for what a screen reader says of the line.
    void nomme_moulins(std::function<QString(QByteArrayView dmf)> nom) { m_nom_moulin = std::move(nom); }

    // The list line of a row, as the operator sees it.
    QString ligne_liste(int ligne) const;
    QByteArray ligne_liste_octets(int ligne) const;

private:
    Sous_Programmes::Contenu_Log m_contenu;
    std::function<QString(QByteArrayView dmf)> m_nom_moulin;
};

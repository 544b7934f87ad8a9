#pragma once

#include "Restants.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTableView;
class Filtre_Moulins;
class Modele_Moulins;

// What is left to contact, département by département, from the list of
// mills and the log as they were when the window opened.
class Moulins_Restants : public QWidget {
    Q_OBJECT

public:
    Moulins_Restants(std::shared_ptr<const Moulins::Liste> liste, Moulins::Restants restants, const QString &dossier);

    // What Table_Moulins shows, as the file and the printer get it.
    QStringList Lignes_Montrees() const;

signals:
    void Liste_Enregistree(const QString &chemin);

private:
    void Departement_Choisi(int rangee);
    void Filtre();
    void Enregistrer_Restants_Click();
    void Imprimer_Restants_Click();

    std::shared_ptr<const Moulins::Liste> m_liste;
    Moulins::Restants m_restants;
    QString m_dossier;
    QString m_departement;
    QStandardItemModel *m_departements;
    Modele_Moulins *m_moulins;
    Filtre_Moulins *m_filtre;
    QTableView *Table_Departements;
    QTableView *Table_Moulins;
    QComboBox *Filtre_Moulins_Choix;
    QLineEdit *Cherche_Moulin;
    QLabel *Totaux_Moulins;
    QLabel *Absents_Liste;
};

#pragma once

#include "Liste_Moulins.h"

#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

// A list of mills read from a file, shown before anything is kept:
// "Enregistrer" keeps it as Moulins.txt, "Annuler" keeps nothing.
class Apercu_Moulins : public QWidget {
    Q_OBJECT

public:
    Apercu_Moulins(Moulins::Lecture lecture, const Moulins::Liste &gardee, const QString &nom_fichier, const QString &dossier,
                   std::function<QDateTime()> heure_locale);

signals:
    // Moulins.txt now holds it.
    void Liste_Gardee(std::shared_ptr<const Moulins::Liste> liste);

private:
    void Enregistrer_Moulins_Click();

    std::shared_ptr<const Moulins::Liste> m_liste;
    QString m_dossier;
    std::function<QDateTime()> m_heure_locale;
    QLabel *Resume_Moulins;
    QTableView *Table_Apercu;
    QListWidget *Refus_Moulins;
    QPushButton *Enregistrer_Moulins;
};

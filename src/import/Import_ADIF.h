#pragma once

#include "Echange_ADIF.h"
#include "Liste_Moulins.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QLabel;
class QTableView;
class Carnet;
class Modele_Import;

// What an ADIF file would add to the log, shown before anything is written;
// "Importer" writes the ticked lines in one rewrite of the log.
class Import_ADIF : public QWidget {
    Q_OBJECT

public:
    Import_ADIF(ADIF::Analyse analyse, Carnet &carnet, const QString &nom_fichier, std::shared_ptr<const Moulins::Liste> moulins = {});

signals:
    // The lines are in the log.
    void QSO_Importes(int nombre);

private:
    void Importer_ADIF_Click();
    void Montre_Resume();

    Carnet &m_carnet;
    Modele_Import *m_modele;
    QTableView *Table_Import;
    QCheckBox *Attente_Import;
    QLabel *Resume_Import;
};

#pragma once

#include "Echange_ADIF.h"
#include "Liste_Moulins.h"

#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QTableView;
class Modele_Import;

// What an ADIF file would add to the log, shown before anything is written;
// "Importer" writes the ticked lines in one rewrite of the log.
class Import_ADIF : public QWidget {
    Q_OBJECT

public:
    // `avant_ecriture` is asked just before the log is written, and may say no.
    Import_ADIF(ADIF::Analyse analyse, const QString &chemin_log, const QString &nom_fichier, const QString &annee,
                std::function<bool()> avant_ecriture = [] { return true; }, std::shared_ptr<const Moulins::Liste> moulins = {});

signals:
    // The lines are in the log: whoever shows it reloads it.
    void QSO_Importes(int nombre);

private:
    void Importer_ADIF_Click();
    void Montre_Resume();

    QString m_chemin_log;
    QString m_annee;
    std::function<bool()> m_avant_ecriture;
    Modele_Import *m_modele;
    QTableView *Table_Import;
    QCheckBox *Attente_Import;
    QLabel *Resume_Import;
};

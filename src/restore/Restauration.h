#pragma once

#include "Sauvegardes.h"

#include <QWidget>
#include <vector>

class Carnet;
class QListWidget;

// The backups of the current log, newest first; one of them can be put back
// in the log's place, the log being backed up first.
class Restauration : public QWidget {
    Q_OBJECT

public:
    Restauration(std::vector<Sauvegardes::Sauvegarde> sauvegardes, Carnet &carnet);

    // A backup as the list shows it.
    static QString Texte(const Sauvegardes::Sauvegarde &s);

signals:
    // The log now holds the backup.
    void Log_Restaure(const QString &texte_sauvegarde);

private:
    void Restaurer_Sauvegarde_Click();

    std::vector<Sauvegardes::Sauvegarde> m_sauvegardes;
    Carnet &m_carnet;
    QListWidget *Liste_Sauvegardes;
};

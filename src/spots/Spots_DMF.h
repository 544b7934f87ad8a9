#pragma once

#include "Client_Cluster.h"
#include "Liste_Moulins.h"

#include <memory>

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class Filtre_Nouveaux;
class Modele_Spots;

// The mills being spotted on a DX cluster now, with what the log says of
// each. The connection lives as long as the window.
class Spots_DMF : public QWidget {
    Q_OBJECT

public:
    Spots_DMF(const Cluster::Reglages &reglages, Cluster::Index_Log index, std::function<QDateTime()> horloge_utc,
              QList<int> attentes_ms = {5000, 15000, 60000}, std::shared_ptr<const Moulins::Liste> moulins = {});

    // As the button does, with what the fields hold.
    void connecte();
    void change_log(Cluster::Index_Log index);
    Modele_Spots *modele() const { return m_modele; }

signals:
    void Spot_Choisi(const QString &indicatif, const QString &dmf);

private:
    void clic_connecter();
    void sauve();
    void choisi(const QModelIndex &index);

    Cluster::Client m_client;
    Modele_Spots *m_modele;
    Filtre_Nouveaux *m_filtre;
    QLineEdit *Cluster_Adresse, *Cluster_Indicatif;
    QSpinBox *Cluster_Port;
    QPushButton *Cluster_Connecter;
    QCheckBox *Connexion_Demarrage, *Seulement_Nouveaux;
    QLabel *Etat_Cluster;
    QTableView *Table_Spots;
    QByteArray m_courant; // the current row's spot while the rows change
};

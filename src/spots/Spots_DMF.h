#pragma once

#include "Annonce_Spot.h"
#include "Client_Cluster.h"
#include "Veille_Spots.h"
#include "Liaison_Poste.h"
#include "Liste_Moulins.h"

#include <memory>
#include <optional>

#include <QTimer>
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
// each; a spot picked tunes the radio, whose frequency is read once a second
// while the window is open. The cluster's connection and its spots are the
// watch's, which outlives the window; the radio's link is the window's.
class Spots_DMF : public QWidget {
    Q_OBJECT

public:
    Spots_DMF(const Cluster::Reglages &reglages, Veille_Spots &veille, const Radio::Reglages &poste = {});

    // As the button does, with what the fields hold.
    void connecte();
    void change_poste(const Radio::Reglages &poste);
    Modele_Spots *modele() const { return m_modele; }
    // That spot's row current, the keyboard on the table: Enter takes it.
    void montre_spot(const Cluster::Spot &spot);

    // The radio's last reading; none when it could not be read.
    // What an announcement of `indicatif` proposes: the radio's frequency and mode.
    Annonce_Proposee proposition(const QString &indicatif) const;
    void montre_poste(const Radio::Lecture &lue);

    static constexpr int Lecture_Poste_ms = 1000;

signals:
    void Spot_Choisi(const QString &indicatif, const QString &dmf);
    void Annonce_Demandee();

protected:
    void showEvent(QShowEvent *evenement) override;
    void hideEvent(QHideEvent *evenement) override;

private:
    void clic_connecter();
    void sauve();
    void choisi(const QModelIndex &index);
    // Suppr: the row hidden until its station spots that mill again.
    void cache_ligne();
    void poste_muet(const QString &raison);
    void dit_cluster(const QString &texte);
    void dit_poste(const QString &texte);

    Cluster::Client &m_client;
    Radio::Liaison m_liaison;
    QTimer m_lecture_poste;
    std::optional<Radio::Lecture> m_lecture;
    bool m_refus_lecture = false; // the status says why the radio is not read
    Modele_Spots *m_modele;
    Filtre_Nouveaux *m_filtre;
    QLineEdit *Cluster_Adresse, *Cluster_Indicatif;
    QSpinBox *Cluster_Port;
    QPushButton *Cluster_Connecter;
    QCheckBox *Connexion_Demarrage, *Seulement_Nouveaux;
    QLabel *Etat_Cluster, *Frequence_Poste, *Etat_Poste_Spots;
    QPushButton *Annoncer;
    QWidget *m_rangee_poste;
    QTableView *Table_Spots;
    QByteArray m_courant; // the current row's spot while the rows change
};

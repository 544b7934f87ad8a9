#pragma once

#include "Alertes.h"
#include "Client_Cluster.h"
#include "Liste_Moulins.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class Modele_Spots;

// A needed mill spotted: why, and what to tell of it.
struct Alerte {
    Cluster::Spot spot;
    Alertes::Raison raison = Alertes::Raison::Aucune;
    QString texte;
};

// The cluster's connection and its spots for the whole run, whether the
// spots window is open or not: each spot of a needed or watched mill is told
// once per quiet time, and the spots too old leave the list.
class Veille_Spots : public QObject {
    Q_OBJECT

public:
    Veille_Spots(Cluster::Index_Log index, std::shared_ptr<const Moulins::Liste> moulins, const Alertes::Reglages &reglages,
                 std::function<QDateTime()> horloge_utc, QList<int> attentes_ms = {5000, 15000, 60000}, QObject *parent = nullptr);

    Cluster::Client &client() { return m_client; }
    Modele_Spots *modele() const { return m_modele; }
    const Alertes::Reglages &reglages() const { return m_reglages; }

    void change_log(Cluster::Index_Log index);
    void change_moulins(std::shared_ptr<const Moulins::Liste> moulins);
    void change_reglages(const Alertes::Reglages &reglages);
    // Why the spot alerts now, quiet time aside: none once its mill is contacted.
    Alertes::Raison raison(const Cluster::Spot &spot) const;

signals:
    // The new alerts of one reading, newest last; `bruit` when a notification
    // or a sound may go for them.
    void alertes(const QList<Alerte> &nouvelles, bool bruit);

private:
    void recoit(const QList<Cluster::Spot> &spots);
    void retire_anciens();

    std::function<QDateTime()> m_horloge;
    Cluster::Client m_client;
    Modele_Spots *m_modele;
    std::shared_ptr<const Moulins::Liste> m_moulins;
    Alertes::Reglages m_reglages;
    Alertes::Rythme m_rythme;
    QTimer m_vieillissement; // when the oldest spot gets too old
};

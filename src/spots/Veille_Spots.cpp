#include "Veille_Spots.h"

#include "Modele_Spots.h"

Veille_Spots::Veille_Spots(Cluster::Index_Log index, std::shared_ptr<const Moulins::Liste> moulins, const Alertes::Reglages &reglages,
                           std::function<QDateTime()> horloge_utc, QList<int> attentes_ms, QObject *parent)
    : QObject(parent), m_horloge(horloge_utc), m_client(std::move(horloge_utc), std::move(attentes_ms)),
      m_modele(new Modele_Spots(std::move(index), moulins, this)), m_moulins(std::move(moulins)), m_reglages(reglages)
{
    m_vieillissement.setSingleShot(true);
    connect(&m_vieillissement, &QTimer::timeout, this, &Veille_Spots::retire_anciens);
    connect(&m_client, &Cluster::Client::spots, this, &Veille_Spots::recoit);
    // Queued: not a reset inside the one being told.
    connect(m_modele, &QAbstractItemModel::modelReset, this, &Veille_Spots::retire_anciens, Qt::QueuedConnection);
}

void Veille_Spots::change_log(Cluster::Index_Log index) { m_modele->change_log(std::move(index)); }

void Veille_Spots::change_moulins(std::shared_ptr<const Moulins::Liste> moulins)
{
    m_moulins = moulins;
    m_modele->change_moulins(std::move(moulins));
}

void Veille_Spots::change_reglages(const Alertes::Reglages &reglages)
{
    m_reglages = reglages;
    retire_anciens();
}

Alertes::Raison Veille_Spots::raison(const Cluster::Spot &spot) const
{
    // Without a list, no number can be said to be absent from it.
    const bool dans_la_liste = !m_moulins || m_moulins->vide() || m_moulins->Trouve(spot.dmf);
    return Alertes::Pourquoi(spot, m_modele->index_log().etat(spot.dmf), dans_la_liste, m_reglages, m_horloge());
}

void Veille_Spots::recoit(const QList<Cluster::Spot> &spots)
{
    const QDateTime maintenant = m_horloge();
    QList<Alerte> nouvelles;
    for (const Cluster::Spot &s : spots) {
        const Alertes::Raison r = raison(s);
        if (r == Alertes::Raison::Aucune || !m_rythme.alerte(s.dmf, maintenant, m_reglages.silence_minutes))
            continue;
        const Moulins::Moulin *m = m_moulins ? m_moulins->Trouve(s.dmf) : nullptr;
        nouvelles.append({s, r, Alertes::Texte_Alerte(s, m ? m_moulins->Nom_Et_Commune(*m) : QString())});
    }
    m_modele->ajoute(spots);
    if (nouvelles.isEmpty())
        return;
    const bool bruit = (m_reglages.notification || m_reglages.son) && m_rythme.bruit(maintenant);
    emit alertes(nouvelles, bruit);
}

void Veille_Spots::retire_anciens()
{
    const QDateTime maintenant = m_horloge();
    const qint64 age_s = qint64(m_reglages.age_minutes) * 60;
    m_modele->retire_avant(maintenant.addSecs(-age_s));
    m_vieillissement.stop();
    if (const auto plus_ancien = m_modele->plus_ancien())
        m_vieillissement.start(std::chrono::milliseconds(std::max<qint64>(1000, maintenant.msecsTo(plus_ancien->addSecs(age_s)) + 1000)));
}

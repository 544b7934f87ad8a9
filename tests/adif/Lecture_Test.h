#pragma once

#include "Lecteur_ADIF.h"

#include <QByteArray>
#include <QList>
#include <utility>
#include <vector>

// Every record of bytes in memory, kept for a test to look at: the views
// stay in the bytes, which must outlive the reading.
class Lecture {
public:
    qsizetype nombre() const { return qsizetype(m_bornes.size()); }
    ADIF::Enregistrement enregistrement(qsizetype i) const
    {
        const auto [premier, nombre] = m_bornes[size_t(i)];
        return {std::span<const ADIF::Champ>(m_champs.data() + premier, nombre)};
    }
    qsizetype illisibles = 0;

private:
    friend Lecture Lit_ADIF(QByteArrayView octets);
    std::vector<ADIF::Champ> m_champs;
    std::vector<std::pair<size_t, size_t>> m_bornes;
};

inline Lecture Lit_ADIF(QByteArrayView octets)
{
    Lecture l;
    ADIF::Lecteur lecteur(octets);
    ADIF::Enregistrement e;
    while (lecteur.suivant(e)) {
        l.m_bornes.emplace_back(l.m_champs.size(), e.champs.size());
        l.m_champs.insert(l.m_champs.end(), e.champs.begin(), e.champs.end());
    }
    l.illisibles = lecteur.illisibles();
    return l;
}

#pragma once

#include <QByteArrayView>
#include <span>
#include <vector>

// The ADIF exchange format of amateur-radio loggers, .adi form.
namespace ADIF {

// A field as the file holds it: views into the bytes read, which must outlive them.
struct Champ {
    QByteArrayView nom;    // as written, case kept
    QByteArrayView valeur; // the data, of the length the tag gives
};

// One record: its fields in file order.
struct Enregistrement {
    std::span<const Champ> champs;
    // The data of the first field called `nom` (any case); empty when absent.
    QByteArrayView valeur(QByteArrayView nom) const;
    bool contient(QByteArrayView nom) const;
};

// What could be read of a file.
class Lecture {
public:
    qsizetype nombre() const { return qsizetype(m_bornes.size()); }
    Enregistrement enregistrement(qsizetype i) const
    {
        const auto [premier, nombre] = m_bornes[size_t(i)];
        return {std::span<const Champ>(m_champs.data() + premier, nombre)};
    }
    // Records that could not be read whole (a malformed tag, data cut short).
    qsizetype illisibles = 0;

private:
    friend Lecture Lit_ADIF(QByteArrayView octets);
    std::vector<Champ> m_champs;
    std::vector<std::pair<size_t, size_t>> m_bornes; // first field, count
};

// Reads an .adi file: an optional header closed by <EOH> (none when the file
// starts with "<"), then fields <NAME:LENGTH> or <NAME:LENGTH:TYPE> (names in
// any case) each followed by its data, records closed by <EOR>, any text
// between fields ignored. Whatever the bytes, it ends, in time bounded by
// their size; the records that can be read are given, the others counted.
Lecture Lit_ADIF(QByteArrayView octets);

} // namespace ADIF

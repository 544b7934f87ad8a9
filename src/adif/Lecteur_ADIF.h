#pragma once

#include "Fichier.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <span>
#include <vector>

// The ADIF exchange format of amateur-radio loggers, .adi form.
namespace ADIF {

// Two field names alike, whatever the case of their ASCII letters. Inline:
// an import asks it of every field of a general log.
inline bool Meme_Nom(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    auto minuscule = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (minuscule(a[i]) != minuscule(b[i]))
            return false;
    return true;
}

// A field as the file holds it: views into the bytes read.
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

// Reads an .adi file record after record: an optional header closed by <EOH>
// (none when the file starts with "<"), then fields <NAME:LENGTH> or
// <NAME:LENGTH:TYPE> (names in any case) each followed by its data, records
// closed by <EOR>, any text between fields ignored. Whatever the bytes, it
// ends, in time bounded by their size; the records that can be read are
// given, the others counted.
//
// A file is read a piece at a time: what it holds in memory is the size of
// its largest record, not of the file. A record's views last until the next
// one is asked for.
class Lecteur {
public:
    static constexpr qsizetype Morceau_Defaut = qsizetype(8) << 20;
    // A record of more fields than any logger writes is counted as unreadable,
    // so that no file can make one take unbounded memory.
    static constexpr size_t Champs_Plafond = 4096;

    // Bytes already in memory, which must outlive the reader.
    explicit Lecteur(QByteArrayView octets);
    explicit Lecteur(Sous_Programmes::Fichier_Ouvert fichier, qsizetype morceau = Morceau_Defaut);

    // The next record read whole; false at the end, or when the file cannot
    // be read any further (erreur() says why).
    bool suivant(Enregistrement &enregistrement);

    qsizetype illisibles() const { return m_illisibles; }
    // Bytes gone through, and in all.
    qint64 position() const { return m_base + m_i; }
    qint64 taille() const { return m_taille; }
    const QString &erreur() const { return m_erreur; }

private:
    enum class Etape { Enregistrement, Fin, Manque };
    Etape Saute_Entete();
    Etape Lit_Enregistrement();
    // Keeps the bytes from `m_i` on and reads what follows them; false when
    // nothing more can come.
    bool Complete();

    std::optional<Sous_Programmes::Fichier_Ouvert> m_fichier;
    QByteArray m_tampon;
    const char *m_p = nullptr;
    qsizetype m_n = 0;       // bytes in the window
    qint64 m_base = 0;       // where the window starts in the file
    qsizetype m_i = 0;       // where the record being read starts
    qint64 m_taille = 0;
    bool m_fin_fichier = true; // the window reaches the end of the data
    bool m_entete_lue = false;
    std::vector<Champ> m_champs;
    qsizetype m_illisibles = 0;
    QString m_erreur;
};

} // namespace ADIF

#pragma once

#include "Journal.h"
#include "Locator.h"
#include "Resultat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <vector>

// The organisers' list of mills: read from their spreadsheet saved as CSV or
// text, checked line by line, kept beside the program as Moulins.txt. The
// fields stay bytes of the file's own encoding until a window shows them.
namespace Moulins {

inline constexpr const char *Nom_Fichier = Sous_Programmes::Nom_Liste_Moulins;
inline constexpr qsizetype Longueur_Champ_Max = 200;   // characters
inline constexpr qsizetype Refus_Montres = 1000;
inline constexpr qint64 Taille_Max = qint64(64) << 20; // a list is a few MB at most
// How far outside its département's outline a mill's position may lie.
inline constexpr double Ecart_Departement_Max_km = 20;

enum class Encodage { Utf8, Windows1252 };

// A field of the list: where its bytes are. Fields are the file's own bytes;
// past them come those whose quotes were undone.
struct Texte {
    quint32 debut = 0;
    quint32 taille = 0;
};

struct Moulin {
    char numero[5];
    int code = -1; // Code_DMF of the number
    Texte nom, commune, latitude, longitude;

    QByteArrayView Numero() const { return QByteArrayView(numero, 5); }
    // Its département as the number's first two characters give it ("21", "2A").
    QByteArrayView Departement() const { return QByteArrayView(numero, 2); }
};

class Liste {
public:
    qsizetype taille() const { return qsizetype(m_moulins.size()); }
    bool vide() const { return m_moulins.empty(); }
    // In the order of their numbers.
    const Moulin &operator[](qsizetype i) const { return m_moulins[m_ordre.empty() ? size_t(i) : size_t(m_ordre[size_t(i)])]; }

    // The mills in the order of their numbers, for a range-for.
    class Parcours {
    public:
        struct Iterateur {
            const Liste *liste;
            qsizetype i;
            const Moulin &operator*() const { return (*liste)[i]; }
            Iterateur &operator++()
            {
                ++i;
                return *this;
            }
            bool operator!=(const Iterateur &autre) const { return i != autre.i; }
        };
        explicit Parcours(const Liste &l) : m_liste(&l) {}
        Iterateur begin() const { return {m_liste, 0}; }
        Iterateur end() const { return {m_liste, m_liste->taille()}; }

    private:
        const Liste *m_liste;
    };
    Parcours moulins() const { return Parcours(*this); }
    // The mill of a number, or none; a number as the entry takes it.
    const Moulin *Trouve(QByteArrayView numero) const;
    // Its place in the order of numbers, or -1.
    qsizetype Rang(int code) const { return code < 0 || m_index.empty() ? -1 : m_index[size_t(code)]; }

    Encodage encodage() const { return m_encodage; }
    QByteArrayView Octets(const Texte &t) const
    {
        if (t.debut < quint32(m_texte.size()))
            return QByteArrayView(m_texte).sliced(t.debut, t.taille);
        return QByteArrayView(m_a_part).sliced(t.debut - m_texte.size(), t.taille);
    }
    QString Chaine(const Texte &t) const;
    // "Moulin de la Tour, Saint-Pierre (21)".
    QString Designation(const Moulin &m) const;
    // "Moulin Neuf, Beaune": what of the two the list holds.
    QString Nom_Et_Commune(const Moulin &m) const;
    // Where the list puts it, when that is in metropolitan France or Corsica.
    std::optional<Geo::Position> Position(const Moulin &m) const;

private:
    friend class Constructeur;
    Encodage m_encodage = Encodage::Utf8;
    QByteArray m_texte;  // the file's bytes, shared, not copied
    QByteArray m_a_part; // values whose quotes were undone
    std::vector<Moulin> m_moulins; // in the file's order
    std::vector<qint32> m_ordre;   // by rank, the mill's place in m_moulins; empty when that is the file's order
    std::vector<qint32> m_index;   // by Code_DMF, the mill's rank; empty for an empty list
};

struct Refus {
    qsizetype ligne = 0; // of the file, from 1
    QString raison;
};

struct Lecture {
    Liste liste;
    std::vector<Refus> refus; // the first Refus_Montres
    qsizetype refusees = 0;   // all of them
    // Lines kept with a byte that was no UTF-8 in a file marked as UTF-8:
    // each such byte became U+FFFD.
    qsizetype remplacees = 0;
    qsizetype premiere_remplacee = 0; // its line, from 1
    // Mills kept without the position their line gave, outside their
    // département: the first Refus_Montres, all of them counted.
    std::vector<Refus> sans_position;
    qsizetype positions_ecartees = 0;
};

// Reads a list from the file's bytes; never fails, a line that cannot be kept
// is refused with its reason.
Lecture Lit_Liste(const QByteArray &fichier);
// The file read whole, unless it is no regular file or too large for a list.
Sous_Programmes::Resultat<Lecture> Lit_Fichier_Liste(const QString &chemin);

// Moulins.txt's bytes: valid UTF-8, CR LF, a header, one mill a line in the
// order of numbers; read again, they give the same list and the same bytes.
QByteArray Texte_Garde(const Liste &liste);

struct Differences {
    qsizetype nouveaux = 0, renommes = 0, disparus = 0;
};
Differences Compare(const Liste &gardee, const Liste &nouvelle);

// The list kept in the program's folder; empty where none was ever kept.
Sous_Programmes::Resultat<Liste> Charge_Gardee(const QString &dossier);
// Replaces the kept list in one step, once the old one is copied into
// Sauvegardes/ as a log is before its first change.
Sous_Programmes::Statut Garde(const QString &dossier, const Liste &liste, const QDateTime &heure_locale);

// Lower case, without accents: how names are compared when searched.
QString Repli(const QString &texte);

} // namespace Moulins

#include "Lecteur_ADIF.h"

#include "Fichier.h"

#include <bit>
#include <cstring>

namespace ADIF {

namespace {

// Past this many digits' worth a length is surely beyond the data; stopping
// there keeps the arithmetic from wrapping.
constexpr quint64 Longueur_Plafond = 100'000'000'000'000'000ULL;
// Blanks looked at after a field's data to see whether a tag follows. A
// writer leaves a space or a line end there; bounding it keeps a file of
// blanks from being gone through once per field.
constexpr qsizetype Blancs_Plafond = 64;

bool Est_Blanc(char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

// Where a tag's name ends: at its `:`, its `>`, or a `<` that starts
// another. Eight bytes at a time: names are short, and a byte-by-byte loop
// would guess its exit wrong at each one.
qsizetype Fin_Nom(const char *p, qsizetype k, qsizetype n)
{
    // The first match is the lowest byte only in little-endian order.
    static_assert(std::endian::native == std::endian::little);
    constexpr quint64 Uns = 0x0101010101010101ULL;
    constexpr quint64 Hauts = 0x8080808080808080ULL;
    auto octets_nuls = [](quint64 v) { return (v - Uns) & ~v & Hauts; };
    while (n - k >= 8) {
        quint64 v;
        std::memcpy(&v, p + k, 8);
        const quint64 trouves = octets_nuls(v ^ (Uns * ':')) | octets_nuls(v ^ (Uns * '>')) | octets_nuls(v ^ (Uns * '<'));
        if (trouves)
            return k + qsizetype(std::countr_zero(trouves) / 8);
        k += 8;
    }
    while (k < n && p[k] != ':' && p[k] != '>' && p[k] != '<')
        ++k;
    return k;
}

const char *Cherche_Chevron(const char *p, qsizetype debut, qsizetype n)
{
    return static_cast<const char *>(std::memchr(p + debut, '<', size_t(n - debut)));
}

// Where the first <EOH> (any case) starts, or -1.
qsizetype Cherche_EOH(const char *p, qsizetype debut, qsizetype n)
{
    for (qsizetype i = debut; i < n; ++i) {
        const char *q = Cherche_Chevron(p, i, n);
        if (!q)
            break;
        i = q - p;
        if (n - i >= 5 && p[i + 4] == '>' && Meme_Nom(QByteArrayView(p + i + 1, 3), "EOH"))
            return i;
    }
    return -1;
}

// The end of `longueur` UTF-8 characters from `debut`, or -1 past the data. A
// lead byte takes at most the continuation bytes its form allows, so the
// characters never span more than four bytes each.
qsizetype Fin_En_Caracteres(const char *p, qsizetype debut, quint64 longueur, qsizetype n)
{
    qsizetype k = debut;
    for (quint64 c = 0; c < longueur; ++c) {
        if (k >= n)
            return -1;
        const auto tete = static_cast<unsigned char>(p[k++]);
        int suite = tete >= 0xF0 ? 3 : tete >= 0xE0 ? 2 : tete >= 0xC0 ? 1 : 0;
        while (suite-- > 0 && k < n && (static_cast<unsigned char>(p[k]) & 0xC0) == 0x80)
            ++k;
    }
    return k;
}

} // namespace

QByteArrayView Enregistrement::valeur(QByteArrayView nom) const
{
    for (const Champ &c : champs)
        if (Meme_Nom(c.nom, nom))
            return c.valeur;
    return {};
}

bool Enregistrement::contient(QByteArrayView nom) const
{
    for (const Champ &c : champs)
        if (Meme_Nom(c.nom, nom))
            return true;
    return false;
}

Lecteur::Lecteur(QByteArrayView octets) : m_p(octets.data()), m_n(octets.size()), m_taille(octets.size()) {}

Lecteur::Lecteur(Sous_Programmes::Fichier_Ouvert fichier, qsizetype morceau)
    : m_fichier(std::move(fichier)), m_taille(m_fichier->taille()), m_fin_fichier(false)
{
    // One byte more than the file: reading it whole then meets its end at once.
    m_tampon.resize(qsizetype(qMin<qint64>(qMax<qsizetype>(morceau, 16), m_taille + 1)));
    m_p = m_tampon.constData();
}

bool Lecteur::Complete()
{
    if (m_fin_fichier)
        return false;
    const qsizetype garde = m_n - m_i;
    if (m_i > 0) {
        std::memmove(m_tampon.data(), m_tampon.constData() + m_i, size_t(garde));
        m_base += m_i;
        m_i = 0;
    }
    if (garde >= m_tampon.size()) {
        // One record fills the window: it grows, up to what is left to read.
        qint64 taille = qint64(m_tampon.size()) * 2;
        const qint64 reste = m_taille - (m_base + garde);
        if (reste >= 0)
            taille = qMin(taille, garde + reste + 1);
        m_tampon.resize(qsizetype(qMax<qint64>(taille, garde + 1)));
    }
    m_n = garde;
    while (m_n < m_tampon.size()) {
        const auto lus = m_fichier->lit(m_tampon.data() + m_n, m_tampon.size() - m_n);
        if (!lus) {
            m_erreur = lus.erreur();
            m_fin_fichier = true;
            break;
        }
        if (lus.valeur() == 0) {
            m_fin_fichier = true;
            break;
        }
        m_n += lus.valeur();
    }
    m_p = m_tampon.constData();
    return m_erreur.isEmpty();
}

bool Lecteur::suivant(Enregistrement &enregistrement)
{
    for (;;) {
        const Etape e = m_entete_lue ? Lit_Enregistrement() : Saute_Entete();
        if (e == Etape::Manque) {
            if (!Complete())
                return false;
            continue;
        }
        if (!m_entete_lue) {
            m_entete_lue = true;
            continue;
        }
        if (e == Etape::Fin)
            return false;
        enregistrement.champs = std::span<const Champ>(m_champs);
        return true;
    }
}

Lecteur::Etape Lecteur::Saute_Entete()
{
    const char *p = m_p;
    const qsizetype n = m_n;
    qsizetype i = 0;
    if (n < 3 && !m_fin_fichier)
        return Etape::Manque;
    if (n >= 3 && static_cast<unsigned char>(p[0]) == 0xEF && static_cast<unsigned char>(p[1]) == 0xBB
        && static_cast<unsigned char>(p[2]) == 0xBF)
        i = 3;
    qsizetype premier_signe = i;
    while (premier_signe < n && Est_Blanc(p[premier_signe]))
        ++premier_signe;
    if (premier_signe == n && !m_fin_fichier)
        return Etape::Manque;
    if (premier_signe < n && p[premier_signe] != '<') {
        const qsizetype eoh = Cherche_EOH(p, premier_signe, n);
        if (eoh < 0 && !m_fin_fichier)
            return Etape::Manque;
        if (eoh >= 0)
            i = eoh + 5;
    }
    m_i = i;
    return Etape::Fin;
}

Lecteur::Etape Lecteur::Lit_Enregistrement()
{
    const char *p = m_p;
    const qsizetype n = m_n;
    // Past the window's end more may come: the record is read again then.
    const bool suite_possible = !m_fin_fichier;
    m_champs.clear();
    bool abime = false;
    qsizetype i = m_i;
    // Where the data ends, counted from the window's start: a length past
    // it spoils its record.
    const qint64 fin_donnees = suite_possible ? qMax(m_taille, m_base + n) - m_base : n;

    // A malformed tag spoils its record; reading goes on after its `>`, or
    // at the next `<` when it has none. -1: the window ends first.
    auto saute = [&](qsizetype k) -> qsizetype {
        abime = true;
        while (k < n && p[k] != '>' && p[k] != '<')
            ++k;
        if (k == n && suite_possible)
            return -1;
        return (k < n && p[k] == '>') ? k + 1 : k;
    };
    // The `<` or end of data that follows `fin` past a few blanks; -1 when
    // something else comes first, -2 when the window ends first.
    auto balise_suivante = [&](qsizetype fin) -> qsizetype {
        const qsizetype limite = (n - fin > Blancs_Plafond) ? fin + Blancs_Plafond : n;
        qsizetype k = fin;
        while (k < limite && Est_Blanc(p[k]))
            ++k;
        if (k == n)
            return suite_possible ? -2 : k;
        return p[k] == '<' ? k : -1;
    };

    while (true) {
        if (i >= n) {
            if (suite_possible)
                return Etape::Manque;
            break;
        }
        if (p[i] != '<') {
            const char *q = Cherche_Chevron(p, i, n);
            if (!q) {
                if (!suite_possible)
                    break;
                if (m_champs.empty() && !abime)
                    m_i = n; // text between records: nothing of it to keep
                return Etape::Manque;
            }
            i = q - p;
        }
        // A name stops at the next `<` too, so no byte is looked at twice.
        qsizetype k = Fin_Nom(p, i + 1, n);
        if (k == n) {
            if (suite_possible)
                return Etape::Manque;
            break;
        }
        if (p[k] == '<') {
            i = k;
            continue;
        }
        const QByteArrayView nom(p + i + 1, k - i - 1);
        if (p[k] == '>') {
            i = k + 1;
            if (Meme_Nom(nom, "EOR")) {
                if (abime)
                    ++m_illisibles;
                if (!abime && !m_champs.empty()) {
                    m_i = i;
                    return Etape::Enregistrement;
                }
                m_champs.clear();
                abime = false;
                m_i = i;
            } else if (Meme_Nom(nom, "EOH")) {
                // What came before was the header, written as fields.
                m_champs.clear();
                abime = false;
                m_i = i;
            }
            continue;
        }

        const qsizetype chiffres = ++k;
        quint64 longueur = 0;
        while (k < n && p[k] >= '0' && p[k] <= '9') {
            if (longueur < Longueur_Plafond)
                longueur = longueur * 10 + quint64(p[k] - '0');
            ++k;
        }
        if (k == n && suite_possible)
            return Etape::Manque;
        if (k == chiffres || k == n || (p[k] != ':' && p[k] != '>') || nom.isEmpty()) {
            i = saute(k);
            if (i < 0)
                return Etape::Manque;
            continue;
        }
        if (p[k] == ':') {
            while (k < n && p[k] != '>' && p[k] != '<')
                ++k;
            if (k == n && suite_possible)
                return Etape::Manque;
            if (k == n || p[k] == '<') {
                abime = true;
                i = k;
                continue;
            }
        }
        const qsizetype debut = k + 1;
        if (longueur > quint64(n - debut)) {
            if (longueur > quint64(fin_donnees - debut)) {
                abime = true;
                i = debut;
                continue;
            }
            return Etape::Manque;
        }
        qsizetype fin = debut + qsizetype(longueur);
        // What writers leave after the data: the next tag, or one blank before it.
        qsizetype suite = (fin < n && p[fin] == '<')                                ? fin
                        : (fin + 1 < n && p[fin] == ' ' && p[fin + 1] == '<') ? fin + 1
                                                                              : balise_suivante(fin);
        if (suite == -2)
            return Etape::Manque;
        if (suite < 0) {
            // Some writers count the characters of UTF-8 data, not its bytes.
            const qsizetype fin_caracteres = Fin_En_Caracteres(p, debut, longueur, n);
            if (fin_caracteres < 0 && suite_possible)
                return Etape::Manque;
            if (fin_caracteres > fin) {
                const qsizetype apres = balise_suivante(fin_caracteres);
                if (apres == -2)
                    return Etape::Manque;
                if (apres >= 0) {
                    fin = fin_caracteres;
                    suite = apres;
                }
            }
        }
        if (m_champs.size() < Champs_Plafond)
            m_champs.push_back({nom, QByteArrayView(p + debut, fin - debut)});
        else
            abime = true;
        i = suite >= 0 ? suite : fin;
    }
    // The end of the data closes the last record, <EOR> or not.
    m_i = n;
    if (abime) {
        ++m_illisibles;
        m_champs.clear();
    }
    return m_champs.empty() ? Etape::Fin : Etape::Enregistrement;
}

} // namespace ADIF

#include "Lecteur_ADIF.h"

#include "Fichier.h"

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

char Minuscule(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool Meme_Nom(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Minuscule(a[i]) != Minuscule(b[i]))
            return false;
    return true;
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

// The `<` or end of data that follows `fin` past a few blanks, or -1 when
// something else comes first.
qsizetype Balise_Suivante(const char *p, qsizetype fin, qsizetype n)
{
    const qsizetype limite = (n - fin > Blancs_Plafond) ? fin + Blancs_Plafond : n;
    qsizetype k = fin;
    while (k < limite && Est_Blanc(p[k]))
        ++k;
    return (k == n || p[k] == '<') ? k : -1;
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

Lecture Lit_ADIF(QByteArrayView octets)
{
    Lecture lecture;
    const char *p = octets.data();
    const qsizetype n = octets.size();
    // A logger's export holds a field every 20 bytes or so, a record every
    // few hundred: growing the vectors on a large file would copy them again.
    lecture.m_champs.reserve(size_t(n / 16) + 16);
    lecture.m_bornes.reserve(size_t(n / 128) + 4);
    // The fields of a large file take twice its size in memory.
    Sous_Programmes::Prepare_Memoire(lecture.m_champs.data(), lecture.m_champs.capacity() * sizeof(Champ));

    qsizetype i = 0;
    if (n >= 3 && static_cast<unsigned char>(p[0]) == 0xEF && static_cast<unsigned char>(p[1]) == 0xBB
        && static_cast<unsigned char>(p[2]) == 0xBF)
        i = 3;
    qsizetype premier_signe = i;
    while (premier_signe < n && Est_Blanc(p[premier_signe]))
        ++premier_signe;
    if (premier_signe < n && p[premier_signe] != '<') {
        const qsizetype eoh = Cherche_EOH(p, premier_signe, n);
        if (eoh >= 0)
            i = eoh + 5;
    }

    auto &champs = lecture.m_champs;
    size_t premier = 0; // first field of the record being read
    bool abime = false;
    auto ferme = [&] {
        if (abime) {
            ++lecture.illisibles;
            champs.resize(premier);
        } else if (champs.size() > premier) {
            lecture.m_bornes.emplace_back(premier, champs.size() - premier);
            premier = champs.size();
        }
        abime = false;
    };
    // A malformed tag spoils its record; reading goes on after its `>`, or
    // at the next `<` when it has none.
    auto saute = [&](qsizetype k) {
        abime = true;
        while (k < n && p[k] != '>' && p[k] != '<')
            ++k;
        return (k < n && p[k] == '>') ? k + 1 : k;
    };

    while (i < n) {
        if (p[i] != '<') {
            const char *q = Cherche_Chevron(p, i, n);
            if (!q)
                break;
            i = q - p;
        }
        // A name stops at the next `<` too, so no byte is looked at twice.
        qsizetype k = i + 1;
        while (k < n && p[k] != ':' && p[k] != '>' && p[k] != '<')
            ++k;
        if (k == n)
            break;
        if (p[k] == '<') {
            i = k;
            continue;
        }
        const QByteArrayView nom(p + i + 1, k - i - 1);
        if (p[k] == '>') {
            if (Meme_Nom(nom, "EOR"))
                ferme();
            else if (Meme_Nom(nom, "EOH")) {
                // What came before was the header, written as fields.
                champs.resize(premier);
                abime = false;
            }
            i = k + 1;
            continue;
        }

        const qsizetype chiffres = ++k;
        quint64 longueur = 0;
        while (k < n && p[k] >= '0' && p[k] <= '9') {
            if (longueur < Longueur_Plafond)
                longueur = longueur * 10 + quint64(p[k] - '0');
            ++k;
        }
        if (k == chiffres || k == n || (p[k] != ':' && p[k] != '>') || nom.isEmpty()) {
            i = saute(k);
            continue;
        }
        if (p[k] == ':') {
            while (k < n && p[k] != '>' && p[k] != '<')
                ++k;
            if (k == n || p[k] == '<') {
                abime = true;
                i = k;
                continue;
            }
        }
        const qsizetype debut = k + 1;
        if (longueur > quint64(n - debut)) {
            abime = true;
            i = debut;
            continue;
        }
        qsizetype fin = debut + qsizetype(longueur);
        qsizetype suite = Balise_Suivante(p, fin, n);
        if (suite < 0) {
            // Some writers count the characters of UTF-8 data, not its bytes.
            const qsizetype fin_caracteres = Fin_En_Caracteres(p, debut, longueur, n);
            if (fin_caracteres > fin) {
                const qsizetype apres = Balise_Suivante(p, fin_caracteres, n);
                if (apres >= 0) {
                    fin = fin_caracteres;
                    suite = apres;
                }
            }
        }
        champs.push_back({nom, QByteArrayView(p + debut, fin - debut)});
        i = suite >= 0 ? suite : fin;
    }
    ferme();
    return lecture;
}

} // namespace ADIF

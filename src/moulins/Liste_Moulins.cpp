#include "Liste_Moulins.h"

#include "Departements.h"
#include "Fichier.h"
#include "Ligne_QSO.h"
#include "Sauvegardes.h"
#include "Texte.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <bit>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

using namespace Sous_Programmes;

namespace Moulins {

namespace {

QString Decode(QByteArrayView octets, Encodage encodage)
{
    return encodage == Encodage::Utf8 ? QString::fromUtf8(octets) : Depuis_Log(octets);
}

bool Utf8_Valide(QByteArrayView o)
{
    const auto *d = reinterpret_cast<const unsigned char *>(o.data());
    const qsizetype n = o.size();
    qsizetype i = 0;
    while (i < n) {
        // ASCII 32 bytes at a time: most of a list.
        if (i + 32 <= n) {
            quint64 mots[4];
            std::memcpy(mots, d + i, 32);
            if (!((mots[0] | mots[1] | mots[2] | mots[3]) & 0x8080808080808080ULL)) {
                i += 32;
                continue;
            }
        }
        const unsigned char c = d[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int suite;
        quint32 point;
        if (c >= 0xC2 && c <= 0xDF) {
            suite = 1;
            point = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            suite = 2;
            point = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            suite = 3;
            point = c & 0x07;
        } else {
            return false;
        }
        if (i + suite >= n)
            return false;
        for (int k = 1; k <= suite; ++k) {
            if ((d[i + k] & 0xC0) != 0x80)
                return false;
            point = (point << 6) | (d[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and beyond U+10FFFF are not UTF-8.
        if ((suite == 2 && point < 0x800) || (suite == 3 && (point < 0x10000 || point > 0x10FFFF))
            || (point >= 0xD800 && point <= 0xDFFF))
            return false;
        i += suite + 1;
    }
    return true;
}

// A field of a record as it lies in the file.
struct Brut {
    qsizetype debut = 0, fin = 0;
    bool guillemets = false; // in quotes: kept as it is, blanks included
    bool transforme = false; // doubled quotes or line ends inside, to be undone
    bool controle = false;   // a control byte inside
};

// The file's records, one at a time, by the usual CSV rules: a field in
// double quotes may hold separators, line ends and doubled quotes.
class Decoupeur {
public:
    Decoupeur(QByteArrayView octets, char separateur) : m_d(octets.data()), m_n(octets.size()), m_separateur(separateur) {}

    // The bytes of the last record's longest field.
    qsizetype plus_long() const { return m_plus_long; }
    // The next record's fields and the line it starts on; false at the end.
    bool suivant(std::vector<Brut> &champs, qsizetype &ligne)
    {
        champs.clear();
        ligne = m_ligne;
        if (m_p >= m_n) {
            m_plus_long = 0;
            return false;
        }
        // Kept in locals: the compiler cannot tell that `champs` is not this.
        Blocs b = m_blocs;
        qsizetype p = m_p, plus_long = 0;
        if (rapide(champs, b, p, plus_long)) {
            m_blocs = b;
            m_p = p;
            m_plus_long = plus_long;
            ++m_ligne;
            return true;
        }
        for (;;) {
            Brut c;
            if (m_d[p] == '"') {
                qsizetype q = p + 1;
                for (; (q = b.prochain(q, *this)) < m_n; ++q) {
                    const char x = m_d[q];
                    if (x == '"') {
                        if (q + 1 < m_n && m_d[q + 1] == '"') {
                            c.transforme = true;
                            ++q;
                            continue;
                        }
                        break;
                    }
                    if (x == '\n' || x == '\r') {
                        c.transforme = true;
                        m_ligne += x == '\n' || !(q + 1 < m_n && m_d[q + 1] == '\n');
                    } else if (Controle(x) && x != '\t') {
                        c.controle = true;
                    }
                }
                c.debut = p + 1;
                c.fin = q;
                c.guillemets = true;
                p = q < m_n ? q + 1 : m_n;
                // Anything between the closing quote and the separator is dropped.
                while (p < m_n && m_d[p] != m_separateur && m_d[p] != '\r' && m_d[p] != '\n')
                    ++p;
            } else {
                qsizetype q = p;
                // A quote inside an unquoted field is one of its characters.
                while ((q = b.prochain(q, *this)) < m_n && !b.fin(q)) {
                    c.controle |= m_d[q] != '\t' && m_d[q] != '"';
                    ++q;
                }
                c.debut = p;
                c.fin = q;
                p = q;
            }
            plus_long = std::max(plus_long, c.fin - c.debut);
            champs.push_back(c);
            if (p >= m_n)
                break;
            if (m_d[p] == m_separateur) {
                if (++p < m_n)
                    continue;
                champs.push_back(Brut{m_n, m_n});
                break;
            }
            p += (m_d[p] == '\r' && p + 1 < m_n && m_d[p + 1] == '\n') ? 2 : 1;
            ++m_ligne;
            break;
        }
        m_blocs = b;
        m_p = p;
        m_plus_long = plus_long;
        return true;
    }

private:
    static bool Controle(char x) { return static_cast<unsigned char>(x) < 0x20 || x == 0x7F; }

    // Where, in a 64-byte block, the bytes that are no plain character of a
    // field lie: separators and line ends, then quotes and control bytes.
    struct Masques {
        quint64 fins = 0, autres = 0;
        quint64 lignes = 0; // the line ends among the fins
    };
    Masques masques(qsizetype bloc) const
    {
        Masques m;
#ifdef __SSE2__
        if (bloc + 64 <= m_n) {
            const __m128i controle = _mm_set1_epi8(0x1F);
            const __m128i suppression = _mm_set1_epi8(0x7F);
            const __m128i guillemet = _mm_set1_epi8('"');
            const __m128i separateur = _mm_set1_epi8(m_separateur);
            const __m128i cr = _mm_set1_epi8('\r');
            const __m128i lf = _mm_set1_epi8('\n');
            for (int k = 0; k < 4; ++k) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(m_d + bloc + 16 * k));
                const __m128i lignes = _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf));
                const __m128i fins = _mm_or_si128(_mm_cmpeq_epi8(v, separateur), lignes);
                const __m128i tous = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(_mm_max_epu8(v, controle), controle), _mm_cmpeq_epi8(v, suppression)),
                                                  _mm_or_si128(_mm_cmpeq_epi8(v, guillemet), fins));
                m.fins |= quint64(quint16(_mm_movemask_epi8(fins))) << (16 * k);
                m.lignes |= quint64(quint16(_mm_movemask_epi8(lignes))) << (16 * k);
                m.autres |= quint64(quint16(_mm_movemask_epi8(_mm_andnot_si128(fins, tous)))) << (16 * k);
            }
            return m;
        }
#endif
        for (qsizetype i = bloc; i < qMin(bloc + 64, m_n); ++i) {
            const char x = m_d[i];
            if (x == '\r' || x == '\n')
                m.lignes |= quint64(1) << (i - bloc);
            if (x == m_separateur || x == '\r' || x == '\n')
                m.fins |= quint64(1) << (i - bloc);
            else if (x == '"' || Controle(x))
                m.autres |= quint64(1) << (i - bloc);
        }
        return m;
    }

    // The block being gone through.
    struct Blocs {
        qsizetype bloc = -1;
        Masques m;
        // The first byte from `q` on that is no plain character of a field,
        // or the end: most fields are a few bytes long.
        qsizetype prochain(qsizetype q, const Decoupeur &d)
        {
            for (; q < d.m_n; q = (q | 63) + 1) {
                if (const qsizetype debut = q & ~qsizetype(63); debut != bloc)
                    charge(debut, d);
                if (const quint64 reste = (m.fins | m.autres) >> (q - bloc))
                    return q + std::countr_zero(reste);
            }
            return d.m_n;
        }
        void charge(qsizetype debut, const Decoupeur &d)
        {
            bloc = debut;
            m = d.masques(debut);
        }
        // A separator or a line end at `q`, in the block.
        bool fin(qsizetype q) const { return (m.fins >> (q - bloc)) & 1; }
    };

    // Most records: no quote, no control byte, a line end. Their fields
    // are cut at each bit of the masks; false, with nothing taken, for any
    // other record.
    bool rapide(std::vector<Brut> &champs, Blocs &b, qsizetype &p, qsizetype &plus_long) const
    {
        qsizetype debut = p;
        if ((p & ~qsizetype(63)) != b.bloc)
            b.charge(p & ~qsizetype(63), *this);
        quint64 reste = (b.m.fins | b.m.autres) & (~quint64(0) << (p - b.bloc));
        for (;;) {
            while (!reste) {
                if (b.bloc + 64 >= m_n) {
                    champs.clear();
                    plus_long = 0;
                    return false;
                }
                b.charge(b.bloc + 64, *this);
                reste = b.m.fins | b.m.autres;
            }
            const int k = std::countr_zero(reste);
            const qsizetype q = b.bloc + k;
            reste &= reste - 1;
            if (!((b.m.fins >> k) & 1)) {
                champs.clear();
                plus_long = 0;
                return false;
            }
            champs.push_back(Brut{debut, q});
            plus_long = std::max(plus_long, q - debut);
            if ((b.m.lignes >> k) & 1) {
                p = q + 1 + (m_d[q] == '\r' && q + 1 < m_n && m_d[q + 1] == '\n');
                return true;
            }
            debut = q + 1;
        }
    }

    const char *m_d;
    qsizetype m_n;
    char m_separateur;
    Blocs m_blocs;
    qsizetype m_p = 0;
    qsizetype m_ligne = 1;
    qsizetype m_plus_long = 0;
};

bool Blanc(char c) { return c == ' ' || c == '\t'; }

// An unquoted field without its blanks at either end.
inline QByteArrayView Valeur_Simple(QByteArrayView octets, const Brut &c)
{
    qsizetype debut = c.debut, fin = c.fin;
    while (debut < fin && Blanc(octets[debut]))
        ++debut;
    while (fin > debut && Blanc(octets[fin - 1]))
        --fin;
    return octets.sliced(debut, fin - debut);
}

// A quoted field with doubled quotes or line ends inside, undone in `v`.
QByteArrayView Transforme(QByteArrayView octets, const Brut &c, QByteArray &v)
{
    v.truncate(0);
    for (qsizetype i = c.debut; i < c.fin; ++i) {
        const char x = octets[i];
        if (x == '"' && i + 1 < c.fin && octets[i + 1] == '"') {
            v += '"';
            ++i;
        } else if (x == '\r' || x == '\n') {
            if (x == '\r' && i + 1 < c.fin && octets[i + 1] == '\n')
                ++i;
            v += ' ';
        } else {
            v += x;
        }
    }
    return v;
}

// The field's value: quotes undone, a line end inside it made a blank; in
// `tampon` when it differs from the file's bytes.
inline QByteArrayView Vue(QByteArrayView octets, const Brut &c, QByteArray &tampon)
{
    if (!c.guillemets)
        return Valeur_Simple(octets, c);
    if (!c.transforme)
        return octets.sliced(c.debut, c.fin - c.debut);
    return Transforme(octets, c, tampon);
}

QByteArray Valeur(QByteArrayView octets, const Brut &c)
{
    QByteArray tampon;
    return Vue(octets, c, tampon).toByteArray();
}

qsizetype Caracteres(QByteArrayView v, Encodage e)
{
    if (e == Encodage::Windows1252)
        return v.size();
    qsizetype n = 0;
    for (char c : v)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// A number as the entry reads one: blanks around it ignored, a and b as A and B.
int Code_Numero(QByteArrayView valeur, char numero[5])
{
    if (valeur.size() != 5)
        return -1;
    for (int i = 0; i < 5; ++i)
        numero[i] = Majuscule_Ascii(valeur[i]);
    return Code_DMF(QByteArrayView(numero, 5));
}

// The map's box of the code a département field begins with ("21", "2A",
// "971" as 97), or -2 when it begins with none.
int Departement_Du_Champ(QByteArrayView v)
{
    qsizetype i = 0;
    if (v.size() >= 2 && v[0] == '2' && (Majuscule_Ascii(v[1]) == 'A' || Majuscule_Ascii(v[1]) == 'B'))
        i = 2;
    else
        while (i < v.size() && i < 3 && v[i] >= '0' && v[i] <= '9')
            ++i;
    if (i == 0 || (i < v.size() && Alphanumerique(v[i])))
        return -2;
    return Departement_Carte(v.first(qMin<qsizetype>(i, 2)));
}

enum Colonne { Numero, Nom, Commune, Departement, Latitude, Longitude, Nombre_Colonnes };

// A heading's words, lower case and without accents. No regular expression:
// the list is read off the main thread, where Qt would keep one thread's
// data for it.
QStringList Mots(QByteArrayView cellule, Encodage e)
{
    QStringList mots;
    QString mot;
    for (QChar c : Repli(Decode(cellule, e)) + u' ') {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'°') {
            mot += c;
        } else if (!mot.isEmpty()) {
            mots << mot;
            mot.clear();
        }
    }
    return mots;
}

// Which column each heading names; none when the line names no number.
std::optional<std::array<int, Nombre_Colonnes>> Lit_Entete(QByteArrayView octets, const std::vector<Brut> &champs, Encodage e)
{
    static const QList<std::pair<Colonne, QStringList>> noms{
        {Departement, {QStringLiteral("departement"), QStringLiteral("dept")}},
        {Commune, {QStringLiteral("commune"), QStringLiteral("ville"), QStringLiteral("localite"), QStringLiteral("lieu")}},
        {Latitude, {QStringLiteral("latitude"), QStringLiteral("lat")}},
        {Longitude, {QStringLiteral("longitude"), QStringLiteral("lon"), QStringLiteral("long"), QStringLiteral("lng")}},
        {Numero, {QStringLiteral("numero"), QStringLiteral("n°"), QStringLiteral("dmf"), QStringLiteral("reference"),
                  QStringLiteral("ref")}},
        {Nom, {QStringLiteral("nom"), QStringLiteral("moulin")}}};
    std::array<int, Nombre_Colonnes> colonnes;
    colonnes.fill(-1);
    for (size_t j = 0; j < champs.size(); ++j) {
        const QStringList mots = Mots(Valeur(octets, champs[j]), e);
        for (const auto &[colonne, possibles] : noms) {
            if (colonnes[colonne] < 0 && std::any_of(mots.begin(), mots.end(), [&](const QString &m) { return possibles.contains(m); })) {
                colonnes[colonne] = int(j);
                break;
            }
        }
    }
    if (colonnes[Numero] < 0)
        return std::nullopt;
    return colonnes;
}

// Without a heading: the first column of mill numbers, the next text column
// the name, the one after it the commune.
std::array<int, Nombre_Colonnes> Devine_Colonnes(QByteArrayView octets, const std::vector<std::vector<Brut>> &premiers)
{
    std::array<int, Nombre_Colonnes> colonnes;
    colonnes.fill(-1);
    size_t largeur = 0;
    for (const auto &r : premiers)
        largeur = std::max(largeur, r.size());
    std::vector<int> numeros(largeur), textes(largeur), remplis(largeur);
    for (const auto &r : premiers) {
        for (size_t j = 0; j < r.size(); ++j) {
            const QByteArray v = Valeur(octets, r[j]);
            if (v.isEmpty())
                continue;
            ++remplis[j];
            char n[5];
            if (Code_Numero(v, n) >= 0)
                ++numeros[j];
            else if (std::any_of(v.begin(), v.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c & 0x80); }))
                ++textes[j];
        }
    }
    for (size_t j = 0; j < largeur && colonnes[Numero] < 0; ++j)
        if (numeros[j] > 0 && numeros[j] * 2 >= remplis[j])
            colonnes[Numero] = int(j);
    if (colonnes[Numero] < 0)
        colonnes[Numero] = 0;
    for (size_t j = size_t(colonnes[Numero]) + 1; j < largeur && colonnes[Nom] < 0; ++j)
        if (textes[j] > 0 && textes[j] >= numeros[j])
            colonnes[Nom] = int(j);
    if (colonnes[Nom] >= 0 && size_t(colonnes[Nom]) + 1 < largeur)
        colonnes[Commune] = colonnes[Nom] + 1;
    return colonnes;
}

// The separator found from the first lines: the one each of them holds as
// often as the first; ";" then tab then "," when several do.
char Separateur(QByteArrayView octets)
{
    const char candidats[] = {';', '\t', ','};
    std::vector<std::array<int, 3>> comptes;
    std::array<int, 3> ligne{};
    bool guillemets = false, vide = true;
    for (qsizetype i = 0; i < octets.size() && comptes.size() < 20; ++i) {
        const char c = octets[i];
        if (c == '"')
            guillemets = !guillemets;
        if (guillemets)
            continue;
        if (c == '\r' || c == '\n') {
            if (!vide)
                comptes.push_back(ligne);
            ligne = {};
            vide = true;
            continue;
        }
        vide &= Blanc(c);
        for (int k = 0; k < 3; ++k)
            ligne[size_t(k)] += c == candidats[k];
    }
    if (!vide)
        comptes.push_back(ligne);
    char choisi = ';';
    int meilleur = 0;
    for (int k = 0; k < 3 && !comptes.empty(); ++k) {
        const int premier = comptes.front()[size_t(k)];
        if (premier == 0)
            continue;
        const int accords = int(std::count_if(comptes.begin(), comptes.end(), [&](const auto &c) { return c[size_t(k)] == premier; }));
        if (accords > meilleur) {
            meilleur = accords;
            choisi = candidats[k];
        }
    }
    return choisi;
}

bool Ligne_Vide(QByteArrayView octets, const std::vector<Brut> &champs)
{
    if (!champs.empty() && champs[0].fin > champs[0].debut && !Blanc(octets[champs[0].debut]))
        return false;
    return std::all_of(champs.begin(), champs.end(), [&](const Brut &c) { return c.fin <= c.debut || (!c.guillemets && Valeur_Simple(octets, c).isEmpty()); });
}

QString Cite(QByteArrayView v, Encodage e)
{
    QString t = Texte_Visible(Decode(v, e));
    if (t.size() > 30)
        t = t.left(29) + QChar(0x2026);
    return QStringLiteral("« %1 »").arg(t);
}

} // namespace

// Builds a list while the file is read, then puts it in the order of numbers.
class Constructeur {
public:
    // The list keeps the file's bytes, shared, not copied.
    Constructeur(Encodage e, const QByteArray &fichier)
    {
        m_liste.m_encodage = e;
        m_liste.m_index.assign(size_t(Codes_DMF), -1);
        m_liste.m_texte = fichier;
        m_liste.m_moulins.reserve(size_t(qMin<qsizetype>(fichier.size() / 16, Codes_DMF)));
        m_lignes.reserve(m_liste.m_moulins.capacity());
    }
    Liste &liste() { return m_liste; }
    qint32 place(int code) const { return m_liste.m_index[size_t(code)]; }
    const Moulin &moulin(qint32 place) const { return m_liste.m_moulins[size_t(place)]; }

    Texte ajoute(QByteArrayView v)
    {
        const char *debut = m_liste.m_texte.constData();
        if (v.isEmpty())
            return {};
        if (v.data() >= debut && v.data() + v.size() <= debut + m_liste.m_texte.size())
            return {quint32(v.data() - debut), quint32(v.size())};
        QByteArray &a_part = m_liste.m_a_part;
        if (a_part.capacity() < a_part.size() + v.size())
            a_part.reserve(2 * (a_part.size() + v.size()));
        Texte t{quint32(a_part.size()) | Liste::A_Part, quint32(v.size())};
        a_part.append(v.data(), v.size());
        return t;
    }
    void garde(const Moulin &m, qsizetype ligne)
    {
        m_dans_l_ordre &= m_liste.m_moulins.empty() || m.code > m_liste.m_moulins.back().code;
        m_liste.m_index[size_t(m.code)] = qint32(m_liste.m_moulins.size());
        m_liste.m_moulins.push_back(m);
        m_lignes.push_back(ligne);
    }
    qsizetype ligne(qint32 place) const { return m_lignes[size_t(place)]; }

    Liste termine()
    {
        m_liste.m_a_part.squeeze();
        if (m_liste.m_moulins.empty()) {
            m_liste.m_index.clear();
            m_liste.m_texte.clear();
            return std::move(m_liste);
        }
        // An organisers' list usually comes in the order of numbers already.
        if (m_dans_l_ordre)
            return std::move(m_liste);
        // Numbers are at most 12^5: their order is the index's. The mills
        // stay where they are, the order tells where each one is.
        std::vector<qint32> &ordre = m_liste.m_ordre;
        ordre.reserve(m_liste.m_moulins.size());
        for (size_t code = 0; code < m_liste.m_index.size(); ++code) {
            if (const qint32 p = m_liste.m_index[code]; p >= 0) {
                m_liste.m_index[code] = qint32(ordre.size());
                ordre.push_back(p);
            }
        }
        return std::move(m_liste);
    }

private:
    Liste m_liste;
    bool m_dans_l_ordre = true;
    std::vector<qsizetype> m_lignes;
};

const Moulin *Liste::Trouve(QByteArrayView numero) const
{
    const qsizetype r = Rang(Code_DMF(numero));
    return r < 0 ? nullptr : &(*this)[r];
}

QString Liste::Chaine(const Texte &t) const { return Decode(Octets(t), m_encodage); }

QString Liste::Designation(const Moulin &m) const
{
    QStringList parties;
    for (const Texte &t : {m.nom, m.commune})
        if (t.taille)
            parties.append(Chaine(t));
    return (parties.join(QStringLiteral(", ")) + QStringLiteral(" (%1)").arg(QString::fromLatin1(m.Departement()))).trimmed();
}

Lecture Lit_Liste(const QByteArray &fichier)
{
    QByteArrayView octets = fichier;
    Lecture lecture;
    Encodage encodage = Encodage::Windows1252;
    if (octets.startsWith("\xEF\xBB\xBF")) {
        octets = octets.sliced(3);
        encodage = Encodage::Utf8;
    } else if (Utf8_Valide(octets)) {
        encodage = Encodage::Utf8;
    }
    Constructeur c(encodage, fichier);
    auto refuse = [&](qsizetype ligne, const QString &raison) {
        if (qsizetype(lecture.refus.size()) < Refus_Montres)
            lecture.refus.push_back({ligne, raison});
        ++lecture.refusees;
    };

    Decoupeur decoupe(octets, Separateur(octets));
    std::vector<Brut> champs;
    qsizetype ligne = 0;
    // The columns from the heading, or from the first lines.
    std::array<int, Nombre_Colonnes> colonnes;
    {
        Decoupeur avance = decoupe;
        std::vector<std::vector<Brut>> premiers;
        bool entete = false;
        while (premiers.size() < 20 && avance.suivant(champs, ligne)) {
            if (Ligne_Vide(octets, champs))
                continue;
            if (premiers.empty()) {
                if (const auto e = Lit_Entete(octets, champs, encodage)) {
                    colonnes = *e;
                    entete = true;
                    decoupe = avance; // the heading is no mill
                    break;
                }
            }
            premiers.push_back(champs);
        }
        if (!entete)
            colonnes = Devine_Colonnes(octets, premiers);
    }

    auto champ = [&](Colonne col) -> const Brut * {
        return colonnes[col] >= 0 && size_t(colonnes[col]) < champs.size() ? &champs[size_t(colonnes[col])] : nullptr;
    };
    QByteArray tampons[Nombre_Colonnes];
    auto valeur = [&](Colonne col) -> QByteArrayView {
        const Brut *b = champ(col);
        return b ? Vue(octets, *b, tampons[col]) : QByteArrayView();
    };
    QByteArray tampon_long;
    while (decoupe.suivant(champs, ligne)) {
        if (Ligne_Vide(octets, champs))
            continue;
        bool trop_long = false;
        if (decoupe.plus_long() > Longueur_Champ_Max)
            for (const Brut &b : champs)
                trop_long |= b.fin - b.debut > Longueur_Champ_Max && Caracteres(Vue(octets, b, tampon_long), encodage) > Longueur_Champ_Max;
        if (trop_long) {
            refuse(ligne, QStringLiteral("un champ dépasse %1 caractères").arg(Longueur_Champ_Max));
            continue;
        }
        const QByteArrayView numero = valeur(Numero);
        if (numero.isEmpty()) {
            refuse(ligne, QStringLiteral("pas de numéro de moulin"));
            continue;
        }
        Moulin m;
        m.code = Code_Numero(numero, m.numero);
        if (m.code < 0) {
            refuse(ligne, QStringLiteral("%1 n'est pas un numéro de moulin (cinq chiffres, ou 2A et 2B pour la Corse)")
                              .arg(Cite(numero, encodage)));
            continue;
        }
        if (const QByteArrayView dep = valeur(Departement); !dep.isEmpty()) {
            // Most often the number's own two characters.
            const bool meme = dep.size() == 2 && dep[0] == m.numero[0] && Majuscule_Ascii(dep[1]) == m.numero[1];
            const int d = meme ? 0 : Departement_Du_Champ(dep);
            if (!meme && d != -2 && d != Departement_Carte(m.Departement())) {
                refuse(ligne, QStringLiteral("le département %1 ne correspond pas au numéro %2")
                                  .arg(Cite(dep, encodage), QString::fromLatin1(m.Numero())));
                continue;
            }
        }
        bool controle = false;
        for (Colonne col : {Nom, Commune, Latitude, Longitude})
            if (const Brut *b = champ(col))
                controle |= b->controle;
        if (controle) {
            refuse(ligne, QStringLiteral("un champ contient un caractère de contrôle"));
            continue;
        }
        const QByteArrayView nom = valeur(Nom);
        if (const qint32 place = c.place(m.code); place >= 0) {
            const Moulin &premier = c.moulin(place);
            if (c.liste().Octets(premier.nom) != nom)
                refuse(ligne, QStringLiteral("le numéro %1 est déjà celui de %2 (ligne %3) : le premier est gardé")
                                  .arg(QString::fromLatin1(m.Numero()), Cite(c.liste().Octets(premier.nom), encodage))
                                  .arg(c.ligne(place)));
            continue;
        }
        m.nom = c.ajoute(nom);
        m.commune = c.ajoute(valeur(Commune));
        m.latitude = c.ajoute(valeur(Latitude));
        m.longitude = c.ajoute(valeur(Longitude));
        c.garde(m, ligne);
    }
    lecture.liste = c.termine();
    return lecture;
}

Resultat<Lecture> Lit_Fichier_Liste(const QString &chemin)
{
    auto fichier = Fichier_Ouvert::Ouvre(chemin);
    if (!fichier)
        return Erreur{fichier.erreur()};
    if (fichier.valeur().taille() > Taille_Max)
        return Erreur{QStringLiteral("Le fichier %1 fait %2 Mo : une liste de moulins n'en fait que quelques-uns. Il n'est pas lu.")
                          .arg(QDir::toNativeSeparators(chemin))
                          .arg(fichier.valeur().taille() >> 20)};
    const auto octets = Lit_Fichier(chemin);
    if (!octets)
        return Erreur{octets.erreur()};
    // Grown since it was looked at: still no list.
    if (octets.valeur().size() > Taille_Max)
        return Erreur{QStringLiteral("Le fichier %1 est trop grand pour une liste de moulins.").arg(QDir::toNativeSeparators(chemin))};
    return Lit_Liste(octets.valeur());
}

namespace {

void Ajoute_Champ(QByteArray &sortie, QByteArrayView v)
{
    const bool guillemets = v.contains(';') || v.contains('"') || (!v.isEmpty() && (Blanc(v.front()) || Blanc(v.back())));
    if (!guillemets) {
        sortie += v;
        return;
    }
    sortie += '"';
    for (char c : v) {
        if (c == '"')
            sortie += '"';
        sortie += c;
    }
    sortie += '"';
}

} // namespace

QByteArray Texte_Garde(const Liste &liste)
{
    QByteArray sortie = QStringLiteral("N° DMF;Nom;Commune;Département;Latitude;Longitude\r\n").toUtf8();
    sortie.reserve(sortie.size() + liste.taille() * 64);
    const bool utf8 = liste.encodage() == Encodage::Utf8;
    for (const Moulin &m : liste.moulins()) {
        sortie += m.Numero();
        for (const Texte *t : {&m.nom, &m.commune}) {
            sortie += ';';
            Ajoute_Champ(sortie, utf8 ? liste.Octets(*t).toByteArray() : liste.Chaine(*t).toUtf8());
        }
        sortie += ';';
        sortie += m.Departement();
        for (const Texte *t : {&m.latitude, &m.longitude}) {
            sortie += ';';
            Ajoute_Champ(sortie, utf8 ? liste.Octets(*t).toByteArray() : liste.Chaine(*t).toUtf8());
        }
        sortie += "\r\n";
    }
    return sortie;
}

Differences Compare(const Liste &gardee, const Liste &nouvelle)
{
    Differences d;
    for (const Moulin &m : nouvelle.moulins()) {
        const qsizetype r = gardee.Rang(m.code);
        if (r < 0)
            ++d.nouveaux;
        else if (gardee.Chaine(gardee[r].nom) != nouvelle.Chaine(m.nom))
            ++d.renommes;
    }
    for (const Moulin &m : gardee.moulins())
        d.disparus += nouvelle.Rang(m.code) < 0;
    return d;
}

Resultat<Liste> Charge_Gardee(const QString &dossier)
{
    bool introuvable = false;
    const auto octets = Lit_Fichier(QDir(dossier).filePath(QString::fromLatin1(Nom_Fichier)), &introuvable);
    if (!octets) {
        if (introuvable)
            return Liste();
        return Erreur{QStringLiteral("La liste des moulins n'a pas pu être lue : ") + octets.erreur()};
    }
    return Lit_Liste(octets.valeur()).liste;
}

Statut Garde(const QString &dossier, const Liste &liste, const QDateTime &heure_locale)
{
    const QString chemin = QDir(dossier).filePath(QString::fromLatin1(Nom_Fichier));
    if (const auto copie = Sauvegardes::Sauvegarde_Log(chemin, heure_locale); !copie)
        return Erreur{copie.erreur() + QStringLiteral(" La liste des moulins n'a pas été remplacée.")};
    return Reecrit_Fichier(chemin, QStringLiteral("Moulins.en_cours.tmp"), Texte_Garde(liste), Si_Absent::Creer);
}

QString Repli(const QString &texte)
{
    QString d = texte.normalized(QString::NormalizationForm_D);
    QString r;
    r.reserve(d.size());
    for (QChar c : std::as_const(d))
        if (c.category() != QChar::Mark_NonSpacing)
            r += c;
    return r.toCaseFolded();
}

} // namespace Moulins

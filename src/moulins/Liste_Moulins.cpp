#include "Liste_Moulins.h"

#include "Decoupeur.h"
#include "Departements.h"
#include "Fichier.h"
#include "Ligne_QSO.h"
#include "Sauvegardes.h"
#include "Texte.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <cstring>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <limits>
#include <optional>
#include <thread>

using namespace Sous_Programmes;

namespace Moulins {

namespace {

using Csv::Brut;
using Csv::Decoupeur;

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
inline int Code_Numero(QByteArrayView valeur, char numero[5])
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

// Refused lines: the first ones shown, all of them counted.
struct Refusees {
    std::vector<Refus> refus;
    qsizetype nombre = 0;

    void ajoute(qsizetype ligne, QString raison)
    {
        if (qsizetype(refus.size()) < Refus_Montres)
            refus.push_back({ligne, std::move(raison)});
        ++nombre;
    }
};

// Where a field's value lies: in the file, or, quotes undone, in `a_part`.
Q_NEVER_INLINE Texte Ajoute_A_Part(QByteArrayView v, QByteArray &a_part)
{
    if (a_part.capacity() < a_part.size() + v.size())
        a_part.reserve(2 * (a_part.size() + v.size()));
    const Texte t{quint32(a_part.size()) | A_Part, quint32(v.size())};
    a_part.append(v.data(), v.size());
    return t;
}
inline Texte Place(QByteArrayView v, QByteArrayView fichier, QByteArray &a_part)
{
    if (v.isEmpty())
        return {};
    const char *debut = fichier.data();
    if (v.data() >= debut && v.data() + v.size() <= debut + fichier.size())
        return {quint32(v.data() - debut), quint32(v.size())};
    return Ajoute_A_Part(v, a_part);
}

// What every line is read with: the file, its encoding and its columns.
// Each thread has its own copy, away from what the other one writes.
struct Forme {
    QByteArrayView fichier;
    QByteArrayView octets; // without the byte-order mark
    Encodage encodage;
    std::array<int, Nombre_Colonnes> colonnes;
};

// The second part of a file read on another thread: its mills, each with
// its line counted from the part's first, still to be told from the first
// part's.
struct Morceau {
    QByteArrayView fichier;
    std::vector<Moulin> moulins;
    std::vector<qsizetype> lignes;
    QByteArray a_part;
    Refusees refusees;

    // As many mills as a list's lines may hold in that many bytes.
    void reserve(qsizetype octets)
    {
        moulins.reserve(size_t(qMin<qsizetype>(octets / 16, Codes_DMF)));
        lignes.reserve(moulins.capacity());
    }
    void refuse(qsizetype ligne, QString raison) { refusees.ajoute(ligne, std::move(raison)); }
    bool deja(const Moulin &, QByteArrayView, qsizetype) const { return false; }
    Texte ajoute(QByteArrayView v) { return Place(v, fichier, a_part); }
    void garde(const Moulin &m, qsizetype ligne)
    {
        moulins.push_back(m);
        lignes.push_back(ligne);
    }
    // More mills than there are numbers: the same ones again and again, which
    // only the first thread, dropping them as it goes, reads in bounded memory.
    bool abandonne() const { return moulins.size() >= size_t(Codes_DMF); }
};

// Reads records up to `limite`, each line refused or its mill kept by `puits`.
template <class Puits>
void Lit_Lignes(const Forme f, Decoupeur &decoupe, qsizetype limite, Puits &puits)
{
    const QByteArrayView octets = f.octets;
    const Encodage encodage = f.encodage;
    std::vector<Brut> champs;
    qsizetype ligne = 0;
    auto champ = [&](Colonne col) -> const Brut * {
        return f.colonnes[col] >= 0 && size_t(f.colonnes[col]) < champs.size() ? &champs[size_t(f.colonnes[col])] : nullptr;
    };
    QByteArray tampons[Nombre_Colonnes];
    auto valeur = [&](Colonne col) -> QByteArrayView {
        const Brut *b = champ(col);
        return b ? Vue(octets, *b, tampons[col]) : QByteArrayView();
    };
    QByteArray tampon_long;
    while (decoupe.position() < limite && decoupe.suivant(champs, ligne)) {
        if (Ligne_Vide(octets, champs))
            continue;
        bool trop_long = false;
        if (decoupe.plus_long() > Longueur_Champ_Max)
            for (const Brut &b : champs)
                trop_long |= b.fin - b.debut > Longueur_Champ_Max && Caracteres(Vue(octets, b, tampon_long), encodage) > Longueur_Champ_Max;
        if (trop_long) {
            puits.refuse(ligne, QStringLiteral("un champ dépasse %1 caractères").arg(Longueur_Champ_Max));
            continue;
        }
        const QByteArrayView numero = valeur(Numero);
        if (numero.isEmpty()) {
            puits.refuse(ligne, QStringLiteral("pas de numéro de moulin"));
            continue;
        }
        Moulin m;
        m.code = Code_Numero(numero, m.numero);
        if (m.code < 0) {
            puits.refuse(ligne, QStringLiteral("%1 n'est pas un numéro de moulin (cinq chiffres, ou 2A et 2B pour la Corse)")
                                    .arg(Cite(numero, encodage)));
            continue;
        }
        if (const QByteArrayView dep = valeur(Departement); !dep.isEmpty()) {
            // Most often the number's own two characters.
            const bool meme = dep.size() == 2 && dep[0] == m.numero[0] && Majuscule_Ascii(dep[1]) == m.numero[1];
            const int d = meme ? 0 : Departement_Du_Champ(dep);
            if (!meme && d != -2 && d != Departement_Carte(m.Departement())) {
                puits.refuse(ligne, QStringLiteral("le département %1 ne correspond pas au numéro %2")
                                        .arg(Cite(dep, encodage), QString::fromLatin1(m.Numero())));
                continue;
            }
        }
        bool controle = false;
        for (Colonne col : {Nom, Commune, Latitude, Longitude})
            if (const Brut *b = champ(col))
                controle |= b->controle;
        if (controle) {
            puits.refuse(ligne, QStringLiteral("un champ contient un caractère de contrôle"));
            continue;
        }
        const QByteArrayView nom = valeur(Nom);
        if (puits.deja(m, nom, ligne))
            continue;
        m.nom = puits.ajoute(nom);
        m.commune = puits.ajoute(valeur(Commune));
        m.latitude = puits.ajoute(valeur(Latitude));
        m.longitude = puits.ajoute(valeur(Longitude));
        puits.garde(m, ligne);
        if (puits.abandonne())
            return;
    }
}

// Where the second part of a file begins: the line that starts first past
// `milieu`, if it comes after `debut`.
qsizetype Coupure(QByteArrayView octets, qsizetype debut, qsizetype milieu)
{
    for (qsizetype i = qMax(debut, milieu); i < octets.size(); ++i) {
        if (octets[i] == '\n' || octets[i] == '\r') {
            i += octets[i] == '\r' && i + 1 < octets.size() && octets[i + 1] == '\n';
            return i + 1 < octets.size() ? i + 1 : -1;
        }
    }
    return -1;
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

    void refuse(qsizetype ligne, QString raison) { m_refusees.ajoute(ligne, std::move(raison)); }
    bool abandonne() const { return false; }
    // A number already kept: refused when its name differs, dropped anyway.
    bool deja(const Moulin &m, QByteArrayView nom, qsizetype ligne)
    {
        const qint32 place = m_liste.m_index[size_t(m.code)];
        if (place < 0)
            return false;
        if (m_liste.Octets(m_liste.m_moulins[size_t(place)].nom) != nom)
            refuse(ligne, Raison_Double(m, place));
        return true;
    }
    Texte ajoute(QByteArrayView v) { return Place(v, m_liste.m_texte, m_liste.m_a_part); }
    void garde(const Moulin &m, qsizetype ligne)
    {
        m_dans_l_ordre &= m_liste.m_moulins.empty() || m.code > m_liste.m_moulins.back().code;
        m_liste.m_index[size_t(m.code)] = qint32(m_liste.m_moulins.size());
        m_liste.m_moulins.push_back(m);
        m_lignes.push_back(ligne);
    }

    // The second part's mills and refused lines after the first part's,
    // its lines `lignes_avant` further down the file.
    void rejoint(Morceau &&morceau, qsizetype lignes_avant)
    {
        const quint32 base = quint32(m_liste.m_a_part.size());
        m_liste.m_a_part.append(morceau.a_part);
        std::vector<Moulin> &moulins = m_liste.m_moulins;
        const size_t debut = moulins.size();
        moulins.insert(moulins.end(), morceau.moulins.begin(), morceau.moulins.end());
        m_lignes.resize(moulins.size());
        for (size_t i = debut; i < moulins.size(); ++i)
            m_lignes[i] = morceau.lignes[i - debut] + lignes_avant;
        // Taken in whole, then the numbers seen before dropped: most often none.
        Refusees doubles;
        size_t gardes = debut;
        for (size_t i = debut; i < moulins.size(); ++i) {
            Moulin &m = moulins[i];
            if (!morceau.a_part.isEmpty())
                for (Texte *t : {&m.nom, &m.commune, &m.latitude, &m.longitude})
                    if (t->debut & A_Part)
                        t->debut += base;
            qint32 &place = m_liste.m_index[size_t(m.code)];
            if (place >= 0) {
                if (m_liste.Octets(moulins[size_t(place)].nom) != m_liste.Octets(m.nom))
                    doubles.ajoute(m_lignes[i], Raison_Double(m, place));
                continue;
            }
            m_dans_l_ordre &= gardes == 0 || m.code > moulins[gardes - 1].code;
            place = qint32(gardes);
            if (gardes != i) {
                moulins[gardes] = m;
                m_lignes[gardes] = m_lignes[i];
            }
            ++gardes;
        }
        moulins.resize(gardes);
        m_lignes.resize(gardes);
        // Both in the order of lines, and so the refused lines of the whole file.
        const std::vector<Refus> &refus = morceau.refusees.refus;
        size_t r = 0, d = 0;
        while (r < refus.size() || d < doubles.refus.size()) {
            if (d == doubles.refus.size() || (r < refus.size() && refus[r].ligne + lignes_avant < doubles.refus[d].ligne)) {
                refuse(refus[r].ligne + lignes_avant, refus[r].raison);
                ++r;
            } else {
                refuse(doubles.refus[d].ligne, doubles.refus[d].raison);
                ++d;
            }
        }
        m_refusees.nombre += morceau.refusees.nombre - qsizetype(refus.size()) + doubles.nombre - qsizetype(doubles.refus.size());
    }

    Lecture termine()
    {
        Lecture lecture;
        lecture.refus = std::move(m_refusees.refus);
        lecture.refusees = m_refusees.nombre;
        lecture.liste = termine_liste();
        return lecture;
    }

private:
    QString Raison_Double(const Moulin &m, qint32 place) const
    {
        return QStringLiteral("le numéro %1 est déjà celui de %2 (ligne %3) : le premier est gardé")
            .arg(QString::fromLatin1(m.Numero()), Cite(m_liste.Octets(m_liste.m_moulins[size_t(place)].nom), m_liste.m_encodage))
            .arg(m_lignes[size_t(place)]);
    }

    Liste termine_liste()
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
        ordre.resize(m_liste.m_moulins.size() + 1);
        std::vector<qint32> &index = m_liste.m_index;
        qint32 rang = 0;
        static_assert(Codes_DMF % 8 == 0);
        for (size_t code = 0; code < index.size(); code += 8) {
            // Most numbers are in no list: eight of them passed at once.
            quint64 huit[4];
            std::memcpy(huit, index.data() + code, sizeof huit);
            if ((huit[0] & huit[1] & huit[2] & huit[3]) == ~quint64(0))
                continue;
            // Without a branch: whether a number is in the list is anybody's guess.
            for (size_t k = code; k < code + 8; ++k) {
                const qint32 p = index[k];
                ordre[size_t(rang)] = p;
                index[k] = p < 0 ? p : rang;
                rang += p >= 0;
            }
        }
        ordre.resize(size_t(rang));
        return std::move(m_liste);
    }

    Liste m_liste;
    Refusees m_refusees;
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

namespace {

// `nombre` bytes from where the file's reading stands, no fewer.
Statut Remplit(Fichier_Ouvert &fichier, char *destination, qsizetype nombre, const QString &chemin)
{
    for (qsizetype lus = 0; lus < nombre;) {
        const auto n = fichier.lit(destination + lus, nombre - lus);
        if (!n)
            return Erreur{n.erreur()};
        if (n.valeur() == 0)
            return Erreur{QStringLiteral("Le fichier %1 a changé pendant sa lecture.").arg(QDir::toNativeSeparators(chemin))};
        lus += n.valeur();
    }
    return Succes();
}

// A value handed once from one thread to the other. The one that waits for
// it spins a while first: the other is most often a few tens of
// microseconds away, less than waking a sleeping thread takes.
template <class T>
class Passage {
public:
    void donne(T valeur)
    {
        {
            std::lock_guard verrou(m_verrou);
            m_valeur.emplace(std::move(valeur));
            m_pret.store(true, std::memory_order_release);
        }
        m_condition.notify_one();
    }
    T prend()
    {
        const auto limite = std::chrono::steady_clock::now() + std::chrono::microseconds(300);
        while (!m_pret.load(std::memory_order_acquire) && std::chrono::steady_clock::now() < limite)
            std::this_thread::yield();
        std::unique_lock verrou(m_verrou);
        m_condition.wait(verrou, [this] { return m_pret.load(std::memory_order_relaxed); });
        return std::move(*m_valeur);
    }

private:
    std::atomic<bool> m_pret = false;
    std::optional<T> m_valeur;
    std::mutex m_verrou;
    std::condition_variable m_condition;
};

// The reader of a file's second part, on a thread of its own. It is started
// first, as a thread takes a while to start, and told where to begin once
// the file's encoding and columns are known. It may read that part of the
// file first, and tell whether it is UTF-8.
class Second_Fil {
public:
    struct Lu {
        Statut statut = Succes();
        qsizetype borne = 0; // the first character past the middle
        bool utf8 = false;   // from there on
    };

    Second_Fil() : Second_Fil(std::nullopt) {}
    // The bytes from `milieu` to the end of `octets`, of `taille` bytes.
    Second_Fil(Fichier_Ouvert fichier, const QString &chemin, char *octets, qsizetype milieu, qsizetype taille)
        : Second_Fil(std::optional<Lecture_Fichier>(Lecture_Fichier{std::move(fichier), chemin, octets, milieu, taille}))
    {
    }
    ~Second_Fil()
    {
        if (!m_parti)
            m_depart.donne(std::nullopt);
        if (m_fil.joinable())
            m_fil.join();
    }
    // Once its part of the file is read.
    Lu lu() { return m_lu.prend(); }
    void part(const Forme &forme, char separateur, qsizetype debut)
    {
        m_parti = true;
        m_depart.donne(Depart{forme, separateur, debut});
    }
    Morceau termine()
    {
        m_fil.join();
        return std::move(*m_morceau);
    }

private:
    struct Lecture_Fichier {
        Fichier_Ouvert fichier;
        QString chemin;
        char *octets;
        qsizetype milieu, taille;
    };
    struct Depart {
        Forme forme;
        char separateur;
        qsizetype debut;
    };

    explicit Second_Fil(std::optional<Lecture_Fichier> lecture)
        : m_fil([this, lecture = std::move(lecture)]() mutable {
              if (lecture) {
                  Lu lu;
                  lecture->fichier.positionne(lecture->milieu);
                  lu.statut = Remplit(lecture->fichier, lecture->octets + lecture->milieu, lecture->taille - lecture->milieu, lecture->chemin);
                  if (lu.statut) {
                      lu.borne = lecture->milieu;
                      while (lu.borne < lecture->taille && (static_cast<unsigned char>(lecture->octets[lu.borne]) & 0xC0) == 0x80)
                          ++lu.borne;
                      lu.utf8 = Utf8_Valide(QByteArrayView(lecture->octets + lu.borne, lecture->taille - lu.borne));
                  }
                  m_lu.donne(std::move(lu));
              }
              const std::optional<Depart> d = m_depart.prend();
              if (!d)
                  return;
              // Its own, not beside what the first thread writes on its
              // stack: each would make the other's cache lines go back and forth.
              Morceau m{d->forme.fichier, {}, {}, {}, {}};
              m.reserve(d->forme.octets.size() - d->debut);
              Decoupeur decoupe(d->forme.octets, d->separateur, d->debut);
              Lit_Lignes(d->forme, decoupe, d->forme.octets.size(), m);
              m_morceau.emplace(std::move(m));
          })
    {
    }

    Passage<std::optional<Depart>> m_depart;
    Passage<Lu> m_lu;
    bool m_parti = false;
    std::optional<Morceau> m_morceau;
    std::thread m_fil;
};

// `second`, when given, reads the lines from the first one past `milieu`;
// `utf8`, when known, spares looking at the whole file again.
Lecture Lit(const QByteArray &fichier, Second_Fil *second, qsizetype milieu, std::optional<bool> utf8)
{
    QByteArrayView octets = fichier;
    Encodage encodage = Encodage::Windows1252;
    if (octets.startsWith("\xEF\xBB\xBF")) {
        octets = octets.sliced(3);
        encodage = Encodage::Utf8;
    } else if (utf8 ? *utf8 : Utf8_Valide(octets)) {
        encodage = Encodage::Utf8;
    }
    Constructeur c(encodage, fichier);
    const char separateur = Separateur(octets);
    Decoupeur decoupe(octets, separateur);
    Forme forme{fichier, octets, encodage, {}};
    // The columns from the heading, or from the first lines.
    {
        Decoupeur avance = decoupe;
        std::vector<Brut> champs;
        qsizetype ligne = 0;
        std::vector<std::vector<Brut>> premiers;
        bool entete = false;
        while (premiers.size() < 20 && avance.suivant(champs, ligne)) {
            if (Ligne_Vide(octets, champs))
                continue;
            if (premiers.empty()) {
                if (const auto e = Lit_Entete(octets, champs, encodage)) {
                    forme.colonnes = *e;
                    entete = true;
                    decoupe = avance; // the heading is no mill
                    break;
                }
            }
            premiers.push_back(champs);
        }
        if (!entete)
            forme.colonnes = Devine_Colonnes(octets, premiers);
    }

    // Where the byte-order mark is, the middle of the file is one byte on.
    const qsizetype coupure = second ? Coupure(octets, decoupe.position(), milieu - (fichier.size() - octets.size())) : -1;
    if (coupure < 0) {
        Lit_Lignes(forme, decoupe, octets.size(), c);
        return c.termine();
    }
    second->part(forme, separateur, coupure);
    Lit_Lignes(forme, decoupe, coupure, c);
    Morceau suite = second->termine();
    if (decoupe.position() == coupure && !suite.abandonne()) {
        c.rejoint(std::move(suite), decoupe.ligne() - 1);
    } else {
        // The second part began inside a field in quotes, or gave up: the
        // first thread goes on.
        suite = Morceau{fichier, {}, {}, {}, {}}; // its memory given back first
        Lit_Lignes(forme, decoupe, octets.size(), c);
    }
    return c.termine();
}

bool Partage(qint64 taille) { return taille >= Taille_Partage && std::thread::hardware_concurrency() >= 2; }

} // namespace

Lecture Lit_Liste_En_Deux(const QByteArray &fichier, qsizetype milieu)
{
    std::optional<Second_Fil> second;
    if (milieu >= 0)
        second.emplace();
    return Lit(fichier, second ? &*second : nullptr, milieu, std::nullopt);
}

Lecture Lit_Liste(const QByteArray &fichier)
{
    return Lit_Liste_En_Deux(fichier, Partage(fichier.size()) ? fichier.size() / 2 : -1);
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
    // A large one is read in two halves at once, the second by the thread
    // that then reads its lines.
    if (const qint64 taille = fichier.valeur().taille(); Partage(taille)) {
        if (auto autre = fichier.valeur().duplique()) {
            QByteArray octets(qsizetype(taille), Qt::Uninitialized);
            char *d = octets.data();
            Prepare_Memoire(d, size_t(taille));
            const qsizetype milieu = qsizetype(taille / 2);
            Second_Fil second(std::move(autre).valeur(), chemin, d, milieu, qsizetype(taille));
            const Statut premiere = Remplit(fichier.valeur(), d, milieu, chemin);
            // Up to the last character that begins before the middle, while
            // the other thread looks at what follows.
            qsizetype dernier = milieu;
            while (premiere && dernier > 0 && dernier > milieu - 4 && (static_cast<unsigned char>(d[dernier - 1]) & 0xC0) == 0x80)
                --dernier;
            dernier = qMax<qsizetype>(0, dernier - 1);
            const bool debut_utf8 = premiere && Utf8_Valide(QByteArrayView(d, dernier));
            const Second_Fil::Lu seconde = second.lu();
            if (!premiere)
                return Erreur{premiere.erreur()};
            if (!seconde.statut)
                return Erreur{seconde.statut.erreur()};
            const bool utf8 = debut_utf8 && seconde.utf8 && Utf8_Valide(QByteArrayView(d + dernier, seconde.borne - dernier));
            return Lit(octets, &second, milieu, utf8);
        }
    }
    // The file looked at is the one read, even if another takes its name.
    const auto octets = Lit_Fichier(fichier.valeur());
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

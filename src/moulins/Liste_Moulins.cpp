#include "Liste_Moulins.h"

#include "Departements.h"
#include "Fichier.h"
#include "Ligne_QSO.h"
#include "Projection.h"
#include "Sauvegardes.h"
#include "Texte.h"

#include <QDir>
#include <array>
#include <optional>

using namespace Sous_Programmes;

namespace Moulins {

namespace {

// The list's columns in the order of Moulins.txt: the heading written
// there, the words that name the column in a list's headings, and where a
// mill keeps its text (the number and its département are the mill's own).
struct Colonne {
    const char *titre;
    const char *mots;
    int rang; // headings are matched in this order: the vaguest words last
    Texte Moulin::*texte;
};
constexpr Colonne Colonnes[] = {
    {"N° DMF", "numero n° dmf reference ref", 4, nullptr},
    {"Nom", "nom moulin", 5, &Moulin::nom},
    {"Commune", "commune ville localite lieu", 1, &Moulin::commune},
    {"Département", "departement dept", 0, nullptr},
    {"Latitude", "latitude lat", 2, &Moulin::latitude},
    {"Longitude", "longitude lon long lng", 3, &Moulin::longitude},
};
constexpr size_t Nombre_Colonnes = std::size(Colonnes);
enum : size_t { Numero, Nom, Commune, Departement, Latitude, Longitude };
// Each column's field in a record, or -1.
using Places = std::array<int, Nombre_Colonnes>;

QString Decode(QByteArrayView octets, Encodage encodage)
{
    return encodage == Encodage::Utf8 ? QString::fromUtf8(octets) : Depuis_Log(octets);
}

bool Blanc(char c) { return c == ' ' || c == '\t'; }
bool Controle(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// A field of a record as it lies in the file.
struct Brut {
    qsizetype debut = 0, fin = 0;
    bool guillemets = false; // in quotes: kept as it is, blanks included
    bool transforme = false; // doubled quotes or line ends inside, to be undone
    bool controle = false;   // a control byte inside
};

// The file's records one at a time, by the usual CSV rules: a field in
// double quotes may hold separators, line ends and doubled quotes.
class Decoupeur {
public:
    Decoupeur(QByteArrayView octets, char separateur) : m_o(octets), m_separateur(separateur)
    {
        for (int c = 0; c < 256; ++c)
            m_sorte[c] = Controle(char(c)) && c != '\t' ? Sorte::Controle : Sorte::Simple;
        for (char c : {separateur, '\r', '\n'})
            m_sorte[static_cast<unsigned char>(c)] = Sorte::Fin;
    }

    // The next record's fields and the line it starts on; false at the end.
    bool suivant(std::vector<Brut> &champs, qsizetype &ligne)
    {
        champs.clear();
        ligne = m_ligne;
        const qsizetype n = m_o.size();
        qsizetype p = m_p;
        if (p >= n)
            return false;
        auto sorte = [&](qsizetype i) { return m_sorte[static_cast<unsigned char>(m_o[i])]; };
        for (;;) {
            Brut &c = champs.emplace_back(Brut{p, p});
            if (m_o[p] == '"') {
                c.guillemets = true;
                c.debut = ++p;
                for (; p < n; ++p) {
                    const char x = m_o[p];
                    if (x == '"' && p + 1 < n && m_o[p + 1] == '"') {
                        c.transforme = true;
                        ++p;
                    } else if (x == '"') {
                        break;
                    } else if (x == '\r' || x == '\n') {
                        c.transforme = true;
                        m_ligne += x == '\n' || !(p + 1 < n && m_o[p + 1] == '\n');
                    } else {
                        c.controle |= sorte(p) == Sorte::Controle;
                    }
                }
                c.fin = p;
                // Anything between the closing quote and the separator is dropped.
                while (p < n && sorte(p) != Sorte::Fin)
                    ++p;
            } else {
                // A quote inside an unquoted field is one of its characters.
                bool controle = false;
                for (Sorte s; p < n && (s = sorte(p)) != Sorte::Fin; ++p)
                    controle |= s == Sorte::Controle;
                c.fin = p;
                c.controle = controle;
            }
            if (p >= n)
                break;
            if (m_o[p] == m_separateur) {
                if (++p < n)
                    continue;
                champs.push_back(Brut{n, n});
                break;
            }
            p += m_o[p] == '\r' && p + 1 < n && m_o[p + 1] == '\n' ? 2 : 1;
            ++m_ligne;
            break;
        }
        m_p = p;
        return true;
    }

private:
    // What each byte is to a field: a byte of it, a control byte, or its end.
    enum class Sorte : char { Simple, Controle, Fin };
    Sorte m_sorte[256];
    QByteArrayView m_o;
    char m_separateur;
    qsizetype m_p = 0;
    qsizetype m_ligne = 1;
};

// An unquoted field without its blanks at either end.
QByteArrayView Valeur_Simple(QByteArrayView octets, const Brut &c)
{
    qsizetype debut = c.debut, fin = c.fin;
    while (debut < fin && Blanc(octets[debut]))
        ++debut;
    while (fin > debut && Blanc(octets[fin - 1]))
        --fin;
    return octets.sliced(debut, fin - debut);
}

// The field's value: quotes undone, a line end inside it made a blank; in
// `tampon` when it differs from the file's bytes.
QByteArrayView Vue(QByteArrayView octets, const Brut &c, QByteArray &tampon)
{
    if (!c.guillemets)
        return Valeur_Simple(octets, c);
    if (!c.transforme)
        return octets.sliced(c.debut, c.fin - c.debut);
    tampon.truncate(0);
    for (qsizetype i = c.debut; i < c.fin; ++i) {
        const char x = octets[i];
        if (x == '"' && i + 1 < c.fin && octets[i + 1] == '"') {
            tampon += '"';
            ++i;
        } else if (x == '\r' || x == '\n') {
            if (x == '\r' && i + 1 < c.fin && octets[i + 1] == '\n')
                ++i;
            tampon += ' ';
        } else {
            tampon += x;
        }
    }
    return tampon;
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
std::optional<Places> Lit_Entete(QByteArrayView octets, const std::vector<Brut> &champs, Encodage e)
{
    static const auto noms = [] {
        std::array<QStringList, Nombre_Colonnes> n;
        for (size_t k = 0; k < Nombre_Colonnes; ++k)
            n[k] = QString::fromUtf8(Colonnes[k].mots).split(u' ');
        return n;
    }();
    // A heading is a few words: a longer cell names no column and is not
    // folded, whatever its length (a stray quote makes it the whole file).
    constexpr qsizetype Cellule_Maximum = 100;
    Places places;
    places.fill(-1);
    for (size_t j = 0; j < champs.size(); ++j) {
        if (champs[j].fin - champs[j].debut > Cellule_Maximum)
            continue;
        const QStringList mots = Mots(Valeur(octets, champs[j]), e);
        std::optional<size_t> choisie;
        for (size_t k = 0; k < Nombre_Colonnes; ++k)
            if (places[k] < 0 && (!choisie || Colonnes[k].rang < Colonnes[*choisie].rang)
                && std::any_of(mots.begin(), mots.end(), [&](const QString &m) { return noms[k].contains(m); }))
                choisie = k;
        if (choisie)
            places[*choisie] = int(j);
    }
    if (places[Numero] < 0)
        return std::nullopt;
    return places;
}

// Without a heading: the first column of mill numbers, the next text column
// the name, the one after it the commune.
Places Devine_Colonnes(QByteArrayView octets, const std::vector<std::vector<Brut>> &premiers)
{
    Places places;
    places.fill(-1);
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
    for (size_t j = 0; j < largeur && places[Numero] < 0; ++j)
        if (numeros[j] > 0 && numeros[j] * 2 >= remplis[j])
            places[Numero] = int(j);
    if (places[Numero] < 0)
        places[Numero] = 0;
    for (size_t j = size_t(places[Numero]) + 1; j < largeur && places[Nom] < 0; ++j)
        if (textes[j] > 0 && textes[j] >= numeros[j])
            places[Nom] = int(j);
    if (places[Nom] >= 0 && size_t(places[Nom]) + 1 < largeur)
        places[Commune] = places[Nom] + 1;
    return places;
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
    // `douteux`: marked as UTF-8 without being so from end to end.
    Constructeur(Encodage e, const QByteArray &fichier, bool douteux) : m_douteux(douteux)
    {
        m_liste.m_encodage = e;
        m_liste.m_index.assign(size_t(Codes_DMF), -1);
        m_liste.m_texte = fichier;
        m_liste.m_moulins.reserve(size_t(qMin<qsizetype>(fichier.size() / 16, Codes_DMF)));
        m_lignes.reserve(m_liste.m_moulins.capacity());
    }

    // Each record of `octets` from where `decoupe` stands: refused with its
    // reason, or its mill kept, unless its number was already.
    void lit(Decoupeur &decoupe, QByteArrayView octets, const Places &places)
    {
        const Encodage encodage = m_liste.m_encodage;
        std::vector<Brut> champs;
        qsizetype ligne = 0;
        auto champ = [&](size_t k) -> const Brut * {
            return places[k] >= 0 && size_t(places[k]) < champs.size() ? &champs[size_t(places[k])] : nullptr;
        };
        QByteArray tampons[Nombre_Colonnes];
        auto valeur = [&](size_t k) -> QByteArrayView {
            const Brut *b = champ(k);
            return b ? Vue(octets, *b, tampons[k]) : QByteArrayView();
        };
        QByteArray tampon_long;
        QByteArrayView valeurs[Nombre_Colonnes];
        QByteArray propres[Nombre_Colonnes];
        while (decoupe.suivant(champs, ligne)) {
            if (Ligne_Vide(octets, champs))
                continue;
            if (std::any_of(champs.begin(), champs.end(), [&](const Brut &b) {
                    return b.fin - b.debut > Longueur_Champ_Max && Caracteres(Vue(octets, b, tampon_long), encodage) > Longueur_Champ_Max;
                })) {
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
            for (size_t k = 0; k < Nombre_Colonnes; ++k)
                if (const Brut *b = champ(k); b && Colonnes[k].texte)
                    controle |= b->controle;
            if (controle) {
                refuse(ligne, QStringLiteral("un champ contient un caractère de contrôle"));
                continue;
            }
            // The whole file is read as the UTF-8 its mark says: a stray
            // byte is replaced, so that what is kept stays UTF-8.
            bool remplace = false;
            for (size_t k = 0; k < Nombre_Colonnes; ++k) {
                if (!Colonnes[k].texte)
                    continue;
                valeurs[k] = valeur(k);
                if (m_douteux && !valeurs[k].isValidUtf8()) {
                    propres[k] = QString::fromUtf8(valeurs[k]).toUtf8();
                    valeurs[k] = propres[k];
                    remplace = true;
                }
            }
            if (deja(m, valeurs[Nom], ligne))
                continue;
            if (!position_plausible(m, valeurs[Latitude], valeurs[Longitude], ligne))
                valeurs[Latitude] = valeurs[Longitude] = {};
            for (size_t k = 0; k < Nombre_Colonnes; ++k)
                if (Colonnes[k].texte)
                    m.*Colonnes[k].texte = place(valeurs[k]);
            if (remplace && m_remplacees++ == 0)
                m_premiere_remplacee = ligne;
            garde(m, ligne);
        }
    }

    Lecture termine()
    {
        Lecture lecture;
        lecture.refus = std::move(m_refus);
        lecture.refusees = m_refusees;
        lecture.remplacees = m_remplacees;
        lecture.premiere_remplacee = m_premiere_remplacee;
        lecture.sans_position = std::move(m_sans_position);
        lecture.positions_ecartees = m_positions_ecartees;
        lecture.liste = termine_liste();
        return lecture;
    }

private:
    // Refused lines: the first ones shown, all of them counted.
    void refuse(qsizetype ligne, QString raison)
    {
        if (qsizetype(m_refus.size()) < Refus_Montres)
            m_refus.push_back({ligne, std::move(raison)});
        ++m_refusees;
    }

    // A position read as numbers must lie in the mill's département, give or
    // take the outline's coarseness; text that is no number is left as it is.
    bool position_plausible(const Moulin &m, QByteArrayView latitude, QByteArrayView longitude, qsizetype ligne)
    {
        const auto p = Geo::Position_Lue(latitude, longitude);
        if (!p)
            return true;
        if (Geo::En_France(*p) && Geo::Pres_Du_Departement(*p, Departement_Carte(m.Departement()), Ecart_Departement_Max_km))
            return true;
        if (qsizetype(m_sans_position.size()) < Refus_Montres)
            m_sans_position.push_back({ligne, QStringLiteral("coordonnées hors du département %1").arg(QString::fromLatin1(m.Departement()))});
        ++m_positions_ecartees;
        return false;
    }

    // A number already kept: refused when its name differs, dropped anyway.
    bool deja(const Moulin &m, QByteArrayView nom, qsizetype ligne)
    {
        const qint32 place = m_liste.m_index[size_t(m.code)];
        if (place < 0)
            return false;
        const Moulin &premier = m_liste.m_moulins[size_t(place)];
        if (m_liste.Octets(premier.nom) != nom)
            refuse(ligne, QStringLiteral("le numéro %1 est déjà celui de %2 (ligne %3) : le premier est gardé")
                              .arg(QString::fromLatin1(m.Numero()), Cite(m_liste.Octets(premier.nom), m_liste.m_encodage))
                              .arg(m_lignes[size_t(place)]));
        return true;
    }

    // Where a value lies: in the file, or, quotes undone, past its bytes.
    Texte place(QByteArrayView v)
    {
        if (v.isEmpty())
            return {};
        const QByteArrayView fichier = m_liste.m_texte;
        if (v.data() >= fichier.data() && v.data() + v.size() <= fichier.data() + fichier.size())
            return {quint32(v.data() - fichier.data()), quint32(v.size())};
        const Texte t{quint32(fichier.size() + m_liste.m_a_part.size()), quint32(v.size())};
        m_liste.m_a_part += v;
        return t;
    }

    void garde(const Moulin &m, qsizetype ligne)
    {
        m_dans_l_ordre &= m_liste.m_moulins.empty() || m.code > m_liste.m_moulins.back().code;
        m_liste.m_index[size_t(m.code)] = qint32(m_liste.m_moulins.size());
        m_liste.m_moulins.push_back(m);
        m_lignes.push_back(ligne);
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
        // The mills stay where they are; the order tells where each one is,
        // by going through every number.
        std::vector<qint32> &ordre = m_liste.m_ordre;
        ordre.reserve(m_liste.m_moulins.size());
        for (qint32 &place : m_liste.m_index) {
            if (place >= 0) {
                ordre.push_back(place);
                place = qint32(ordre.size() - 1);
            }
        }
        return std::move(m_liste);
    }

    Liste m_liste;
    std::vector<qsizetype> m_lignes; // of each mill kept
    std::vector<Refus> m_refus;
    qsizetype m_refusees = 0;
    qsizetype m_remplacees = 0, m_premiere_remplacee = 0;
    std::vector<Refus> m_sans_position;
    qsizetype m_positions_ecartees = 0;
    bool m_douteux;
    bool m_dans_l_ordre = true;
};

const Moulin *Liste::Trouve(QByteArrayView numero) const
{
    const qsizetype r = Rang(Code_DMF(numero));
    return r < 0 ? nullptr : &(*this)[r];
}

QString Liste::Chaine(const Texte &t) const { return Decode(Octets(t), m_encodage); }

QString Liste::Nom_Et_Commune(const Moulin &m) const
{
    QStringList parties;
    for (const Texte &t : {m.nom, m.commune})
        if (t.taille)
            parties.append(Chaine(t));
    return parties.join(QStringLiteral(", "));
}

std::optional<Geo::Position> Liste::Position(const Moulin &m) const
{
    // Degrees are ASCII in either encoding.
    const auto p = Geo::Position_Lue(Octets(m.latitude), Octets(m.longitude));
    return p && Geo::En_France(*p) ? p : std::nullopt;
}

QString Liste::Designation(const Moulin &m) const
{
    return (Nom_Et_Commune(m) + QStringLiteral(" (%1)").arg(QString::fromLatin1(m.Departement()))).trimmed();
}

Lecture Lit_Liste(const QByteArray &fichier)
{
    QByteArrayView octets = fichier;
    Encodage encodage = Encodage::Windows1252;
    bool douteux = false;
    if (octets.startsWith("\xEF\xBB\xBF")) {
        octets = octets.sliced(3);
        encodage = Encodage::Utf8;
        douteux = !octets.isValidUtf8();
    } else if (octets.isValidUtf8()) {
        encodage = Encodage::Utf8;
    }
    Decoupeur decoupe(octets, Separateur(octets));
    // The columns from the heading, or from the first lines.
    Places places;
    {
        Decoupeur avance = decoupe;
        std::vector<Brut> champs;
        qsizetype ligne = 0;
        std::vector<std::vector<Brut>> premiers;
        std::optional<Places> entete;
        while (premiers.size() < 20 && avance.suivant(champs, ligne)) {
            if (Ligne_Vide(octets, champs))
                continue;
            if (premiers.empty() && (entete = Lit_Entete(octets, champs, encodage))) {
                decoupe = avance; // the heading is no mill
                break;
            }
            premiers.push_back(champs);
        }
        places = entete ? *entete : Devine_Colonnes(octets, premiers);
    }
    Constructeur c(encodage, fichier, douteux);
    c.lit(decoupe, octets, places);
    return c.termine();
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
    QByteArray sortie;
    for (const Colonne &c : Colonnes)
        sortie.append(sortie.isEmpty() ? "" : ";").append(c.titre);
    sortie += "\r\n";
    sortie.reserve(sortie.size() + liste.taille() * 64);
    const bool utf8 = liste.encodage() == Encodage::Utf8;
    for (const Moulin &m : liste.moulins()) {
        for (size_t k = 0; k < Nombre_Colonnes; ++k) {
            if (k > 0)
                sortie += ';';
            if (const Texte Moulin::*t = Colonnes[k].texte)
                Ajoute_Champ(sortie, utf8 ? liste.Octets(m.*t).toByteArray() : liste.Chaine(m.*t).toUtf8());
            else
                sortie += k == Numero ? m.Numero() : m.Departement();
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

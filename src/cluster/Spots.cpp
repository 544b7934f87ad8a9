#include "Spots.h"

#include "Echange_ADIF.h"
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Texte.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <QStringDecoder>

using namespace Sous_Programmes;

namespace Cluster {

namespace {

bool Blanc(char c) { return c == ' ' || c == '\t'; }
bool Chiffre(char c) { return c >= '0' && c <= '9'; }
bool Lettre(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The line cut at its blanks, each word with its place.
struct Mot {
    qsizetype debut;
    QByteArrayView texte;
};
std::vector<Mot> Mots(QByteArrayView ligne)
{
    std::vector<Mot> mots;
    qsizetype i = 0;
    while (i < ligne.size()) {
        while (i < ligne.size() && Blanc(ligne[i]))
            ++i;
        const qsizetype debut = i;
        while (i < ligne.size() && !Blanc(ligne[i]))
            ++i;
        if (i > debut)
            mots.push_back({debut, ligne.sliced(debut, i - debut)});
    }
    return mots;
}

// kHz: digits with at most one point, and not zero.
bool Frequence(QByteArrayView t)
{
    if (t.isEmpty() || t.size() > 12)
        return false;
    int points = 0;
    bool non_nul = false;
    for (char c : t) {
        if (c == '.')
            ++points;
        else if (!Chiffre(c))
            return false;
        else if (c != '0')
            non_nul = true;
    }
    return points <= 1 && non_nul && t != ".";
}

// "1234Z", a valid time of day.
bool Heure(QByteArrayView t)
{
    if (t.size() != 5 || (t[4] != 'Z' && t[4] != 'z'))
        return false;
    for (int i = 0; i < 4; ++i)
        if (!Chiffre(t[i]))
            return false;
    return (t[0] - '0') * 10 + (t[1] - '0') < 24 && (t[2] - '0') * 10 + (t[3] - '0') < 60;
}

QTime Temps(QByteArrayView t) { return QTime((t[0] - '0') * 10 + (t[1] - '0'), (t[2] - '0') * 10 + (t[3] - '0')); }

// A Maidenhead locator of 4 or 6 characters: "JN18", "JN18du".
bool Locator(QByteArrayView t)
{
    if (t.size() != 4 && t.size() != 6)
        return false;
    const char a = Majuscule_Ascii(t[0]), b = Majuscule_Ascii(t[1]);
    if (a < 'A' || a > 'R' || b < 'A' || b > 'R' || !Chiffre(t[2]) || !Chiffre(t[3]))
        return false;
    return t.size() == 4 || (Lettre(t[4]) && Lettre(t[5]));
}

// "7-Dec-2026" or "07-Dec-2026".
QDate Date_Listing(QByteArrayView t)
{
    static constexpr std::array<const char *, 12> mois{"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const qsizetype tiret = t.indexOf('-');
    if (tiret < 1 || tiret > 2 || t.size() != tiret + 9 || t[tiret + 4] != '-')
        return {};
    int jour = 0;
    for (qsizetype i = 0; i < tiret; ++i) {
        if (!Chiffre(t[i]))
            return {};
        jour = jour * 10 + (t[i] - '0');
    }
    int annee = 0;
    for (qsizetype i = tiret + 5; i < t.size(); ++i) {
        if (!Chiffre(t[i]))
            return {};
        annee = annee * 10 + (t[i] - '0');
    }
    const char nom[3] = {Majuscule_Ascii(t[tiret + 1]), Majuscule_Ascii(t[tiret + 2]), Majuscule_Ascii(t[tiret + 3])};
    for (int m = 0; m < 12; ++m)
        if (QByteArrayView(nom, 3) == QByteArrayView(mois[size_t(m)]))
            return QDate(annee, m + 1, jour);
    return {};
}

QByteArrayView Entre(QByteArrayView ligne, const Mot &premier, const Mot &apres_dernier)
{
    return ligne.sliced(premier.debut, apres_dernier.debut - premier.debut).trimmed();
}

// The callsign of a spot: printable, no more than a log can hold twice over.
bool Indicatif(QByteArrayView t) { return !t.isEmpty() && t.size() <= 2 * Largeur_Indicatif; }

std::optional<Spot> Complete(Spot s, QByteArrayView commentaire)
{
    auto dmf = ADIF::Reference_Dans_Texte(commentaire);
    if (!dmf)
        return std::nullopt;
    s.dmf = *dmf;
    s.commentaire = commentaire.toByteArray();
    return s;
}

// "DX de " in any case.
bool Forme_Diffusion(QByteArrayView l)
{
    return l.size() > 6 && Majuscule_Ascii(l[0]) == 'D' && Majuscule_Ascii(l[1]) == 'X' && l[2] == ' '
           && Majuscule_Ascii(l[3]) == 'D' && Majuscule_Ascii(l[4]) == 'E' && l[5] == ' ';
}

// "DX de F5XYZ:     7012.0  F1ABC/P      DMF 21001 CW        1234Z JN18",
// its comment whatever it names.
std::optional<Spot> Diffusion(QByteArrayView ligne, const QDateTime &recu)
{
    const qsizetype deux_points = ligne.indexOf(':');
    if (deux_points < 0)
        return std::nullopt;
    Spot s;
    s.spotteur = ligne.sliced(6, deux_points - 6).trimmed().toByteArray();
    const QByteArrayView reste = ligne.sliced(deux_points + 1);
    const std::vector<Mot> mots = Mots(reste);
    if (s.spotteur.isEmpty() || mots.size() < 3 || !Frequence(mots[0].texte) || !Indicatif(mots[1].texte))
        return std::nullopt;
    size_t fin = mots.size() - 1;
    if (!Heure(mots[fin].texte)) {
        if (fin < 3 || !Locator(mots[fin].texte) || !Heure(mots[fin - 1].texte))
            return std::nullopt;
        --fin;
    }
    if (fin < 2)
        return std::nullopt;
    s.frequence = mots[0].texte.toByteArray();
    s.indicatif = mots[1].texte.toByteArray().toUpper();
    s.heure = mots[fin].texte.first(4).toByteArray();
    const QTime temps = Temps(s.heure);
    const QDateTime utc = recu.toUTC();
    QDate jour = utc.date();
    // Clocks differ a little; an hour ahead is yesterday's spot.
    if (temps.secsTo(utc.time()) < -3600)
        jour = jour.addDays(-1);
    s.quand = QDateTime(jour, temps, Qt::UTC);
    s.commentaire = fin > 2 ? Entre(reste, mots[2], mots[fin]).toByteArray() : QByteArray();
    return s;
}

// "  7012.0  F1ABC/P     07-Dec-2026 1234Z  DMF 21001 CW      <F5XYZ>"
std::optional<Spot> Listing(QByteArrayView ligne)
{
    const std::vector<Mot> mots = Mots(ligne);
    if (mots.size() < 5 || !Frequence(mots[0].texte) || !Indicatif(mots[1].texte) || !Heure(mots[3].texte))
        return std::nullopt;
    const QDate date = Date_Listing(mots[2].texte);
    const QByteArrayView dernier = mots.back().texte;
    if (!date.isValid() || dernier.size() < 3 || dernier.front() != '<' || dernier.back() != '>')
        return std::nullopt;
    Spot s;
    s.frequence = mots[0].texte.toByteArray();
    s.indicatif = mots[1].texte.toByteArray().toUpper();
    s.heure = mots[3].texte.first(4).toByteArray();
    s.quand = QDateTime(date, Temps(s.heure), Qt::UTC);
    s.spotteur = dernier.sliced(1, dernier.size() - 2).toByteArray();
    return Complete(std::move(s), mots.size() > 5 ? Entre(ligne, mots[4], mots.back()) : QByteArrayView());
}

} // namespace

QByteArray Nettoie_Ligne(QByteArrayView ligne)
{
    QByteArray propre;
    propre.reserve(ligne.size());
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        const auto c = static_cast<unsigned char>(ligne[i]);
        if (c == 0x1B) {
            // CSI: ESC [ parameters, then a final byte from @ to ~.
            if (i + 1 < ligne.size() && ligne[i + 1] == '[') {
                i += 2;
                while (i < ligne.size() && (static_cast<unsigned char>(ligne[i]) < 0x40 || static_cast<unsigned char>(ligne[i]) > 0x7E))
                    ++i;
            } else {
                ++i; // ESC and the one byte that follows
            }
            continue;
        }
        if (c == '\t')
            propre.append(' ');
        else if (c >= 0x20 && c != 0x7F)
            propre.append(char(c));
    }
    return propre;
}

std::optional<Spot> Lit_Spot(QByteArrayView ligne, const QDateTime &recu)
{
    if (ligne.size() > Ligne_Maximum)
        return std::nullopt;
    const QByteArrayView l = ligne.trimmed();
    if (!Forme_Diffusion(l))
        return Listing(l);
    auto s = Lit_Diffusion(l, recu);
    if (!s || s->dmf.isEmpty())
        return std::nullopt;
    return s;
}

std::optional<Spot> Lit_Diffusion(QByteArrayView ligne, const QDateTime &recu)
{
    const QByteArrayView l = ligne.trimmed();
    if (ligne.size() > Ligne_Maximum || !Forme_Diffusion(l))
        return std::nullopt;
    auto s = Diffusion(l, recu);
    if (s)
        s->dmf = ADIF::Reference_Dans_Texte(s->commentaire).value_or(QByteArray());
    return s;
}

Index_Log::Index_Log(const Contenu_Log &contenu)
{
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        const QByteArrayView l = contenu.ligne(i);
        const int code = Code_DMF(Sans_Blancs(DMF_QSO(l)));
        if (code < 0)
            continue;
        if (m_numeros.empty())
            m_numeros.resize(Codes_DMF);
        Numero &n = m_numeros[size_t(code)];
        if (Attente_QSO(l) == "*") {
            n.en_attente = true;
            continue;
        }
        // The latest calendar date; among lines of one date, or when none has
        // one, the file's last.
        const std::optional<QDate> date = Cle_Insertion(l);
        const qint32 jour = date ? qint32(date->toJulianDay()) : -1;
        if (jour >= 0 ? jour >= n.jour : n.jour < 0) {
            n.contacte = true;
            n.jour = jour;
            const QByteArrayView d = Date_QSO(l);
            std::memset(n.date, ' ', sizeof n.date);
            std::memcpy(n.date, d.data(), size_t(qMin<qsizetype>(d.size(), sizeof n.date)));
        }
    }
}

Etat Index_Log::etat(QByteArrayView dmf, QByteArray *date_contact) const
{
    const int code = Code_DMF(dmf);
    if (code < 0 || m_numeros.empty())
        return Etat::Nouveau;
    const Numero &n = m_numeros[size_t(code)];
    if (n.contacte) {
        if (date_contact)
            *date_contact = QByteArrayView(n.date, sizeof n.date).trimmed().toByteArray();
        return Etat::Contacte;
    }
    return n.en_attente ? Etat::En_Attente : Etat::Nouveau;
}

bool Liste_Spots::ajoute(Spot spot)
{
    if (const auto cache = m_caches.constFind(Cle_Spot(spot)); cache != m_caches.cend()) {
        if (spot.quand <= *cache)
            return false;
        m_caches.erase(cache);
    }
    const auto meme = std::find_if(m_spots.begin(), m_spots.end(), [&](const Spot &s) {
        return s.dmf == spot.dmf && s.indicatif == spot.indicatif;
    });
    if (meme != m_spots.end()) {
        if (meme->quand > spot.quand)
            return false;
        m_spots.erase(meme);
    }
    // Newest first; of two at the same minute, the one heard last.
    const auto place = std::find_if(m_spots.begin(), m_spots.end(), [&](const Spot &s) { return s.quand <= spot.quand; });
    m_spots.insert(place, std::move(spot));
    if (m_spots.size() > size_t(Maximum))
        m_spots.pop_back();
    return true;
}

QString Texte_Reseau(const QByteArray &octets)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texte = utf8(octets);
    return utf8.hasError() ? Sous_Programmes::Depuis_Log(octets) : texte;
}

void Liste_Spots::cache(qsizetype i)
{
    const Spot &s = m_spots[size_t(i)];
    m_caches.insert(Cle_Spot(s), s.quand);
    m_spots.erase(m_spots.begin() + i);
}

void Liste_Spots::retire_avant(const QDateTime &limite)
{
    while (!m_spots.empty() && m_spots.back().quand < limite)
        m_spots.pop_back();
    // A hidden row older than any spot kept cannot come back as older.
    m_caches.removeIf([&](const auto &c) { return c.value() < limite; });
}

} // namespace Cluster

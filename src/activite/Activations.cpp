#include "Activations.h"

#include "Texte.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>
#include <numeric>
#include <string_view>
#include <unordered_set>

using namespace Sous_Programmes;

namespace Activite {

namespace {

bool Est_DMF(QByteArrayView texte)
{
    const QByteArrayView t = texte.trimmed();
    return t.size() == 3 && Majuscule_Ascii(t[0]) == 'D' && Majuscule_Ascii(t[1]) == 'M' && Majuscule_Ascii(t[2]) == 'F';
}

// MY_WWFF_INFO and the like: another program's reference of the station's
// own place, where a logger may have put the mill.
bool Info_De_La_Station(QByteArrayView nom)
{
    return nom.size() > 8 && ADIF::Meme_Nom(nom.first(3), "MY_") && ADIF::Meme_Nom(nom.last(5), "_INFO")
        && !ADIF::Meme_Nom(nom, "MY_SIG_INFO");
}

// The fields read, found in one pass over a record: the first of each name,
// as Enregistrement::valeur gives it.
struct Champs_Utiles {
    QByteArrayView call, qso_date, time_on, freq, band, mode, operateur, station, sig, sig_info, my_sig, my_sig_info, comment;

    explicit Champs_Utiles(const ADIF::Enregistrement &e)
    {
        for (const ADIF::Champ &c : e.champs)
            if (QByteArrayView *v = Place(c.nom); v && v->isNull())
                *v = c.valeur.isNull() ? QByteArrayView("", 0) : c.valeur;
    }

    QByteArrayView *Place(QByteArrayView nom)
    {
        using ADIF::Meme_Nom;
        switch (nom.size()) {
        case 3: return Meme_Nom(nom, "SIG") ? &sig : nullptr;
        case 4:
            return Meme_Nom(nom, "CALL") ? &call
                : Meme_Nom(nom, "FREQ")  ? &freq
                : Meme_Nom(nom, "BAND")  ? &band
                : Meme_Nom(nom, "MODE")  ? &mode
                                         : nullptr;
        case 6: return Meme_Nom(nom, "MY_SIG") ? &my_sig : nullptr;
        case 7: return Meme_Nom(nom, "TIME_ON") ? &time_on : Meme_Nom(nom, "COMMENT") ? &comment : nullptr;
        case 8:
            return Meme_Nom(nom, "QSO_DATE") ? &qso_date
                : Meme_Nom(nom, "SIG_INFO")  ? &sig_info
                : Meme_Nom(nom, "OPERATOR")  ? &operateur
                                             : nullptr;
        case 11: return Meme_Nom(nom, "MY_SIG_INFO") ? &my_sig_info : nullptr;
        case 16: return Meme_Nom(nom, "STATION_CALLSIGN") ? &station : nullptr;
        default: return nullptr;
        }
    }
};

std::optional<QByteArray> Moulin(const Champs_Utiles &u, const ADIF::Enregistrement &e)
{
    if (Est_DMF(u.my_sig))
        if (auto n = ADIF::Reference_DMF(u.my_sig_info))
            return n;
    if (auto n = ADIF::Reference_Dans_Texte(u.my_sig_info))
        return n;
    for (const ADIF::Champ &c : e.champs)
        if (Info_De_La_Station(c.nom))
            if (auto n = ADIF::Reference_Dans_Texte(c.valeur))
                return n;
    auto n = ADIF::Reference_Dans_Texte(u.comment);
    if (!n)
        return std::nullopt;
    // A comment often names the mill contacted: that one is not the station's.
    std::optional<QByteArray> contacte;
    if (Est_DMF(u.sig))
        contacte = ADIF::Reference_DMF(u.sig_info);
    if (!contacte)
        contacte = ADIF::Reference_Dans_Texte(u.sig_info);
    if (contacte == n)
        return std::nullopt;
    return n;
}

int Chiffres(QByteArrayView t, qsizetype debut, qsizetype nombre)
{
    int v = 0;
    for (qsizetype i = debut; i < debut + nombre; ++i) {
        if (t[i] < '0' || t[i] > '9')
            return -1;
        v = v * 10 + (t[i] - '0');
    }
    return v;
}

qint32 Jour_ADIF(QByteArrayView t)
{
    if (t.size() != 8)
        return 0;
    const int a = Chiffres(t, 0, 4), m = Chiffres(t, 4, 2), j = Chiffres(t, 6, 2);
    const QDate d(a, m, j);
    return a < 0 || m < 0 || j < 0 || !d.isValid() ? 0 : qint32(d.toJulianDay());
}

qint32 Seconde_ADIF(QByteArrayView t)
{
    if (t.size() != 4 && t.size() != 6)
        return -1;
    const int h = Chiffres(t, 0, 2), m = Chiffres(t, 2, 2), s = t.size() == 6 ? Chiffres(t, 4, 2) : 0;
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return -1;
    return h * 3600 + m * 60 + s;
}

// MHz as a decimal text, to the nearest hertz; 0 when it is none.
qint64 Hertz_ADIF(QByteArrayView t)
{
    qint64 mhz = 0;
    qsizetype i = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
        if (i >= 9)
            return 0;
        mhz = mhz * 10 + (t[i] - '0');
    }
    const qsizetype entiers = i;
    qint64 fraction = 0;
    int arrondi = 0;
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        ++i;
        for (int rang = 0; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++rang) {
            if (rang < 6)
                fraction = fraction * 10 + (t[i] - '0');
            else if (rang == 6)
                arrondi = t[i] >= '5' ? 1 : 0;
        }
        if (i - entiers == 1 && entiers == 0)
            return 0;
        for (qsizetype rang = i - entiers - 1; rang < 6; ++rang)
            fraction *= 10;
    } else if (entiers == 0) {
        return 0;
    }
    if (i != t.size())
        return 0;
    return mhz * 1000000 + fraction + arrondi;
}

Activite::Lecture Nouvelle_Lecture()
{
    Activite::Lecture l;
    l.textes.emplace_back();
    return l;
}

// The texts of the bands, modes and callsigns, each kept once. Records of a
// log mostly repeat the one before: that is tried before the table.
class Textes {
public:
    explicit Textes(std::vector<QByteArray> &textes) : m_textes(textes) {}

    enum class Casse { Majuscules, Minuscules };
    struct Dernier {
        QByteArray brut;
        quint16 index = 0;
        bool connu = false;
    };

    quint16 index(QByteArrayView valeur, Casse casse, Dernier &dernier)
    {
        const QByteArrayView brut = valeur.trimmed();
        if (brut.isEmpty())
            return 0;
        if (dernier.connu && brut == QByteArrayView(dernier.brut))
            return dernier.index;
        const QByteArray texte = casse == Casse::Majuscules ? brut.toByteArray().toUpper() : brut.toByteArray().toLower();
        quint16 index = 0;
        if (const auto place = m_index.constFind(texte); place != m_index.cend()) {
            index = *place;
        } else if (m_textes.size() <= 0xFFFF) {
            index = quint16(m_textes.size());
            m_textes.push_back(texte);
            m_index.insert(texte, index);
        }
        dernier = {brut.toByteArray(), index, true};
        return index;
    }

private:
    std::vector<QByteArray> &m_textes;
    QHash<QByteArray, quint16> m_index;
};

// The QSOs read are compared through their place in the deque: no key is
// copied for each.
int Minute(const QSO &q) { return q.seconde < 0 ? -1 : q.seconde / 60; }

struct Hache_QSO {
    const std::deque<QSO> *qso;
    size_t operator()(size_t i) const
    {
        const QSO &q = (*qso)[i];
        return qHashMulti(0, q.indicatif.vue(), q.jour, Minute(q), q.bande, q.mode, q.dmf.vue());
    }
};

struct Meme_QSO {
    const std::deque<QSO> *qso;
    bool operator()(size_t i, size_t j) const
    {
        const QSO &a = (*qso)[i];
        const QSO &b = (*qso)[j];
        return a.jour == b.jour && Minute(a) == Minute(b) && a.bande == b.bande && a.mode == b.mode
            && a.indicatif.vue() == b.indicatif.vue() && a.dmf.vue() == b.dmf.vue();
    }
};

// Goes through the records; false as soon as `continuer` says stop (asked
// every 256 KB or so).
bool Parcourt(ADIF::Lecteur &lecteur, Activite::Lecture &l, const std::function<bool()> &continuer)
{
    Textes textes(l.textes);
    Textes::Dernier bande, mode, operateur, station;
    std::unordered_set<size_t, Hache_QSO, Meme_QSO> vus(1024, Hache_QSO{&l.qso}, Meme_QSO{&l.qso});
    qint64 prochain = 0;
    ADIF::Enregistrement e;
    while (lecteur.suivant(e)) {
        if (lecteur.position() >= prochain) {
            if (!continuer())
                return false;
            prochain = lecteur.position() + (256 << 10);
        }
        const Champs_Utiles u(e);
        const QByteArrayView call = u.call.trimmed();
        if (call.isEmpty())
            continue;
        QSO q;
        q.indicatif.pose(call.toByteArray().toUpper());
        q.jour = Jour_ADIF(u.qso_date.trimmed());
        q.seconde = Seconde_ADIF(u.time_on.trimmed());
        q.hertz = Hertz_ADIF(u.freq.trimmed());
        if (const auto dmf = Moulin(u, e))
            q.dmf.pose(*dmf);
        q.bande = textes.index(u.band, Textes::Casse::Minuscules, bande);
        q.mode = textes.index(u.mode, Textes::Casse::Majuscules, mode);
        q.operateur = textes.index(u.operateur, Textes::Casse::Majuscules, operateur);
        q.station = textes.index(u.station, Textes::Casse::Majuscules, station);
        l.qso.push_back(q);
        if (!vus.insert(l.qso.size() - 1).second) {
            l.qso.pop_back();
            ++l.doubles;
        }
    }
    return continuer();
}

bool Avant(QByteArrayView a, QByteArrayView b) { return std::string_view(a.data(), size_t(a.size())) < std::string_view(b.data(), size_t(b.size())); }

void Compte_Dans(std::vector<Compte> &comptes, QHash<quint16, size_t> &places, quint16 index, const Activite::Lecture &l)
{
    if (index == 0)
        return;
    auto place = places.constFind(index);
    if (place == places.cend()) {
        place = places.insert(index, comptes.size());
        comptes.push_back({l.texte(index).toByteArray(), 0});
    }
    ++comptes[*place].nombre;
}

void Ajoute_Distinct(std::vector<QByteArray> &liste, std::vector<quint16> &vus, quint16 index, const Activite::Lecture &l)
{
    if (index == 0 || std::find(vus.begin(), vus.end(), index) != vus.end())
        return;
    vus.push_back(index);
    liste.push_back(l.texte(index).toByteArray());
}

void Complete(Activation &a, const Activite::Lecture &l)
{
    QSet<QByteArrayView> indicatifs;
    QHash<quint16, size_t> bandes, modes;
    std::vector<quint16> operateurs, stations;
    for (const qsizetype i : a.qso) {
        const QSO &q = l.qso[size_t(i)];
        if (q.seconde >= 0) {
            a.de = a.de < 0 ? q.seconde : qMin(a.de, int(q.seconde));
            a.a = qMax(a.a, int(q.seconde));
        }
        indicatifs.insert(q.indicatif.vue());
        Compte_Dans(a.bandes, bandes, q.bande, l);
        Compte_Dans(a.modes, modes, q.mode, l);
        Ajoute_Distinct(a.operateurs, operateurs, q.operateur, l);
        Ajoute_Distinct(a.stations, stations, q.station, l);
    }
    for (const qsizetype i : a.qso)
        Ajoute_Distinct(a.operateurs, operateurs, l.qso[size_t(i)].station, l);
    a.indicatifs = int(indicatifs.size());
}

} // namespace

std::optional<QByteArray> Moulin_De_La_Station(const ADIF::Enregistrement &e) { return Moulin(Champs_Utiles(e), e); }

Resultat<Lecture> Lit_Activations(ADIF::Lecteur &lecteur, const Avancement &avancement)
{
    auto continuer = [&] { return !avancement || avancement(qMin(lecteur.position(), lecteur.taille()), lecteur.taille()); };
    Lecture l = Nouvelle_Lecture();
    if (!Parcourt(lecteur, l, continuer))
        return Erreur{QString()};
    if (!lecteur.erreur().isEmpty())
        return Erreur{lecteur.erreur()};
    l.illisibles = lecteur.illisibles();
    return l;
}

Resultat<Lecture> Lit_Fichier_Activations(const QString &chemin, const Avancement &avancement)
{
    auto fichier = Fichier_Ouvert::Ouvre(chemin);
    if (!fichier)
        return Erreur{fichier.erreur()};
    ADIF::Lecteur lecteur(std::move(fichier).valeur());
    return Lit_Activations(lecteur, avancement);
}

std::vector<Activation> Regroupe(const Lecture &lecture, const std::optional<QByteArray> &moulin_du_fichier)
{
    QByteArray defaut;
    if (moulin_du_fichier && !moulin_du_fichier->trimmed().isEmpty())
        defaut = ADIF::Reference_DMF(*moulin_du_fichier).value_or(moulin_du_fichier->trimmed());
    const std::deque<QSO> &qso = lecture.qso;
    auto dmf_de = [&](const QSO &q) { return q.dmf.vue().isEmpty() ? QByteArrayView(defaut) : q.dmf.vue(); };

    // By mill (none last), day (unreadable last), time (unknown last); a
    // stable sort keeps the file's order among equals.
    std::vector<qsizetype> ordre(qso.size());
    std::iota(ordre.begin(), ordre.end(), 0);
    std::stable_sort(ordre.begin(), ordre.end(), [&](qsizetype i, qsizetype j) {
        const QSO &a = qso[size_t(i)];
        const QSO &b = qso[size_t(j)];
        const QByteArrayView da = dmf_de(a), db = dmf_de(b);
        if (da.isEmpty() != db.isEmpty())
            return db.isEmpty();
        if (da != db)
            return Avant(da, db);
        if ((a.jour == 0) != (b.jour == 0))
            return b.jour == 0;
        if (a.jour != b.jour)
            return a.jour < b.jour;
        if ((a.seconde < 0) != (b.seconde < 0))
            return b.seconde < 0;
        return a.seconde < b.seconde;
    });

    std::vector<Activation> activations;
    for (size_t debut = 0; debut < ordre.size();) {
        const QSO &premier = qso[size_t(ordre[debut])];
        const QByteArrayView dmf = dmf_de(premier);
        size_t fin = debut + 1;
        while (fin < ordre.size()) {
            const QSO &q = qso[size_t(ordre[fin])];
            if (dmf_de(q) != dmf || (!dmf.isEmpty() && q.jour != premier.jour))
                break;
            ++fin;
        }
        Activation a;
        a.dmf = dmf.toByteArray();
        if (!dmf.isEmpty() && premier.jour != 0)
            a.jour = QDate::fromJulianDay(premier.jour);
        a.qso.assign(ordre.begin() + qsizetype(debut), ordre.begin() + qsizetype(fin));
        Complete(a, lecture);
        activations.push_back(std::move(a));
        debut = fin;
    }
    return activations;
}

QString Texte_Minimum(int qso)
{
    return qso >= Minimum_QSO ? QStringLiteral("atteint") : QStringLiteral("manque %1").arg(Minimum_QSO - qso);
}

QString Heure(int seconde)
{
    if (seconde < 0)
        return {};
    return QStringLiteral("%1:%2").arg(seconde / 3600 % 24, 2, 10, QLatin1Char('0')).arg(seconde / 60 % 60, 2, 10, QLatin1Char('0'));
}

QString Frequence_kHz(qint64 hertz)
{
    if (hertz <= 0)
        return {};
    QString entiers = QString::number(hertz / 1000);
    for (qsizetype i = entiers.size() - 3; i > 0; i -= 3)
        entiers.insert(i, u' ');
    return entiers + u',' + QStringLiteral("%1").arg(hertz % 1000, 3, 10, QLatin1Char('0'));
}

} // namespace Activite

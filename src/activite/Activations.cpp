#include "Activations.h"

#include "Ligne_QSO.h"
#include "Texte.h"

#include <QHash>

#include <algorithm>
#include <functional>

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

// The texts of the bands, modes and callsigns, each kept once. A log
// writes each the same way again and again: the bytes as written are looked
// up first, without a copy.
class Textes {
public:
    explicit Textes(std::vector<QByteArray> &textes) : m_textes(textes) {}

    enum class Casse { Majuscules, Minuscules };

    quint16 index(QByteArrayView valeur, Casse casse)
    {
        const QByteArrayView brut = valeur.trimmed();
        if (brut.isEmpty())
            return 0;
        if (const auto place = m_bruts.constFind(QByteArray::fromRawData(brut.data(), brut.size())); place != m_bruts.cend())
            return *place;
        const QByteArray texte = casse == Casse::Majuscules ? brut.toByteArray().toUpper() : brut.toByteArray().toLower();
        quint16 index = 0;
        if (const auto place = m_index.constFind(texte); place != m_index.cend()) {
            index = *place;
        } else if (m_textes.size() <= 0xFFFF) {
            index = quint16(m_textes.size());
            m_textes.push_back(texte);
            m_index.insert(texte, index);
        }
        if (m_bruts.size() <= 0xFFFF)
            m_bruts.insert(brut.toByteArray(), index);
        return index;
    }

private:
    std::vector<QByteArray> &m_textes;
    QHash<QByteArray, quint16> m_index, m_bruts;
};

// Positions among the QSOs, in an open table with their hashes: a million
// take a few MB, no allocation each, and a QSO is looked at again only when
// its hash is the same.
template <typename Hache, typename Egal>
class Ensemble {
public:
    Ensemble(Hache hache, Egal egal) : m_hache(std::move(hache)), m_egal(std::move(egal)) {}

    // False when an equal one is in already.
    bool insere(quint32 i)
    {
        if ((m_nombre + 1) * 2 > m_places.size())
            agrandit();
        if (!place({i, quint32(m_hache(i))}))
            return false;
        ++m_nombre;
        return true;
    }
    size_t nombre() const { return m_nombre; }
    // Room for `n` without growing.
    void reserve(size_t n)
    {
        size_t places = 64;
        while (places < n * 2)
            places *= 2;
        if (places > m_places.size()) {
            std::vector<Place> anciennes(places);
            anciennes.swap(m_places);
            for (const Place &a : anciennes)
                if (a.i != Vide)
                    place(a);
        }
    }

private:
    struct Place {
        quint32 i = Vide;
        quint32 hache = 0;
    };
    static constexpr quint32 Vide = 0xFFFFFFFF;
    bool place(Place nouvelle)
    {
        const size_t masque = m_places.size() - 1;
        for (size_t p = nouvelle.hache & masque;; p = (p + 1) & masque) {
            Place &ici = m_places[p];
            if (ici.i == Vide) {
                ici = nouvelle;
                return true;
            }
            if (ici.hache == nouvelle.hache && m_egal(ici.i, nouvelle.i))
                return false;
        }
    }
    void agrandit() { reserve(std::max<size_t>(32, m_places.size())); }
    Hache m_hache;
    Egal m_egal;
    std::vector<Place> m_places;
    size_t m_nombre = 0;
};

// The QSOs read are compared through their place in the deque: no key is
// copied for each.
int Minute(const QSO &q) { return q.seconde < 0 ? -1 : q.seconde / 60; }

} // namespace

Resultat<Lecture> Lit_Activations(ADIF::Lecteur &lecteur, const Avancement &avancement)
{
    Lecture l = Nouvelle_Lecture();
    Textes textes(l.textes);
    const std::deque<QSO> &qso = l.qso;
    Ensemble vus(
        [&](quint32 i) {
            const QSO &q = qso[i];
            return qHashMulti(0, q.indicatif.vue(), q.jour, Minute(q), q.bande, q.mode, q.dmf.vue());
        },
        [&](quint32 i, quint32 j) {
            const QSO &a = qso[i];
            const QSO &b = qso[j];
            return a.jour == b.jour && Minute(a) == Minute(b) && a.bande == b.bande && a.mode == b.mode
                && a.indicatif.vue() == b.indicatif.vue() && a.dmf.vue() == b.dmf.vue();
        });
    const Statut lu = ADIF::Parcourt_Enregistrements(lecteur, avancement, [&](const ADIF::Enregistrement &e) {
        const Champs_Utiles u(e);
        const QByteArrayView call = u.call.trimmed();
        if (call.isEmpty())
            return;
        if (l.qso.size() >= 0xFFFFFFFE)
            return;
        QSO q;
        // In capitals without a copy; one byte more than kept tells it was cut.
        char majuscules[14];
        const qsizetype n = qMin<qsizetype>(call.size(), qsizetype(sizeof majuscules));
        for (qsizetype i = 0; i < n; ++i)
            majuscules[i] = Majuscule_Ascii(call[i]);
        q.indicatif.pose(QByteArrayView(majuscules, n));
        q.jour = Jour_ADIF(u.qso_date.trimmed());
        q.seconde = Seconde_ADIF(u.time_on.trimmed());
        q.hertz = Hertz_ADIF(u.freq.trimmed());
        if (const auto dmf = Moulin(u, e))
            q.dmf.pose(*dmf);
        q.bande = textes.index(u.band, Textes::Casse::Minuscules);
        q.mode = textes.index(u.mode, Textes::Casse::Majuscules);
        q.operateur = textes.index(u.operateur, Textes::Casse::Majuscules);
        q.station = textes.index(u.station, Textes::Casse::Majuscules);
        l.qso.push_back(q);
        if (!vus.insere(quint32(l.qso.size() - 1))) {
            l.qso.pop_back();
            ++l.doubles;
        }
    });
    if (!lu)
        return Erreur{lu.erreur()};
    l.illisibles = lecteur.illisibles();
    return l;
}

namespace {

// `places`: for each text of the reading, its place among `comptes`, or -1.
void Compte_Dans(std::vector<Compte> &comptes, std::vector<qint32> &places, quint16 index, const Activite::Lecture &l)
{
    if (index == 0)
        return;
    if (places[index] < 0) {
        places[index] = qint32(comptes.size());
        comptes.push_back({l.texte(index).toByteArray(), 0});
    }
    ++comptes[size_t(places[index])].nombre;
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
    Ensemble indicatifs([&](quint32 i) { return qHash(l.qso[i].indicatif.vue()); },
                        [&](quint32 i, quint32 j) { return l.qso[i].indicatif.vue() == l.qso[j].indicatif.vue(); });
    indicatifs.reserve(a.qso.size());
    std::vector<qint32> bandes(l.textes.size(), -1), modes(l.textes.size(), -1);
    std::vector<quint16> operateurs, stations;
    for (const quint32 i : a.qso) {
        const QSO &q = l.qso[size_t(i)];
        if (q.seconde >= 0) {
            a.de = a.de < 0 ? q.seconde : qMin(a.de, int(q.seconde));
            a.a = qMax(a.a, int(q.seconde));
        }
        indicatifs.insere(quint32(i));
        Compte_Dans(a.bandes, bandes, q.bande, l);
        Compte_Dans(a.modes, modes, q.mode, l);
        Ajoute_Distinct(a.operateurs, operateurs, q.operateur, l);
        Ajoute_Distinct(a.stations, stations, q.station, l);
    }
    for (const quint32 i : a.qso)
        Ajoute_Distinct(a.operateurs, operateurs, l.qso[size_t(i)].station, l);
    a.indicatifs = int(indicatifs.nombre());
}

} // namespace

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

    // By mill, day (unreadable last), time (unknown last), then the file's
    // order: one number says it all. Those without a mill last, in the
    // file's order: a general log is mostly them.
    auto cle = [&](const QSO &q) -> quint64 {
        const int code = Code_DMF(dmf_de(q));
        if (code < 0)
            return quint64(Codes_DMF) << 40;
        return quint64(code) << 40 | quint64(q.jour == 0 ? 0x3FFFFF : q.jour & 0x3FFFFF) << 17
             | quint64(q.seconde < 0 ? 0x1FFFF : q.seconde);
    };
    std::vector<std::pair<quint64, quint32>> cles(qso.size());
    for (size_t i = 0; i < qso.size(); ++i)
        cles[i] = {cle(qso[i]), quint32(i)};
    std::sort(cles.begin(), cles.end());

    // A mill and a day: the key without its time.
    auto groupe = [](quint64 c) { return (c >> 40) == quint64(Codes_DMF) ? c : c >> 17; };
    std::vector<Activation> activations;
    for (size_t debut = 0; debut < cles.size();) {
        size_t fin = debut + 1;
        while (fin < cles.size() && groupe(cles[fin].first) == groupe(cles[debut].first))
            ++fin;
        const QSO &premier = qso[cles[debut].second];
        Activation a;
        a.dmf = dmf_de(premier).toByteArray();
        if (!a.dmf.isEmpty() && premier.jour != 0)
            a.jour = QDate::fromJulianDay(premier.jour);
        a.qso.reserve(fin - debut);
        for (size_t i = debut; i < fin; ++i)
            a.qso.push_back(cles[i].second);
        activations.push_back(std::move(a));
        debut = fin;
    }
    // The keys gone before the counts: a general log's million QSOs take
    // their memory once.
    cles = {};
    for (Activation &a : activations)
        Complete(a, lecture);
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

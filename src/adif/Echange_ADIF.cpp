#include "Echange_ADIF.h"

#include "Journal.h"
#include "Ligne_QSO.h"
#include "Points.h"
#include "Reglages.h"
#include "Regles_Saisie.h"
#include "Texte.h"

#include <QDate>
#include <QDir>
#include <QHash>
#include <QSet>

#include <array>
#include <iterator>
#include <string>

using namespace Sous_Programmes;

namespace ADIF {

namespace {

const QByteArrayView Champ_Type("APP_DEZUDIDAR_TYPE");
const QByteArrayView Champ_Attente("APP_DEZUDIDAR_ATTENTE");
const char Chiffres_Hexa[] = "0123456789ABCDEF";

bool Mot_DMF(const char *t)
{
    return Majuscule_Ascii(t[0]) == 'D' && Majuscule_Ascii(t[1]) == 'M' && Majuscule_Ascii(t[2]) == 'F';
}

bool Est_DMF(QByteArrayView texte)
{
    if (texte.size() < 3)
        return false;
    const QByteArrayView t = texte.trimmed();
    return t.size() == 3 && Mot_DMF(t.data());
}

bool Separateur(char c) { return c == ' ' || c == '-' || c == ':' || c == '_' || c == '#' || c == '.' || c == '/'; }

// Five characters of the entry's alphabet starting at `debut` and standing
// alone (nothing alphanumeric right after them).
std::optional<QByteArray> Numero_A(QByteArrayView t, qsizetype debut)
{
    if (debut + Largeur_DMF > t.size())
        return std::nullopt;
    QByteArray numero(Largeur_DMF, ' ');
    for (qsizetype i = 0; i < Largeur_DMF; ++i) {
        const char c = Majuscule_Ascii(t[debut + i]);
        if (!Caractere_DMF(c))
            return std::nullopt;
        numero[i] = c;
    }
    if (debut + Largeur_DMF < t.size() && Alphanumerique(t[debut + Largeur_DMF]))
        return std::nullopt;
    return numero;
}

qsizetype Apres_Separateurs(QByteArrayView t, qsizetype i)
{
    while (i < t.size() && Separateur(t[i]))
        ++i;
    return i;
}

void Ajoute_Champ(QByteArray &sortie, QByteArrayView nom, QByteArrayView valeur)
{
    sortie.append('<').append(nom).append(':').append(QByteArray::number(valeur.size())).append('>').append(valeur).append(' ');
}

// Exact and ASCII: a byte outside printable ASCII, and "%", as %XX.
QByteArray Encode(QByteArrayView octets)
{
    QByteArray sortie;
    for (char c : octets) {
        const auto o = static_cast<unsigned char>(c);
        if (o < 0x20 || o >= 0x7F || c == '%') {
            sortie.append('%').append(Chiffres_Hexa[o >> 4]).append(Chiffres_Hexa[o & 15]);
        } else {
            sortie.append(c);
        }
    }
    return sortie;
}

std::optional<QByteArray> Decode(QByteArrayView texte)
{
    auto hexa = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        c = Majuscule_Ascii(c);
        return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    QByteArray sortie;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte[i] != '%') {
            sortie.append(texte[i]);
            continue;
        }
        if (i + 2 >= texte.size() || hexa(texte[i + 1]) < 0 || hexa(texte[i + 2]) < 0)
            return std::nullopt;
        sortie.append(char(hexa(texte[i + 1]) * 16 + hexa(texte[i + 2])));
        i += 2;
    }
    return sortie;
}

// The readable ASCII form of a log text: accents dropped, anything else "?".
QByteArray Ascii(QByteArrayView octets)
{
    const QString decompose = Depuis_Log(octets).normalized(QString::NormalizationForm_D);
    QByteArray sortie;
    for (QChar c : decompose) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        sortie.append(c.unicode() >= 0x20 && c.unicode() < 0x7F ? char(c.unicode()) : '?');
    }
    return sortie;
}

// Whether an activity type is the station's own activation of a mill.
bool Activation(int position) { return position >= 3 && position <= 7; }

QByteArray Type_Texte(size_t position) { return QByteArray(Types_Activite[position].texte); }

} // namespace

std::optional<QByteArray> Reference_DMF(QByteArrayView texte)
{
    const QByteArrayView t = texte.trimmed();
    qsizetype i = 0;
    if (t.size() >= 3 && Est_DMF(t.first(3)))
        i = Apres_Separateurs(t, 3);
    if (t.size() - i != Largeur_DMF)
        return std::nullopt;
    return Numero_A(t, i);
}

std::optional<QByteArray> Reference_Dans_Texte(QByteArrayView t)
{
    for (qsizetype i = 0; i + 3 <= t.size(); ++i) {
        if (!Mot_DMF(t.data() + i) || (i > 0 && Alphanumerique(t[i - 1])))
            continue;
        if (auto numero = Numero_A(t, Apres_Separateurs(t, i + 3)))
            return numero;
    }
    return std::nullopt;
}

Export Log_Vers_ADIF(const Contenu_Log &contenu, const QString &nom_log, const QDateTime &creation_utc)
{
    Export e;
    QByteArray &s = e.octets;
    s.reserve(contenu.nombre() * 220 + 512);
    s.append("Log ").append(Ascii(Vers_Log(nom_log).value_or(nom_log.toLatin1())))
        .append(" exporte par KOB_Dezudidar_ERI\r\n");
    Ajoute_Champ(s, "ADIF_VER", "3.1.4");
    Ajoute_Champ(s, "PROGRAMID", "KOB_Dezudidar_ERI");
    Ajoute_Champ(s, "PROGRAMVERSION", QByteArray(Revision_Programme).trimmed());
    Ajoute_Champ(s, "CREATED_TIMESTAMP", creation_utc.toUTC().toString(QStringLiteral("yyyyMMdd HHmmss")).toLatin1());
    s.append("<EOH>\r\n");

    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        const QByteArrayView ligne = contenu.ligne(i);
        const auto date = Cle_Insertion(ligne);
        const QByteArrayView indicatif = Sans_Blancs(Indicatif_QSO(ligne));
        const QByteArrayView dmf = Sans_Blancs(DMF_QSO(ligne));
        if (!date || indicatif.isEmpty() || dmf.isEmpty()) {
            ++e.sans_qso;
            continue;
        }
        QByteArrayView type = Type_QSO(ligne);
        while (type.endsWith(' '))
            type.chop(1);
        const bool activation = Activation(Position_Type(ligne));
        Ajoute_Champ(s, "CALL", Ascii(indicatif));
        Ajoute_Champ(s, "QSO_DATE", date->toString(QStringLiteral("yyyyMMdd")).toLatin1());
        Ajoute_Champ(s, activation ? "MY_SIG" : "SIG", "DMF");
        Ajoute_Champ(s, activation ? "MY_SIG_INFO" : "SIG_INFO", Ascii(dmf));
        Ajoute_Champ(s, "COMMENT", Ascii(Sans_Blancs(type)));
        Ajoute_Champ(s, Champ_Type, Encode(type));
        Ajoute_Champ(s, Champ_Attente, Attente_QSO(ligne) == "*" ? "Y" : "N");
        s.append("<EOR>\r\n");
        ++e.qso;
    }
    return e;
}

namespace {

// The fields an import looks at, found in one pass over a record: the first
// of each name, as Enregistrement::valeur gives it.
struct Champs_Utiles {
    QByteArrayView call, qso_date, sig, sig_info, my_sig, my_sig_info, comment, notes, type, attente;
    bool propre = false;

    explicit Champs_Utiles(const Enregistrement &e)
    {
        for (const Champ &c : e.champs) {
            QByteArrayView *v = Place(c.nom);
            if (!v)
                continue;
            if (v == &type && !propre) {
                propre = true;
                type = c.valeur;
            } else if (v != &type && v->isNull()) {
                *v = c.valeur.isNull() ? QByteArrayView("", 0) : c.valeur;
            }
        }
    }

    QByteArrayView *Place(QByteArrayView nom)
    {
        // Most fields of a general log are none of these: their length and
        // first letter tell at once, without a guess of the branch.
        static constexpr auto Initiales = [] {
            std::array<quint32, 32> t{};
            for (const char *n : {"SIG", "CALL", "NOTES", "MY_SIG", "COMMENT", "QSO_DATE", "SIG_INFO", "MY_SIG_INFO",
                                  "APP_DEZUDIDAR_TYPE", "APP_DEZUDIDAR_ATTENTE"})
                t[std::char_traits<char>::length(n)] |= 1u << (n[0] - 'A');
            return t;
        }();
        if (nom.size() >= qsizetype(Initiales.size()))
            return nullptr;
        const unsigned lettre = unsigned(Majuscule_Ascii(nom[0])) - 'A';
        if (lettre >= 26 || !(Initiales[size_t(nom.size())] >> lettre & 1))
            return nullptr;
        switch (nom.size()) {
        case 3: return Meme_Nom(nom, "SIG") ? &sig : nullptr;
        case 4: return Meme_Nom(nom, "CALL") ? &call : nullptr;
        case 5: return Meme_Nom(nom, "NOTES") ? &notes : nullptr;
        case 6: return Meme_Nom(nom, "MY_SIG") ? &my_sig : nullptr;
        case 7: return Meme_Nom(nom, "COMMENT") ? &comment : nullptr;
        case 8: return Meme_Nom(nom, "QSO_DATE") ? &qso_date : Meme_Nom(nom, "SIG_INFO") ? &sig_info : nullptr;
        case 11: return Meme_Nom(nom, "MY_SIG_INFO") ? &my_sig_info : nullptr;
        case 18: return Meme_Nom(nom, Champ_Type) ? &type : nullptr;
        case 21: return Meme_Nom(nom, Champ_Attente) ? &attente : nullptr;
        default: return nullptr;
        }
    }
};

// A valid DMF number as a place in a table of every one (12^5 of them).
int Index_DMF(QByteArrayView dmf)
{
    if (dmf.size() != Largeur_DMF)
        return -1;
    int index = 0;
    for (char c : dmf) {
        if (!Caractere_DMF(c))
            return -1;
        index = index * 12 + (c == 'A' ? 10 : c == 'B' ? 11 : c - '0');
    }
    return index;
}
constexpr int Nombre_DMF = 12 * 12 * 12 * 12 * 12;

// A QSO_DATE, AAAAMMJJ; invalid when it is no day of the calendar.
QDate Date_ADIF(QByteArrayView t)
{
    if (t.size() != 8 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    auto nombre = [&](qsizetype debut, qsizetype chiffres) {
        int v = 0;
        for (qsizetype i = debut; i < debut + chiffres; ++i)
            v = v * 10 + (t[i] - '0');
        return v;
    };
    return QDate(nombre(0, 4), nombre(4, 2), nombre(6, 2));
}

// The date as the log writes it: dd/mm/yy.
QByteArray Date_Log(const QDate &d)
{
    const int annee = d.year() % 100;
    const char texte[] = {char('0' + d.day() / 10), char('0' + d.day() % 10), '/', char('0' + d.month() / 10),
                          char('0' + d.month() % 10), '/', char('0' + annee / 10), char('0' + annee % 10)};
    return QByteArray(texte, 8);
}

QString Refus_Champ(const QString &champ, const QString &raison) { return QStringLiteral("Refusé, champ « %1 » : %2").arg(champ, raison); }

// Why a candidate cannot be imported, as the entry would refuse it typed;
// empty when it can.
QString Refus_Candidat(const Candidat &c, QByteArrayView type, QByteArrayView date_brute, bool date_valide, const QString &annee)
{
    const auto refus = Refus_Champ;
    if (!date_valide)
        return refus(QStringLiteral("Date"), QStringLiteral("« %1 » n'est pas une date AAAAMMJJ")
                                                 .arg(Texte_Visible(Depuis_Log(date_brute.first(qMin<qsizetype>(date_brute.size(), 16))))));
    if (c.indicatif.coupe())
        return refus(QStringLiteral("Indicatif"), Verifie_Indicatif(QString(Largeur_Indicatif + 1, u'X')));
    if (c.dmf.coupe())
        return refus(QStringLiteral("N° DMF"), Verifie_DMF(QString(Largeur_DMF + 1, u'0')));
    const Champs_QSO champs{Depuis_Log(c.date.vue()), c.attente, Depuis_Log(c.dmf.vue()), Depuis_Log(type),
                            Depuis_Log(c.indicatif.vue())};
    if (const auto r = Refus_Champs(champs, annee))
        return refus(r->champ, r->raison);
    if (const auto ligne = Construit_Ligne_QSO(champs); !ligne)
        return QStringLiteral("Refusé : ") + ligne.erreur();
    // Letters typed in the entry become capitals; nor does it make a blank
    // inside a callsign, or a letter that a logger's export would not hold.
    for (char o : c.indicatif.vue()) {
        if (o >= 'a' && o <= 'z')
            return refus(QStringLiteral("Indicatif"), QStringLiteral("lettres minuscules, l'indicatif s'écrit en majuscules"));
        if (o <= 0x20 || o >= 0x7F)
            return refus(QStringLiteral("Indicatif"), QStringLiteral("caractère « %1 » non admis dans un indicatif")
                                                          .arg(Texte_Visible(Depuis_Log(QByteArrayView(&o, 1)))));
    }
    return {};
}

// The position of a type among the activity texts, or -1.
int Position_Texte(QByteArrayView type)
{
    for (size_t i = 0; i < std::size(Types_Activite); ++i) {
        if (type == QByteArrayView(Types_Activite[i].texte))
            return int(i);
    }
    return -1;
}

// The analysis while the records are gone through, before the candidates are
// compared with the log and with each other.
struct Recueil {
    Analyse a;
    QHash<QString, quint16> index_refus;
    qsizetype refus_montres = 0;

    quint16 Index_Refus(const QString &texte)
    {
        auto place = index_refus.constFind(texte);
        if (place == index_refus.cend()) {
            if (a.refus.size() >= 0xFFFF)
                return 0;
            a.refus.push_back(texte);
            place = index_refus.insert(texte, quint16(a.refus.size()));
        }
        return *place;
    }
    // A type none of the nine: its text kept once with its length, no longer
    // than a line holds (plus one, to show a longer one was cut).
    quint32 Type_Libre(QByteArrayView texte)
    {
        const qsizetype n = qMin<qsizetype>(texte.size(), Largeur_Type + 1);
        const quint32 place = quint32(a.types_libres.size());
        a.types_libres.append(char(n));
        a.types_libres.append(texte.first(n));
        return Candidat::Types + place;
    }
    // Keeps a candidate; refused ones past the first thousand are only counted.
    void Garde(Candidat c)
    {
        if (c.etat == Candidat::Etat::Refuse && refus_montres++ >= Refus_Montres) {
            ++a.refus_caches;
            return;
        }
        a.candidats.push_back(c);
    }
};

// A record kept when it has a DMF reference, checked.
void Recueille(const Enregistrement &e, const QByteArray &annee_octets, const QString &annee, Recueil &r)
{
    const Champs_Utiles u(e);
    std::optional<QByteArray> dmf;
    QByteArrayView fautive;
    if (u.propre) {
        QByteArrayView brut = u.sig_info.trimmed();
        if (brut.isEmpty())
            brut = u.my_sig_info.trimmed();
        if (!brut.isEmpty())
            dmf = brut.toByteArray();
    } else {
        if (Est_DMF(u.sig))
            dmf = Reference_DMF(u.sig_info);
        if (!dmf)
            dmf = Reference_Dans_Texte(u.comment);
        if (!dmf)
            dmf = Reference_Dans_Texte(u.notes);
        // A DMF reference that is no number: shown refused, not passed over.
        if (!dmf && Est_DMF(u.sig) && !u.sig_info.trimmed().isEmpty()) {
            fautive = u.sig_info.trimmed();
            dmf = fautive.toByteArray();
        }
    }
    if (!dmf) {
        if (Est_DMF(u.my_sig))
            ++r.a.activations;
        else
            ++r.a.sans_dmf;
        return;
    }
    const QByteArrayView jour = u.qso_date.trimmed();
    if (jour.size() >= 4 && jour.first(4) != annee_octets) {
        ++r.a.autre_annee;
        return;
    }
    const QDate date = Date_ADIF(jour);

    Candidat c;
    c.propre = u.propre;
    c.dmf.pose(*dmf);
    c.indicatif.pose(u.propre ? u.call.trimmed().toByteArray() : u.call.trimmed().toByteArray().toUpper());
    c.date.pose(date.isValid() ? Date_Log(date) : jour.toByteArray());
    QByteArray type = Type_Texte(0);
    const std::optional<QByteArray> decode = u.propre ? Decode(u.type) : std::nullopt;
    if (u.propre) {
        type = decode.value_or(u.type.toByteArray());
        c.attente = u.attente.trimmed() == "Y";
    }

    QString refus = fautive.isEmpty() ? Refus_Candidat(c, type, jour, date.isValid(), annee)
                                      : Refus_Champ(QStringLiteral("SIG_INFO"),
                                                    QStringLiteral("« %1 » n'est pas un N° DMF (5 chiffres, 2A ou 2B pour la Corse)")
                                                        .arg(Texte_Visible(Depuis_Log(fautive.first(qMin<qsizetype>(fautive.size(), 16))))));
    if (refus.isEmpty() && u.propre && !decode)
        refus = QStringLiteral("Refusé, champ « Type Activité » : codage %XX illisible");
    if (!refus.isEmpty()) {
        c.etat = Candidat::Etat::Refuse;
        c.refus = r.Index_Refus(refus);
    }
    const int position = Position_Texte(type);
    c.type = position >= 0 ? quint32(position) : (c.etat == Candidat::Etat::Refuse && r.refus_montres >= Refus_Montres)
                                                       ? 0
                                                       : r.Type_Libre(type);
    r.Garde(c);
}

// Each candidate compared with the log and with those before it in the file:
// already there, or a double, after the last QSO of its number.
void Compare(std::deque<Candidat> &candidats, const Contenu_Log &log)
{
    QSet<QByteArray> deja;
    std::vector<qint32> derniere_du_log(Nombre_DMF, -1);
    auto cle = [](QByteArrayView date, QByteArrayView indicatif, QByteArrayView dmf) {
        return date.toByteArray() + '|' + indicatif.toByteArray() + '|' + dmf.toByteArray();
    };
    for (qsizetype i = 0; i < log.nombre(); ++i) {
        const QByteArrayView l = log.ligne(i);
        const QByteArrayView dmf = Sans_Blancs(DMF_QSO(l));
        if (dmf.isEmpty())
            continue;
        deja.insert(cle(Date_QSO(l), Sans_Blancs(Indicatif_QSO(l)), dmf));
        if (const int n = Index_DMF(dmf); n >= 0)
            derniere_du_log[size_t(n)] = qint32(i);
    }
    std::vector<qint32> dernier_du_fichier(Nombre_DMF, -1);
    for (size_t i = 0; i < candidats.size(); ++i) {
        Candidat &c = candidats[i];
        if (c.etat == Candidat::Etat::Refuse)
            continue;
        const int n = Index_DMF(c.dmf.vue());
        if (deja.contains(cle(c.date.vue(), c.indicatif.vue(), c.dmf.vue()))) {
            c.etat = Candidat::Etat::Deja_Dans_Le_Log;
            continue;
        }
        if (const qint32 l = derniere_du_log[size_t(n)]; l >= 0) {
            c.etat = Candidat::Etat::Double;
            c.precedent = -2 - l;
        } else if (const qint32 f = dernier_du_fichier[size_t(n)]; f >= 0) {
            c.etat = Candidat::Etat::Double;
            c.precedent = f;
        }
        if (c.etat == Candidat::Etat::Double && !c.propre)
            c.type = 8;
        dernier_du_fichier[size_t(n)] = qint32(i);
    }
}

} // namespace

QByteArray Analyse::type(const Candidat &c) const
{
    if (c.type < Candidat::Types)
        return Type_Texte(c.type);
    const qsizetype place = qsizetype(c.type - Candidat::Types);
    if (place >= types_libres.size())
        return {};
    return types_libres.mid(place + 1, static_cast<unsigned char>(types_libres[place]));
}

QByteArray Analyse::date_precedente(const Candidat &c) const
{
    if (c.precedent >= 0 && size_t(c.precedent) < candidats.size())
        return candidats[size_t(c.precedent)].date.octets();
    const qsizetype ligne = -2 - qsizetype(c.precedent);
    if (ligne >= 0 && (ligne + 1) * Largeur_Date <= dates_log.size())
        return dates_log.mid(ligne * Largeur_Date, Largeur_Date);
    return {};
}

QString Analyse::remarque(const Candidat &c) const
{
    switch (c.etat) {
    case Candidat::Etat::Deja_Dans_Le_Log: return QStringLiteral("déjà dans le log");
    case Candidat::Etat::Double: return QStringLiteral("déjà contacté le ") + Depuis_Log(date_precedente(c));
    case Candidat::Etat::Refuse: return c.refus > 0 && c.refus <= refus.size() ? refus[c.refus - 1] : QString();
    case Candidat::Etat::Nouveau: break;
    }
    return {};
}

QByteArray Analyse::ligne(const Candidat &c, bool attente) const
{
    const Champs_QSO champs{Depuis_Log(c.date.vue()), c.propre ? c.attente : attente, Depuis_Log(c.dmf.vue()),
                            Depuis_Log(type(c)), Depuis_Log(c.indicatif.vue())};
    const auto ligne = Construit_Ligne_QSO(champs);
    return ligne ? ligne.valeur() : QByteArray();
}

Resultat<Analyse> Analyse_Import(Lecteur &lecteur, const Contenu_Log &log, const QString &annee, const Avancement &avancement)
{
    Recueil r;
    const QByteArray annee_octets = annee.toLatin1();
    if (const Statut s = Parcourt_Enregistrements(lecteur, avancement, [&](const Enregistrement &e) { Recueille(e, annee_octets, annee, r); });
        !s)
        return Erreur{s.erreur()};

    Analyse &a = r.a;
    Compare(a.candidats, log);
    a.illisibles = lecteur.illisibles();
    a.dates_log.reserve(log.nombre() * Largeur_Date);
    for (qsizetype i = 0; i < log.nombre(); ++i)
        a.dates_log += Date_QSO(log.ligne(i)).toByteArray().leftJustified(Largeur_Date, ' ', true);
    if (avancement && !avancement(lecteur.taille(), lecteur.taille()))
        return Erreur{QString()};
    return std::move(a);
}

Sous_Programmes::Resultat<QString> Exporte_Log(const Sous_Programmes::Contenu_Log &contenu, const QString &nom_log,
                                               const QDateTime &creation_utc, const QString &fichier)
{
    const Export e = Log_Vers_ADIF(contenu, nom_log, creation_utc);
    if (const auto s = Sous_Programmes::Reecrit_Fichier(fichier, QString::fromLatin1(Sous_Programmes::Nom_Temporaire), e.octets,
                                                         Sous_Programmes::Si_Absent::Creer);
        !s)
        return Sous_Programmes::Erreur{s.erreur()};
    QString texte = QStringLiteral("Le log a été exporté dans le fichier %1 : %2 QSO.").arg(QDir::toNativeSeparators(fichier)).arg(e.qso);
    if (e.sans_qso > 0)
        texte += QStringLiteral("\r\n%1 ligne(s) sans QSO n'ont pas été exportées.").arg(e.sans_qso);
    return texte;
}

Statut Parcourt_Enregistrements(Lecteur &lecteur, const Avancement &avancement, const std::function<void(const Enregistrement &)> &traite)
{
    auto continuer = [&] { return !avancement || avancement(qMin(lecteur.position(), lecteur.taille()), lecteur.taille()); };
    qint64 prochain = 0;
    Enregistrement e;
    while (lecteur.suivant(e)) {
        if (lecteur.position() >= prochain) {
            if (!continuer())
                return Erreur{QString()};
            prochain = lecteur.position() + (256 << 10);
        }
        traite(e);
    }
    if (!lecteur.erreur().isEmpty())
        return Erreur{lecteur.erreur()};
    if (!continuer())
        return Erreur{QString()};
    return Succes();
}

Sous_Programmes::Resultat<Analyse> Analyse_Fichier(const QString &chemin, const Sous_Programmes::Contenu_Log &log,
                                                   const QString &annee, const Avancement &avancement)
{
    auto fichier = Sous_Programmes::Fichier_Ouvert::Ouvre(chemin);
    if (!fichier)
        return Sous_Programmes::Erreur{fichier.erreur()};
    Lecteur lecteur(std::move(fichier).valeur());
    return Analyse_Import(lecteur, log, annee, avancement);
}

} // namespace ADIF

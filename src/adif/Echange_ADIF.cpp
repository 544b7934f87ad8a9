#include "Echange_ADIF.h"

#include "Journal.h"
#include "Ligne_QSO.h"
#include "Points.h"
#include "Reglages.h"
#include "Texte.h"

#include <QDate>
#include <QHash>
#include <QSet>

using namespace Sous_Programmes;

namespace ADIF {

namespace {

const QByteArrayView Champ_Type("APP_DEZUDIDAR_TYPE");
const QByteArrayView Champ_Attente("APP_DEZUDIDAR_ATTENTE");
const char Chiffres_Hexa[] = "0123456789ABCDEF";

bool Est_DMF(QByteArrayView texte)
{
    const QByteArrayView t = texte.trimmed();
    return t.size() == 3 && Majuscule_Ascii(t[0]) == 'D' && Majuscule_Ascii(t[1]) == 'M' && Majuscule_Ascii(t[2]) == 'F';
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

bool Texte_Du_Log(QByteArrayView texte, qsizetype largeur, bool vide_permis = false)
{
    if ((texte.isEmpty() && !vide_permis) || texte.size() > largeur)
        return false;
    for (char c : texte) {
        const auto o = static_cast<unsigned char>(c);
        if (o < 0x20 || o == 0x7F)
            return false;
    }
    return true;
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
        if (!Est_DMF(t.sliced(i, 3)) || (i > 0 && Alphanumerique(t[i - 1])))
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

Analyse Analyse_Import(const Lecture &lecture, const Contenu_Log &log, const QString &annee)
{
    Analyse a;
    a.illisibles = lecture.illisibles;

    // What the log holds: each QSO by date, callsign and number, and the
    // date of the last line of each number.
    QSet<QByteArray> deja;
    QHash<QByteArray, QByteArray> derniere_date;
    auto cle = [](QByteArrayView date, QByteArrayView indicatif, QByteArrayView dmf) {
        return date.toByteArray() + '|' + indicatif.toByteArray() + '|' + dmf.toByteArray();
    };
    for (qsizetype i = 0; i < log.nombre(); ++i) {
        const QByteArrayView l = log.ligne(i);
        const QByteArrayView dmf = Sans_Blancs(DMF_QSO(l));
        if (dmf.isEmpty())
            continue;
        deja.insert(cle(Date_QSO(l), Sans_Blancs(Indicatif_QSO(l)), dmf));
        derniere_date.insert(dmf.toByteArray(), Date_QSO(l).toByteArray());
    }
    const QByteArray annee_octets = annee.toLatin1();
    QHash<QByteArray, QByteArray> dans_le_fichier;

    for (qsizetype r = 0; r < lecture.nombre(); ++r) {
        const Enregistrement e = lecture.enregistrement(r);
        const bool propre = e.contient(Champ_Type);
        const QByteArrayView appel = e.valeur("CALL").trimmed();
        const QByteArrayView jour = e.valeur("QSO_DATE").trimmed();
        const QDate date = jour.size() == 8 ? QDate::fromString(QString::fromLatin1(jour), QStringLiteral("yyyyMMdd")) : QDate();
        if (appel.isEmpty() || !date.isValid()) {
            ++a.illisibles;
            continue;
        }
        if (jour.first(4) != annee_octets) {
            ++a.autre_annee;
            continue;
        }

        Candidat c;
        c.propre = propre;
        std::optional<QByteArray> dmf;
        if (propre) {
            QByteArrayView brut = e.valeur("SIG_INFO").trimmed();
            if (brut.isEmpty())
                brut = e.valeur("MY_SIG_INFO").trimmed();
            if (!brut.isEmpty())
                dmf = brut.toByteArray();
        } else {
            if (Est_DMF(e.valeur("SIG")))
                dmf = Reference_DMF(e.valeur("SIG_INFO"));
            if (!dmf)
                dmf = Reference_Dans_Texte(e.valeur("COMMENT"));
            if (!dmf)
                dmf = Reference_Dans_Texte(e.valeur("NOTES"));
        }
        if (!dmf) {
            if (Est_DMF(e.valeur("MY_SIG")))
                ++a.activations;
            else
                ++a.sans_dmf;
            continue;
        }
        c.dmf = *dmf;
        c.indicatif = appel.toByteArray();
        if (!propre)
            c.indicatif = c.indicatif.toUpper();
        if (propre) {
            const auto type = Decode(e.valeur(Champ_Type));
            c.type = type.value_or(QByteArray());
            c.attente = e.valeur(Champ_Attente).trimmed() == "Y";
        } else {
            c.type = Type_Texte(0);
        }
        bool ascii = true;
        for (char o : c.indicatif)
            ascii &= o > 0x20 && o < 0x7F;
        if (!ascii || !Texte_Du_Log(c.indicatif, Largeur_Indicatif) || !Texte_Du_Log(c.dmf, Largeur_DMF)
            || !Texte_Du_Log(c.type, Largeur_Type, true)) {
            ++a.illisibles;
            continue;
        }
        c.date = date.toString(QStringLiteral("dd/MM/yy")).toLatin1();

        if (deja.contains(cle(c.date, c.indicatif, Sans_Blancs(c.dmf)))) {
            c.etat = Candidat::Etat::Deja_Dans_Le_Log;
        } else if (auto d = derniere_date.constFind(c.dmf); d != derniere_date.cend()) {
            c.etat = Candidat::Etat::Double;
            c.date_precedente = *d;
        } else if (auto f = dans_le_fichier.constFind(c.dmf); f != dans_le_fichier.cend()) {
            c.etat = Candidat::Etat::Double;
            c.date_precedente = *f;
        }
        if (c.etat == Candidat::Etat::Double && !propre)
            c.type = Type_Texte(8);
        if (c.etat != Candidat::Etat::Deja_Dans_Le_Log)
            dans_le_fichier.insert(c.dmf, c.date);
        a.candidats.push_back(std::move(c));
    }
    return a;
}

QByteArray Ligne_Candidat(const Candidat &c, bool attente)
{
    const Champs_QSO champs{Depuis_Log(c.date), c.propre ? c.attente : attente, Depuis_Log(c.dmf), Depuis_Log(c.type),
                            Depuis_Log(c.indicatif)};
    const auto ligne = Construit_Ligne_QSO(champs);
    return ligne ? ligne.valeur() : QByteArray();
}

} // namespace ADIF

#include "Journal.h"

#include "Decoupe.h"
#include "Ligne_QSO.h"
#include "Texte.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <tuple>


namespace Sous_Programmes {

namespace {

const QByteArrayView Fin_Ligne("\r\n");

Statut Verifie_Nouvelle(QByteArrayView nouvelle)
{
    if (!Ligne_QSO_Valide(nouvelle))
        return Erreur{QStringLiteral("La ligne à enregistrer ne compte pas exactement 53 caractères : rien n'a été écrit.")};
    return Succes();
}

bool Meme_DMF(QByteArrayView ligne, QByteArrayView dmf)
{
    // The usual case in a few instructions: a complete field, a full number.
    if (dmf.size() == Largeur_DMF && ligne.size() >= 10 + Largeur_DMF)
        return std::memcmp(ligne.data() + 10, dmf.data(), Largeur_DMF) == 0;
    return DMF_QSO(ligne) == dmf;
}

// The new content of a rewrite, as pieces of the old one wherever it does
// not change: a kept line goes back byte for byte, ended by CR LF.
class Sortie {
public:
    void garde(QByteArrayView texte, QByteArrayView brute)
    {
        if (brute.size() == texte.size() + 2 && brute.endsWith(Fin_Ligne)) {
            ajoute(brute);
        } else {
            ajoute(texte);
            ajoute(Fin_Ligne);
        }
    }
    void ecrit(QByteArrayView nouvelle)
    {
        ajoute(nouvelle);
        ajoute(Fin_Ligne);
    }
    const Morceaux &morceaux() const { return m_morceaux; }

private:
    void ajoute(QByteArrayView v)
    {
        if (!m_morceaux.empty()) {
            QByteArrayView &dernier = m_morceaux.back();
            if (dernier.data() + dernier.size() == v.data()) {
                dernier = QByteArrayView(dernier.data(), dernier.size() + v.size());
                return;
            }
        }
        m_morceaux.push_back(v);
    }
    Morceaux m_morceaux;
};

} // namespace

QString Dossier_Programme() { return QCoreApplication::applicationDirPath(); }

bool Nom_Fichier_Sur(const QString &texte)
{
    if (texte.isEmpty() || texte.contains(QLatin1String("..")) || texte.endsWith(u'.') || texte.endsWith(u' '))
        return false;
    for (const QChar c : texte) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control || QStringView(u"<>:\"|?*").contains(c))
            return false;
    }
    // Windows keeps these names for its devices, whatever follows a dot.
    static const QRegularExpression peripherique(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                                 QRegularExpression::CaseInsensitiveOption);
    return !peripherique.match(texte).hasMatch();
}

Statut Verifie_Nom_Station(const QString &indicatif, const QString &annee)
{
    if (Nom_Fichier_Sur(indicatif) && Nom_Fichier_Sur(annee))
        return Succes();
    return Erreur{QStringLiteral("L'indicatif « %1 » ou l'année « %2 » ne peut pas servir à nommer un fichier log.")
                      .arg(Texte_Visible(indicatif), Texte_Visible(annee))};
}

QString Nom_Log(const QString &indicatif, const QString &annee)
{
    return indicatif + QStringLiteral("_Dezudidar_ERI_") + annee + QStringLiteral(".txt");
}

QString Chemin_Log(const QString &indicatif, const QString &annee, const QString &dossier)
{
    return QDir(dossier).filePath(Nom_Log(indicatif, annee));
}

namespace {

// The path a name really leads to: links followed, even dangling ones.
QString Chemin_Reel(const QString &chemin)
{
    QFileInfo f(chemin);
    for (int i = 0; i < 40 && f.isSymLink(); ++i)
        f = QFileInfo(f.symLinkTarget());
    if (const QString c = f.canonicalFilePath(); !c.isEmpty())
        return c;
    const QString dossier = f.absoluteDir().canonicalPath();
    return dossier.isEmpty() ? f.absoluteFilePath() : QDir(dossier).filePath(f.fileName());
}

bool Meme_Dossier(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0 || Meme_Fichier(a, b);
}

bool Nom_De_Log(const QString &nom)
{
    static const QRegularExpression regle(QStringLiteral("^.+_dezudidar_eri_.+\\.txt$"), QRegularExpression::CaseInsensitiveOption);
    return regle.match(nom).hasMatch();
}

} // namespace

std::optional<QString> Fichier_Du_Programme(const QString &cible, const QString &dossier)
{
    const QFileInfo reel(Chemin_Reel(cible));
    const QString programme = Chemin_Reel(dossier);
    const QString sauvegardes = QDir(programme).filePath(QString::fromLatin1(Nom_Dossier_Sauvegardes));
    const QString log = QStringLiteral("un log du programme");
    const QString modele = QStringLiteral("le modèle des logs du programme");
    const QString sauvegarde = QStringLiteral("dans le dossier des sauvegardes des logs");

    for (QDir d = reel.absoluteDir();; ) {
        if (Meme_Dossier(d.absolutePath(), sauvegardes))
            return sauvegarde;
        if (d.isRoot() || !d.cdUp())
            break;
    }
    const QString moulins = QStringLiteral("la liste des moulins du programme");
    auto est = [](const QString &nom, const char *fichier) { return nom.compare(QLatin1String(fichier), Qt::CaseInsensitive) == 0; };
    if (Meme_Dossier(reel.absolutePath(), programme)) {
        if (est(reel.fileName(), Nom_Modele_Log))
            return modele;
        if (est(reel.fileName(), Nom_Liste_Moulins))
            return moulins;
        if (Nom_De_Log(reel.fileName()))
            return log;
    }
    // Another name of one of those files (a hard link) would do the same harm.
    if (reel.exists()) {
        for (const QFileInfo &f : QDir(programme).entryInfoList(QDir::Files | QDir::Hidden)) {
            const QString nom = f.fileName();
            if (!est(nom, Nom_Modele_Log) && !est(nom, Nom_Liste_Moulins) && !Nom_De_Log(nom))
                continue;
            if (Meme_Fichier(f.filePath(), reel.filePath()))
                return est(nom, Nom_Modele_Log) ? modele : est(nom, Nom_Liste_Moulins) ? moulins : log;
        }
        for (const QFileInfo &f : QDir(sauvegardes).entryInfoList(QDir::Files | QDir::Hidden)) {
            if (Meme_Fichier(f.filePath(), reel.filePath()))
                return sauvegarde;
        }
    }
    return std::nullopt;
}

Resultat<Creation> Cree_Log(const QString &indicatif, const QString &annee, const QString &dossier)
{
    if (const Statut s = Verifie_Nom_Station(indicatif, annee); !s)
        return Erreur{s.erreur()};
    bool introuvable = false;
    auto modele = Lit_Fichier(QDir(dossier).filePath(QString::fromLatin1(Nom_Modele_Log)), &introuvable);
    if (!modele && !introuvable)
        return Erreur{modele.erreur()};
    const QByteArray contenu = modele ? modele.valeur() : QByteArray();
    return Cree_Fichier_Exclusif(Chemin_Log(indicatif, annee, dossier), contenu);
}

Contenu_Log::Contenu_Log(QByteArray octets) : m_octets(std::move(octets))
{
    const char *base = m_octets.constData();
    m_debuts.reserve(size_t(m_octets.size() / (Longueur_Ligne_QSO + 2) + 1));
    Pour_Chaque_Ligne(m_octets, [&](QByteArrayView, QByteArrayView brute) { m_debuts.push_back(brute.data() - base); });
}

QByteArray Contenu_Log::ligne_liste(qsizetype index) const { return Ligne_Liste(index + 1, ligne(index)); }

Resultat<Contenu_Log> Lit_Log(const QString &chemin_log, QByteArray tampon)
{
    auto octets = Lit_Fichier(chemin_log, nullptr, std::move(tampon));
    if (!octets)
        return Erreur{octets.erreur()};
    return Contenu_Log(std::move(octets).valeur());
}

Resultat<DMF_Trouve> Cherche_DMF(const QString &chemin_log, QByteArrayView dmf)
{
    const auto octets = Lit_Fichier(chemin_log);
    if (!octets)
        return Erreur{octets.erreur()};
    DMF_Trouve resultat;
    QByteArrayView derniere;
    Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView l, QByteArrayView) {
        if (Meme_DMF(l, dmf)) {
            resultat.trouve = true;
            derniere = l;
        }
    });
    if (resultat.trouve)
        resultat.date = Date_QSO(derniere).toByteArray();
    return resultat;
}

Resultat<std::vector<QByteArray>> Lignes_DMF(const QString &chemin_log, QByteArrayView dmf)
{
    const auto octets = Lit_Fichier(chemin_log);
    if (!octets)
        return Erreur{octets.erreur()};
    std::vector<QByteArray> lignes;
    Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView l, QByteArrayView) {
        if (Meme_DMF(l, dmf))
            lignes.push_back(l.toByteArray());
    });
    return lignes;
}

Statut Remplace_QSO(const QString &chemin_log, QByteArrayView ancienne, QByteArrayView nouvelle)
{
    if (auto v = Verifie_Nouvelle(nouvelle); !v)
        return v;
    const auto octets = Lit_Fichier(chemin_log);
    if (!octets)
        return Erreur{octets.erreur()};
    const QByteArrayView cible = Partie_Stockee(ancienne);
    Sortie sortie;
    bool remplace = false;
    Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView l, QByteArrayView brute) {
        if (l == cible) {
            sortie.ecrit(nouvelle);
            remplace = true;
        } else {
            sortie.garde(l, brute);
        }
    });
    if (!remplace)
        sortie.ecrit(nouvelle);
    return Reecrit_Fichier(chemin_log, QString::fromLatin1(Nom_Temporaire), sortie.morceaux());
}

Statut Supprime_QSO(const QString &chemin_log, QByteArrayView dmf)
{
    const auto octets = Lit_Fichier(chemin_log);
    if (!octets)
        return Erreur{octets.erreur()};
    Sortie sortie;
    bool supprime = false;
    Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView l, QByteArrayView brute) {
        if (Meme_DMF(l, dmf))
            supprime = true;
        else
            sortie.garde(l, brute);
    });
    if (!supprime)
        return Succes();
    return Reecrit_Fichier(chemin_log, QString::fromLatin1(Nom_Temporaire), sortie.morceaux());
}

Statut Ajoute_QSO(const QString &chemin_log, QByteArrayView nouvelle)
{
    if (auto v = Verifie_Nouvelle(nouvelle); !v)
        return v;
    return Ajoute_Fichier(chemin_log, nouvelle.toByteArray().append(Fin_Ligne));
}

int Jour_Insertion(QByteArrayView ligne)
{
    if (ligne.size() < Largeur_Date)
        return 0;
    const char *d = ligne.data();
    auto chiffre = [&](int i) { return d[i] >= '0' && d[i] <= '9'; };
    if (!chiffre(0) || !chiffre(1) || d[2] != '/' || !chiffre(3) || !chiffre(4) || d[5] != '/' || !chiffre(6) || !chiffre(7))
        return 0;
    auto nombre = [&](int i) { return (d[i] - '0') * 10 + (d[i + 1] - '0'); };
    const int v = nombre(6);
    const int annee = (v >= 50 ? 1900 : 2000) + v;
    const int mois = nombre(3);
    const int jour = nombre(0);
    static constexpr int jours[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mois < 1 || mois > 12 || jour < 1)
        return 0;
    const bool bissextile = annee % 4 == 0 && (annee % 100 != 0 || annee % 400 == 0);
    if (jour > jours[mois - 1] + (mois == 2 && bissextile))
        return 0;
    return annee * 10000 + mois * 100 + jour;
}

QString Refus_Calendrier(QByteArrayView date, const QString &fait)
{
    if (Jour_Insertion(date))
        return {};
    return QStringLiteral("La date « %1 » n'existe pas au calendrier : le QSO ne peut pas être %2.").arg(QString::fromLatin1(Date_QSO(date)), fait);
}

std::optional<QDate> Cle_Insertion(QByteArrayView ligne)
{
    const int j = Jour_Insertion(ligne);
    if (!j)
        return std::nullopt;
    return QDate(j / 10000, j / 100 % 100, j % 100);
}

Statut Insere_QSO_Par_Date(const QString &chemin_log, QByteArrayView nouvelle)
{
    return Insere_QSO_Par_Date(chemin_log, std::vector<QByteArray>{nouvelle.toByteArray()});
}

Statut Insere_QSO_Par_Date(const QString &chemin_log, const std::vector<QByteArray> &nouvelles)
{
    std::vector<int> cles;
    cles.reserve(nouvelles.size());
    for (const QByteArray &n : nouvelles) {
        if (auto v = Verifie_Nouvelle(n); !v)
            return v;
        const int cle = Jour_Insertion(n);
        if (!cle)
            return Erreur{Refus_Calendrier(n, QStringLiteral("inséré"))};
        cles.push_back(cle);
    }
    if (nouvelles.empty())
        return Succes();
    const auto octets = Lit_Fichier(chemin_log);
    if (!octets)
        return Erreur{octets.erreur()};

    // A new line goes before the first stored line of its day or later: the
    // first place where the latest date seen so far reaches its own.
    std::vector<int> plus_tard;
    plus_tard.reserve(size_t(octets.valeur().size() / (Longueur_Ligne_QSO + 2) + 1));
    Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView l, QByteArrayView) {
        plus_tard.push_back(std::max(plus_tard.empty() ? 0 : plus_tard.back(), Jour_Insertion(l)));
    });
    struct Place {
        size_t avant; // the stored line it goes before
        int cle;
        size_t nouvelle;
        bool operator<(const Place &p) const { return std::tie(avant, cle, nouvelle) < std::tie(p.avant, p.cle, p.nouvelle); }
    };
    // New lines meeting at one place go in date order: a logger's export
    // may come newest first. Equal dates keep the file's order.
    std::vector<Place> places;
    places.reserve(nouvelles.size());
    for (size_t i = 0; i < nouvelles.size(); ++i) {
        const auto place = std::partition_point(plus_tard.begin(), plus_tard.end(), [&](int m) { return m < cles[i]; });
        places.push_back({size_t(place - plus_tard.begin()), cles[i], i});
    }
    std::sort(places.begin(), places.end());
    Sortie sortie;
    auto prochaine = places.cbegin();
    size_t j = 0;
    auto ecrit_avant = [&](size_t ligne) {
        for (; prochaine != places.cend() && prochaine->avant == ligne; ++prochaine)
            sortie.ecrit(nouvelles[prochaine->nouvelle]);
    };
    Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView l, QByteArrayView brute) {
        ecrit_avant(j++);
        sortie.garde(l, brute);
    });
    ecrit_avant(j);
    return Reecrit_Fichier(chemin_log, QString::fromLatin1(Nom_Temporaire_Insertion), sortie.morceaux());
}

} // namespace Sous_Programmes

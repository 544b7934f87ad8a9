#include "Sauvegardes.h"

#include "Fichier.h"
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Points.h"
#include "Texte.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>

using namespace Sous_Programmes;

namespace Sauvegardes {

Empreinte Empreinte_De(const QString &chemin)
{
    const QFileInfo f(chemin);
    if (!f.exists())
        return {};
    return {f.size(), f.lastModified(), f.metadataChangeTime()};
}

namespace {

const QString Format_Heure = QStringLiteral("yyyyMMdd-HHmmss");

// A backup's name: the log's, then the local date and time, then "_2",
// "_3"... when several are made within one second.
QString Nom(const QString &base, const QDateTime &heure, int rang)
{
    return base + u'_' + heure.toString(Format_Heure) + (rang > 1 ? QStringLiteral("_%1").arg(rang) : QString())
        + QStringLiteral(".txt");
}

struct Trouvee {
    QString chemin;
    QDateTime heure;
    int rang = 1;
};

std::optional<Trouvee> Lit_Nom(const QString &nom, const QString &base)
{
    const QString tete = base + u'_';
    if (!nom.startsWith(tete) || !nom.endsWith(QLatin1String(".txt")))
        return std::nullopt;
    const QString milieu = nom.mid(tete.size(), nom.size() - tete.size() - 4);
    Trouvee t;
    t.heure = QDateTime::fromString(milieu.left(15), Format_Heure);
    if (!t.heure.isValid())
        return std::nullopt;
    const QString suite = milieu.mid(15);
    if (!suite.isEmpty()) {
        bool ok = false;
        t.rang = suite.mid(1).toInt(&ok);
        if (!suite.startsWith(u'_') || !ok || t.rang < 2)
            return std::nullopt;
    }
    return t;
}

// The backups of a log, newest first.
std::vector<Trouvee> Trouve(const QString &chemin_log)
{
    const QString base = QFileInfo(chemin_log).completeBaseName();
    const QDir dossier(Dossier(chemin_log));
    std::vector<Trouvee> trouvees;
    for (const QString &nom : dossier.entryList({base + QStringLiteral("_*.txt")}, QDir::Files)) {
        if (auto t = Lit_Nom(nom, base)) {
            t->chemin = dossier.filePath(nom);
            trouvees.push_back(*t);
        }
    }
    std::sort(trouvees.begin(), trouvees.end(), [](const Trouvee &a, const Trouvee &b) {
        return a.heure != b.heure ? a.heure > b.heure : a.rang > b.rang;
    });
    return trouvees;
}


// The log as it is now, flushed to `temporaire`, and the state it was copied
// in; an empty state for a missing log.
Resultat<Empreinte> Copie_Temporaire(const QString &chemin_log, const QString &temporaire, const QString &echec)
{
    const Empreinte avant = Empreinte_De(chemin_log);
    bool introuvable = false;
    const auto octets = Lit_Fichier(chemin_log, &introuvable);
    if (!octets) {
        if (introuvable)
            return Empreinte{};
        return Erreur{echec + octets.erreur()};
    }
    const QString dossier = QFileInfo(temporaire).absolutePath();
    if (!QDir().mkpath(dossier))
        return Erreur{echec + QStringLiteral("le dossier %1 ne peut pas être créé.").arg(QDir::toNativeSeparators(dossier))};
    if (const auto ecrit = Ecrit_Temporaire(temporaire, octets.valeur()); !ecrit)
        return Erreur{echec + ecrit.erreur()};
    // Changed while it was read: the copy may hold no state the log had.
    if (Empreinte_De(chemin_log) != avant || avant.taille != octets.valeur().size()) {
        QFile::remove(temporaire);
        return Erreur{echec + QStringLiteral("le log a changé pendant sa copie.")};
    }
    return avant;
}

// Gives a whole copy its backup's name, then removes the oldest backups.
Resultat<QString> Nomme_Copie(const QString &temporaire, const QString &chemin_log, const QDateTime &heure_locale,
                              const QString &echec)
{
    const QString dossier = Dossier(chemin_log);
    const QString base = QFileInfo(chemin_log).completeBaseName();
    QString chemin;
    for (int rang = 1; chemin.isEmpty(); ++rang) {
        const QString essai = QDir(dossier).filePath(Nom(base, heure_locale, rang));
        const auto cree = rang > 1000 ? Resultat<Creation>(Erreur{QStringLiteral("trop de sauvegardes portent déjà ce nom.")})
                                      : Renomme_Sans_Remplacer(temporaire, essai);
        if (!cree) {
            QFile::remove(temporaire);
            return Erreur{echec + cree.erreur()};
        }
        if (cree.valeur() == Creation::Cree)
            chemin = essai;
    }
    // The oldest beyond the number kept go; never the one just made, even
    // when a clock set back dates it before the others.
    int gardees = 1;
    for (const Trouvee &t : Trouve(chemin_log)) {
        if (t.chemin != chemin && ++gardees > Nombre_Garde)
            QFile::remove(t.chemin);
    }
    return chemin;
}

QString Texte_Echec(const QString &chemin_log)
{
    const QString nom = QFileInfo(chemin_log).fileName();
    // The list of mills is backed up as the logs are.
    if (nom == QLatin1String(Nom_Liste_Moulins))
        return QStringLiteral("La sauvegarde de la liste des moulins %1 n'a pas pu être faite : ").arg(nom);
    return QStringLiteral("La sauvegarde du log %1 n'a pas pu être faite : ").arg(nom);
}

} // namespace

QString Dossier(const QString &chemin_log)
{
    return QFileInfo(chemin_log).absoluteDir().filePath(QString::fromLatin1(Nom_Dossier_Sauvegardes));
}

QString Chemin_Temporaire(const QString &chemin_log)
{
    return QDir(Dossier(chemin_log)).filePath(QFileInfo(chemin_log).completeBaseName() + QStringLiteral(".en_cours.tmp"));
}

QString Chemin_Preparee(const QString &chemin_log)
{
    return QDir(Dossier(chemin_log)).filePath(QFileInfo(chemin_log).completeBaseName() + QStringLiteral(".preparee.tmp"));
}

Resultat<QString> Sauvegarde_Log(const QString &chemin_log, const QDateTime &heure_locale)
{
    const QString echec = Texte_Echec(chemin_log);
    // A copy takes its name only once whole on disk: a crash while it is
    // written leaves the temporary, never listed, replaced by the next copy.
    const QString temporaire = Chemin_Temporaire(chemin_log);
    const auto copie = Copie_Temporaire(chemin_log, temporaire, echec);
    if (!copie)
        return Erreur{copie.erreur()};
    if (copie.valeur().taille < 0)
        return QString();
    return Nomme_Copie(temporaire, chemin_log, heure_locale, echec);
}

std::vector<Sauvegarde> Liste(const QString &chemin_log)
{
    std::vector<Sauvegarde> liste;
    for (const Trouvee &t : Trouve(chemin_log)) {
        Sauvegarde s{t.chemin, t.heure};
        if (const auto contenu = Lit_Log(t.chemin)) {
            for (qsizetype i = 0; i < contenu.valeur().nombre(); ++i)
                s.qso += !Sans_Blancs(DMF_QSO(contenu.valeur().ligne(i))).isEmpty();
            s.points = Total_Contenu(contenu.valeur());
        }
        liste.push_back(s);
    }
    return liste;
}

Statut Restaure(const QString &chemin_sauvegarde, const QString &chemin_log, const QDateTime &heure_locale)
{
    // Read first: backing up the log may remove the oldest backup, this one.
    const auto octets = Lit_Fichier(chemin_sauvegarde);
    if (!octets)
        return Erreur{octets.erreur()};
    if (const auto s = Sauvegarde_Log(chemin_log, heure_locale); !s)
        return Erreur{s.erreur() + QStringLiteral(" Rien n'a été restauré.")};
    return Reecrit_Fichier(chemin_log, QString::fromLatin1(Nom_Temporaire), octets.valeur(), Si_Absent::Creer);
}

Avant_Modification::~Avant_Modification() { Abandonne_Preparee(); }

void Avant_Modification::Abandonne_Preparee()
{
    if (m_copie.attend())
        QFile::remove(Chemin_Preparee(m_preparee));
    m_preparee.clear();
}

void Avant_Modification::Prepare(const QString &chemin_log)
{
    if (m_faites.contains(chemin_log) || (m_preparee == chemin_log && m_copie.en_cours()))
        return;
    Abandonne_Preparee();
    m_preparee = chemin_log;
    m_copie.lance([chemin_log] { return Copie_Temporaire(chemin_log, Chemin_Preparee(chemin_log), Texte_Echec(chemin_log)); });
}

bool Avant_Modification::Preparee_A_Jour()
{
    const auto copie = m_copie.attend();
    return copie && *copie && copie->valeur().taille >= 0 && Empreinte_De(m_preparee) == copie->valeur();
}

bool Avant_Modification::Autorise(const QString &chemin_log)
{
    if (m_faites.contains(chemin_log))
        return true;
    if (m_preparee == chemin_log && m_copie.en_cours()) {
        const bool a_jour = Preparee_A_Jour();
        m_preparee.clear();
        if (a_jour && Nomme_Copie(Chemin_Preparee(chemin_log), chemin_log, m_heure_locale(), Texte_Echec(chemin_log))) {
            m_faites.insert(chemin_log);
            return true;
        }
        // Out of date or not made: copied now, as without it.
        QFile::remove(Chemin_Preparee(chemin_log));
    }
    const auto sauvegarde = Sauvegarde_Log(chemin_log, m_heure_locale());
    if (sauvegarde) {
        // A log not there yet has nothing to lose: the next change backs it up.
        if (!sauvegarde.valeur().isEmpty())
            m_faites.insert(chemin_log);
        return true;
    }
    if (!m_question(sauvegarde.erreur() + QStringLiteral("\r\n\r\nFaire quand même la modification, sans sauvegarde ?")))
        return false;
    m_faites.insert(chemin_log);
    return true;
}

} // namespace Sauvegardes

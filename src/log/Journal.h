#pragma once

#include "Fichier.h"
#include "Resultat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

// The log file of one callsign and year, and every operation on it. Each
// operation reads the file whole; a rewrite replaces it in one step.
namespace Sous_Programmes {

inline constexpr const char *Nom_Modele_Log = "FXXXX_Dezudidar_ERI.txt";
inline constexpr const char *Nom_Temporaire = "Temporaire.txt";
// The organisers' list of mills, kept beside the logs.
inline constexpr const char *Nom_Liste_Moulins = "Moulins.txt";
inline constexpr const char *Nom_Temporaire_Insertion = "Temporaire6.txt";
inline constexpr const char *Nom_Dossier_Sauvegardes = "Sauvegardes";

// The folder that holds the program, its template and its logs.
QString Dossier_Programme();

// A callsign or a year that may be part of a file name: nothing in it can
// lead out of the program folder ("/", "\", "..", NUL, control characters),
// and it names a file on Windows as well (none of < > : " | ? *, no dot or
// blank at the end, no device name such as CON or LPT1), so that a folder of
// logs moves from one system to the other.
bool Nom_Fichier_Sur(const QString &texte);
// Refuses, in French, a callsign or year that Nom_Fichier_Sur does not accept.
Statut Verifie_Nom_Station(const QString &indicatif, const QString &annee);

QString Nom_Log(const QString &indicatif, const QString &annee);

// What `cible` is among the files the program keeps in `dossier`, said in
// French for a refusal ("un log du programme"...): a log by its naming rule,
// the template, anything in the backups' folder; whatever the case of its
// name, and through links. None for any other file.
std::optional<QString> Fichier_Du_Programme(const QString &cible, const QString &dossier = Dossier_Programme());
QString Chemin_Log(const QString &indicatif, const QString &annee, const QString &dossier = Dossier_Programme());

// Creates the log of a callsign and year from the template; an existing log,
// even an unreadable one, is never touched. No template gives an empty log.
Resultat<Creation> Cree_Log(const QString &indicatif, const QString &annee, const QString &dossier = Dossier_Programme());

// The lines of a log as read, kept as one block of bytes.
class Contenu_Log {
public:
    Contenu_Log() = default;
    explicit Contenu_Log(QByteArray octets);

    qsizetype nombre() const { return qsizetype(m_debuts.size()); }
    qsizetype taille_octets() const { return m_octets.size(); }
    // The stored line without its end (LF, or CR LF).
    QByteArrayView ligne(qsizetype index) const
    {
        const char *d = m_octets.constData();
        const qsizetype debut = m_debuts[size_t(index)];
        qsizetype fin = (index + 1 < nombre()) ? m_debuts[size_t(index + 1)] : m_octets.size();
        if (fin > debut && d[fin - 1] == '\n')
            --fin;
        if (fin > debut && d[fin - 1] == '\r')
            --fin;
        return QByteArrayView(d + debut, fin - debut);
    }
    // The line as the main list shows it, numbered from 1.
    QByteArray ligne_liste(qsizetype index) const;

    // Empties the content and gives its bytes, for a new reading to reuse.
    QByteArray libere()
    {
        m_debuts.clear();
        return std::exchange(m_octets, QByteArray());
    }

private:
    QByteArray m_octets;
    std::vector<qsizetype> m_debuts;
};

// The reading half of loading the main list.
Resultat<Contenu_Log> Lit_Log(const QString &chemin_log, QByteArray tampon = {});

struct DMF_Trouve {
    bool trouve = false;
    QByteArray date; // of the last line with that number, in file order
};
Resultat<DMF_Trouve> Cherche_DMF(const QString &chemin_log, QByteArrayView dmf);

// Puts `nouvelle` in place of every stored line equal to the stored part of
// the list line `ancienne`; adds it at the end when none is.
Statut Remplace_QSO(const QString &chemin_log, QByteArrayView ancienne, QByteArrayView nouvelle);

// The stored lines Supprime_QSO(dmf) would remove, in file order.
Resultat<std::vector<QByteArray>> Lignes_DMF(const QString &chemin_log, QByteArrayView dmf);

// Removes every line whose DMF number is `dmf`; an empty `dmf` removes the
// lines too short to hold a number, which hold no QSO.
Statut Supprime_QSO(const QString &chemin_log, QByteArrayView dmf);

// Adds a QSO line at the end of the log (created when missing).
Statut Ajoute_QSO(const QString &chemin_log, QByteArrayView nouvelle);

// The date a line is ordered by on insertion: dd/mm/yy with yy 50-99 in the
// 1900s and 00-49 in the 2000s. None when the first 8 bytes are no date.
std::optional<QDate> Cle_Insertion(QByteArrayView ligne);
// The same as yyyymmdd, 0 when it is none: a whole log's keys cost a few
// instructions a line.
int Jour_Insertion(QByteArrayView ligne);
// Refuses a date (JJ/MM/AA) that no calendar has, for a QSO to be `fait`
// ("inséré", "modifié"); empty for a calendar date.
QString Refus_Calendrier(QByteArrayView date, const QString &fait);

// Writes `nouvelle` before the first stored line, in file order, of the same
// day or later; at the end when there is none. Lines without a date keep
// their place and never count as later.
Statut Insere_QSO_Par_Date(const QString &chemin_log, QByteArrayView nouvelle);

// Several lines in one rewrite, each placed by the rule above among the lines
// already stored; new lines that land at the same place go in date order,
// those of the same day in the order given.
Statut Insere_QSO_Par_Date(const QString &chemin_log, const std::vector<QByteArray> &nouvelles);

} // namespace Sous_Programmes

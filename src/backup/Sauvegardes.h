#pragma once

#include "Resultat.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

// Copies of the logs in the folder "Sauvegardes" beside them, one taken
// before the first change of each log in a run, the 30 newest kept.
namespace Sauvegardes {

inline constexpr int Nombre_Garde = 30;

QString Dossier(const QString &chemin_log);
// Where a copy is written before it takes its name.
QString Chemin_Temporaire(const QString &chemin_log);

// Writes the log as it is now to a new backup, flushed to disk, then removes
// that log's backups beyond the 30 newest. Gives the backup's path. A missing
// log has nothing to keep: an empty path.
Sous_Programmes::Resultat<QString> Sauvegarde_Log(const QString &chemin_log, const QDateTime &heure_locale);

struct Sauvegarde {
    QString chemin;
    QDateTime heure; // local date and time of the copy
    qsizetype qso = 0;
    long long points = 0;
};
// The backups of a log, newest first.
std::vector<Sauvegarde> Liste(const QString &chemin_log);

// Puts a backup in the log's place, in one rename; the log is first backed up.
Sous_Programmes::Statut Restaure(const QString &chemin_sauvegarde, const QString &chemin_log, const QDateTime &heure_locale);

// The backup before the first change of each log in this run. When it cannot
// be written, the operator is told once and the change goes on only if
// `question` answers yes.
class Avant_Modification {
public:
    using Question = std::function<bool(const QString &texte)>;
    Avant_Modification(std::function<QDateTime()> heure_locale, Question question)
        : m_heure_locale(std::move(heure_locale)), m_question(std::move(question))
    {
    }
    // True when the change may go on.
    bool Autorise(const QString &chemin_log);

private:
    std::function<QDateTime()> m_heure_locale;
    Question m_question;
    QSet<QString> m_faites; // logs backed up, or whose failure the operator accepted
};

} // namespace Sauvegardes

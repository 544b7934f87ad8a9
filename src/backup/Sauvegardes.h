#pragma once

#include "Arriere_Plan.h"
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
// Where the copy made ahead of the run's first change waits for it.
QString Chemin_Preparee(const QString &chemin_log);

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

// What tells a file's state without reading it.
struct Empreinte {
    qint64 taille = -1;
    QDateTime modifie;
    QDateTime change; // metadata: a rename over the file changes it
    bool operator==(const Empreinte &) const = default;
};
Empreinte Empreinte_De(const QString &chemin);

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
    // A copy left unused (the run changed nothing) is removed.
    ~Avant_Modification();
    Avant_Modification(const Avant_Modification &) = delete;
    Avant_Modification &operator=(const Avant_Modification &) = delete;

    // Copies the log, in the background, ahead of its first change: that
    // change then only names the copy, unless the log changed on disk since.
    void Prepare(const QString &chemin_log);
    // True when the change may go on.
    bool Autorise(const QString &chemin_log);

private:
    // Waits for the copy made ahead; whether it holds the log as it is now.
    bool Preparee_A_Jour();
    void Abandonne_Preparee();

    std::function<QDateTime()> m_heure_locale;
    Question m_question;
    QSet<QString> m_faites; // logs backed up, or whose failure the operator accepted
    QString m_preparee; // the log whose copy is made ahead
    Arriere_Plan<Sous_Programmes::Resultat<Empreinte>> m_copie;
};

} // namespace Sauvegardes

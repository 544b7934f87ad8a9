#pragma once

#include <QFileInfo>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// A long piece of work done off the windows' thread and told as it goes: a
// progress dialog in French shows once the work has lasted `delai_ms`, and
// its "Annuler" asks the work to stop. The call returns when the work ends;
// meanwhile the windows repaint, but no key or click reaches them. Once the
// operator has pressed "Annuler", what the work gives is dropped, even when it
// ended meanwhile: nothing follows.
namespace Progression {

// Given to the work, called from its thread: where it is; false once the
// operator has cancelled.
using Avance = std::function<bool(qint64 fait, qint64 total)>;

// False when the operator cancelled.
bool Execute(QWidget *parent, const QString &nom_objet, const QString &texte, int delai_ms,
             const std::function<void(const Avance &)> &travail);

// What the work gives; none when the operator cancelled.
template <typename T>
std::optional<T> Execute(QWidget *parent, const QString &nom_objet, const QString &texte, int delai_ms,
                         const std::function<T(const Avance &)> &travail)
{
    std::optional<T> resultat;
    if (!Execute(parent, nom_objet, texte, delai_ms, [&](const Avance &avance) { resultat.emplace(travail(avance)); }))
        return std::nullopt;
    return resultat;
}

// A file read whole by `lecture`, told as "Lecture du fichier X...".
template <typename T>
std::optional<T> Lit(QWidget *parent, const QString &nom_objet, const QString &chemin, int delai_ms, const std::function<T(const QString &)> &lecture)
{
    return Execute<T>(parent, nom_objet, QStringLiteral("Lecture du fichier %1...").arg(QFileInfo(chemin).fileName()), delai_ms,
                      [&](const Avance &) { return lecture(chemin); });
}

} // namespace Progression

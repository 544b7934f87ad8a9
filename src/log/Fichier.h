#pragma once

#include "Resultat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <utility>
#include <vector>

// Whole-file access for the log. Every function reports failures in French
// and leaves the files it could not finish as they were.
namespace Sous_Programmes {

// The reason of a failed system call, in French: `errno`, or on Windows
// what GetLastError gives.
QString Raison_Systeme(int numero_erreur);

// The whole file. `introuvable` tells a missing file apart from other failures.
// `tampon`, when given, lends its memory: reading again into the memory of
// the last reading spares the system handing out fresh pages.
Resultat<QByteArray> Lit_Fichier(const QString &chemin, bool *introuvable = nullptr, QByteArray tampon = {});

// A file read a piece at a time, for one too large to be held whole. A pipe,
// a device or a folder is refused, as by Lit_Fichier.
class Fichier_Ouvert {
public:
    // `introuvable` tells a missing file apart from other failures.
    static Resultat<Fichier_Ouvert> Ouvre(const QString &chemin, bool *introuvable = nullptr);
    Fichier_Ouvert(Fichier_Ouvert &&autre) noexcept;
    Fichier_Ouvert &operator=(Fichier_Ouvert &&autre) noexcept;
    ~Fichier_Ouvert();

    // Its size when opened.
    qint64 taille() const { return m_taille; }
    // Up to `nombre` bytes from where the last reading stopped; 0 at the end.
    Resultat<qsizetype> lit(char *destination, qsizetype nombre);
    // The next reading starts at `position`.
    void positionne(qint64 position) { m_position = position; }

private:
    Fichier_Ouvert(qintptr fd, qint64 taille, QString chemin) : m_fd(fd), m_taille(taille), m_chemin(std::move(chemin)) {}
    qintptr m_fd = -1; // the system's own: a descriptor, or a handle
    qint64 m_taille = 0;
    qint64 m_position = 0;
    QString m_chemin;
};

// The rest of a file already open, as Lit_Fichier reads it.
Resultat<QByteArray> Lit_Fichier(Fichier_Ouvert &fichier, QByteArray tampon = {});

// Replaces `chemin` with `contenu` without ever leaving it incomplete: the
// content goes to `nom_temporaire` in the same folder, reaches the disk, then
// takes the file's place in one rename. `chemin` must already exist, unless
// `creation` allows making it.
// The content may come in pieces, written one after the other.
using Morceaux = std::vector<QByteArrayView>;
enum class Si_Absent { Erreur, Creer };
Statut Reecrit_Fichier(const QString &chemin, const QString &nom_temporaire, const Morceaux &contenu,
                       Si_Absent creation = Si_Absent::Erreur);
inline Statut Reecrit_Fichier(const QString &chemin, const QString &nom_temporaire, QByteArrayView contenu,
                              Si_Absent creation = Si_Absent::Erreur)
{
    return Reecrit_Fichier(chemin, nom_temporaire, Morceaux{contenu}, creation);
}

// Adds `ligne` (which carries its own line end) at the end of the file,
// creating it when missing. A file whose last line has no end gets one first,
// so the new line never sticks to it. On failure the file keeps its old size.
Statut Ajoute_Fichier(const QString &chemin, QByteArrayView ligne);

// Creates `chemin` with `contenu`, never replacing an existing file.
enum class Creation { Cree, Existant };
Resultat<Creation> Cree_Fichier_Exclusif(const QString &chemin, QByteArrayView contenu);

// Writes `contenu` to `temporaire`, replacing a leftover of that name, and
// flushes it to disk; on failure nothing is left under that name.
Statut Ecrit_Temporaire(const QString &temporaire, QByteArrayView contenu);

// Whether both names reach one file (a link, another case on a folder that
// ignores it); false when either is missing.
bool Meme_Fichier(const QString &a, const QString &b);

// Gives `de` the name `vers` unless a file already has it (Existant, `de`
// left as it is); the folder is flushed, so the new name survives a crash.
Resultat<Creation> Renomme_Sans_Remplacer(const QString &de, const QString &vers);

} // namespace Sous_Programmes

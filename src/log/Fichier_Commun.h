#pragma once

#include "Resultat.h"

#include <QDir>
#include <QString>

#include <QByteArray>

// What both sides of the file layer share: the French words of every failure
// (each side gives the reason in its own terms), and what an added line needs.
namespace Sous_Programmes::Messages_Fichier {

inline QString Nom(const QString &chemin) { return QDir::toNativeSeparators(chemin); }

inline Erreur Introuvable(const QString &chemin) { return Erreur{QStringLiteral("Le fichier %1 est introuvable.").arg(Nom(chemin))}; }

inline Erreur Non_Ouvert(const QString &chemin, const QString &raison)
{
    return Erreur{QStringLiteral("Le fichier %1 ne peut pas être ouvert : %2.").arg(Nom(chemin), raison)};
}

inline Erreur Non_Lu(const QString &chemin, const QString &raison)
{
    return Erreur{QStringLiteral("Le fichier %1 ne peut pas être lu : %2.").arg(Nom(chemin), raison)};
}

inline Erreur Non_Ecrit(const QString &chemin, const QString &raison)
{
    return Erreur{QStringLiteral("Le fichier %1 n'a pas pu être écrit : %2.").arg(Nom(chemin), raison)};
}

inline Erreur Non_Reecrit(const QString &chemin, const QString &raison)
{
    return Erreur{QStringLiteral("Le fichier %1 n'a pas pu être réécrit : %2. Il est resté tel qu'il était.").arg(Nom(chemin), raison)};
}

inline Erreur Non_Cree(const QString &chemin, const QString &raison)
{
    return Erreur{QStringLiteral("Le fichier %1 n'a pas pu être créé : %2.").arg(Nom(chemin), raison)};
}

inline Erreur Ligne_Non_Ajoutee(const QString &chemin, const QString &raison)
{
    return Erreur{QStringLiteral("La ligne n'a pas pu être ajoutée au fichier %1 : %2. Le fichier est resté tel qu'il était.")
                      .arg(Nom(chemin), raison)};
}

// A pipe, a device or a folder under a log's name: never opened.
inline Erreur Non_Ordinaire(const QString &chemin, const QString &nature)
{
    return Erreur{QStringLiteral("Le fichier %1 n'est pas un fichier ordinaire (%2) : il n'a été ni lu ni modifié.").arg(Nom(chemin), nature)};
}

} // namespace Sous_Programmes::Messages_Fichier

namespace Sous_Programmes {

// What goes before a line added to a file whose last byte is `dernier`: the
// end its last line lacks, so that the new one never sticks to it; a last
// line ended by a lone CR gets its LF, not a second end.
inline QByteArray Debut_Ajout(bool vide, char dernier)
{
    if (vide || dernier == '\n')
        return {};
    return dernier == '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

} // namespace Sous_Programmes

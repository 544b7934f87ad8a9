// What the file layer does the same way on every system, on top of its two sides.
#include "Fichier.h"

namespace Sous_Programmes {

Resultat<QByteArray> Lit_Fichier(const QString &chemin, bool *introuvable, QByteArray tampon)
{
    auto ouvert = Fichier_Ouvert::Ouvre(chemin, introuvable);
    if (!ouvert)
        return Erreur{ouvert.erreur()};
    return Lit_Fichier(ouvert.valeur(), std::move(tampon));
}

Resultat<QByteArray> Lit_Fichier(Fichier_Ouvert &f, QByteArray tampon)
{
    QByteArray octets = std::move(tampon);
    // One byte more than the size: the end is met by the first reading.
    octets.resize(qsizetype(f.taille()) + 1);
    qsizetype lus = 0;
    for (;;) {
        if (lus == octets.size())
            octets.resize(octets.size() * 2 + 4096);
        const auto n = f.lit(octets.data() + lus, octets.size() - lus);
        if (!n)
            return Erreur{n.erreur()};
        if (n.valeur() == 0)
            break;
        lus += n.valeur();
    }
    octets.truncate(lus);
    return octets;
}

} // namespace Sous_Programmes

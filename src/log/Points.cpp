#include "Points.h"

#include "Decoupe.h"
#include "Fichier.h"
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Texte.h"

#include <QStringList>

#include <cstdint>
#include <cstring>

namespace Sous_Programmes {

QStringList Textes_Types_Activite()
{
    QStringList textes;
    for (const auto &t : Types_Activite)
        textes << Depuis_Log(t.texte);
    return textes;
}

namespace {

// Each type padded to its column, as the program writes it: most lines match
// one of these byte for byte, found by their first 8 bytes, with no trimming.
struct Type_Complete {
    std::uint64_t debut;
    char texte[Largeur_Type];
};

std::uint64_t Huit_Octets(const char *p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

const std::array<Type_Complete, Types_Activite.size()> Types_Completes = [] {
    std::array<Type_Complete, Types_Activite.size()> t{};
    for (size_t i = 0; i < Types_Activite.size(); ++i) {
        const QByteArrayView texte(Types_Activite[i].texte);
        std::memset(t[i].texte, ' ', Largeur_Type);
        std::memcpy(t[i].texte, texte.data(), size_t(texte.size()));
        t[i].debut = Huit_Octets(t[i].texte);
    }
    return t;
}();

} // namespace

int Position_Type(QByteArrayView ligne)
{
    const QByteArrayView champ = Type_QSO(ligne);
    if (champ.size() == Largeur_Type) {
        const std::uint64_t debut = Huit_Octets(champ.data());
        for (size_t i = 0; i < Types_Completes.size(); ++i) {
            if (debut == Types_Completes[i].debut && std::memcmp(champ.data(), Types_Completes[i].texte, Largeur_Type) == 0)
                return int(i);
        }
    }
    const QByteArrayView type = Sans_Blancs(champ);
    for (size_t i = 0; i < Types_Activite.size(); ++i) {
        if (type == QByteArrayView(Types_Activite[i].texte))
            return int(i);
    }
    return -1;
}

int Points_QSO(QByteArrayView ligne)
{
    if (ligne.size() > 9 && ligne[9] == '*')
        return 0;
    const int position = Position_Type(ligne);
    return position < 0 ? 0 : Types_Activite[size_t(position)].points;
}

long long Total_Contenu(const Contenu_Log &contenu)
{
    long long total = 0;
    for (qsizetype i = 0; i < contenu.nombre(); ++i)
        total += Points_QSO(contenu.ligne(i));
    return total;
}

Resultat<long long> Calcul_Total(const QString &chemin_log)
{
    const auto octets = Lit_Fichier(chemin_log);
    if (!octets)
        return Erreur{octets.erreur()};
    long long total = 0;
    Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView l, QByteArrayView) { total += Points_QSO(l); });
    return total;
}

} // namespace Sous_Programmes

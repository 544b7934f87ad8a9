#include "Validations.h"

#include "Decoupe.h"
#include "Fichier.h"
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Points.h"
#include "Texte.h"

#include <QDir>
#include <algorithm>

namespace Sous_Programmes {

namespace {

bool Du_Numero(char c) { return Caractere_DMF(Majuscule_Ascii(c)); }

// A pending line, and the number that would validate it.
bool A_Valider(QByteArrayView ligne, const QSet<QByteArray> &numeros)
{
    if (Attente_QSO(ligne) != "*")
        return false;
    const QByteArrayView dmf = Sans_Blancs(DMF_QSO(ligne));
    return !dmf.isEmpty() && numeros.contains(dmf.toByteArray());
}

} // namespace

QSet<QByteArray> Numeros_Valides(QByteArrayView t)
{
    QSet<QByteArray> numeros;
    qsizetype i = 0;
    while (i < t.size()) {
        if (!Alphanumerique(t[i])) {
            ++i;
            continue;
        }
        qsizetype fin = i;
        while (fin < t.size() && Alphanumerique(t[fin]))
            ++fin;
        if (fin - i == Largeur_DMF && std::all_of(t.data() + i, t.data() + fin, Du_Numero))
            numeros.insert(t.sliced(i, Largeur_DMF).toByteArray().toUpper());
        i = fin;
    }
    return numeros;
}

Apercu_Validations Apercu(const Contenu_Log &contenu, const QSet<QByteArray> &numeros)
{
    Apercu_Validations a;
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        const QByteArrayView l = contenu.ligne(i);
        if (A_Valider(l, numeros)) {
            a.lignes.push_back(i);
            QByteArray validee = l.toByteArray();
            validee[9] = ' ';
            a.points += Points_QSO(validee);
        } else if (Attente_QSO(l) == "*") {
            ++a.restent;
        }
    }
    return a;
}

Resultat<qsizetype> Valide_QSO(const QString &chemin_log, const QSet<QByteArray> &numeros)
{
    const auto octets = Lit_Fichier(chemin_log);
    if (!octets)
        return Erreur{octets.erreur()};
    // The blank that replaces each "*", and what lies between them, kept as read.
    static const char blanc = ' ';
    Morceaux morceaux;
    const char *base = octets.valeur().constData();
    qsizetype depuis = 0;
    qsizetype validees = 0;
    Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView l, QByteArrayView) {
        if (!A_Valider(l, numeros))
            return;
        const qsizetype etoile = l.data() + 9 - base;
        morceaux.emplace_back(base + depuis, etoile - depuis);
        morceaux.emplace_back(&blanc, 1);
        depuis = etoile + 1;
        ++validees;
    });
    if (validees == 0)
        return qsizetype(0);
    morceaux.emplace_back(base + depuis, octets.valeur().size() - depuis);
    if (const Statut s = Reecrit_Fichier(chemin_log, QString::fromLatin1(Nom_Temporaire), morceaux); !s)
        return Erreur{s.erreur()};
    return validees;
}

Resultat<Validations_Proposees> Propose_Validations(const Contenu_Log &contenu, const QSet<QByteArray> &numeros,
                                                    const QString &fichier)
{
    if (numeros.isEmpty())
        return Erreur{QStringLiteral("Le fichier %1 ne contient aucun numéro DMF : rien n'a été validé.").arg(QDir::toNativeSeparators(fichier))};
    Validations_Proposees p{Apercu(contenu, numeros), {}};
    if (p.apercu.lignes.empty() && p.apercu.restent == 0)
        return Erreur{QStringLiteral("Le log n'a aucun QSO en attente de validation : rien n'a été changé.")};
    if (p.apercu.lignes.empty())
        return Erreur{QStringLiteral("Aucun des %1 QSO en attente du log n'est dans cette liste : rien n'a été changé.").arg(p.apercu.restent)};
    for (qsizetype i : p.apercu.lignes)
        p.lignes << Depuis_Log(contenu.ligne_liste(i));
    return p;
}

} // namespace Sous_Programmes

#include "Regles_Spots.h"

#include "Reglages.h"

#include <algorithm>

using namespace Sous_Programmes;

Resultat<Demande_Cluster> Demande_Connexion(const QString &adresse, const QString &indicatif)
{
    Demande_Cluster d{adresse.trimmed(), indicatif.trimmed().toUpper().toLatin1()};
    switch (Verifie_Adresse(d.adresse)) {
    case Forme_Adresse::Vide: return Erreur{QString::fromUtf8("Indiquez l'adresse du nœud du cluster (son nom ou son adresse IP).")};
    case Forme_Adresse::Mauvaise: return Erreur{QString::fromUtf8("L'adresse du nœud ne doit comporter ni blanc ni plus de 253 caractères.")};
    case Forme_Adresse::Bonne: break;
    }
    const QString i = indicatif.trimmed().toUpper();
    const bool permis = !i.isEmpty() && i.size() <= 20 && std::all_of(i.begin(), i.end(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'/' || c == u'-';
    });
    if (!permis)
        return Erreur{QString::fromUtf8("L'indicatif de connexion doit comporter de 1 à 20 lettres, chiffres, « / » ou « - ».")};
    return d;
}

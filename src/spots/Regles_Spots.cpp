#include "Regles_Spots.h"

#include "Reglages.h"
#include "Texte.h"

using namespace Sous_Programmes;

Resultat<Demande_Cluster> Demande_Connexion(const QString &adresse, const QString &indicatif)
{
    Demande_Cluster d{adresse.trimmed(), indicatif.trimmed().toLatin1().toUpper()};
    switch (Verifie_Adresse(d.adresse)) {
    case Forme_Adresse::Vide: return Erreur{QString::fromUtf8("Indiquez l'adresse du nœud du cluster (son nom ou son adresse IP).")};
    case Forme_Adresse::Mauvaise: return Erreur{QString::fromUtf8("L'adresse du nœud ne doit comporter ni blanc ni plus de 253 caractères.")};
    case Forme_Adresse::Bonne: break;
    }
    // Checked as typed: put in capitals first, "ß" would pass as "SS".
    const QString i = indicatif.trimmed();
    if (i.isEmpty() || i.size() > 20 || !Lettres_Chiffres_Ou(i, u"/-"))
        return Erreur{QString::fromUtf8("L'indicatif de connexion doit comporter de 1 à 20 lettres, chiffres, « / » ou « - ».")};
    return d;
}

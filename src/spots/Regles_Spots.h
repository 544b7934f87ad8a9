#pragma once

#include "Resultat.h"
#include "Spots.h"

#include <QString>

// What the spots window's fields must hold before it connects.
struct Demande_Cluster {
    QString adresse;
    QByteArray indicatif; // in capitals, as the node expects it
};
Sous_Programmes::Resultat<Demande_Cluster> Demande_Connexion(const QString &adresse, const QString &indicatif);


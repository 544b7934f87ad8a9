#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>
#include <functional>
#include <memory>

class Avertisseur;

// Where the program lives and what time it is: the real ones unless a test
// or a benchmark says otherwise.
struct Environnement {
    QString dossier;
    std::function<QDateTime()> horloge;
    QTimeZone zone;
    int delai_progression_ms = 400; // before a long piece of work shows its progress
    bool manuel_dans_navigateur = false;
    QList<int> attentes_cluster_ms = {5000, 15000, 60000}; // before each new try of a lost connection
    // The desktop's notification and sound; none, nothing is told outside the windows.
    std::shared_ptr<Avertisseur> avertisseur = nullptr;
    static Environnement Reel();
};

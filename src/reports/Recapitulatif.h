#pragma once

#include "Calculs_Rapports.h"

#include <QWidget>

// The counts of the log per activity, the départements reached, the total.
class Recapitulatif : public QWidget {
    Q_OBJECT

public:
    Recapitulatif(const Sous_Programmes::Recapitulatif_Log &valeurs, const QString &annee);
};

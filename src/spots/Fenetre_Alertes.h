#pragma once

#include "Alertes.h"

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class QSpinBox;

// The alerts' settings: what to watch, how to be told, how often.
class Fenetre_Alertes : public QWidget {
    Q_OBJECT

public:
    explicit Fenetre_Alertes(const Alertes::Reglages &reglages, QWidget *parent = nullptr);

signals:
    // Kept in the settings.
    void Reglages_Gardes(const Alertes::Reglages &reglages);

private:
    void valide();

    QPlainTextEdit *Liste_Surveillance;
    QCheckBox *Alerte_Ligne, *Alerte_Clignote, *Alerte_Notification, *Alerte_Son, *Seulement_Liste;
    QSpinBox *Silence_Alertes, *Age_Spots;
};

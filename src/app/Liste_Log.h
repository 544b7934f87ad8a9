#pragma once

#include "Journal.h"

#include <QWidget>

class Carnet;
class Liste_QSO;
class Modele_Liste;

// The main list: the log one numbered line per QSO under its headings, read
// again after each change of the log, its last line then chosen.
class Liste_Log : public QWidget {
    Q_OBJECT

public:
    Liste_Log(const Carnet &carnet, QWidget *parent);

    Modele_Liste *modele() const { return m_modele; }
    const Sous_Programmes::Contenu_Log &contenu() const;
    Liste_QSO *liste() const { return Liste_DFCF; }

    // The log read again, empty when there is none to read; the failure is
    // given back, not told.
    Sous_Programmes::Statut recharge();
    // Chooses a line as a click would; the line already chosen is chosen again.
    void choisit(int ligne);
    void choisit_derniere();
    // Chooses the line equal to a list line, as the search gives it.
    void choisit_texte(const QString &ligne_liste);

signals:
    // Read again: whether there was a log to read.
    void relue(bool lue);
    void ligne_choisie(const QString &ligne_liste, const QByteArray &octets);
    void ligne_double_cliquee();

private:
    const Carnet &m_carnet;
    Modele_Liste *m_modele;
    Liste_QSO *Liste_DFCF;
    bool m_rechargement = false;
};

#pragma once

#include "Annonce.h"
#include "Resultat.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;

// What the dialog starts with: the radio's frequency and mode when one is
// read, the station's callsign, the mill of the entry.
struct Annonce_Proposee {
    std::optional<qint64> hertz;
    QString indicatif;
    QString dmf;
    QString mode;
};

// The station's own activation announced on the node: each field checked
// before anything is sent, then `envoie`, which says why it did not send.
class Annonce_Spot : public QWidget {
    Q_OBJECT

public:
    Annonce_Spot(const Annonce_Proposee &proposee, std::function<Sous_Programmes::Statut(const Cluster::Annonce &)> envoie);

signals:
    void Annonce_Envoyee();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    QString Commentaire_Propose() const;
    void Annonce_Envoyer_Click();

    std::function<Sous_Programmes::Statut(const Cluster::Annonce &)> m_envoie;
    QString m_mode;
    QString m_commentaire_propose; // followed by the comment until the operator changes it
    QLineEdit *Annonce_Frequence, *Annonce_Indicatif, *Annonce_DMF, *Annonce_Commentaire;
    QLabel *Etat_Annonce;
};

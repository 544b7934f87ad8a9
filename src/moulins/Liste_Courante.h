#pragma once

#include "Arriere_Plan.h"
#include "Liste_Moulins.h"

#include <QObject>
#include <memory>

namespace Moulins {

// The kept list of mills, read in the background from the start; whatever
// shows mills follows `changee`.
class Liste_Courante : public QObject {
    Q_OBJECT

public:
    explicit Liste_Courante(const QString &dossier, QObject *parent = nullptr);

    // The list, waiting for its reading if need be: empty when none is kept,
    // null when it could not be read.
    const std::shared_ptr<const Liste> &liste();
    // Why the kept list could not be read; empty when it could.
    const QString &erreur();
    // Read, and told by `changee`.
    bool lue() const { return !m_lecture.en_cours(); }
    // A list just kept takes the place of the one read.
    void remplace(std::shared_ptr<const Liste> liste);

signals:
    void changee(const std::shared_ptr<const Moulins::Liste> &liste);

private:
    void prend(Sous_Programmes::Resultat<Liste> lue);

    Arriere_Plan<Sous_Programmes::Resultat<Liste>> m_lecture;
    std::shared_ptr<const Liste> m_liste;
    QString m_erreur;
};

} // namespace Moulins

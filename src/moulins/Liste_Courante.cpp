#include "Liste_Courante.h"

namespace Moulins {

Liste_Courante::Liste_Courante(const QString &dossier, QObject *parent) : QObject(parent)
{
    m_lecture.lance([dossier] { return Charge_Gardee(dossier); }, this, [this](Sous_Programmes::Resultat<Liste> lue) { prend(std::move(lue)); });
}

const std::shared_ptr<const Liste> &Liste_Courante::liste()
{
    if (auto lue = m_lecture.attend())
        prend(std::move(*lue));
    return m_liste;
}

const QString &Liste_Courante::erreur()
{
    liste();
    return m_erreur;
}

void Liste_Courante::remplace(std::shared_ptr<const Liste> liste)
{
    m_lecture.attend();
    m_liste = std::move(liste);
    m_erreur.clear();
    emit changee(m_liste);
}

void Liste_Courante::prend(Sous_Programmes::Resultat<Liste> lue)
{
    if (lue)
        m_liste = std::make_shared<const Liste>(std::move(lue).valeur());
    else
        m_erreur = lue.erreur();
    emit changee(m_liste);
}

} // namespace Moulins

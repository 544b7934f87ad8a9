#include "Carnet.h"

#include "Reglages.h"
#include "Validations.h"

using namespace Sous_Programmes;

Carnet::Carnet(const QString &dossier, std::function<QDateTime()> heure_locale, Sauvegardes::Avant_Modification::Question question,
               QObject *parent)
    : QObject(parent), m_dossier(dossier), m_heure_locale(heure_locale),
      m_avant_modification(std::move(heure_locale), std::move(question))
{
}

void Carnet::ouvre(const QString &indicatif, const QString &annee)
{
    m_indicatif = indicatif;
    m_annee = annee;
    signale_change();
}

QString Carnet::chemin() const { return Chemin_Log(m_indicatif, m_annee, m_dossier); }

QString Carnet::nom() const { return Nom_Log(m_indicatif, m_annee); }

std::optional<QString> Carnet::refus() const
{
    if (Premiere_Installation(m_indicatif))
        return Message_Premiere_Installation();
    return Refus_Reglages_Station(m_indicatif, m_annee);
}

Resultat<Contenu_Log> Carnet::lit(QByteArray tampon) const { return Lit_Log(chemin(), std::move(tampon)); }

Resultat<DMF_Trouve> Carnet::cherche_dmf(QByteArrayView dmf) const { return Cherche_DMF(chemin(), dmf); }

void Carnet::signale_change()
{
    if (m_differe > 0)
        m_change_en_attente = true;
    else
        emit change();
}

template <typename F>
auto Carnet::ecrit(F ecriture) -> decltype(ecriture())
{
    if (!m_avant_modification.Autorise(chemin()))
        return Erreur{QString()};
    auto fait = ecriture();
    if (fait)
        signale_change();
    return fait;
}

Statut Carnet::ajoute(QByteArrayView ligne)
{
    return ecrit([&] { return Ajoute_QSO(chemin(), ligne); });
}

Statut Carnet::remplace(QByteArrayView ancienne, QByteArrayView nouvelle)
{
    return ecrit([&] { return Remplace_QSO(chemin(), ancienne, nouvelle); });
}

Statut Carnet::supprime(QByteArrayView dmf)
{
    return ecrit([&] { return Supprime_QSO(chemin(), dmf); });
}

Statut Carnet::insere(QByteArrayView ligne)
{
    return ecrit([&] { return Insere_QSO_Par_Date(chemin(), ligne); });
}

Statut Carnet::insere(const std::vector<QByteArray> &lignes)
{
    return ecrit([&] { return Insere_QSO_Par_Date(chemin(), lignes); });
}

Resultat<qsizetype> Carnet::valide(const QSet<QByteArray> &numeros)
{
    return ecrit([&] { return Valide_QSO(chemin(), numeros); });
}

Statut Carnet::restaure(const QString &sauvegarde)
{
    const Statut s = Sauvegardes::Restaure(sauvegarde, chemin(), m_heure_locale());
    if (s)
        signale_change();
    return s;
}

void Carnet::prepare_sauvegarde() { m_avant_modification.Prepare(chemin()); }

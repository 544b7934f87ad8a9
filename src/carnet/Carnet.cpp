#include "Carnet.h"

#include "Ligne_QSO.h"
#include "Reglages.h"
#include "Texte.h"
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
    // Another log: what was done to the previous one stays done.
    m_etapes.clear();
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

Resultat<std::vector<QByteArray>> Carnet::lignes_dmf(QByteArrayView dmf) const { return Lignes_DMF(chemin(), dmf); }

namespace {

// "le QSO DMF N° 21002 avec F5ABC" of a stored line.
QString QSO_Nomme(QByteArrayView ligne)
{
    return QStringLiteral("du QSO DMF N° %1 avec %2")
        .arg(Depuis_Log(Sans_Blancs(DMF_QSO(ligne))), Depuis_Log(Sans_Blancs(Indicatif_QSO(ligne))));
}

} // namespace

void Carnet::signale_change()
{
    if (m_differe > 0)
        m_change_en_attente = true;
    else
        emit change();
}

std::optional<QByteArray> Carnet::avant()
{
    // Changed elsewhere since the last change: none before can be taken back.
    if (!m_etapes.empty() && Sauvegardes::Empreinte_De(chemin()) != m_etapes.back().apres)
        m_etapes.clear();
    bool introuvable = false;
    auto octets = Lit_Fichier(chemin(), &introuvable);
    if (octets)
        return std::move(octets).valeur();
    // A log not there yet is put back empty.
    return introuvable ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
}

void Carnet::retient(const QString &quoi, std::optional<QByteArray> avant)
{
    // Unread before: this change cannot be taken back, nor any before it.
    if (!avant) {
        m_etapes.clear();
        return;
    }
    // Its state, as the backup before the first change tells the log's: no reading.
    m_etapes.push_back({quoi, std::move(*avant), Sauvegardes::Empreinte_De(chemin())});
    if (m_etapes.size() > size_t(Etapes_Annulables))
        m_etapes.pop_front();
}

template <typename F>
auto Carnet::ecrit(const QString &quoi, F ecriture) -> decltype(ecriture())
{
    if (!m_avant_modification.Autorise(chemin()))
        return Erreur{QString()};
    std::optional<QByteArray> octets = avant();
    auto fait = ecriture();
    if (fait) {
        retient(quoi, std::move(octets));
        signale_change();
    }
    return fait;
}

Statut Carnet::ajoute(QByteArrayView ligne)
{
    return ecrit(QStringLiteral("l'enregistrement ") + QSO_Nomme(ligne), [&] { return Ajoute_QSO(chemin(), ligne); });
}

Statut Carnet::remplace(QByteArrayView ancienne, QByteArrayView nouvelle)
{
    return ecrit(QStringLiteral("la modification ") + QSO_Nomme(nouvelle), [&] { return Remplace_QSO(chemin(), ancienne, nouvelle); });
}

Statut Carnet::supprime(QByteArrayView dmf)
{
    return ecrit(QStringLiteral("la suppression du DMF N° %1").arg(Depuis_Log(dmf)), [&] { return Supprime_QSO(chemin(), dmf); });
}

Statut Carnet::insere(QByteArrayView ligne)
{
    return ecrit(QStringLiteral("l'insertion ") + QSO_Nomme(ligne), [&] { return Insere_QSO_Par_Date(chemin(), ligne); });
}

Statut Carnet::insere(const std::vector<QByteArray> &lignes)
{
    return ecrit(QStringLiteral("l'import de %1 QSO").arg(lignes.size()), [&] { return Insere_QSO_Par_Date(chemin(), lignes); });
}

Resultat<qsizetype> Carnet::valide(const QSet<QByteArray> &numeros)
{
    return ecrit(QStringLiteral("la mise à jour des validations"), [&] { return Valide_QSO(chemin(), numeros); });
}

Statut Carnet::restaure(const QString &sauvegarde)
{
    std::optional<QByteArray> octets = avant();
    const Statut s = Sauvegardes::Restaure(sauvegarde, chemin(), m_heure_locale());
    if (s) {
        retient(QStringLiteral("la restauration d'une sauvegarde"), std::move(octets));
        signale_change();
    }
    return s;
}

std::optional<QString> Carnet::derniere_modification() const
{
    if (m_etapes.empty())
        return std::nullopt;
    return m_etapes.back().quoi;
}

Statut Carnet::annule()
{
    if (m_etapes.empty())
        return Erreur{QStringLiteral("Aucune modification du log n'est à annuler.")};
    const Etape &e = m_etapes.back();
    if (Sauvegardes::Empreinte_De(chemin()) != e.apres) {
        const QString refus = QStringLiteral("Le log %1 a été changé hors du programme depuis %2 : rien n'est annulé, pour ne rien perdre de ce changement.")
                                  .arg(nom(), e.quoi);
        m_etapes.clear();
        return Erreur{refus};
    }
    if (!m_avant_modification.Autorise(chemin()))
        return Erreur{QString()};
    if (const Statut s = Reecrit_Fichier(chemin(), QString::fromLatin1(Nom_Temporaire), e.avant); !s)
        return s;
    m_etapes.pop_back();
    // Rewritten here with the bytes the change before left: its state now.
    if (!m_etapes.empty())
        m_etapes.back().apres = Sauvegardes::Empreinte_De(chemin());
    signale_change();
    return Succes();
}

void Carnet::prepare_sauvegarde() { m_avant_modification.Prepare(chemin()); }

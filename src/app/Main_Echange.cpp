// What the operator brings from files: QSOs of other loggers (ADIF), the
// log's backups, the lists of validated mills and of mills.
#include "Main.h"

#include "Carnet.h"
#include "Liste_Courante.h"
#include "Saisie.h"

#include "Apercu_Moulins.h"
#include "Carte_Moulins.h"
#include "Dialogue_Fichier.h"
#include "Echange_ADIF.h"
#include "Fenetres.h"
#include "Feuille.h"
#include "Feuille_Activite.h"
#include "Import_ADIF.h"
#include "Message.h"
#include "Liste_Log.h"
#include "Locator.h"
#include "Reglages.h"
#include "Moulins_Restants.h"
#include "Progression.h"
#include "Restauration.h"
#include "Texte.h"
#include "Validations.h"
#include "Validations_Fenetre.h"

#include <QDir>
#include <QFileInfo>

using namespace Sous_Programmes;

namespace {

const QString Filtre_ADIF = QStringLiteral("Fichiers ADIF (*.adi *.ADI *.adif);;Tous les fichiers (*)");

// The ADIF file read by `lecture` off the windows' thread, told as it goes;
// none when the operator cancelled, or when it cannot be read (said).
template <typename T>
std::optional<T> Lit_ADIF(QWidget *fenetre, const QString &chemin, const char *nom_progression, int delai_ms,
                          const std::function<Resultat<T>(const Progression::Avance &)> &lecture)
{
    auto lu = Progression::Execute<Resultat<T>>(fenetre, QString::fromLatin1(nom_progression),
                                                QStringLiteral("Lecture du fichier %1...").arg(QFileInfo(chemin).fileName()), delai_ms, lecture);
    // None, or an empty error: the operator cancelled.
    if (!lu || !*lu) {
        if (lu && !lu->erreur().isEmpty())
            Message::Information(fenetre, lu->erreur());
        return std::nullopt;
    }
    return std::move(*lu).valeur();
}

} // namespace

void Main::Mnu_Importer_ADIF_Click()
{
    if (Fenetres::Devant(m_import) || Station_Refusee())
        return;
    const QString chemin = Dialogue_Fichier::A_Ouvrir(this, QStringLiteral("Importer des QSO (ADIF)"), m_env.dossier, Filtre_ADIF);
    if (chemin.isEmpty())
        return;
    const auto log = m_carnet->lit();
    if (!log) {
        Signale(log.erreur());
        return;
    }
    auto analyse = Lit_ADIF<ADIF::Analyse>(this, chemin, "Progression_Import", m_env.delai_progression_ms, [&](const Progression::Avance &avance) {
        return ADIF::Analyse_Fichier(chemin, log.valeur(), m_carnet->annee(), avance);
    });
    if (!analyse)
        return;
    Fenetres::Ouvre(m_import, std::move(*analyse), *m_carnet, QFileInfo(chemin).fileName(), m_moulins->liste());
    connect(m_import, &Import_ADIF::QSO_Importes, this, [this](int nombre) {
        Message::Information(this, nombre == 1 ? QStringLiteral("1 QSO importé.") : QStringLiteral("%1 QSO importés.").arg(nombre));
    });
}

void Main::Mnu_Exporter_ADIF_Click()
{
    if (Station_Refusee())
        return;
    const auto log = m_carnet->lit();
    if (!log) {
        Signale(log.erreur());
        return;
    }
    const QString nom_log = m_carnet->nom();
    const QString propose = QDir(m_env.dossier).filePath(nom_log.chopped(4) + QStringLiteral(".adi"));
    // No log, template or backup of the program is ever replaced by an export.
    const QString fichier = Dialogue_Fichier::A_Ecrire(this, QStringLiteral("Exporter le log (ADIF)"), propose, Filtre_ADIF,
                                                       m_env.dossier, QStringLiteral("l'export"));
    if (fichier.isEmpty())
        return;
    const auto dit = ADIF::Exporte_Log(log.valeur(), nom_log, m_env.horloge(), fichier);
    Message::Information(this, dit ? dit.valeur() : dit.erreur());
}

void Main::Mnu_Restaurer_Click()
{
    if (Fenetres::Devant(m_restauration) || Station_Refusee())
        return;
    auto sauvegardes = Sauvegardes::Liste(m_carnet->chemin());
    if (sauvegardes.empty()) {
        Signale(QStringLiteral("Le log %1 n'a encore aucune sauvegarde : elle est faite avant sa première modification, "
                               "à chaque lancement du programme.")
                    .arg(m_carnet->nom()));
        return;
    }
    Fenetres::Ouvre(m_restauration, std::move(sauvegardes), *m_carnet);
    connect(m_restauration, &Restauration::Log_Restaure, this, [this](const QString &quand) {
        m_saisie->efface();
        Message::Information(this, QStringLiteral("Le log a été remplacé par la sauvegarde du %1.").arg(quand));
    });
}

void Main::Mnu_Validations_Click()
{
    if (Fenetres::Devant(m_validations) || Station_Refusee())
        return;
    const QString chemin = Dialogue_Fichier::A_Ouvrir(this, QStringLiteral("Liste des DMF validés"), m_env.dossier,
                                                      QStringLiteral("Listes (*.txt *.csv);;Tous les fichiers (*)"));
    if (chemin.isEmpty())
        return;
    const auto lu = Progression::Lit<Resultat<QByteArray>>(this, QStringLiteral("Progression_Validations"), chemin, m_env.delai_progression_ms,
                                                           [](const QString &c) { return Lit_Fichier(c); });
    if (!lu)
        return;
    if (!*lu) {
        Signale(lu->erreur());
        return;
    }
    auto numeros = Numeros_Valides(lu->valeur());
    const auto log = m_carnet->lit();
    if (!log) {
        Signale(log.erreur());
        return;
    }
    const auto propose = Propose_Validations(log.valeur(), numeros, chemin);
    if (!propose) {
        Signale(propose.erreur());
        return;
    }
    const Apercu_Validations &apercu = propose.valeur().apercu;
    Fenetres::Ouvre(m_validations, propose.valeur().lignes, apercu.restent, apercu.points, std::move(numeros), *m_carnet);
    connect(m_validations, &Validations::QSO_Valides, this, [this](int nombre) {
        m_saisie->efface();
        Message::Information(this, nombre == 1 ? QStringLiteral("1 QSO validé.") : QStringLiteral("%1 QSO validés.").arg(nombre));
    });
}

void Main::Mnu_Liste_Moulins_Click()
{
    if (Fenetres::Devant(m_apercu_moulins))
        return;
    const QString chemin = Dialogue_Fichier::A_Ouvrir(this, QStringLiteral("Charger la liste des moulins"), m_env.dossier,
                                                      QStringLiteral("Listes de moulins (*.csv *.txt);;Tous les fichiers (*)"));
    if (chemin.isEmpty())
        return;
    auto lecture = Progression::Lit<Resultat<Moulins::Lecture>>(this, QStringLiteral("Progression_Moulins"), chemin,
                                                                m_env.delai_progression_ms, &Moulins::Lit_Fichier_Liste);
    if (!lecture)
        return;
    if (!*lecture) {
        Signale(lecture->erreur());
        return;
    }
    const auto &gardee = m_moulins->liste();
    Fenetres::Ouvre(m_apercu_moulins, std::move(*lecture).valeur(), gardee ? *gardee : Moulins::Liste(), QFileInfo(chemin).fileName(),
                    m_env.dossier, [this] { return Maintenant_Local(); });
    connect(m_apercu_moulins, &Apercu_Moulins::Liste_Gardee, this, &Main::Liste_Moulins_Gardee, Qt::UniqueConnection);
}

void Main::Liste_Moulins_Gardee(std::shared_ptr<const Moulins::Liste> liste)
{
    m_moulins->remplace(std::move(liste));
    Message::Information(this, QStringLiteral("La liste de %1 moulins est gardée.").arg(m_moulins->liste()->taille()));
}

std::shared_ptr<const Moulins::Liste> Main::Liste_Pour_Fenetre()
{
    const auto &liste = m_moulins->liste();
    if (!m_moulins->erreur().isEmpty()) {
        Signale(m_moulins->erreur());
        return nullptr;
    }
    if (!liste || liste->vide()) {
        Signale(QStringLiteral("Aucune liste des moulins n'est gardée : chargez celle des organisateurs par Fichier, "
                               "« Charger la liste des moulins... »."));
        return nullptr;
    }
    return liste;
}

void Main::Mnu_Moulins_Restants_Click()
{
    if (Fenetres::Devant(m_moulins_restants) || Station_Refusee())
        return;
    if (const auto liste = Liste_Pour_Fenetre())
        Fenetres::Ouvre(m_moulins_restants, liste, Moulins::Compte_Restants(*liste, m_liste->contenu()), m_env.dossier);
}

void Main::Mnu_Carte_Moulins_Click()
{
    if (Fenetres::Devant(m_carte_moulins) || Station_Refusee())
        return;
    const auto liste = Liste_Pour_Fenetre();
    if (!liste)
        return;
    const QString locator = Lit_Locator(m_carnet->indicatif());
    Fenetres::Ouvre(m_carte_moulins, liste, Moulins::Compte_Restants(*liste, m_liste->contenu()), Geo::Centre_Locator(locator),
                    locator, m_env.dossier);
}

void Main::Mnu_Feuille_Activite_Click()
{
    if (Fenetres::Devant(m_feuille_activite) || Station_Refusee())
        return;
    const QString chemin = Dialogue_Fichier::A_Ouvrir(this, QStringLiteral("Feuille d'activité (ADIF)"), m_env.dossier, Filtre_ADIF);
    if (chemin.isEmpty())
        return;
    auto lecture = Lit_ADIF<Activite::Lecture>(this, chemin, "Progression_Activite", m_env.delai_progression_ms,
                                               [&](const Progression::Avance &avance) { return Activite::Lit_Fichier_Activations(chemin, avance); });
    if (!lecture)
        return;
    Fenetres::Ouvre(m_feuille_activite, std::move(*lecture), m_moulins->liste(), QFileInfo(chemin).fileName(),
                    QString(m_carnet->indicatif()).replace(u'_', u'/'), Maintenant_Local().date(), m_env.dossier, m_env.delai_progression_ms);
    connect(m_feuille_activite, &Feuille_Activite::Activation_A_Ajouter, this, &Main::Propose_Activation, Qt::UniqueConnection);
}

void Main::Propose_Activation(const Champs_QSO &champs, int qso)
{
    if (Station_Refusee())
        return;
    const auto log = m_carnet->lit();
    if (!log) {
        Signale(log.erreur());
        return;
    }
    const auto date = Vers_Log(champs.date).value_or(QByteArray());
    const auto dmf = Vers_Log(champs.dmf).value_or(QByteArray());
    if (const auto ligne = Activite::Ligne_Au_Log(log.valeur(), dmf, date)) {
        m_liste->choisit(int(*ligne));
        raise();
        activateWindow();
        Signale(QStringLiteral("Le log a déjà une ligne du %1 pour le moulin %2, ligne %3 :\n%4")
                    .arg(champs.date, champs.dmf)
                    .arg(*ligne + 1)
                    .arg(Depuis_Log(log.valeur().ligne(*ligne)).trimmed()));
        return;
    }
    m_saisie->propose_activation(champs, qso);
}

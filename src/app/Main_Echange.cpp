// The log with other loggers (ADIF), its backups and the list of validated mills.
#include "Main.h"

#include "Dialogue_Fichier.h"
#include "Echange_ADIF.h"
#include "Fenetres.h"
#include "Fichier.h"
#include "Import_ADIF.h"
#include "Journal.h"
#include "Message.h"
#include "Progression.h"
#include "Restauration.h"
#include "Texte.h"
#include "Validations.h"
#include "Validations_Fenetre.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

using namespace Sous_Programmes;

namespace {

const QString Filtre_ADIF = QStringLiteral("Fichiers ADIF (*.adi *.ADI *.adif);;Tous les fichiers (*)");

} // namespace

std::optional<Main::Fichier_Lu> Main::Lit_Fichier_Choisi(const QString &titre, const QString &filtre)
{
    const QString fichier = Dialogue_Fichier::A_Ouvrir(this, titre, m_env.dossier, filtre);
    if (fichier.isEmpty())
        return std::nullopt;
    auto octets = Lit_Fichier(fichier);
    if (!octets) {
        Signale(octets.erreur());
        return std::nullopt;
    }
    return Fichier_Lu{fichier, std::move(octets).valeur()};
}

void Main::Mnu_Importer_ADIF_Click()
{
    if (Fenetres::Devant(m_import) || Station_Refusee())
        return;
    const QString chemin = Dialogue_Fichier::A_Ouvrir(this, QStringLiteral("Importer des QSO (ADIF)"), m_env.dossier, Filtre_ADIF);
    if (chemin.isEmpty())
        return;
    // A general log may hold a million QSOs: read a piece at a time, only
    // the records with a DMF reference kept.
    auto fichier = Fichier_Ouvert::Ouvre(chemin);
    if (!fichier) {
        Signale(fichier.erreur());
        return;
    }
    const auto log = Lit_Log(Chemin_Log());
    if (!log) {
        Signale(log.erreur());
        return;
    }
    auto analyse = [&] {
        ADIF::Lecteur lecteur(std::move(fichier).valeur());
        Progression progression(this, QStringLiteral("Progression_Import"),
                                QStringLiteral("Lecture du fichier %1...").arg(QFileInfo(chemin).fileName()), m_env.delai_progression_ms);
        return ADIF::Analyse_Import(lecteur, log.valeur(), A_Challenge->text(),
                                    [&](qint64 fait, qint64 total) { return progression.Avance(fait, total); });
    }();
    if (!analyse) {
        if (!analyse.erreur().isEmpty()) // empty: the operator cancelled
            Signale(analyse.erreur());
        return;
    }
    Fenetres::Ouvre(m_import, std::move(analyse).valeur(), Chemin_Log(), QFileInfo(chemin).fileName(), A_Challenge->text(),
                    [this] { return Sauvegarde_Avant_Modification(); }, Moulins_Gardes());
    connect(m_import, &Import_ADIF::QSO_Importes, this, [this](int nombre) {
        Charge_Liste();
        Message::Information(this, nombre == 1 ? QStringLiteral("1 QSO importé.") : QStringLiteral("%1 QSO importés.").arg(nombre));
    });
}

void Main::Mnu_Exporter_ADIF_Click()
{
    if (Station_Refusee())
        return;
    const auto log = Lit_Log(Chemin_Log());
    if (!log) {
        Signale(log.erreur());
        return;
    }
    const QString nom_log = Nom_Log(Indicatif_Courant, A_Challenge->text());
    const QString propose = QDir(m_env.dossier).filePath(nom_log.chopped(4) + QStringLiteral(".adi"));
    // No log, template or backup of the program is ever replaced by an export.
    const QString fichier = Dialogue_Fichier::A_Ecrire(this, QStringLiteral("Exporter le log (ADIF)"), propose, Filtre_ADIF,
                                                       m_env.dossier, QStringLiteral("l'export"));
    if (fichier.isEmpty())
        return;
    const ADIF::Export e = ADIF::Log_Vers_ADIF(log.valeur(), nom_log, m_env.horloge());
    if (const Statut s = Reecrit_Fichier(fichier, QString::fromLatin1(Nom_Temporaire), e.octets, Si_Absent::Creer); !s) {
        Signale(s.erreur());
        return;
    }
    QString texte = QStringLiteral("Le log a été exporté dans le fichier %1 : %2 QSO.").arg(QDir::toNativeSeparators(fichier)).arg(e.qso);
    if (e.sans_qso > 0)
        texte += QStringLiteral("\r\n%1 ligne(s) sans QSO n'ont pas été exportées.").arg(e.sans_qso);
    Message::Information(this, texte);
}

bool Main::Sauvegarde_Avant_Modification() { return m_avant_modification.Autorise(Chemin_Log()); }

void Main::Mnu_Restaurer_Click()
{
    if (Fenetres::Devant(m_restauration) || Station_Refusee())
        return;
    auto sauvegardes = Sauvegardes::Liste(Chemin_Log());
    if (sauvegardes.empty()) {
        Signale(QStringLiteral("Le log %1 n'a encore aucune sauvegarde : elle est faite avant sa première modification, "
                               "à chaque lancement du programme.")
                    .arg(Nom_Log(Indicatif_Courant, A_Challenge->text())));
        return;
    }
    Fenetres::Ouvre(m_restauration, std::move(sauvegardes), Chemin_Log(),
                    [this] { return m_env.horloge().toTimeZone(m_env.zone); });
    connect(m_restauration, &Restauration::Log_Restaure, this, [this](const QString &quand) {
        Charge_Liste();
        Efface();
        Message::Information(this, QStringLiteral("Le log a été remplacé par la sauvegarde du %1.").arg(quand));
    });
}

void Main::Mnu_Validations_Click()
{
    if (Fenetres::Devant(m_validations) || Station_Refusee())
        return;
    const auto lu = Lit_Fichier_Choisi(QStringLiteral("Liste des DMF validés"), QStringLiteral("Listes (*.txt *.csv);;Tous les fichiers (*)"));
    if (!lu)
        return;
    auto numeros = Numeros_Valides(lu->octets);
    if (numeros.isEmpty()) {
        Signale(QStringLiteral("Le fichier %1 ne contient aucun numéro DMF : rien n'a été validé.").arg(QDir::toNativeSeparators(lu->chemin)));
        return;
    }
    const auto log = Lit_Log(Chemin_Log());
    if (!log) {
        Signale(log.erreur());
        return;
    }
    const Apercu_Validations apercu = Apercu(log.valeur(), numeros);
    if (apercu.lignes.empty() && apercu.restent == 0) {
        Signale(QStringLiteral("Le log n'a aucun QSO en attente de validation : rien n'a été changé."));
        return;
    }
    if (apercu.lignes.empty()) {
        Signale(QStringLiteral("Aucun des %1 QSO en attente du log n'est dans cette liste : rien n'a été changé.").arg(apercu.restent));
        return;
    }
    QStringList lignes;
    for (qsizetype i : apercu.lignes)
        lignes << Depuis_Log(log.valeur().ligne_liste(i));
    Fenetres::Ouvre(m_validations, lignes, apercu.restent, apercu.points, std::move(numeros), Chemin_Log(),
                    [this] { return Sauvegarde_Avant_Modification(); });
    connect(m_validations, &Validations::QSO_Valides, this, [this](int nombre) {
        Charge_Liste();
        Efface();
        Message::Information(this, nombre == 1 ? QStringLiteral("1 QSO validé.") : QStringLiteral("%1 QSO validés.").arg(nombre));
    });
}

// The list of mills in the main window: loading it, the mill under the
// entry, what is left to contact.
#include "Main.h"

#include "Apercu_Moulins.h"
#include "Departements.h"
#include "Dialogue_Fichier.h"
#include "Fenetres.h"
#include "Message.h"
#include "Modele_Liste.h"
#include "Moulins_Restants.h"
#include "Restants.h"
#include "Spots_DMF.h"
#include "Modele_Spots.h"
#include "Texte.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

using namespace Sous_Programmes;

const std::shared_ptr<const Moulins::Liste> &Main::Moulins_Gardes()
{
    if (m_lecture_moulins.valid()) {
        auto lue = m_lecture_moulins.get();
        if (lue)
            m_moulins = std::make_shared<const Moulins::Liste>(std::move(lue).valeur());
        else
            m_erreur_moulins = lue.erreur();
        m_modele->nomme_moulins([this](QByteArrayView dmf) {
            const Moulins::Moulin *m = m_moulins ? m_moulins->Trouve(dmf) : nullptr;
            return m ? m_moulins->Designation(*m) : QString();
        });
    }
    return m_moulins;
}

void Main::Moulins_Lus()
{
    // Looked at from this thread alone, until it is read.
    if (m_lecture_moulins.valid() && m_lecture_moulins.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        QTimer::singleShot(20, this, &Main::Moulins_Lus);
        return;
    }
    Moulins_Gardes();
    if (!m_moulin_attendu.isEmpty())
        Montre_Moulin(m_moulin_attendu, true);
}

void Main::Montre_Moulin(const QString &dmf, bool attendre)
{
    // Not yet read, at a reload: shown as soon as it is, the start not kept waiting.
    if (!attendre && m_lecture_moulins.valid()
        && m_lecture_moulins.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        m_moulin_attendu = dmf;
        return;
    }
    m_moulin_attendu.clear();
    const auto &liste = Moulins_Gardes();
    QString texte;
    QPalette p = Nom_Moulin->palette();
    p.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    if (liste && !liste->vide() && !dmf.isEmpty()) {
        // Never a refusal: a new mill may be missing from the list.
        if (const Moulins::Moulin *m = liste->Trouve(Vers_Log(dmf).value_or(QByteArray())))
            texte = liste->Designation(*m);
        else {
            texte = QStringLiteral("Ce numéro n'est pas dans la liste des moulins");
            p.setColor(QPalette::WindowText, QColor(0x8B, 0, 0));
        }
    }
    Nom_Moulin->setPalette(p);
    Accessibilite::Montre_Valeur(Nom_Moulin, texte, texte);
}

void Main::Mnu_Liste_Moulins_Click()
{
    if (Fenetres::Devant(m_apercu_moulins))
        return;
    const QString chemin = Dialogue_Fichier::A_Ouvrir(this, QStringLiteral("Charger la liste des moulins"), m_env.dossier,
                                                      QStringLiteral("Listes de moulins (*.csv *.txt);;Tous les fichiers (*)"));
    if (chemin.isEmpty())
        return;
    auto lecture = Moulins::Lit_Fichier_Liste(chemin);
    if (!lecture) {
        Signale(lecture.erreur());
        return;
    }
    const auto &gardee = Moulins_Gardes();
    Fenetres::Ouvre(m_apercu_moulins, std::move(lecture).valeur(), gardee ? *gardee : Moulins::Liste(),
                    QFileInfo(chemin).fileName(), m_env.dossier, [this] { return m_env.horloge().toTimeZone(m_env.zone); });
    connect(m_apercu_moulins, &Apercu_Moulins::Liste_Gardee, this, &Main::Liste_Moulins_Gardee, Qt::UniqueConnection);
}

void Main::Liste_Moulins_Gardee(std::shared_ptr<const Moulins::Liste> liste)
{
    Moulins_Gardes();
    m_moulins = std::move(liste);
    m_erreur_moulins.clear();
    if (m_spots)
        m_spots->modele()->change_moulins(m_moulins);
    if (!Nom_Moulin->text().isEmpty())
        Montre_Moulin(DMF_A->text(), true);
    Message::Information(this, QStringLiteral("La liste de %1 moulins est gardée.").arg(m_moulins->taille()));
}

void Main::Mnu_Moulins_Restants_Click()
{
    if (Fenetres::Devant(m_moulins_restants) || Station_Refusee())
        return;
    const auto &liste = Moulins_Gardes();
    if (!m_erreur_moulins.isEmpty()) {
        Signale(m_erreur_moulins);
        return;
    }
    if (!liste || liste->vide()) {
        Signale(QStringLiteral("Aucune liste des moulins n'est gardée : chargez celle des organisateurs par Fichier, "
                               "« Charger la liste des moulins... »."));
        return;
    }
    Fenetres::Ouvre(m_moulins_restants, liste, Moulins::Compte_Restants(*liste, m_modele->contenu()), m_env.dossier);
}

QStringList Main::Moulins_Par_Departement(const Contenu_Log &contenu)
{
    QStringList textes;
    const auto &liste = Moulins_Gardes();
    if (!liste || liste->vide())
        return textes;
    for (int i = 0; i < 100; ++i)
        textes << QString();
    const Moulins::Restants r = Moulins::Compte_Restants(*liste, contenu);
    for (const Moulins::Departement &d : r.departements) {
        const int boite = Departement_Carte(d.code);
        if (boite < 0 || boite >= 100)
            continue;
        QString texte = (d.compte.contactes > 1 ? QStringLiteral("%1 moulins contactés sur %2") : QStringLiteral("%1 moulin contacté sur %2"))
                            .arg(d.compte.contactes)
                            .arg(d.compte.moulins);
        if (d.compte.en_attente > 0)
            texte += QStringLiteral(", %1 en attente").arg(d.compte.en_attente);
        textes[boite] = texte;
    }
    return textes;
}

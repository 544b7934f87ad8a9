#include "Compte_Rendu_Fenetre.h"

#include "Accessibilite.h"
#include "Compte_Rendu.h"
#include "Dialogue_Fichier.h"
#include "Fenetres.h"
#include "Fichier.h"
#include "Imprimante.h"
#include "Message.h"
#include "Texte.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Sous_Programmes;
using Fenetres::Nom_Objet;

Compte_Rendu::Compte_Rendu(const Contenu_Log &contenu, std::shared_ptr<const Moulins::Liste> moulins, const QString &indicatif_log,
                           const QString &annee, const QDate &jour, const QString &dossier, int delai_progression_ms,
                           const Feuille_Faite &feuille_faite)
    : m_indicatif_log(indicatif_log), m_annee(annee), m_dossier(dossier), m_delai_progression_ms(delai_progression_ms),
      m_anomalies(Verifie_Log(contenu, annee, moulins.get(), feuille_faite))
{
    setObjectName(QStringLiteral("Compte_Rendu"));
    setWindowTitle(QStringLiteral("Compte rendu du challenge"));
    resize(Fenetres::Pixels(760), Fenetres::Pixels(600));

    auto *titre_verifications = new QLabel(QStringLiteral("Avant l'envoi"), this);
    Fenetres::Gras(titre_verifications, 10);
    Resume_Verifications = Nom_Objet(new QLabel(Sous_Programmes::Resume_Verifications(m_anomalies), this), "Resume_Verifications");
    Resume_Verifications->setWordWrap(true);
    Resume_Verifications->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Accessibilite::Montre_Valeur(Resume_Verifications, Resume_Verifications->text(),
                                 QStringLiteral("Avant l'envoi : ") + Resume_Verifications->text());

    Verifications = Nom_Objet(new QTreeWidget(this), "Verifications");
    Verifications->setRootIsDecorated(false);
    Verifications->setUniformRowHeights(true);
    Verifications->setHeaderLabels({QStringLiteral("Ligne"), QStringLiteral("Date"), QStringLiteral("N° DMF"), QStringLiteral("Indicatif"),
                                    QStringLiteral("À corriger")});
    Accessibilite::Nomme(Verifications, QStringLiteral("Ce que le correcteur refuserait"),
                         QStringLiteral("un double clic ou Entrée ouvre ce QSO pour le modifier dans la fenêtre principale"));
    for (const Anomalie &a : m_anomalies) {
        const QString texte = Texte_Anomalie(a);
        auto *rangee = new QTreeWidgetItem(Verifications, {QString::number(a.ligne + 1), Depuis_Log(a.date), Depuis_Log(a.dmf),
                                                           Depuis_Log(a.indicatif), texte});
        rangee->setData(0, Qt::UserRole, QVariant::fromValue(a.ligne));
        rangee->setToolTip(4, texte);
    }
    const int largeurs[] = {55, 75, 65, 95};
    for (int c = 0; c < int(std::size(largeurs)); ++c)
        Verifications->setColumnWidth(c, Fenetres::Pixels(largeurs[c]));
    if (Verifications->topLevelItemCount() > 0)
        Verifications->setCurrentItem(Verifications->topLevelItem(0));

    auto *titre_document = new QLabel(QStringLiteral("Le document"), this);
    Fenetres::Gras(titre_document, 10);
    m_apercu = Nom_Objet(new Apercu_Lignes(Lignes_Compte_Rendu(contenu, QString(indicatif_log).replace(u'_', u'/'), annee, jour, m_anomalies),
                                           this),
                         "Apercu_Compte_Rendu");
    Accessibilite::Nomme(m_apercu, QStringLiteral("Le compte rendu tel qu'il sera imprimé"),
                         QStringLiteral("le récapitulatif, la liste des QSO et leurs points, puis ce qui reste à corriger"));

    auto *page = new QVBoxLayout(this);
    page->addWidget(titre_verifications);
    page->addWidget(Resume_Verifications);
    page->addWidget(Verifications, 1);
    page->addWidget(titre_document);
    page->addWidget(m_apercu, 2);
    const QList<QPushButton *> boutons = Fenetres::Rangee_Boutons(this, page,
                                                                  {{"Imprimer_Compte_Rendu", QStringLiteral("Imprimer...")},
                                                                   {"PDF_Compte_Rendu", QStringLiteral("Enregistrer en PDF...")},
                                                                   {"Texte_Compte_Rendu", QStringLiteral("Enregistrer en texte...")},
                                                                   {"Fermer_Compte_Rendu", QStringLiteral("Fermer")}});
    connect(boutons[0], &QPushButton::clicked, this, &Compte_Rendu::imprime);
    connect(boutons[1], &QPushButton::clicked, this, &Compte_Rendu::enregistre_pdf);
    connect(boutons[2], &QPushButton::clicked, this, &Compte_Rendu::enregistre_texte);
    connect(Verifications, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *rangee) { emit QSO_A_Modifier(rangee->data(0, Qt::UserRole).value<qsizetype>()); });
}

void Compte_Rendu::imprime()
{
    // Cancelled, nothing is done; printed, the report is.
    bool imprime = false;
    const Statut s = Impression::Imprime(this, lignes(), &imprime);
    if (!s)
        Message::Information(this, s.erreur());
    else if (imprime)
        emit Compte_Rendu_Fait(m_annee);
}

QString Compte_Rendu::cible(const QString &titre, const QString &extension, const QString &filtre)
{
    const QString propose = QDir(m_dossier).filePath(Nom_Compte_Rendu(m_indicatif_log, m_annee, extension));
    return Dialogue_Fichier::A_Ecrire(this, titre, propose, filtre, m_dossier, QStringLiteral("le compte rendu"));
}

void Compte_Rendu::dit(const Statut &s, const QString &fichier)
{
    if (!s) {
        Message::Information(this, s.erreur());
        return;
    }
    emit Compte_Rendu_Fait(m_annee);
    Message::Information(this, QStringLiteral("Le compte rendu a été enregistré sous le nom : %1").arg(QDir::toNativeSeparators(fichier)));
}

void Compte_Rendu::enregistre_pdf()
{
    const QString fichier = cible(QStringLiteral("Enregistrer le compte rendu en PDF"), QStringLiteral("pdf"),
                                  QStringLiteral("Documents PDF (*.pdf)"));
    if (fichier.isEmpty())
        return;
    const auto s = Impression::Enregistre_PDF(this, fichier, lignes(), QStringLiteral("Compte rendu du challenge %1").arg(m_annee),
                                              QStringLiteral("Écriture du compte rendu en PDF..."), m_delai_progression_ms);
    if (s) // cancelled: nothing written
        dit(*s, fichier);
}

void Compte_Rendu::enregistre_texte()
{
    const QString fichier = cible(QStringLiteral("Enregistrer le compte rendu en texte"), QStringLiteral("txt"),
                                  QStringLiteral("Fichiers texte (*.txt)"));
    if (fichier.isEmpty())
        return;
    dit(Reecrit_Fichier(fichier, QString::fromLatin1(Nom_Temporaire), Texte_Lignes(lignes()), Si_Absent::Creer), fichier);
}

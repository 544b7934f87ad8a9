#include "Compte_Rendu_Fenetre.h"

#include "Accessibilite.h"
#include "Compte_Rendu.h"
#include "Dialogue_Fichier.h"
#include "Fenetres.h"
#include "Fichier.h"
#include "Imprimante.h"
#include "Message.h"
#include "Progression.h"
#include "Texte.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Sous_Programmes;
using Fenetres::Nom_Objet;

Apercu_Lignes::Apercu_Lignes(QStringList lignes, QWidget *parent) : QAbstractScrollArea(parent), m_lignes(std::move(lignes))
{
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
}

void Apercu_Lignes::regle_barres()
{
    const QFontMetrics mesure(Impression::Police_Lignes(), viewport());
    const int par_ecran = int(Impression::Lignes_Par_Page(mesure, viewport()->height()));
    verticalScrollBar()->setRange(0, int(std::max<qsizetype>(0, m_lignes.size() - par_ecran)));
    verticalScrollBar()->setPageStep(par_ecran);
    verticalScrollBar()->setSingleStep(1);
    int largeur = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(m_lignes.size(), 60); ++i)
        largeur = std::max(largeur, mesure.horizontalAdvance(m_lignes[i]));
    // The listing's rows are the widest: one of them stands for all.
    if (m_lignes.size() > 60)
        largeur = std::max(largeur, mesure.horizontalAdvance(m_lignes[m_lignes.size() / 2]));
    horizontalScrollBar()->setRange(0, std::max(0, largeur + 8 - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void Apercu_Lignes::resizeEvent(QResizeEvent *evenement)
{
    QAbstractScrollArea::resizeEvent(evenement);
    regle_barres();
}

void Apercu_Lignes::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.translate(4 - horizontalScrollBar()->value(), 2);
    const qsizetype de = verticalScrollBar()->value();
    const qsizetype par_ecran = Impression::Lignes_Par_Page(QFontMetrics(Impression::Police_Lignes(), viewport()), viewport()->height());
    Impression::Dessine_Lignes(p, m_lignes, de, std::min(m_lignes.size(), de + par_ecran + 1), 0);
}

Compte_Rendu::Compte_Rendu(const Contenu_Log &contenu, std::shared_ptr<const Moulins::Liste> moulins, const QString &indicatif_log,
                           const QString &annee, const QDate &jour, const QString &dossier, int delai_progression_ms)
    : m_indicatif_log(indicatif_log), m_annee(annee), m_dossier(dossier), m_delai_progression_ms(delai_progression_ms),
      m_anomalies(Verifie_Log(contenu, annee, moulins.get()))
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
    // Made whole in memory, off the windows' thread, then put in place in one step.
    const QStringList lignes = this->lignes();
    const QString titre = QStringLiteral("Compte rendu du challenge %1").arg(m_annee);
    const auto fait = Progression::Execute<Resultat<QByteArray>>(
        this, QStringLiteral("Progression_PDF"), QStringLiteral("Écriture du compte rendu en PDF..."), m_delai_progression_ms,
        [&](const Progression::Avance &avance) -> Resultat<QByteArray> {
            QBuffer tampon;
            tampon.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&tampon);
            pdf.setTitle(titre);
            pdf.setCreator(QStringLiteral("KOB_Dezudidar_ERI"));
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
            pdf.setResolution(300);
            if (const Statut s = Impression::Imprime_Lignes(pdf, [&] { return pdf.newPage(); }, lignes, avance); !s)
                return Erreur{s.erreur()};
            return tampon.data();
        });
    if (!fait)
        return; // cancelled: nothing written
    Statut s = Succes();
    if (!*fait)
        s = Erreur{fait->erreur()};
    else
        s = Reecrit_Fichier(fichier, QString::fromLatin1(Nom_Temporaire), fait->valeur(), Si_Absent::Creer);
    dit(s, fichier);
}

void Compte_Rendu::enregistre_texte()
{
    const QString fichier = cible(QStringLiteral("Enregistrer le compte rendu en texte"), QStringLiteral("txt"),
                                  QStringLiteral("Fichiers texte (*.txt)"));
    if (fichier.isEmpty())
        return;
    dit(Reecrit_Fichier(fichier, QString::fromLatin1(Nom_Temporaire), Texte_Compte_Rendu(lignes()), Si_Absent::Creer), fichier);
}

#include "Annonce_Spot.h"

#include "Accessibilite.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"
#include "Message.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using Fenetres::Nom_Objet;

Annonce_Spot::Annonce_Spot(const Annonce_Proposee &proposee, std::function<Sous_Programmes::Statut(const Cluster::Annonce &)> envoie)
    : m_envoie(std::move(envoie)), m_mode(proposee.mode)
{
    setObjectName(QStringLiteral("Annonce_Spot"));
    setWindowTitle(QStringLiteral("Annoncer sur le cluster"));
    setMinimumWidth(Fenetres::Pixels(400));

    Annonce_Frequence = Nom_Objet(new QLineEdit(proposee.hertz ? QString::fromLatin1(Cluster::Frequence_Annonce(*proposee.hertz)) : QString(), this),
                                  "Annonce_Frequence");
    Annonce_Frequence->setPlaceholderText(QStringLiteral("14285.0"));
    Annonce_Indicatif = Nom_Objet(new QLineEdit(proposee.indicatif, this), "Annonce_Indicatif");
    Annonce_DMF = Nom_Objet(new QLineEdit(proposee.dmf, this), "Annonce_DMF");
    m_commentaire_propose = Commentaire_Propose();
    Annonce_Commentaire = Nom_Objet(new QLineEdit(m_commentaire_propose, this), "Annonce_Commentaire");
    Annonce_Indicatif->setToolTip(QStringLiteral("ajoutez /P pour une activation en portable"));
    Annonce_Commentaire->setToolTip(QStringLiteral("%1 caractères au plus, « DMF » et le numéro du moulin compris").arg(Cluster::Commentaire_Maximum));
    for (QLineEdit *c : {Annonce_Indicatif, Annonce_DMF})
        c->installEventFilter(this);

    for (QLineEdit *c : {Annonce_Indicatif, Annonce_Commentaire})
        c->setAccessibleDescription(c->toolTip());
    QGridLayout *grille = Fenetres::Grille_Champs(this, {{QStringLiteral("&Fréquence (kHz) :"), Annonce_Frequence},
                                                         {QStringLiteral("&Indicatif :"), Annonce_Indicatif},
                                                         {QStringLiteral("N° &DMF :"), Annonce_DMF},
                                                         {QStringLiteral("&Commentaire :"), Annonce_Commentaire}});

    Etat_Annonce = Nom_Objet(new QLabel(this), "Etat_Annonce");
    Etat_Annonce->setWordWrap(true);
    Etat_Annonce->setAccessibleDescription(QStringLiteral("état de l'annonce"));

    auto *page = new QVBoxLayout(this);
    page->addLayout(grille);
    page->addWidget(Etat_Annonce);
    QPushButton *envoyer = Fenetres::Action_Et_Fermer(this, page, "Annonce_Envoyer", QStringLiteral("Envoyer"), "Annonce_Annuler",
                                                      QStringLiteral("Annuler"));
    Accessibilite::Nomme(envoyer, QStringLiteral("Envoyer l'annonce"), QStringLiteral("envoie le spot au nœud du cluster"));
    connect(envoyer, &QPushButton::clicked, this, &Annonce_Spot::Annonce_Envoyer_Click);
    for (QLineEdit *c : {Annonce_Frequence, Annonce_Indicatif, Annonce_DMF, Annonce_Commentaire})
        connect(c, &QLineEdit::returnPressed, this, &Annonce_Spot::Annonce_Envoyer_Click);
    // The number changed, the comment proposed follows it.
    connect(Annonce_DMF, &QLineEdit::textChanged, this, [this] {
        if (Annonce_Commentaire->text() != m_commentaire_propose)
            return;
        m_commentaire_propose = Commentaire_Propose();
        Annonce_Commentaire->setText(m_commentaire_propose);
    });
    Annonce_Frequence->setFocus();
}

QString Annonce_Spot::Commentaire_Propose() const
{
    QString c = QStringLiteral("DMF ") + Annonce_DMF->text().trimmed();
    if (!m_mode.isEmpty())
        c += u' ' + m_mode;
    return c;
}

bool Annonce_Spot::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::KeyPress)
        return Frappe_Changee(qobject_cast<QLineEdit *>(objet), static_cast<QKeyEvent *>(evenement), Controles_Saisie::Majuscule_Frappee);
    return QWidget::eventFilter(objet, evenement);
}

void Annonce_Spot::Annonce_Envoyer_Click()
{
    const auto pret = Cluster::Prepare_Annonce(
        {Annonce_Frequence->text(), Annonce_Indicatif->text(), Annonce_DMF->text(), Annonce_Commentaire->text()});
    if (const auto *refus = std::get_if<Cluster::Refus_Annonce>(&pret)) {
        Message::Information(this, refus->message);
        QLineEdit *champs[] = {Annonce_Frequence, Annonce_Indicatif, Annonce_DMF, Annonce_Commentaire};
        champs[int(refus->champ)]->setFocus();
        return;
    }
    // Not connected, or too soon after the last one: said here, nothing sent.
    if (const auto s = m_envoie(std::get<Cluster::Annonce>(pret)); !s) {
        Etat_Annonce->setText(s.erreur());
        return;
    }
    emit Annonce_Envoyee();
    close();
}

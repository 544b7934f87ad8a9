#include "Rappel_Compte_Rendu.h"

#include "Accessibilite.h"
#include "Fenetres.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

Rappel_Compte_Rendu::Rappel_Compte_Rendu(const QString &texte, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Rappel_Compte_Rendu"));
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(texte);
    auto *l = Fenetres::Nom_Objet(new QLabel(texte, this), "Texte_Rappel");
    l->setWordWrap(true);
    l->setAccessibleName(texte);
    auto *preparer = Fenetres::Nom_Objet(new QPushButton(QStringLiteral("Préparer"), this), "Preparer_Compte_Rendu");
    preparer->setAutoDefault(true);
    Accessibilite::Nomme(preparer, QStringLiteral("Préparer le compte rendu"));
    auto *fermer = Fenetres::Nom_Objet(new QToolButton(this), "Fermer_Rappel");
    fermer->setText(QStringLiteral("×"));
    fermer->setAutoRaise(true);
    fermer->setFocusPolicy(Qt::StrongFocus);
    fermer->setToolTip(QStringLiteral("Ne plus le rappeler pour cette année"));
    Accessibilite::Nomme(fermer, QStringLiteral("Ne plus rappeler ce compte rendu"));
    auto *rangee = new QHBoxLayout(this);
    rangee->setContentsMargins(Fenetres::Pixels(8), Fenetres::Pixels(2), Fenetres::Pixels(4), Fenetres::Pixels(2));
    rangee->addWidget(l, 1);
    rangee->addWidget(preparer);
    rangee->addWidget(fermer);
    connect(preparer, &QPushButton::clicked, this, &Rappel_Compte_Rendu::Preparer);
    connect(fermer, &QToolButton::clicked, this, &Rappel_Compte_Rendu::Ecarter);
}

#include "Ligne_Alerte.h"

#include "Accessibilite.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

Ligne_Alerte::Ligne_Alerte(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Alerte_Spot"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    Fenetres::Colore(this, Controles_Saisie::Vert_Pale);
    m_texte = Fenetres::Nom_Objet(new QLabel(this), "Texte_Alerte");
    m_texte->setWordWrap(true);
    m_texte->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_voir = Fenetres::Nom_Objet(new QPushButton(QStringLiteral("Voir"), this), "Voir_Alerte");
    m_voir->setAutoDefault(true);
    Accessibilite::Nomme(m_voir, QStringLiteral("Voir le spot"), QStringLiteral("ouvre les spots sur ce moulin ; Entrée le met dans la saisie"));
    m_fermer = Fenetres::Nom_Objet(new QToolButton(this), "Fermer_Alerte");
    m_fermer->setText(QStringLiteral("×"));
    m_fermer->setAutoRaise(true);
    m_fermer->setFocusPolicy(Qt::StrongFocus);
    Accessibilite::Nomme(m_fermer, QStringLiteral("Fermer l'alerte"));
    m_fermer->setToolTip(QStringLiteral("Fermer l'alerte"));
    auto *rangee = new QHBoxLayout(this);
    rangee->setContentsMargins(Fenetres::Pixels(8), Fenetres::Pixels(2), Fenetres::Pixels(4), Fenetres::Pixels(2));
    rangee->addWidget(m_texte, 1);
    rangee->addWidget(m_voir);
    rangee->addWidget(m_fermer);
    connect(m_voir, &QPushButton::clicked, this, [this] {
        if (m_alertes.isEmpty())
            return;
        const Cluster::Spot spot = m_alertes.constFirst().spot;
        ferme();
        emit voir(spot);
    });
    connect(m_fermer, &QToolButton::clicked, this, &Ligne_Alerte::ferme);
}

void Ligne_Alerte::ajoute(const QList<Alerte> &nouvelles)
{
    // One place per mill, its newest alert.
    for (const Alerte &a : nouvelles) {
        if (m_moulins.contains(a.spot.dmf))
            m_alertes.removeIf([&](const Alerte &b) { return b.spot.dmf == a.spot.dmf; });
        else
            m_moulins.insert(a.spot.dmf);
        m_alertes.prepend(a);
    }
    montre();
}

void Ligne_Alerte::garde_si(const std::function<bool(const Alerte &)> &encore)
{
    const auto retiree = [&](const Alerte &a) {
        if (encore(a))
            return false;
        m_moulins.remove(a.spot.dmf);
        return true;
    };
    if (m_alertes.removeIf(retiree) > 0)
        montre();
}

void Ligne_Alerte::ferme()
{
    m_alertes.clear();
    m_moulins.clear();
    montre();
}

void Ligne_Alerte::montre()
{
    const QString texte = m_alertes.isEmpty() ? QString() : Alertes::Texte_Pile(m_alertes.constFirst().texte, m_alertes.size() - 1);
    const bool changee = texte.isEmpty() != m_texte->text().isEmpty();
    m_texte->setText(texte);
    setAccessibleName(texte);
    m_texte->setAccessibleName(texte);
    if (changee)
        emit visibilite_changee();
    if (!texte.isEmpty()) {
        // Told to a screen reader as it comes, the focus left where it is.
        QAccessibleEvent alerte(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alerte);
    }
}

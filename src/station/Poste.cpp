#include "Poste.h"

#include "Accessibilite.h"
#include "Fenetres.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using Fenetres::Nom_Objet;

Poste::Poste(const Radio::Reglages &reglages) : m_sauves(reglages), m_type(reglages.type)
{
    setObjectName(QStringLiteral("Poste"));
    setWindowTitle(QStringLiteral("Poste de radio"));
    setMinimumWidth(Fenetres::Pixels(420));

    auto *explication = new QLabel(QStringLiteral("Un spot choisi dans la fenêtre des spots règle le poste sur sa fréquence "
                                                  "et son mode, par Hamlib (rigctld) ou par flrig, lancé à côté du programme."),
                                   this);
    explication->setObjectName(QStringLiteral("Explication_Poste"));
    explication->setWordWrap(true);

    Poste_Type = Nom_Objet(new QComboBox(this), "Poste_Type");
    for (Radio::Type t : Radio::Types)
        Poste_Type->addItem(Radio::Nom_Type(t));
    Poste_Type->setCurrentIndex(int(reglages.type));
    Poste_Adresse = Nom_Objet(new QLineEdit(reglages.adresse, this), "Poste_Adresse");
    Poste_Adresse->setPlaceholderText(QStringLiteral("127.0.0.1 sur cette machine"));
    Poste_Port = Nom_Objet(new QSpinBox(this), "Poste_Port");
    Poste_Port->setRange(1, 65535);
    Poste_Port->setValue(reglages.port);
    Poste_Essayer = Nom_Objet(new QPushButton(QStringLiteral("Essayer"), this), "Poste_Essayer");
    Poste_Essayer->setAutoDefault(true);
    Accessibilite::Nomme(Poste_Essayer, QStringLiteral("Essayer le poste"), QStringLiteral("lit la fréquence et le mode du poste"));
    Etat_Poste = Nom_Objet(new QLabel(this), "Etat_Poste");
    Etat_Poste->setWordWrap(true);
    Etat_Poste->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Its text is its name: each new state is announced.
    Etat_Poste->setAccessibleDescription(QStringLiteral("état du poste de radio"));

    QGridLayout *grille = Fenetres::Grille_Champs(this, {{QStringLiteral("&Type :"), Poste_Type},
                                                         {QStringLiteral("&Adresse :"), Poste_Adresse},
                                                         {QStringLiteral("P&ort :"), Poste_Port}});
    grille->addWidget(Poste_Essayer, grille->rowCount(), 1, Qt::AlignLeft);

    auto *page = new QVBoxLayout(this);
    page->addWidget(explication);
    page->addLayout(grille);
    page->addWidget(Etat_Poste);
    page->addStretch();
    Fenetres::Rangee_Boutons(this, page, {{"Fermer_Poste", QStringLiteral("Fermer")}});

    connect(Poste_Type, &QComboBox::currentIndexChanged, this, &Poste::type_change);
    connect(Poste_Adresse, &QLineEdit::editingFinished, this, &Poste::sauve);
    connect(Poste_Port, &QSpinBox::editingFinished, this, &Poste::sauve);
    connect(Poste_Essayer, &QPushButton::clicked, this, &Poste::Poste_Essayer_Click);
    connect(&m_liaison, &Radio::Liaison::lecture, this, [this](const Radio::Lecture &l) {
        Etat_Poste->setText(QStringLiteral("Le poste répond : ") + Radio::Texte_Lecture(l));
    });
    connect(&m_liaison, &Radio::Liaison::lecture_impossible, Etat_Poste, &QLabel::setText);
    montre_type();
    Poste_Type->setFocus();
}

Radio::Reglages Poste::Champs() const { return {m_type, Poste_Adresse->text().trimmed(), Poste_Port->value()}; }

void Poste::montre_type()
{
    const bool aucun = m_type == Radio::Type::Aucun;
    for (QWidget *w : {static_cast<QWidget *>(Poste_Adresse), static_cast<QWidget *>(Poste_Port), static_cast<QWidget *>(Poste_Essayer)})
        w->setEnabled(!aucun);
    Etat_Poste->setText(aucun ? QStringLiteral("Aucun poste : choisir un spot ne règle pas la radio.")
                              : QStringLiteral("« Essayer » lit la fréquence et le mode du poste."));
}

void Poste::type_change(int position)
{
    const Radio::Type nouveau = Radio::Types[qBound(0, position, int(std::size(Radio::Types)) - 1)];
    Poste_Port->setValue(Radio::Port_Apres_Changement(m_type, nouveau, Poste_Port->value()));
    m_type = nouveau;
    m_liaison.configure({});
    montre_type();
    sauve();
}

bool Poste::sauve()
{
    Radio::Reglages r = Champs();
    // An address is never kept unless it can be reached: the spots window
    // would try it every second. The rest of the settings is.
    const auto refus = Radio::Refus_Adresse(r.adresse);
    if (refus)
        r.adresse = m_sauves.adresse;
    if (r != m_sauves) {
        if (const auto s = Radio::Sauve_Reglages(r); !s) {
            Etat_Poste->setText(s.erreur());
            return false;
        }
        m_sauves = r;
        emit Poste_Change(r);
    }
    if (refus && r.type != Radio::Type::Aucun) {
        Etat_Poste->setText(*refus);
        return false;
    }
    return true;
}

void Poste::Poste_Essayer_Click()
{
    // Not tried with a setting that is not kept: the reason stays shown.
    if (!sauve()) {
        if (Radio::Refus_Adresse(Champs().adresse))
            Poste_Adresse->setFocus();
        return;
    }
    const Radio::Reglages r = Champs();
    m_liaison.configure(r);
    // Said first: a failure may be told while the connection is asked for.
    Etat_Poste->setText(QStringLiteral("Lecture du poste à %1:%2...").arg(r.adresse).arg(r.port));
    m_liaison.lit();
}

void Poste::closeEvent(QCloseEvent *evenement)
{
    sauve();
    QWidget::closeEvent(evenement);
}

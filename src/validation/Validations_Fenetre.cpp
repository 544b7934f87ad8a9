#include "Validations_Fenetre.h"

#include "Carnet.h"

#include "Accessibilite.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"
#include "Message.h"
#include "Validations.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

Validations::Validations(const QStringList &lignes, qsizetype restent, long long points, QSet<QByteArray> numeros,
                         Carnet &carnet)
    : m_numeros(std::move(numeros)), m_carnet(carnet)
{
    setObjectName(QStringLiteral("Validations"));
    setWindowTitle(QStringLiteral("Mettre à jour les validations"));
    resize(Fenetres::Pixels(560), Fenetres::Pixels(400));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label1", QStringLiteral("QSO en attente que la liste valide"), 9.75);
    auto *Liste_Validations = new QListWidget(this);
    Liste_Validations->setObjectName(QStringLiteral("Liste_Validations"));
    Liste_Validations->setFont(Fenetres::Police_Liste());
    Fenetres::Colore(Liste_Validations, Controles_Saisie::Jaune_Pale);
    for (const QString &ligne : lignes) {
        auto *element = new QListWidgetItem(ligne, Liste_Validations);
        element->setData(Qt::AccessibleTextRole, Sous_Programmes::Phrase_Ligne_Liste(ligne));
    }
    Accessibilite::Nomme(Liste_Validations, QStringLiteral("QSO que la liste valide"));

    auto *Resume_Validations = new QLabel(Resume(lignes.size(), restent, points), this);
    Resume_Validations->setObjectName(QStringLiteral("Resume_Validations"));
    Resume_Validations->setWordWrap(true);

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Liste_Validations, 1);
    page->addWidget(Resume_Validations);
    auto *Valider = Fenetres::Action_Et_Fermer(this, page, "Valider_Validations", QStringLiteral("Valider"),
                                               "Annuler_Validations", QStringLiteral("Annuler"));
    connect(Valider, &QPushButton::clicked, this, &Validations::Valider_Validations_Click);
    Valider->setFocus();
}

QString Validations::Resume(qsizetype validees, qsizetype restent, long long points)
{
    return QStringLiteral("%1 QSO perdront leur « * » : validés.\n%2 QSO restent en attente de validation.\n"
                          "Le total gagnera %3 points.")
        .arg(validees)
        .arg(restent)
        .arg(points);
}

void Validations::Valider_Validations_Click()
{
    const auto validees = m_carnet.valide(m_numeros);
    if (!validees) {
        if (!validees.erreur().isEmpty())
            Message::Information(this, validees.erreur());
        return;
    }
    close();
    emit QSO_Valides(int(validees.valeur()));
}

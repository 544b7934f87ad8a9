#include "Restauration.h"

#include "Carnet.h"

#include "Accessibilite.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"
#include "Message.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

Restauration::Restauration(std::vector<Sauvegardes::Sauvegarde> sauvegardes, Carnet &carnet)
    : m_sauvegardes(std::move(sauvegardes)), m_carnet(carnet)
{
    setObjectName(QStringLiteral("Restauration"));
    setWindowTitle(QStringLiteral("Restaurer une sauvegarde"));
    resize(Fenetres::Pixels(440), Fenetres::Pixels(360));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label1", QStringLiteral("Sauvegardes du log ") + m_carnet.nom(), 9.75);
    Liste_Sauvegardes = new QListWidget(this);
    Liste_Sauvegardes->setObjectName(QStringLiteral("Liste_Sauvegardes"));
    Liste_Sauvegardes->setFont(Fenetres::Police_Liste());
    Fenetres::Colore(Liste_Sauvegardes, Controles_Saisie::Jaune_Pale);
    for (const auto &s : m_sauvegardes)
        Liste_Sauvegardes->addItem(Texte(s));
    Liste_Sauvegardes->setCurrentRow(0);
    Accessibilite::Nomme(Liste_Sauvegardes, QStringLiteral("Sauvegardes du log"),
                         QStringLiteral("la plus récente en haut : date, nombre de QSO et points ; Entrée restaure"));

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Liste_Sauvegardes, 1);
    auto *Restaurer = Fenetres::Action_Et_Fermer(this, page, "Restaurer_Sauvegarde", QStringLiteral("Restaurer"),
                                                 "Fermer_Restauration", QStringLiteral("Fermer"));
    connect(Restaurer, &QPushButton::clicked, this, &Restauration::Restaurer_Sauvegarde_Click);
    // Enter on a backup of the list asks to restore it.
    connect(Liste_Sauvegardes, &QListWidget::itemActivated, this, &Restauration::Restaurer_Sauvegarde_Click);
    Liste_Sauvegardes->setFocus();
}

QString Restauration::Texte(const Sauvegardes::Sauvegarde &s)
{
    const QLocale francais(QLocale::French, QLocale::France);
    return QStringLiteral("%1 à %2   %3 QSO   %4 points")
        .arg(s.heure.toString(QStringLiteral("dd/MM/yyyy")), s.heure.toString(QStringLiteral("HH:mm:ss")))
        .arg(francais.toString(qlonglong(s.qso)), 6)
        .arg(francais.toString(s.points), 6);
}

void Restauration::Restaurer_Sauvegarde_Click()
{
    const int ligne = Liste_Sauvegardes->currentRow();
    if (ligne < 0 || size_t(ligne) >= m_sauvegardes.size()) {
        Message::Information(this, QStringLiteral("Choisissez une sauvegarde dans la liste."));
        return;
    }
    const auto &s = m_sauvegardes[size_t(ligne)];
    const QString quand = s.heure.toString(QStringLiteral("dd/MM/yyyy 'à' HH:mm:ss"));
    if (!Message::Question(this, QStringLiteral("Voulez vous remplacer le log par la sauvegarde du %1 ?\r\n"
                                                "Le log actuel sera d'abord sauvegardé.").arg(quand)))
        return;
    if (const auto r = m_carnet.restaure(s.chemin); !r) {
        Message::Information(this, r.erreur());
        return;
    }
    close();
    emit Log_Restaure(quand);
}

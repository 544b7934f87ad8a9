#include "Station.h"

#include "Carnet.h"
#include "Reglages.h"

#include "Accessibilite.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"
#include "Locator.h"
#include "Message.h"
#include "Regles_Station.h"
#include "Reglages.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QPushButton>
#include <QVBoxLayout>

using Fenetres::Colore;

Station::Station(Carnet &carnet) : m_carnet(carnet)
{
    setObjectName(QStringLiteral("Station"));
    setWindowTitle(QString::fromUtf8("Selection Indicatif et Année"));
    // The original window, with a row more for the locator.
    setFixedSize(Fenetres::Twips(3975), Fenetres::Twips(2670 + 420));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label2", QStringLiteral("INDICATIF de  la STATION "), font().pointSizeF());
    QFont gras = font();
    gras.setBold(true);

    auto *Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *Label3 = new QLabel(QStringLiteral("Indicatif"), Frame2);
    Label3->setObjectName(QStringLiteral("Label3"));
    auto *Label4 = new QLabel(QString::fromUtf8("Année"), Frame2);
    Label4->setObjectName(QStringLiteral("Label4"));
    New_Indicatif = new QLineEdit(Frame2);
    New_Indicatif->setObjectName(QStringLiteral("New_Indicatif"));
    New_Annee = new QLineEdit(Frame2);
    New_Annee->setObjectName(QStringLiteral("New_Annee"));
    Accessibilite::Nomme(New_Indicatif, QStringLiteral("Indicatif de la station"));
    Accessibilite::Nomme(New_Annee, QStringLiteral("Année du challenge"));
    Label3->setBuddy(New_Indicatif);
    Label4->setBuddy(New_Annee);
    for (QLineEdit *e : {New_Indicatif, New_Annee}) {
        e->setFont(gras);
        e->installEventFilter(this);
    }
    auto *Label5 = new QLabel(QString::fromUtf8("!!! Pour la saisie la \"/\" est remplacée par le \"_\" "), Frame2);
    Label5->setObjectName(QStringLiteral("Label5"));
    auto *Label6 = new QLabel(QStringLiteral("Locator"), Frame2);
    Label6->setObjectName(QStringLiteral("Label6"));
    Locator_Station = new QLineEdit(Frame2);
    Locator_Station->setObjectName(QStringLiteral("Locator_Station"));
    Locator_Station->setMaxLength(8);
    Locator_Station->setFont(gras);
    Locator_Station->installEventFilter(this);
    Label6->setBuddy(Locator_Station);
    Accessibilite::Nomme(Locator_Station, QStringLiteral("Locator de la station"),
                         QStringLiteral("4, 6 ou 8 caractères, par exemple JN18du ; vide si vous n'en donnez pas"));
    auto *champs = new QGridLayout(Frame2);
    champs->addWidget(Label3, 0, 0);
    champs->addWidget(Label4, 0, 1);
    champs->addWidget(New_Indicatif, 1, 0);
    champs->addWidget(New_Annee, 1, 1);
    champs->addWidget(Label5, 2, 0, 1, 2);
    champs->addWidget(Label6, 3, 0, Qt::AlignRight);
    champs->addWidget(Locator_Station, 3, 1);
    champs->setColumnStretch(0, 3);
    champs->setColumnStretch(1, 2);

    Validation = new QPushButton(QStringLiteral("Validez"), this);
    Validation->setObjectName(QStringLiteral("Validation"));
    Validation->setAutoDefault(true);
    connect(Validation, &QPushButton::clicked, this, &Station::Validation_Click);

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Frame2);
    page->addWidget(Validation, 0, Qt::AlignHCenter);
    setTabOrder(Validation, New_Annee);
    setTabOrder(New_Annee, New_Indicatif);
    setTabOrder(New_Indicatif, Locator_Station);

    New_Indicatif->setText(Sous_Programmes::Lit_Indicatif_Station());
    New_Annee->clear();
    Locator_Station->setText(Sous_Programmes::Lit_Locator(New_Indicatif->text()));
    Colore(New_Indicatif, Controles_Saisie::Vert_Pale);
    Colore(New_Annee, Controles_Saisie::Jaune_Pale);
    Colore(Locator_Station, Controles_Saisie::Jaune_Pale);
    New_Indicatif->setFocus();
}

bool Station::eventFilter(QObject *objet, QEvent *evenement)
{
    // Typing replaces what the field holds ("FXXXX" at first), however the
    // focus came; after the click's own placing of the cursor.
    if (evenement->type() == QEvent::FocusIn && objet == New_Indicatif)
        QTimer::singleShot(0, New_Indicatif, &QLineEdit::selectAll);
    if (evenement->type() != QEvent::KeyPress || (objet != New_Indicatif && objet != New_Annee && objet != Locator_Station))
        return QWidget::eventFilter(objet, evenement);
    auto *touche = static_cast<QKeyEvent *>(evenement);
    if (objet == Locator_Station) {
        if (touche->key() != Qt::Key_Return && touche->key() != Qt::Key_Enter)
            return false;
        if (Locator_Accepte()) {
            Colore(Locator_Station, Controles_Saisie::Jaune_Pale);
            Validation->setFocus();
        }
        return true;
    }
    auto *champ = static_cast<QLineEdit *>(objet);
    if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
        Colore(champ, Controles_Saisie::Jaune_Pale);
        if (champ == New_Indicatif) {
            // Another station's locator, unless one was typed.
            if (!Locator_Station->isModified())
                Locator_Station->setText(Sous_Programmes::Lit_Locator(New_Indicatif->text().toUpper()));
            Colore(New_Annee, Controles_Saisie::Vert_Pale);
            New_Annee->setFocus();
        } else {
            Validation->setFocus();
        }
        return true;
    }
    if (champ == New_Annee)
        return Frappe_Changee(champ, touche, Controles_Saisie::Majuscule_Frappee);
    // "/" cannot stand in a file name: a typed one becomes "_".
    return Frappe_Changee(champ, touche, [](QChar c) { return c == u'/' ? QChar(u'_') : Controles_Saisie::Majuscule_Frappee(c); });
}

bool Station::Locator_Accepte()
{
    const QString texte = Locator_Station->text().trimmed();
    if (const QString refus = Geo::Refus_Locator(texte); !refus.isEmpty()) {
        Message::Information(this, refus);
        return false;
    }
    Locator_Station->setText(Geo::Forme_Locator(texte).value_or(QString()));
    return true;
}

void Station::Validation_Click()
{
    const QString indicatif = New_Indicatif->text().toUpper();
    const QString annee = New_Annee->text().toUpper();
    if (const auto refus = Regles_Station::Verifie(indicatif, annee)) {
        Message::Information(this, refus->message);
        if (refus->vider_indicatif)
            New_Indicatif->clear();
        return;
    }
    if (!Locator_Accepte())
        return;
    for (const QString &a_dire : Regles_Station::Prepare_Station(indicatif, annee, m_carnet.dossier()))
        Message::Information(this, a_dire);
    if (const auto s = Sous_Programmes::Sauve_Locator(indicatif, Locator_Station->text()); !s)
        Message::Information(this, s.erreur());
    // The station as the settings now keep it.
    const QString gardee = Sous_Programmes::Lit_Indicatif_Station();
    m_carnet.ouvre(gardee, Sous_Programmes::Lit_Annee_Radovered(gardee, QString::fromLatin1(Sous_Programmes::Annee_Inconnue)));
    emit Station_Validee();
    close();
}

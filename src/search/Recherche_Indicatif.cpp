#include "Recherche_Indicatif.h"

#include "Accessibilite.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"
#include "Message.h"
#include "Recherche.h"

#include <QAbstractItemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>

Recherche_Indicatif::Recherche_Indicatif(const QAbstractItemModel *lignes) : m_liste(lignes)
{
    setObjectName(QStringLiteral("Recherche_Indicatif"));
    setWindowTitle(QStringLiteral("Recherche d'un QSO"));
    setFixedSize(Fenetres::Twips(6405), Fenetres::Twips(6615));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label3", QStringLiteral("Rechercher un QSO par ..."), 9.75);

    auto *Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *options = new QHBoxLayout;
    const char *noms[] = {"", "Indica", "Data", "Depa"};
    const QString textes[] = {{}, QStringLiteral("Indicatif"), QStringLiteral("DMF"), QStringLiteral("Dpt")};
    const int largeurs[] = {0, 1215, 975, 495};
    QFont boite = font();
    boite.setBold(true);
    boite.setPointSizeF(8.25);
    for (int i = 1; i <= 3; ++i) {
        Option1[i] = new QRadioButton(textes[i], Frame2);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Boites[i] = new QLineEdit(Frame2);
        Boites[i]->setObjectName(QString::fromLatin1(noms[i]));
        Boites[i]->setFixedWidth(Fenetres::Twips(largeurs[i]));
        Boites[i]->setAlignment(Qt::AlignCenter);
        Boites[i]->setFont(boite);
        Fenetres::Colore(Boites[i], Controles_Saisie::Jaune_Pale);
        Boites[i]->installEventFilter(this);
        options->addWidget(Option1[i]);
        options->addWidget(Boites[i]);
        QLineEdit *cible = Boites[i];
        connect(Option1[i], &QRadioButton::clicked, cible, [cible] { cible->setFocus(); });
    }
    Accessibilite::Nomme(Boites[1], QStringLiteral("Indicatif recherché"));
    Accessibilite::Nomme(Boites[2], QStringLiteral("N° DMF recherché"));
    Accessibilite::Nomme(Boites[3], QStringLiteral("Département recherché"));
    Indica = Boites[1];
    Data = Boites[2];
    Depa = Boites[3];
    Option1[1]->setChecked(true);

    QSO_Effectues = new Liste_QSO(Frame2);
    QSO_Effectues->setObjectName(QStringLiteral("QSO_Effectues"));
    QSO_Effectues->setToolTip(QStringLiteral("Cliquez sur le QSO pour le selectionner"));
    QSO_Effectues->setFont(Fenetres::Police_Liste());
    QSO_Effectues->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QSO_Effectues->setMinimumSize(Fenetres::Twips(5655), Fenetres::Twips(4200));
    Fenetres::Colore(QSO_Effectues, Controles_Saisie::Jaune_Pale);
    m_resultats = new Modele_Lignes_Liste(this);
    Accessibilite::Nomme(QSO_Effectues, QStringLiteral("QSO trouvés"),
                         QStringLiteral("chaque ligne : numéro, date, N° DMF, type d'activité, indicatif ; un clic choisit le QSO "
                                        "dans la liste principale"));
    QSO_Effectues->setModel(m_resultats);
    connect(QSO_Effectues, &QAbstractItemView::clicked, this, &Recherche_Indicatif::QSO_Effectues_Click);

    auto *liste = Fenetres::Liste_Titree(Frame2, QSO_Effectues, "Titres",
                                         {{"Label13", 1, QString::fromUtf8("N°")},
                                          {"Label12", 9, QStringLiteral("Date")},
                                          {"Label11", 19, QStringLiteral("DMF")},
                                          {"Label10", 26, QString::fromUtf8("Type d'activité")},
                                          {"Label9", 50, QStringLiteral("Indicatif")}});
    auto *cadre = new QVBoxLayout(Frame2);
    cadre->addLayout(options);
    cadre->addWidget(liste);

    auto *Command1 = new QPushButton(QStringLiteral("Quitter"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Frame2);
    page->addWidget(Command1, 0, Qt::AlignHCenter);

    Indica->clear();
    Indica->setFocus();
}

int Recherche_Indicatif::Mode() const
{
    for (int i = 1; i <= 3; ++i)
        if (Option1[i]->isChecked())
            return i;
    return 1;
}

bool Recherche_Indicatif::eventFilter(QObject *objet, QEvent *evenement)
{
    int boite = 0;
    for (int i = 1; i <= 3; ++i)
        if (objet == Boites[i])
            boite = i;
    if (!boite)
        return QWidget::eventFilter(objet, evenement);
    if (evenement->type() == QEvent::MouseButtonPress) {
        Option1[boite]->setChecked(true);
        return false;
    }
    if (evenement->type() != QEvent::KeyPress)
        return false;
    auto *touche = static_cast<QKeyEvent *>(evenement);
    if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
        if (const auto refus = Recherche::Verifie(Recherche::Mode(boite), Boites[boite]->text())) {
            Message::Information(this, refus->message);
            if (refus->vider)
                Boites[boite]->clear();
        } else {
            Recherche_QSO();
        }
        return true;
    }
    return boite == 1 && Frappe_Changee(Indica, touche, Controles_Saisie::Majuscule_Frappee);
}

void Recherche_Indicatif::Recherche_QSO()
{
    m_resultats->setStringList({});
    const int nombre = m_liste->rowCount();
    QStringList trouves;
    if (nombre > 0) {
        const auto mode = Recherche::Mode(Mode());
        QLineEdit *boite = Boites[Mode()];
        if (boite->text().startsWith(QStringLiteral("\r\n")))
            boite->setText(boite->text().mid(2));
        if (boite->text().isEmpty()) {
            Message::Information(this, Recherche::Message_Vide(mode));
            if (mode == Recherche::Mode::Indicatif)
                Indica->clear();
            return;
        }
        const QString entree = Recherche::Entree(mode, boite->text());
        for (int i = 0; i < nombre; ++i) {
            const QModelIndex index = m_liste->index(i, 0);
            if (Recherche::Correspond(mode, index.data(Role_Ligne_Log).toByteArray(), entree))
                trouves << index.data().toString();
        }
    }
    m_resultats->setStringList(trouves);
    if (trouves.isEmpty())
        Message::Information(this, QString::fromUtf8("Pas de QSO trouvé"));
    for (QLineEdit *b : {Indica, Data, Depa})
        b->clear();
}

void Recherche_Indicatif::QSO_Effectues_Click(const QModelIndex &index)
{
    emit QSO_Choisi(index.data().toString());
    close();
}

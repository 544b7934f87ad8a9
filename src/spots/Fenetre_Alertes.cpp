#include "Fenetre_Alertes.h"

#include "Accessibilite.h"
#include "Controles.h"
#include "Fenetres.h"
#include "Message.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using Fenetres::Nom_Objet;

Fenetre_Alertes::Fenetre_Alertes(const Alertes::Reglages &reglages, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Alertes"));
    setWindowTitle(QStringLiteral("Alertes"));
    resize(Fenetres::Pixels(520), Fenetres::Pixels(440));

    auto *explication = new QLabel(QStringLiteral("Un spot alerte quand son moulin n'est dans aucune ligne du log, ou quand il "
                                                  "répond à la liste de surveillance, même déjà contacté."),
                                   this);
    explication->setWordWrap(true);
    Liste_Surveillance = Nom_Objet(new QPlainTextEdit(Alertes::Texte_Surveillance(reglages.surveillance), this), "Liste_Surveillance");
    Liste_Surveillance->setTabChangesFocus(true);
    Liste_Surveillance->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Liste_Surveillance->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Liste_Surveillance->setPlaceholderText(QStringLiteral("21003 29 2A F4DEF/P"));
    auto *titre_liste = new QLabel(QStringLiteral("&Liste de surveillance (N° DMF, départements, indicatifs ; séparés par des blancs, "
                                                  "des virgules ou un par ligne) :"),
                                   this);
    titre_liste->setWordWrap(true);
    Accessibilite::Etiquette_De(titre_liste, Liste_Surveillance);
    Liste_Surveillance->setAccessibleName(QStringLiteral("Liste de surveillance"));

    auto *comment = Nom_Objet(new QGroupBox(QStringLiteral("Prévenir par"), this), "Cadre_Prevenir");
    Alerte_Ligne = Nom_Objet(new Case_Multiligne(QStringLiteral("une ligne sous les menus de la fenêtre principale"), comment), "Alerte_Ligne");
    Alerte_Clignote = Nom_Objet(new Case_Multiligne(QStringLiteral("le clignotement du bouton de la barre des tâches"), comment), "Alerte_Clignote");
    Alerte_Notification = Nom_Objet(new Case_Multiligne(QStringLiteral("une notification du bureau"), comment), "Alerte_Notification");
    Alerte_Son = Nom_Objet(new Case_Multiligne(QStringLiteral("un son bref"), comment), "Alerte_Son");
    Alerte_Ligne->setChecked(reglages.ligne);
    Alerte_Clignote->setChecked(reglages.clignote);
    Alerte_Notification->setChecked(reglages.notification);
    Alerte_Son->setChecked(reglages.son);
    auto *cases = new QVBoxLayout(comment);
    for (QCheckBox *c : {Alerte_Ligne, Alerte_Clignote, Alerte_Notification, Alerte_Son})
        cases->addWidget(c);

    Silence_Alertes = Nom_Objet(new QSpinBox(this), "Silence_Alertes");
    Silence_Alertes->setRange(Alertes::Silence_Minimum, Alertes::Silence_Maximum);
    Silence_Alertes->setValue(reglages.silence_minutes);
    Silence_Alertes->setSuffix(QStringLiteral(" min"));
    Age_Spots = Nom_Objet(new QSpinBox(this), "Age_Spots");
    Age_Spots->setRange(Alertes::Age_Minimum, Alertes::Age_Maximum);
    Age_Spots->setValue(reglages.age_minutes);
    Age_Spots->setSuffix(QStringLiteral(" min"));
    Seulement_Liste = Nom_Objet(new Case_Multiligne(QStringLiteral("Seulement les moulins de la liste"), this), "Seulement_Liste");
    Seulement_Liste->setChecked(reglages.seulement_liste);
    Seulement_Liste->setToolTip(QStringLiteral("pas d'alerte pour un numéro absent de la liste des moulins, souvent un spot mal tapé"));
    Seulement_Liste->setAccessibleDescription(Seulement_Liste->toolTip());

    auto *page = new QVBoxLayout(this);
    page->addWidget(explication);
    page->addWidget(titre_liste);
    page->addWidget(Liste_Surveillance, 1);
    page->addWidget(comment);
    page->addLayout(Fenetres::Grille_Champs(this, {{QStringLiteral("Une alerte par &moulin toutes les :"), Silence_Alertes},
                                                   {QStringLiteral("Spots retirés de la liste &après :"), Age_Spots}}));
    page->addWidget(Seulement_Liste);
    auto *valider = Fenetres::Action_Et_Fermer(this, page, "Valider_Alertes", QStringLiteral("Valider"), "Annuler_Alertes",
                                               QStringLiteral("Annuler"));
    connect(valider, &QPushButton::clicked, this, &Fenetre_Alertes::valide);
}

void Fenetre_Alertes::valide()
{
    const auto surveillance = Alertes::Lit_Surveillance(Liste_Surveillance->toPlainText());
    if (!surveillance) {
        Message::Information(this, surveillance.erreur());
        Liste_Surveillance->setFocus();
        return;
    }
    Alertes::Reglages r;
    r.ligne = Alerte_Ligne->isChecked();
    r.clignote = Alerte_Clignote->isChecked();
    r.notification = Alerte_Notification->isChecked();
    r.son = Alerte_Son->isChecked();
    r.silence_minutes = Silence_Alertes->value();
    r.age_minutes = Age_Spots->value();
    r.seulement_liste = Seulement_Liste->isChecked();
    r.surveillance = surveillance.valeur();
    if (const auto s = Alertes::Sauve_Reglages(r); !s) {
        Message::Information(this, s.erreur());
        return;
    }
    emit Reglages_Gardes(r);
    close();
}

#include "Reglement.h"

#include "Accessibilite.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

QStringList Reglement::Texte()
{
    const char *entrees[] = {
        "",
        "Le dezudidar ERI annuel est ouvert à tous, chasseurs et opérateurs de Moulins.",
        "Le but est de contacter/opérer le plus grand nombre de Moulins durant une année.",
        "La date de prise en compte chaque année est du 01/01 au 31/12",
        "",
        "Chaque nouveau Moulin contacté validé donne 2 points.",
        "Chaque réactivation contactée validée donne 1 point.",
        "Chaque nouveau Moulin activé validé donne 6 points.",
        "Chaque réactivation activée validée donne 3 points.",
        "",
        "Il est possible de connaître la liste des DMF validés sur le site du DMF Manager.",
        "Cette liste est mise à jour chaque semaine généralement le vendredi.",
        "",
        "Pour le challenge tous les DMF doivent être différents et ne peuvent être comptés",
        "qu'une seule fois. Un même DMF contacté sur plusieurs bandes/modes ou dates ne compte qu'une fois.",
        "",
        "Pour une réactivation elle est valide pour le challenge uniquement si l'opérateur a réalisé",
        "un minimum de 50 QSO.",
        "Un opérateur ayant obtenu le statut de résident donne une fois par an 1 point a ses correspondants",
        "et aura 3 points pour son score personnel. Il n'est pas obligé de faire 50 QSO puisqu'il a la référence en permanence.",
        "",
        "Toutes les personnes participants à une activité sont considérées comme opérateurs",
        "et obtiennent 6 points (nouveau DMF) ou 3 points (réactivation).",
        "La feuille récapitulative de l'activité comprend toujours la liste des opérateurs présents.",
        "",
        "Le compte rendu doit parvenir au correcteur entre les 15 février et 1er mars de chaque année.",
        "15 février 2006 pour le challenge 2005, 15 février 2007 pour le challenge 2006.",
        "Il faut tenir compte du délai de 30 jours pour permettre aux opérateurs de faire valider leurs activités de fin d'année",
        "",
        "Comme chaque année les 5 meilleurs scores recevront une coupe ou Trophée.",
        "",
        "Les QSL ne sont pas nécessaires pour le challenge.",
        "",
        "Indépendamment du challenge une coupe sera attribuée à la station ayant activé le plus de nouveaux DMF.",
        "Une coupe au département ayant activé le plus de DMF.",
        "",
        "Bonne chance à tous.",
        "", "", "", "",
    };
    QStringList texte;
    for (const char *e : entrees)
        texte << QString::fromUtf8(e);
    return texte;
}

Reglement::Reglement(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Reglement"));
    setWindowTitle(QStringLiteral("Reglement"));
    setFixedSize(Fenetres::Twips(9345), Fenetres::Twips(6120));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label2", QStringLiteral("Reglement du Radovered Annuel"), 13.5);

    auto *Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *Reg = new QListWidget(Frame2);
    Reg->setObjectName(QStringLiteral("Reg"));
    Reg->addItems(Texte());
    Accessibilite::Nomme(Reg, QStringLiteral("Texte du règlement"));
    Fenetres::Colore(Reg, Controles_Saisie::Jaune_Pale);
    (new QVBoxLayout(Frame2))->addWidget(Reg);

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Frame2, 1);
}

#include "Recapitulatif.h"

#include "Accessibilite.h"

#include "Controles_Saisie.h"
#include "Fenetres.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

Recapitulatif::Recapitulatif(const Sous_Programmes::Recapitulatif_Log &v, const QString &annee)
{
    setObjectName(QStringLiteral("Recapitulatif"));
    setWindowTitle(QString::fromUtf8("Feuille Récapitulative"));
    setFixedSize(Fenetres::Twips(5400), Fenetres::Twips(5310));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label2", QStringLiteral("RECAPITULATIF DES CONTACTS"), 12);

    auto *Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *grille = new QGridLayout(Frame2);
    QFont valeur = font();
    valeur.setBold(true);
    valeur.setPointSizeF(9.75);
    auto boite = [&](const char *nom, long long nombre) {
        auto *b = new QLineEdit(QString::number(nombre), Frame2);
        b->setObjectName(QString::fromLatin1(nom));
        b->setReadOnly(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFont(valeur);
        b->setAlignment(Qt::AlignCenter);
        b->setFixedSize(Fenetres::Twips(855), Fenetres::Twips(285));
        Fenetres::Colore(b, Controles_Saisie::Jaune_Pale);
        return b;
    };
    auto etiquette = [&](const char *nom, const QString &texte) {
        auto *l = new QLabel(texte, Frame2);
        l->setObjectName(QString::fromLatin1(nom));
        return l;
    };
    auto trait = [&](int rangee) {
        auto *ligne = new QFrame(Frame2);
        ligne->setFrameShape(QFrame::HLine);
        grille->addWidget(ligne, rangee, 0, 1, 3);
    };
    const QList<std::tuple<const char *, QString, const char *, long long>> rangees{
        {"Label8", QString::fromUtf8("Nombre d'activations DMF contactées"), "Nb_CC", v.contacte},
        {"Label7", QString::fromUtf8("Nombre de réactivations DMF contactées"), "Nb_CR", v.reactivation_contactee},
        {"Label5", QString::fromUtf8("Nombre de DMF résidents Contactés"), "Nb_RC", v.resident_contacte},
        {"Label10", QString::fromUtf8("Nombre de DMF activés"), "Nb_CA", v.active},
        {"Label3", QString::fromUtf8("Nombre de DMF réactivés"), "Nb_AR", v.reactivation_activee},
        {"Label1", QString::fromUtf8("Nombre de DMF résidents activés"), "Nb_RA", v.resident_active},
        {"Label9", QString::fromUtf8("Nombre de DMF en double"), "Nb_DO", v.doubles},
        {"Label4", QString::fromUtf8("Nombre de départements contactés"), "Nb_Dpt", v.departements}};
    int r = 0;
    for (const auto &[nom_etiquette, texte, nom_boite, nombre] : rangees) {
        QLabel *l = etiquette(nom_etiquette, texte);
        QLineEdit *b = boite(nom_boite, nombre);
        Accessibilite::Etiquette_De(l, b);
        grille->addWidget(l, r, 0, 1, 2);
        grille->addWidget(b, r++, 2);
    }
    trait(r++);
    grille->addWidget(etiquette("Label6", QStringLiteral("Total des points du Radovered")), r, 0);
    QLabel *annee_x = etiquette("Annee_X", {});
    Accessibilite::Montre_Valeur(annee_x, annee, QStringLiteral("Année du challenge %1").arg(annee));
    grille->addWidget(annee_x, r, 1);
    QLineEdit *total = boite("Nb_Points_Tot", v.total);
    Accessibilite::Nomme(total, QStringLiteral("Total des points du Radovered %1").arg(annee));
    grille->addWidget(total, r++, 2);
    trait(r++);

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Frame2, 1);
}

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
    // The object names of each row's label and box, in the rows' order.
    static const std::pair<const char *, const char *> noms[] = {{"Label8", "Nb_CC"}, {"Label7", "Nb_CR"}, {"Label5", "Nb_RC"},
                                                                  {"Label10", "Nb_CA"}, {"Label3", "Nb_AR"}, {"Label1", "Nb_RA"},
                                                                  {"Label9", "Nb_DO"}, {"Label4", "Nb_Dpt"}};
    const auto rangees = Sous_Programmes::Rangees_Recapitulatif(v);
    int r = 0;
    for (size_t i = 0; i < rangees.size(); ++i) {
        QLabel *l = etiquette(noms[i].first, rangees[i].texte);
        QLineEdit *b = boite(noms[i].second, rangees[i].nombre);
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

#include "Liste_Log.h"

#include "Accessibilite.h"
#include "Carnet.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"
#include "Message.h"
#include "Modele_Liste.h"

#include <QGroupBox>
#include <QLabel>

using namespace Sous_Programmes;
using Fenetres::Cree;
using Fenetres::Place;

namespace {

const QString Texte_Liste = QStringLiteral("Un click sur un QSO pour l'afficher ou l'effacer, un double click pour l'éditer");

} // namespace

Liste_Log::Liste_Log(const Carnet &carnet, QWidget *parent) : QWidget(parent), m_carnet(carnet)
{
    setObjectName(QStringLiteral("Liste_Log"));
    auto *L_DFCF = Cree<QGroupBox>(this, "L_DFCF", 0, 0, 433, 377);
    L_DFCF->setTitle(Texte_Liste);
    QFont arial = L_DFCF->font();
    arial.setPointSizeF(8.25);
    L_DFCF->setFont(arial);
    Liste_DFCF = Cree<Liste_QSO>(this, "Liste_DFCF", 16, 32, 401, 316);
    Liste_DFCF->setFont(Fenetres::Police_Liste());
    Liste_DFCF->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste_DFCF->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_DFCF->setToolTip(Texte_Liste);
    Fenetres::Colore(Liste_DFCF, Controles_Saisie::Jaune_Pale);
    m_modele = new Modele_Liste(this);
    Liste_DFCF->setModel(m_modele);
    // Headings stand over the columns of the list, whatever the font's width.
    const qreal colonne = QFontMetricsF(Liste_DFCF->font()).horizontalAdvance(QLatin1Char('0'));
    const int origine = Liste_DFCF->x() - L_DFCF->x() + Liste_DFCF->frameWidth() + 3;
    auto etiquette = [&](const char *nom, const QString &texte) {
        auto *l = Cree<QLabel>(L_DFCF, nom, 0, 16, 120, 17);
        l->setText(texte);
        return l;
    };
    for (const auto &[nom, col, texte] : {std::tuple{"Label6", 1, QStringLiteral("N°")}, std::tuple{"Label23", 9, QStringLiteral("Date")},
                                          std::tuple{"Label5", 19, QStringLiteral("DMF")},
                                          std::tuple{"Label4", 26, QStringLiteral("Type Activité")},
                                          std::tuple{"Label25", 50, QStringLiteral("Indicatif")}}) {
        QLabel *l = etiquette(nom, texte);
        l->move(origine + qRound(colonne * (col - 1)), l->y());
        l->adjustSize();
    }
    QLabel *Label7 = etiquette("Label7", QStringLiteral("( * ) Points = 0 en attente de validation du Moulin"));
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setGeometry(Place(16, 352, 401, 17));
    Accessibilite::Nomme(Liste_DFCF, QStringLiteral("Liste des QSO"),
                         QStringLiteral("chaque ligne : numéro, date, astérisque si en attente de validation, N° DMF, type d'activité, "
                                        "indicatif ; Entrée ou un clic affiche le QSO, un double clic le modifie"));

    auto choisie = [this](int ligne) { emit ligne_choisie(m_modele->ligne_liste(ligne), m_modele->ligne_liste_octets(ligne)); };
    connect(Liste_DFCF->selectionModel(), &QItemSelectionModel::currentChanged, this, [this, choisie](const QModelIndex &i) {
        if (!m_rechargement && i.isValid())
            choisie(i.row());
    });
    connect(Liste_DFCF, &Liste_QSO::ligne_reselectionnee, this, [choisie](const QModelIndex &i) { choisie(i.row()); });
    connect(Liste_DFCF, &QAbstractItemView::doubleClicked, this, &Liste_Log::ligne_double_cliquee);
    connect(&m_carnet, &Carnet::change, this, [this] {
        if (const Statut s = recharge(); !s)
            Message::Information(window(), s.erreur());
    });
}

const Contenu_Log &Liste_Log::contenu() const { return m_modele->contenu(); }

Statut Liste_Log::recharge()
{
    bool lu = false;
    QString erreur;
    m_rechargement = true;
    m_modele->recharge([&](QByteArray tampon) {
        if (m_carnet.refus())
            return Contenu_Log();
        auto contenu = m_carnet.lit(std::move(tampon));
        if (!contenu) {
            erreur = contenu.erreur();
            return Contenu_Log();
        }
        lu = true;
        return std::move(contenu).valeur();
    });
    m_rechargement = false;
    emit relue(lu);
    if (m_modele->rowCount() > 0)
        Liste_DFCF->setCurrentIndex(m_modele->index(m_modele->rowCount() - 1));
    if (!erreur.isEmpty())
        return Erreur{erreur};
    return Succes();
}

void Liste_Log::choisit(int ligne)
{
    if (ligne < 0 || ligne >= m_modele->rowCount())
        return;
    if (Liste_DFCF->currentIndex().row() == ligne)
        emit ligne_choisie(m_modele->ligne_liste(ligne), m_modele->ligne_liste_octets(ligne));
    else
        Liste_DFCF->setCurrentIndex(m_modele->index(ligne));
}

void Liste_Log::choisit_derniere() { choisit(m_modele->rowCount() - 1); }

void Liste_Log::choisit_texte(const QString &ligne_liste)
{
    // Each list line starts with its own number, so one line at most matches.
    const int ligne = ligne_liste.left(Longueur_Prefixe_Liste(ligne_liste)).trimmed().toInt() - 1;
    if (m_modele->ligne_liste(ligne).left(134) == ligne_liste.left(134) && !ligne_liste.isEmpty())
        choisit(ligne);
}

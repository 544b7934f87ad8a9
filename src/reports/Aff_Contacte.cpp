#include "Aff_Contacte.h"

#include "Accessibilite.h"
#include "Calculs_Rapports.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"
#include "Points.h"
#include "Texte.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

Modele_Contactes::Modele_Contactes(Sous_Programmes::Contenu_Log contenu, const QString &total, QObject *parent)
    : QAbstractListModel(parent), m_contenu(std::move(contenu)), m_total(total)
{
}

int Modele_Contactes::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_contenu.nombre()) + 2;
}

QVariant Modele_Contactes::data(const QModelIndex &index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::AccessibleTextRole) || !index.isValid())
        return {};
    const int ligne = index.row();
    if (role == Qt::AccessibleTextRole && ligne < m_contenu.nombre()) {
        const QByteArrayView l = m_contenu.ligne(ligne);
        return Sous_Programmes::Phrase_QSO(ligne + 1, l) + QStringLiteral(", %1 points").arg(Sous_Programmes::Points_QSO(l));
    }
    if (ligne < m_contenu.nombre()) {
        QByteArray rangee;
        Sous_Programmes::Ajoute_Ligne_Contacte(rangee, 1, ligne + 1, m_contenu.ligne(ligne));
        return Sous_Programmes::Depuis_Log(rangee);
    }
    if (ligne == m_contenu.nombre())
        return QString();
    return QString(22, u' ') + QStringLiteral("Total des points : ") + m_total;
}

Aff_Contacte::Aff_Contacte(Sous_Programmes::Contenu_Log contenu, const QString &total)
{
    setObjectName(QStringLiteral("Aff_Contacte"));
    setWindowTitle(QString::fromUtf8("DMF contactés"));
    setFixedSize(Fenetres::Twips(7485), Fenetres::Twips(8310));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label3", QString::fromUtf8("Liste des Moulins contactés"), 12);

    auto *Frame2 = new QGroupBox(QString::fromUtf8("Liste des Chateaux contactés "), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *liste = new Liste_QSO(Frame2);
    liste->Largeur_Lignes(66);
    liste->setObjectName(QStringLiteral("Liste_DFCF_Contacte"));
    liste->setFont(Fenetres::Police_Liste());
    liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Fenetres::Colore(liste, Controles_Saisie::Jaune_Pale);
    liste->setModel(new Modele_Contactes(std::move(contenu), total, liste));
    Accessibilite::Nomme(liste, QStringLiteral("Liste des moulins contactés"),
                         QStringLiteral("chaque ligne : numéro, date, N° DMF, type d'activité, indicatif et points ; le total à la fin"));
    // The heading, one word over each column of the rows.
    auto *titree = Fenetres::Liste_Titree(Frame2, liste, "Label2",
                                          {{"Label2_N", 2, QString::fromUtf8("N°")},
                                           {"Label2_Date", 10, QStringLiteral("Date")},
                                           {"Label2_DMF", 20, QStringLiteral("DMF")},
                                           {"Label2_Type", 27, QString::fromUtf8("Type activité")},
                                           {"Label2_Indicatif", 51, QStringLiteral("Indicatif")},
                                           {"Label2_Points", 64, QStringLiteral("Points")}});
    (new QVBoxLayout(Frame2))->addWidget(titree, 1);

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Frame2, 1);
}

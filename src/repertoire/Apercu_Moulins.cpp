#include "Apercu_Moulins.h"

#include "Accessibilite.h"
#include "Fenetres.h"
#include "Message.h"
#include "Modele_Moulins.h"
#include "Texte.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Moulins;
using namespace Sous_Programmes;

namespace {

QString Resume(const Lecture &l, const Liste &gardee, const Differences &d)
{
    QString texte = QStringLiteral("%1 moulin(s) lu(s)").arg(Nombre(l.liste.taille()));
    if (gardee.vide())
        texte += QStringLiteral(", aucune liste n'était gardée.");
    else
        texte += QStringLiteral(" : %1 nouveau(x), %2 renommé(s), %3 disparu(s) par rapport à la liste gardée (%4 moulins).")
                     .arg(Nombre(d.nouveaux), Nombre(d.renommes), Nombre(d.disparus), Nombre(gardee.taille()));
    texte += QStringLiteral("\n%1 ligne(s) refusée(s)").arg(Nombre(l.refusees));
    if (l.refusees > qsizetype(l.refus.size()))
        texte += QStringLiteral(", dont %1 non montrée(s)").arg(Nombre(l.refusees - qsizetype(l.refus.size())));
    texte += l.refusees ? QStringLiteral(" : la liste du bas dit pourquoi.") : QStringLiteral(".");
    if (l.remplacees)
        texte += QStringLiteral("\n%1 ligne(s) gardée(s) avec un octet qui n'était pas de l'UTF-8, remplacé par « \uFFFD » (la première : ligne %2).")
                     .arg(Nombre(l.remplacees))
                     .arg(l.premiere_remplacee);
    if (l.positions_ecartees)
        texte += QStringLiteral("\nCoordonnées hors du département laissées de côté pour %1 moulin(s), gardé(s) sans elles : la liste du bas dit lesquels.")
                     .arg(Nombre(l.positions_ecartees));
    if (l.liste.vide())
        texte += QStringLiteral("\nAucun moulin n'a pu être lu : ce fichier ne peut pas remplacer la liste.");
    return texte;
}

} // namespace

Apercu_Moulins::Apercu_Moulins(Lecture lecture, const Liste &gardee, const QString &nom_fichier, const QString &dossier,
                               std::function<QDateTime()> heure_locale)
    : m_dossier(dossier), m_heure_locale(std::move(heure_locale))
{
    setObjectName(QStringLiteral("Apercu_Moulins"));
    setWindowTitle(QStringLiteral("Liste des moulins"));
    resize(Fenetres::Pixels(640), Fenetres::Pixels(520));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label1", QStringLiteral("Liste des moulins du fichier ") + nom_fichier, 9.75);

    Resume_Moulins = new QLabel(Resume(lecture, gardee, Compare(gardee, lecture.liste)), this);
    Resume_Moulins->setObjectName(QStringLiteral("Resume_Moulins"));
    Resume_Moulins->setWordWrap(true);

    m_liste = std::make_shared<const Liste>(std::move(lecture.liste));
    Table_Apercu = new QTableView(this);
    Table_Apercu->setObjectName(QStringLiteral("Table_Apercu"));
    Table_Apercu->setModel(new Modele_Moulins(m_liste, nullptr, this));
    Accessibilite::Nomme(Table_Apercu, QStringLiteral("Moulins tels qu'ils seront gardés"),
                         QStringLiteral("une ligne par moulin : numéro, nom, commune, département"));
    Table_Apercu->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_Apercu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_Apercu->verticalHeader()->hide();
    // Columns sized on the first rows: a list may hold 50,000 mills.
    Table_Apercu->horizontalHeader()->setResizeContentsPrecision(100);
    Table_Apercu->resizeColumnsToContents();
    Table_Apercu->horizontalHeader()->setSectionResizeMode(Modele_Moulins::Nom, QHeaderView::Stretch);
    Fenetres::Colore(Table_Apercu, 0xFFFFC0);

    auto *Label_Refus = new QLabel(QStringLiteral("Lignes refusées"), this);
    Label_Refus->setObjectName(QStringLiteral("Label_Refus"));
    Refus_Moulins = new QListWidget(this);
    Refus_Moulins->setObjectName(QStringLiteral("Refus_Moulins"));
    for (const Refus &r : lecture.refus)
        Refus_Moulins->addItem(QStringLiteral("Ligne %1 : %2").arg(r.ligne).arg(r.raison));
    for (const Refus &r : lecture.sans_position)
        Refus_Moulins->addItem(QStringLiteral("Ligne %1 : %2, moulin gardé sans elles").arg(r.ligne).arg(r.raison));
    Accessibilite::Etiquette_De(Label_Refus, Refus_Moulins);
    Refus_Moulins->setMaximumHeight(Fenetres::Pixels(110));

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Resume_Moulins);
    page->addWidget(Table_Apercu, 1);
    page->addWidget(Label_Refus);
    page->addWidget(Refus_Moulins);
    Enregistrer_Moulins = Fenetres::Action_Et_Fermer(this, page, "Enregistrer_Moulins", QStringLiteral("Enregistrer"),
                                                     "Annuler_Moulins", QStringLiteral("Annuler"));
    Enregistrer_Moulins->setEnabled(!m_liste->vide());
    connect(Enregistrer_Moulins, &QPushButton::clicked, this, &Apercu_Moulins::Enregistrer_Moulins_Click);
    Table_Apercu->setFocus();
    if (!m_liste->vide())
        Table_Apercu->setCurrentIndex(Table_Apercu->model()->index(0, 0));
}

void Apercu_Moulins::Enregistrer_Moulins_Click()
{
    if (const auto s = Garde(m_dossier, *m_liste, m_heure_locale()); !s) {
        Message::Information(this, s.erreur());
        return;
    }
    close();
    emit Liste_Gardee(m_liste);
}

#include "Feuille_Activite.h"

#include "Accessibilite.h"
#include "Dialogue_Fichier.h"
#include "Fenetres.h"
#include "Feuille.h"
#include "Fichier.h"
#include "Imprimante.h"
#include "Message.h"
#include "Points.h"
#include "Regles_Saisie.h"
#include "Texte.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Sous_Programmes;
using Fenetres::Nom_Objet;

namespace {

enum Colonne_Activation { C_DMF, C_Moulin, C_Date, C_De, C_A, C_QSO, C_Indicatifs, C_Bandes, C_Modes, C_Operateurs, C_Minimum };

QString Joint(const std::vector<QByteArray> &textes)
{
    QStringList l;
    for (const QByteArray &t : textes)
        l << Depuis_Log(t);
    return l.join(QStringLiteral(", "));
}

QString Joint(const std::vector<Activite::Compte> &comptes)
{
    QStringList l;
    for (const Activite::Compte &c : comptes)
        l << QStringLiteral("%1 (%2)").arg(Depuis_Log(c.texte)).arg(c.nombre);
    return l.join(QStringLiteral(", "));
}

} // namespace

Modele_QSO_Activite::Modele_QSO_Activite(const Activite::Lecture &lecture, QObject *parent)
    : QAbstractTableModel(parent), m_lecture(lecture)
{
}

void Modele_QSO_Activite::montre(std::vector<quint32> qso)
{
    beginResetModel();
    m_qso = std::move(qso);
    endResetModel();
}

int Modele_QSO_Activite::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_qso.size()); }
int Modele_QSO_Activite::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 6; }

QVariant Modele_QSO_Activite::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_qso.size())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == 5)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const Activite::QSO &q = m_lecture.qso[size_t(m_qso[size_t(index.row())])];
    switch (index.column()) {
    case 0: return q.jour ? QDate::fromJulianDay(q.jour).toString(QStringLiteral("dd/MM/yyyy")) : QString();
    case 1: return Activite::Heure(q.seconde);
    case 2: return Depuis_Log(q.indicatif.vue());
    case 3: return Depuis_Log(m_lecture.texte(q.bande));
    case 4: return Depuis_Log(m_lecture.texte(q.mode));
    case 5: return Activite::Frequence_kHz(q.hertz);
    }
    return {};
}

QVariant Modele_QSO_Activite::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *titres[] = {"Date", "Heure UTC", "Indicatif", "Bande", "Mode", "Fréquence (kHz)"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 6)
        return QString::fromUtf8(titres[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Feuille_Activite::Feuille_Activite(Activite::Lecture lecture, std::shared_ptr<const Moulins::Liste> moulins, const QString &nom_fichier,
                                   const QString &indicatif, const QDate &jour, const QString &dossier, int delai_progression_ms)
    : m_lecture(std::move(lecture)), m_moulins(std::move(moulins)), m_indicatif(indicatif), m_dossier(dossier), m_jour(jour),
      m_delai_progression_ms(delai_progression_ms)
{
    setObjectName(QStringLiteral("Feuille_Activite"));
    setWindowTitle(QStringLiteral("Feuille d'activité"));
    resize(Fenetres::Pixels(860), Fenetres::Pixels(620));

    QString resume = QStringLiteral("%1 : %2 QSO").arg(nom_fichier).arg(m_lecture.qso.size());
    if (m_lecture.doubles > 0)
        resume += QStringLiteral(", %1 en double comptés une fois").arg(m_lecture.doubles);
    if (m_lecture.illisibles > 0)
        resume += QStringLiteral(", %1 enregistrements illisibles").arg(m_lecture.illisibles);
    Resume_Activite = Nom_Objet(new QLabel(resume, this), "Resume_Activite");
    Resume_Activite->setWordWrap(true);
    Accessibilite::Montre_Valeur(Resume_Activite, resume, QStringLiteral("Fichier lu : ") + resume);

    Table_Activations = Nom_Objet(new QTableWidget(0, C_Minimum + 1, this), "Table_Activations");
    Table_Activations->setHorizontalHeaderLabels({QStringLiteral("N° DMF"), QStringLiteral("Moulin"), QStringLiteral("Date"),
                                                  QStringLiteral("De"), QStringLiteral("À"), QStringLiteral("QSO"),
                                                  QStringLiteral("Indicatifs"), QStringLiteral("Bandes"), QStringLiteral("Modes"),
                                                  QStringLiteral("Opérateurs"), QStringLiteral("50 QSO")});
    Table_Activations->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_Activations->setSelectionMode(QAbstractItemView::SingleSelection);
    Table_Activations->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_Activations->verticalHeader()->hide();
    Table_Activations->setTabKeyNavigation(false);
    Table_Activations->setWordWrap(false);
    Accessibilite::Nomme(Table_Activations, QStringLiteral("Activations du fichier"),
                         QStringLiteral("une rangée par moulin et par jour UTC, avec le nombre de QSO face aux 50"));

    auto *etiquette_dmf = new QLabel(QStringLiteral("Moulin de tout le fichier :"), this);
    DMF_Activite = Nom_Objet(new QLineEdit(this), "DMF_Activite");
    DMF_Activite->setMaxLength(Largeur_DMF);
    Accessibilite::Etiquette_De(etiquette_dmf, DMF_Activite);
    Accessibilite::Nomme(DMF_Activite, QStringLiteral("Moulin de tout le fichier"),
                         QStringLiteral("N° DMF des QSO qui ne disent pas le moulin de la station, puis Entrée"));
    auto *ligne_dmf = new QHBoxLayout;
    ligne_dmf->addWidget(etiquette_dmf);
    ligne_dmf->addWidget(DMF_Activite);
    ligne_dmf->addStretch(1);

    // Made before its pages, so that its tabs come first in the keyboard's order.
    auto *onglets = Nom_Objet(new QTabWidget(this), "Onglets_Activite");
    Accessibilite::Nomme(onglets, QStringLiteral("Opérateurs, QSO et feuille de l'activation choisie"));

    auto *page_operateurs = new QWidget(onglets);
    auto *etiquette_operateurs = new QLabel(QStringLiteral("Opérateurs présents :"), page_operateurs);
    Operateurs = Nom_Objet(new QListWidget(page_operateurs), "Operateurs");
    Accessibilite::Etiquette_De(etiquette_operateurs, Operateurs);
    Accessibilite::Nomme(Operateurs, QStringLiteral("Opérateurs présents"), QStringLiteral("Suppr retire l'opérateur choisi"));
    Nouvel_Operateur = Nom_Objet(new QLineEdit(page_operateurs), "Nouvel_Operateur");
    Nouvel_Operateur->setMaxLength(Largeur_Indicatif);
    Accessibilite::Nomme(Nouvel_Operateur, QStringLiteral("Indicatif d'un opérateur à ajouter"), QStringLiteral("puis Entrée"));
    Ajoute_Operateur = Nom_Objet(new QPushButton(QStringLiteral("Ajouter"), page_operateurs), "Ajoute_Operateur");
    Retire_Operateur = Nom_Objet(new QPushButton(QStringLiteral("Retirer"), page_operateurs), "Retire_Operateur");
    auto *ligne_operateur = new QHBoxLayout;
    ligne_operateur->addWidget(Nouvel_Operateur, 1);
    ligne_operateur->addWidget(Ajoute_Operateur);
    ligne_operateur->addWidget(Retire_Operateur);
    auto *colonne_operateurs = new QVBoxLayout(page_operateurs);
    colonne_operateurs->addWidget(etiquette_operateurs);
    colonne_operateurs->addWidget(Operateurs, 1);
    colonne_operateurs->addLayout(ligne_operateur);

    m_modele_qso = new Modele_QSO_Activite(m_lecture, this);
    QSO_Activite = Nom_Objet(new QTableView(onglets), "QSO_Activite");
    QSO_Activite->setModel(m_modele_qso);
    QSO_Activite->setSelectionBehavior(QAbstractItemView::SelectRows);
    QSO_Activite->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QSO_Activite->verticalHeader()->hide();
    QSO_Activite->setTabKeyNavigation(false);
    QSO_Activite->horizontalHeader()->setStretchLastSection(true);
    Accessibilite::Nomme(QSO_Activite, QStringLiteral("QSO de l'activation choisie"));
    m_apercu = Nom_Objet(new Apercu_Lignes({}, onglets), "Apercu_Feuille");
    Accessibilite::Nomme(m_apercu, QStringLiteral("La feuille d'activité telle qu'elle sera imprimée"));
    onglets->addTab(page_operateurs, QStringLiteral("Opérateurs"));
    onglets->addTab(QSO_Activite, QStringLiteral("QSO"));
    onglets->addTab(m_apercu, QStringLiteral("Feuille"));

    auto *etiquette_type = new QLabel(QStringLiteral("Type de la ligne du log :"), this);
    Type_Activation = Nom_Objet(new QComboBox(this), "Type_Activation");
    for (size_t i = 0; i < Types_Activite.size(); ++i)
        if (Activation_Station(int(i)))
            Type_Activation->addItem(Depuis_Log(Types_Activite[i].texte));
    Accessibilite::Etiquette_De(etiquette_type, Type_Activation);
    auto *ligne_type = new QHBoxLayout;
    ligne_type->addWidget(etiquette_type);
    ligne_type->addWidget(Type_Activation);
    ligne_type->addStretch(1);

    auto *page = new QVBoxLayout(this);
    page->addWidget(Resume_Activite);
    page->addWidget(Table_Activations, 2);
    page->addLayout(ligne_dmf);
    page->addWidget(onglets, 3);
    page->addLayout(ligne_type);
    m_boutons = Fenetres::Rangee_Boutons(this, page,
                                         {{"Imprimer_Feuille", QStringLiteral("Imprimer...")},
                                          {"PDF_Feuille", QStringLiteral("Enregistrer en PDF...")},
                                          {"Texte_Feuille", QStringLiteral("Enregistrer en texte...")},
                                          {"Ajouter_Au_Log", QStringLiteral("Ajouter au log")},
                                          {"Fermer_Feuille", QStringLiteral("Fermer")}});
    connect(m_boutons[0], &QPushButton::clicked, this, &Feuille_Activite::imprime);
    connect(m_boutons[1], &QPushButton::clicked, this, &Feuille_Activite::enregistre_pdf);
    connect(m_boutons[2], &QPushButton::clicked, this, &Feuille_Activite::enregistre_texte);
    connect(m_boutons[3], &QPushButton::clicked, this, &Feuille_Activite::ajoute_au_log);
    connect(DMF_Activite, &QLineEdit::returnPressed, this, &Feuille_Activite::DMF_Activite_Entree);
    connect(Nouvel_Operateur, &QLineEdit::returnPressed, this, &Feuille_Activite::ajoute_operateur);
    connect(Ajoute_Operateur, &QPushButton::clicked, this, &Feuille_Activite::ajoute_operateur);
    connect(Retire_Operateur, &QPushButton::clicked, this, &Feuille_Activite::retire_operateur);
    connect(Table_Activations, &QTableWidget::currentCellChanged, this, &Feuille_Activite::choisit);
    auto *suppr = new QShortcut(QKeySequence::Delete, Operateurs, nullptr, nullptr, Qt::WidgetShortcut);
    connect(suppr, &QShortcut::activated, this, &Feuille_Activite::retire_operateur);

    regroupe(std::nullopt);
}

void Feuille_Activite::regroupe(const std::optional<QByteArray> &moulin_du_fichier)
{
    m_activations = Activite::Regroupe(m_lecture, moulin_du_fichier);
    const QSignalBlocker bloque(Table_Activations);
    Table_Activations->setRowCount(int(m_activations.size()));
    int premiere = -1;
    for (int r = 0; r < int(m_activations.size()); ++r) {
        const Activite::Activation &a = m_activations[size_t(r)];
        QString moulin;
        if (a.sans_moulin())
            moulin = QStringLiteral("QSO sans moulin de la station");
        else if (const Moulins::Moulin *m = m_moulins ? m_moulins->Trouve(a.dmf) : nullptr)
            moulin = m_moulins->Nom_Et_Commune(*m);
        const QStringList cases{Depuis_Log(a.dmf),
                                moulin,
                                a.jour.isValid() ? a.jour.toString(QStringLiteral("dd/MM/yyyy")) : QString(),
                                Activite::Heure(a.de),
                                Activite::Heure(a.a),
                                QString::number(a.nombre()),
                                QString::number(a.indicatifs),
                                Joint(a.bandes),
                                Joint(a.modes),
                                Joint(a.operateurs),
                                a.sans_moulin() ? QString() : Activite::Texte_Minimum(a.nombre())};
        for (int c = 0; c < cases.size(); ++c) {
            auto *item = new QTableWidgetItem(cases[c]);
            item->setToolTip(cases[c]);
            if (c == C_QSO || c == C_Indicatifs)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Table_Activations->setItem(r, c, item);
        }
        if (premiere < 0 && !a.sans_moulin())
            premiere = r;
    }
    Table_Activations->resizeColumnsToContents();
    // The lists kept narrow, their whole text in the tooltip: the count
    // against the 50 stays in view.
    for (int c : {C_Moulin, C_Bandes, C_Modes, C_Operateurs})
        Table_Activations->setColumnWidth(c, std::min(Table_Activations->columnWidth(c), Fenetres::Pixels(c == C_Moulin ? 150 : 80)));
    if (premiere < 0 && !m_activations.empty())
        premiere = 0;
    Table_Activations->setCurrentCell(premiere, 0);
    choisit();
}

const Activite::Activation *Feuille_Activite::choisie() const
{
    const int r = Table_Activations->currentRow();
    return r >= 0 && size_t(r) < m_activations.size() ? &m_activations[size_t(r)] : nullptr;
}

void Feuille_Activite::choisit()
{
    const Activite::Activation *a = choisie();
    const bool feuille = a && !a->sans_moulin();
    Operateurs->clear();
    if (feuille) {
        QStringList noms;
        if (const auto gardes = Activite::Lit_Operateurs(a->dmf, a->jour))
            noms = *gardes;
        else
            for (const QByteArray &o : a->operateurs)
                noms << Depuis_Log(o);
        Operateurs->addItems(noms);
    }
    for (QWidget *w : {static_cast<QWidget *>(Operateurs), static_cast<QWidget *>(Nouvel_Operateur),
                       static_cast<QWidget *>(Ajoute_Operateur), static_cast<QWidget *>(Retire_Operateur),
                       static_cast<QWidget *>(Type_Activation), static_cast<QWidget *>(m_boutons[0]),
                       static_cast<QWidget *>(m_boutons[1]), static_cast<QWidget *>(m_boutons[2]),
                       static_cast<QWidget *>(m_boutons[3])})
        w->setEnabled(feuille);
    m_modele_qso->montre(a ? a->qso : std::vector<quint32>());
    QSO_Activite->resizeColumnsToContents();
    montre_feuille();
}

QString Feuille_Activite::station(const Activite::Activation &a) const
{
    return a.stations.empty() ? m_indicatif : Depuis_Log(a.stations.front());
}

QStringList Feuille_Activite::operateurs() const
{
    QStringList noms;
    for (int i = 0; i < Operateurs->count(); ++i)
        noms << Operateurs->item(i)->text();
    return noms;
}

void Feuille_Activite::montre_feuille()
{
    const Activite::Activation *a = choisie();
    if (!a || a->sans_moulin()) {
        m_apercu->change_lignes({});
        return;
    }
    m_apercu->change_lignes(Activite::Lignes_Feuille(m_lecture, *a, m_moulins.get(), station(*a), operateurs(), m_jour));
}

void Feuille_Activite::DMF_Activite_Entree()
{
    const QString dmf = DMF_Activite->text().trimmed().toUpper();
    if (dmf.isEmpty()) {
        regroupe(std::nullopt);
        return;
    }
    if (const QString refus = Verifie_DMF(dmf); !refus.isEmpty()) {
        Message::Information(this, refus);
        return;
    }
    DMF_Activite->setText(dmf);
    regroupe(dmf.toLatin1());
}

void Feuille_Activite::ajoute_operateur()
{
    const QString indicatif = Nouvel_Operateur->text().trimmed().toUpper();
    if (indicatif.isEmpty())
        return;
    if (const QString refus = Activite::Refus_Operateur(indicatif); !refus.isEmpty()) {
        Message::Information(this, refus);
        return;
    }
    if (!operateurs().contains(indicatif)) {
        Operateurs->addItem(indicatif);
        garde_operateurs();
    }
    Nouvel_Operateur->clear();
}

void Feuille_Activite::retire_operateur()
{
    const int i = Operateurs->currentRow();
    if (i < 0)
        return;
    delete Operateurs->takeItem(i);
    garde_operateurs();
}

void Feuille_Activite::garde_operateurs()
{
    if (const Activite::Activation *a = choisie(); a && !a->sans_moulin())
        if (const Statut s = Activite::Sauve_Operateurs(a->dmf, a->jour, operateurs()); !s)
            Message::Information(this, s.erreur());
    montre_feuille();
}

void Feuille_Activite::imprime()
{
    const Activite::Activation *a = choisie();
    if (!a || a->sans_moulin())
        return;
    bool imprime = false;
    const Statut s = Impression::Imprime(this, lignes(), &imprime);
    if (!s)
        Message::Information(this, s.erreur());
    else if (imprime)
        marque_faite(*a);
}

void Feuille_Activite::marque_faite(const Activite::Activation &a)
{
    if (const Statut s = Activite::Marque_Feuille_Faite(a.dmf, a.jour); !s)
        Message::Information(this, s.erreur());
}

QString Feuille_Activite::cible(const QString &titre, const QString &extension, const QString &filtre)
{
    const Activite::Activation *a = choisie();
    if (!a || a->sans_moulin())
        return {};
    const QString propose = QDir(m_dossier).filePath(Activite::Nom_Feuille(a->dmf, a->jour, extension));
    return Dialogue_Fichier::A_Ecrire(this, titre, propose, filtre, m_dossier, QStringLiteral("la feuille d'activité"));
}

void Feuille_Activite::dit(const Statut &s, const QString &fichier)
{
    if (!s) {
        Message::Information(this, s.erreur());
        return;
    }
    if (const Activite::Activation *a = choisie())
        marque_faite(*a);
    Message::Information(this, QStringLiteral("La feuille d'activité a été enregistrée sous le nom : %1").arg(QDir::toNativeSeparators(fichier)));
}

void Feuille_Activite::enregistre_pdf()
{
    const QString fichier = cible(QStringLiteral("Enregistrer la feuille d'activité en PDF"), QStringLiteral("pdf"),
                                  QStringLiteral("Documents PDF (*.pdf)"));
    if (fichier.isEmpty())
        return;
    const Activite::Activation &a = *choisie();
    const auto s = Impression::Enregistre_PDF(this, fichier, lignes(),
                                              QStringLiteral("Feuille d'activité %1 du %2")
                                                  .arg(Depuis_Log(a.dmf), a.jour.toString(QStringLiteral("dd/MM/yyyy"))),
                                              QStringLiteral("Écriture de la feuille d'activité en PDF..."), m_delai_progression_ms);
    if (s) // cancelled: nothing written
        dit(*s, fichier);
}

void Feuille_Activite::enregistre_texte()
{
    const QString fichier = cible(QStringLiteral("Enregistrer la feuille d'activité en texte"), QStringLiteral("txt"),
                                  QStringLiteral("Fichiers texte (*.txt)"));
    if (fichier.isEmpty())
        return;
    dit(Reecrit_Fichier(fichier, QString::fromLatin1(Nom_Temporaire), Texte_Lignes(lignes()), Si_Absent::Creer), fichier);
}

void Feuille_Activite::ajoute_au_log()
{
    const Activite::Activation *a = choisie();
    if (!a || a->sans_moulin())
        return;
    Champs_QSO champs;
    champs.date = a->jour.toString(QStringLiteral("dd/MM/yy"));
    champs.attente = true;
    champs.dmf = Depuis_Log(a->dmf);
    champs.type = Type_Activation->currentText();
    champs.indicatif = m_indicatif;
    emit Activation_A_Ajouter(champs, a->nombre());
}

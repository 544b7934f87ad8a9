#include "Saisie.h"

#include "Accessibilite.h"
#include "Carnet.h"
#include "Controles.h"
#include "Controles_Saisie.h"
#include "Fenetres.h"
#include "Journal.h"
#include "Liste_Courante.h"
#include "Message.h"
#include "Points.h"
#include "Reglages.h"
#include "Regles_Saisie.h"
#include "Texte.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Sous_Programmes;
using Controles_Saisie::Jaune_Pale;
using Controles_Saisie::Vert_Pale;
using Fenetres::Colore;
using Fenetres::Cree;
using Fenetres::Gras;

namespace {

// Emptied by the program, not by the operator: with nothing typed to take
// back, Ctrl+Z goes to the last change of the log.
void Vide(QLineEdit *champ) { champ->setText(QString()); }

const QString Titre_Saisie = QStringLiteral("Saisie ou modification d'un QSO");

QLabel *Etiquette(QWidget *parent, const char *nom, int x, int y, int largeur, int hauteur, const QString &texte)
{
    auto *l = Cree<QLabel>(parent, nom, x, y, largeur, hauteur);
    l->setText(texte);
    return l;
}

} // namespace

Saisie::Saisie(const Carnet &carnet, Moulins::Liste_Courante &moulins, std::function<QString()> date_jour, QWidget *parent)
    : QWidget(parent), m_carnet(carnet), m_moulins(moulins), m_date_jour(std::move(date_jour))
{
    setObjectName(QStringLiteral("Saisie"));
    Cree_Controles();
    Nomme_Controles();
    connect(&m_moulins, &Moulins::Liste_Courante::changee, this, [this] {
        // A copy: showing it clears what was awaited.
        if (const QString attendu = m_moulin_attendu; !attendu.isEmpty())
            Montre_Moulin(attendu, true);
        else if (!Nom_Moulin->text().isEmpty())
            Montre_Moulin(DMF_A->text(), true);
    });
}

// The controls stand where the main window's design puts them, the entry
// laid over the whole window under the list and the other controls.
void Saisie::Cree_Controles()
{
    Frame3 = Cree<QGroupBox>(this, "Frame3", 8, 64, 521, 73);
    Frame3->setTitle(Titre_Saisie);
    Label_Date = Etiquette(Frame3, "Label_Date", 8, 16, 89, 17, {});
    Date_A = Cree<QLineEdit>(Frame3, "Date_A", 8, 32, 89, 23);
    Label8 = Etiquette(Frame3, "Label8", 112, 16, 113, 17, QStringLiteral("Indicatif"));
    Label3 = Etiquette(Frame3, "Label3", 240, 16, 177, 17, QStringLiteral("Type Activité"));
    Label1 = Etiquette(Frame3, "Label1", 440, 16, 65, 17, QStringLiteral("N° DMF"));
    // The mill of the number typed, from the organisers' list.
    Nom_Moulin = Etiquette(Frame3, "Nom_Moulin", 8, 57, 505, 15, {});
    Ind_A = Cree<QLineEdit>(this, "Ind_A", 112, 96, 129, 24);
    Type_A = Cree<QComboBox>(this, "Type_A", 248, 96, 193, 24);
    Type_A->setEditable(true);
    Type_A->setInsertPolicy(QComboBox::NoInsert);
    Type_A->setCompleter(nullptr);
    Type_A->setToolTip(QStringLiteral("\"A\" : Activation  \"R\": Réactivation"));
    DMF_A = Cree<QLineEdit>(this, "DMF_A", 448, 96, 65, 25);
    for (QWidget *w : {static_cast<QWidget *>(Date_A), static_cast<QWidget *>(Ind_A), static_cast<QWidget *>(DMF_A)})
        Gras(w, 12);
    Gras(Type_A, 9.75);

    Validation_A = Cree<Case_Multiligne>(this, "Validation_A", 456, 200, 73, 41);
    Validation_A->setText(QStringLiteral("Cocher si en attente validation"));
    auto bouton = [&](const char *nom, int y, const QString &texte, const QString &bulle) {
        auto *b = Cree<Bouton_Multiligne>(this, nom, 448, y, 81, 33);
        b->setText(texte);
        b->setToolTip(bulle);
        b->setAutoDefault(true); // Enter presses the button that has the focus
        return b;
    };
    Valide_A = bouton("Valide_A", 248, QStringLiteral(" Valider saisie    en cours"), QStringLiteral("Enregistre les données en cours"));
    Efface_A = bouton("Efface_A", 296, QStringLiteral("Annuler saisie    en cours"), QStringLiteral("Efface les donnés en cours"));
    Ajout_Saisie = bouton("Ajout_Saisie", 344, QStringLiteral("Inserer  un QSO"), {});
    Annule_Saisie = bouton("Annule_Saisie", 392, QStringLiteral("Supprimer un QSO"), QStringLiteral("Permet d'annuler la saisie d'un DFCF"));

    for (QWidget *w : {static_cast<QWidget *>(Date_A), static_cast<QWidget *>(Ind_A), static_cast<QWidget *>(Type_A),
                       static_cast<QWidget *>(DMF_A)})
        Colore(w, Jaune_Pale);
    for (QWidget *w : {static_cast<QWidget *>(Ind_A), static_cast<QWidget *>(Type_A), static_cast<QWidget *>(DMF_A),
                       static_cast<QWidget *>(Validation_A), static_cast<QWidget *>(Valide_A), static_cast<QWidget *>(Annule_Saisie)})
        w->setEnabled(false);

    for (QObject *o : {static_cast<QObject *>(Date_A), static_cast<QObject *>(Ind_A), static_cast<QObject *>(Type_A),
                       static_cast<QObject *>(DMF_A), static_cast<QObject *>(Validation_A)})
        o->installEventFilter(this);

    connect(Valide_A, &QPushButton::clicked, this, &Saisie::Valide_A_Click);
    connect(Efface_A, &QPushButton::clicked, this, &Saisie::efface);
    connect(Ajout_Saisie, &QPushButton::clicked, this, &Saisie::Ajout_Saisie_Click);
    connect(Annule_Saisie, &QPushButton::clicked, this, &Saisie::Annule_Saisie_Click);
}

void Saisie::Nomme_Controles()
{
    using Accessibilite::Etiquette_De;
    using Accessibilite::Nomme;
    Nomme(Date_A, QStringLiteral("Date du QSO"), QStringLiteral("jour, mois et année sur deux chiffres : jj/mm/aa"));
    Etiquette_De(Label8, Ind_A);
    Etiquette_De(Label3, Type_A);
    Nomme(Type_A, QStringLiteral("Type d'activité"), QStringLiteral("A pour une activation, R pour une réactivation"));
    Nomme(Type_A->lineEdit(), QStringLiteral("Type d'activité tapé"));
    Etiquette_De(Label1, DMF_A);
    Nomme(DMF_A, QStringLiteral("N° DMF"), QStringLiteral("cinq chiffres, ou 2A et 2B pour la Corse"));
    Nomme(Validation_A, QStringLiteral("Cocher si en attente de validation"),
          QStringLiteral("le QSO compte zéro point tant que le moulin n'est pas validé"));
    Nomme(Valide_A, QStringLiteral("Valider la saisie en cours"), Valide_A->toolTip());
    Nomme(Efface_A, QStringLiteral("Annuler la saisie en cours"), QStringLiteral("efface les champs de la saisie"));
    Nomme(Ajout_Saisie, QStringLiteral("Insérer un QSO"), QStringLiteral("insère un QSO à sa date parmi ceux du log"));
    Nomme(Annule_Saisie, QStringLiteral("Supprimer un QSO"), QStringLiteral("supprime du log le QSO choisi dans la liste"));
    applique(m_etat);
}

void Saisie::applique(Etat etat)
{
    m_etat = etat;
    Frame3->setTitle(etat == Etat::Insertion ? QStringLiteral("Mode Insertion d'un QSO") : Titre_Saisie);
    // Said when it changes, as the description of the entry's frame.
    const QString description = etat == Etat::Insertion      ? QStringLiteral("Mode insertion : le QSO sera inséré à sa date")
                                : etat == Etat::Modification ? QStringLiteral("Mode modification du QSO choisi")
                                                             : QStringLiteral("Saisie d'un nouveau QSO");
    if (Frame3->accessibleDescription() != description)
        Frame3->setAccessibleDescription(description);
}

void Saisie::attend(QWidget *champ)
{
    champ->setEnabled(true);
    if (champ != Validation_A && champ != Valide_A)
        Colore(champ, Vert_Pale);
    Donne_Focus(champ);
}

void Saisie::Donne_Focus(QWidget *controle)
{
    m_focus_voulu = controle;
    controle->setFocus();
}

void Saisie::rend_focus()
{
    if (m_focus_voulu)
        m_focus_voulu->setFocus();
}

bool Saisie::Refuse(const QString &refus)
{
    if (refus.isEmpty())
        return false;
    Message::Information(window(), refus);
    return true;
}

std::optional<QString> Saisie::dmf() const
{
    if (Verifie_DMF(DMF_A->text()).isEmpty())
        return DMF_A->text();
    return std::nullopt;
}

void Saisie::charge(int type_activite, bool date_automatique)
{
    Type_A->addItems(Textes_Types_Activite());
    Type_A->setCurrentIndex(type_activite);
    m_date_automatique = date_automatique;
    Label_Date->setText(date_automatique ? QStringLiteral("Date automatique") : QStringLiteral("Date manuelle"));
    applique(Etat::Nouveau_QSO);
}

void Saisie::change_date_automatique(bool oui)
{
    m_date_automatique = oui;
    if (oui) {
        Colore(Date_A, Jaune_Pale);
        Date_A->setText(m_date_jour());
        Label_Date->setText(QStringLiteral("Date automatique"));
        attend(Ind_A);
    } else {
        Colore(Ind_A, Jaune_Pale);
        Label_Date->setText(QStringLiteral("Date manuelle"));
        Vide(Date_A);
        attend(Date_A);
    }
}

bool Saisie::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(evenement)->matches(QKeySequence::Undo)) {
        // Nothing typed to take back in the field: Ctrl+Z goes to the
        // window, which takes back the last change of the log.
        QLineEdit *champ = objet == Type_A ? Type_A->lineEdit() : qobject_cast<QLineEdit *>(objet);
        return champ && !champ->isUndoAvailable();
    }
    if (evenement->type() != QEvent::KeyPress)
        return QWidget::eventFilter(objet, evenement);
    auto *touche = static_cast<QKeyEvent *>(evenement);
    const bool caractere = !touche->text().isEmpty() && touche->key() != Qt::Key_Tab && touche->key() != Qt::Key_Backtab;
    if ((objet == Date_A || objet == Ind_A) && caractere) {
        // Told at every key, which then goes on unchanged.
        if (const auto refus = m_carnet.refus()) {
            Message::Information(window(), *refus);
            return false;
        }
    }
    if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
        if (objet == Date_A)
            Date_A_Entree();
        else if (objet == Ind_A)
            Ind_A_Entree();
        else if (objet == Type_A)
            Type_A_Entree();
        else if (objet == DMF_A)
            DMF_A_Entree();
        else if (objet == Validation_A)
            Validation_A_Entree();
        return true;
    }
    QLineEdit *champ = objet == Type_A ? Type_A->lineEdit() : qobject_cast<QLineEdit *>(objet);
    return Frappe_Changee(champ, touche, Controles_Saisie::Majuscule_Frappee);
}

QString Saisie::Refus_Date() const
{
    if (QString r = Verifie_Date(Date_A->text(), m_carnet.annee()); !r.isEmpty())
        return r;
    // A QSO put among the others, or changed, needs a day of the calendar.
    if (m_etat == Etat::Nouveau_QSO)
        return {};
    return Refus_Calendrier(Date_A->text().toLatin1(), m_etat == Etat::Insertion ? QStringLiteral("inséré") : QStringLiteral("modifié"));
}

void Saisie::Date_A_Entree()
{
    if (Refuse(Refus_Date()))
        return;
    Colore(Date_A, Jaune_Pale);
    attend(Ind_A);
}

void Saisie::Ind_A_Entree()
{
    if (Refuse(Verifie_Indicatif(Ind_A->text())))
        return;
    Colore(Ind_A, Jaune_Pale);
    attend(Type_A);
}

void Saisie::Type_A_Entree()
{
    Colore(Type_A, Jaune_Pale);
    attend(DMF_A);
    const int position = Type_A->findText(Type_A->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (auto s = Sauve_Type_Activite(m_carnet.indicatif(), position); !s)
        Message::Information(window(), s.erreur());
}

void Saisie::DMF_A_Entree()
{
    const QString dmf = DMF_A->text();
    if (Refuse(Verifie_DMF(dmf)))
        return;
    Montre_Moulin(dmf, true);
    if (m_etat != Etat::Modification) {
        const auto trouve = m_carnet.cherche_dmf(Vers_Log(dmf).value_or(QByteArray()));
        if (!trouve)
            Message::Information(window(), trouve.erreur());
        else if (trouve.valeur().trouve)
            Message::Information(window(), Controles_Saisie::Message_Doublon(dmf, Depuis_Log(trouve.valeur().date)));
    }
    Colore(DMF_A, Jaune_Pale);
    attend(Validation_A);
}

void Saisie::Validation_A_Entree()
{
    Colore(Ind_A, Jaune_Pale);
    attend(Valide_A);
}

void Saisie::Valide_A_Click()
{
    if (const auto refus = m_carnet.refus()) {
        Message::Information(window(), *refus);
        return;
    }
    const Champs_QSO champs{Date_A->text(), Validation_A->checkState() != Qt::Unchecked, DMF_A->text(), Type_A->currentText(),
                            Ind_A->text()};
    const auto ligne = Ligne_A_Enregistrer(champs, m_carnet.annee());
    if (!ligne) {
        Message::Information(window(), ligne.erreur());
        return;
    }
    if (Refuse(Refus_Date()))
        return;
    QString question = QStringLiteral("Voulez vous enregistrer ces données ?");
    if (m_activation && m_activation->dmf == champs.dmf && m_activation->date == champs.date
        && champs.type == QLatin1String(Types_Activite[Position_Reactivation_Activee].texte) && m_activation->qso < Minimum_QSO_Reactivation)
        question = QStringLiteral("Moins de %1 QSO : cette réactivation ne compte pas pour le challenge. Enregistrer quand même ?")
                       .arg(Minimum_QSO_Reactivation);
    if (m_etat == Etat::Insertion)
        emit Insertion_Demandee(ligne.valeur());
    else if (Message::Question(window(), question))
        emit Enregistrement_Demande(ligne.valeur());
    else
        emit Enregistrement_Refuse();
}

void Saisie::apres_enregistrement()
{
    m_activation.reset();
    applique(Etat::Nouveau_QSO);
    Validation_A->setChecked(false);
    Valide_A->setEnabled(false);
    Vide(Ind_A);
    Ind_A->setEnabled(false);
    Colore(Ind_A, Jaune_Pale);
    Colore(Type_A, Jaune_Pale);
    Type_A->setEnabled(false);
    Prepare_Nouveau_QSO();
    Validation_A->setChecked(false);
    Validation_A->setEnabled(false);
}

// The first field to fill gets the focus: the callsign under today's date,
// or the date itself when it is typed.
void Saisie::Prepare_Nouveau_QSO()
{
    m_moulin_attendu.clear();
    Accessibilite::Montre_Valeur(Nom_Moulin, {}, {});
    Vide(DMF_A);
    Vide(Ind_A);
    if (m_date_automatique) {
        Colore(Date_A, Jaune_Pale);
        Date_A->setText(m_date_jour());
        attend(Ind_A);
    } else {
        Colore(DMF_A, Jaune_Pale);
        Colore(Ind_A, Jaune_Pale);
        Vide(Date_A);
        attend(Date_A);
    }
}

void Saisie::efface()
{
    m_activation.reset();
    Valide_A->setEnabled(false);
    Colore(Date_A, Jaune_Pale);
    Vide(DMF_A);
    DMF_A->setEnabled(false);
    Colore(DMF_A, Jaune_Pale);
    Colore(Type_A, Jaune_Pale);
    Type_A->setEnabled(false);
    Prepare_Nouveau_QSO();
    Annule_Saisie->setEnabled(false);
    // A cleared entry is a new QSO, to append, unless one is being inserted.
    if (m_etat == Etat::Modification)
        applique(Etat::Nouveau_QSO);
}

void Saisie::prend_spot(const QString &indicatif, const QString &dmf)
{
    efface();
    window()->raise();
    window()->activateWindow();
    Ind_A->setText(indicatif);
    DMF_A->setText(dmf);
    // With a manual date the date comes first, as when typing.
    if (m_date_automatique)
        Ind_A_Entree();
}

void Saisie::propose_activation(const Champs_QSO &champs, int qso)
{
    efface();
    // Recorded as any QSO: appended, after the usual question.
    applique(Etat::Nouveau_QSO);
    window()->raise();
    window()->activateWindow();
    Date_A->setText(champs.date);
    Ind_A->setText(champs.indicatif);
    Colore(Ind_A, Jaune_Pale);
    Montre_Type(champs.type);
    Type_A->setEnabled(true);
    DMF_A->setText(champs.dmf);
    DMF_A->setEnabled(true);
    Validation_A->setEnabled(true);
    Validation_A->setChecked(champs.attente);
    // The number's checks and the mill's name, as when it is typed.
    DMF_A_Entree();
    if (DMF_A->text() == champs.dmf && Verifie_DMF(champs.dmf).isEmpty())
        Validation_A_Entree();
    m_activation = Activation_Proposee{champs.date, champs.dmf, qso};
}

void Saisie::Ajout_Saisie_Click()
{
    applique(Etat::Insertion);
    Vide(Date_A);
    attend(Date_A);
    Colore(Ind_A, Jaune_Pale);
}

void Saisie::apres_insertion()
{
    applique(Etat::Nouveau_QSO);
    Prepare_Nouveau_QSO();
}

void Saisie::montre_ligne(const QString &ligne_liste, const QByteArray &octets)
{
    m_activation.reset();
    m_ligne_selectionnee = ligne_liste;
    m_ligne_selectionnee_octets = octets;
    const auto qso = QSO_Selectionne(QStringLiteral("Cliquez sur une ligne pour la modifier"),
                                     QStringLiteral("Il n'y a pas de données a modifier"));
    if (!qso)
        return;
    // A QSO being inserted stays one to insert.
    if (m_etat != Etat::Insertion)
        applique(Etat::Modification);
    Date_A->setText(qso->date);
    Validation_A->setChecked(qso->attente);
    DMF_A->setText(qso->dmf);
    Montre_Moulin(qso->dmf, false);
    Montre_Type(qso->type);
    Ind_A->setText(qso->indicatif);
    Colore(Ind_A, Jaune_Pale);
    Ind_A->setEnabled(false);
    Colore(Date_A, Jaune_Pale);
    Date_A->setEnabled(false);
    Annule_Saisie->setEnabled(true);
}

std::optional<Champs_QSO> Saisie::QSO_Selectionne(const QString &sans_ligne, const QString &sans_qso)
{
    if (m_ligne_selectionnee.isEmpty()) {
        Message::Information(window(), sans_ligne);
        return std::nullopt;
    }
    auto qso = QSO_De_Ligne_Liste(m_ligne_selectionnee_octets);
    if (!qso)
        Message::Information(window(), sans_qso);
    return qso;
}

void Saisie::Montre_Type(const QString &type)
{
    Type_A->setCurrentIndex(Type_A->findText(type, Qt::MatchExactly | Qt::MatchCaseSensitive));
    Type_A->setEditText(type);
}

void Saisie::edite_ligne()
{
    // A line without a QSO was refused by the click: nothing to edit.
    const auto qso = QSO_De_Ligne_Liste(m_ligne_selectionnee_octets);
    if (!qso)
        return;
    Date_A->setEnabled(true);
    Colore(Date_A, Jaune_Pale);
    Date_A->setText(qso->date);
    for (QWidget *w : {static_cast<QWidget *>(Ind_A), static_cast<QWidget *>(Type_A), static_cast<QWidget *>(DMF_A),
                       static_cast<QWidget *>(Validation_A)})
        w->setEnabled(true);
    Montre_Type(qso->type);
    Ind_A->setText(qso->indicatif);
    Validation_A->setChecked(qso->attente);
    Valide_A->setEnabled(true);
    Annule_Saisie->setEnabled(false);
    Donne_Focus(Date_A);
}

QString Question_Suppression(const QString &dmf, const std::vector<QByteArray> &lignes)
{
    // Beyond these, a count: the box must fit the screen.
    constexpr qsizetype Montres = 25;
    QString texte = QStringLiteral("Voulez vous effacer le DMF N° ") + dmf + QStringLiteral(" ?");
    if (lignes.empty())
        return texte;
    texte += lignes.size() > 1 ? QStringLiteral("\n\n%1 QSO seront effacés :").arg(lignes.size()) : QStringLiteral("\n");
    for (qsizetype i = 0; i < qsizetype(lignes.size()) && i < Montres; ++i) {
        const QByteArrayView l = lignes[size_t(i)];
        QStringList champs;
        for (QByteArrayView champ : {Date_QSO(l), Type_QSO(l), Indicatif_QSO(l)})
            if (const QByteArrayView c = Sans_Blancs(champ); !c.isEmpty())
                champs << Depuis_Log(c);
        texte += u'\n' + champs.join(QStringLiteral(", "));
    }
    if (qsizetype(lignes.size()) > Montres)
        texte += QStringLiteral("\n… et %1 autres").arg(qsizetype(lignes.size()) - Montres);
    return texte;
}

void Saisie::Annule_Saisie_Click()
{
    const auto qso = QSO_Selectionne(QStringLiteral("Cliquez sur une ligne pour l'annuler"),
                                     QStringLiteral("Il n'y a pas de données a annuler"));
    if (!qso)
        return;
    const QByteArray dmf = Vers_Log(qso->dmf).value_or(QByteArray());
    const auto lignes = m_carnet.lignes_dmf(dmf);
    if (Message::Question(window(), Question_Suppression(qso->dmf, lignes ? lignes.valeur() : std::vector<QByteArray>())))
        emit Suppression_Demandee(dmf);
    else
        emit Suppression_Refusee();
}

void Saisie::apres_suppression()
{
    Vide(Ind_A);
    Ind_A->setEnabled(false);
    Colore(Ind_A, Jaune_Pale);
    // The rest is the clearing of the entry, which also ends the modification state.
    efface();
}

void Saisie::Montre_Moulin(const QString &dmf, bool attendre)
{
    // Not yet read, at a reload: shown as soon as it is, the start not kept waiting.
    if (!attendre && !m_moulins.lue()) {
        m_moulin_attendu = dmf;
        return;
    }
    m_moulin_attendu.clear();
    const auto &liste = m_moulins.liste();
    QString texte;
    QPalette p = Nom_Moulin->palette();
    p.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    if (liste && !liste->vide() && !dmf.isEmpty()) {
        // Never a refusal: a new mill may be missing from the list.
        if (const Moulins::Moulin *m = liste->Trouve(Vers_Log(dmf).value_or(QByteArray())))
            texte = liste->Designation(*m);
        else {
            texte = QStringLiteral("Ce numéro n'est pas dans la liste des moulins");
            p.setColor(QPalette::WindowText, QColor(0x8B, 0, 0));
        }
    }
    Nom_Moulin->setPalette(p);
    Accessibilite::Montre_Valeur(Nom_Moulin, texte, texte);
}

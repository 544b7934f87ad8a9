#include "Main.h"

#include "Controles.h"
#include "Controles_Saisie.h"
#include "Journal.h"
#include "Main_Outils.h"
#include "Message.h"
#include "Modele_Liste.h"
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
using namespace Main_Outils;
using Controles_Saisie::Jaune_Pale;
using Controles_Saisie::Vert_Pale;

bool Main::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(objet, evenement);
    auto *touche = static_cast<QKeyEvent *>(evenement);
    const bool caractere = !touche->text().isEmpty() && touche->key() != Qt::Key_Tab && touche->key() != Qt::Key_Backtab;
    if ((objet == Date_A || objet == Ind_A) && caractere && Station_Refusee()) {
        // Told at every key, which then goes on unchanged.
        return false;
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

void Main::Date_A_Entree()
{
    if (const QString refus = Verifie_Date(Date_A->text(), A_Challenge->text()); !refus.isEmpty()) {
        Message::Information(this, refus);
        return;
    }
    Colore(Date_A, Jaune_Pale);
    Ind_A->setEnabled(true);
    Colore(Ind_A, Vert_Pale);
    Donne_Focus(Ind_A);
}

void Main::Ind_A_Entree()
{
    if (const QString refus = Verifie_Indicatif(Ind_A->text()); !refus.isEmpty()) {
        Message::Information(this, refus);
        return;
    }
    Colore(Ind_A, Jaune_Pale);
    Type_A->setEnabled(true);
    Colore(Type_A, Vert_Pale);
    Donne_Focus(Type_A);
}

void Main::Type_A_Entree()
{
    Colore(Type_A, Jaune_Pale);
    DMF_A->setEnabled(true);
    Colore(DMF_A, Vert_Pale);
    Donne_Focus(DMF_A);
    const int position = Type_A->findText(Type_A->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (auto s = Sauve_Type_Activite(Indicatif_Courant, position); !s)
        Signale(s.erreur());
}

void Main::DMF_A_Entree()
{
    const QString dmf = DMF_A->text();
    if (const QString refus = Verifie_DMF(dmf); !refus.isEmpty()) {
        Message::Information(this, refus);
        return;
    }
    Montre_Moulin(dmf, true);
    if (!Mode_Modification) {
        const auto octets = Vers_Log(dmf);
        const auto trouve = Cherche_DMF(Chemin_Log(), octets.value_or(QByteArray()));
        if (!trouve)
            Signale(trouve.erreur());
        else if (trouve.valeur().trouve)
            Message::Information(this, Controles_Saisie::Message_Doublon(dmf, Depuis_Log(trouve.valeur().date)));
    }
    Colore(DMF_A, Jaune_Pale);
    Validation_A->setEnabled(true);
    Donne_Focus(Validation_A);
}

void Main::Spot_Choisi(const QString &indicatif, const QString &dmf)
{
    Efface();
    raise();
    activateWindow();
    Ind_A->setText(indicatif);
    DMF_A->setText(dmf);
    // With a manual date the date comes first, as when typing.
    if (Date_Automatique())
        Ind_A_Entree();
}

void Main::Validation_A_Entree()
{
    Valide_A->setEnabled(true);
    Colore(Ind_A, Jaune_Pale);
    Donne_Focus(Valide_A);
}

void Main::Valide_A_Click()
{
    if (Station_Refusee())
        return;
    const Champs_QSO champs{Date_A->text(), Validation_A->checkState() != Qt::Unchecked, DMF_A->text(),
                            Type_A->currentText(), Ind_A->text()};
    const auto ligne = Ligne_A_Enregistrer(champs, A_Challenge->text());
    if (!ligne) {
        Message::Information(this, ligne.erreur());
        return;
    }
    if (Mode_Insertion) {
        Insere_QSO(ligne.valeur());
        return;
    }
    if (Message::Question(this, QStringLiteral("Voulez vous enregistrer ces données ?"))) {
        if (!Sauvegarde_Avant_Modification())
            return; // what was typed stays, to record once the backup can be made
        const Statut ecrit = Mode_Modification ? Remplace_QSO(Chemin_Log(), m_ligne_selectionnee_octets, ligne.valeur())
                                               : Ajoute_QSO(Chemin_Log(), ligne.valeur());
        if (!ecrit) {
            // What was typed stays in the fields, to record again once mended.
            Signale(ecrit.erreur());
            return;
        }
        Charge_Liste();
    } else {
        Met_A_Jour_Total();
    }
    Selectionne_Ligne(m_modele->rowCount() - 1);
    Mode_Modification = false;
    Annonce_Etat_Saisie();
    Validation_A->setChecked(false);
    Valide_A->setEnabled(false);
    Ind_A->clear();
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
void Main::Prepare_Nouveau_QSO()
{
    m_moulin_attendu.clear();
    Accessibilite::Montre_Valeur(Nom_Moulin, {}, {});
    if (Date_Automatique()) {
        Colore(Date_A, Jaune_Pale);
        Date_A->setText(Date_Jour());
        DMF_A->clear();
        Ind_A->clear();
        Ind_A->setEnabled(true);
        Colore(Ind_A, Vert_Pale);
        Donne_Focus(Ind_A);
    } else {
        Colore(DMF_A, Jaune_Pale);
        DMF_A->clear();
        Colore(Ind_A, Jaune_Pale);
        Ind_A->clear();
        Date_A->clear();
        Colore(Date_A, Vert_Pale);
        Date_A->setEnabled(true);
        Donne_Focus(Date_A);
    }
}

// Setting the line that is already selected runs the selection all the same.
void Main::Selectionne_Ligne(int ligne)
{
    if (ligne < 0 || ligne >= m_modele->rowCount())
        return;
    if (Liste_DFCF->currentIndex().row() == ligne)
        Liste_DFCF_Click(ligne);
    else
        Liste_DFCF->setCurrentIndex(m_modele->index(ligne));
}

void Main::Selectionne_Ligne_Texte(const QString &ligne_liste)
{
    // Each list line starts with its own number, so one line at most matches.
    const int ligne = ligne_liste.left(Longueur_Prefixe_Liste(ligne_liste)).trimmed().toInt() - 1;
    if (m_modele->ligne_liste(ligne).left(134) == ligne_liste.left(134) && !ligne_liste.isEmpty())
        Selectionne_Ligne(ligne);
}

void Main::Ajout_Saisie_Click()
{
    Frame3->setTitle(QStringLiteral("Mode Insertion d'un QSO"));
    Date_A->setEnabled(true);
    Colore(Date_A, Vert_Pale);
    Date_A->clear();
    Donne_Focus(Date_A);
    Colore(Ind_A, Jaune_Pale);
    Mode_Insertion = true;
    Annonce_Etat_Saisie();
}

void Main::Insere_QSO(const QByteArray &ligne)
{
    if (!Sauvegarde_Avant_Modification())
        return;
    if (const Statut s = Insere_QSO_Par_Date(Chemin_Log(), ligne); !s) {
        Signale(s.erreur());
        return;
    }
    Frame3->setTitle(Titre_Saisie());
    Mode_Insertion = false;
    Annonce_Etat_Saisie();
    Prepare_Nouveau_QSO();
    Charge_Liste();
}

void Main::Liste_DFCF_Click(int ligne)
{
    Ligne_Selectionnee = m_modele->ligne_liste(ligne);
    m_ligne_selectionnee_octets = m_modele->ligne_liste_octets(ligne);
    const auto qso = QSO_Selectionne(QStringLiteral("Cliquez sur une ligne pour la modifier"),
                                     QStringLiteral("Il n'y a pas de données a modifier"));
    if (!qso)
        return;
    Mode_Modification = true;
    Annonce_Etat_Saisie();
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

std::optional<Champs_QSO> Main::QSO_Selectionne(const QString &sans_ligne, const QString &sans_qso)
{
    if (Ligne_Selectionnee.isEmpty()) {
        Message::Information(this, sans_ligne);
        return std::nullopt;
    }
    auto qso = Controles_Saisie::QSO_De_Ligne_Liste(Ligne_Selectionnee);
    if (!qso)
        Message::Information(this, sans_qso);
    return qso;
}

void Main::Montre_Type(const QString &type)
{
    Type_A->setCurrentIndex(Type_A->findText(type, Qt::MatchExactly | Qt::MatchCaseSensitive));
    Type_A->setEditText(type);
}

void Main::Liste_DFCF_DblClick()
{
    // A line without a QSO was refused by the click: nothing to edit.
    const auto qso = Controles_Saisie::QSO_De_Ligne_Liste(Ligne_Selectionnee);
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

void Main::Annule_Saisie_Click()
{
    const auto qso = QSO_Selectionne(QStringLiteral("Cliquez sur une ligne pour l'annuler"),
                                     QStringLiteral("Il n'y a pas de données a annuler"));
    if (!qso)
        return;
    const QString n = qso->dmf;
    const bool efface = Message::Question(this, QStringLiteral("Voulez vous effacer le DMF N° ") + n + QStringLiteral(" ?"))
        && Sauvegarde_Avant_Modification();
    if (efface) {
        const Statut s = Supprime_QSO(Chemin_Log(), Vers_Log(n).value_or(QByteArray()));
        if (!s)
            Signale(s.erreur());
        // The reload's failure is told unless it is the one just told.
        if (const Statut r = Recharge_Liste(); !r && (s || r.erreur() != s.erreur()))
            Signale(r.erreur());
    } else {
        Met_A_Jour_Total();
    }
    Ind_A->clear();
    Ind_A->setEnabled(false);
    Colore(Ind_A, Jaune_Pale);
    // The rest of the reset is the clearing of the entry, which also ends
    // the modification state.
    Efface();
}

#pragma once

#include "Ligne_QSO.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Carnet;
namespace Moulins {
class Liste_Courante;
}

// The question asked before the QSOs of a mill are deleted: the number, and
// each QSO that goes with it (date, type, callsign), counted when there are
// more than one.
QString Question_Suppression(const QString &dmf, const std::vector<QByteArray> &lignes);

// The entry of a QSO, field by field, each checked when Enter is pressed in
// it: date, callsign, activity type, mill, pending box, then the record
// button; and the buttons that clear the entry, insert a QSO at its date and
// delete the QSOs of a mill. It writes nothing: it says what is to be written
// by its signals, and whoever writes says back how it went.
class Saisie : public QWidget {
    Q_OBJECT

public:
    // What recording does with the typed QSO.
    enum class Etat {
        Nouveau_QSO, // appended to the log
        Insertion, // inserted at its date
        Modification, // in place of the line it was shown from
    };

    Saisie(const Carnet &carnet, Moulins::Liste_Courante &moulins, std::function<QString()> date_jour, QWidget *parent);

    Etat etat() const { return m_etat; }
    // The list line last shown in the fields, and its bytes.
    const QString &ligne_selectionnee() const { return m_ligne_selectionnee; }
    const QByteArray &ligne_selectionnee_octets() const { return m_ligne_selectionnee_octets; }
    // The mill typed, when it passes the entry's check.
    std::optional<QString> dmf() const;

    // The types of activity, the one chosen last, and the date's mode, as the
    // settings keep them.
    void charge(int type_activite, bool date_automatique);
    // The date's mode chosen from the menu: the first field to fill gets the focus.
    void change_date_automatique(bool oui);
    bool date_automatique() const { return m_date_automatique; }

    // The entry cleared, ready for a new QSO.
    void efface();
    // A list line chosen: its QSO shown in the fields; a double click opens
    // it for editing.
    void montre_ligne(const QString &ligne_liste, const QByteArray &octets);
    void edite_ligne();
    // A spot chosen: its callsign and mill in a cleared entry.
    void prend_spot(const QString &indicatif, const QString &dmf);
    // An activation's line, from its activity sheet, in a cleared entry with
    // the record button waiting; `qso`: how many QSOs the activation made.
    void propose_activation(const Sous_Programmes::Champs_QSO &champs, int qso);
    // What follows a recording (done or declined), an insertion, a deletion
    // (done or declined).
    void apres_enregistrement();
    void apres_insertion();
    void apres_suppression();
    // Back to the field that awaits the operator, when the window shows.
    void rend_focus();

signals:
    // Confirmed by the operator: appended, or in place of the line shown.
    void Enregistrement_Demande(const QByteArray &ligne);
    void Enregistrement_Refuse();
    void Insertion_Demandee(const QByteArray &ligne);
    // Every QSO of that mill; confirmed by the operator.
    void Suppression_Demandee(const QByteArray &dmf);
    void Suppression_Refusee();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    // Why the date typed cannot be taken in this state; empty when it can.
    QString Refus_Date() const;
    void Cree_Controles();
    void Nomme_Controles();
    // The state, and what shows it: the frame's title and what screen readers say.
    void applique(Etat etat);
    // The field that awaits the operator: enabled, pale green, focused.
    void attend(QWidget *champ);
    void Donne_Focus(QWidget *controle);
    bool Refuse(const QString &refus);

    void Date_A_Entree();
    void Ind_A_Entree();
    void Type_A_Entree();
    void DMF_A_Entree();
    void Validation_A_Entree();
    void Valide_A_Click();
    void Ajout_Saisie_Click();
    void Annule_Saisie_Click();
    void Prepare_Nouveau_QSO();
    std::optional<Sous_Programmes::Champs_QSO> QSO_Selectionne(const QString &sans_ligne, const QString &sans_qso);
    void Montre_Type(const QString &type);
    // The mill of a number under the fields. Unless `attendre`, a list not
    // read yet is not waited for: the mill shows once it is.
    void Montre_Moulin(const QString &dmf, bool attendre);

    const Carnet &m_carnet;
    Moulins::Liste_Courante &m_moulins;
    std::function<QString()> m_date_jour;
    Etat m_etat = Etat::Nouveau_QSO;
    bool m_date_automatique = true;
    QString m_ligne_selectionnee;
    QByteArray m_ligne_selectionnee_octets;
    QString m_moulin_attendu;
    // The activation proposed, while its line is in the fields.
    struct Activation_Proposee {
        QString date, dmf;
        int qso = 0;
    };
    std::optional<Activation_Proposee> m_activation;
    QPointer<QWidget> m_focus_voulu;

    QGroupBox *Frame3;
    QLabel *Label_Date, *Label8, *Label3, *Label1, *Nom_Moulin;
    QLineEdit *Date_A, *Ind_A, *DMF_A;
    QComboBox *Type_A;
    QCheckBox *Validation_A;
    QPushButton *Valide_A, *Efface_A, *Ajout_Saisie, *Annule_Saisie;
};

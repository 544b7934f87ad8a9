#pragma once

#include "Activations.h"
#include "Document_Lignes.h"
#include "Ligne_QSO.h"
#include "Liste_Moulins.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
class QTableWidget;

// The QSOs of one activation: date, time, callsign, band, mode, frequency.
class Modele_QSO_Activite : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit Modele_QSO_Activite(const Activite::Lecture &lecture, QObject *parent = nullptr);
    void montre(std::vector<quint32> qso);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const Activite::Lecture &m_lecture;
    std::vector<quint32> m_qso;
};

// The activations an ADIF file holds, and the activity sheet of the one
// chosen: its operators, its QSOs, the sheet printed or saved, its line
// proposed to the log.
class Feuille_Activite : public QWidget {
    Q_OBJECT

public:
    // `indicatif`: the station as on the air ("F8KOB/P"); `dossier`: the
    // program's folder; `jour`: today, for the sheet.
    Feuille_Activite(Activite::Lecture lecture, std::shared_ptr<const Moulins::Liste> moulins, const QString &nom_fichier,
                     const QString &indicatif, const QDate &jour, const QString &dossier, int delai_progression_ms = 400);

    const QStringList &lignes() const { return m_apercu->lignes(); }

signals:
    // "Ajouter au log": the activation's line to propose in the entry, and
    // how many QSOs it made.
    void Activation_A_Ajouter(const Sous_Programmes::Champs_QSO &champs, int qso);

private:
    void regroupe(const std::optional<QByteArray> &moulin_du_fichier);
    // The activation of the current row: its operators, QSOs and sheet.
    void choisit();
    const Activite::Activation *choisie() const;
    void montre_feuille();
    void DMF_Activite_Entree();
    void ajoute_operateur();
    void retire_operateur();
    void garde_operateurs();
    QStringList operateurs() const;
    QString station(const Activite::Activation &a) const;
    // Printed or saved: the yearly report no longer asks for it.
    void marque_faite(const Activite::Activation &a);
    void imprime();
    void enregistre_pdf();
    void enregistre_texte();
    QString cible(const QString &titre, const QString &extension, const QString &filtre);
    void dit(const Sous_Programmes::Statut &s, const QString &fichier);
    void ajoute_au_log();

    Activite::Lecture m_lecture;
    std::shared_ptr<const Moulins::Liste> m_moulins;
    QString m_indicatif, m_dossier;
    QDate m_jour;
    int m_delai_progression_ms;
    std::vector<Activite::Activation> m_activations;

    QLabel *Resume_Activite;
    QTableWidget *Table_Activations;
    QLineEdit *DMF_Activite;
    QListWidget *Operateurs;
    QLineEdit *Nouvel_Operateur;
    QPushButton *Ajoute_Operateur, *Retire_Operateur;
    QComboBox *Type_Activation;
    QTableView *QSO_Activite;
    Modele_QSO_Activite *m_modele_qso;
    Apercu_Lignes *m_apercu;
    QList<QPushButton *> m_boutons;
};

#pragma once

#include "Document_Lignes.h"
#include "Liste_Moulins.h"
#include "Verifications.h"

#include <QDate>
#include <QStringList>
#include <QWidget>

#include <memory>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The yearly report to the challenge's corrector: what to mend before it is
// sent, then the one document to print or to save.
class Compte_Rendu : public QWidget {
    Q_OBJECT

public:
    // The log as it is when the window opens; `indicatif_log` as the log's
    // name holds it ("F8KOB_P"); `dossier`: the program's folder.
    // `delai_progression_ms`: how long the PDF's making goes before its progress shows.
    // `feuille_faite`: which activations have their activity sheet.
    Compte_Rendu(const Sous_Programmes::Contenu_Log &contenu, std::shared_ptr<const Moulins::Liste> moulins,
                 const QString &indicatif_log, const QString &annee, const QDate &jour, const QString &dossier,
                 int delai_progression_ms = 400, const Sous_Programmes::Feuille_Faite &feuille_faite = {});

    const QStringList &lignes() const { return m_apercu->lignes(); }

signals:
    // A finding double-clicked: that QSO of the log, from 0, to mend.
    void QSO_A_Modifier(qsizetype ligne);
    // Printed or saved: that year's report is done.
    void Compte_Rendu_Fait(const QString &annee);

private:
    void imprime();
    void enregistre_pdf();
    void enregistre_texte();
    QString cible(const QString &titre, const QString &extension, const QString &filtre);
    void dit(const Sous_Programmes::Statut &s, const QString &fichier);

    QString m_indicatif_log, m_annee, m_dossier;
    int m_delai_progression_ms;
    std::vector<Sous_Programmes::Anomalie> m_anomalies;
    QLabel *Resume_Verifications;
    QTreeWidget *Verifications;
    Apercu_Lignes *m_apercu;
};

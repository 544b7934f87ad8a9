#pragma once

#include "Resultat.h"

#include <QAbstractScrollArea>
#include <QStringList>
#include <optional>

// A document of lines (a report, a sheet): drawn as the printer draws them
// on screen, and saved as PDF.

// The lines drawn as the printer draws them, only those in view.
class Apercu_Lignes : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit Apercu_Lignes(QStringList lignes, QWidget *parent = nullptr);
    const QStringList &lignes() const { return m_lignes; }
    void change_lignes(QStringList lignes);

protected:
    void paintEvent(QPaintEvent *evenement) override;
    void resizeEvent(QResizeEvent *evenement) override;

private:
    void regle_barres();
    QStringList m_lignes;
};

namespace Impression {

// The lines as an A4 PDF titled `titre`, made whole in memory, off the
// windows' thread with its progress and "Annuler", then put in place in one
// step. None when the operator cancelled: nothing is written.
std::optional<Sous_Programmes::Statut> Enregistre_PDF(QWidget *parent, const QString &fichier, const QStringList &lignes,
                                                      const QString &titre, const QString &texte_progression, int delai_ms);

} // namespace Impression

#include "Document_Lignes.h"

#include "Fichier.h"
#include "Journal.h"
#include "Imprimante.h"
#include "Progression.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollBar>

using namespace Sous_Programmes;

Apercu_Lignes::Apercu_Lignes(QStringList lignes, QWidget *parent) : QAbstractScrollArea(parent), m_lignes(std::move(lignes))
{
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
}

void Apercu_Lignes::change_lignes(QStringList lignes)
{
    m_lignes = std::move(lignes);
    regle_barres();
    viewport()->update();
}

void Apercu_Lignes::regle_barres()
{
    const QFontMetrics mesure(Impression::Police_Lignes(), viewport());
    const int par_ecran = int(Impression::Lignes_Par_Page(mesure, viewport()->height()));
    verticalScrollBar()->setRange(0, int(std::max<qsizetype>(0, m_lignes.size() - par_ecran)));
    verticalScrollBar()->setPageStep(par_ecran);
    verticalScrollBar()->setSingleStep(1);
    int largeur = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(m_lignes.size(), 60); ++i)
        largeur = std::max(largeur, mesure.horizontalAdvance(m_lignes[i]));
    // The listing's rows are the widest: one of them stands for all.
    if (m_lignes.size() > 60)
        largeur = std::max(largeur, mesure.horizontalAdvance(m_lignes[m_lignes.size() / 2]));
    horizontalScrollBar()->setRange(0, std::max(0, largeur + 8 - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void Apercu_Lignes::resizeEvent(QResizeEvent *evenement)
{
    QAbstractScrollArea::resizeEvent(evenement);
    regle_barres();
}

void Apercu_Lignes::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.translate(4 - horizontalScrollBar()->value(), 2);
    const qsizetype de = verticalScrollBar()->value();
    const qsizetype par_ecran = Impression::Lignes_Par_Page(QFontMetrics(Impression::Police_Lignes(), viewport()), viewport()->height());
    Impression::Dessine_Lignes(p, m_lignes, de, std::min(m_lignes.size(), de + par_ecran + 1), 0);
}

namespace Impression {

std::optional<Statut> Enregistre_PDF(QWidget *parent, const QString &fichier, const QStringList &lignes, const QString &titre,
                                     const QString &texte_progression, int delai_ms)
{
    const auto fait = Progression::Execute<Resultat<QByteArray>>(
        parent, QStringLiteral("Progression_PDF"), texte_progression, delai_ms,
        [&](const Progression::Avance &avance) -> Resultat<QByteArray> {
            QBuffer tampon;
            tampon.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&tampon);
            pdf.setTitle(titre);
            pdf.setCreator(QStringLiteral("KOB_Dezudidar_ERI"));
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
            pdf.setResolution(300);
            if (const Statut s = Imprime_Lignes(pdf, [&] { return pdf.newPage(); }, lignes, avance); !s)
                return Erreur{s.erreur()};
            return tampon.data();
        });
    if (!fait)
        return std::nullopt;
    if (!*fait)
        return Statut(Erreur{fait->erreur()});
    return Reecrit_Fichier(fichier, QString::fromLatin1(Nom_Temporaire), fait->valeur(), Si_Absent::Creer);
}

} // namespace Impression

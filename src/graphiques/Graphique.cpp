#include "Graphique.h"

#include "Dessin_Graphique.h"

#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QToolTip>

namespace Graphiques {

namespace {

// Read as a chart, not as a bare area.
QAccessibleInterface *Accessible_Graphique(const QString &classe, QObject *objet)
{
    if (classe == QLatin1String(Graphique::staticMetaObject.className()) && objet && objet->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(objet), QAccessible::Chart);
    return nullptr;
}

} // namespace

Graphique::Graphique(Contenu contenu, QWidget *parent) : QWidget(parent), m_contenu(std::move(contenu))
{
    static const bool accessible = [] {
        QAccessible::installFactory(&Accessible_Graphique);
        return true;
    }();
    Q_UNUSED(accessible);
    setAccessibleName(m_contenu.titre);
    setAccessibleDescription(Description(m_contenu));
    // Reached by Tab, so that a screen reader reads it.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
}

void Graphique::Dessine_Sur(QPainter &peintre, const QRectF &zone, qreal echelle) const
{
    Dessine(peintre, zone, m_contenu, echelle, font());
}

Repere Graphique::repere() const
{
    if (!m_repere || m_repere->taille != size() || m_repere->echelle != Echelle() || m_repere->police != font())
        m_repere = Repere_Garde{size(), Echelle(), font(), Place_Des_Valeurs(rect(), m_contenu, Echelle(), font(), this)};
    return m_repere->repere;
}

void Graphique::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    const Repere r = Dessine(p, rect(), m_contenu, Echelle(), font(), m_survol);
    m_repere = Repere_Garde{size(), Echelle(), font(), r};
    if (hasFocus()) {
        QStyleOptionFocusRect cadre;
        cadre.initFrom(this);
        cadre.rect = rect().adjusted(2, 2, -2, -2);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, cadre);
    }
}

int Graphique::Place_Sous(QPointF point) const
{
    const Repere r = repere();
    return r.trace.contains(point) ? r.Place(point.x()) : -1;
}

bool Graphique::event(QEvent *evenement)
{
    if (evenement->type() != QEvent::ToolTip)
        return QWidget::event(evenement);
    const auto *aide = static_cast<QHelpEvent *>(evenement);
    if (const int place = Place_Sous(aide->pos()); place >= 0)
        QToolTip::showText(aide->globalPos(), Texte_Info_Bulle(m_contenu, place), this);
    else
        QToolTip::hideText();
    return true;
}

void Graphique::mouseMoveEvent(QMouseEvent *evenement)
{
    const int place = Place_Sous(evenement->position());
    if (place == m_survol)
        return;
    m_survol = place;
    update();
    // An open tooltip follows the pointer from day to day.
    if (QToolTip::isVisible() && place >= 0)
        QToolTip::showText(evenement->globalPosition().toPoint(), Texte_Info_Bulle(m_contenu, place), this);
}

void Graphique::leaveEvent(QEvent *)
{
    if (m_survol < 0)
        return;
    m_survol = -1;
    update();
}

} // namespace Graphiques

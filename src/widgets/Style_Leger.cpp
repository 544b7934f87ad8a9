#include "Style_Leger.h"

#include <QApplication>
#include <QGroupBox>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {

// An icon of the wrapped style, asked of it when first drawn.
class Icone_Differee : public QIconEngine {
public:
    Icone_Differee(const QStyle *style, QStyle::StandardPixmap icone) : m_style(style), m_icone(icone) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icone().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &taille, QIcon::Mode mode, QIcon::State state) override
    {
        return icone().pixmap(taille, mode, state);
    }
    QSize actualSize(const QSize &taille, QIcon::Mode mode, QIcon::State state) override
    {
        return icone().actualSize(taille, mode, state);
    }
    QIconEngine *clone() const override { return new Icone_Differee(m_style, m_icone); }

private:
    const QIcon &icone()
    {
        if (m_reelle.isNull())
            m_reelle = m_style->standardIcon(m_icone);
        return m_reelle;
    }

    const QStyle *m_style;
    QStyle::StandardPixmap m_icone;
    QIcon m_reelle;
};

} // namespace

QIcon Style_Leger::standardIcon(StandardPixmap icone, const QStyleOption *option, const QWidget *widget) const
{
    if (icone == SP_ToolBarHorizontalExtensionButton || icone == SP_ToolBarVerticalExtensionButton)
        return QIcon(new Icone_Differee(baseStyle(), icone));
    return QProxyStyle::standardIcon(icone, option, widget);
}

void Style_Leger::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    if (element == PE_FrameGroupBox && !m_cadre) {
        QImageReader lecteur(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"), "png");
        lecteur.setAutoDetectImageFormat(false); // no plugin is asked
        m_cadre = QPixmap::fromImage(lecteur.read()); // read once, even if it fails
    }
    if (element != PE_FrameGroupBox || m_cadre->isNull()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Fusion's own frame: under the title, or a little lower with none.
    constexpr int Marge_Haute = 3;
    const auto *groupe = qobject_cast<const QGroupBox *>(widget);
    const bool sans_titre = groupe && !groupe->isCheckable() && groupe->title().isEmpty();
    const int haut = sans_titre ? Marge_Haute
                                : qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height())
            + Marge_Haute;
    qDrawBorderPixmap(painter, option->rect.adjusted(0, haut, 0, 0), QMargins(6, 6, 6, 6), *m_cadre);
}

void Installe_Style_Leger()
{
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(new Style_Leger(QStyleFactory::create(QStringLiteral("fusion"))));
}

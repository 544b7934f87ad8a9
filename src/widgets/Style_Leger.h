#pragma once

#include <QPixmap>
#include <QProxyStyle>

#include <optional>

// The style the program runs in, as it draws, but for two things Fusion reads
// from image files: a group box's frame and the menu bar's overflow arrow.
// Qt answers the first image read from a file by loading every image plugin
// (SVG, JPEG, GIF, icons) and the libraries behind them, about a tenth of the
// program's start. The frame is read here as the PNG it is, which needs no
// plugin; the arrow is read only if the menu bar ever shows it.
class Style_Leger : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icone, const QStyleOption *option, const QWidget *widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;

private:
    mutable std::optional<QPixmap> m_cadre;
};

// Puts Style_Leger over the application's style when that is Fusion; any other
// style is left as it is.
void Installe_Style_Leger();

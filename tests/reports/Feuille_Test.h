#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QTextItem>

// A printer of our own: it keeps the text of every line drawn, with its
// page and its font, instead of putting ink on paper.
class Moteur_Test : public QPaintEngine {
public:
    struct Ligne {
        int page;
        QString texte;
        QFont police;
    };
    QList<Ligne> lignes;
    int page = 1;

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &, const QTextItem &t) override { lignes.append({page, t.text(), t.font()}); }
    Type type() const override { return QPaintEngine::User; }
};

class Feuille_Test : public QPaintDevice {
public:
    explicit Feuille_Test(int hauteur_points) : m_hauteur(hauteur_points) {}
    QPaintEngine *paintEngine() const override { return &m_moteur; }
    Moteur_Test &moteur() { return m_moteur; }
    bool page_suivante()
    {
        ++m_moteur.page;
        return true;
    }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 595;
        case PdmHeight: return m_hauteur;
        case PdmWidthMM: return 210;
        case PdmHeightMM: return m_hauteur * 297 / 842;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 72;
        case PdmDepth: return 1;
        case PdmNumColors: return 2;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    int m_hauteur;
    mutable Moteur_Test m_moteur;
};

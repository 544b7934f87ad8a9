#include "Dessin_Graphique.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Graphiques {

namespace {

const QColor Couleur_Texte(0x40, 0x40, 0x40);
const QColor Couleur_Grille(0xE2, 0xE2, 0xE2);
const QColor Couleur_Axe(0x9A, 0x9A, 0x9A);

// A size given at 96 dpi, in the device's pixels; fonts by pixels, since a
// point means another size on each device.
QFont Police(const QFont &base, qreal facteur, qreal echelle, bool gras = false)
{
    QFont f = base;
    const qreal pixels = base.pointSizeF() > 0 ? base.pointSizeF() * 96 / 72 : base.pixelSize();
    f.setPixelSize(std::max(1, qRound(pixels * facteur * echelle)));
    f.setBold(gras);
    return f;
}

// A line of a whole number of device pixels on the pixels' grid, so that it
// stays sharp on a screen.
qreal Net(qreal v, qreal largeur) { return qRound(largeur) % 2 ? std::floor(v) + 0.5 : std::round(v); }

// A whole number of device pixels, at least one.
qreal Largeur(qreal pixels_96, qreal echelle) { return std::max<qreal>(1, std::round(pixels_96 * echelle)); }

// A horizontal or vertical line with square ends, as a rectangle on whole
// pixels (see Net): sharp, and much quicker than a stroked pen.
void Trait(QPainter &p, QPointF a, QPointF b, qreal largeur, const QColor &couleur)
{
    const qreal demi = largeur / 2;
    p.fillRect(QRectF(QPointF(std::min(a.x(), b.x()) - demi, std::min(a.y(), b.y()) - demi),
                      QPointF(std::max(a.x(), b.x()) + demi, std::max(a.y(), b.y()) + demi)),
               couleur);
}

// One curve: flat along each day, up at the start of the day that adds.
void Escalier(QPainter &p, const Repere &r, const std::vector<double> &valeurs, qreal largeur, const QColor &couleur)
{
    QPolygonF points;
    double avant = 0;
    points.append({Net(r.Debut(0), largeur), Net(r.Y(0), largeur)});
    for (size_t j = 0; j < valeurs.size(); ++j) {
        if (valeurs[j] == avant)
            continue;
        const qreal x = Net(r.Debut(int(j)), largeur);
        points.append({x, Net(r.Y(avant), largeur)});
        points.append({x, Net(r.Y(valeurs[j]), largeur)});
        avant = valeurs[j];
    }
    points.append({Net(r.Debut(int(valeurs.size())), largeur), Net(r.Y(avant), largeur)});
    for (qsizetype i = 1; i < points.size(); ++i)
        Trait(p, points[i - 1], points[i], largeur, couleur);
}

void Dessine_Legende(QPainter &p, const QRectF &bande, const Contenu &c, qreal e, const QFontMetricsF &mesure)
{
    const qreal echantillon = (c.forme == Forme::Courbes_Jours ? 18 : 10) * e, ecart = 4 * e, entre = 16 * e;
    qreal largeur = 0;
    for (const Serie &s : c.series)
        largeur += echantillon + ecart + mesure.horizontalAdvance(s.nom) + entre;
    qreal x = bande.center().x() - (largeur - entre) / 2;
    const qreal milieu = bande.center().y();
    for (const Serie &s : c.series) {
        if (c.forme == Forme::Courbes_Jours) {
            const qreal l = Largeur(s.epaisseur, e);
            Trait(p, QPointF(x + l / 2, Net(milieu, l)), QPointF(x + echantillon - l / 2, Net(milieu, l)), l, s.couleur);
        } else {
            p.fillRect(QRectF(x, milieu - echantillon / 2, echantillon, echantillon), s.couleur);
        }
        x += echantillon + ecart;
        p.setPen(Couleur_Texte);
        const qreal texte = mesure.horizontalAdvance(s.nom);
        p.drawText(QRectF(x, bande.top(), texte + e, bande.height()), Qt::AlignLeft | Qt::AlignVCenter, s.nom);
        x += texte + entre;
    }
}

// Where the title, the plot and the legend go, the fonts as large as the device wants.
struct Mise_En_Page {
    Mise_En_Page(const QRectF &zone, const Contenu &c, qreal e, const QFont &police, const QPaintDevice *appareil)
        : f_titre(Police(police, 1.1, e, true)), f_texte(Police(police, 1, e)), f_axe(Police(police, 1, e, true)),
          f_graduations(Police(police, 0.9, e)), m_titre(f_titre, appareil), m_texte(f_texte, appareil), m_axe(f_axe, appareil),
          m_graduations(f_graduations, appareil)
    {
        const qreal marge = 8 * e;
        reste = zone.adjusted(marge, marge, -marge, -marge);
        titre = QRectF(reste.left(), reste.top(), reste.width(), m_titre.height());
        reste.setTop(titre.bottom() + 6 * e);
        legende = QRectF(reste.left(), reste.bottom() - m_texte.height(), reste.width(), m_texte.height());
        reste.setBottom(legende.top() - 6 * e);
        r.forme = c.forme;
        // Half a label above the plot, so that the top tick's label fits.
        const qreal haut = reste.top() + m_graduations.height() / 2, bas = reste.bottom() - m_graduations.height() - 4 * e;
        g = Graduations_Rondes(Maximum(c), std::clamp(int((bas - haut) / (32 * e)), 1, 8));
        r.haut = g.haut;
        qreal largeur_nombres = 0;
        for (int k = 0; k <= g.nombre(); ++k)
            largeur_nombres = std::max(largeur_nombres, m_graduations.horizontalAdvance(Nombre(k * g.pas)));
        const qreal titre_axe = c.nom_valeurs.isEmpty() ? 0 : m_axe.height() + 4 * e;
        r.trace = QRectF(QPointF(reste.left() + titre_axe + largeur_nombres + 6 * e, haut), QPointF(reste.right() - 4 * e, bas));
    }

    QFont f_titre, f_texte, f_axe, f_graduations;
    QFontMetricsF m_titre, m_texte, m_axe, m_graduations;
    QRectF reste, titre, legende;
    Graduations g;
    Repere r;
};

} // namespace

Repere Place_Des_Valeurs(const QRectF &zone, const Contenu &contenu, qreal echelle, const QFont &police,
                         const QPaintDevice *appareil)
{
    return Mise_En_Page(zone, contenu, echelle, police, appareil).r;
}

Repere Dessine(QPainter &p, const QRectF &zone, const Contenu &c, qreal e, const QFont &police, int survol)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(zone, 6 * e, 6 * e);

    const Mise_En_Page mise(zone, c, e, police, p.device());
    const Repere &r = mise.r;
    const Graduations &g = mise.g;
    const QRectF &reste = mise.reste;
    p.setPen(Couleur_Texte);
    p.setFont(mise.f_titre);
    p.drawText(mise.titre, Qt::AlignCenter, c.titre);
    if (r.trace.width() < 20 * e || r.trace.height() < 20 * e) {
        p.restore();
        return r;
    }

    // The values' axis: its title up the side, a line and a label at each tick.
    const qreal fin = Largeur(1, e);
    if (!c.nom_valeurs.isEmpty()) {
        p.save();
        p.setFont(mise.f_axe);
        p.translate(reste.left() + mise.m_axe.height() / 2, r.trace.center().y());
        p.rotate(-90);
        p.drawText(QRectF(-r.trace.height() / 2, -mise.m_axe.height() / 2, r.trace.height(), mise.m_axe.height()), Qt::AlignCenter,
                   c.nom_valeurs);
        p.restore();
    }
    p.setFont(mise.f_graduations);
    for (int k = 0; k <= g.nombre(); ++k) {
        const qreal y = Net(r.Y(k * g.pas), fin);
        Trait(p, QPointF(r.trace.left() - 3 * e, y), QPointF(r.trace.right(), y), fin, k ? Couleur_Grille : Couleur_Axe);
        p.setPen(Couleur_Texte);
        p.drawText(QRectF(reste.left(), y - mise.m_graduations.height() / 2, r.trace.left() - 5 * e - reste.left(), mise.m_graduations.height()),
                   Qt::AlignRight | Qt::AlignVCenter, Nombre(k * g.pas));
    }

    // Along the bottom: a line at each month's start, its name in its span,
    // every second or third name where they would not fit.
    const auto debut_mois = [&](int m) { return c.forme == Forme::Courbes_Jours ? r.Debut(Premier_Jour(m)) : r.Debut(m); };
    qreal nom_le_plus_large = 0;
    for (int m = 0; m < 12; ++m)
        nom_le_plus_large = std::max(nom_le_plus_large, mise.m_graduations.horizontalAdvance(Nom_Mois(m, QLocale::ShortFormat)));
    int pas_noms = 1;
    while (pas_noms < 12 && (nom_le_plus_large + 4 * e) * 12 / pas_noms > r.trace.width())
        pas_noms = pas_noms < 3 ? pas_noms + 1 : (pas_noms < 6 ? 6 : 12);
    for (int m = 0; m <= 12; ++m) {
        const qreal x = Net(debut_mois(m), fin);
        Trait(p, QPointF(x, r.trace.top()), QPointF(x, r.trace.bottom() + 3 * e), fin, m == 0 ? Couleur_Axe : Couleur_Grille);
        if (m < 12 && m % pas_noms == 0) {
            p.setPen(Couleur_Texte);
            p.drawText(QRectF(debut_mois(m) - 20 * e, r.trace.bottom() + 4 * e, debut_mois(m + 1) - debut_mois(m) + 40 * e,
                              mise.m_graduations.height()),
                       Qt::AlignHCenter | Qt::AlignTop, Nom_Mois(m, QLocale::ShortFormat));
        }
    }

    if (survol >= 0 && survol < Places(c.forme)) {
        if (c.forme == Forme::Barres_Mois) {
            p.fillRect(QRectF(r.Debut(survol), r.trace.top(), r.Largeur_Place(), r.trace.height()), QColor(0, 0, 0, 18));
        } else {
            p.setPen(QPen(Couleur_Axe, fin, Qt::DashLine, Qt::FlatCap));
            const qreal x = Net(r.X(survol), fin);
            p.drawLine(QPointF(x, r.trace.top()), QPointF(x, r.trace.bottom()));
        }
    }

    if (c.forme == Forme::Courbes_Jours) {
        // The first series last, over the others.
        for (size_t i = c.series.size(); i-- > 0;) {
            const Serie &s = c.series[i];
            Escalier(p, r, s.valeurs, Largeur(s.epaisseur, e), s.couleur);
        }
        if (survol >= 0)
            for (const Serie &s : c.series)
                if (size_t(survol) < s.valeurs.size()) {
                    p.setPen(QPen(Qt::white, fin));
                    p.setBrush(s.couleur);
                    p.drawEllipse(QPointF(r.X(survol), r.Y(s.valeurs[size_t(survol)])), 3.5 * e, 3.5 * e);
                }
    } else {
        const qreal largeur = r.Largeur_Place() * 0.6;
        for (int m = 0; m < 12; ++m) {
            double pile = 0;
            for (const Serie &s : c.series) {
                const double v = size_t(m) < s.valeurs.size() ? std::max(0.0, s.valeurs[size_t(m)]) : 0;
                if (v > 0)
                    p.fillRect(QRectF(QPointF(r.X(m) - largeur / 2, r.Y(pile + v)), QPointF(r.X(m) + largeur / 2, r.Y(pile))),
                               s.couleur);
                pile += v;
            }
        }
    }

    p.setFont(mise.f_texte);
    Dessine_Legende(p, mise.legende, c, e, mise.m_texte);
    p.restore();
    return r;
}

} // namespace Graphiques

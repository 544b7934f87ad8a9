#include "Vue_Carte.h"

#include "Fenetres.h"
#include "Formes_Carte.h"
#include "Projection.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>
#include <QtMath>

using namespace Moulins;

namespace {

// The dots' colours, told apart without colour too: a circle, a square, a triangle.
const QColor Couleur_Contacte(0x1B, 0x9E, 0x3E);
const QColor Couleur_Attente(0xF0, 0x8C, 0x00);
const QColor Couleur_Restant(0xD0, 0x10, 0x20);
const QColor Couleur_Fond(0xDD, 0xEE, 0xFA);
const QColor Couleur_Terre(0xFA, 0xF6, 0xEA);

constexpr double Marge_Departement = 0.08;
constexpr double Largeur_Min = 4;    // in the outlines' units, about 7 km
constexpr double Zoom_Touche = 1.5;

int Taille_Point() { return qMax(7, Fenetres::Pixels(7)); }

QRectF France() { return Formes_France().vue; }

} // namespace

Vue_Carte::Vue_Carte(const Points_Carte &points, std::function<QString(int)> texte, QWidget *parent)
    : QWidget(parent), m_points(points), m_texte(std::move(texte)), m_vue(France())
{
    setObjectName(QStringLiteral("Vue_Carte"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(Fenetres::Pixels(200), Fenetres::Pixels(180));
    Partir_D_Ici = new QAction(QStringLiteral("Partir d'ici"), this);
    Partir_D_Ici->setObjectName(QStringLiteral("Partir_D_Ici"));
    connect(Partir_D_Ici, &QAction::triggered, this, [this] { emit Origine_Choisie(Geo::Du_Point(carte(m_menu))); });
}

QSize Vue_Carte::sizeHint() const { return QSize(Fenetres::Pixels(560), Fenetres::Pixels(460)); }

void Vue_Carte::montre(Filtre filtre)
{
    m_filtre = filtre;
    update();
}

void Vue_Carte::choisit(int point)
{
    m_choisi = point;
    // A mill chosen in the table out of view: the view goes to it.
    if (point >= 0 && size_t(point) < m_points.points.size() && !m_vue.contains(m_points.points[size_t(point)].point))
        change_vue(m_vue.translated(m_points.points[size_t(point)].point - m_vue.center()));
    update();
}

void Vue_Carte::place_station(std::optional<Geo::Position> station)
{
    m_station = station;
    update();
}

void Vue_Carte::place_origine(std::optional<Geo::Position> origine, double rayon_km)
{
    m_origine = origine;
    m_rayon_km = rayon_km;
    update();
}

QTransform Vue_Carte::transformation() const
{
    const double echelle = qMin(width() / m_vue.width(), height() / m_vue.height());
    QTransform t;
    t.translate(width() / 2.0, height() / 2.0);
    t.scale(echelle, echelle);
    t.translate(-m_vue.center().x(), -m_vue.center().y());
    return t;
}

QPointF Vue_Carte::ecran(QPointF p) const { return transformation().map(p); }
QPointF Vue_Carte::carte(QPointF p) const { return transformation().inverted().map(p); }

void Vue_Carte::change_vue(QRectF vue)
{
    // Not smaller than a few km, not larger than twice France.
    const QRectF france = France();
    double facteur = 1;
    if (vue.width() < Largeur_Min)
        facteur = Largeur_Min / vue.width();
    else if (vue.width() > 2 * france.width())
        facteur = 2 * france.width() / vue.width();
    const QPointF centre = vue.center();
    vue.setSize(vue.size() * facteur);
    vue.moveCenter(centre);
    m_vue = vue;
    update();
}

void Vue_Carte::zoome(double facteur)
{
    QRectF v = m_vue;
    const QPointF centre = v.center();
    v.setSize(v.size() / facteur);
    v.moveCenter(centre);
    change_vue(v);
}

void Vue_Carte::toute_la_france() { change_vue(France()); }

void Vue_Carte::zoome_departement(int boite)
{
    const QRectF r = Formes_France().forme[size_t(boite)].boundingRect();
    change_vue(r.adjusted(-r.width() * Marge_Departement, -r.height() * Marge_Departement, r.width() * Marge_Departement,
                          r.height() * Marge_Departement));
}

int Vue_Carte::point_sous(QPointF e) const
{
    const QTransform t = transformation();
    const double portee = Taille_Point();
    double meilleur = portee * portee;
    int trouve = -1;
    for (size_t i = 0; i < m_points.points.size(); ++i) {
        const Point_Carte &p = m_points.points[i];
        if (!Montre(m_filtre, p.etat))
            continue;
        const QPointF d = t.map(p.point) - e;
        const double d2 = QPointF::dotProduct(d, d);
        if (d2 <= meilleur) {
            meilleur = d2;
            trouve = int(i);
        }
    }
    return trouve;
}

void Vue_Carte::prepare_marques()
{
    const qreal ratio = devicePixelRatioF();
    if (ratio == m_ratio_marques)
        return;
    m_ratio_marques = ratio;
    const int n = Taille_Point();
    for (Etat e : {Etat::Restant, Etat::En_Attente, Etat::Contacte}) {
        QPixmap pm(QSize(n + 2, n + 2) * ratio);
        pm.setDevicePixelRatio(ratio);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        const QRectF r(1, 1, n, n);
        switch (e) {
        case Etat::Contacte:
            p.setBrush(Couleur_Contacte);
            p.drawEllipse(r);
            break;
        case Etat::En_Attente:
            p.setBrush(Couleur_Attente);
            p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
            break;
        case Etat::Restant:
            p.setBrush(Couleur_Restant);
            p.drawPolygon(QPolygonF{QPointF(r.center().x(), r.top()), r.bottomRight(), r.bottomLeft()});
            break;
        }
        m_marques[size_t(e)] = pm;
    }
}

void Vue_Carte::paintEvent(QPaintEvent *)
{
    prepare_marques();
    QPainter p(this);
    p.fillRect(rect(), Couleur_Fond);
    const QTransform t = transformation();
    {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(t);
        QPen trait(QColor(0x80, 0x80, 0x80), 1);
        trait.setCosmetic(true);
        p.setPen(trait);
        p.setBrush(Couleur_Terre);
        const QRectF visible = m_vue.adjusted(-m_vue.width(), -m_vue.height(), m_vue.width(), m_vue.height());
        for (const QPainterPath &forme : Formes_France().forme)
            if (!forme.isEmpty() && forme.boundingRect().intersects(visible))
                p.drawPath(forme);
        p.restore();
    }
    if (m_origine && m_rayon_km > 0) {
        // The radius drawn as far north as south: Mercator stretches it a little.
        const QPointF centre = t.map(Geo::Sur_Carte(*m_origine));
        const double degres = m_rayon_km / 111.195;
        const QPointF nord = t.map(Geo::Sur_Carte({m_origine->latitude + degres, m_origine->longitude}));
        const double r = QLineF(centre, nord).length();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x30, 0x30, 0xA0), 1.5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, r, r);
    }
    p.setRenderHint(QPainter::Antialiasing);
    auto croix = [&](QPointF e, const QColor &couleur) {
        const double n = Taille_Point() * 1.2;
        for (const auto &[largeur, c] : {std::pair{5.0, QColor(Qt::white)}, std::pair{2.5, couleur}}) {
            p.setPen(QPen(c, largeur, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(e + QPointF(-n, 0), e + QPointF(n, 0));
            p.drawLine(e + QPointF(0, -n), e + QPointF(0, n));
        }
    };
    if (m_origine && m_origine != m_station)
        croix(t.map(Geo::Sur_Carte(*m_origine)), QColor(0x30, 0x30, 0xA0));
    if (m_station) {
        // The station: a blue diamond with a white rim, larger than a mill.
        const QPointF e = t.map(Geo::Sur_Carte(*m_station));
        const double n = Taille_Point();
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(QColor(0x10, 0x40, 0xE0));
        p.drawPolygon(QPolygonF{e + QPointF(0, -n), e + QPointF(n, 0), e + QPointF(0, n), e + QPointF(-n, 0)});
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF cadre = QRectF(rect()).adjusted(-Taille_Point(), -Taille_Point(), Taille_Point(), Taille_Point());
    const double demi = (Taille_Point() + 2) / 2.0;
    for (const Point_Carte &point : m_points.points) {
        if (!Montre(m_filtre, point.etat))
            continue;
        const QPointF e = t.map(point.point);
        if (cadre.contains(e))
            p.drawPixmap(QPointF(e.x() - demi, e.y() - demi), m_marques[size_t(point.etat)]);
    }
    p.setRenderHint(QPainter::Antialiasing);
    if (m_choisi >= 0 && size_t(m_choisi) < m_points.points.size()) {
        const QPointF e = t.map(m_points.points[size_t(m_choisi)].point);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 2));
        p.drawEllipse(e, Taille_Point(), Taille_Point());
    }
    if (hasFocus()) {
        QPen pointille(palette().color(QPalette::Highlight), 2, Qt::DotLine);
        p.setPen(pointille);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void Vue_Carte::resizeEvent(QResizeEvent *) { update(); }

void Vue_Carte::wheelEvent(QWheelEvent *e)
{
    const double facteur = std::pow(1.25, e->angleDelta().y() / 120.0);
    if (facteur == 1)
        return;
    // The place under the pointer stays there.
    const QPointF sous = carte(e->position());
    QRectF v = m_vue;
    v.setSize(v.size() / facteur);
    v.moveCenter(sous + (m_vue.center() - sous) / facteur);
    change_vue(v);
    e->accept();
}

void Vue_Carte::mousePressEvent(QMouseEvent *e)
{
    m_appui = e->position().toPoint();
    m_vue_appui = m_vue;
    m_glisse = false;
    if (e->button() == Qt::RightButton)
        m_menu = e->position();
}

void Vue_Carte::mouseMoveEvent(QMouseEvent *e)
{
    if (!(e->buttons() & Qt::LeftButton))
        return;
    if (!m_glisse && (e->position().toPoint() - m_appui).manhattanLength() < QApplication::startDragDistance())
        return;
    m_glisse = true;
    setCursor(Qt::ClosedHandCursor);
    const double echelle = qMin(width() / m_vue_appui.width(), height() / m_vue_appui.height());
    m_vue = m_vue_appui.translated(-(e->position() - QPointF(m_appui)) / echelle);
    update();
}

void Vue_Carte::mouseReleaseEvent(QMouseEvent *e)
{
    unsetCursor();
    if (e->button() != Qt::LeftButton || m_glisse)
        return;
    const int i = point_sous(e->position());
    if (i >= 0)
        emit Point_Clique(i);
}

void Vue_Carte::mouseDoubleClickEvent(QMouseEvent *e)
{
    const QPointF c = carte(e->position());
    const auto &formes = Formes_France().forme;
    for (size_t i = 0; i < formes.size(); ++i)
        if (!formes[i].isEmpty() && formes[i].contains(c)) {
            zoome_departement(int(i));
            return;
        }
}

void Vue_Carte::keyPressEvent(QKeyEvent *e)
{
    const double pas = 0.2;
    switch (e->key()) {
    case Qt::Key_Plus: zoome(Zoom_Touche); break;
    case Qt::Key_Minus: zoome(1 / Zoom_Touche); break;
    case Qt::Key_Home: toute_la_france(); break;
    case Qt::Key_Left: change_vue(m_vue.translated(-m_vue.width() * pas, 0)); break;
    case Qt::Key_Right: change_vue(m_vue.translated(m_vue.width() * pas, 0)); break;
    case Qt::Key_Up: change_vue(m_vue.translated(0, -m_vue.height() * pas)); break;
    case Qt::Key_Down: change_vue(m_vue.translated(0, m_vue.height() * pas)); break;
    default: QWidget::keyPressEvent(e); return;
    }
}

void Vue_Carte::contextMenuEvent(QContextMenuEvent *e)
{
    // From the keyboard: the middle of the view.
    m_menu = e->reason() == QContextMenuEvent::Keyboard ? QPointF(rect().center()) : QPointF(e->pos());
    QMenu menu(this);
    menu.addAction(Partir_D_Ici);
    menu.exec(e->globalPos());
}

bool Vue_Carte::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        auto *aide = static_cast<QHelpEvent *>(e);
        const int i = point_sous(aide->pos());
        if (i >= 0)
            QToolTip::showText(aide->globalPos(), m_texte(i), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

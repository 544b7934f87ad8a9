#include "Carte_Acti.h"

#include "Accessibilite.h"
#include "Fenetres.h"
#include "Formes_Carte.h"
#include "Place_Boites.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace {

const QColor Vert_Carte(0x80, 0xFF, 0x80);
// Paris and its neighbours, drawn again enlarged in the inset.
constexpr int Encart[] = {75, 92, 93, 94};
// The inset, in the map's own units: over the sea north of Brittany.
const QRectF Cadre_Encart(8, 8, 122, 122);

bool Dans_Encart(int index) { return std::find(std::begin(Encart), std::end(Encart), index) != std::end(Encart); }

} // namespace

Dessin_Carte::Dessin_Carte(const std::bitset<100> &vert, QWidget *parent) : QWidget(parent), m_vert(vert)
{
    for (int i : Encart)
        m_paris |= Formes_France().forme[size_t(i)].boundingRect();
}

QTransform Dessin_Carte::vers_ecran() const
{
    const QRectF vue = Formes_France().vue;
    const qreal echelle = qMin(width() / vue.width(), height() / vue.height());
    const QPointF marge((width() - vue.width() * echelle) / 2, (height() - vue.height() * echelle) / 2);
    return QTransform::fromTranslate(-vue.x(), -vue.y()) * QTransform::fromScale(echelle, echelle)
        * QTransform::fromTranslate(marge.x(), marge.y());
}

QTransform Dessin_Carte::vers_encart() const
{
    const QRectF &paris = m_paris;
    const qreal echelle = qMin(Cadre_Encart.width() / paris.width(), Cadre_Encart.height() / paris.height()) * 0.92;
    const QPointF centre_encart = Cadre_Encart.center();
    return QTransform::fromTranslate(-paris.center().x(), -paris.center().y()) * QTransform::fromScale(echelle, echelle)
        * QTransform::fromTranslate(centre_encart.x(), centre_encart.y()) * vers_ecran();
}

QTransform Dessin_Carte::transformation(int index) const { return Dans_Encart(index) ? vers_encart() : vers_ecran(); }

bool Dessin_Carte::a_une_forme(int index)
{
    return index >= 0 && index < 100 && !Formes_France().forme[size_t(index)].isEmpty();
}

QRectF Dessin_Carte::zone(int index) const
{
    if (!a_une_forme(index))
        return {};
    return transformation(index).mapRect(Formes_France().forme[size_t(index)].boundingRect());
}

bool Dessin_Carte::sous_la_boite(int index, const QRectF &boite) const
{
    if (!a_une_forme(index))
        return false;
    return transformation(index).map(Formes_France().forme[size_t(index)]).intersects(boite);
}

void Dessin_Carte::dessine(QPainter &p, int index, const QTransform &t) const
{
    p.setTransform(t);
    const QPen trait = p.pen();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(Formes_France().forme[size_t(index)], m_vert.test(size_t(index)) ? Vert_Carte : QColor(Qt::white));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.strokePath(Formes_France().forme[size_t(index)], trait);
}

void Dessin_Carte::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().color(QPalette::Window));
    // A hairline whatever the scale: thin on the map and in the enlarged inset alike.
    QPen trait(QColor(0x50, 0x50, 0x50), 0.5);
    trait.setCosmetic(true);
    p.setPen(trait);
    const QTransform ecran = vers_ecran();
    for (int i = 0; i < 100; ++i)
        if (a_une_forme(i))
            dessine(p, i, ecran);

    // The inset: a frame, then each of the four shapes enlarged alike.
    p.setBrush(palette().color(QPalette::Window));
    p.setTransform(ecran);
    p.drawRect(Cadre_Encart);
    const QTransform encart = vers_encart();
    for (int i : Encart)
        dessine(p, i, encart);

    p.resetTransform();
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    for (const QLineF &l : std::as_const(m_renvois))
        p.drawLine(l);
}

Carte_Acti::Carte_Acti(const std::bitset<100> &vert, int nombre, const QString &annee, const QStringList &moulins)
{
    setObjectName(QStringLiteral("Carte_Acti"));
    setWindowTitle(QString::fromUtf8("Carte des départements contactés"));
    setFixedSize(Fenetres::Twips(7425), Fenetres::Twips(8745));

    auto *Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFixedSize(Fenetres::Twips(7215), Fenetres::Twips(735));
    auto *bande = new QHBoxLayout(Frame1);
    bande->setSpacing(12);
    // The year and the count are said with what they are; the headings as they read.
    const QList<std::tuple<const char *, QString, QString>> textes{
        {"Label4", QStringLiteral("Dezudidar ERI"), {}},
        {"Label2", annee, QStringLiteral("Année du challenge %1").arg(annee)},
        {"NB_Dep", QString::number(nombre), QStringLiteral("Départements contactés : %1").arg(nombre)},
        {"Label3", QString::fromUtf8("Départements contactés"), {}}};
    bande->addStretch();
    for (const auto &[nom, texte, dit] : textes) {
        auto *l = new QLabel(Frame1);
        l->setObjectName(QString::fromLatin1(nom));
        if (dit.isEmpty())
            l->setText(texte);
        else
            Accessibilite::Montre_Valeur(l, texte, dit);
        QFont f = l->font();
        f.setBold(true);
        f.setPointSize(12);
        l->setFont(f);
        bande->addWidget(l);
    }
    bande->addStretch();

    Picture1 = new Dessin_Carte(vert, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedSize(Fenetres::Twips(7215), Fenetres::Twips(7815));
    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1, 0, Qt::AlignHCenter);
    page->addWidget(Picture1, 0, Qt::AlignHCenter);

    QFont arial(QStringLiteral("Arial"));
    arial.setBold(true);
    arial.setPointSizeF(9.75);
    const QSize taille(Fenetres::Twips(375), Fenetres::Twips(300));
    // Boxes that stand for nothing exist but are never shown.
    const QList<std::tuple<int, const char *, QPoint>> caches{
        {0, "00", {480, 6480}}, {20, "X", {840, 6240}}, {98, "X", {480, 6240}}, {99, "X", {120, 6240}}};
    for (int i = 0; i < 100; ++i) {
        QLineEdit *boite = Dep[i] = new QLineEdit(Picture1);
        boite->setObjectName(QStringLiteral("Dep_%1").arg(i));
        boite->setReadOnly(true);
        boite->setFocusPolicy(Qt::NoFocus);
        boite->setAlignment(Qt::AlignCenter);
        boite->setFont(arial);
        boite->setTextMargins(0, 0, 0, 0);
        boite->setFixedSize(taille);
        boite->setText(i == 96 ? QStringLiteral("2a") : i == 97 ? QStringLiteral("2b") : QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
        // The colour alone says it on screen.
        QString description = vert.test(size_t(i)) ? QStringLiteral("contacté") : QStringLiteral("pas encore contacté");
        if (const QString liste = moulins.value(i); !liste.isEmpty()) {
            boite->setToolTip(liste);
            description += QStringLiteral(", ") + liste;
        }
        Accessibilite::Nomme(boite, QStringLiteral("Département %1").arg(boite->text().toUpper()), description);
        QPalette p = boite->palette();
        p.setColor(QPalette::Base, vert.test(size_t(i)) ? Vert_Carte : palette().color(QPalette::Base));
        boite->setPalette(p);
    }
    Place_Boites(taille);
    for (const auto &[i, texte, place] : caches) {
        Dep[i]->setText(QString::fromLatin1(texte));
        Dep[i]->move(Fenetres::Twips(place.x()), Fenetres::Twips(place.y()));
        Dep[i]->hide();
    }
}

// Each box over its département, none covering another: where shapes are
// small, boxes move apart; one pushed off its shape points to it with a line.
void Carte_Acti::Place_Boites(QSize taille)
{
    std::vector<int> indices;
    std::vector<QPointF> ancres;
    std::vector<QRectF> zones;
    for (int i = 0; i < 100; ++i) {
        if (!Dessin_Carte::a_une_forme(i))
            continue;
        indices.push_back(i);
        zones.push_back(Picture1->zone(i));
        ancres.push_back(zones.back().center());
    }
    const auto centres = Ecarte_Boites(ancres, zones, taille, QRectF(Picture1->rect()));
    for (size_t k = 0; k < indices.size(); ++k) {
        const QPoint coin(qRound(centres[k].x() - taille.width() / 2.0), qRound(centres[k].y() - taille.height() / 2.0));
        QLineEdit *boite = Dep[indices[k]];
        boite->move(coin);
        if (!Picture1->sous_la_boite(indices[k], boite->geometry()))
            Picture1->ajoute_renvoi(QLineF(boite->geometry().center(), ancres[k]));
    }
}

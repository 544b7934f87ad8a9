#include "Fenetres.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QVBoxLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

namespace Fenetres {

double Agrandissement()
{
    // Before the application's font exists, the design as it is.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return 1.0;
    return std::max(1.0, QFontInfo(QGuiApplication::font()).pixelSize() / 12.0);
}

QGroupBox *Bandeau_Titre(QWidget *parent, const char *nom, const QString &titre, qreal points)
{
    auto *cadre = new QGroupBox(parent);
    cadre->setObjectName(QStringLiteral("Frame1"));
    auto *etiquette = new QLabel(titre, cadre);
    etiquette->setObjectName(QString::fromLatin1(nom));
    etiquette->setAlignment(Qt::AlignCenter);
    QFont f = etiquette->font();
    f.setBold(true);
    f.setPointSizeF(points);
    etiquette->setFont(f);
    (new QVBoxLayout(cadre))->addWidget(etiquette);
    return cadre;
}

QFont Police_Fixe(const QString &famille)
{
    // The fonts tools/paquets.sh installs come after the one asked for: the
    // system's fixed font is not always reported fixed-pitch (some Noto builds).
    for (const QString &nom : {famille, QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")}) {
        QFont f(nom);
        f.setStyleHint(QFont::Monospace);
        if (QFontInfo(f).fixedPitch())
            return f;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

QFont Police_Liste()
{
    QFont f = Police_Fixe(QStringLiteral("DejaVu Sans Mono"));
    f.setPixelSize(qRound(13 * Agrandissement()));
    f.setBold(true);
    return f;
}

QWidget *Liste_Titree(QWidget *parent, QAbstractItemView *liste, const char *nom_titres, const QList<Titre_Colonne> &titres)
{
    auto *ensemble = new QWidget(parent);
    auto *bande = new QWidget(ensemble);
    bande->setObjectName(QString::fromLatin1(nom_titres));
    bande->setFixedHeight(QFontMetrics(bande->font()).height() + 2);
    const qreal colonne = QFontMetricsF(liste->font()).horizontalAdvance(QLatin1Char('0'));
    // Where the list draws the first character of its lines.
    const int origine = liste->frameWidth() + 3;
    for (const auto &[nom, numero, texte] : titres) {
        auto *l = new QLabel(texte, bande);
        l->setObjectName(QString::fromLatin1(nom));
        l->move(origine + qRound(colonne * (numero - 1)), 0);
    }
    liste->setParent(ensemble);
    auto *pile = new QVBoxLayout(ensemble);
    pile->setContentsMargins(0, 0, 0, 0);
    pile->setSpacing(0);
    pile->addWidget(bande);
    pile->addWidget(liste, 1);
    return ensemble;
}

QList<QPushButton *> Rangee_Boutons(QWidget *fenetre, QBoxLayout *page, const QList<std::pair<const char *, QString>> &boutons)
{
    auto *rangee = new QHBoxLayout;
    rangee->addStretch();
    QList<QPushButton *> faits;
    for (const auto &[nom, texte] : boutons) {
        auto *b = new QPushButton(texte, fenetre);
        b->setObjectName(QString::fromLatin1(nom));
        b->setAutoDefault(true);
        rangee->addWidget(b);
        faits.append(b);
    }
    if (!faits.isEmpty())
        QObject::connect(faits.last(), &QPushButton::clicked, fenetre, &QWidget::close);
    page->addLayout(rangee);
    return faits;
}

QPushButton *Action_Et_Fermer(QWidget *fenetre, QBoxLayout *page, const char *nom_action, const QString &action,
                              const char *nom_fermer, const QString &fermer)
{
    return Rangee_Boutons(fenetre, page, {{nom_action, action}, {nom_fermer, fermer}}).first();
}

QGridLayout *Grille_Champs(QWidget *parent, const QList<std::pair<QString, QWidget *>> &champs)
{
    auto *grille = new QGridLayout;
    for (int rangee = 0; rangee < champs.size(); ++rangee) {
        auto *l = new QLabel(champs[rangee].first, parent);
        Accessibilite::Etiquette_De(l, champs[rangee].second);
        grille->addWidget(l, rangee, 0);
        grille->addWidget(champs[rangee].second, rangee, 1);
    }
    grille->setColumnStretch(1, 1);
    return grille;
}

namespace {

// Around a window not shown yet, what the window system will add: its
// frame is known only once shown.
QSize Cadre(const QWidget *fenetre)
{
    const QSize cadre = fenetre->frameGeometry().size() - fenetre->size();
    if (fenetre->isVisible() && cadre.width() > 0)
        return cadre;
    const int bord = fenetre->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
    const int titre = std::max(fenetre->style()->pixelMetric(QStyle::PM_TitleBarHeight), fenetre->fontMetrics().height() + 12);
    return {2 * bord, titre + 2 * bord};
}

bool Tient(QSize taille, QSize place) { return taille.width() <= place.width() && taille.height() <= place.height(); }

// What the window holds goes into a scroll area, at the size it asks.
void Defile(QWidget *fenetre, QSize contenu_voulu)
{
    auto *zone = new QScrollArea;
    zone->setObjectName(QStringLiteral("Defilement"));
    zone->setFrameShape(QFrame::NoFrame);
    zone->setWidgetResizable(true);
    // Tabbing through the controls scrolls to each; the area needs no focus of its own.
    zone->setFocusPolicy(Qt::NoFocus);
    // So does the program's own moving of the focus, Enter taking the entry to its next field.
    QObject::connect(qApp, &QApplication::focusChanged, zone, [zone](QWidget *, QWidget *maintenant) {
        // The whole control, not only its text cursor.
        if (maintenant && zone->widget() && zone->widget()->isAncestorOf(maintenant)) {
            const QRect r(maintenant->mapTo(zone->widget(), QPoint()), maintenant->size());
            zone->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 8, r.height() / 2 + 8);
        }
    });
    Accessibilite::Nomme(zone, QStringLiteral("Contenu de la fenêtre"), QStringLiteral("défile quand l'écran est trop petit"));
    if (auto *principale = qobject_cast<QMainWindow *>(fenetre)) {
        zone->setWidget(principale->takeCentralWidget());
        principale->setCentralWidget(zone);
    } else {
        auto *contenu = new QWidget;
        contenu->setObjectName(QStringLiteral("Contenu"));
        // Taken from the window with the controls it places.
        if (QLayout *l = fenetre->layout())
            contenu->setLayout(l);
        contenu->setMinimumSize(contenu_voulu);
        zone->setWidget(contenu);
        auto *page = new QVBoxLayout(fenetre);
        page->setContentsMargins(0, 0, 0, 0);
        page->addWidget(zone);
    }
}

// The window at the size its design and its font ask, made smaller when
// the screen has less room.
void Tient_Dans(QWidget *fenetre, QSize place)
{
    QLayout *l = fenetre->layout();
    if (l)
        l->activate();
    const bool fixe = fenetre->minimumSize() == fenetre->maximumSize();
    // A larger font asks more room than the design gave: the window grows.
    const QSize besoin = l ? l->totalMinimumSize() : fenetre->minimumSizeHint();
    QSize voulue = fixe || fenetre->testAttribute(Qt::WA_Resized) ? fenetre->size() : fenetre->sizeHint();
    voulue = voulue.expandedTo(besoin);
    if (Tient(voulue, place)) {
        if (fixe)
            fenetre->setFixedSize(voulue);
        else if (fenetre->testAttribute(Qt::WA_Resized))
            fenetre->resize(voulue);
        return;
    }
    if (fixe || !Tient(besoin, place)) {
        Defile(fenetre, fixe ? voulue : besoin);
        fenetre->setMinimumSize(QSize(200, 150).boundedTo(place));
        fenetre->setMaximumSize(fixe ? voulue : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }
    fenetre->resize(voulue.boundedTo(place));
}

} // namespace

void Centre(QWidget *fenetre)
{
    const QScreen *ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const QSize cadre = Cadre(fenetre);
    Tient_Dans(fenetre, zone.size() - cadre);
    const QSize taille = fenetre->size() + cadre;
    fenetre->move(zone.x() + std::max(0, (zone.width() - taille.width()) / 2),
                  zone.y() + std::max(0, (zone.height() - taille.height()) / 2));
}

} // namespace Fenetres

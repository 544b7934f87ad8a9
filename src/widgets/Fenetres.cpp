#include "Fenetres.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QGuiApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QScreen>

namespace Fenetres {

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
    f.setPixelSize(13);
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

void Centre(QWidget *fenetre)
{
    const QScreen *ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->geometry();
    const QSize taille = fenetre->frameGeometry().size();
    fenetre->move(zone.x() + (zone.width() - taille.width()) / 2, zone.y() + (zone.height() - taille.height()) / 2);
}

} // namespace Fenetres

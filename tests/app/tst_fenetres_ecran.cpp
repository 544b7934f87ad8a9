#include "Tout_Ouvert.h"

#include "Controles.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QTextDocument>

// Run by CTest at several scales and font resolutions on a 1,280 × 1,024
// screen: every window inside the screen's free area, every text whole.

namespace {

QString Sans_Mnemonique(QString texte)
{
    static const QRegularExpression seul(QStringLiteral("&(?!&)"));
    return texte.replace(seul, QString()).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// The width of the widget that its ancestors leave visible; what lies in a
// scroll area is seen by scrolling.
int Largeur_Visible(const QWidget *w)
{
    QRect r = w->rect();
    for (const QWidget *c = w; !c->isWindow(); c = c->parentWidget()) {
        const QWidget *p = c->parentWidget();
        if (auto *zone = qobject_cast<const QAbstractScrollArea *>(p->parentWidget()); zone && zone->viewport() == p)
            break;
        r = r.translated(c->pos()) & p->rect();
    }
    return r.width();
}

// The text wrapped in `zone` as drawn there: empty when it fits.
QString Enveloppe_Hors(const QWidget *w, const QString &texte, const QRect &zone, int alignement)
{
    const QRect pris = w->fontMetrics().boundingRect(zone, alignement | Qt::TextWordWrap, texte);
    if (pris.width() <= zone.width() && pris.height() <= zone.height())
        return {};
    return QStringLiteral("%1 × %2 pour %3 × %4").arg(pris.width()).arg(pris.height()).arg(zone.width()).arg(zone.height());
}

// What of the control's text does not fit where it is: empty when all of it does.
QString Texte_Coupe(QWidget *w)
{
    QStyle *style = w->style();
    const QFontMetrics fm = w->fontMetrics();
    const int place = std::min(w->width(), Largeur_Visible(w));
    auto trop_large = [&](int voulue, int largeur) {
        return voulue <= largeur ? QString() : QStringLiteral("%1 px pour %2").arg(voulue).arg(largeur);
    };
    if (auto *b = qobject_cast<Bouton_Multiligne *>(w)) {
        QStyleOptionButton option;
        option.initFrom(b);
        const QRect zone = style->subElementRect(QStyle::SE_PushButtonContents, &option, b).adjusted(1, 0, -1, 0);
        return Enveloppe_Hors(b, b->text().simplified(), zone.intersected(QRect(0, 0, place, b->height())), Qt::AlignCenter);
    }
    if (auto *c = qobject_cast<Case_Multiligne *>(w)) {
        QStyleOptionButton option;
        option.initFrom(c);
        const QRect indicateur = style->subElementRect(QStyle::SE_CheckBoxIndicator, &option, c);
        return Enveloppe_Hors(c, c->text(), QRect(0, 0, place, c->height()).adjusted(indicateur.right() + 4, 0, 0, 0),
                              Qt::AlignVCenter | Qt::AlignLeft);
    }
    if (auto *b = qobject_cast<QPushButton *>(w)) {
        const int marges = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b)
                           + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b)
                           + (b->icon().isNull() ? 0 : b->iconSize().width() + 4);
        return trop_large(fm.horizontalAdvance(Sans_Mnemonique(b->text())) + marges, place);
    }
    if (auto *c = qobject_cast<QCheckBox *>(w))
        return trop_large(style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, c)
                              + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, c)
                              + fm.horizontalAdvance(Sans_Mnemonique(c->text())),
                          place);
    if (auto *r = qobject_cast<QRadioButton *>(w))
        return trop_large(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, r)
                              + style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, r)
                              + fm.horizontalAdvance(Sans_Mnemonique(r->text())),
                          place);
    auto *l = qobject_cast<QLabel *>(w);
    if (!l)
        return {};
    QString texte = l->text();
    if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(texte))) {
        QTextDocument document;
        document.setHtml(texte);
        texte = document.toPlainText();
    } else if (l->buddy()) {
        texte = Sans_Mnemonique(texte);
    }
    const int marge = 2 * l->margin() + std::max(0, l->indent());
    const QRect zone = l->contentsRect().adjusted(0, 0, -marge, 0);
    if (l->wordWrap()) {
        // Wrapped, the label holds its text when it is tall enough for it.
        if (l->heightForWidth(l->width()) > l->height())
            return QStringLiteral("%1 px de haut pour %2").arg(l->heightForWidth(l->width())).arg(l->height());
        const int visible = std::min(zone.width(), place);
        for (const QString &mot : texte.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            if (fm.horizontalAdvance(mot) > visible)
                return QStringLiteral("« %1 » : %2").arg(mot, trop_large(fm.horizontalAdvance(mot), visible));
        return {};
    }
    const QStringList lignes = texte.split(u'\n');
    int voulue = 0;
    for (const QString &ligne : lignes)
        voulue = std::max(voulue, fm.horizontalAdvance(ligne));
    if (const QString coupe = trop_large(voulue, std::min(zone.width(), place - marge)); !coupe.isEmpty())
        return coupe;
    if (const int hauteur = fm.height() * int(lignes.size()); hauteur > zone.height())
        return QStringLiteral("%1 px de haut pour %2").arg(hauteur).arg(zone.height());
    return {};
}

} // namespace

class Tst_Fenetres_Ecran : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_ouvert.reset(); }
    void fenetre_dans_l_ecran_data() { lignes_fenetres(); }
    void fenetre_dans_l_ecran();
    void textes_entiers_data() { lignes_fenetres(); }
    void textes_entiers();
    void champ_donne_par_le_programme_montre();

private:
    void lignes_fenetres();
    QWidget *fenetre();
    std::unique_ptr<Tout_Ouvert> m_ouvert;
};

void Tst_Fenetres_Ecran::initTestCase()
{
    // The screen CTest asks for, whatever the scale: 1,280 × 1,024 pixels.
    const QScreen *ecran = QGuiApplication::primaryScreen();
    QVERIFY(ecran);
    // Scaled down then up again, a pixel may be rounded.
    const QSizeF pixels = QSizeF(ecran->geometry().size()) * ecran->devicePixelRatio();
    QVERIFY2(qAbs(pixels.width() - 1280) <= 1 && qAbs(pixels.height() - 1024) <= 1,
             qPrintable(QStringLiteral("écran de %1 × %2 pixels").arg(pixels.width()).arg(pixels.height())));
    qInfo("écran %dx%d, échelle %.2f, police de %d px", ecran->geometry().width(), ecran->geometry().height(),
          ecran->devicePixelRatio(), QFontInfo(QApplication::font()).pixelSize());
    m_ouvert = std::make_unique<Tout_Ouvert>();
}

void Tst_Fenetres_Ecran::lignes_fenetres()
{
    QTest::addColumn<QString>("nom");
    for (const char *nom : Fenetres_Du_Programme)
        QTest::newRow(nom) << QString::fromLatin1(nom);
}

QWidget *Tst_Fenetres_Ecran::fenetre()
{
    QFETCH(QString, nom);
    for (QWidget *f : m_ouvert->fenetres())
        if (f->objectName() == nom)
            return f;
    return nullptr;
}

void Tst_Fenetres_Ecran::fenetre_dans_l_ecran()
{
    QWidget *f = fenetre();
    QVERIFY2(f, "fenêtre pas ouverte");
    const QRect zone = f->screen()->availableGeometry();
    const QRect cadre = f->frameGeometry();
    QVERIFY2(zone.contains(cadre), qPrintable(QStringLiteral("%1,%2 %3 × %4 hors de %5 × %6")
                                                   .arg(cadre.x()).arg(cadre.y()).arg(cadre.width()).arg(cadre.height())
                                                   .arg(zone.width()).arg(zone.height())));
}

void Tst_Fenetres_Ecran::textes_entiers()
{
    QWidget *f = fenetre();
    QVERIFY2(f, "fenêtre pas ouverte");
    QStringList coupes;
    for (QWidget *w : f->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(f) || !(qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w)))
            continue;
        const QString texte = qobject_cast<QLabel *>(w) ? static_cast<QLabel *>(w)->text() : static_cast<QAbstractButton *>(w)->text();
        if (texte.trimmed().isEmpty())
            continue;
        if (const QString coupe = Texte_Coupe(w); !coupe.isEmpty())
            coupes.append(QStringLiteral("%1 « %2 » : %3").arg(w->objectName(), texte.simplified(), coupe));
    }
    for (const QString &c : coupes)
        qWarning("%s", qPrintable(c));
    QVERIFY2(coupes.isEmpty(), "des textes coupés (détail ci-dessus)");
}

// Where the main window scrolls, the field the entry moves to by itself
// (Enter in a field, a message closed) is scrolled into view.
void Tst_Fenetres_Ecran::champ_donne_par_le_programme_montre()
{
    QWidget *principale = nullptr;
    for (QWidget *f : m_ouvert->fenetres())
        if (f->objectName() == QLatin1String("Main"))
            principale = f;
    QVERIFY(principale);
    auto *zone = principale->findChild<QScrollArea *>(QStringLiteral("Defilement"));
    if (!zone)
        QSKIP("la fenêtre principale tient dans l'écran");
    principale->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(principale));
    for (const char *nom : {"Recherche", "Date_A", "Ajout_Saisie"}) {
        auto *champ = principale->findChild<QWidget *>(QString::fromLatin1(nom));
        QVERIFY2(champ, nom);
        champ->setEnabled(true);
        champ->setFocus();
        QTRY_VERIFY2(zone->viewport()->rect().contains(QRect(champ->mapTo(zone->viewport(), QPoint()), champ->size())), nom);
    }
}

QTEST_MAIN(Tst_Fenetres_Ecran)
#include "tst_fenetres_ecran.moc"

#include "Controles.h"

#include "Ligne_QSO.h"

#include <QHeaderView>

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// A control placed at a fixed place grows there, up and down alike, until
// `zone`, where it draws its text wrapped, holds all of it.
void Tient_Son_Texte(QWidget *w, const QRect &zone, const QString &texte, int alignement)
{
    const int voulue = w->fontMetrics().boundingRect(QRect(0, 0, zone.width(), 10 * w->height()), alignement | Qt::TextWordWrap, texte).height();
    if (const int manque = voulue - zone.height(); manque > 0)
        w->setGeometry(w->x(), w->y() - manque / 2, w->width(), w->height() + manque);
}

} // namespace

QRect Bouton_Multiligne::Zone_Texte() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(1, 0, -1, 0);
}

void Bouton_Multiligne::showEvent(QShowEvent *evenement)
{
    QPushButton::showEvent(evenement);
    Tient_Son_Texte(this, Zone_Texte(), text().simplified(), Qt::AlignCenter);
}

void Bouton_Multiligne::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    const QRect zone = Zone_Texte();
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(zone, Qt::AlignCenter | Qt::TextWordWrap, text().simplified());
}

QRect Case_Multiligne::Zone_Texte() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicateur = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    return rect().adjusted(indicateur.right() + 4, 0, 0, 0);
}

void Case_Multiligne::showEvent(QShowEvent *evenement)
{
    QCheckBox::showEvent(evenement);
    Tient_Son_Texte(this, Zone_Texte(), text(), Qt::AlignLeft);
}

void Case_Multiligne::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    const QRect indicateur = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    option.rect = indicateur;
    p.drawPrimitive(QStyle::PE_IndicatorCheckBox, option);
    const QRect zone = Zone_Texte();
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(zone, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = zone;
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool Frappe_Changee(QLineEdit *champ, const QKeyEvent *touche, QChar (*regle)(QChar))
{
    if (!champ || touche->text().size() != 1
        || (touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QChar frappe = touche->text().at(0);
    const QChar changee = regle(frappe);
    if (changee == frappe)
        return false;
    champ->insert(QString(changee));
    return true;
}

Liste_QSO::Liste_QSO(QWidget *parent) : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    Mesure_Lignes();
}

void Liste_QSO::Largeur_Lignes(int caracteres)
{
    m_caracteres = caracteres;
    Mesure_Lignes();
}

// A row as high as a list view would make it for this font; a line wider
// than the list scrolls instead of being cut.
void Liste_QSO::Mesure_Lignes()
{
    const QFontMetrics m(font());
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(m.height() + 1);
    horizontalHeader()->setMinimumSectionSize(m.horizontalAdvance(QString(m_caracteres, u'0')) + 8);
}

void Liste_QSO::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Mesure_Lignes();
}

void Liste_QSO::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex avant = currentIndex();
    QTableView::mousePressEvent(event);
    const QModelIndex touchee = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && touchee.isValid() && touchee == avant && currentIndex() == avant)
        emit ligne_reselectionnee(touchee);
}

QVariant Modele_Lignes_Liste::data(const QModelIndex &index, int role) const
{
    if (role == Qt::AccessibleTextRole)
        return Sous_Programmes::Phrase_Ligne_Liste(QStringListModel::data(index, Qt::DisplayRole).toString());
    return QStringListModel::data(index, role);
}

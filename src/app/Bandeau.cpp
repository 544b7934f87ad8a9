#include "Bandeau.h"

#include "Accessibilite.h"
#include "Dates.h"
#include "Fenetres.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

using Fenetres::Cree;
using Fenetres::Gras;

Bandeau::Bandeau(std::function<QDateTime()> horloge, const QTimeZone &zone, QWidget *parent)
    : QWidget(parent), m_horloge(std::move(horloge)), m_zone(zone)
{
    setObjectName(QStringLiteral("Bandeau"));
    auto etiquette = [](QWidget *dans, const char *nom, int x, int y, int largeur, int hauteur, const QString &texte = {}) {
        auto *l = Cree<QLabel>(dans, nom, x, y, largeur, hauteur);
        l->setText(texte);
        return l;
    };
    Cree<QFrame>(this, "Line1", 0, 0, 736, 1)->setFrameShape(QFrame::HLine);
    auto *Frame7 = Cree<QGroupBox>(this, "Frame7", 8, 8, 89, 49);
    Label33 = etiquette(Frame7, "Label33", 8, 16, 73, 25);
    auto *Frame1 = Cree<QGroupBox>(this, "Frame1", 96, 8, 337, 49);
    QLabel *Label2 = etiquette(Frame1, "Label2", 8, 16, 177, 25, QStringLiteral("DEZUDIDAR ERI"));
    A_Challenge = etiquette(Frame1, "A_Challenge", 176, 16, 49, 25);
    I_Station = etiquette(Frame1, "I_Station", 216, 16, 105, 25);
    I_Station->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette rouge = I_Station->palette();
    rouge.setColor(QPalette::WindowText, Qt::red);
    I_Station->setPalette(rouge);
    auto *Frame2 = Cree<QGroupBox>(this, "Frame2", 440, 8, 97, 49);
    Label34 = etiquette(Frame2, "Label34", 8, 8, 81, 25);
    Label37 = etiquette(Frame2, "Label37", 8, 24, 81, 17);
    for (QLabel *l : {Label33, Label2, A_Challenge, I_Station, Label34, Label37})
        Gras(l, 12);
    for (QLabel *l : {Label34, Label37})
        Gras(l, 10);

    auto *Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Bandeau::Timer1_Timer);
    Timer1_Timer();
    Timer1->start();
}

void Bandeau::montre_station(const QString &indicatif, const QString &annee)
{
    Accessibilite::Montre_Valeur(I_Station, indicatif, QStringLiteral("Station %1").arg(indicatif).trimmed());
    Accessibilite::Montre_Valeur(A_Challenge, annee, QStringLiteral("Année du challenge %1").arg(annee).trimmed());
}

void Bandeau::Timer1_Timer()
{
    const QDateTime maintenant = m_horloge();
    const QString utc = Sous_Programmes::Heure_Utc(maintenant).left(5);
    const QString locale = Sous_Programmes::Heure_Locale(maintenant, m_zone).left(5);
    const QString date = Sous_Programmes::Date_Jour(maintenant);
    Accessibilite::Montre_Valeur(Label37, utc + QStringLiteral(" Utc"), QStringLiteral("Heure UTC ") + utc);
    Accessibilite::Montre_Valeur(Label34, locale + QStringLiteral(" Loc"), QStringLiteral("Heure locale ") + locale);
    Accessibilite::Montre_Valeur(Label33, date, QStringLiteral("Date UTC ") + date);
}

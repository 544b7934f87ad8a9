#include "Calculs_Graphique.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace Graphiques {

namespace {

const QLocale &Francais()
{
    static const QLocale francais(QLocale::French, QLocale::France);
    return francais;
}

// The shared axis is the days of 2000, a leap year.
const QDate Axe_Debut(2000, 1, 1);

} // namespace

int Places(Forme forme) { return forme == Forme::Courbes_Jours ? Jours : 12; }

QString Nombre(double valeur) { return Francais().toString(qlonglong(std::llround(valeur))); }

QString Unite::Dit(double valeur) const
{
    // French counts 0 and 1 in the singular.
    return Nombre(valeur) + u' ' + (std::abs(valeur) < 2 ? un : plusieurs);
}

double Maximum(const Contenu &contenu)
{
    double maximum = 0;
    if (contenu.forme == Forme::Courbes_Jours) {
        for (const Serie &s : contenu.series)
            for (double v : s.valeurs)
                maximum = std::max(maximum, v);
        return maximum;
    }
    for (size_t m = 0; m < 12; ++m) {
        double pile = 0;
        for (const Serie &s : contenu.series)
            pile += m < s.valeurs.size() ? std::max(0.0, s.valeurs[m]) : 0;
        maximum = std::max(maximum, pile);
    }
    return maximum;
}

Graduations Graduations_Rondes(double maximum, int intervalles)
{
    intervalles = std::max(1, intervalles);
    if (!(maximum > 0) || !std::isfinite(maximum))
        return {1, 1};
    for (double puissance = 1;; puissance *= 10)
        for (double multiple : {1, 2, 5}) {
            const double pas = multiple * puissance;
            const double nombre = std::ceil(maximum / pas);
            if (nombre <= intervalles)
                return {pas, nombre * pas};
        }
}

int Repere::Place(double x) const
{
    if (!(trace.width() > 0))
        return 0;
    const int place = int(std::floor((x - trace.left()) / Largeur_Place()));
    return std::clamp(place, 0, Places(forme) - 1);
}

int Premier_Jour(int mois)
{
    // The axis is a leap year.
    const int m = std::clamp(mois, 0, 12);
    return m == 12 ? Jours : int(Axe_Debut.daysTo(QDate(2000, m + 1, 1)));
}

QDate Date_Du_Jour(int annee, int jour)
{
    const QDate axe = Axe_Debut.addDays(jour);
    const QDate date(annee, axe.month(), axe.day());
    return date.isValid() ? date : QDate(annee, axe.month(), axe.day() - 1);
}

QString Nom_Mois(int mois, QLocale::FormatType format) { return Francais().standaloneMonthName(mois + 1, format); }

QString Nom_Place(Forme forme, int place)
{
    if (forme == Forme::Barres_Mois)
        return Nom_Mois(place, QLocale::LongFormat);
    const QDate jour = Axe_Debut.addDays(place);
    return (jour.day() == 1 ? QStringLiteral("1er") : QString::number(jour.day())) + u' '
           + Francais().monthName(jour.month(), QLocale::LongFormat);
}

QString Texte_Info_Bulle(const Contenu &contenu, int place)
{
    QString texte = Nom_Place(contenu.forme, place);
    for (const Serie &s : contenu.series) {
        const bool a_valeur = place >= 0 && size_t(place) < s.valeurs.size();
        if (contenu.forme == Forme::Courbes_Jours && a_valeur)
            texte += u'\n' + s.nom + QStringLiteral(" : ") + s.unite.Dit(s.valeurs[size_t(place)]);
        else if (contenu.forme == Forme::Barres_Mois)
            texte += u'\n' + s.unite.Dit(a_valeur ? s.valeurs[size_t(place)] : 0);
    }
    return texte;
}

QString Description(const Contenu &contenu)
{
    QStringList parties;
    if (contenu.forme == Forme::Courbes_Jours) {
        for (const Serie &s : contenu.series)
            if (!s.valeurs.empty())
                parties.append(QStringLiteral("%1 : %2 au %3")
                                   .arg(s.nom, s.unite.Dit(s.valeurs.back()),
                                        Date_Du_Jour(s.annee, int(s.valeurs.size()) - 1).toString(QStringLiteral("dd/MM/yy"))));
        return parties.join(QStringLiteral(" ; "));
    }
    for (int m = 0; m < 12; ++m) {
        QStringList valeurs;
        for (const Serie &s : contenu.series)
            valeurs.append(s.unite.Dit(size_t(m) < s.valeurs.size() ? s.valeurs[size_t(m)] : 0));
        parties.append(Nom_Place(contenu.forme, m) + QStringLiteral(" : ") + valeurs.join(QStringLiteral(", ")));
    }
    return parties.join(QStringLiteral(" ; "));
}

} // namespace Graphiques

#include "Imprimante.h"

#include "Fenetres.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <QPrintDialog>
#include <QPrinter>

namespace Impression {

namespace {

Choix &Choix_Installe()
{
    static Choix choix;
    return choix;
}

// The printer stays from one print to the next, with the operator's choices.
QPrinter &Imprimante()
{
    static QPrinter imprimante(QPrinter::HighResolution);
    return imprimante;
}

} // namespace

void Installe_Choix(Choix choix) { Choix_Installe() = std::move(choix); }

QFont Police_Lignes()
{
    QFont f = Fenetres::Police_Fixe(QStringLiteral("Courier New"));
    f.setPointSize(10);
    f.setBold(true);
    return f;
}

qsizetype Lignes_Par_Page(const QFontMetrics &mesure, int hauteur)
{
    return 1 + std::max(0, (hauteur - mesure.height()) / mesure.lineSpacing());
}

void Dessine_Lignes(QPainter &p, const QStringList &lignes, qsizetype de, qsizetype a, int haut)
{
    p.setFont(Police_Lignes());
    const QFontMetrics mesure(p.font(), p.device());
    int y = haut;
    for (qsizetype i = de; i < a; ++i) {
        p.drawText(0, y + mesure.ascent(), lignes[i]);
        y += mesure.lineSpacing();
    }
}

Sous_Programmes::Statut Imprime_Lignes(QPaintDevice &feuille, const std::function<bool()> &page_suivante,
                                       const QStringList &lignes, const std::function<bool(qint64 fait, qint64 total)> &avance)
{
    QPainter p;
    if (!p.begin(&feuille))
        return Sous_Programmes::Erreur{QStringLiteral("Impossible d'imprimer : l'imprimante choisie n'est pas disponible.")};
    const qsizetype par_page = Lignes_Par_Page(QFontMetrics(Police_Lignes(), &feuille), feuille.height());
    for (qsizetype de = 0; de < lignes.size(); de += par_page) {
        if (de > 0 && !page_suivante()) {
            p.end();
            return Sous_Programmes::Erreur{QStringLiteral("L'impression s'est arrêtée : l'imprimante refuse une nouvelle page.")};
        }
        if (avance && !avance(de, lignes.size())) {
            p.end();
            return Sous_Programmes::Erreur{QStringLiteral("Arrêté avant la fin.")};
        }
        Dessine_Lignes(p, lignes, de, std::min(de + par_page, lignes.size()), 0);
    }
    if (!p.end())
        return Sous_Programmes::Erreur{QStringLiteral("L'impression n'a pas pu être terminée.")};
    return Sous_Programmes::Succes();
}

bool Choisie(QPrinter &imprimante, QWidget *parent)
{
    return Choix_Installe() ? Choix_Installe()(imprimante, parent)
                            : QPrintDialog(&imprimante, parent).exec() == QDialog::Accepted;
}

Sous_Programmes::Statut Imprime(QWidget *parent, const QStringList &lignes, bool *imprime)
{
    if (imprime)
        *imprime = false;
    QPrinter &imprimante = Imprimante();
    imprimante.setPageOrientation(QPageLayout::Portrait);
    if (!Choisie(imprimante, parent))
        return Sous_Programmes::Succes(); // cancelled: nothing printed
    Sous_Programmes::Statut s = Imprime_Lignes(imprimante, [&] { return imprimante.newPage(); }, lignes);
    if (imprime)
        *imprime = s.ok();
    return s;
}

Sous_Programmes::Statut Imprime_Dessin(QPaintDevice &feuille, const Dessin &dessin)
{
    QPainter p;
    if (!p.begin(&feuille))
        return Sous_Programmes::Erreur{QStringLiteral("Impossible d'imprimer : l'imprimante choisie n'est pas disponible.")};
    dessin(p, QRect(0, 0, feuille.width(), feuille.height()));
    if (!p.end())
        return Sous_Programmes::Erreur{QStringLiteral("L'impression n'a pas pu être terminée.")};
    return Sous_Programmes::Succes();
}

Sous_Programmes::Statut Imprime_Paysage(QWidget *parent, const Dessin &dessin)
{
    QPrinter &imprimante = Imprimante();
    imprimante.setPageOrientation(QPageLayout::Landscape);
    if (!Choisie(imprimante, parent))
        return Sous_Programmes::Succes(); // cancelled: nothing printed
    return Imprime_Dessin(imprimante, dessin);
}

} // namespace Impression

#include "Imprimante.h"

#include "Fenetres.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace Impression {

namespace {

Choix &Choix_Installe()
{
    static Choix choix;
    return choix;
}

QFont Police_Impression()
{
    QFont f = Fenetres::Police_Fixe(QStringLiteral("Courier New"));
    f.setPointSize(10);
    f.setBold(true);
    return f;
}

// The printer stays from one print to the next, with the operator's choices.
QPrinter &Imprimante()
{
    static QPrinter imprimante(QPrinter::HighResolution);
    return imprimante;
}

} // namespace

void Installe_Choix(Choix choix) { Choix_Installe() = std::move(choix); }

Sous_Programmes::Statut Imprime_Lignes(QPaintDevice &feuille, const std::function<bool()> &page_suivante,
                                       const QStringList &lignes)
{
    QPainter p;
    if (!p.begin(&feuille))
        return Sous_Programmes::Erreur{QStringLiteral("Impossible d'imprimer : l'imprimante choisie n'est pas disponible.")};
    p.setFont(Police_Impression());
    const QFontMetrics mesure(p.font(), &feuille);
    int y = 0;
    for (const QString &ligne : lignes) {
        if (y > 0 && y + mesure.height() > feuille.height()) {
            if (!page_suivante()) {
                p.end();
                return Sous_Programmes::Erreur{QStringLiteral("L'impression s'est arrêtée : l'imprimante refuse une nouvelle page.")};
            }
            y = 0;
        }
        p.drawText(0, y + mesure.ascent(), ligne);
        y += mesure.lineSpacing();
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

Sous_Programmes::Statut Imprime(QWidget *parent, const QStringList &lignes)
{
    QPrinter &imprimante = Imprimante();
    imprimante.setPageOrientation(QPageLayout::Portrait);
    if (!Choisie(imprimante, parent))
        return Sous_Programmes::Succes(); // cancelled: nothing printed
    return Imprime_Lignes(imprimante, [&] { return imprimante.newPage(); }, lignes);
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

#include "Impression.h"

#include "Calculs_Rapports.h"
#include "Fenetres.h"
#include "Texte.h"

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

Sous_Programmes::Statut Imprime(QWidget *parent, const QStringList &lignes)
{
    QPrinter &imprimante = Imprimante();
    const bool choisie = Choix_Installe() ? Choix_Installe()(imprimante, parent)
                                          : QPrintDialog(&imprimante, parent).exec() == QDialog::Accepted;
    if (!choisie)
        return Sous_Programmes::Succes(); // cancelled: nothing printed
    return Imprime_Lignes(imprimante, [&] { return imprimante.newPage(); }, lignes);
}

} // namespace Impression

namespace Sous_Programmes {

Statut Imprime_Contactes(QWidget *parent, const Contenu_Log &contenu, const QString &indicatif, const QString &annee,
                         const QString &date_du_jour, const QString &total)
{
    const QByteArray listing = Listing_Contactes(contenu, Forme_Listing::Papier, indicatif, annee, date_du_jour, total);
    QStringList lignes = Depuis_Log(listing).split(QStringLiteral("\r\n"));
    lignes.removeLast(); // what follows the last line end
    return Impression::Imprime(parent, lignes);
}

} // namespace Sous_Programmes

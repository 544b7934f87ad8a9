#include "Impression.h"

#include "Calculs_Rapports.h"
#include "Texte.h"

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

#pragma once

#include "Departements.h"
#include "Journal.h"
#include "Resultat.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <bitset>

// What the reports compute from a log; no window here.
namespace Sous_Programmes {

struct Recapitulatif_Log {
    int contacte = 0;        // Moulin Contacte
    int reactivation_contactee = 0;
    int resident_contacte = 0;
    int active = 0;          // Moulin active
    int reactivation_activee = 0;
    int resident_active = 0;
    int doubles = 0;         // Double, and Double ou non validé
    int departements = 0;
    long long total = 0;
};
Recapitulatif_Log Compte_Recapitulatif(const Contenu_Log &contenu);

// The summary sheet's counted rows, in its order: what each counts, how many.
struct Rangee_Recapitulatif {
    QString texte;
    long long nombre;
};
std::array<Rangee_Recapitulatif, 8> Rangees_Recapitulatif(const Recapitulatif_Log &r);


// One row of the contacted-mills listing: margin, number, the line as
// stored, its points.
void Ajoute_Ligne_Contacte(QByteArray &sortie, int marge, qsizetype numero, QByteArrayView ligne);

enum class Forme_Listing { Fichier, Papier };
// The listing's column heads.
QString Entete_Listing(Forme_Listing forme);

// The whole listing, lines ended by CR LF, in the log's code page.
QByteArray Listing_Contactes(const Contenu_Log &contenu, Forme_Listing forme, const QString &indicatif,
                             const QString &annee, const QString &date_du_jour, const QString &total);

// The export file's name: the log's, with the day of the export.
QString Nom_Export(const QString &indicatif, const QString &annee, const QDate &jour);

// Writes the listing of the log to the export file of the day, in the
// program folder, replacing one of the same day. Gives the file's name.
Resultat<QString> Enregistre_Contactes(const QString &chemin_log, const QString &indicatif, const QString &annee,
                                       const QString &total, const QDate &jour_local, const QString &date_courte,
                                       const QString &dossier);

} // namespace Sous_Programmes

#include "Calculs_Rapports.h"

#include "Ligne_QSO.h"
#include "Points.h"
#include "Texte.h"

#include <QDir>

#include <algorithm>
#include <cstring>

namespace Sous_Programmes {

namespace {

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

} // namespace

Recapitulatif_Log Compte_Recapitulatif(const Contenu_Log &contenu)
{
    // The row of each position of the activity list; the operators have none.
    static int Recapitulatif_Log::*const rangees[] = {
        &Recapitulatif_Log::contacte,        &Recapitulatif_Log::reactivation_contactee, &Recapitulatif_Log::resident_contacte,
        &Recapitulatif_Log::active,          &Recapitulatif_Log::reactivation_activee,   &Recapitulatif_Log::resident_active,
        nullptr,                             nullptr,                                    &Recapitulatif_Log::doubles};
    Recapitulatif_Log r;
    bool departements[111] = {};
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        const QByteArrayView l = contenu.ligne(i);
        const char *p = l.data();
        const int d = l.size() >= 12 && Chiffre(p[10]) && Chiffre(p[11]) ? (p[10] - '0') * 10 + (p[11] - '0')
                                                                          : Departement_Recapitulatif(Champ(l, 11, 2));
        if (d >= 1 && d <= 110)
            departements[d] = true;
        const int position = Position_Type(l);
        if (position >= 0) {
            if (rangees[position])
                ++(r.*rangees[position]);
            if (l[9] != '*')
                r.total += Types_Activite[size_t(position)].points;
        } else if (Sans_Blancs(Type_QSO(l)) == QByteArrayView("Double")) {
            ++r.doubles; // the word older logs hold
        }
    }
    r.departements = int(std::count(std::begin(departements), std::end(departements), true));
    return r;
}

std::array<Rangee_Recapitulatif, 8> Rangees_Recapitulatif(const Recapitulatif_Log &v)
{
    return {{{QStringLiteral("Nombre d'activations DMF contactées"), v.contacte},
             {QStringLiteral("Nombre de réactivations DMF contactées"), v.reactivation_contactee},
             {QStringLiteral("Nombre de DMF résidents Contactés"), v.resident_contacte},
             {QStringLiteral("Nombre de DMF activés"), v.active},
             {QStringLiteral("Nombre de DMF réactivés"), v.reactivation_activee},
             {QStringLiteral("Nombre de DMF résidents activés"), v.resident_active},
             {QStringLiteral("Nombre de DMF en double"), v.doubles},
             {QStringLiteral("Nombre de départements contactés"), v.departements}}};
}

QString Entete_Listing(Forme_Listing forme)
{
    return forme == Forme_Listing::Papier ? QStringLiteral("     N°      Date    DMF     Type d'activité       Indicatif   Points")
                                          : QStringLiteral("     N°      Date   DMF      Type d'activité       Indicatif   Points");
}

void Ajoute_Ligne_Contacte(QByteArray &sortie, int marge, qsizetype numero, QByteArrayView ligne)
{
    sortie.append(marge, ' ');
    Ajoute_Numero(sortie, numero);
    sortie.append(ligne);
    const char fin[4] = {' ', ' ', ' ', char('0' + Points_QSO(ligne))};
    sortie.append(fin, 4);
}

QByteArray Listing_Contactes(const Contenu_Log &contenu, Forme_Listing forme, const QString &indicatif,
                             const QString &annee, const QString &date_du_jour, const QString &total)
{
    const bool papier = forme == Forme_Listing::Papier;
    const QString titre = QString(12, u' ') + indicatif + (papier ? QStringLiteral(" Radovered ") : QStringLiteral(" Dezudidar ERI "))
        + annee + QString::fromUtf8("    Moulins contactés au ") + date_du_jour;
    const QString entete = Entete_Listing(forme);
    // What cannot be held in the code page shows as "?": the listing is read, not read back.
    auto octets = [](const QString &texte) { return Vers_Log(texte).value_or(texte.toLatin1()); };

    QByteArray sortie;
    sortie.reserve(512);
    sortie.append(octets(titre)).append("\r\n\r\n").append(octets(entete)).append("\r\n\r\n");

    // The rows are most of a big listing: written straight into room made
    // once, the number counted up in place rather than converted each time.
    const qsizetype tete = sortie.size();
    const qsizetype largeur_rangee = 2 + 8 + 4 + 2; // margin, number, points, line end
    sortie.resize(tete + contenu.taille_octets() + contenu.nombre() * largeur_rangee);
    char *p = sortie.data() + tete;
    char numero[8] = {' ', ' ', ' ', ' ', '0', ' ', ' ', ' '};
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        const QByteArrayView ligne = contenu.ligne(i);
        *p++ = ' ';
        *p++ = ' ';
        if (i + 1 < 100000) {
            for (int k = 4;; --k) {
                char &c = numero[k];
                if (c == '9') {
                    c = '0';
                    continue;
                }
                c = c == ' ' ? '1' : char(c + 1);
                break;
            }
            std::memcpy(p, numero, 8);
            p += 8;
        } else {
            QByteArray long_numero;
            Ajoute_Numero(long_numero, i + 1);
            const qsizetype en_plus = long_numero.size() - 8;
            const qsizetype ecrit = p - sortie.data();
            sortie.resize(sortie.size() + en_plus);
            p = sortie.data() + ecrit;
            std::memcpy(p, long_numero.constData(), size_t(long_numero.size()));
            p += long_numero.size();
        }
        std::memcpy(p, ligne.data(), size_t(ligne.size()));
        p += ligne.size();
        const char fin[6] = {' ', ' ', ' ', char('0' + Points_QSO(ligne)), '\r', '\n'};
        std::memcpy(p, fin, 6);
        p += 6;
    }
    sortie.truncate(p - sortie.data());
    sortie.append("\r\n").append(QByteArray(29, ' ')).append("Total des points : ").append(octets(total)).append("\r\n\r\n");
    return sortie;
}

QString Nom_Export(const QString &indicatif, const QString &annee, const QDate &jour)
{
    return Nom_Log(indicatif, annee).chopped(4) + jour.toString(QStringLiteral("_dd_MM_yy")) + QStringLiteral(".txt");
}

Resultat<QString> Enregistre_Contactes(const QString &chemin_log, const QString &indicatif, const QString &annee,
                                       const QString &total, const QDate &jour_local, const QString &date_courte,
                                       const QString &dossier)
{
    if (const Statut s = Verifie_Nom_Station(indicatif, annee); !s)
        return Erreur{s.erreur()};
    const auto contenu = Lit_Log(chemin_log);
    if (!contenu)
        return Erreur{contenu.erreur()};
    const QString nom = Nom_Export(indicatif, annee, jour_local);
    const QByteArray listing = Listing_Contactes(contenu.valeur(), Forme_Listing::Fichier, indicatif, annee, date_courte, total);
    // Written whole under another name first: never a half file under this one.
    if (const Statut s = Reecrit_Fichier(QDir(dossier).filePath(nom), QString::fromLatin1(Nom_Temporaire), listing, Si_Absent::Creer); !s)
        return Erreur{s.erreur()};
    return nom;
}

} // namespace Sous_Programmes

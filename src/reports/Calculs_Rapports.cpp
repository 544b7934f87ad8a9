#include "Calculs_Rapports.h"

#include "Ligne_QSO.h"
#include "Points.h"
#include "Texte.h"

#include <QDir>

namespace Sous_Programmes {

namespace {

std::optional<int> Corse(QByteArrayView paire)
{
    if (paire == QByteArrayView("2A") || paire == QByteArrayView("2a"))
        return 96;
    if (paire == QByteArrayView("2B") || paire == QByteArrayView("2b"))
        return 97;
    return std::nullopt;
}

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

} // namespace

int Departement_Recapitulatif(QByteArrayView paire)
{
    if (const auto corse = Corse(paire))
        return *corse;
    int valeur = 0;
    for (char c : paire) {
        if (c == ' ')
            continue;
        if (!Chiffre(c))
            break;
        valeur = valeur * 10 + (c - '0');
    }
    return valeur;
}

std::optional<int> Departement_Carte(QByteArrayView paire)
{
    if (const auto corse = Corse(paire))
        return corse;
    if (paire.isEmpty() || !Chiffre(paire[0]))
        return std::nullopt;
    // A second character that is not a digit (a blank after a single digit)
    // leaves the first digit alone.
    if (paire.size() > 1 && Chiffre(paire[1]))
        return (paire[0] - '0') * 10 + (paire[1] - '0');
    return paire[0] - '0';
}

Recapitulatif_Log Compte_Recapitulatif(const Contenu_Log &contenu)
{
    static const std::pair<QByteArrayView, int Recapitulatif_Log::*> rangees[] = {
        {"Moulin Contacte", &Recapitulatif_Log::contacte},
        {"Reactivation Contactee", &Recapitulatif_Log::reactivation_contactee},
        {"Resident Contacte", &Recapitulatif_Log::resident_contacte},
        {"Moulin active", &Recapitulatif_Log::active},
        {"Reactivation activee", &Recapitulatif_Log::reactivation_activee},
        {"Resident active", &Recapitulatif_Log::resident_active},
        {"Double", &Recapitulatif_Log::doubles},
        {"Double ou non valid\xE9", &Recapitulatif_Log::doubles},
    };
    Recapitulatif_Log r;
    std::bitset<111> departements;
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        const QByteArrayView l = contenu.ligne(i);
        const int d = Departement_Recapitulatif(DMF_QSO(l).first(qMin<qsizetype>(2, DMF_QSO(l).size())));
        if (d >= 1 && d <= 110)
            departements.set(size_t(d));
        const QByteArrayView type = Sans_Blancs(Type_QSO(l));
        for (const auto &[texte, compteur] : rangees) {
            if (type == texte) {
                ++(r.*compteur);
                break;
            }
        }
        r.total += Points_QSO(l);
    }
    r.departements = int(departements.count());
    return r;
}

Carte_Log Colore_Carte(const Contenu_Log &contenu)
{
    Carte_Log carte;
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        const QByteArrayView dmf = DMF_QSO(contenu.ligne(i));
        if (const auto d = Departement_Carte(dmf.first(qMin<qsizetype>(2, dmf.size()))))
            carte.vert.set(size_t(*d));
    }
    carte.nombre = int(carte.vert.count()) - (carte.vert.test(0) ? 1 : 0);
    return carte;
}

void Ajoute_Ligne_Contacte(QByteArray &sortie, int marge, qsizetype numero, QByteArrayView ligne)
{
    sortie.append(marge, ' ');
    const QByteArray chiffres = QByteArray::number(numero);
    sortie.append(qMax<qsizetype>(0, 5 - chiffres.size()), ' ');
    sortie.append(chiffres);
    sortie.append("   ");
    sortie.append(ligne);
    sortie.append("   ");
    sortie.append(char('0' + Points_QSO(ligne)));
}

QByteArray Listing_Contactes(const Contenu_Log &contenu, Forme_Listing forme, const QString &indicatif,
                             const QString &annee, const QString &date_du_jour, const QString &total)
{
    const bool papier = forme == Forme_Listing::Papier;
    const QString titre = QString(12, u' ') + indicatif + (papier ? QStringLiteral(" Radovered ") : QStringLiteral(" Dezudidar ERI "))
        + annee + QString::fromUtf8("    Moulins contactés au ") + date_du_jour;
    const QString entete = papier ? QString::fromUtf8("     N°      Date    DMF     Type d'activité       Indicatif   Points")
                                  : QString::fromUtf8("     N°      Date   DMF      Type d'activité       Indicatif   Points");
    // What cannot be held in the code page shows as "?": the listing is read, not read back.
    auto octets = [](const QString &texte) { return Vers_Log(texte).value_or(texte.toLatin1()); };

    QByteArray sortie;
    sortie.reserve(contenu.taille_octets() + contenu.nombre() * 16 + 512);
    sortie.append(octets(titre)).append("\r\n\r\n").append(octets(entete)).append("\r\n\r\n");
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        Ajoute_Ligne_Contacte(sortie, 2, i + 1, contenu.ligne(i));
        sortie.append("\r\n");
    }
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

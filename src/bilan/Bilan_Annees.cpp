#include "Bilan_Annees.h"

#include "Departements.h"
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Points.h"
#include "Texte.h"

#include <QDir>

#include <algorithm>
#include <bitset>

using namespace Sous_Programmes;

namespace Bilan {

namespace {

// Far beyond what 99,999 lines can hold: a file this big is no log.
constexpr qint64 Taille_Maximum = 64 * 1024 * 1024;

constexpr std::array<int, 12> Debut_Mois{0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};


bool Annee_Quatre_Chiffres(QStringView t)
{
    return t.size() == 4 && std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

int Jour_De_L_Annee(int mois, int jour) { return Debut_Mois[size_t(mois - 1)] + jour - 1; }

Annee Calcule_Annee(const Contenu_Log &contenu, const QString &annee)
{
    Annee a;
    a.annee = annee;
    std::array<long long, Jours> points_du_jour{};
    // The first day each map box was reached.
    std::array<int, 100> premier_jour;
    premier_jour.fill(Jours);
    // Each number once: a mark per possible number, the odd ones sorted apart.
    std::vector<bool> vus(Codes_DMF);
    std::vector<QByteArray> autres;
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        const QByteArrayView l = contenu.ligne(i);
        // Every line's points, as the total counts them, on its day if it has one.
        const int points = Points_QSO(l);
        a.points += points;
        const int date = Jour_Insertion(l);
        const int mois = date / 100 % 100;
        const int jour = date ? Jour_De_L_Annee(mois, date % 100) : -1;
        if (jour >= 0)
            points_du_jour[size_t(jour)] += points;
        const QByteArrayView dmf = Sans_Blancs(DMF_QSO(l));
        if (dmf.isEmpty())
            continue;
        ++a.qso;
        if (const int code = Code_DMF(dmf); code >= 0) {
            a.moulins += !vus[size_t(code)];
            vus[size_t(code)] = true;
        } else {
            autres.push_back(dmf.toByteArray());
        }
        const bool attente = Attente_QSO(l) == "*";
        a.en_attente += attente;
        if (jour < 0) {
            ++a.sans_date;
            continue;
        }
        ++(attente ? a.mois_en_attente : a.mois_valides)[size_t(mois - 1)];
        if (const int d = Departement_Carte(Champ(l, 11, 2)); d > 0)
            premier_jour[size_t(d)] = std::min(premier_jour[size_t(d)], jour);
    }
    std::sort(autres.begin(), autres.end());
    a.moulins += std::unique(autres.begin(), autres.end()) - autres.begin();
    a.departements = Colore_Carte(contenu).nombre;

    std::array<int, Jours + 1> nouveaux{};
    for (int j : premier_jour)
        ++nouveaux[size_t(j)];
    long long points = 0;
    int departements = 0;
    for (int j = 0; j < Jours; ++j) {
        points += points_du_jour[size_t(j)];
        departements += nouveaux[size_t(j)];
        a.points_cumules[size_t(j)] = points;
        a.departements_cumules[size_t(j)] = departements;
    }
    return a;
}

Statistiques Lit_Statistiques(const QString &dossier, const QString &indicatif, const QString &annee_courante)
{
    const QString debut = indicatif + QStringLiteral("_Dezudidar_ERI_");
    QStringList annees;
    const QStringList noms = QDir(dossier).entryList({debut + QStringLiteral("*.txt")}, QDir::Files | QDir::System | QDir::Hidden);
    for (const QString &nom : noms) {
        const QStringView annee = QStringView(nom).sliced(debut.size(), nom.size() - debut.size() - 4);
        // The naming rule, exactly: another station's prefix is no match.
        if (nom.startsWith(debut) && Annee_Quatre_Chiffres(annee) && annee != annee_courante)
            annees.append(annee.toString());
    }
    std::sort(annees.begin(), annees.end(), std::greater<>());
    annees.prepend(annee_courante);

    Statistiques s;
    QByteArray tampon;
    for (const QString &annee : annees) {
        const QString chemin = QDir(dossier).filePath(Nom_Log(indicatif, annee));
        const QFileInfo info(chemin);
        if (info.size() > Taille_Maximum) {
            s.ignores.append(QStringLiteral("Log de %1 ignoré : le fichier %2 fait %3 Mo, bien plus qu'un log.")
                                 .arg(annee, QDir::toNativeSeparators(chemin))
                                 .arg(info.size() / (1024 * 1024)));
            continue;
        }
        auto contenu = Lit_Log(chemin, std::move(tampon));
        if (!contenu) {
            if (annee != annee_courante || info.exists() || info.isSymLink())
                s.ignores.append(QStringLiteral("Log de %1 ignoré : %2").arg(annee, contenu.erreur()));
            continue;
        }
        s.annees.push_back(Calcule_Annee(contenu.valeur(), annee));
        tampon = contenu.valeur().libere();
    }
    return s;
}

} // namespace Bilan

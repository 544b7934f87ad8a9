#include "Verifications.h"

#include "Ligne_QSO.h"
#include "Liste_Moulins.h"
#include "Points.h"
#include "Texte.h"

#include <QHash>

namespace Sous_Programmes {

namespace {

// A type the operator marked himself as a double is no finding.
bool Type_Double(QByteArrayView ligne)
{
    const int position = Position_Type(ligne);
    return (position >= 0 && Types_Activite[size_t(position)].points == 0) || Sans_Blancs(Type_QSO(ligne)) == QByteArrayView("Double");
}

QString Pluriel(qsizetype n, const char *un, const char *plusieurs)
{
    return QString::number(n) + u' ' + QString::fromUtf8(n > 1 ? plusieurs : un);
}

} // namespace

std::vector<Anomalie> Verifie_Log(const Contenu_Log &contenu, const QString &annee, const Moulins::Liste *liste,
                                  const Feuille_Faite &feuille_faite)
{
    std::vector<Anomalie> trouvees;
    const bool avec_liste = liste && !liste->vide();
    QHash<QByteArray, qsizetype> premiere; // each number's first line
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        const QByteArrayView l = contenu.ligne(i);
        const QByteArray dmf = Sans_Blancs(DMF_QSO(l)).toByteArray();
        const auto ajoute = [&](Sorte_Anomalie sorte, const QString &texte, int points = 0) {
            trouvees.push_back({sorte, i, Sans_Blancs(Date_QSO(l)).toByteArray(), dmf, Sans_Blancs(Indicatif_QSO(l)).toByteArray(),
                                points, texte});
        };
        const int position = Position_Type(l);
        if (Attente_QSO(l) == "*")
            ajoute(Sorte_Anomalie::En_Attente, QStringLiteral("en attente de validation : 0 point tant qu'il n'est pas validé"),
                   position >= 0 ? Types_Activite[size_t(position)].points : 0);
        if (!dmf.isEmpty() && !Type_Double(l)) {
            const auto p = premiere.constFind(dmf);
            if (p == premiere.cend())
                premiere.insert(dmf, i);
            else
                ajoute(Sorte_Anomalie::Double,
                       QStringLiteral("N° DMF déjà à la ligne %1 : compté une seule fois").arg(*p + 1));
        }
        const auto date = Cle_Insertion(l);
        if (!date)
            ajoute(Sorte_Anomalie::Date_Hors_Annee, QStringLiteral("date qui n'est pas une date du calendrier"));
        else if (QString::number(date->year()) != annee)
            ajoute(Sorte_Anomalie::Date_Hors_Annee, QStringLiteral("date hors de l'année %1").arg(annee));
        if (position < 0 && Sans_Blancs(Type_QSO(l)) != QByteArrayView("Double"))
            ajoute(Sorte_Anomalie::Type_Inconnu, QStringLiteral("type d'activité inconnu du règlement : 0 point"));
        if (avec_liste && !dmf.isEmpty() && !liste->Trouve(dmf))
            ajoute(Sorte_Anomalie::Hors_Liste, QStringLiteral("N° DMF absent de la liste des moulins"));
        if (feuille_faite && Activation_Station(position) && date && !dmf.isEmpty() && !feuille_faite(dmf, *date))
            ajoute(Sorte_Anomalie::Sans_Feuille,
                   QStringLiteral("activation sans feuille d'activité : Fichier, Feuille d'activité (ADIF)"));
    }
    return trouvees;
}

QString Texte_Anomalie(const Anomalie &a)
{
    if (a.points_en_suspens <= 0)
        return a.texte;
    return a.texte + QStringLiteral(" (%1 une fois validé)").arg(Pluriel(a.points_en_suspens, "point", "points"));
}

QString Resume_Verifications(const std::vector<Anomalie> &anomalies)
{
    if (anomalies.empty())
        return QStringLiteral("Aucune anomalie trouvée");
    qsizetype attente = 0, doubles = 0, dates = 0, types = 0, hors_liste = 0, sans_feuille = 0;
    long long suspens = 0;
    QSet<QByteArray> numeros_doubles;
    for (const Anomalie &a : anomalies) {
        switch (a.sorte) {
        case Sorte_Anomalie::En_Attente:
            ++attente;
            suspens += a.points_en_suspens;
            break;
        case Sorte_Anomalie::Double: numeros_doubles.insert(a.dmf); break;
        case Sorte_Anomalie::Date_Hors_Annee: ++dates; break;
        case Sorte_Anomalie::Type_Inconnu: ++types; break;
        case Sorte_Anomalie::Hors_Liste: ++hors_liste; break;
        case Sorte_Anomalie::Sans_Feuille: ++sans_feuille; break;
        }
    }
    doubles = numeros_doubles.size();
    QStringList parties{QStringLiteral("%1 QSO en attente (%2)").arg(attente).arg(Pluriel(suspens, "point en suspens", "points en suspens")),
                        Pluriel(doubles, "DMF en double", "DMF en double"),
                        Pluriel(dates, "date hors de l'année", "dates hors de l'année")};
    if (types > 0)
        parties << Pluriel(types, "type d'activité inconnu", "types d'activité inconnus");
    if (hors_liste > 0)
        parties << Pluriel(hors_liste, "N° absent de la liste", "N° absents de la liste");
    if (sans_feuille > 0)
        parties << Pluriel(sans_feuille, "activation sans feuille d'activité", "activations sans feuille d'activité");
    return parties.join(QStringLiteral(", "));
}

} // namespace Sous_Programmes

#include "Compte_Rendu.h"

#include "Calculs_Rapports.h"
#include "Reglages.h"
#include "Texte.h"

#include <QSettings>

namespace Sous_Programmes {

std::optional<int> Annee_Du_Rappel(const QDate &jour)
{
    if (!jour.isValid() || jour > QDate(jour.year(), 3, 1))
        return std::nullopt;
    return jour.year() - 1;
}

QString Texte_Rappel(int annee)
{
    return QStringLiteral("Compte rendu du challenge %1 à envoyer au correcteur entre le 15 février et le 1er mars %2").arg(annee).arg(annee + 1);
}

namespace {
QString Cle_Rappel(const QString &indicatif_log, const QString &annee)
{
    return QStringLiteral("Compte_Rendu/%1_%2").arg(indicatif_log, annee);
}
} // namespace

Suite_Rappel Lit_Suite_Rappel(const QString &indicatif_log, const QString &annee)
{
    const QString v = QSettings(Organisation_Reglages(), QString::fromLatin1(Nom_Application)).value(Cle_Rappel(indicatif_log, annee)).toString();
    return v == QLatin1String("Fait") ? Suite_Rappel::Fait : v == QLatin1String("Ecarte") ? Suite_Rappel::Ecarte : Suite_Rappel::A_Faire;
}

Statut Sauve_Suite_Rappel(const QString &indicatif_log, const QString &annee, Suite_Rappel suite)
{
    static const char *valeurs[] = {"", "Fait", "Ecarte"};
    return Sauve_Reglages({{Cle_Rappel(indicatif_log, annee), QString::fromLatin1(valeurs[int(suite)])}});
}

QStringList Lignes_Compte_Rendu(const Contenu_Log &contenu, const QString &indicatif, const QString &annee, const QDate &fait_le,
                                const std::vector<Anomalie> &anomalies)
{
    const Recapitulatif_Log recap = Compte_Recapitulatif(contenu);
    const QString total = QString::number(recap.total);
    QStringList l;
    l.reserve(contenu.nombre() + 40 + qsizetype(anomalies.size()));
    l << QStringLiteral("Compte rendu du challenge Dezudidar ERI %1").arg(annee) << QStringLiteral("Station : %1").arg(indicatif)
      << QStringLiteral("Fait le %1 par KOB_Dezudidar_ERI Revision %2")
             .arg(fait_le.toString(QStringLiteral("dd/MM/yyyy")), QString::fromLatin1(Revision_Programme).trimmed())
      << QString() << QStringLiteral("Récapitulatif des contacts");
    for (const Rangee_Recapitulatif &r : Rangees_Recapitulatif(recap))
        l << QStringLiteral("  ") + r.texte.leftJustified(44, u' ', true) + QString::number(r.nombre).rightJustified(8);
    l << QStringLiteral("  ") + QStringLiteral("Total des points").leftJustified(44) + total.rightJustified(8);

    l << QString() << QStringLiteral("Liste des QSO") << Entete_Listing(Forme_Listing::Fichier) << QString();
    QByteArray rangee;
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        rangee.clear();
        Ajoute_Ligne_Contacte(rangee, 2, i + 1, contenu.ligne(i));
        l << Depuis_Log(rangee);
    }
    l << QString() << QString(29, u' ') + QStringLiteral("Total des points : ") + total;

    l << QString() << QStringLiteral("Avant l'envoi");
    Ajoute_Coupee(l, QStringLiteral("  ") + Resume_Verifications(anomalies));
    for (const Anomalie &a : anomalies) {
        const QString texte = QStringLiteral("  Ligne %1, %2, %3, %4 : %5")
                                  .arg(a.ligne + 1)
                                  .arg(Depuis_Log(a.date), Depuis_Log(a.dmf), Depuis_Log(a.indicatif), Texte_Anomalie(a));
        Ajoute_Coupee(l, texte);
    }
    return l;
}

QString Nom_Compte_Rendu(const QString &indicatif_log, const QString &annee, const QString &extension)
{
    return Nom_Log(indicatif_log, annee).chopped(4) + QStringLiteral("_compte_rendu.") + extension;
}

} // namespace Sous_Programmes

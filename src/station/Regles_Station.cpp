#include "Regles_Station.h"

#include "Fichier.h"
#include "Journal.h"
#include "Reglages.h"

#include <QDir>
#include <QFileInfo>

namespace Regles_Station {

std::optional<Refus> Verifie(const QString &indicatif, const QString &annee)
{
    if (indicatif.isEmpty())
        return Refus{QStringLiteral("Vous devez entrer un indicatif")};
    if (indicatif.size() > 12)
        return Refus{QStringLiteral("12 caracteres maximum pour l'indicatif")};
    for (QChar c : indicatif) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || c == u'_'))
            return Refus{QStringLiteral("L'indicatif ne doit comporter que des lettres des chiffres ou le signe _ "), true};
    }
    if (annee.isEmpty())
        return Refus{QString::fromUtf8("Vous devez entrer une Année")};
    if (annee.size() != 4)
        return Refus{QString::fromUtf8("L'Année doit comporter 4 chiffres")};
    // Any four characters pass, but the year names the log file.
    if (!Sous_Programmes::Nom_Fichier_Sur(annee))
        return Refus{QStringLiteral("L'Année ne doit comporter ni « / », ni « \\ », ni « .. », ni caractère de contrôle")};
    return std::nullopt;
}

QString Indicatif_Affiche(const QString &indicatif)
{
    QString affiche = indicatif;
    return affiche.replace(u'_', u'/');
}

QStringList Prepare_Station(const QString &indicatif, const QString &annee, const QString &dossier)
{
    QStringList a_dire;
    const QString log = Sous_Programmes::Chemin_Log(indicatif, annee, dossier);
    // Asked of the file system: a log that exists is kept, readable or not.
    if (QFileInfo(log).exists()) {
        if (const auto lu = Sous_Programmes::Lit_Fichier(log); !lu)
            a_dire << QStringLiteral("Le log existe mais ne peut pas être lu ; il n'a pas été remplacé. ") + lu.erreur();
    } else if (const auto cree = Sous_Programmes::Cree_Log(indicatif, annee, dossier); !cree) {
        a_dire << QStringLiteral("Le log n'a pas pu être créé. ") + cree.erreur();
    } else if (!QFileInfo::exists(QDir(dossier).filePath(QString::fromLatin1(Sous_Programmes::Nom_Modele_Log)))) {
        a_dire << QStringLiteral("Le modèle %1 est absent : le nouveau log %2 a été créé vide.")
                      .arg(QString::fromLatin1(Sous_Programmes::Nom_Modele_Log), Sous_Programmes::Nom_Log(indicatif, annee));
    }
    if (const auto s = Sous_Programmes::Sauve_Station(indicatif, annee); !s)
        a_dire << s.erreur();
    return a_dire;
}

} // namespace Regles_Station

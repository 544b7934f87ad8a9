#include "Reglages.h"

#include "Journal.h"
#include "Texte.h"

#include <QCoreApplication>
#include <QSettings>
#include <algorithm>

namespace Sous_Programmes {

namespace {

const QString Cle_Indicatif = QStringLiteral("Indicatif Station");
const QString Cle_Chemin = QStringLiteral("Chemin Repertoire");
const QString Cle_Annee = QStringLiteral("Annee Radovered");
const QString Cle_Type = QStringLiteral("Type Activite");
const QString Cle_Date = QStringLiteral("Date_Automatique");
const QString Cle_Locator = QStringLiteral("Locator");
const QString Cle_Revision = QStringLiteral("Revision");

QString Cle(const QString &section, const QString &cle) { return section + QLatin1Char('/') + cle; }

QString Lit(QSettings &s, const QString &section, const QString &cle, const QString &defaut)
{
    return s.value(Cle(section, cle), defaut).toString();
}

// Writing an unchanged value would still rewrite the whole file at each start.
void Ecrit_Si_Change(QSettings &s, const QString &cle, const QString &valeur)
{
    if (!s.contains(cle) || s.value(cle).toString() != valeur)
        s.setValue(cle, valeur);
}

} // namespace

int Lit_Port(const QSettings &s, const QString &cle, int defaut)
{
    bool ok = false;
    const int port = s.value(cle).toInt(&ok);
    return ok && port > 0 && port < 65536 ? port : defaut;
}

Forme_Adresse Verifie_Adresse(const QString &adresse)
{
    const QString a = adresse.trimmed();
    if (a.isEmpty())
        return Forme_Adresse::Vide;
    // A line end inside would end the request's line that names the host.
    const bool hors_nom = std::any_of(a.begin(), a.end(), [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; });
    return a.size() > 253 || hors_nom ? Forme_Adresse::Mauvaise : Forme_Adresse::Bonne;
}

Statut Sauve_Reglages(std::initializer_list<std::pair<QString, QString>> valeurs)
{
    QSettings s(Organisation_Reglages(), QString::fromLatin1(Nom_Application));
    for (const auto &[cle, valeur] : valeurs)
        s.setValue(cle, valeur);
    s.sync();
    if (s.status() != QSettings::NoError)
        return Erreur{QStringLiteral("Les réglages n'ont pas pu être enregistrés dans %1.").arg(s.fileName())};
    return Succes();
}

QString Organisation_Reglages()
{
    const QString organisation = QCoreApplication::organizationName();
    return organisation.isEmpty() ? QString::fromLatin1(Nom_Application) : organisation;
}

QString Section_Generale() { return QStringLiteral("Setup "); }

QString Section_Station(const QString &indicatif) { return Section_Generale() + indicatif; }

bool Premiere_Installation(const QString &indicatif) { return indicatif == QLatin1String(Indicatif_Provisoire); }

QString Message_Premiere_Installation()
{
    return QStringLiteral("\r\n  Premiere installation, vous devez entrer votre Indicatif et l'année du Radovered\r\n\r\n"
                          "    Pour cela dans la barre des menus allez dans Station puis Nouvel Indicatif.");
}

std::optional<QString> Refus_Reglages_Station(const QString &indicatif, const QString &annee)
{
    QString cle, section, valeur;
    if (!Nom_Fichier_Sur(indicatif)) {
        cle = Cle_Indicatif, section = Section_Generale(), valeur = indicatif;
    } else if (!Nom_Fichier_Sur(annee)) {
        cle = Cle_Annee, section = Section_Station(indicatif), valeur = annee;
    } else {
        return std::nullopt;
    }
    return QStringLiteral("Le réglage « %1 » de la section « %2 » vaut « %3 » : ce texte ne peut pas nommer un fichier "
                          "du dossier du programme (il est vide ou contient « / », « \\ », « .. » ou un caractère de contrôle)."
                          "\r\n\r\nAucun log n'est lu ni écrit : choisissez votre station dans Station puis Nouvel Indicatif.")
        .arg(cle, section.trimmed(), Texte_Visible(valeur));
}

Etat_Demarrage Charge_Reglages(const QString &dossier_programme)
{
    QSettings s(Organisation_Reglages(), QString::fromLatin1(Nom_Application));
    Etat_Demarrage etat;
    etat.indicatif = Lit(s, Section_Generale(), Cle_Indicatif, QString::fromLatin1(Indicatif_Provisoire));
    const QString station = Section_Station(etat.indicatif);
    etat.annee = Lit(s, station, Cle_Annee, QString::fromLatin1(Annee_Provisoire));
    etat.type_activite = Position_Type_Activite(Lit(s, station, Cle_Type, QStringLiteral("0")));
    Ecrit_Si_Change(s, Cle(Section_Generale(), Cle_Chemin), dossier_programme);
    etat.date_automatique = Lit(s, station, Cle_Date, QStringLiteral("Oui")) == QLatin1String("Oui");
    Ecrit_Si_Change(s, Cle(station, Cle_Revision), QString::fromLatin1(Revision_Programme));
    return etat;
}

QString Lit_Indicatif_Station()
{
    QSettings s(Organisation_Reglages(), QString::fromLatin1(Nom_Application));
    return Lit(s, Section_Generale(), Cle_Indicatif, QString::fromLatin1(Indicatif_Provisoire));
}

QString Lit_Annee_Radovered(const QString &indicatif, const QString &defaut)
{
    QSettings s(Organisation_Reglages(), QString::fromLatin1(Nom_Application));
    return Lit(s, Section_Station(indicatif), Cle_Annee, defaut);
}

int Position_Type_Activite(const QString &texte)
{
    bool ok = false;
    const int position = texte.trimmed().toInt(&ok);
    return (ok && position >= -1 && position <= 8) ? position : 0;
}

Statut Sauve_Station(const QString &indicatif, const QString &annee)
{
    return Sauve_Reglages({{Cle(Section_Generale(), Cle_Indicatif), indicatif}, {Cle(Section_Station(indicatif), Cle_Annee), annee}});
}

Statut Sauve_Type_Activite(const QString &indicatif, int position)
{
    return Sauve_Reglages({{Cle(Section_Station(indicatif), Cle_Type), QString::number(position)}});
}

Statut Sauve_Date_Automatique(const QString &indicatif, bool automatique)
{
    return Sauve_Reglages({{Cle(Section_Station(indicatif), Cle_Date), automatique ? QStringLiteral("Oui") : QStringLiteral("Non")}});
}

QString Lit_Locator(const QString &indicatif)
{
    QSettings s(Organisation_Reglages(), QString::fromLatin1(Nom_Application));
    return Lit(s, Section_Station(indicatif), Cle_Locator, QString());
}

Statut Sauve_Locator(const QString &indicatif, const QString &locator)
{
    return Sauve_Reglages({{Cle(Section_Station(indicatif), Cle_Locator), locator}});
}

} // namespace Sous_Programmes

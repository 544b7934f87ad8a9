#include "Feuille.h"

#include "Journal.h"
#include "Ligne_QSO.h"
#include "Liste_Moulins.h"
#include "Reglages.h"
#include "Regles_Saisie.h"
#include "Texte.h"

#include <QHash>
#include <QSettings>

#include <algorithm>

using namespace Sous_Programmes;

namespace Activite {

namespace {

QString Jour_Texte(const QDate &d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

// The day, or the days of QSOs without the station's mill, and the times.
QString Texte_Date(const Lecture &lecture, const Activation &a)
{
    QDate premier = a.jour, dernier = a.jour;
    if (!premier.isValid()) {
        qint32 min = 0, max = 0;
        for (const quint32 i : a.qso) {
            const qint32 j = lecture.qso[size_t(i)].jour;
            if (j == 0)
                continue;
            min = min == 0 ? j : qMin(min, j);
            max = qMax(max, j);
        }
        if (min != 0) {
            premier = QDate::fromJulianDay(min);
            dernier = QDate::fromJulianDay(max);
        }
    }
    if (!premier.isValid())
        return QStringLiteral("non indiquée");
    if (premier != dernier)
        return QStringLiteral("du %1 au %2").arg(Jour_Texte(premier), Jour_Texte(dernier));
    QString texte = Jour_Texte(premier);
    if (a.de >= 0)
        texte += QStringLiteral(", de %1 à %2 UTC").arg(Heure(a.de), Heure(a.a));
    return texte;
}

void Ajoute_Comptes(QStringList &l, const QString &titre, const std::vector<Compte> &comptes)
{
    l << titre;
    if (comptes.empty())
        l << QStringLiteral("  aucun");
    for (const Compte &c : comptes)
        l << QStringLiteral("  ") + Depuis_Log(c.texte).leftJustified(12, u' ', true) + QString::number(c.nombre).rightJustified(8);
}

QString Cle(QByteArrayView dmf, const QDate &jour, const char *nom)
{
    return QStringLiteral("Activites/%1_%2/%3").arg(QString::fromLatin1(dmf), jour.toString(QStringLiteral("yyyyMMdd")), QLatin1String(nom));
}

QSettings Reglages() { return QSettings(Organisation_Reglages(), QString::fromLatin1(Nom_Application)); }

} // namespace

QStringList Lignes_Feuille(const Lecture &lecture, const Activation &activation, const Moulins::Liste *liste,
                           const QString &station, const QStringList &operateurs, const QDate &fait_le)
{
    QStringList l;
    l.reserve(activation.nombre() + 30 + qsizetype(activation.bandes.size() + activation.modes.size()));
    l << QStringLiteral("Feuille d'activité du challenge Dezudidar ERI");
    if (activation.sans_moulin()) {
        l << QStringLiteral("Moulin : non indiqué");
    } else {
        QString moulin = QString::fromLatin1(activation.dmf);
        if (const Moulins::Moulin *m = liste ? liste->Trouve(activation.dmf) : nullptr)
            if (const QString nom = liste->Nom_Et_Commune(*m); !nom.isEmpty())
                moulin += u' ' + nom;
        Ajoute_Coupee(l, QStringLiteral("Moulin : ") + moulin);
        l << QStringLiteral("Département : ") + QString::fromLatin1(activation.dmf.left(2));
    }
    l << QStringLiteral("Date : ") + Texte_Date(lecture, activation);
    Ajoute_Coupee(l, QStringLiteral("Station : ") + (station.isEmpty() ? QStringLiteral("non indiquée") : station));
    Ajoute_Coupee(l, QStringLiteral("Opérateurs présents : ") + (operateurs.isEmpty() ? QStringLiteral("aucun") : operateurs.join(QStringLiteral(", "))));
    l << QStringLiteral("QSO : %1, avec %2 indicatifs différents").arg(activation.nombre()).arg(activation.indicatifs)
      << QStringLiteral("Minimum de %1 QSO : ").arg(Minimum_QSO)
            + (activation.nombre() >= Minimum_QSO ? Texte_Minimum(activation.nombre())
                                                  : QStringLiteral("non atteint, ") + Texte_Minimum(activation.nombre()))
      << QStringLiteral("Fait le %1 par KOB_Dezudidar_ERI Revision %2").arg(Jour_Texte(fait_le), QString::fromLatin1(Revision_Programme).trimmed())
      << QString();
    Ajoute_Comptes(l, QStringLiteral("QSO par bande"), activation.bandes);
    Ajoute_Comptes(l, QStringLiteral("QSO par mode"), activation.modes);

    // The number's column as wide as the last number.
    const qsizetype n = qMax<qsizetype>(5, QString::number(activation.nombre()).size());
    const QString deux(2, u' ');
    l << QString() << QStringLiteral("Liste des QSO")
      << QStringLiteral("N°").rightJustified(n) + deux + QStringLiteral("Date").leftJustified(10) + deux + QStringLiteral("Heure") + deux
            + QStringLiteral("Indicatif").leftJustified(13) + deux + QStringLiteral("Bande").leftJustified(6) + deux
            + QStringLiteral("Mode").leftJustified(8) + deux + QStringLiteral("Fréquence (kHz)").rightJustified(15);
    QHash<quint16, QString> textes;
    auto texte = [&](quint16 i) -> const QString & {
        auto place = textes.find(i);
        if (place == textes.end())
            place = textes.insert(i, Depuis_Log(lecture.texte(i)));
        return *place;
    };
    qint32 jour_precedent = -1;
    QString date;
    int numero = 0;
    for (const quint32 i : activation.qso) {
        const QSO &q = lecture.qso[size_t(i)];
        if (q.jour != jour_precedent) {
            jour_precedent = q.jour;
            date = q.jour == 0 ? QString() : Jour_Texte(QDate::fromJulianDay(q.jour));
        }
        QString r;
        r.reserve(Largeur_Page);
        r += QString::number(++numero).rightJustified(n);
        r += deux;
        r += date.leftJustified(10);
        r += deux;
        r += Heure(q.seconde).leftJustified(5);
        r += deux;
        r += Depuis_Log(q.indicatif.vue()).leftJustified(13);
        r += deux;
        r += texte(q.bande).leftJustified(6, u' ', true);
        r += deux;
        r += texte(q.mode).leftJustified(8, u' ', true);
        r += deux;
        r += Frequence_kHz(q.hertz).rightJustified(15);
        while (r.endsWith(u' '))
            r.chop(1);
        l << r;
    }
    return l;
}

std::optional<qsizetype> Ligne_Au_Log(const Contenu_Log &log, QByteArrayView dmf, QByteArrayView date)
{
    for (qsizetype i = 0; i < log.nombre(); ++i) {
        const QByteArrayView l = log.ligne(i);
        if (Sans_Blancs(DMF_QSO(l)) == dmf && Date_QSO(l) == date)
            return i;
    }
    return std::nullopt;
}

QString Nom_Feuille(QByteArrayView dmf, const QDate &jour, const QString &extension)
{
    QString nom = QStringLiteral("Activite_") + (dmf.isEmpty() ? QStringLiteral("sans_moulin") : QString::fromLatin1(dmf));
    if (jour.isValid())
        nom += u'_' + jour.toString(QStringLiteral("yyyyMMdd"));
    return nom + u'.' + extension;
}

QString Refus_Operateur(const QString &indicatif)
{
    if (QString r = Verifie_Indicatif(indicatif); !r.isEmpty())
        return r;
    // The operators are kept joined by blanks.
    if (std::any_of(indicatif.begin(), indicatif.end(), [](QChar c) { return c.isSpace(); }))
        return QStringLiteral("Pas d'espace dans l'indicatif");
    return {};
}

std::optional<QStringList> Lit_Operateurs(QByteArrayView dmf, const QDate &jour)
{
    const QSettings s = Reglages();
    const QString cle = Cle(dmf, jour, "Operateurs");
    if (!s.contains(cle))
        return std::nullopt;
    return s.value(cle).toString().split(u' ', Qt::SkipEmptyParts);
}

Statut Sauve_Operateurs(QByteArrayView dmf, const QDate &jour, const QStringList &operateurs)
{
    for (const QString &o : operateurs)
        if (const QString r = Refus_Operateur(o); !r.isEmpty())
            return Erreur{QStringLiteral("Opérateur « %1 » : %2").arg(Texte_Visible(o), r)};
    return Sauve_Reglages({{Cle(dmf, jour, "Operateurs"), operateurs.join(u' ')}});
}

bool Feuille_Faite(QByteArrayView dmf, const QDate &jour) { return !Reglages().value(Cle(dmf, jour, "Feuille")).toString().isEmpty(); }

Statut Marque_Feuille_Faite(QByteArrayView dmf, const QDate &jour)
{
    return Sauve_Reglages({{Cle(dmf, jour, "Feuille"), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))}});
}

} // namespace Activite

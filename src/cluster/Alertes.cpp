#include "Alertes.h"

#include "Frequences.h"
#include "Reglages.h"
#include "Texte.h"

#include <QRegularExpression>
#include <QSettings>

#include <algorithm>

using namespace Sous_Programmes;

namespace Alertes {

namespace {

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

// A département as a mill's number begins with it: 01 to 95 but 20, 2A, 2B.
bool Departement(QByteArrayView d)
{
    if (d.size() != 2)
        return false;
    if (d[0] == '2' && (d[1] == 'A' || d[1] == 'B'))
        return true;
    if (!Chiffre(d[0]) || !Chiffre(d[1]))
        return false;
    const int n = (d[0] - '0') * 10 + (d[1] - '0');
    return n >= 1 && n <= 95 && n != 20;
}

bool Numero(QByteArrayView n)
{
    return n.size() == 5 && Departement(n.first(2)) && std::all_of(n.begin() + 2, n.end(), Chiffre);
}

bool Indicatif(QByteArrayView i)
{
    const bool lettre = std::any_of(i.begin(), i.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    const bool chiffre = std::any_of(i.begin(), i.end(), Chiffre);
    return i.size() >= 3 && i.size() <= 12 && lettre && chiffre && i.front() != '/' && i.back() != '/';
}

QString Liste_Triee(const QSet<QByteArray> &s)
{
    QList<QByteArray> l(s.begin(), s.end());
    std::sort(l.begin(), l.end());
    QStringList t;
    for (const QByteArray &e : l)
        t << QString::fromLatin1(e);
    return t.join(u' ');
}

const QString Groupe = QStringLiteral("Alertes/");

QString Oui_Non(bool b) { return b ? QStringLiteral("Oui") : QStringLiteral("Non"); }

} // namespace

Resultat<Surveillance> Lit_Surveillance(const QString &texte)
{
    static const QRegularExpression separateurs(QStringLiteral("[\\s,;]+"));
    Surveillance s;
    for (const QString &entree : texte.split(separateurs, Qt::SkipEmptyParts)) {
        // Checked as typed, before capitals: "ß" would pass as "SS".
        const QByteArray e = Lettres_Chiffres_Ou(entree, u"/") ? entree.toLatin1().toUpper() : QByteArray();
        if (Numero(e))
            s.numeros.insert(e);
        else if (Departement(e))
            s.departements.insert(e);
        else if (Indicatif(e))
            s.indicatifs.insert(e);
        else
            return Erreur{QStringLiteral("Liste de surveillance : « %1 » n'est ni un N° DMF (21003), ni un département (29 ou 2A), "
                                         "ni un indicatif (F4DEF/P). Rien n'est gardé.")
                              .arg(Texte_Visible(entree.left(30)))};
    }
    return s;
}

QString Texte_Surveillance(const Surveillance &s)
{
    QStringList parties;
    for (const QSet<QByteArray> *e : {&s.numeros, &s.departements, &s.indicatifs})
        if (!e->isEmpty())
            parties << Liste_Triee(*e);
    return parties.join(u' ');
}

Reglages Lit_Reglages()
{
    const QSettings s(Organisation_Reglages(), QString::fromLatin1(Nom_Application));
    Reglages r;
    auto oui = [&](const char *cle, bool defaut) {
        const QString v = s.value(Groupe + QLatin1String(cle)).toString();
        return v.isEmpty() ? defaut : v == QLatin1String("Oui");
    };
    auto minutes = [&](const char *cle, int defaut, int minimum, int maximum) {
        bool ok = false;
        const int v = s.value(Groupe + QLatin1String(cle)).toString().toInt(&ok);
        return ok && v >= minimum && v <= maximum ? v : defaut;
    };
    r.ligne = oui("Ligne", r.ligne);
    r.clignote = oui("Clignote", r.clignote);
    r.notification = oui("Notification", r.notification);
    r.son = oui("Son", r.son);
    r.seulement_liste = oui("Seulement_Liste", r.seulement_liste);
    r.silence_minutes = minutes("Silence", r.silence_minutes, Silence_Minimum, Silence_Maximum);
    r.age_minutes = minutes("Age", r.age_minutes, Age_Minimum, Age_Maximum);
    // A list edited by hand into something wrong is none.
    if (const auto surveillance = Lit_Surveillance(s.value(Groupe + QStringLiteral("Surveillance")).toString()))
        r.surveillance = surveillance.valeur();
    return r;
}

Statut Sauve_Reglages(const Reglages &r)
{
    return Sous_Programmes::Sauve_Reglages({{Groupe + QStringLiteral("Ligne"), Oui_Non(r.ligne)},
                                            {Groupe + QStringLiteral("Clignote"), Oui_Non(r.clignote)},
                                            {Groupe + QStringLiteral("Notification"), Oui_Non(r.notification)},
                                            {Groupe + QStringLiteral("Son"), Oui_Non(r.son)},
                                            {Groupe + QStringLiteral("Seulement_Liste"), Oui_Non(r.seulement_liste)},
                                            {Groupe + QStringLiteral("Silence"), QString::number(r.silence_minutes)},
                                            {Groupe + QStringLiteral("Age"), QString::number(r.age_minutes)},
                                            {Groupe + QStringLiteral("Surveillance"), Texte_Surveillance(r.surveillance)}});
}

bool QRT(const Cluster::Spot &spot)
{
    const QByteArray c = spot.commentaire.toUpper();
    for (qsizetype i = c.indexOf("QRT"); i >= 0; i = c.indexOf("QRT", i + 1))
        if ((i == 0 || !Alphanumerique(c[i - 1])) && (i + 3 == c.size() || !Alphanumerique(c[i + 3])))
            return true;
    return false;
}

Raison Pourquoi(const Cluster::Spot &spot, Cluster::Etat etat, bool dans_la_liste, const Reglages &r, const QDateTime &maintenant)
{
    if (QRT(spot) || spot.quand.secsTo(maintenant) > qint64(r.age_minutes) * 60 || (r.seulement_liste && !dans_la_liste))
        return Raison::Aucune;
    if (etat == Cluster::Etat::Nouveau)
        return Raison::Nouveau_Moulin;
    const Surveillance &s = r.surveillance;
    if (s.numeros.contains(spot.dmf) || s.departements.contains(spot.dmf.first(qMin<qsizetype>(2, spot.dmf.size()))))
        return Raison::Surveille;
    // "F4DEF" follows F4DEF/P and EA/F4DEF too; "F4DEF/P" only itself.
    const QByteArray indicatif = spot.indicatif.toUpper();
    if (s.indicatifs.contains(indicatif))
        return Raison::Surveille;
    for (const QByteArray &partie : indicatif.split('/'))
        if (s.indicatifs.contains(partie))
            return Raison::Surveille;
    return Raison::Aucune;
}

QString Texte_Alerte(const Cluster::Spot &spot, const QString &nom)
{
    QString texte = QStringLiteral("Moulin ") + QString::fromLatin1(spot.dmf);
    if (!nom.isEmpty())
        texte += QStringLiteral(" (") + nom + u')';
    texte += QStringLiteral(" annoncé par ") + Texte_Visible(Cluster::Texte_Reseau(spot.indicatif));
    const auto hertz = Hertz_De_kHz(spot.frequence);
    texte += QStringLiteral(" sur ") + (hertz ? Texte_kHz(*hertz) : Texte_Visible(QString::fromLatin1(spot.frequence))) + QStringLiteral(" kHz");
    if (spot.heure.size() == 4)
        texte += QStringLiteral(" à ") + QString::fromLatin1(spot.heure.left(2) + ':' + spot.heure.mid(2)) + QStringLiteral(" UTC");
    return texte;
}

QString Texte_Pile(const QString &plus_recente, qsizetype autres)
{
    if (autres <= 0)
        return plus_recente;
    return plus_recente + (autres == 1 ? QStringLiteral(" et 1 autre moulin") : QStringLiteral(" et %1 autres moulins").arg(autres));
}

bool Rythme::alerte(QByteArrayView dmf, const QDateTime &maintenant, int silence_minutes)
{
    QDateTime &derniere = m_derniere[dmf.toByteArray()];
    if (derniere.isValid() && derniere.secsTo(maintenant) < qint64(silence_minutes) * 60)
        return false;
    derniere = maintenant;
    return true;
}

bool Rythme::bruit(const QDateTime &maintenant)
{
    if (m_dernier_bruit.isValid() && m_dernier_bruit.msecsTo(maintenant) < Intervalle_Bruit_s * 1000)
        return false;
    m_dernier_bruit = maintenant;
    return true;
}

} // namespace Alertes

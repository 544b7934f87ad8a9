#include "Restants.h"

#include "Departements.h"
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Texte.h"

#include <QDate>

using namespace Sous_Programmes;

namespace Moulins {

namespace {

// yymmdd of a calendar date dd/mm/yy, or -1: the latest date is the largest.
int Cle_Date(QByteArrayView d)
{
    if (d.size() != 8 || d[2] != '/' || d[5] != '/')
        return -1;
    auto deux = [&](int i) { return (d[i] >= '0' && d[i] <= '9' && d[i + 1] >= '0' && d[i + 1] <= '9') ? (d[i] - '0') * 10 + d[i + 1] - '0' : -1; };
    const int j = deux(0), m = deux(3), a = deux(6);
    if (j < 0 || m < 0 || a < 0 || !QDate::isValid(2000 + a, m, j))
        return -1;
    return a * 10000 + m * 100 + j;
}

} // namespace

Restants Compte_Restants(const Liste &liste, const Contenu_Log &log)
{
    Restants r;
    r.etats.resize(size_t(liste.taille()));
    std::vector<int> cles(size_t(liste.taille()), -1);
    for (qsizetype i = 0; i < log.nombre(); ++i) {
        const QByteArrayView l = log.ligne(i);
        const QByteArrayView dmf = DMF_QSO(l);
        if (Sans_Blancs(dmf).isEmpty())
            continue;
        const qsizetype rang = liste.Rang(Code_DMF(dmf));
        if (rang < 0) {
            ++r.qso_absents;
            continue;
        }
        Etat_Moulin &e = r.etats[size_t(rang)];
        if (Attente_QSO(l) == "*") {
            if (e.etat == Etat::Restant)
                e.etat = Etat::En_Attente;
            continue;
        }
        e.etat = Etat::Contacte;
        const int cle = Cle_Date(Date_QSO(l));
        if (cle > cles[size_t(rang)]) {
            cles[size_t(rang)] = cle;
            std::copy_n(Date_QSO(l).data(), 8, e.date);
            e.datee = true;
        }
    }
    for (qsizetype i = 0; i < liste.taille(); ++i) {
        const QByteArrayView code = liste[i].Departement();
        if (r.departements.empty() || r.departements.back().code != code)
            r.departements.push_back(Departement{code.toByteArray(), i, 0, {}});
        Departement &d = r.departements.back();
        ++d.nombre;
        ++d.compte.moulins;
        switch (r.etats[size_t(i)].etat) {
        case Etat::Contacte: ++d.compte.contactes; break;
        case Etat::En_Attente: ++d.compte.en_attente; break;
        case Etat::Restant: ++d.compte.restants; break;
        }
    }
    for (const Departement &d : r.departements) {
        r.total.moulins += d.compte.moulins;
        r.total.contactes += d.compte.contactes;
        r.total.en_attente += d.compte.en_attente;
        r.total.restants += d.compte.restants;
    }
    return r;
}

const Etat_Moulin &Etat_De(const Restants &r, qsizetype rang)
{
    static const Etat_Moulin restant;
    return rang >= 0 && size_t(rang) < r.etats.size() ? r.etats[size_t(rang)] : restant;
}

QString Texte_Etat(const Etat_Moulin &e)
{
    switch (e.etat) {
    case Etat::Contacte:
        return e.datee ? QStringLiteral("Contacté le %1").arg(QString::fromLatin1(e.date, 8)) : QStringLiteral("Contacté");
    case Etat::En_Attente: return QStringLiteral("En attente");
    case Etat::Restant: break;
    }
    return QStringLiteral("Restant");
}

QStringList Textes_Carte(const Restants &r)
{
    QStringList textes(100);
    for (const Departement &d : r.departements) {
        const int boite = Sous_Programmes::Departement_Carte(d.code);
        if (boite < 0 || boite >= textes.size())
            continue;
        QString texte = (d.compte.contactes > 1 ? QStringLiteral("%1 moulins contactés sur %2") : QStringLiteral("%1 moulin contacté sur %2"))
                            .arg(d.compte.contactes)
                            .arg(d.compte.moulins);
        if (d.compte.en_attente > 0)
            texte += QStringLiteral(", %1 en attente").arg(d.compte.en_attente);
        textes[boite] = texte;
    }
    return textes;
}

QStringList Textes_Carte(const std::shared_ptr<const Liste> &liste, const Contenu_Log &log)
{
    if (!liste || liste->vide())
        return {};
    return Textes_Carte(Compte_Restants(*liste, log));
}

} // namespace Moulins

// The real program as an operator meets it, at 99,999 lines: started as its
// own process, timed from the outside to its window with the list filled,
// then each action from the key to the painted result, the first change of
// a run on its own (it is the one that backs the log up). Beside them, in the
// same run: an empty Qt window's start, and the store's read and rewrite floors.
// Run on demand: build/bench/bench_processus
#include "Decoupe.h"
#include "Fichier.h"
#include "Journal.h"
#include "Reglages.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>
#include <vector>

using namespace Sous_Programmes;

namespace {

constexpr int Nombre_Lignes = 99999;
constexpr int Repetitions = 9;

double Mediane(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QByteArray Log()
{
    static const char *types[] = {"Moulin Contacte", "Moulin active", "Reactivation activee", "Double ou non valid\xE9"};
    QByteArray contenu;
    contenu.reserve(Nombre_Lignes * 55);
    for (int i = 0; i < Nombre_Lignes; ++i) {
        const QByteArray date = QDate(2007, 1, 1).addDays(i / 300).toString(QStringLiteral("dd/MM/yy")).toLatin1();
        contenu += date + ' ' + (i % 7 == 0 ? '*' : ' ') + QByteArray::number(i).rightJustified(5, '0') + "  "
            + QByteArray(types[i % 4]).leftJustified(22, ' ') + "  " + ("F" + QByteArray::number(i)).leftJustified(12, ' ')
            + "\r\n";
    }
    return contenu;
}

// Runs `programme` and gives the time until it prints "pret", and what it printed.
double Jusqu_A_Pret(const QString &programme, const QProcessEnvironment &env, QByteArray *sortie = nullptr,
                    const QStringList &arguments = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(programme, arguments);
    QByteArray lu;
    double pret = -1;
    while (pret < 0 && p.waitForReadyRead(60000)) {
        lu += p.readAllStandardOutput();
        if (lu.startsWith("pret\n"))
            pret = double(t.nsecsElapsed()) / 1e6;
    }
    p.waitForFinished(600000);
    lu += p.readAllStandardOutput();
    if (sortie)
        *sortie = lu;
    return pret;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir programme, maison;
    const QString executable = QDir(programme.path()).filePath(QStringLiteral("KOB_Dezudidar_ERI"));
    if (!QFile::copy(QStringLiteral(PROGRAMME), executable))
        return 1;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, maison.filePath(QStringLiteral("config")));
    if (!Sauve_Station(QStringLiteral("TEST1"), QStringLiteral("2007")))
        return 1;
    const QString log = QDir(programme.path()).filePath(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"));
    const QByteArray contenu = Log();
    if (!Cree_Fichier_Exclusif(log, contenu))
        return 1;

    // The same program on an empty log, from a second user's settings.
    QTemporaryDir maison_vide;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, maison_vide.filePath(QStringLiteral("config")));
    if (!Sauve_Station(QStringLiteral("TEST2"), QStringLiteral("2007"))
        || !Cree_Fichier_Exclusif(QDir(programme.path()).filePath(QStringLiteral("TEST2_Dezudidar_ERI_2007.txt")), {}))
        return 1;

    auto environnement = [](const QTemporaryDir &m) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!env.contains(QStringLiteral("DISPLAY")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), m.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m.filePath(QStringLiteral("config")));
        return env;
    };
    const QProcessEnvironment env = environnement(maison);

    QMap<QString, std::vector<double>> mesures;
    for (int i = 0; i < Repetitions; ++i) {
        mesures[QStringLiteral("fenetre_vide")].push_back(Jusqu_A_Pret(QStringLiteral(FENETRE_VIDE), env));
        mesures[QStringLiteral("fenetre_texte")].push_back(
            Jusqu_A_Pret(QStringLiteral(FENETRE_VIDE), env, nullptr, {QStringLiteral("texte")}));
        mesures[QStringLiteral("demarrage")].push_back(Jusqu_A_Pret(executable, env, nullptr, {QStringLiteral("demarrage")}));
        mesures[QStringLiteral("demarrage_vide")].push_back(
            Jusqu_A_Pret(executable, environnement(maison_vide), nullptr, {QStringLiteral("demarrage")}));
    }
    // What a run printed as "action <name> <milliseconds>".
    auto lit_actions = [&](const QByteArray &sortie) {
        for (const QByteArray &ligne : sortie.split('\n')) {
            const QList<QByteArray> mots = ligne.split(' ');
            if (mots.size() == 3 && mots[0] == "action")
                mesures[QString::fromLatin1(mots[1])].push_back(mots[2].toDouble());
        }
    };
    // A run's first change, each time on the log as it was and with no backup yet.
    for (const char *premier : {"premier_enregistrement", "premiere_modification"}) {
        for (int i = 0; i < Repetitions; ++i) {
            QDir(QDir(programme.path()).filePath(QString::fromLatin1(Nom_Dossier_Sauvegardes))).removeRecursively();
            if (!Reecrit_Fichier(log, QString::fromLatin1(Nom_Temporaire), contenu))
                return 1;
            // The disk as quiet as at an operator's start: the removal above written out.
            ::sync();
            QByteArray sortie;
            Jusqu_A_Pret(executable, env, &sortie, {QString::fromLatin1(premier)});
            lit_actions(sortie);
        }
    }
    QDir(QDir(programme.path()).filePath(QString::fromLatin1(Nom_Dossier_Sauvegardes))).removeRecursively();
    if (!Reecrit_Fichier(log, QString::fromLatin1(Nom_Temporaire), contenu))
        return 1;
    // One buffer alive at a time, as in the program, which has run a while.
    auto chrono = [&](const char *nom, const std::function<bool()> &travail) {
        for (int i = 0; i < Repetitions; ++i) {
            QElapsedTimer t;
            t.start();
            if (!travail())
                return false;
            mesures[QString::fromLatin1(nom)].push_back(double(t.nsecsElapsed()) / 1e6);
        }
        return true;
    };
    const bool floors = chrono("plancher_lecture", [&] { return Lit_Fichier(log).ok(); })
        && chrono("plancher_lignes",
                  [&] {
                      const auto octets = Lit_Fichier(log);
                      qsizetype nombre = 0;
                      Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView, QByteArrayView) { ++nombre; });
                      return nombre == Nombre_Lignes;
                  })
        && chrono("plancher_reecriture", [&] {
               const auto octets = Lit_Fichier(log);
               return octets && Reecrit_Fichier(log, QString::fromLatin1(Nom_Temporaire), octets.valeur()).ok();
           });
    if (!floors)
        return 1;
    // The same rewrite after a second without writing, as a run's first change
    // comes after the operator's typing: the disk has gone quiet meanwhile.
    for (int i = 0; i < Repetitions; ++i) {
        ::sleep(1);
        QElapsedTimer t;
        t.start();
        const auto octets = Lit_Fichier(log);
        if (!octets || !Reecrit_Fichier(log, QString::fromLatin1(Nom_Temporaire), octets.valeur()))
            return 1;
        mesures[QStringLiteral("plancher_reecriture_pause")].push_back(double(t.nsecsElapsed()) / 1e6);
    }

    QByteArray sortie;
    Jusqu_A_Pret(executable, env, &sortie, {QStringLiteral("actions")});
    lit_actions(sortie);

    const double vide = Mediane(mesures.value(QStringLiteral("fenetre_vide")));
    const double lecture = Mediane(mesures.value(QStringLiteral("plancher_lecture")));
    const double reecriture = Mediane(mesures.value(QStringLiteral("plancher_reecriture")));
    const double reecriture_pause = Mediane(mesures.value(QStringLiteral("plancher_reecriture_pause")));
    struct Ligne {
        const char *nom;
        const char *texte;
        double plancher;
        const char *texte_plancher;
        double cible;
        const char *texte_cible;
    };
    const Ligne lignes[] = {
        {"demarrage", "Démarrage à froid, liste remplie", vide, "fenêtre vide", 100, "une fenêtre : 100 ms"},
        {"dmf_entree", "Entrée dans N° DMF (doublon cherché)", lecture, "lecture", 16, "une touche : 16 ms"},
        {"premier_enregistrement", "Premier changement du lancement : enregistrement (ajout)", reecriture, "réécriture", 16, "une touche : 16 ms"},
        {"premiere_modification", "Premier changement du lancement : modification", reecriture_pause, "réécriture après une pause",
         reecriture_pause + 16, "réécriture après une pause + 16 ms"},
        {"enregistrement", "Enregistrement (ajout)", reecriture, "réécriture", reecriture + 16, "réécriture + 16 ms"},
        {"modification", "Modification en place", reecriture, "réécriture", reecriture + 16, "réécriture + 16 ms"},
        {"suppression", "Suppression", reecriture, "réécriture", reecriture + 16, "réécriture + 16 ms"},
        {"insertion", "Insertion à sa date", reecriture, "réécriture", reecriture + 16, "réécriture + 16 ms"},
        {"recherche", "Recherche par département (toute la liste)", lecture, "lecture", 16, "une touche : 16 ms"},
        {"Mnu_Recap", "Ouverture du récapitulatif", lecture, "lecture", 100, "une fenêtre : 100 ms"},
        {"Mnu_C_Contacte", "Ouverture de la liste des DMF", lecture, "lecture", 100, "une fenêtre : 100 ms"},
        {"Mnu_Dep_Contacte", "Ouverture de la carte", lecture, "lecture", 100, "une fenêtre : 100 ms"},
    };
    std::printf("Log de %d lignes, médianes de %d, plate-forme %s\n\n", Nombre_Lignes, Repetitions,
                qPrintable(env.value(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"))));
    std::printf("| Mesure | Médiane | Rapport au plancher | Cible | Tenue |\n|---|---|---|---|---|\n");
    const std::pair<const char *, const char *> references[] = {
        {"fenetre_vide", "Fenêtre Qt vide, démarrage à froid (plancher)"},
        {"fenetre_texte", "Fenêtre Qt avec une ligne de texte, démarrage à froid"},
        {"demarrage_vide", "Le programme sur un log vide, démarrage à froid"},
        {"plancher_lecture", "Plancher lecture du log"},
        {"plancher_lignes", "Lecture et découpage en lignes, sans autre travail"},
        {"plancher_reecriture", "Plancher réécriture du log (lire, écrire, fsync, renommer)"},
        {"plancher_reecriture_pause", "Plancher réécriture du log après une seconde sans écrire"},
    };
    for (const auto &[nom, texte] : references)
        std::printf("| %s | %.2f ms | | | |\n", texte, Mediane(mesures.value(QString::fromLatin1(nom))));
    bool tout = true;
    for (const Ligne &l : lignes) {
        const double m = Mediane(mesures.value(QString::fromLatin1(l.nom)));
        const bool tenue = m >= 0 && m <= l.cible;
        tout &= tenue;
        std::printf("| %s | %.1f ms | %.1f × %s | %s (%.1f ms) | %s |\n", l.texte, m, m / l.plancher, l.texte_plancher,
                    l.texte_cible, l.cible, tenue ? "oui" : "NON");
    }
    return tout ? 0 : 2;
}

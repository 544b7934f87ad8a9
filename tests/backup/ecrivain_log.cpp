// Rewrites a log for ever, going round A -> B -> A -> C -> A and backing up
// B and C (C as the program does before a run's first change), until killed.
#include "Journal.h"
#include "Log_Crash.h"
#include "Sauvegardes.h"

#include <cstdio>
#include <cstdlib>

using namespace Sous_Programmes;

namespace {

template <typename T>
void Verifie(const Resultat<T> &s)
{
    if (!s) {
        std::fprintf(stderr, "%s\n", qPrintable(s.erreur()));
        std::exit(3);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    const QString log = QString::fromLocal8Bit(argv[1]);
    const QByteArray a = Log_Crash::Ligne_A(Log_Crash::Ligne_Changee);
    const QByteArray b = Log_Crash::Ligne_B();

    // Bring whatever state the last kill left back to A.
    Verifie(Supprime_QSO(log, Log_Crash::DMF_Insere));
    const auto contenu = Lit_Log(log);
    if (!contenu)
        return 3;
    if (contenu.valeur().ligne(Log_Crash::Ligne_Changee) == b)
        Verifie(Remplace_QSO(log, Ligne_Liste(Log_Crash::Ligne_Changee + 1, b), a));

    std::fputs("pret\n", stdout);
    std::fflush(stdout);
    for (;;) {
        Verifie(Remplace_QSO(log, Ligne_Liste(Log_Crash::Ligne_Changee + 1, a), b));
        Verifie(Sauvegardes::Sauvegarde_Log(log, QDateTime::currentDateTime()));
        Verifie(Remplace_QSO(log, Ligne_Liste(Log_Crash::Ligne_Changee + 1, b), a));
        Verifie(Insere_QSO_Par_Date(log, Log_Crash::Ligne_Inseree()));
        {
            // The program's way: the copy made ahead in the background, named at the change.
            Sauvegardes::Avant_Modification avant(&QDateTime::currentDateTime, [](const QString &texte) {
                std::fprintf(stderr, "%s\n", qPrintable(texte));
                std::exit(3);
                return false;
            });
            avant.Prepare(log);
            if (!avant.Autorise(log))
                return 3;
        }
        Verifie(Supprime_QSO(log, Log_Crash::DMF_Insere));
    }
}

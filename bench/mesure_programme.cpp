// The real program's main window, driven as an operator would drive it, for
// the benchmark that starts it as its own process. The program itself has
// no such driver: this executable is built beside it from the same libraries.
//   mesure_programme demarrage: prints "pret" once the window shows its list, then quits;
//   mesure_programme actions: then times each operator action 9 times;
//   mesure_programme premier_enregistrement | premiere_modification: then,
//     after a second of the operator's typing, times the run's first change.
// Each timing is printed as "action <name> <milliseconds>".
#include "Application.h"
#include "Fichier.h"
#include "Journal.h"
#include "Carnet.h"
#include "Main.h"
#include "Message.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

constexpr int Repetitions = 9;

void Ecrit(const char *texte)
{
    std::fputs(texte, stdout);
    std::fflush(stdout);
}

// What the operator sees once an action is done: every event handled, the
// parts of the windows that changed painted (Qt paints them on its update
// requests, which processing the events delivers).
void Affiche() { QApplication::processEvents(); }

// Whether a window has been painted since it was shown.
struct Peinte : QObject {
    bool oui = false;
    bool eventFilter(QObject *, QEvent *e) override { oui |= e->type() == QEvent::Paint; return false; }
};

// The first showing: the window painted whole, once. Where the system has not
// yet asked for it (X sends its expose later), it is painted now.
void Peint_Tout(QWidget &fenetre, const Peinte &peinte)
{
    QApplication::processEvents();
    if (!peinte.oui)
        fenetre.repaint();
}

class Script {
public:
    explicit Script(Main &f) : m_f(f)
    {
        QFile log(m_f.carnet().chemin());
        if (log.open(QIODevice::ReadOnly))
            m_log = log.readAll();
    }

    void Premier_Enregistrement()
    {
        Saisie_De_L_Operateur([&] { Remplit(QStringLiteral("2A001")); });
        Chrono_Une_Fois("premier_enregistrement", [&] { bouton("Valide_A")->click(); });
    }

    void Premiere_Modification()
    {
        Saisie_De_L_Operateur([&] {
            Selectionne(50000);
            emit Liste()->doubleClicked(Liste()->currentIndex());
            champ("Ind_A")->setText(QStringLiteral("F9MOD"));
        });
        Chrono_Une_Fois("premiere_modification", [&] { bouton("Valide_A")->click(); });
    }

    void Execute()
    {
        auto *dmf = champ("DMF_A");
        Chrono("dmf_entree", [&] { Remplit(QStringLiteral("00010")); dmf->setFocus(); },
               [&] { Touche(dmf, Qt::Key_Return); });
        Chrono("enregistrement", [&] { Remplit(QStringLiteral("2A001")); }, [&] { bouton("Valide_A")->click(); });
        Chrono("modification",
               [&] {
                   Selectionne(50000);
                   emit Liste()->doubleClicked(Liste()->currentIndex());
                   champ("Ind_A")->setText(QStringLiteral("F9MOD"));
               },
               [&] { bouton("Valide_A")->click(); });
        Chrono("suppression", [&] { Selectionne(50000); }, [&] { bouton("Annule_Saisie")->click(); });
        Chrono("insertion",
               [&] {
                   bouton("Ajout_Saisie")->click();
                   champ("Date_A")->setText(QStringLiteral("15/03/07"));
                   Remplit(QStringLiteral("2A001"));
               },
               [&] { bouton("Valide_A")->click(); });
        QLineEdit *depa = nullptr;
        Chrono("recherche",
               [&] {
                   bouton("Recherche")->click();
                   QWidget *r = Fenetre("Recherche_Indicatif");
                   r->findChild<QAbstractButton *>(QStringLiteral("Option1_3"))->click();
                   depa = r->findChild<QLineEdit *>(QStringLiteral("Depa"));
                   depa->setText(QStringLiteral("21"));
               },
               [&] { Touche(depa, Qt::Key_Return); });
        for (const char *menu : {"Mnu_Recap", "Mnu_C_Contacte", "Mnu_Dep_Contacte"})
            Chrono(menu, [] {}, [&] { m_f.findChild<QAction *>(QString::fromLatin1(menu))->trigger(); });
    }

private:
    QLineEdit *champ(const char *nom) { return m_f.findChild<QLineEdit *>(QString::fromLatin1(nom)); }
    QPushButton *bouton(const char *nom) { return m_f.findChild<QPushButton *>(QString::fromLatin1(nom)); }

    void Touche(QWidget *w, int touche)
    {
        QKeyEvent appui(QEvent::KeyPress, touche, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(w, &appui);
    }

    // The fields of a new QSO, up to the record button.
    void Remplit(const QString &numero)
    {
        champ("Date_A")->setText(QStringLiteral("15/03/07"));
        champ("Ind_A")->setText(QStringLiteral("F5ABC"));
        m_f.findChild<QComboBox *>(QStringLiteral("Type_A"))->setCurrentIndex(0);
        champ("DMF_A")->setEnabled(true);
        champ("DMF_A")->setText(numero);
        bouton("Valide_A")->setEnabled(true);
    }

    static QWidget *Fenetre(const char *nom)
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(nom) && w->isVisible())
                return w;
        return nullptr;
    }

    QAbstractItemView *Liste() { return m_f.findChild<QAbstractItemView *>(QStringLiteral("Liste_DFCF")); }

    void Selectionne(int ligne)
    {
        Liste()->setCurrentIndex(Liste()->model()->index(ligne, 0));
        QApplication::processEvents();
    }

    // The log as it was, the list with it, and no window but the main one.
    void Remet()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != &m_f && w->isVisible())
                w->close();
        // On disk before the next action: its own flush must not write ours.
        if (const auto s = Sous_Programmes::Reecrit_Fichier(m_f.carnet().chemin(), QString::fromLatin1(Sous_Programmes::Nom_Temporaire), m_log); !s)
            qWarning("%s", qPrintable(s.erreur()));
        m_f.carnet().ouvre(m_f.carnet().indicatif(), m_f.carnet().annee());
        m_f.findChild<QPushButton *>(QStringLiteral("Efface_A"))->click();
        QApplication::processEvents();
    }

    // An operator takes a second at least to type a QSO after the window shows.
    void Saisie_De_L_Operateur(const std::function<void()> &saisie)
    {
        saisie();
        QEventLoop attente;
        QTimer::singleShot(1000, &attente, &QEventLoop::quit);
        attente.exec();
    }

    void Chrono_Une_Fois(const char *nom, const std::function<void()> &action)
    {
        QElapsedTimer t;
        t.start();
        action();
        Affiche();
        Ecrit(qPrintable(QStringLiteral("action %1 %2\n").arg(QString::fromLatin1(nom)).arg(double(t.nsecsElapsed()) / 1e6, 0, 'f', 3)));
    }

    void Chrono(const char *nom, const std::function<void()> &prepare, const std::function<void()> &action)
    {
        for (int i = 0; i < Repetitions; ++i) {
            prepare();
            QApplication::processEvents();
            QElapsedTimer t;
            t.start();
            action();
            Affiche();
            const double ms = double(t.nsecsElapsed()) / 1e6;
            Ecrit(qPrintable(QStringLiteral("action %1 %2\n").arg(QString::fromLatin1(nom)).arg(ms, 0, 'f', 3)));
            Remet();
        }
    }

    Main &m_f;
    QByteArray m_log;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("demarrage");
    Prepare_Application();
    // Questions answered yes, notices passed: the timings are the program's own.
    // Each shown on the error output, so that a refusal cannot pass for a timing.
    Message::Installe_Repondeur([](const QString &texte, QMessageBox::StandardButtons b) {
        std::fprintf(stderr, "message: %s\n", qPrintable(QString(texte).replace(QStringLiteral("\r\n"), QStringLiteral(" "))));
        return (b & QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    });
    Main fenetre;
    fenetre.show();
    Peinte peinte;
    fenetre.installEventFilter(&peinte);
    QTimer::singleShot(0, &fenetre, [&] {
        Peint_Tout(fenetre, peinte);
        Ecrit("pret\n");
        if (mode == "actions")
            Script(fenetre).Execute();
        else if (mode == "premier_enregistrement")
            Script(fenetre).Premier_Enregistrement();
        else if (mode == "premiere_modification")
            Script(fenetre).Premiere_Modification();
        QApplication::quit();
    });
    return application.exec();
}

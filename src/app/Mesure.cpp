#include "Mesure.h"

#include "Fichier.h"
#include "Journal.h"
#include "Main.h"
#include "Message.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace Mesure {

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
        QFile log(m_f.Chemin_Log());
        if (log.open(QIODevice::ReadOnly))
            m_log = log.readAll();
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
        if (const auto s = Sous_Programmes::Reecrit_Fichier(m_f.Chemin_Log(), QString::fromLatin1(Sous_Programmes::Nom_Temporaire), m_log); !s)
            qWarning("%s", qPrintable(s.erreur()));
        m_f.Charge_Liste();
        m_f.Efface();
        QApplication::processEvents();
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

bool Demandee() { return !qEnvironmentVariableIsEmpty("KOB_MESURE"); }

void Prepare()
{
    // Questions answered yes, notices passed: the timings are the program's own.
    // Each shown on the error output, so that a refusal cannot pass for a timing.
    Message::Installe_Repondeur([](const QString &texte, QMessageBox::StandardButtons b) {
        std::fprintf(stderr, "message: %s\n", qPrintable(QString(texte).replace(QStringLiteral("\r\n"), QStringLiteral(" "))));
        return (b & QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    });
}

void Lance(Main &fenetre)
{
    static Peinte peinte;
    fenetre.installEventFilter(&peinte);
    QTimer::singleShot(0, &fenetre, [&fenetre] {
        Peint_Tout(fenetre, peinte);
        Ecrit("pret\n");
        if (qgetenv("KOB_MESURE") == "actions")
            Script(fenetre).Execute();
        QApplication::quit();
    });
}

} // namespace Mesure

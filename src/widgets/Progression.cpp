#include "Progression.h"

#include "Arriere_Plan.h"
#include "Fenetres.h"

#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <atomic>

namespace {

constexpr int Graduations = 1000;

// Carries the work's progress to the dialog's thread.
class Suivi : public QObject {
    Q_OBJECT

signals:
    void avance(int valeur);
};

// Ends the first wait when the dialog shows: from then on it holds the keys.
class Montre : public QObject {
public:
    Montre(QWidget *dialogue, QEventLoop *boucle) : m_boucle(boucle) { dialogue->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *evenement) override
    {
        if (evenement->type() == QEvent::Show)
            m_boucle->quit();
        return false;
    }

private:
    QEventLoop *m_boucle;
};

} // namespace

namespace Progression {

bool Execute(QWidget *parent, const QString &nom_objet, const QString &texte, int delai_ms,
             const std::function<void(const Avance &)> &travail)
{
    QProgressDialog dialogue(texte, QStringLiteral("Annuler"), 0, Graduations, parent);
    dialogue.setObjectName(nom_objet);
    // Room for a long file name.
    dialogue.setMinimumWidth(Fenetres::Pixels(420));
    dialogue.setWindowTitle(QStringLiteral("KOB_Dezudidar_ERI"));
    dialogue.setWindowModality(Qt::ApplicationModal);
    dialogue.setAutoReset(false);
    dialogue.setAutoClose(false);
    dialogue.setMinimumDuration(delai_ms);
    dialogue.setValue(0); // counts the delay from now

    std::atomic<bool> annule = false;
    std::atomic<int> montree = -1;
    Suivi suivi;
    QObject::connect(&suivi, &Suivi::avance, &dialogue, &QProgressDialog::setValue);
    QObject::connect(&dialogue, &QProgressDialog::canceled, [&] { annule = true; });

    QEventLoop boucle;
    bool finie = false;
    Montre montre(&dialogue, &boucle);
    Arriere_Plan<bool> fil;
    fil.lance(
        [&] {
            travail([&](qint64 fait, qint64 total) {
                const int valeur = total > 0 ? int(qMin<qint64>(Graduations, fait * Graduations / total)) : Graduations;
                if (montree.exchange(valeur) != valeur)
                    emit suivi.avance(valeur);
                return !annule;
            });
            return true;
        },
        &boucle,
        [&](bool) {
            finie = true;
            boucle.quit();
        });
    if (!finie)
        boucle.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finie)
        boucle.exec();
    return !annule;
}

} // namespace Progression

#include "Progression.moc"

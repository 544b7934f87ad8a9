#include "Progression.h"

#include "Fenetres.h"

#include <QCoreApplication>

namespace {

constexpr int Graduations = 1000;
// Often enough for a repaint to be seen, seldom enough to cost nothing.
constexpr qint64 Intervalle_ms = 40;

} // namespace

Progression::Progression(QWidget *parent, const QString &nom_objet, const QString &texte, int delai_ms)
    : m_dialogue(texte, QStringLiteral("Annuler"), 0, Graduations, parent)
{
    m_dialogue.setObjectName(nom_objet);
    // Room for a long file name.
    m_dialogue.setMinimumWidth(Fenetres::Pixels(420));
    m_dialogue.setWindowTitle(QStringLiteral("KOB_Dezudidar_ERI"));
    m_dialogue.setWindowModality(Qt::ApplicationModal);
    m_dialogue.setMinimumDuration(delai_ms);
    m_dialogue.setAutoReset(false);
    m_dialogue.setValue(0);
}

bool Progression::Avance(qint64 fait, qint64 total)
{
    if (!m_derniere.isValid() || m_derniere.elapsed() >= Intervalle_ms || fait >= total) {
        m_derniere.restart();
        const int valeur = total > 0 ? int(qMin<qint64>(Graduations, fait * Graduations / total)) : Graduations;
        if (valeur != m_dialogue.value())
            m_dialogue.setValue(valeur);
        // Windows repaint; until the dialog shows and holds the others, no
        // key or click reaches them meanwhile.
        QCoreApplication::processEvents(m_dialogue.isVisible() ? QEventLoop::AllEvents
                                                               : QEventLoop::ExcludeUserInputEvents);
    }
    return !m_dialogue.wasCanceled();
}

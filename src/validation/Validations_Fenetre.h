#pragma once

#include <QSet>
#include <QStringList>
#include <QWidget>
#include <functional>

class QListWidget;

// The pending QSOs that a list of validated mills validates, shown before
// anything is written; "Valider" removes their "*".
class Validations : public QWidget {
    Q_OBJECT

public:
    // `lignes`: the list lines of those QSOs. `avant_ecriture` is asked just
    // before the log is written, and may say no.
    Validations(const QStringList &lignes, qsizetype restent, long long points, QSet<QByteArray> numeros,
                const QString &chemin_log, std::function<bool()> avant_ecriture);

    static QString Resume(qsizetype validees, qsizetype restent, long long points);

signals:
    // The log is rewritten: whoever shows it reloads it.
    void QSO_Valides(int nombre);

private:
    void Valider_Validations_Click();

    QSet<QByteArray> m_numeros;
    QString m_chemin_log;
    std::function<bool()> m_avant_ecriture;
};

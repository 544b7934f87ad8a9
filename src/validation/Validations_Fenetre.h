#pragma once

#include <QSet>
#include <QStringList>
#include <QWidget>

class Carnet;
class QListWidget;

// The pending QSOs that a list of validated mills validates, shown before
// anything is written; "Valider" removes their "*".
class Validations : public QWidget {
    Q_OBJECT

public:
    // `lignes`: the list lines of those QSOs.
    Validations(const QStringList &lignes, qsizetype restent, long long points, QSet<QByteArray> numeros, Carnet &carnet);

    static QString Resume(qsizetype validees, qsizetype restent, long long points);

signals:
    // The log is rewritten.
    void QSO_Valides(int nombre);

private:
    void Valider_Validations_Click();

    QSet<QByteArray> m_numeros;
    Carnet &m_carnet;
};

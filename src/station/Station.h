#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// Choosing the station callsign and the challenge year, which select the log.
class Station : public QWidget {
    Q_OBJECT

public:
    // `dossier`: the program folder, where the logs are.
    explicit Station(const QString &dossier);

signals:
    // The station is saved and its log exists: whoever shows a log moves to it.
    void Station_Validee();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void Validation_Click();

    QString m_dossier;
    QLineEdit *New_Indicatif;
    QLineEdit *New_Annee;
    QPushButton *Validation;
};

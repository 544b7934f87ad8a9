#pragma once

#include <QWidget>

class Carnet;
class QLineEdit;
class QPushButton;

// Choosing the station callsign and the challenge year, which select the log.
class Station : public QWidget {
    Q_OBJECT

public:
    // The station validated becomes the log's.
    explicit Station(Carnet &carnet);

signals:
    // The station is saved, its log exists and is the current one.
    void Station_Validee();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void Validation_Click();

    Carnet &m_carnet;
    QLineEdit *New_Indicatif;
    QLineEdit *New_Annee;
    QPushButton *Validation;
};

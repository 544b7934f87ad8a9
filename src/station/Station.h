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
    // The locator typed, in its written form; false, once said, when it is none.
    bool Locator_Accepte();

    Carnet &m_carnet;
    QLineEdit *New_Indicatif;
    QLineEdit *New_Annee;
    QLineEdit *Locator_Station;
    QPushButton *Validation;
};

#pragma once

#include <QWidget>

class Main;
class QLineEdit;
class QPushButton;

// Choosing the station callsign and the challenge year, which select the log.
class Station : public QWidget {
    Q_OBJECT

public:
    explicit Station(Main *principale);

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void Validation_Click();

    Main *m_main;
    QLineEdit *New_Indicatif;
    QLineEdit *New_Annee;
    QPushButton *Validation;
};

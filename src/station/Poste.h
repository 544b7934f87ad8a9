#pragma once

#include "Liaison_Poste.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The station's radio: how it is reached, kept in the settings as it is
// changed, and a try that reads its frequency and mode.
class Poste : public QWidget {
    Q_OBJECT

public:
    explicit Poste(const Radio::Reglages &reglages);

signals:
    // Saved: whoever tunes the radio reaches it so from now on.
    void Poste_Change(const Radio::Reglages &reglages);

protected:
    void closeEvent(QCloseEvent *evenement) override;

private:
    Radio::Reglages Champs() const;
    void type_change(int position);
    // False, with the reason shown, when nothing could be kept.
    bool sauve();
    void Poste_Essayer_Click();
    void montre_type();

    Radio::Liaison m_liaison;
    Radio::Reglages m_sauves;
    Radio::Type m_type;
    QComboBox *Poste_Type;
    QLineEdit *Poste_Adresse;
    QSpinBox *Poste_Port;
    QPushButton *Poste_Essayer;
    QLabel *Etat_Poste;
};

#pragma once

#include <QWidget>

class Main;
class QLineEdit;
class QListView;
class QRadioButton;
class QStringListModel;

// Finds the QSOs of the main list by callsign, DMF number or département.
class Recherche_Indicatif : public QWidget {
    Q_OBJECT

public:
    explicit Recherche_Indicatif(Main *principale);

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void Recherche_QSO();
    void QSO_Effectues_Click(const QModelIndex &index);
    int Mode() const;

    Main *m_main;
    QRadioButton *Option1[4] = {};
    QLineEdit *Boites[4] = {};
    QLineEdit *Indica, *Data, *Depa;
    QListView *QSO_Effectues;
    QStringListModel *m_resultats;
};

#pragma once

#include <QWidget>

class QAbstractItemModel;
class QLineEdit;
class QAbstractItemView;
class QRadioButton;
class QStringListModel;

// Finds the QSOs of the main list by callsign, DMF number or département.
class Recherche_Indicatif : public QWidget {
    Q_OBJECT

public:
    // `liste`: the main list, whose lines are searched; each row gives its
    // stored line by `Role_Ligne_Log` and the line shown by the display role.
    explicit Recherche_Indicatif(const QAbstractItemModel *liste);

signals:
    // The operator picked a result: the list line, as the main list shows it.
    void QSO_Choisi(const QString &ligne_liste);

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void Recherche_QSO();
    void QSO_Effectues_Click(const QModelIndex &index);
    int Mode() const;

    const QAbstractItemModel *m_liste;
    QRadioButton *Option1[4] = {};
    QLineEdit *Boites[4] = {};
    QLineEdit *Indica, *Data, *Depa;
    QAbstractItemView *QSO_Effectues;
    QStringListModel *m_resultats;
};

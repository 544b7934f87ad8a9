#pragma once

#include <QCheckBox>
#include <QStringListModel>
#include <QTableView>
#include <QPushButton>

// Captions of buttons and check boxes wrap on several lines, as the narrow
// controls of the main window need.
class Bouton_Multiligne : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *) override;
    // As the check box below.
    void showEvent(QShowEvent *) override;

private:
    QRect Zone_Texte() const;
};

class Case_Multiligne : public QCheckBox {
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *) override;
    // Placed at a fixed place: made tall enough there for its wrapped text,
    // whatever the system's font.
    void showEvent(QShowEvent *) override;
    bool hitButton(const QPoint &) const override { return true; }

private:
    QRect Zone_Texte() const;
};

class QKeyEvent;
class QLineEdit;

// A typed character that `regle` changes goes into the field changed; true
// when it did, so that the key is not passed on. Shortcuts and pasted text
// are left alone.
bool Frappe_Changee(QLineEdit *champ, const QKeyEvent *touche, QChar (*regle)(QChar));

// The role by which the QSO list's model gives a row's stored line: its
// bytes as in the log, without a copy, for a search that visits every row.
inline constexpr int Role_Ligne_Log = Qt::UserRole + 1;

// Lines as the main list shows them, each read by screen readers as a sentence.
class Modele_Lignes_Liste : public QStringListModel {
    Q_OBJECT

public:
    using QStringListModel::QStringListModel;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

// The QSO list: a click on the line already selected selects it again.
// One column of fixed-height rows: a table view lays out 99,999 of them in
// constant time, where a list view visits every row at each reload.
class Liste_QSO : public QTableView {
    Q_OBJECT

public:
    explicit Liste_QSO(QWidget *parent = nullptr);
    // The widest line it shows, in characters: wider than the list, it scrolls.
    void Largeur_Lignes(int caracteres);

signals:
    void ligne_reselectionnee(const QModelIndex &index);

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void Mesure_Lignes();
    int m_caracteres = 61;
};

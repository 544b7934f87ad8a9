#pragma once

#include <QCheckBox>
#include <QListView>
#include <QPushButton>

// Captions of buttons and check boxes wrap on several lines, as the narrow
// controls of the main window need.
class Bouton_Multiligne : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *) override;
};

class Case_Multiligne : public QCheckBox {
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *) override;
    bool hitButton(const QPoint &) const override { return true; }
};

class QKeyEvent;
class QLineEdit;

// A typed character that `regle` changes goes into the field changed; true
// when it did, so that the key is not passed on. Shortcuts and pasted text
// are left alone.
bool Frappe_Changee(QLineEdit *champ, const QKeyEvent *touche, QChar (*regle)(QChar));

// The QSO list: a click on the line already selected selects it again.
class Liste_QSO : public QListView {
    Q_OBJECT

public:
    using QListView::QListView;

signals:
    void ligne_reselectionnee(const QModelIndex &index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

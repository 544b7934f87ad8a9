#pragma once

#include <QStringList>
#include <QWidget>

// The rules of the challenge, as a fixed French text.
class Reglement : public QWidget {
    Q_OBJECT

public:
    explicit Reglement(QWidget *parent = nullptr);

    // One entry per line of the list; empty entries separate paragraphs.
    static QStringList Texte();
};

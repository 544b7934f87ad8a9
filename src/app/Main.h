#pragma once

#include <QMainWindow>

class Main : public QMainWindow {
    Q_OBJECT

public:
    explicit Main(QWidget *parent = nullptr);
};

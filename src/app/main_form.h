// The MDI main window.
#pragma once

#include <QMainWindow>

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
};

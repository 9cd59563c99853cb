// The "Printing..." notice that the trend and waveform views show while they render a printout.
// One instance, PrnForm, lives from start-up to exit: PrnForm->show(), print, PrnForm->hide().
#pragma once

#include <QWidget>

class QLabel;

class TPrnForm : public QWidget {
    Q_OBJECT
public:
    explicit TPrnForm(QWidget* parent = nullptr);

    QLabel* Label1;

protected:
    void showEvent(QShowEvent* event) override;
};

// Created by the main window at start-up; the window owns it.
extern TPrnForm* PrnForm;

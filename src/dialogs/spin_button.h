// An up/down pair of small buttons that step a field beside it (time fields, the limits
// editor's harmonic order, day counts); auto-repeating while held.
#pragma once

#include <QWidget>

class QToolButton;

class TSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit TSpinButton(QWidget* parent = nullptr);
    QToolButton* UpButton;
    QToolButton* DownButton;
signals:
    void Up();
    void Down();
};

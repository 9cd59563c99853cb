// "Date Selection": the month-calendar date picker behind the wizards' date buttons. One
// instance, BrDateForm, lives from start-up to exit. PickDateInto(field) runs the whole round:
// the field's short-format date goes into the calendar, and on OK the chosen date comes back.
#pragma once

#include "dialogs/fixed_dialog.h"

#include <QDate>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TBrDateForm : public FixedDialog {
    Q_OBJECT
public:
    explicit TBrDateForm(QWidget* parent = nullptr);

    void SetCalendarDate(const QDate& date);
    QDate GetCalendarDate() const;

    // Shows the picker modal on the date in field (short date format; today when the text is no
    // date). On OK writes the chosen date back in the short date format and returns true; on
    // Cancel leaves the field as it was.
    bool PickDateInto(QLineEdit* field);

    QLabel* TitleLabel;
    QToolButton* PrevMonthBtn;
    QToolButton* NextMonthBtn;
    QCalendarWidget* Calendar1;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

private:
    void PrevMonthBtnClick();
    void NextMonthBtnClick();
    void Calendar1Change();
    void CalendarPageChange(int year, int month);
};

// Created by the main window at start-up; the window owns it.
extern TBrDateForm* BrDateForm;

// "Print Title": asks for the title of a printed setup. One instance, PrnTitleDlg, lives from
// start-up to exit, so the title typed last is offered again: exec(); on Accepted read Title().
#pragma once

#include "dialogs/fixed_dialog.h"

class QLineEdit;
class QPushButton;

class TPrnTitleDlg : public FixedDialog {
    Q_OBJECT
public:
    explicit TPrnTitleDlg(QWidget* parent = nullptr);

    QString Title() const;

    QLineEdit* EditTit;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
};

// Created by the main window at start-up; the window owns it.
extern TPrnTitleDlg* PrnTitleDlg;

// "Print Selection": print the selected area or all of the values sheet. Created by the values
// sheet for one use: exec(); on Accepted, PrintSelectedArea() says which range to print.
#pragma once

#include "dialogs/fixed_dialog.h"

class QButtonGroup;
class QPushButton;
class QRadioButton;

class TPrnSelDlg : public FixedDialog {
    Q_OBJECT
public:
    explicit TPrnSelDlg(QWidget* parent = nullptr);

    // The radio group's index: 0 "Selected Area" (preselected), 1 "All".
    int ItemIndex() const;
    bool PrintSelectedArea() const { return ItemIndex() == 0; }

    QButtonGroup* RadioPrint;
    QRadioButton* RadioSelected;
    QRadioButton* RadioAll;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
};

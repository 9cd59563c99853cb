// "Drive Selection": drive A or B for "Read Archives from floppy". Drive B is offered only when
// a second removable volume is mounted.
#pragma once

#include "dialogs/fixed_dialog.h"

class QRadioButton;

class TDriveDlg : public FixedDialog {
    Q_OBJECT
public:
    explicit TDriveDlg(QWidget* parent = nullptr, bool driveBAvailable = false);

    // The chosen letter, read after OK.
    char Drive = 'A';

    QRadioButton* RadioA;
    QRadioButton* RadioB;

    void RadioAClick() { Drive = 'A'; }
    void RadioBClick() { Drive = 'B'; }
};

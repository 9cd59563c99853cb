// The start-up notice "Read Me" about the new setup file format. Shown at the end of the
// splash unless the user switched it off; closing it stores the check box.
#pragma once

#include "dialogs/fixed_dialog.h"

class QCheckBox;
class QPushButton;

class TWarningForm : public FixedDialog {
    Q_OBJECT
public:
    explicit TWarningForm(QWidget* parent = nullptr);

    QCheckBox* CBoxStartUp;
    QPushButton* btnClose;

    // Reads the stored switch (when there is one) and shows the notice, not modal, when it is on.
    void ShowStartupNotice();
    void btnCloseClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void FormCloseQuery();
};

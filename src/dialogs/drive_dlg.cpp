// Drive selection dialog.
#include "dialogs/drive_dlg.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TDriveDlg::TDriveDlg(QWidget* parent, bool driveBAvailable) : FixedDialog(parent, "Drive Selection")
{
    auto* group = new QGroupBox("Input Drive", this);
    // Wide enough for the caption: the two short radio buttons alone would cut it in the title bar.
    group->setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 120);
    auto* groupLayout = new QVBoxLayout(group);
    RadioA = new QRadioButton("drive A", group);
    RadioB = new QRadioButton("drive B", group);
    RadioA->setChecked(true);
    RadioB->setEnabled(driveBAvailable);
    groupLayout->addWidget(RadioA);
    groupLayout->addWidget(RadioB);
    MainLayout()->addWidget(group);
    AddOkCancelButtons(this, MainLayout());
    connect(RadioA, &QRadioButton::clicked, this, &TDriveDlg::RadioAClick);
    connect(RadioB, &QRadioButton::clicked, this, &TDriveDlg::RadioBClick);
}

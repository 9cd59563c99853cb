// "Print Selection" dialog.
#include "dialogs/prn_sel_dlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TPrnSelDlg::TPrnSelDlg(QWidget* parent) : FixedDialog(parent, "Print Selection")
{
    auto* box = new QGroupBox("Print", this);
    auto* boxLayout = new QVBoxLayout(box);
    RadioSelected = new QRadioButton("Selected Area", box);
    RadioAll = new QRadioButton("All", box);
    RadioPrint = new QButtonGroup(this);
    RadioPrint->addButton(RadioSelected, 0);
    RadioPrint->addButton(RadioAll, 1);
    RadioSelected->setChecked(true);
    boxLayout->addWidget(RadioSelected);
    boxLayout->addWidget(RadioAll);
    box->setMinimumWidth(200);
    MainLayout()->addWidget(box);

    auto buttons = AddOkCancelButtons(this, MainLayout());
    BtnOk = buttons.ok;
    BtnCancel = buttons.cancel;
}

int TPrnSelDlg::ItemIndex() const
{
    return RadioPrint->checkedId();
}

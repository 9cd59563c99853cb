// "Print Title" dialog.
#include "dialogs/prn_title_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPrnTitleDlg* PrnTitleDlg = nullptr;

TPrnTitleDlg::TPrnTitleDlg(QWidget* parent) : FixedDialog(parent, "Print Title")
{
    EditTit = new QLineEdit(this);
    EditTit->setMinimumWidth(280);
    auto* label = new QLabel("Print title:", this);
    label->setBuddy(EditTit);
    MainLayout()->addWidget(label);
    MainLayout()->addWidget(EditTit);

    auto buttons = AddOkCancelButtons(this, MainLayout());
    BtnOk = buttons.ok;
    BtnCancel = buttons.cancel;
}

QString TPrnTitleDlg::Title() const
{
    return EditTit->text();
}

void TPrnTitleDlg::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    FormActivate();
}

void TPrnTitleDlg::FormActivate()
{
    EditTit->setFocus();
}

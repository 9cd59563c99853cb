// The "Printing..." notice.
#include "dialogs/prn_form.h"

#include "dialogs/fixed_dialog.h"

#include <QLabel>
#include <QVBoxLayout>

TPrnForm* PrnForm = nullptr;

TPrnForm::TPrnForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    Label1 = new QLabel("Printing...", this);
    Label1->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    setFixedSize(150, 60);
}

void TPrnForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    CentreOnScreen(this);
}

// Spin button.
#include "dialogs/spin_button.h"

#include <QToolButton>
#include <QVBoxLayout>

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent)
{
    UpButton = new QToolButton(this);
    UpButton->setArrowType(Qt::UpArrow);
    DownButton = new QToolButton(this);
    DownButton->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {UpButton, DownButton}) {
        b->setFixedSize(16, 11);
        b->setAutoRepeat(true);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(UpButton);
    layout->addWidget(DownButton);
    connect(UpButton, &QToolButton::clicked, this, &TSpinButton::Up);
    connect(DownButton, &QToolButton::clicked, this, &TSpinButton::Down);
}

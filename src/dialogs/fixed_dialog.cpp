// Frame shared by the program's small modal dialogs.
#include "dialogs/fixed_dialog.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

FixedDialog::FixedDialog(QWidget* parent, const QString& caption, Qt::WindowFlags extraFlags)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | extraFlags), mainLayout(new QVBoxLayout(this))
{
    mainLayout->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(caption);
}

void FixedDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

OkCancelButtons AddOkCancelButtons(QDialog* dialog, QBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    OkCancelButtons buttons{new QPushButton("&OK", dialog), new QPushButton("&Cancel", dialog)};
    buttons.ok->setDefault(true);
    QObject::connect(buttons.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    layout->addLayout(row);
    return buttons;
}

void CentreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QLabel* BoldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

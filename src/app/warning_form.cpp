// Start-up notice.
#include "app/warning_form.h"

#include "app/tool_icons.h"
#include "platform/app_settings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kNoticeLines[] = {
    "From the version 2.4 of Tarn firmware ORV - P function,",
    "the setup file (*.cfg) has a new format.",
    "Valid setup can be generated via PC using software ",
    "package ORV ver 2.21 or next.",
    "",
    "The old setup files (firmware or software), are compatible ",
    "with new setup file except for flicker analysis, that must be ",
    "reprogrammed.    ",
};
}  // namespace

// Fixed size like every other dialog, so that a window manager gives it no resize border.
TWarningForm::TWarningForm(QWidget* parent) : FixedDialog(parent, "Read Me", Qt::WindowStaysOnTopHint)
{
    setModal(false);

    auto* panel = new QWidget(this);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
    auto* picture = new QLabel(panel);
    picture->setPixmap(WaveformPicture(64, 64));
    auto* title = new QLineEdit("Warning...", panel);
    title->setReadOnly(true);
    title->setFrame(false);
    QFont big("DejaVu Sans", 16, QFont::Bold);
    title->setFont(big);
    auto* memo = new QPlainTextEdit(panel);
    memo->setReadOnly(true);
    memo->setFrameStyle(QFrame::NoFrame);
    QStringList lines;
    for (const char* line : kNoticeLines) lines << line;
    memo->setPlainText(lines.join('\n'));
    memo->setMinimumSize(420, 150);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(title, 1);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(top);
    panelLayout->addWidget(memo);

    CBoxStartUp = new QCheckBox("&Show Warning on Startup", this);
    CBoxStartUp->setChecked(true);
    btnClose = new QPushButton("&Close", this);
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &TWarningForm::btnCloseClick);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CBoxStartUp);
    bottom->addStretch();
    bottom->addWidget(btnClose);
    MainLayout()->addWidget(panel);
    MainLayout()->addLayout(bottom);
}

void TWarningForm::ShowStartupNotice()
{
    if (auto stored = ReadStartUpSetting()) CBoxStartUp->setChecked(*stored);
    if (CBoxStartUp->isChecked()) {
        show();
        btnClose->setFocus();
    }
}

void TWarningForm::btnCloseClick() { close(); }

void TWarningForm::FormCloseQuery() { WriteStartUpSetting(CBoxStartUp->isChecked()); }

void TWarningForm::closeEvent(QCloseEvent* event)
{
    FormCloseQuery();
    event->accept();
    FixedDialog::closeEvent(event);
}

void TWarningForm::done(int result)
{
    // Escape ends the dialog without a close event: store the switch here too.
    if (isVisible()) FormCloseQuery();
    FixedDialog::done(result);
}

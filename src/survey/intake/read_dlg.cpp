// Floppy reader window.
#include "survey/intake/read_dlg.h"

#include "survey/intake/floppy_reader.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TReadDlg::TReadDlg(QWidget* parent, TFloppyReader& reader)
    : FixedDialog(parent, "Read Archives from floppy"), reader_(reader), runner_(reader)
{
    Text = new QLabel(this);
    Text->setAlignment(Qt::AlignCenter);
    Text->setWordWrap(true);
    Text->setMinimumSize(280, 60);
    BtnAbort = new QPushButton("&Abort", this);
    MainLayout()->addWidget(Text);
    MainLayout()->addWidget(BtnAbort, 0, Qt::AlignHCenter);
    connect(BtnAbort, &QPushButton::clicked, this, &TReadDlg::BtnAbortClick);
    Timer1.setInterval(0);
    connect(&Timer1, &QTimer::timeout, this, &TReadDlg::Timer1Timer);
}

void TReadDlg::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    Text->clear();
    Timer1.start();
}

void TReadDlg::Timer1Timer()
{
    if (runner_.Busy()) return;
    const bool running = runner_.RunFor();
    Text->setText(QString::fromStdString(reader_.StatusText()));
    if (running) return;
    Timer1.stop();
    done(reader_.DiskSucceeded() ? Accepted : Rejected);
}

void TReadDlg::BtnAbortClick() { reject(); }

void TReadDlg::reject()
{
    Timer1.stop();
    if (!reader_.Finished()) reader_.Abort();
    FixedDialog::reject();
}

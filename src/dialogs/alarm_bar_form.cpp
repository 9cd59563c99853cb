// The shared progress window.
#include "dialogs/alarm_bar_form.h"

#include <QProgressBar>
#include <QVBoxLayout>

TAlarmBarForm* AlarmBarForm = nullptr;

TAlarmBarForm::TAlarmBarForm(QWidget* parent)
    : FixedDialog(parent, "processing Events...",
                  Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    Bar = new QProgressBar(this);
    Bar->setRange(0, 100);
    Bar->setValue(0);
    Bar->setTextVisible(false);
    MainLayout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    MainLayout()->setContentsMargins(16, 18, 16, 18);
    MainLayout()->addWidget(Bar);
    setFixedSize(244, 60);
}

void TAlarmBarForm::SetProgressCaption(const QString& caption)
{
    // Callers name the shared window, whichever instance they reach it through.
    (AlarmBarForm ? AlarmBarForm : this)->setWindowTitle(caption);
}

void TAlarmBarForm::ResetProgress()
{
    progress.Reset();
    Bar->setValue(0);
}

void TAlarmBarForm::SetProgress(int done, int total)
{
    if (!progress.Set(done, total)) return;
    Bar->setValue(progress.Position());
    Bar->repaint();
}

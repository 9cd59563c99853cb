// Interval fields.
#include "wizards/interval_fields.h"

#include "dialogs/br_date_form.h"
#include "platform/messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {
QLineEdit* ReadOnlyField(QWidget* parent, int width)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setFixedWidth(width);
    return edit;
}
}  // namespace

TIntervalFields::TIntervalFields(QWidget* parent) : QWidget(parent)
{
    EditIniDate = ReadOnlyField(this, 90);
    EditEndDate = ReadOnlyField(this, 90);
    rcEdit1TimeStart = ReadOnlyField(this, 50);
    rcEdit1TimeStop = ReadOnlyField(this, 50);
    BtnIni = new QToolButton(this);
    BtnEnd = new QToolButton(this);
    BtnIni->setText("...");
    BtnEnd->setText("...");
    BtnIni->setToolTip("Set start date");
    BtnEnd->setToolTip("Set stop date");
    BtnOreStart = new TSpinButton(this);
    BtnMinStart = new TSpinButton(this);
    BtnOreStop = new TSpinButton(this);
    BtnMinStop = new TSpinButton(this);
    BtnOreStart->setToolTip("Hours");
    BtnOreStop->setToolTip("Hours");
    BtnMinStart->setToolTip("Minutes");
    BtnMinStop->setToolTip("Minutes");

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel("Start Date", this), 0, 0, 1, 2);
    grid->addWidget(new QLabel("Start Time", this), 0, 2, 1, 3);
    grid->addWidget(EditIniDate, 1, 0);
    grid->addWidget(BtnIni, 1, 1);
    grid->addWidget(rcEdit1TimeStart, 1, 2);
    grid->addWidget(BtnOreStart, 1, 3);
    grid->addWidget(BtnMinStart, 1, 4);
    grid->addWidget(new QLabel("Stop Date", this), 2, 0, 1, 2);
    grid->addWidget(new QLabel("Stop Time", this), 2, 2, 1, 3);
    grid->addWidget(EditEndDate, 3, 0);
    grid->addWidget(BtnEnd, 3, 1);
    grid->addWidget(rcEdit1TimeStop, 3, 2);
    grid->addWidget(BtnOreStop, 3, 3);
    grid->addWidget(BtnMinStop, 3, 4);
    grid->setColumnStretch(5, 1);

    connect(BtnIni, &QToolButton::clicked, this, &TIntervalFields::BtnIniClick);
    connect(BtnEnd, &QToolButton::clicked, this, &TIntervalFields::BtnEndClick);
    auto wire = [this](TSpinButton* spin, QLineEdit* field, TimeField part) {
        connect(spin, &TSpinButton::Up, this, [=, this] { StepTime(field, part, true); });
        connect(spin, &TSpinButton::Down, this, [=, this] { StepTime(field, part, false); });
    };
    wire(BtnOreStart, rcEdit1TimeStart, TimeField::Hour);
    wire(BtnMinStart, rcEdit1TimeStart, TimeField::Minute);
    wire(BtnOreStop, rcEdit1TimeStop, TimeField::Hour);
    wire(BtnMinStop, rcEdit1TimeStop, TimeField::Minute);
}

void TIntervalFields::ShowInterval(const std::optional<TInterval>& interval)
{
    if (!interval) {
        for (QLineEdit* e : {EditIniDate, EditEndDate, rcEdit1TimeStart, rcEdit1TimeStop}) e->clear();
        return;
    }
    IntervalTexts texts = IntervalFieldTexts(*interval);
    EditIniDate->setText(QString::fromStdString(texts.startDate));
    EditEndDate->setText(QString::fromStdString(texts.stopDate));
    rcEdit1TimeStart->setText(QString::fromStdString(texts.startTime));
    rcEdit1TimeStop->setText(QString::fromStdString(texts.stopTime));
}

std::optional<TDateTime> TIntervalFields::Start() const
{
    return IntervalStart(EditIniDate->text().toStdString(), rcEdit1TimeStart->text().toStdString());
}

std::optional<TDateTime> TIntervalFields::Stop() const
{
    return IntervalStop(EditEndDate->text().toStdString(), rcEdit1TimeStop->text().toStdString());
}

std::optional<TInterval> TIntervalFields::CheckedInterval() const
{
    auto start = Start();
    auto stop = Stop();
    if (!start || !stop) {
        ShowMessage("Invalid date or time.", MsgType::Error);
        return std::nullopt;
    }
    if (*stop < *start) {
        ShowMessage(kStopBeforeStartMessage, MsgType::Error);
        return std::nullopt;
    }
    return TInterval{*start, *stop};
}

void TIntervalFields::BtnIniClick()
{
    if (BrDateForm) BrDateForm->PickDateInto(EditIniDate);
}

void TIntervalFields::BtnEndClick()
{
    if (BrDateForm) BrDateForm->PickDateInto(EditEndDate);
}

void TIntervalFields::StepTime(QLineEdit* field, TimeField part, bool up)
{
    field->setText(QString::fromStdString(StepTimeText(field->text().toStdString(), part, up)));
}

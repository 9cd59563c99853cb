// The events list's filter dialog.
#include "views/traces_alarm_dlg.h"

#include "platform/messages.h"
#include "survey/number_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
// A framed column of boxes.
template <std::size_t N>
QGroupBox* BoxGroup(const QString& title, const std::array<const char*, N>& captions, std::array<QCheckBox*, N>& boxes,
                    QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* column = new QVBoxLayout(group);
    for (std::size_t k = 0; k < N; ++k) {
        boxes[k] = new QCheckBox(captions[k], group);
        column->addWidget(boxes[k]);
    }
    column->addStretch(1);
    return group;
}

// A limit's group: its edit with the caption, and the two comparisons.
QGroupBox* LimitGroup(const QString& title, const QString& caption, const QString& greater, QLineEdit*& edit,
                      QRadioButton*& less, QRadioButton*& more, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(caption, group), 0, 0);
    edit = new QLineEdit(group);
    edit->setMaxLength(8);
    edit->setFixedWidth(80);
    grid->addWidget(edit, 0, 1);
    less = new QRadioButton("Less than (<)", group);
    more = new QRadioButton(greater, group);
    grid->addWidget(less, 1, 0, 1, 2);
    grid->addWidget(more, 2, 0, 1, 2);
    return group;
}
}  // namespace

TTracesAlarmDlg::TTracesAlarmDlg(QWidget* parent) : FixedDialog(parent, "Events Settings")
{
    auto* groups = new QHBoxLayout;
    groups->addWidget(BoxGroup<kEventClassCount>("Measure",
                                                 {"Voltage", "Frequency", "Unbalance", "Voltage Harmonics", "Flicker",
                                                  "Powers && Currents", "Current Harmonics", "Digital Inputs"},
                                                 CBoxClasses, this));
    auto* middle = new QVBoxLayout;
    middle->addWidget(BoxGroup<kEventFilterPhases>("Phase", {"L1", "L2", "L3"}, CBoxPhases, this));
    middle->addWidget(BoxGroup<kTypeBoxCount>("Event Type", {"Over", "Under", "Fast Variation", "Transients", "Interruption"},
                                              CBoxTypes, this));
    groups->addLayout(middle);
    auto* limits = new QVBoxLayout;
    limits->addWidget(LimitGroup("Duration Filter", "Duration (s.)", "Greater than (>)", EditDuration, RadioDurationLess,
                                 RadioDurationGreater, this));
    limits->addWidget(
        LimitGroup("Value Filter", "Value", "Greater than (>=)", EditValue, RadioValueLess, RadioValueGreater, this));
    limits->addStretch(1);
    groups->addLayout(limits);
    MainLayout()->addLayout(groups);

    const OkCancelButtons buttons = AddOkCancelButtons(this, MainLayout());
    BtnOk = buttons.ok;
    BtnCancel = buttons.cancel;
    BtnOk->disconnect(this);
    connect(BtnOk, &QPushButton::clicked, this, &TTracesAlarmDlg::BtnOkClick);
    for (QLineEdit* edit : {EditDuration, EditValue})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { EditExit(edit); });
    SetEventFilter(filter_);
}

void TTracesAlarmDlg::SetEventFilter(const TEventFilter& filter)
{
    filter_ = filter;
    const TEventFilterBoxes boxes = FilterBoxes(filter);
    for (std::size_t k = 0; k < CBoxClasses.size(); ++k) CBoxClasses[k]->setChecked(boxes.Classes[k]);
    for (std::size_t k = 0; k < CBoxPhases.size(); ++k) CBoxPhases[k]->setChecked(boxes.Phases[k]);
    for (std::size_t k = 0; k < CBoxTypes.size(); ++k) CBoxTypes[k]->setChecked(boxes.Types[k]);
    EditDuration->setText(QString::fromStdString(FilterLimitText(filter.DurationLimit)));
    EditValue->setText(QString::fromStdString(FilterLimitText(filter.ValueLimit)));
    (filter.DurationMode == 0 ? RadioDurationLess : RadioDurationGreater)->setChecked(true);
    (filter.ValueMode == 0 ? RadioValueLess : RadioValueGreater)->setChecked(true);
}

bool TTracesAlarmDlg::EditExit(QLineEdit* edit)
{
    if (checking_) return true;
    checking_ = true;
    float value = 0;
    const bool ok = TryStrToSingle(edit->text().toStdString(), value);
    if (!ok) {
        edit->setFocus();
        edit->selectAll();
    }
    checking_ = false;
    return ok;
}

void TTracesAlarmDlg::BtnOkClick()
{
    TEventFilterBoxes boxes;
    for (std::size_t k = 0; k < CBoxClasses.size(); ++k) boxes.Classes[k] = CBoxClasses[k]->isChecked();
    for (std::size_t k = 0; k < CBoxPhases.size(); ++k) boxes.Phases[k] = CBoxPhases[k]->isChecked();
    for (std::size_t k = 0; k < CBoxTypes.size(); ++k) boxes.Types[k] = CBoxTypes[k]->isChecked();
    if (!FilterBoxesValid(boxes)) {
        ShowError(kInvalidFilterMessage);
        return;
    }
    // A limit that is no number keeps the dialog open on its edit, rather than becoming 0.
    float duration = 0, value = 0;
    if (!TryStrToSingle(EditDuration->text().toStdString(), duration)) return EditDuration->setFocus();
    if (!TryStrToSingle(EditValue->text().toStdString(), value)) return EditValue->setFocus();
    ApplyFilterBoxes(boxes, filter_);
    filter_.DurationLimit = duration;
    filter_.DurationMode = RadioDurationLess->isChecked() ? 0 : 1;
    filter_.ValueLimit = value;
    filter_.ValueMode = RadioValueLess->isChecked() ? 0 : 1;
    accept();
}

void TTracesAlarmDlg::closeEvent(QCloseEvent* event)
{
    // The close box cancels, as Esc and Cancel do.
    event->accept();
    reject();
}

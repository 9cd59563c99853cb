// The setup editor's ten pages and the bindings of their controls to the setup record.
#include "setup/setup_form.h"

#include "dialogs/radio_group.h"
#include "dialogs/spin_button.h"
#include "setup/setup_texts.h"
#include "survey/text_tables.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A page of the notebook: a row of columns, each a stack of groups.
struct Page {
    QWidget* widget;
    QHBoxLayout* row;
};
Page AddPage(QTabWidget* tabs, const QString& caption)
{
    auto* widget = new QWidget;
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(6);
    tabs->addTab(widget, caption);
    return {widget, row};
}

QVBoxLayout* AddColumn(QHBoxLayout* row)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    row->addLayout(column, 1);
    return column;
}

QGroupBox* AddGroup(QVBoxLayout* column, const QString& title)
{
    auto* box = new QGroupBox(title);
    column->addWidget(box);
    return box;
}

QFormLayout* FormIn(QGroupBox* box)
{
    auto* form = new QFormLayout(box);
    form->setContentsMargins(6, 4, 6, 4);
    form->setVerticalSpacing(3);
    return form;
}

// The "Recorder" group of a measure: its switches, one a line, with their captions.
template <std::size_t N>
QVBoxLayout* AddSwitchGroup(QVBoxLayout* column, std::array<QCheckBox*, N>& boxes,
                            const std::array<std::string_view, N>& captions, const QString& title = "Recorder")
{
    auto* box = AddGroup(column, title);
    auto* list = new QVBoxLayout(box);
    list->setContentsMargins(6, 4, 6, 4);
    list->setSpacing(1);
    for (std::size_t i = 0; i < N; ++i) list->addWidget(boxes[i] = new QCheckBox(Q(captions[i]), box));
    return list;
}

TRadioGroup* PeriodGroup(const QString& title = "Observation Period")
{
    return new TRadioGroup(title, ObservationPeriodNames, nullptr, 2);
}

QLineEdit* OrderField()
{
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setMaxLength(4);
    edit->setFixedWidth(44);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

QToolButton* SpeedButton(const QString& text, const QString& hint)
{
    auto* button = new QToolButton;
    button->setText(text);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}

// An order field with its spin button.
QHBoxLayout* OrderRow(QLineEdit* order, TSpinButton* spin)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(order);
    row->addWidget(spin);
    row->addStretch(1);
    return row;
}

QToolButton* CopyButton() { return SpeedButton("Copy...", "Copy Setup on the selected Harmonics"); }
QToolButton* CancelButton() { return SpeedButton("Cancel...", "Cancel Setup on the selected Harmonics"); }

// The order whose switches the group shows, and the buttons that copy or clear them over others.
QHBoxLayout* SwitchOrderRow(QLineEdit* order, TSpinButton* spin, QToolButton* copy, QToolButton* cancel)
{
    auto* row = OrderRow(order, spin);
    row->insertWidget(0, new QLabel("Order"));
    row->insertSpacing(1, 4);
    row->addWidget(copy);
    row->addWidget(cancel);
    return row;
}
}  // namespace

QLineEdit* TSetupForm::AddNumber(SetupField field, const char* pattern, std::function<float(const TSetupRecord&)> get,
                                 std::function<void(TSetupRecord&, float)> set)
{
    auto* edit = new QLineEdit;
    edit->setFixedWidth(76);
    edit->setAlignment(Qt::AlignRight);
    numbers_.push_back({edit, field, pattern, std::move(get), std::move(set)});
    WatchChanges(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] { CheckNumberField(edit); });
    return edit;
}

TRadioGroup* TSetupForm::AddChoice(TRadioGroup* group, std::function<std::int16_t&(TSetupRecord&)> value)
{
    choices_.push_back({group, std::move(value)});
    WatchChanges(group);
    return group;
}

template <std::size_t N>
void TSetupForm::AddSwitches(std::array<QCheckBox*, N>& boxes, std::function<std::uint16_t&(TSetupRecord&)> word)
{
    switches_.push_back({{boxes.begin(), boxes.end()}, std::move(word)});
    for (QCheckBox* box : boxes) WatchChanges(box);
}

void TSetupForm::WatchChanges(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        connect(edit, &QLineEdit::textChanged, this, &TSetupForm::SetupChanged);
    else if (auto* box = qobject_cast<QCheckBox*>(control))
        connect(box, &QCheckBox::clicked, this, &TSetupForm::SetupChanged);
    else if (auto* group = qobject_cast<TRadioGroup*>(control))
        connect(group, &TRadioGroup::Clicked, this, &TSetupForm::SetupChanged);
}

void TSetupForm::BuildGeneralPage()
{
    Page page = AddPage(PageControl, "General");
    QVBoxLayout* left = AddColumn(page.row);
    auto* nominal = FormIn(AddGroup(left, "Nominal Voltage"));
    nominal->addRow("Voltage (V)", EditVNom = AddNumber(SetupField::VNom, "%3.1f", [](auto& s) { return s.VNom; },
                                                        [](auto& s, float v) { s.VNom = v; }));
    left->addWidget(AddChoice(GroupWiring = new TRadioGroup("Wiring is", WiringNames), [](auto& s) -> auto& {
        return s.Wiring;
    }));
    left->addWidget(AddChoice(GroupFrequency = new TRadioGroup("Nominal Frequency", NominalFrequencyNames),
                              [](auto& s) -> auto& { return s.Frequency; }));
    left->addStretch(1);
    QVBoxLayout* right = AddColumn(page.row);
    right->addWidget(AddChoice(GroupPrinter = new TRadioGroup("Selected Printer", PrinterNames),
                               [](auto& s) -> auto& { return s.Printer; }));
    right->addWidget(AddChoice(GroupPhase = new TRadioGroup("Zidevid Phase Monitor Mode", MeterModeNames),
                               [](auto& s) -> auto& { return s.MeterMode; }));
    right->addStretch(1);
}

void TSetupForm::BuildVoltagePage()
{
    Page page = AddPage(PageControl, "Voltage");
    QVBoxLayout* left = AddColumn(page.row);
    left->addWidget(AddChoice(GroupVPeriod = PeriodGroup(), [](auto& s) -> auto& { return s.VPeriod; }));
    auto* limits = FormIn(AddGroup(left, "Limits"));
    limits->addRow("Low Limit (%)", EditVLow = AddNumber(SetupField::VLow, "%3.1f", [](auto& s) { return s.VLow; },
                                                         [](auto& s, float v) { s.VLow = v; }));
    limits->addRow("High Limit (%)", EditVHigh = AddNumber(SetupField::VHigh, "%3.1f", [](auto& s) { return s.VHigh; },
                                                           [](auto& s, float v) { s.VHigh = v; }));
    limits->addRow("Rapid Change (%)", EditVDelta = AddNumber(SetupField::VDelta, "%2.1f",
                                                              [](auto& s) { return s.VDelta; },
                                                              [](auto& s, float v) { s.VDelta = v; }));
    // The samples choice is bits 14 and 15 of the switch word, read and written apart.
    GroupVSamples = new TRadioGroup("Voltage Samples", VoltageSamplesNames);
    WatchChanges(GroupVSamples);
    left->addWidget(GroupVSamples);
    left->addStretch(1);
    QVBoxLayout* right = AddColumn(page.row);
    QVBoxLayout* list = AddSwitchGroup(right, CBoxV, VoltageSwitchNames);
    list->addWidget(CBoxVTransients = new QCheckBox("Transients"));
    WatchChanges(CBoxVTransients);
    AddSwitches(CBoxV, [](auto& s) -> auto& { return s.VFlags; });
    right->addStretch(1);
}

void TSetupForm::BuildFrequencyPage()
{
    Page page = AddPage(PageControl, "Frequency");
    QVBoxLayout* left = AddColumn(page.row);
    left->addWidget(AddChoice(GroupHzPeriod = PeriodGroup(), [](auto& s) -> auto& { return s.HzPeriod; }));
    auto* limits = FormIn(AddGroup(left, "Limits"));
    limits->addRow("Low Limit (%)", EditHzLow = AddNumber(SetupField::HzLow, "%3.1f", [](auto& s) { return s.HzLow; },
                                                          [](auto& s, float v) { s.HzLow = v; }));
    limits->addRow("High Limit (%)", EditHzHigh = AddNumber(SetupField::HzHigh, "%3.1f",
                                                            [](auto& s) { return s.HzHigh; },
                                                            [](auto& s, float v) { s.HzHigh = v; }));
    left->addStretch(1);
    QVBoxLayout* right = AddColumn(page.row);
    AddSwitchGroup(right, CBoxHz, FrequencySwitchNames);
    AddSwitches(CBoxHz, [](auto& s) -> auto& { return s.HzFlags; });
    right->addStretch(1);
}

void TSetupForm::BuildUnbalancePage()
{
    Page page = AddPage(PageControl, "Unbalance");
    QVBoxLayout* left = AddColumn(page.row);
    left->addWidget(AddChoice(GroupUnbPeriod = PeriodGroup(), [](auto& s) -> auto& { return s.UnbPeriod; }));
    auto* limits = FormIn(AddGroup(left, "Limits"));
    limits->addRow("High Limit (%)", EditUnbHigh = AddNumber(SetupField::UnbHigh, "%3.1f",
                                                             [](auto& s) { return s.UnbHigh; },
                                                             [](auto& s, float v) { s.UnbHigh = v; }));
    left->addStretch(1);
    QVBoxLayout* right = AddColumn(page.row);
    AddSwitchGroup(right, CBoxUnb, UnbalanceSwitchNames);
    AddSwitches(CBoxUnb, [](auto& s) -> auto& { return s.UnbFlags; });
    right->addStretch(1);
}

void TSetupForm::BuildVoltageHarmonicsPage()
{
    Page page = AddPage(PageControl, "Voltage Harmonics");
    QVBoxLayout* left = AddColumn(page.row);
    left->addWidget(AddChoice(GroupHPeriod = PeriodGroup(), [](auto& s) -> auto& { return s.HPeriod; }));
    left->addWidget(AddChoice(GroupHMode = new TRadioGroup("Estimation Mode", EstimationModeNames, nullptr, 2),
                              [](auto& s) -> auto& { return s.HMode; }));
    auto* limits = FormIn(AddGroup(left, "Limits"));
    limits->addRow("Order", OrderRow(EditOrderLim = OrderField(), SpinOrderLim = new TSpinButton));
    limits->addRow("High Limit (%)", EditHHigh = AddNumber(SetupField::HHigh, "%3.1f",
                                                           [this](auto& s) { return s.HHigh[limitOrder_]; },
                                                           [this](auto& s, float v) { s.HHigh[limitOrder_] = v; }));
    left->addStretch(1);
    QVBoxLayout* right = AddColumn(page.row);
    QVBoxLayout* list = AddSwitchGroup(right, CBoxH, VoltageHarmonicSwitchNames);
    list->insertLayout(0, SwitchOrderRow(EditOrderFlag = OrderField(), SpinOrderFlag = new TSpinButton,
                                         BtnLinkArm = CopyButton(), BtnCancelArm = CancelButton()));
    AddSwitches(CBoxH, [this](auto& s) -> auto& { return s.HFlags[flagOrder_]; });
    list->addSpacing(4);
    list->addWidget(CBoxHGlobal = new QCheckBox("Global Enable"));
    WatchChanges(CBoxHGlobal);
    right->addStretch(1);

    connect(SpinOrderLim, &TSpinButton::Up, this, [this] { SpinOrderLimClick(true); });
    connect(SpinOrderLim, &TSpinButton::Down, this, [this] { SpinOrderLimClick(false); });
    connect(SpinOrderFlag, &TSpinButton::Up, this, [this] { SpinOrderFlagClick(true); });
    connect(SpinOrderFlag, &TSpinButton::Down, this, [this] { SpinOrderFlagClick(false); });
    connect(CBoxHGlobal, &QCheckBox::clicked, this, &TSetupForm::CBoxHGlobalClick);
    connect(BtnLinkArm, &QToolButton::clicked, this, [this] { BtnLinkArmClick(10); });
    connect(BtnCancelArm, &QToolButton::clicked, this, [this] { BtnLinkArmClick(11); });
}

void TSetupForm::BuildCurrentHarmonicsPage()
{
    Page page = AddPage(PageControl, "Current Harmonics");
    QVBoxLayout* left = AddColumn(page.row);
    left->addWidget(AddChoice(GroupHiPeriod = PeriodGroup(), [](auto& s) -> auto& { return s.HiPeriod; }));
    auto* limits = FormIn(AddGroup(left, "Limits"));
    limits->addRow("Threshold (A)", EditHiSoglia = AddNumber(SetupField::HiSoglia, "%3.1f",
                                                             [](auto& s) { return s.HiThreshold; },
                                                             [](auto& s, float v) { s.HiThreshold = v; }));
    limits->addRow("Order", OrderRow(EditOrderLimCurr = OrderField(), SpinOrderLimCurr = new TSpinButton));
    limits->addRow("High Limit (%)", EditHiHigh = AddNumber(SetupField::HiHigh, "%3.1f",
                                                            [this](auto& s) { return s.HiHigh[currLimitOrder_]; },
                                                            [this](auto& s, float v) { s.HiHigh[currLimitOrder_] = v; }));
    left->addStretch(1);
    QVBoxLayout* right = AddColumn(page.row);
    QVBoxLayout* list = AddSwitchGroup(right, CBoxHi, CurrentHarmonicSwitchNames);
    list->insertLayout(0, SwitchOrderRow(EditOrderFlagCurr = OrderField(), SpinOrderFlagCurr = new TSpinButton,
                                         BtnLinkArmCurr = CopyButton(), BtnCancelArmCurr = CancelButton()));
    AddSwitches(CBoxHi, [this](auto& s) -> auto& { return s.HiFlags[currFlagOrder_]; });
    list->addSpacing(4);
    list->addWidget(CBoxHiGlobal = new QCheckBox("Global Enable"));
    WatchChanges(CBoxHiGlobal);
    right->addStretch(1);

    connect(SpinOrderLimCurr, &TSpinButton::Up, this, [this] { SpinOrderLimCurrClick(true); });
    connect(SpinOrderLimCurr, &TSpinButton::Down, this, [this] { SpinOrderLimCurrClick(false); });
    connect(SpinOrderFlagCurr, &TSpinButton::Up, this, [this] { SpinOrderFlagCurrClick(true); });
    connect(SpinOrderFlagCurr, &TSpinButton::Down, this, [this] { SpinOrderFlagCurrClick(false); });
    connect(CBoxHiGlobal, &QCheckBox::clicked, this, &TSetupForm::CBoxHiGlobalClick);
    connect(BtnLinkArmCurr, &QToolButton::clicked, this, [this] { BtnCancelArmCurrClick(10); });
    connect(BtnCancelArmCurr, &QToolButton::clicked, this, [this] { BtnCancelArmCurrClick(11); });
}

void TSetupForm::BuildFlickerPage()
{
    Page page = AddPage(PageControl, "Flicker");
    QVBoxLayout* left = AddColumn(page.row);
    left->addWidget(AddChoice(GroupFlkPeriod = PeriodGroup(), [](auto& s) -> auto& { return s.FlkPeriod; }));
    auto* limits = FormIn(AddGroup(left, "Limits"));
    limits->addRow("Plt High Limit (p.u.)", EditFlkHigh = AddNumber(SetupField::FlkHigh, "%3.1f",
                                                                    [](auto& s) { return s.FlkHigh; },
                                                                    [](auto& s, float v) { s.FlkHigh = v; }));
    limits->addRow("Sliding Plt Window", EditFlkPlt = AddNumber(SetupField::FlkPlt, "%3d",
                                                                [](auto& s) { return float(s.FlkPlt); },
                                                                [](auto& s, float v) { s.FlkPlt = std::uint16_t(v); }));
    left->addStretch(1);
    QVBoxLayout* right = AddColumn(page.row);
    std::array<QCheckBox*, 5> inBitOrder{};
    AddSwitchGroup(right, inBitOrder, FlickerSwitchNames);
    CBoxFlk1 = inBitOrder[0];
    CBoxFlk2 = inBitOrder[1];
    CBoxFlk3 = inBitOrder[2];
    CBoxFlk5 = inBitOrder[3];  // percentiles
    CBoxFlk4 = inBitOrder[4];  // over flicker Plt
    AddSwitches(inBitOrder, [](auto& s) -> auto& { return s.FlkFlags; });
    right->addStretch(1);
}

void TSetupForm::BuildPowerPage()
{
    Page page = AddPage(PageControl, "Power && Current");
    QVBoxLayout* left = AddColumn(page.row);
    left->addWidget(AddChoice(GroupWPeriod = PeriodGroup(), [](auto& s) -> auto& { return s.WPeriod; }));
    left->addWidget(AddChoice(GroupWCurrent = new TRadioGroup("Current Wiring", CurrentWiringNames),
                              [](auto& s) -> auto& { return s.WCurrent; }));
    auto* limits = FormIn(AddGroup(left, "High Limits"));
    QLineEdit** edits[] = {&EditWHighP, &EditWHighQ, &EditWHighA, &EditWHighC};
    const char* captions[] = {"Active Power (W)", "Reactive Power (VAr)", "Apparent Power (VA)", "Current (A)"};
    const SetupField fields[] = {SetupField::WHighP, SetupField::WHighQ, SetupField::WHighA, SetupField::WHighC};
    for (std::size_t k = 0; k < 4; ++k)
        limits->addRow(captions[k], *edits[k] = AddNumber(fields[k], "%3.1f", [k](auto& s) { return s.WHigh[k]; },
                                                          [k](auto& s, float v) { s.WHigh[k] = v; }));
    left->addStretch(1);
    QVBoxLayout* right = AddColumn(page.row);
    AddSwitchGroup(right, CBoxW, PowerSwitchNames);
    AddSwitches(CBoxW, [](auto& s) -> auto& { return s.WFlags; });
    right->addStretch(1);
}

void TSetupForm::BuildRecorderPage()
{
    Page page = AddPage(PageControl, "Recorder");
    QVBoxLayout* column = AddColumn(page.row);
    auto* box = AddGroup(column, "Recording Interval");
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(4);
    auto row = [&](int at, const QString& caption, QLineEdit*& date, QToolButton*& button, const QString& hint,
                   QLineEdit*& time, TSpinButton*& hours, TSpinButton*& minutes) {
        date = new QLineEdit;
        date->setFixedWidth(90);
        button = SpeedButton("...", hint);
        time = new QLineEdit;
        time->setReadOnly(true);
        time->setFixedWidth(50);
        hours = new TSpinButton;
        minutes = new TSpinButton;
        hours->setToolTip("Hours");
        minutes->setToolTip("Minutes");
        grid->addWidget(new QLabel(caption + " Date"), at, 0, 1, 2);
        grid->addWidget(new QLabel(caption + " Time"), at, 2, 1, 3);
        grid->addWidget(date, at + 1, 0);
        grid->addWidget(button, at + 1, 1);
        grid->addWidget(time, at + 1, 2);
        grid->addWidget(hours, at + 1, 3);
        grid->addWidget(minutes, at + 1, 4);
        WatchChanges(date);
        WatchChanges(time);
        connect(date, &QLineEdit::editingFinished, this, [this, date] { EditDateExit(date); });
        connect(hours, &TSpinButton::Up, this, [this, time] { StepTime(time, true, true); });
        connect(hours, &TSpinButton::Down, this, [this, time] { StepTime(time, true, false); });
        connect(minutes, &TSpinButton::Up, this, [this, time] { StepTime(time, false, true); });
        connect(minutes, &TSpinButton::Down, this, [this, time] { StepTime(time, false, false); });
    };
    row(0, "Start", EditStartDate, BtnIni, "Set start date", rcEdit1TimeStart, BtnOreStart, BtnMinStart);
    row(2, "Stop", EditStopDate, BtnEnd, "Set stop date", rcEdit1TimeStop, BtnOreStop, BtnMinStop);
    grid->setColumnStretch(5, 1);
    column->addStretch(1);
    connect(BtnIni, &QToolButton::clicked, this, &TSetupForm::BtnIniClick);
    connect(BtnEnd, &QToolButton::clicked, this, &TSetupForm::BtnEndClick);
}

void TSetupForm::BuildSystemEventsPage()
{
    static constexpr std::array<std::string_view, 7> kCaptions = {
        "Enable", "Clock calendar preset", "ORV (re)start", "Setup change", "Mass memory full", "Archives erasing",
        "Battery failure"};
    Page page = AddPage(PageControl, "System Events");
    QVBoxLayout* column = AddColumn(page.row);
    AddSwitchGroup(column, CBoxSys, kCaptions);
    for (QCheckBox* box : CBoxSys) WatchChanges(box);
    column->addStretch(1);
    page.row->addStretch(1);
}

// The limits editor.
#include "analysis/limits_dlg.h"

#include "analysis/limits_file.h"
#include "dialogs/field_exit.h"
#include "dialogs/spin_button.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "survey/number_text.h"
#include "survey/records.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int kEventDigits = 4;

const FileDialogRequest kLimitsDialog{.title = "", .folder = "", .fileName = "*.lim",
                                      .filter = "Limits Files (*.lim)|*.lim", .defaultExt = "lim"};

std::string StartFolder() { return LastPath().DataPathSet ? LastPath().DataPath : DataDir(); }

void RememberFolder(const std::string& path)
{
    LastPath().DataPathSet = true;
    LastPath().DataPath = ExtractFilePath(path);
}

QString Shown(LimitsRange range, float value)
{
    return QString::fromStdString(LimitsRangeRule(range).Whole ? std::to_string(static_cast<int>(value))
                                                               : FormatFixed(value, 2));
}

struct Group {
    QGroupBox* box;
    QFormLayout* form;
};
Group AddGroup(QBoxLayout* row, const QString& title)
{
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    row->addWidget(box);
    return {box, form};
}
}  // namespace

TLimitsDlg::TLimitsDlg(QWidget* parent) : FixedDialog(parent, "Limit Values")
{
    const QString limitHint = "from 0 to 100%", percentHint = "from 1 to 100%", eventHint = "from 0 to 9999";
    using F = LimitsField;
    Tabs = new QTabWidget(this);
    MainLayout()->addWidget(Tabs);
    auto page = [this](const QString& caption) {
        auto* widget = new QWidget;
        auto* row = new QHBoxLayout(widget);
        Tabs->addTab(widget, caption);
        return row;
    };

    QHBoxLayout* row = page("Voltage");
    Group stats = AddGroup(row, "Voltage Statistics");
    stats.form->addRow("Low Limit (%)", EditVLow = AddEdit(F::VLow, limitHint));
    stats.form->addRow("High Limit (%)", EditVHigh = AddEdit(F::VHigh, limitHint));
    stats.form->addRow("Percentile (%)", EditVPerc = AddEdit(F::VPerc, percentHint));
    Group events = AddGroup(row, "Max Expected Events");
    events.form->addRow("Rapid Changes", EditVRapid = AddEdit(F::VRapid, eventHint));
    events.form->addRow("Over Voltages", EditVOver = AddEdit(F::VOver, eventHint));
    events.form->addRow("Under Voltages", EditVUnder = AddEdit(F::VUnder, eventHint));
    events.form->addRow("Interruption Voltages", EditVDepth = AddEdit(F::VDepth, "da 0 a 9999"));

    row = page("Frequency");
    stats = AddGroup(row, "Frequency Statistics");
    stats.form->addRow("Low Limit 1 (%)", EditHzLow1 = AddEdit(F::HzLow1, limitHint));
    stats.form->addRow("High Limit 1 (%)", EditHzHigh1 = AddEdit(F::HzHigh1, limitHint));
    stats.form->addRow("Percentile 1 (%)", EditHzPerc1 = AddEdit(F::HzPerc1, percentHint));
    stats = AddGroup(row, "Frequency Statistics");
    stats.form->addRow("Low Limit 2 (%)", EditHzLow2 = AddEdit(F::HzLow2, limitHint));
    stats.form->addRow("High Limit 2 (%)", EditHzHigh2 = AddEdit(F::HzHigh2, limitHint));
    stats.form->addRow("Percentile 2 (%)", EditHzPerc2 = AddEdit(F::HzPerc2, percentHint));
    events = AddGroup(row, "Max Expected Events");
    events.form->addRow("Over Frequencies", EditHzOver = AddEdit(F::HzOver, eventHint));
    events.form->addRow("Under Frequencies", EditHzUnder = AddEdit(F::HzUnder, eventHint));

    row = page("Unbalance");
    stats = AddGroup(row, "Unbalance Statistics");
    stats.form->addRow("High Limit (%)", EditUnbHigh = AddEdit(F::UnbHigh, limitHint));
    stats.form->addRow("Percentile (%)", EditUnbPerc = AddEdit(F::UnbPerc, percentHint));
    events = AddGroup(row, "Max Expected Events");
    events.form->addRow("Over Unbalance", EditUnbOver = AddEdit(F::UnbOver, eventHint));

    row = page("Harmonics");
    stats = AddGroup(row, "Harmonic Statistics");
    EditOrderLim = new QLineEdit;
    EditOrderLim->setReadOnly(true);
    EditOrderLim->setFixedWidth(60);
    SpinOrderLim = new TSpinButton;
    auto* order = new QHBoxLayout;
    order->setSpacing(2);
    order->addWidget(EditOrderLim);
    order->addWidget(SpinOrderLim);
    order->addStretch(1);
    stats.form->addRow("Order", order);
    stats.form->addRow("High Limit (%)", EditHHigh = AddEdit(F::HHigh, limitHint));
    stats.form->addRow("Percentile (%)", EditHPerc = AddEdit(F::HPerc, percentHint));
    events = AddGroup(row, "Max Expected Events");
    events.form->addRow("Over Harmonics", EditHOver = AddEdit(F::HOver, eventHint));
    connect(SpinOrderLim, &TSpinButton::Up, this, &TLimitsDlg::SpinOrderLimUpClick);
    connect(SpinOrderLim, &TSpinButton::Down, this, &TLimitsDlg::SpinOrderLimDownClick);

    row = page("Flicker");
    stats = AddGroup(row, "Plt Statistics");
    stats.form->addRow("High Limit (p.u.)", EditFlkHigh = AddEdit(F::FlkHigh, "from 0 to 100"));
    stats.form->addRow("Percentile (%)", EditFlkPerc = AddEdit(F::FlkPerc, percentHint));
    events = AddGroup(row, "Max Expected Events");
    events.form->addRow("Over Flicker", EditFlkOver = AddEdit(F::FlkOver, eventHint));

    auto* buttons = new QHBoxLayout;
    BtnOpen = new QPushButton("&O&pen", this);
    BtnSave = new QPushButton("&Save", this);
    BtnOk = new QPushButton("&OK", this);
    BtnCancel = new QPushButton("&Cancel", this);
    BtnOk->setDefault(true);
    // Clicking a button leaves the focus in the field, so its value is checked once, by the
    // button's own check of every field.
    for (QPushButton* b : {BtnOpen, BtnSave, BtnOk, BtnCancel}) b->setFocusPolicy(Qt::TabFocus);
    buttons->addWidget(BtnOpen);
    buttons->addWidget(BtnSave);
    buttons->addStretch(1);
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    MainLayout()->addLayout(buttons);
    connect(BtnOpen, &QPushButton::clicked, this, &TLimitsDlg::BtnOpenClick);
    connect(BtnSave, &QPushButton::clicked, this, [this] { BtnSaveClick(); });
    connect(BtnOk, &QPushButton::clicked, this, &TLimitsDlg::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TLimitsDlg::reject);
    LimitsToControls();
}

QLineEdit* TLimitsDlg::AddEdit(LimitsField field, const QString& hint)
{
    auto* edit = new QLineEdit;
    edit->setToolTip(hint);
    edit->setStatusTip(hint);
    edit->setFixedWidth(70);
    if (LimitsFieldInfo(field).Range == LimitsRange::EventCount) edit->setMaxLength(kEventDigits);
    fields.push_back({edit, field});
    connect(edit, &QLineEdit::textChanged, this, [this] {
        if (!showing) modified = true;
    });
    // Enter presses OK, which checks every field itself.
    CheckOnLeavingField(edit, this, [this, edit] { CheckField(edit); });
    return edit;
}

const TLimitsDlg::Field* TLimitsDlg::FieldOf(QLineEdit* edit) const
{
    for (const Field& f : fields)
        if (f.edit == edit) return &f;
    return nullptr;
}

void TLimitsDlg::SetLimitsFileName(const std::string& Name) { fileName = Name; }

void TLimitsDlg::SetLimits(const TLimitsRecord& Limits)
{
    limits = Limits;
    LimitsToControls();
    modified = false;
}

void TLimitsDlg::GetLimits(TLimitsRecord& Limits)
{
    ControlsToLimits();
    Limits = limits;
}

void TLimitsDlg::LimitsToControls()
{
    showing = true;
    for (const Field& f : fields)
        f.edit->setText(Shown(LimitsFieldInfo(f.field).Range, LimitsValue(limits, f.field, harmonicIndex)));
    EditOrderLim->setText(QString::fromStdString(HarmonicLabel(harmonicIndex)));
    showing = false;
}

void TLimitsDlg::ShowHarmonic()
{
    showing = true;
    EditOrderLim->setText(QString::fromStdString(HarmonicLabel(harmonicIndex)));
    EditHHigh->setText(Shown(LimitsRange::HarmonicLimit, limits.HHigh[static_cast<std::size_t>(harmonicIndex)]));
    EditHPerc->setText(Shown(LimitsRange::Percentile, limits.HPerc[static_cast<std::size_t>(harmonicIndex)]));
    showing = false;
}

bool TLimitsDlg::ReadField(const Field& f, float& value, bool check)
{
    const TLimitsRangeRule& rule = LimitsRangeRule(LimitsFieldInfo(f.field).Range);
    const std::string text = f.edit->text().toStdString();
    bool converted = false;
    if (rule.Whole) {
        std::uint16_t whole = 0;
        converted = TryStrToWord(text, whole);
        value = whole;
    } else {
        converted = TryStrToSingle(text, value);
    }
    if (!converted) return false;
    if (check && !InLimitsRange(LimitsFieldInfo(f.field).Range, value)) {
        ShowError(std::string(rule.Message));
        return false;
    }
    return true;
}

std::optional<float> TLimitsDlg::CheckedValue(QLineEdit* edit)
{
    const Field* f = FieldOf(edit);
    if (!f || checking) return std::nullopt;
    checking = true;
    float value = 0;
    const bool ok = ReadField(*f, value, true);
    if (!ok) {
        // The field's tab comes forward first, so the field can take the focus.
        for (int t = 0; t < Tabs->count(); ++t)
            if (Tabs->widget(t)->isAncestorOf(edit)) Tabs->setCurrentIndex(t);
        edit->setFocus();
        edit->selectAll();
    }
    checking = false;
    return ok ? std::optional<float>(value) : std::nullopt;
}

bool TLimitsDlg::CheckField(QLineEdit* edit) { return checking || CheckedValue(edit).has_value(); }

bool TLimitsDlg::CheckAllFields()
{
    for (const Field& f : fields)
        if (!CheckField(f.edit)) return false;
    return true;
}

void TLimitsDlg::ControlsToLimits()
{
    for (const Field& f : fields) {
        float value = 0;
        ReadField(f, value, false);
        SetLimitsValue(limits, f.field, value, harmonicIndex);
    }
}

void TLimitsDlg::StepHarmonic(int step)
{
    const int next = harmonicIndex + step;
    if (next < 0 || next >= kHarmonicLimitIndexes) return;
    const auto high = CheckedValue(EditHHigh);
    if (!high) return;
    const auto percentile = CheckedValue(EditHPerc);
    if (!percentile) return;
    SetLimitsValue(limits, LimitsField::HHigh, *high, harmonicIndex);
    SetLimitsValue(limits, LimitsField::HPerc, *percentile, harmonicIndex);
    // The fundamental is never judged, so it is never edited.
    harmonicIndex = next == 1 ? next + step : next;
    ShowHarmonic();
}

void TLimitsDlg::SpinOrderLimUpClick() { StepHarmonic(+1); }
void TLimitsDlg::SpinOrderLimDownClick() { StepHarmonic(-1); }

void TLimitsDlg::BtnOpenClick()
{
    FileDialogRequest request = kLimitsDialog;
    request.title = "Open Limits File";
    request.folder = StartFolder();
    request.mustExist = true;
    const auto path = AskOpenFile(request);
    if (!path) return;
    RememberFolder(*path);
    TLimitsRecord loaded = limits;
    if (!LoadLimitsFile(*path, loaded)) return;  // refused with its message: the dialog keeps its limits
    fileName = *path;
    limits = loaded;
    LimitsToControls();
    modified = false;
}

bool TLimitsDlg::BtnSaveClick()
{
    // A file is written only with values that its reader accepts.
    if (!CheckAllFields()) return false;
    FileDialogRequest request = kLimitsDialog;
    request.title = "Save Limits File As";
    request.folder = StartFolder();
    if (fileName != "default") request.fileName = ExtractFileName(fileName);
    request.askOverwrite = true;
    const auto path = AskSaveFile(request);
    if (!path) return false;
    ControlsToLimits();
    if (!SaveLimitsFile(*path, limits)) return false;
    RememberFolder(*path);
    fileName = *path;
    modified = false;
    ShowMessage(std::string(kLimitsSavedMessage), MsgType::Information, MbOk);
    return true;
}

bool TLimitsDlg::CloseQuery()
{
    if (!modified) return true;
    if (ShowMessage(kSaveLimitsQuestion, MsgType::Confirmation, MbYesNo) != MbYes) return false;
    return BtnSaveClick();
}

void TLimitsDlg::BtnOkClick()
{
    // The wizard takes the fields as they stand, so they are checked first.
    if (CheckAllFields() && CloseQuery()) accept();
}

void TLimitsDlg::reject()
{
    modified = false;
    FixedDialog::reject();
}

void TLimitsDlg::closeEvent(QCloseEvent* event)
{
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    FixedDialog::closeEvent(event);
}

void TLimitsDlg::showEvent(QShowEvent* event)
{
    Tabs->setCurrentIndex(0);
    FixedDialog::showEvent(event);
}

bool EditLimits(QWidget* parent, std::string& fileName, TLimitsRecord& limits)
{
    TLimitsDlg dialog(parent);
    dialog.SetLimitsFileName(fileName);
    dialog.SetLimits(limits);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.GetLimits(limits);
    fileName = dialog.GetLimitsFileName();
    return true;
}

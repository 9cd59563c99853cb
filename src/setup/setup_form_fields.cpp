// The setup editor's fields: the record shown and read back, the checks on leaving a field, the
// harmonic order fields, the global enables, copying and clearing over harmonics, and the
// recorder's date and time fields.
#include "setup/setup_form.h"

#include "dialogs/br_date_form.h"
#include "dialogs/harm_list_dlg.h"
#include "dialogs/radio_group.h"
#include "platform/messages.h"
#include "setup/format_pattern.h"
#include "setup/setup_texts.h"
#include "survey/number_text.h"
#include "wizards/interval_rules.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <algorithm>

namespace {
// The editor's own patterns never fail on the values they are given.
std::string Shown(const char* pattern, float value, bool whole)
{
    const FormatValue shown = whole ? FormatValue{static_cast<std::int64_t>(value)} : FormatValue{double{value}};
    return FormatPattern(pattern, {shown}).value_or("");
}

template <typename Boxes>
std::uint16_t BoxesWord(const Boxes& boxes)
{
    std::uint16_t word = 0;
    for (std::size_t bit = 0; bit < boxes.size(); ++bit)
        if (boxes[bit]->isChecked()) word = static_cast<std::uint16_t>(word | (1u << bit));
    return word;
}

template <typename Boxes>
void ShowWord(const Boxes& boxes, std::uint16_t word)
{
    for (std::size_t bit = 0; bit < boxes.size(); ++bit) boxes[bit]->setChecked((word >> bit) & 1u);
}

// The word with the boxes' bits replaced and the others kept.
template <typename Boxes>
std::uint16_t MergeWord(std::uint16_t word, const Boxes& boxes)
{
    const auto mask = static_cast<std::uint16_t>((1u << boxes.size()) - 1);
    return static_cast<std::uint16_t>((word & ~mask) | BoxesWord(boxes));
}

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }
}  // namespace

void TSetupForm::ShowText(QLineEdit* edit, const std::string& text) { edit->setText(QString::fromStdString(text)); }

void TSetupForm::SetupToControls()
{
    showing_ = true;
    for (const NumberField& f : numbers_)
        ShowText(f.edit, Shown(f.pattern, f.get(setup_), SetupRange(f.field).Whole));
    for (const SwitchField& s : switches_) ShowWord(s.boxes, s.word(setup_));
    for (const ChoiceField& c : choices_) c.group->SetItemIndex(c.value(setup_));
    GroupVSamples->SetItemIndex(VoltageSamplesChoice(setup_.VFlags));
    CBoxHGlobal->setChecked(setup_.HGlobal != 0);
    CBoxHiGlobal->setChecked(setup_.HiGlobal != 0);
    ShowOrderFields();
    ShowDateTime(EditStartDate, rcEdit1TimeStart, setup_.StartDate, setup_.StartTime);
    ShowDateTime(EditStopDate, rcEdit1TimeStop, setup_.StopDate, setup_.StopTime);
    showing_ = false;
}

void TSetupForm::ShowOrderFields()
{
    ShowText(EditOrderLim, HarmonicLabel(limitOrder_));
    ShowText(EditOrderFlag, HarmonicLabel(flagOrder_));
    ShowText(EditOrderLimCurr, CurrentHarmonicLabel(currLimitOrder_));
    ShowText(EditOrderFlagCurr, CurrentHarmonicLabel(currFlagOrder_));
}

void TSetupForm::ShowDateTime(QLineEdit* date, QLineEdit* time, const TPackedDate& d, const TPackedTimeEx& t)
{
    // A date the file holds that is no calendar date shows as none.
    const std::optional<TDateTime> day = d.Day == kNoDateDay ? std::nullopt : EncodeDate(d.Year, d.Month, d.Day);
    ShowText(date, day ? FormatShortDate(*day) : "");
    const std::optional<double> fraction = EncodeTime(t.Hour, t.Minute);
    ShowText(time, day && fraction ? FormatDateTimePattern(*fraction, "hh:mm") : "");
}

TSetupForm::TControlsResult TSetupForm::ControlsToSetup()
{
    for (const NumberField& f : numbers_) {
        float value = 0;
        if (!ReadNumber(f, value)) return TControlsResult::FieldRefused;
        f.set(setup_, value);
    }
    for (const SwitchField& s : switches_) s.word(setup_) = MergeWord(s.word(setup_), s.boxes);
    constexpr auto kSamplesBits = static_cast<std::uint16_t>((1u << kSamplesStartBit) | (1u << kSamplesStartStopBit));
    setup_.VFlags = static_cast<std::uint16_t>((setup_.VFlags & ~kSamplesBits) | VoltageSamplesBits(GroupVSamples->ItemIndex()));
    // A code no item has (a damaged file) stays as it was read until an item is chosen.
    for (const ChoiceField& c : choices_)
        if (c.group->ItemIndex() >= 0) c.value(setup_) = static_cast<std::int16_t>(c.group->ItemIndex());
    setup_.HGlobal = CBoxHGlobal->isChecked() ? 1 : 0;
    setup_.HiGlobal = CBoxHiGlobal->isChecked() ? 1 : 0;
    const std::pair<QLineEdit*, QLineEdit*> stamps[] = {{EditStartDate, rcEdit1TimeStart}, {EditStopDate, rcEdit1TimeStop}};
    for (auto [dateEdit, timeEdit] : stamps) {
        TPackedDate date{};
        if (!ReadDate(dateEdit, date)) return TControlsResult::FieldRefused;
        const std::optional<THourMinute> time = ReadTimeText(Text(timeEdit));
        const TPackedTimeEx packed = time ? TPackedTimeEx{static_cast<std::uint8_t>(time->minute),
                                                          static_cast<std::uint8_t>(time->hour), 0, 0}
                                          : TPackedTimeEx{};
        (dateEdit == EditStartDate ? setup_.StartDate : setup_.StopDate) = date;
        (dateEdit == EditStartDate ? setup_.StartTime : setup_.StopTime) = packed;
    }
    setup_.Reserved373 = 0;
    if (!RecorderIntervalValid(setup_)) {
        ShowError(kRecorderIntervalMessage);
        FocusField(EditStartDate);
        return TControlsResult::IntervalRefused;
    }
    return TControlsResult::Accepted;
}

bool TSetupForm::ReadNumber(const NumberField& f, float& value)
{
    const TSetupRange& range = SetupRange(f.field);
    bool converted = false;
    if (range.Whole) {
        std::uint16_t whole = 0;
        converted = TryStrToWord(Text(f.edit), whole);
        value = whole;
    } else {
        converted = TryStrToSingle(Text(f.edit), value);
    }
    if (converted && !InSetupRange(f.field, value)) {
        ShowError(std::string(range.Message));
        converted = false;
    }
    if (!converted) FocusField(f.edit);
    return converted;
}

const TSetupForm::NumberField* TSetupForm::NumberOf(QLineEdit* edit) const
{
    auto found = std::find_if(numbers_.begin(), numbers_.end(), [edit](const NumberField& f) { return f.edit == edit; });
    return found == numbers_.end() ? nullptr : &*found;
}

void TSetupForm::FocusField(QWidget* field)
{
    // The field's page comes forward first, so the field can take the focus.
    for (int page = 0; page < PageControl->count(); ++page)
        if (PageControl->widget(page)->isAncestorOf(field)) PageControl->setCurrentIndex(page);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

bool TSetupForm::CheckNumberField(QLineEdit* edit)
{
    const NumberField* f = NumberOf(edit);
    if (!f || checking_) return true;
    checking_ = true;
    float value = 0;
    const bool ok = ReadNumber(*f, value);
    checking_ = false;
    return ok;
}

bool TSetupForm::ReadDate(QLineEdit* edit, TPackedDate& date)
{
    const std::string text = Text(edit);
    if (text.empty()) {
        date = {0, kNoDateDay, 0};
        return true;
    }
    const std::optional<TDateTime> day = ParseShortDate(text);
    if (!day) {
        ShowError("Invalid Date");
        FocusField(edit);
        return false;
    }
    const DateTimeParts parts = DecodeDateTime(*day);
    date = {static_cast<std::uint16_t>(parts.year), static_cast<std::uint8_t>(parts.day),
            static_cast<std::uint8_t>(parts.month)};
    return true;
}

bool TSetupForm::EditDateExit(QLineEdit* edit)
{
    if (checking_) return true;
    checking_ = true;
    TPackedDate date{};
    const bool ok = ReadDate(edit, date);
    checking_ = false;
    return ok;
}

void TSetupForm::SetupChanged()
{
    if (showing_) return;
    SetModified(true);
    if (EditStartDate->text().isEmpty()) rcEdit1TimeStart->clear();
    if (EditStopDate->text().isEmpty()) rcEdit1TimeStop->clear();
}

void TSetupForm::StepLimit(QLineEdit* orderEdit, QLineEdit* limitEdit, std::span<float> limits, int& index, bool up,
                           int fundamental, bool current)
{
    const int maxIndex = static_cast<int>(limits.size()) - 1;
    if (up ? index >= maxIndex : index <= 0) return;
    const NumberField* f = NumberOf(limitEdit);
    float value = 0;
    if (!f || !ReadNumber(*f, value)) return;
    limits[static_cast<std::size_t>(index)] = value;
    index = StepHarmonicIndex(index, up, maxIndex, fundamental);
    showing_ = true;
    ShowText(orderEdit, current ? CurrentHarmonicLabel(index) : HarmonicLabel(index));
    ShowText(limitEdit, Shown(f->pattern, limits[static_cast<std::size_t>(index)], false));
    showing_ = false;
}

template <std::size_t N>
void TSetupForm::StepFlags(std::array<QCheckBox*, N>& boxes, QLineEdit* orderEdit, std::span<std::uint16_t> words,
                           int& index, bool up, int fundamental, bool current)
{
    const int maxIndex = static_cast<int>(words.size()) - 1;
    if (up ? index >= maxIndex : index <= 0) return;
    std::uint16_t& shown = words[static_cast<std::size_t>(index)];
    shown = MergeWord(shown, boxes);
    index = StepHarmonicIndex(index, up, maxIndex, fundamental);
    showing_ = true;
    ShowText(orderEdit, current ? CurrentHarmonicLabel(index) : HarmonicLabel(index));
    ShowWord(boxes, words[static_cast<std::size_t>(index)]);
    showing_ = false;
}

void TSetupForm::SpinOrderLimClick(bool up)
{
    StepLimit(EditOrderLim, EditHHigh, setup_.HHigh, limitOrder_, up, kVoltageFundamental, false);
}

void TSetupForm::SpinOrderLimCurrClick(bool up)
{
    StepLimit(EditOrderLimCurr, EditHiHigh, setup_.HiHigh, currLimitOrder_, up, kCurrentFundamental, true);
}

void TSetupForm::SpinOrderFlagClick(bool up)
{
    StepFlags(CBoxH, EditOrderFlag, setup_.HFlags, flagOrder_, up, kVoltageFundamental, false);
}

void TSetupForm::SpinOrderFlagCurrClick(bool up)
{
    StepFlags(CBoxHi, EditOrderFlagCurr, setup_.HiFlags, currFlagOrder_, up, kCurrentFundamental, true);
}

bool TSetupForm::GlobalEnableAllowed(QCheckBox* global, std::span<const std::uint16_t> words, QCheckBox* shownEnable)
{
    if (!global->isChecked() || AnyHarmonicEnabled(words, shownEnable->isChecked())) return true;
    ShowError(kGlobalEnableMessage);
    global->setChecked(false);
    return false;
}

void TSetupForm::CBoxHGlobalClick() { GlobalEnableAllowed(CBoxHGlobal, setup_.HFlags, CBoxH[0]); }
void TSetupForm::CBoxHiGlobalClick() { GlobalEnableAllowed(CBoxHiGlobal, setup_.HiFlags, CBoxHi[0]); }

void TSetupForm::ChangeHarmonics(bool current, int Tag)
{
    const bool copy = Tag == 10;
    const std::vector<std::uint16_t> offered = current ? CurrentSwitchChoices() : VoltageSwitchChoices();
    HarmonicNumbers avail{}, chosen{};
    std::copy(offered.begin(), offered.end(), avail.begin());
    THarmListDlg picker(this);
    const int mode = current ? (copy ? CopyCurrentSetup : CancelCurrentSetup) : (copy ? CopyVoltageSetup : CancelVoltageSetup);
    picker.SetupHarmList(avail, chosen, static_cast<int>(offered.size()), 1, setup_.Wiring, mode);
    // Cancel in the picker changes nothing.
    if (picker.exec() != QDialog::Accepted) return;
    picker.GetHarmList(chosen, harmonicCount_);
    const std::vector<std::uint16_t> harmonics(chosen.begin(), chosen.begin() + std::clamp(harmonicCount_, 0, kHarmonicListCapacity));
    const std::span<std::uint16_t> words = current ? std::span<std::uint16_t>(setup_.HiFlags) : std::span<std::uint16_t>(setup_.HFlags);
    const int shownIndex = current ? currFlagOrder_ : flagOrder_;
    if (copy) {
        CopySwitches(words, harmonics, current ? BoxesWord(CBoxHi) : BoxesWord(CBoxH));
    } else {
        CancelSwitches(words, harmonics);
        if (std::find(harmonics.begin(), harmonics.end(), shownIndex) != harmonics.end()) {
            if (current) ShowWord(CBoxHi, 0);
            else ShowWord(CBoxH, 0);
        }
    }
    // The words changed behind the boxes: a close must ask before they are lost.
    if (!harmonics.empty()) SetModified(true);
}

void TSetupForm::BtnLinkArmClick(int Tag) { ChangeHarmonics(false, Tag); }
void TSetupForm::BtnCancelArmCurrClick(int Tag) { ChangeHarmonics(true, Tag); }

void TSetupForm::PickDate(QLineEdit* date, QLineEdit* time)
{
    if (!BrDateForm || !BrDateForm->PickDateInto(date)) return;
    if (time->text().isEmpty()) time->setText("00:00");
}

void TSetupForm::BtnIniClick() { PickDate(EditStartDate, rcEdit1TimeStart); }
void TSetupForm::BtnEndClick() { PickDate(EditStopDate, rcEdit1TimeStop); }

void TSetupForm::StepTime(QLineEdit* field, bool hour, bool up)
{
    if (field->text().isEmpty()) return;
    ShowText(field, StepTimeText(Text(field), hour ? TimeField::Hour : TimeField::Minute, up));
}

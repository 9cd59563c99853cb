// The harmonics picker's rules.
#include "dialogs/harmonic_picker.h"

#include "survey/number_text.h"

#include <algorithm>

void PickerList::Append(const std::string& item)
{
    items.push_back(item);
    selected.push_back(false);
}

void PickerList::RemoveAt(int index)
{
    items.erase(items.begin() + index);
    selected.erase(selected.begin() + index);
}

void PickerList::Clear()
{
    items.clear();
    selected.clear();
}

int PickerList::FirstSelected() const
{
    auto at = std::find(selected.begin(), selected.end(), true);
    return at == selected.end() ? -1 : static_cast<int>(at - selected.begin());
}

void HarmonicPicker::Setup(const HarmonicNumbers& avail, const HarmonicNumbers& chosen, int availCount,
                           int chosenCount, int phases, int pickerMode)
{
    availCount = std::clamp(availCount, 0, kHarmonicListCapacity);
    chosenCount = std::clamp(chosenCount, 0, kHarmonicListCapacity);
    mode = pickerMode;
    caption = "Harmonics Selection";
    // Nine items per phase left out of three; a phase count outside 1..3 would give a limit
    // beyond what one phase allows, or none at all.
    limit = (4 - std::clamp(phases, 1, 3)) * 9;
    if (mode == CopyVoltageSetup || mode == CopyCurrentSetup) {
        caption = "Copy Setup on the selected Harmonics";
        limit = availCount;
    } else if (mode == CancelVoltageSetup || mode == CancelCurrentSetup) {
        caption = "Cancel Setup on the selected Harmonics";
        limit = availCount;
    }

    // The setup editor's current harmonics never offer the fundamental, array position 2.
    const bool skipFundamental = mode == CopyCurrentSetup || mode == CancelCurrentSetup;
    source.Clear();
    destination.Clear();
    for (int i = 0; i < availCount; ++i) {
        if (skipFundamental && i == 2) continue;
        source.Append(Label(avail[static_cast<std::size_t>(i)]));
    }
    for (int i = 0; i < chosenCount; ++i) {
        if (skipFundamental && i == 2) continue;
        const std::string label = Label(chosen[static_cast<std::size_t>(i)]);
        destination.Append(label);
        auto at = std::find(source.items.begin(), source.items.end(), label);
        if (at != source.items.end()) source.RemoveAt(static_cast<int>(at - source.items.begin()));
    }
    focus = PickerSide::Source;
}

std::vector<std::uint16_t> HarmonicPicker::Chosen() const
{
    std::vector<std::uint16_t> numbers;
    for (const std::string& item : destination.items) {
        const int number = CurrentLabels() ? ParseCurrentHarmonicLabel(item) : ParseHarmonicLabel(item);
        numbers.push_back(static_cast<std::uint16_t>(number));
    }
    return numbers;
}

void HarmonicPicker::Include()
{
    MoveSelected(source, destination, PickerSide::Source);
}

void HarmonicPicker::Exclude()
{
    MoveSelected(destination, source, PickerSide::Destination);
}

void HarmonicPicker::IncludeAll()
{
    MoveAllItems(source, destination, PickerSide::Source);
}

void HarmonicPicker::ExcludeAll()
{
    MoveAllItems(destination, source, PickerSide::Destination);
}

std::string HarmonicPicker::LimitText() const
{
    return "Max " + std::to_string(limit) + " items";
}

bool HarmonicPicker::OkEnabled() const
{
    return destination.Count() >= 1 && destination.Count() <= limit;
}

// Modes above 11 (12, 20, 21) name current harmonics by index.
bool HarmonicPicker::CurrentLabels() const
{
    return mode > CancelVoltageSetup;
}

std::string HarmonicPicker::Label(std::uint16_t number) const
{
    return CurrentLabels() ? CurrentHarmonicLabel(number) : HarmonicLabel(number);
}

// Walks from the last item to the first, so several moved items arrive in reverse order.
void HarmonicPicker::MoveSelectedItems(PickerList& from, PickerList& to)
{
    for (int i = from.Count() - 1; i >= 0; --i) {
        if (!from.selected[static_cast<std::size_t>(i)]) continue;
        to.Append(from.items[static_cast<std::size_t>(i)]);
        from.RemoveAt(i);
    }
}

void HarmonicPicker::MoveSelected(PickerList& from, PickerList& to, PickerSide fromSide)
{
    const int first = from.FirstSelected();
    MoveSelectedItems(from, to);
    SelectItemAt(from, fromSide, first);
}

void HarmonicPicker::MoveAllItems(PickerList& from, PickerList& to, PickerSide fromSide)
{
    for (const std::string& item : from.items) to.Append(item);
    from.Clear();
    SelectItemAt(from, fromSide, 0);
}

// Selects the item that took the place of the first one moved (or the last item), so the next
// move can follow at once.
void HarmonicPicker::SelectItemAt(PickerList& list, PickerSide side, int index)
{
    focus = side;
    if (index == -1) index = 0;
    if (index > list.Count() - 1) index = list.Count() - 1;
    if (index >= 0) list.selected[static_cast<std::size_t>(index)] = true;
}

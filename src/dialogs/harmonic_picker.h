// The harmonics picker's rules without its window: which harmonics are offered and chosen, how
// items move between the two lists, the limit and the OK rule. THarmListDlg shows it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Callers hand harmonic numbers over in arrays [0..52].
constexpr int kHarmonicListCapacity = 53;
using HarmonicNumbers = std::array<std::uint16_t, kHarmonicListCapacity>;

// Modes of the picker: who uses it and for which harmonics.
enum HarmonicPickerMode : int {
    PickVoltageHarmonics = 0,        // export wizard and values sheet
    CopyVoltageSetup = 10,           // setup editor
    CancelVoltageSetup = 11,         // setup editor
    PickCurrentHarmonics = 12,       // export wizard and values sheet
    CopyCurrentSetup = 20,           // setup editor, fundamental not offered
    CancelCurrentSetup = 21,         // setup editor, fundamental not offered
};

// One list box: its labels in order and which of them are selected (multi-select).
struct PickerList {
    std::vector<std::string> items;
    std::vector<bool> selected;

    int Count() const { return static_cast<int>(items.size()); }
    void Append(const std::string& item);
    void RemoveAt(int index);
    void Clear();
    int FirstSelected() const;  // -1 when none
};

enum class PickerSide { Source, Destination };

class HarmonicPicker {
public:
    // Counts beyond the arrays' capacity are cut to it, phases to 1..3.
    void Setup(const HarmonicNumbers& avail, const HarmonicNumbers& chosen, int availCount, int chosenCount,
               int phases, int mode);
    // The destination's items as harmonic numbers, in list order.
    std::vector<std::uint16_t> Chosen() const;

    // The four move buttons: ">", "<", ">>", "<<".
    void Include();
    void Exclude();
    void IncludeAll();
    void ExcludeAll();

    const std::string& Caption() const { return caption; }
    std::string LimitText() const;  // "Max %d items"
    int Limit() const { return limit; }
    int Mode() const { return mode; }
    bool OkEnabled() const;
    bool CanInclude() const { return source.Count() > 0; }
    bool CanExclude() const { return destination.Count() > 0; }

    PickerList source;
    PickerList destination;
    // The list that has the focus after the last move.
    PickerSide focus = PickerSide::Source;

private:
    bool CurrentLabels() const;
    std::string Label(std::uint16_t number) const;
    void MoveSelectedItems(PickerList& from, PickerList& to);
    void MoveAllItems(PickerList& from, PickerList& to, PickerSide fromSide);
    void MoveSelected(PickerList& from, PickerList& to, PickerSide fromSide);
    void SelectItemAt(PickerList& list, PickerSide side, int index);

    std::string caption = "Harmonics Selection";
    int limit = 0;
    int mode = PickVoltageHarmonics;
};

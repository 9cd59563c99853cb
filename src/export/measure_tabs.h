// The export wizard's measure tabs without their window: the tabs and their boxes, what each
// measure's data file offers (read from its first record into the wizard's working
// TExportParams), which boxes start ticked, "Set All" and "Clear All", the harmonics button, the
// check before Next and the columns a choice needs. TExportTabsPage shows them.
#pragma once

#include "export/export_params.h"

#include <array>
#include <string>
#include <vector>

// One tab as the wizard lays it out: its measure, caption, item boxes (caption and name, in the
// order of the block's Items) and phase boxes.
struct TExportTabLayout {
    int Measure;
    const char* Caption;
    std::vector<std::string> ItemCaptions;
    std::vector<std::string> ItemNames;
    const char* PhaseGroup;  // nullptr: no phase boxes (frequency, unbalance)
    std::array<const char*, 3> PhaseNames;
    const char* SetAllName;
    const char* ClearAllName;
};

// The tabs in the wizard's order: Voltage, Frequency, Unbalance, Voltage Harmonics, Current
// Harmonics, Flicker, Alarms, Powers && Currents, Energy.
extern const std::array<TExportTabLayout, 9> kExportTabs;
// The tab of measure k; nullptr for the voltage samples and slots 11 to 14.
const TExportTabLayout* ExportTabOf(int measure);

// Alarms items: the seven event measures (0-5 and 9) and the four event types (6, 7, 8, 10).
inline constexpr std::array<int, 7> kAlarmMeasureItems = {0, 1, 2, 3, 4, 5, 9};
inline constexpr std::array<int, 4> kAlarmTypeItems = {6, 7, 8, 10};

// Reads what measure `measure`'s data file offers into its block of `params` (Items, Phases and
// Present as availability flags) and, for the harmonics, the first record's block table with the
// first block as the default choice. False, with nothing offered, when the first record cannot
// be read or does not hold the blocks its head announces.
bool ReadMeasureAvailability(int measure, const std::string& dataFile, TExportParams& params);

struct TTabBox {
    bool Enabled = false;
    bool Checked = false;
    bool operator==(const TTabBox&) const = default;
};

struct TTabState {
    std::vector<TTabBox> Items;
    std::array<TTabBox, 3> Phases{};
    bool operator==(const TTabState&) const = default;
};

// The boxes of a tab prepared from the availability flags: enabled where the file offers the
// quantity or phase, the usual choice ticked (the averages, L1 ...).
TTabState InitialTabState(int measure, const TExportMeasureSel& available);
// "Set All": every box ticked exactly when it is enabled (the alarms boxes are never disabled).
void SetAllBoxes(TTabState& tab);
void ClearAllBoxes(TTabState& tab);
// The check of one visible tab before Next.
bool TabIsValid(int measure, const TTabState& tab);
// The harmonics buttons: a statistic and a phase ticked.
bool HarmonicsButtonEnabled(const TTabState& tab);
int TickedPhases(const TTabState& tab);
// Finish: the boxes into the block's Items and Phases (frequency and unbalance: L1).
void StoreTabState(int measure, const TTabState& tab, TExportMeasureSel& block);

// Value columns (after "Date") the workbook of `measure` gets from `params`.
int ExportValueColumns(int measure, const TExportParams& params);
// Columns of an Excel 5.0 sheet the workbook needs: the empty first column, "Date", the values.
inline int ExportSheetColumns(int measure, const TExportParams& params) { return 2 + ExportValueColumns(measure, params); }

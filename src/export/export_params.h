// The export wizard's hand-over to the exporter: TExportParams, the whole content of
// "export.tmp" in the data folder (4842 bytes, packed little-endian), and the names of the
// workbooks it asks for. The wizard writes it on an accepted Finish; the exporter reads and
// deletes it.
#pragma once

#include "dialogs/harmonic_picker.h"
#include "export/column_choice.h"
#include "platform/file_io.h"
#include "platform/little_endian.h"
#include "survey/records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

inline constexpr std::string_view kExportParamsFileName = "export.tmp";

enum ExportFormat : std::uint32_t { ExportExcel5 = 0, ExportText = 1 };

// What to export of one measure. Items follow the wizard's order of the measure's quantities;
// positions beyond a measure's count are not significant.
struct TExportMeasureSel {
    static constexpr std::size_t kPackedSize = 299;
    static constexpr std::size_t kItemCapacity = TColumnChoice::kItemCapacity;

    std::string OutputPath;  // the workbook to write; empty: the measure is not exported
    std::array<bool, kItemCapacity> Items{};
    std::array<bool, 3> Phases{};  // L1, L2, L3
    // Voltage and current harmonics: the statistics the first record's harmonic blocks hold.
    std::array<bool, kItemCapacity> Present{};
    bool operator==(const TExportMeasureSel&) const = default;
};

struct TExportParams {
    static constexpr std::size_t kPackedSize = 4842;

    std::array<TExportMeasureSel, kMeasureSlots> Measures{};  // Measures[k - 1] describes measure k
    std::uint32_t Format = ExportExcel5;
    // The first record's harmonic blocks: content flags and order (voltage) or index (current).
    HarmonicNumbers VoltageHarmonicFlags{};
    HarmonicNumbers CurrentHarmonicFlags{};
    HarmonicNumbers VoltageOrders{};
    HarmonicNumbers CurrentOrders{};
    std::int32_t VoltageOrderCount = 0;
    std::int32_t CurrentOrderCount = 0;
    // The harmonic orders (voltage) and indexes (current) chosen for export.
    HarmonicNumbers VoltageChosen{};
    HarmonicNumbers CurrentChosen{};
    std::int32_t VoltageChosenCount = 0;
    std::int32_t CurrentChosenCount = 0;

    TExportMeasureSel& Measure(int measure) { return Measures.at(static_cast<std::size_t>(measure - 1)); }
    const TExportMeasureSel& Measure(int measure) const { return Measures.at(static_cast<std::size_t>(measure - 1)); }
    // The chosen orders or indexes as far as their count goes.
    std::span<const std::uint16_t> ChosenVoltageOrders() const;
    std::span<const std::uint16_t> ChosenCurrentIndexes() const;
    // The columns chosen for measure `measure`'s workbook.
    TColumnChoice ColumnChoice(int measure) const;
    bool operator==(const TExportParams&) const = default;
};

// The record's bytes; nothing when an OutputPath does not fit a short string (`tooLong` then
// names the first that does not): a path is never cut.
std::optional<Bytes> PackExportParams(const TExportParams& params, std::string* tooLong = nullptr);
// Nothing unless the bytes are exactly one record with a known format and every count within
// its table.
std::optional<TExportParams> UnpackExportParams(std::span<const std::uint8_t> bytes);

// Every OutputPath fits a short string; otherwise the message naming the first that does not.
bool CheckExportPaths(const TExportParams& params);
// Writes the record to `path` (normally DataDir() + "export.tmp"), replacing it only when
// complete. A path too long to store is refused with CheckExportPaths' message, nothing written.
bool WriteExportParams(const TExportParams& params, const std::string& path);
// Reads the record and deletes the file, damaged or not; nothing when it is missing or damaged.
std::optional<TExportParams> ReadExportParams(const std::string& path);

// Workbook names: folder + base name + the measure's suffix + the format's extension.
extern const std::array<std::string_view, kMeasureSlots + 1> ExportFileSuffixes;  // 1..10 ("_vm" ... "_en")
extern const std::array<std::string_view, 2> ExportFileExts;                      // by format
std::string ExportOutputPath(const std::string& folder, const std::string& baseName, int measure,
                             std::uint32_t format);

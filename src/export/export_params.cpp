// Packing, reading and writing of the export hand-over record.
#include "export/export_params.h"

#include "platform/messages.h"

#include <algorithm>

const std::array<std::string_view, kMeasureSlots + 1> ExportFileSuffixes = {
    "", "_vm", "_hz", "_un", "_hm", "_fl", "_al", "_wm", "_tm", "_hi", "_en", "", "", "", ""};
const std::array<std::string_view, 2> ExportFileExts = {".xls", ".txt"};

// Offsets of TExportMeasureSel: OutputPath 0, Items 256, Phases 276, Present 279.
static_assert(1 + kShortStringCapacity + TExportMeasureSel::kItemCapacity + 3 + TExportMeasureSel::kItemCapacity ==
              TExportMeasureSel::kPackedSize);
// TExportParams: measures 0, Format 4186, four block tables from 4190, the two block counts at
// 4614, the two chosen tables from 4622, the two chosen counts at 4834.
static_assert(kMeasureSlots * TExportMeasureSel::kPackedSize + 4 + 4 * 2 * kHarmonicListCapacity + 2 * 4 +
                  2 * 2 * kHarmonicListCapacity + 2 * 4 ==
              TExportParams::kPackedSize);

namespace {
void PackFlags(ByteWriter& out, const std::array<bool, TExportMeasureSel::kItemCapacity>& flags)
{
    for (bool flag : flags) out.Bool(flag);
}

template <std::size_t N>
void UnpackFlags(ByteReader& in, std::array<bool, N>& flags)
{
    for (bool& flag : flags) flag = in.Bool();
}

void PackNumbers(ByteWriter& out, const HarmonicNumbers& numbers)
{
    for (std::uint16_t n : numbers) out.U16(n);
}

void UnpackNumbers(ByteReader& in, HarmonicNumbers& numbers)
{
    for (std::uint16_t& n : numbers) n = in.U16();
}

bool CountFits(std::int32_t count) { return count >= 0 && count <= kHarmonicListCapacity; }

std::span<const std::uint16_t> Leading(const HarmonicNumbers& numbers, std::int32_t count)
{
    return std::span<const std::uint16_t>(numbers).first(static_cast<std::size_t>(std::clamp(count, 0, kHarmonicListCapacity)));
}
}  // namespace

std::span<const std::uint16_t> TExportParams::ChosenVoltageOrders() const { return Leading(VoltageChosen, VoltageChosenCount); }
std::span<const std::uint16_t> TExportParams::ChosenCurrentIndexes() const { return Leading(CurrentChosen, CurrentChosenCount); }

TColumnChoice TExportParams::ColumnChoice(int measure) const
{
    TColumnChoice choice;
    choice.Items = Measure(measure).Items;
    choice.Phases = Measure(measure).Phases;
    std::span<const std::uint16_t> harmonics;
    if (measure == MeasureVoltageHarmonics) harmonics = ChosenVoltageOrders();
    if (measure == MeasureCurrentHarmonics) harmonics = ChosenCurrentIndexes();
    choice.Harmonics.assign(harmonics.begin(), harmonics.end());
    return choice;
}

std::optional<Bytes> PackExportParams(const TExportParams& params, std::string* tooLong)
{
    ByteWriter out;
    out.Reserve(TExportParams::kPackedSize);
    for (const TExportMeasureSel& m : params.Measures) {
        out.ShortString(m.OutputPath, kShortStringCapacity);
        PackFlags(out, m.Items);
        for (bool phase : m.Phases) out.Bool(phase);
        PackFlags(out, m.Present);
    }
    out.U32(params.Format);
    PackNumbers(out, params.VoltageHarmonicFlags);
    PackNumbers(out, params.CurrentHarmonicFlags);
    PackNumbers(out, params.VoltageOrders);
    PackNumbers(out, params.CurrentOrders);
    out.I32(params.VoltageOrderCount);
    out.I32(params.CurrentOrderCount);
    PackNumbers(out, params.VoltageChosen);
    PackNumbers(out, params.CurrentChosen);
    out.I32(params.VoltageChosenCount);
    out.I32(params.CurrentChosenCount);
    if (!out.Ok()) {
        if (tooLong) *tooLong = out.TooLong();
        return std::nullopt;
    }
    return out.Take();
}

std::optional<TExportParams> UnpackExportParams(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != TExportParams::kPackedSize) return std::nullopt;
    ByteReader in(bytes);
    TExportParams params;
    for (TExportMeasureSel& m : params.Measures) {
        m.OutputPath = in.ShortString(kShortStringCapacity);
        UnpackFlags(in, m.Items);
        UnpackFlags(in, m.Phases);
        UnpackFlags(in, m.Present);
    }
    params.Format = in.U32();
    UnpackNumbers(in, params.VoltageHarmonicFlags);
    UnpackNumbers(in, params.CurrentHarmonicFlags);
    UnpackNumbers(in, params.VoltageOrders);
    UnpackNumbers(in, params.CurrentOrders);
    params.VoltageOrderCount = in.I32();
    params.CurrentOrderCount = in.I32();
    UnpackNumbers(in, params.VoltageChosen);
    UnpackNumbers(in, params.CurrentChosen);
    params.VoltageChosenCount = in.I32();
    params.CurrentChosenCount = in.I32();
    const bool known = params.Format == ExportExcel5 || params.Format == ExportText;
    const bool countsFit = CountFits(params.VoltageOrderCount) && CountFits(params.CurrentOrderCount) &&
                           CountFits(params.VoltageChosenCount) && CountFits(params.CurrentChosenCount);
    if (!in.Ok() || !known || !countsFit) return std::nullopt;
    return params;
}

bool CheckExportPaths(const TExportParams& params)
{
    std::string tooLong;
    if (PackExportParams(params, &tooLong)) return true;
    ShowError("The file name " + tooLong + " is longer than the 255 characters that can be stored.");
    return false;
}

bool WriteExportParams(const TExportParams& params, const std::string& path)
{
    if (!CheckExportPaths(params)) return false;
    if (!WriteFileAtomic(path, *PackExportParams(params))) {
        ShowError("Unable to write the file " + path + ".");
        return false;
    }
    return true;
}

std::optional<TExportParams> ReadExportParams(const std::string& path)
{
    // Anything larger than the record is damaged; reading a little more shows it.
    std::optional<Bytes> bytes = ReadWholeFile(path, TExportParams::kPackedSize + 1);
    if (FileExists(path)) DeleteFile(path);
    if (!bytes) return std::nullopt;
    return UnpackExportParams(*bytes);
}

std::string ExportOutputPath(const std::string& folder, const std::string& baseName, int measure, std::uint32_t format)
{
    const bool known = measure >= 1 && measure <= kMeasureSlots && format < ExportFileExts.size();
    if (!known || ExportFileSuffixes[static_cast<std::size_t>(measure)].empty()) return {};
    return WithTrailingSlash(folder) + baseName + std::string(ExportFileSuffixes[static_cast<std::size_t>(measure)]) +
           std::string(ExportFileExts[format]);
}

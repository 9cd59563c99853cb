// Density and CPF blocks.
#include "views/density_curve.h"

#include "platform/little_endian.h"

#include <algorithm>
#include <cmath>

std::optional<TDensityBlock> ReadDensityBlock(TDataFile& F, std::int64_t position, int classCount)
{
    if (position < 0 || classCount <= 0) return std::nullopt;
    Bytes bytes;
    const std::size_t size = 4 + 4 * static_cast<std::size_t>(classCount);
    if (!F.ReadAt(static_cast<std::uint64_t>(position), size, bytes)) return std::nullopt;
    FieldView fields(bytes);
    TDensityBlock block;
    block.Total = fields.U32(0);
    block.Counts.resize(static_cast<std::size_t>(classCount));
    for (std::size_t k = 0; k < block.Counts.size(); ++k) block.Counts[k] = fields.I32(4 + 4 * k);
    if (!fields.Ok()) return std::nullopt;
    return block;
}

std::optional<std::vector<float>> ReadCpfBlock(TDataFile& F, std::int64_t position, int count)
{
    if (position < 0 || count <= 0) return std::nullopt;
    Bytes bytes;
    const std::size_t size = 4 * static_cast<std::size_t>(count);
    if (!F.ReadAt(static_cast<std::uint64_t>(position), size, bytes)) return std::nullopt;
    FieldView fields(bytes);
    std::vector<float> values(static_cast<std::size_t>(count));
    for (std::size_t k = 0; k < values.size(); ++k) values[k] = fields.F32(4 * k);
    if (!fields.Ok()) return std::nullopt;
    return values;
}

int TCurveRange::Step() const
{
    // 5 / 0.2 is 24.99... in single precision; the step is a whole number of classes.
    return std::max(1, static_cast<int>(std::lround(5.0 / ClassWidth)));
}

void TCurveRange::ExpandLeft()
{
    const int step = std::min(Step(), FirstClass - 1);
    FirstClass -= step;
    ViewCount += step;
}

void TCurveRange::CompressLeft()
{
    if (!CanCompress()) return;
    FirstClass += Step();
    ViewCount -= Step();
}

void TCurveRange::CompressRight()
{
    if (CanCompress()) ViewCount -= Step();
}

void TCurveRange::ExpandRight()
{
    ViewCount = std::min(ViewCount + Step(), ClassCount - FirstClass + 1);
}

TCurveRange FullCurveRange(int classCount, double firstValue, double classWidth)
{
    TCurveRange r;
    r.ClassCount = classCount;
    r.ViewCount = classCount;
    r.FirstValue = firstValue;
    r.ClassWidth = classWidth;
    return r;
}

std::vector<TCurvePoint> DensityPoints(const TDensityBlock& block, const TCurveRange& range)
{
    std::vector<TCurvePoint> points;
    if (block.Total == 0) return points;
    bool any = false;
    const int last = std::min<int>(range.FirstClass + range.ViewCount - 1, static_cast<int>(block.Counts.size()));
    for (int k = std::max(1, range.FirstClass); k <= last; ++k) {
        const std::int32_t count = block.Counts[static_cast<std::size_t>(k - 1)];
        if (count > 0) any = true;
        points.push_back({range.FirstValue + (k - 1) * range.ClassWidth, count * 100.0 / block.Total});
    }
    if (!any) return {};
    points.push_back({range.FirstValue + last * range.ClassWidth, 0});
    return points;
}

namespace {
// 1, 2 or 5 times a power of ten, at least `rough`.
double RoundTickStep(double rough)
{
    if (rough <= 0) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough) return m * power;
    return 10 * power;
}

// The step's multiple next to `value` when `value` misses it only by rounding, else `value`.
double NearTick(double value, double step)
{
    const double tick = std::round(value / step) * step;
    return std::fabs(value - tick) <= 1e-5 * step ? tick : value;
}
}  // namespace

TCurveAxis DensityCurveAxis(double from, double to)
{
    const double step = RoundTickStep((to - from) / 6);
    // Only an end inside its tick loses the label; one just outside keeps it and stays as it is.
    return {std::min(from, NearTick(from, step)), std::max(to, NearTick(to, step)), step};
}

std::vector<TCurvePoint> CpfPoints(const std::vector<float>& values, const TCurveRange& range)
{
    std::vector<TCurvePoint> points;
    bool any = false;
    const int last = std::min<int>(range.FirstClass + range.ViewCount - 1, static_cast<int>(values.size()));
    for (int i = std::max(1, range.FirstClass) - 1; i < last; ++i) {
        const float v = values[static_cast<std::size_t>(i)];
        if (v > 0) any = true;
        points.push_back({std::pow(10.0, i / 176.191576 - 2), v});
    }
    if (!any) return {};
    return points;
}

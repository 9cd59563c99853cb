// The curve window's data: a density block (sample total and class counts) or a CPF block read
// from the data file within the records, the shown range of classes with its scale steps, and
// the points of the area series.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "survey/data_file.h"

struct TDensityBlock {
    std::uint32_t Total = 0;
    std::vector<std::int32_t> Counts;
};
// The block whose sample total lies at `position`; nothing when it runs outside the records.
std::optional<TDensityBlock> ReadDensityBlock(TDataFile& F, std::int64_t position, int classCount);
// `count` CPF values (percent) at `position`.
std::optional<std::vector<float>> ReadCpfBlock(TDataFile& F, std::int64_t position, int count);

// The classes shown: FirstClass from 1, ViewCount classes, always inside the block.
struct TCurveRange {
    int ClassCount = 0;
    int FirstClass = 1;
    int ViewCount = 0;
    double FirstValue = 0;  // value of class 1
    double ClassWidth = 1;

    double ViewStart() const { return FirstValue + (FirstClass - 1) * ClassWidth; }
    // Classes per scale press: 5 units of the class value (10, 25, 50 ...), rounded, never 0.
    int Step() const;
    bool CanExpandLeft() const { return FirstClass > 1; }
    bool CanCompress() const { return Step() < ViewCount; }
    bool CanExpandRight() const { return FirstClass + ViewCount - 1 < ClassCount; }
    void ExpandLeft();
    void CompressLeft();
    void CompressRight();
    void ExpandRight();
};
TCurveRange FullCurveRange(int classCount, double firstValue, double classWidth);

struct TCurvePoint {
    double X = 0;
    double Y = 0;
};
// Share of samples per shown class in percent, then the closing point (x, 0); empty (no data)
// when the total is 0 or no shown class has a count above 0.
std::vector<TCurvePoint> DensityPoints(const TDensityBlock& block, const TCurveRange& range);
// The bottom axis of a density curve: the shown classes fill it and the labels fall on whole
// multiples of a round step (1, 2 or 5 times a power of ten, about six of them).
struct TCurveAxis {
    double Min = 0;
    double Max = 1;
    double TickInterval = 1;
};
// An end that falls just inside a multiple of the step, by the rounding of a single-precision
// class width (-15 + 50 x 0.2f is -4.99999985), is moved onto it, so the end keeps its label.
TCurveAxis DensityCurveAxis(double from, double to);
// (10 ^ (i / 176.191576 - 2), value i) for the shown values; empty when none is above 0.
std::vector<TCurvePoint> CpfPoints(const std::vector<float>& values, const TCurveRange& range);

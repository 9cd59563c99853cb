// One axis of the graph: its range, step, linear, logarithmic or date-time scaling, tick walks
// and label texts, and the switches the drawing reads. The graph owns three of them.
#pragma once

#include "graph/graph_types.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

enum Dateticks {
    dt_minute, dt_5minute, dt_halfhourly, dt_hourly, dt_6hour, dt_daily, dt_weekly,
    dt_monthly, dt_2monthly, dt_quarterly, dt_annually, dt_decade, dt_century, dt_custom
};

enum TAxisOffsetType { ao_Minimum, ao_Maximum, ao_percentage, ao_absolute };

enum class TAxisKind { X, Y, SecondY };

// A scaling routine met a range it cannot work with; the text is fixed per routine.
class TGraphScaleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TAxis;

// What an axis needs from its graph.
class TAxisOwner {
public:
    virtual ~TAxisOwner() = default;
    virtual int AxisMinSteps() const = 0;
    virtual int AxisMaxSteps() const = 0;
    virtual bool AxisHasData(const TAxis& axis) const = 0;
    virtual void AxisRepaint() = 0;  // repaints when the graph is plotting
    virtual void AxisRescaled() = 0; // the graph's DoRescale
    virtual double AxisNow() const = 0;
};

// State of one logarithmic tick walk, copied from the axis.
struct TTickState {
    std::array<double, 11> LogTable{};
    int LogCycleDivisions = 2;
    bool FellBackToLinear = false;
    bool LabelEveryDivision = true;
    std::int16_t Position = 0;
};

struct TAxisTick {
    double Value = 0;
    bool Labelled = true;
    std::string Text; // the label, formatted as the walk reached it
    // The tick's number in the axis's unit counted from a fixed origin: labelling only the ticks
    // whose ordinal is a multiple of one of LabelStrides keeps the labels on round values.
    std::int64_t Ordinal = 0;
};

class TAxis {
public:
    // owner may be null: the axis then scales with the graph's default step bounds and no data.
    TAxis(TAxisOwner* owner, TAxisKind kind);

    // Properties: getters carry the name, setters apply the rules of each property.
    TColor AxisColor() const { return axisColor_; }
    const std::string& Title() const { return title_; }
    int LabelDecimals() const { return labelDecimals_; }
    int LogCycleDivisions() const { return logCycleDivisions_; }
    bool LogScale() const { return logScale_; }
    double Min() const { return min_; }
    double Max() const { return max_; }
    double StepSize() const { return stepSize_; }
    double MinScaleLength() const { return minScaleLength_; }
    bool ShowAsTime() const { return showAsTime_; }
    const std::string& DateTimeFormat() const { return dateTimeFormat_; }
    Dateticks DateTickType() const { return dateTickType_; }
    bool ShowAxis() const { return showAxis_; }
    bool Reversed() const { return reversed_; }
    TAxisOffsetType OffsetType() const { return offsetType_; }
    double Offset() const { return offset_; }
    bool Gridlines() const { return gridlines_; }
    bool ShowLabel() const { return showLabel_; }
    bool ShowTitle() const { return showTitle_; }
    int LabelDiv() const { return labelDiv_; }
    const TGraphFont& TitleFont() const { return titleFont_; }
    const TGraphFont& LabelFont() const { return labelFont_; }
    bool AutoSizing() const { return autoSizing_; }
    bool AutoStepping() const { return autoStepping_; }

    void SetAxisColor(TColor value);
    void SetTitle(const std::string& value);
    void SetLabelDecimals(int value);
    void SetLogCycleDivisions(int value);
    void SetLogScale(bool value);
    void SetMin(double value);
    void SetMax(double value);
    void SetStepSize(double value);
    void SetMinScaleLength(double value);
    void SetShowAsTime(bool value);
    void SetDateTimeFormat(const std::string& value);
    void SetDateTickType(Dateticks value);
    void SetShowAxis(bool value);
    void SetReversed(bool value);
    void SetOffsetType(TAxisOffsetType value);
    void SetOffset(double value);
    void SetGridlines(bool value);
    void SetShowLabel(bool value);
    void SetShowTitle(bool value);
    void SetLabelDiv(int value);
    void SetTitleFont(const TGraphFont& value);
    void SetLabelFont(const TGraphFont& value);
    void SetAutoSizing(bool value);
    void SetAutoStepping(bool value);

    bool IsSecondY() const { return kind_ == TAxisKind::SecondY; }
    TAxisKind Kind() const { return kind_; }
    const std::array<double, 11>& LogTable() const { return logTable_; }
    bool FellBackToLinear() const { return fellBackToLinear_; }
    bool LabelEveryDivision() const { return labelEveryDivision_; }

    // Set by the graph: pixels per unit (per natural-log unit on a logarithmic axis) and the
    // data range of the visible series.
    double PixelsPerUnit = 1;
    double oMin = 0;
    double oMax = 0;

    // Scaling.
    double GetStep() const;
    void SetMinMax();
    void BuildLogTable();
    void AutoLogDivisions();
    void SetLogMinMax();
    double GetDateStep() const;
    void SetDateMinMax();
    bool Rescale();
    bool IsValidRange() const;
    void UpdateLogLabelling();

    // Tick walk. FirstTick and NextTick also set LabelDecimals as the labels need it.
    double FirstTick(TTickState& state);
    double NextTick(TTickState& state, double value, bool& labelled);
    // The whole walk with the current step: every tick below Max + 0.001 x (Max - Min), bounded
    // so that a degenerate step cannot hang the paint.
    std::vector<TAxisTick> TickWalk();
    std::string FormatLabel(double value) const;
    // Ascending strides, from 1, at which every n-th label of the current step still falls on
    // round values (1-2-5 of a linear step, whole hours, quarters, decades ...).
    std::vector<int> LabelStrides() const;

    // Assignments the graph's paint makes without the setters' side effects.
    void AssignStep(double value) { stepSize_ = value; }
    void AssignRange(double minimum, double maximum) { min_ = minimum; max_ = maximum; }
    void AssignDateTickType(Dateticks value) { dateTickType_ = value; }

    static constexpr int MaxTicksPerWalk = 1000;

private:
    int MinSteps() const;
    int MaxSteps() const;
    bool HasData() const;
    void Repaint();
    void Rescaled();
    void SetRangeEnd(double& end, double& dataEnd, double value);
    std::int64_t TickOrdinal(double value, const TTickState& state) const;

    TAxisOwner* owner_;
    TAxisKind kind_;
    TColor axisColor_ = clBlack;
    std::string title_;
    int labelDecimals_ = 1;
    int logCycleDivisions_ = 2;
    bool logScale_ = false;
    double min_ = 0, max_ = 1;
    double stepSize_ = 0.2;
    double minScaleLength_ = 0;
    bool showAsTime_ = false;
    std::string dateTimeFormat_ = "dd-mmm";
    Dateticks dateTickType_ = dt_minute;
    bool showAxis_ = true;
    bool reversed_ = false;
    TAxisOffsetType offsetType_ = ao_Minimum;
    double offset_ = 0;
    bool gridlines_ = true;
    bool showLabel_ = true;
    bool showTitle_ = true;
    int labelDiv_ = 1;
    TGraphFont titleFont_, labelFont_;
    bool autoSizing_ = false;
    bool autoStepping_ = false;

    std::array<double, 11> logTable_{};
    bool fellBackToLinear_ = false;
    bool labelEveryDivision_ = true;
};

// Label texts of linear and logarithmic axes: fixed-point with five significant digits, or
// exponent notation with two ("1.2E+4").
std::string FormatFixedLabel(double value, int decimals);
std::string FormatExponentLabel(double value);

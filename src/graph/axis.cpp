// Axis properties and range scaling: linear steps and ranges, logarithmic decades and
// divisions, date-time ranges, the automatic rescale and the validity test.
#include "graph/axis.h"

#include "graph/date_scaling.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Mantissas of one decade per supported division count; the closing 10 follows them.
std::vector<double> DecadeMantissas(int divisions)
{
    switch (divisions) {
    case 0: return {1};
    case 1: return {1, 5};
    case 2: return {1, 2, 5};
    case 5: return {1, 1.5, 2, 3, 5, 7};
    case 7: return {1, 1.5, 2, 3, 4, 5, 6, 8};
    default: return {1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 8};
    }
}

int NormalisedDivisions(int value)
{
    static const int supported[10] = {0, 1, 2, 2, 5, 5, 5, 7, 7, 9};
    return supported[std::clamp(value, 0, 9)];
}

struct DecadeSplit {
    double Mantissa;
    double Decade;
};

DecadeSplit SplitDecade(double value, bool lowerAtZero)
{
    const double l = Log10Of(value);
    double n = std::trunc(l);
    if (l < 0 && l != n) n -= 1;
    if (lowerAtZero && l == 0) n -= 1; // 1 splits as 10 x 0.1
    return {Pow10Of(l - n), Pow10Of(n)};
}

} // namespace

TAxis::TAxis(TAxisOwner* owner, TAxisKind kind) : owner_(owner), kind_(kind)
{
    switch (kind) {
    case TAxisKind::X: title_ = "X axis"; break;
    case TAxisKind::Y: title_ = "Y axis"; break;
    case TAxisKind::SecondY:
        title_ = "Second Y axis";
        showAxis_ = false;
        reversed_ = true;
        offsetType_ = ao_Maximum;
        gridlines_ = false;
        showLabel_ = false;
        showTitle_ = false;
        break;
    }
    BuildLogTable();
}

int TAxis::MinSteps() const { return owner_ ? owner_->AxisMinSteps() : 5; }
int TAxis::MaxSteps() const { return owner_ ? owner_->AxisMaxSteps() : 50; }
bool TAxis::HasData() const { return owner_ && owner_->AxisHasData(*this); }
void TAxis::Repaint()
{
    if (owner_) owner_->AxisRepaint();
}
void TAxis::Rescaled()
{
    if (owner_) owner_->AxisRescaled();
}

void TAxis::SetAxisColor(TColor value) { axisColor_ = value; Repaint(); }
void TAxis::SetTitle(const std::string& value) { title_ = value; Repaint(); }
void TAxis::SetLabelDecimals(int value) { labelDecimals_ = value; Repaint(); }
void TAxis::SetLogScale(bool value) { logScale_ = value; Repaint(); }
void TAxis::SetGridlines(bool value) { gridlines_ = value; Repaint(); }
void TAxis::SetShowLabel(bool value) { showLabel_ = value; Repaint(); }
void TAxis::SetShowTitle(bool value) { showTitle_ = value; Repaint(); }
void TAxis::SetLabelDiv(int value) { labelDiv_ = value; Repaint(); }
void TAxis::SetAutoSizing(bool value) { autoSizing_ = value; Repaint(); }
void TAxis::SetAutoStepping(bool value) { autoStepping_ = value; Repaint(); }
void TAxis::SetTitleFont(const TGraphFont& value) { titleFont_ = value; Repaint(); }
void TAxis::SetLabelFont(const TGraphFont& value) { labelFont_ = value; Repaint(); }

void TAxis::SetLogCycleDivisions(int value)
{
    logCycleDivisions_ = value;
    BuildLogTable();
    Repaint();
}

// A range end set by hand ends automatic sizing; without data a date-time axis also takes it
// as its data range, which its coarser tick units round.
void TAxis::SetRangeEnd(double& end, double& dataEnd, double value)
{
    autoSizing_ = false;
    if (value == end) return;
    end = value;
    if (showAsTime_ && !HasData()) dataEnd = value;
    Rescaled();
    Repaint();
}

void TAxis::SetMin(double value) { SetRangeEnd(min_, oMin, value); }
void TAxis::SetMax(double value) { SetRangeEnd(max_, oMax, value); }

void TAxis::SetStepSize(double value)
{
    autoStepping_ = false;
    if (value == stepSize_) return;
    stepSize_ = value;
    Rescaled();
    Repaint();
}

void TAxis::SetMinScaleLength(double value)
{
    const double old = minScaleLength_;
    minScaleLength_ = value;
    const double span = max_ - min_;
    if (span < value || span == old) Repaint();
}

void TAxis::SetShowAsTime(bool value)
{
    if (value == showAsTime_) return;
    showAsTime_ = value;
    if (value && !HasData()) {
        oMin = min_;
        oMax = max_;
    }
    Repaint();
}

template <typename T>
static bool StoreIfChanged(T& field, const T& value)
{
    if (field == value) return false;
    field = value;
    return true;
}

void TAxis::SetDateTickType(Dateticks value) { if (StoreIfChanged(dateTickType_, value)) Repaint(); }
void TAxis::SetShowAxis(bool value) { if (StoreIfChanged(showAxis_, value)) Repaint(); }
void TAxis::SetReversed(bool value) { if (StoreIfChanged(reversed_, value)) Repaint(); }
void TAxis::SetOffsetType(TAxisOffsetType value) { if (StoreIfChanged(offsetType_, value)) Repaint(); }
void TAxis::SetOffset(double value) { if (StoreIfChanged(offset_, value)) Repaint(); }
void TAxis::SetDateTimeFormat(const std::string& value) { if (StoreIfChanged(dateTimeFormat_, value)) Repaint(); }

double TAxis::GetStep() const
{
    const double range = max_ - min_;
    if (!(range > 0)) throw TGraphScaleError("GetStep entered with bad range");
    double l = Log10Of(range);
    if (l < 0) l -= 1;
    const double d = Pow10Of(std::trunc(1.001 * l));
    for (double divisor : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0}) {
        const double step = d / divisor;
        if (range / step >= MinSteps()) return step;
    }
    return d / 100;
}

void TAxis::SetMinMax()
{
    if (oMin > oMax) throw TGraphScaleError("Impossible: oMin > oMax in SetMinMax!");
    if (oMin == oMax) {
        if (oMin == 0) {
            min_ = -1;
            max_ = 1;
            stepSize_ = GetStep();
            return;
        }
        if (oMin < 0) {
            min_ = 1.2 * oMin;
            max_ = 0;
        } else {
            min_ = 0;
            max_ = 1.2 * oMax;
        }
        stepSize_ = GetStep();
        max_ = std::trunc(max_ / stepSize_) * stepSize_;
        return;
    }
    min_ = oMin;
    max_ = oMax;
    const bool keepStep = !autoStepping_ && stepSize_ > 0 && (max_ - min_) / stepSize_ <= MaxSteps();
    if (!keepStep) stepSize_ = GetStep();

    // The data lies at least 1% of a step inside the range.
    min_ = std::trunc(min_ / stepSize_) * stepSize_;
    if (oMin < 0) min_ -= stepSize_;
    if (oMin - 0.01 * stepSize_ < min_) min_ -= stepSize_;
    max_ = std::trunc(max_ / stepSize_) * stepSize_ + stepSize_;
    if (oMax < 0) max_ -= stepSize_;
    if (oMax + 0.01 * stepSize_ > max_) max_ += stepSize_;

    // A near end within a quarter of the span from zero is taken to zero.
    if (oMin > 0 && oMin / (max_ - min_) < 0.25) min_ = 0;
    else if (oMax < 0 && -oMax / (max_ - min_) < 0.25) max_ = 0;
    if (min_ >= max_) throw TGraphScaleError("SetMinMax failed");
}

void TAxis::BuildLogTable()
{
    labelEveryDivision_ = true;
    logCycleDivisions_ = NormalisedDivisions(std::min(logCycleDivisions_, 9));
    logTable_.fill(0);
    const std::vector<double> mantissas = DecadeMantissas(logCycleDivisions_);
    std::copy(mantissas.begin(), mantissas.end(), logTable_.begin());
    logTable_[static_cast<std::size_t>(logCycleDivisions_) + 1] = 10;
}

void TAxis::AutoLogDivisions()
{
    const double q = MinSteps() / Log10Of(max_ / min_);
    if (q > 10) logCycleDivisions_ = 9;
    else if (q > 8) logCycleDivisions_ = 7;
    else if (q > 6) logCycleDivisions_ = 5;
    else if (q > 3) logCycleDivisions_ = 2;
    else if (q > 2) logCycleDivisions_ = 1;
    else logCycleDivisions_ = 0;
    BuildLogTable();
}

void TAxis::UpdateLogLabelling()
{
    labelEveryDivision_ = fellBackToLinear_ || Log10Of(max_ / min_) * logCycleDivisions_ < 10;
}

void TAxis::SetLogMinMax()
{
    if (oMin == oMax) {
        min_ = 0.5 * oMax;
        max_ = oMax;
    } else {
        min_ = oMin;
        max_ = oMax;
    }
    const DecadeSplit low = SplitDecade(min_, false);
    const DecadeSplit high = SplitDecade(max_, true);
    if (autoStepping_) AutoLogDivisions();

    const double ratio = max_ / min_;
    if (ratio < 4) {
        fellBackToLinear_ = true;
        SetMinMax();
    } else {
        fellBackToLinear_ = false;
        if (ratio < 30) {
            const auto table = logTable_.begin();
            const auto end = table + logCycleDivisions_ + 2;
            double below = *table, above = *(end - 1);
            for (auto it = table; it != end; ++it)
                if (*it <= low.Mantissa) below = *it;
            for (auto it = end; it != table; --it)
                if (*(it - 1) >= high.Mantissa) above = *(it - 1);
            min_ = below * low.Decade;
            max_ = above * high.Decade;
        } else {
            min_ = low.Decade;
            max_ = 10 * high.Decade;
        }
    }
    UpdateLogLabelling();
}

double TAxis::GetDateStep() const
{
    return dateTickType_ == dt_custom ? GetStep() : DateStepDays(dateTickType_);
}

void TAxis::SetDateMinMax()
{
    if (!(oMax - oMin > 0) || oMin < 1.0) return;
    if (dateTickType_ == dt_custom) {
        SetMinMax();
        return;
    }
    min_ = RoundDateDown(oMin, dateTickType_);
    max_ = RoundDateUp(oMax, dateTickType_);
}

bool TAxis::Rescale()
{
    if (oMax - oMin < minScaleLength_) oMax = oMin + minScaleLength_;

    if (!HasData()) {
        bool changed = false;
        if (!logScale_) {
            if (showAsTime_) {
                const double now = owner_ ? owner_->AxisNow() : 0.0;
                max_ = now;
                min_ = now - 5 * GetDateStep();
                return true;
            }
            if (min_ == max_) {
                if (min_ == 0) {
                    min_ = -1;
                    max_ = 1;
                } else {
                    min_ = 0;
                }
                changed = true;
            } else if (min_ > max_) {
                std::swap(min_, max_);
                changed = true;
            }
            stepSize_ = GetStep();
        } else {
            if (min_ > max_) {
                std::swap(min_, max_);
                changed = true;
            }
            if (max_ <= 0) {
                min_ = 1;
                max_ = 10;
            } else if (min_ <= 0) {
                min_ = max_ / 10;
            }
            UpdateLogLabelling();
        }
        return changed;
    }
    if (!autoSizing_) return false;

    if (!logScale_) {
        if (showAsTime_) SetDateMinMax();
        else SetMinMax();
    } else if (oMin > 0) {
        SetLogMinMax();
        if (autoStepping_ && oMin < oMax && !fellBackToLinear_) {
            AutoLogDivisions();
            SetLogMinMax();
        }
    }
    return min_ != oMin || max_ != oMax;
}

bool TAxis::IsValidRange() const
{
    // A span that overflows (or an infinite end) has no pixels per unit to draw with.
    if (!(min_ < max_) || !std::isfinite(max_ - min_)) return false;
    if (logScale_ && !(min_ > 0)) return false;
    if (showAsTime_ && !(min_ >= 1.0)) return false;
    return true;
}

// The one home of what sets each member of the trend-view family apart: the measure, captions,
// its two Y axes (defaults, titles, shown flags), how the first record's head lays out the
// traces, how a chosen trace is read from a record (as columns of the record-window reader,
// pairs included), the period unit, the legend caption, how a pass scales what it plots, the
// cursor readout and the print line, the curve of the cursor record, and the traces dialog it
// opens. The trend-view frame (trend_view_form.h) does the rest from here; each member adds
// one row. The hooks are plain functions of this engine; the rows themselves, which name their
// dialogs, are made in the window library (trend_member.cpp).
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

#include "platform/little_endian.h"
#include "views/trend_layout.h"
#include "views/trend_scale.h"
#include "views/trend_window.h"

class QWidget;

// The curve the Curve command shows of the cursor record: a density curve of a phase block, the
// density curve of a chosen harmonic order, or the CPF curve of a flicker phase.
enum class TCurveKind { None, Density, HarmonicDensity, Cpf };

struct TCurveClasses {
    TCurveKind Kind = TCurveKind::None;
    int Count = 0;  // classes of a density block, values of a CPF block
    int FirstValue = 0;
    float ClassWidth = 0;
};

// One Y axis of a member: its range in a new view, its shown flag there, whether the graph shows
// the axis (with labels and title) as the settings' shown flag says or leaves it as it is, and
// its titles without prefix, in thousands and in millions ("" where the member has none).
struct TTrendAxisRow {
    float DefaultMin = 0;
    float DefaultMax = 0;
    bool ShownAtStart = false;
    bool FollowsShownFlag = false;
    std::array<std::string, 3> Titles{};
};

struct TTrendMember {
    int Measure = 0;
    std::string CaptionFormat;            // "%s": the shortened data-file path
    std::string MeasureLabel;             // "Measure: ..."
    std::array<TTrendAxisRow, 2> Axes{};  // the left Y axis, the second (right) one
    bool SecondAxis = false;              // traces may go on the second axis, which the view then sets up
    int DefaultPhase = 0;                 // the phase of a new view's traces (3: 3Ph.)
    int RightMargin = 0;                  // the graph's right margin; 0 keeps the graph's own
    std::string ErrorCaption{};           // the graph's impossible-range caption; "" keeps the graph's own
    bool XCursorAtStart = false;          // the graph's cursor line follows a click before the cursor is on
    bool LegendClearsReadouts = false;    // a traces change empties the cursor value labels
    TPeriodUnit PeriodUnit = TPeriodUnit::Minutes;
    std::string CursorFormat{};           // one "%3.Nf" and the unit, for the readouts that use a pattern
    TCurveClasses Curve{};
    // The layout from the file's first record (its bytes as stored); nothing when the record
    // cannot hold the traces it announces, and the file is then refused.
    std::optional<TTrendLayout> (*ReadLayout)(const TTrendMember& member, FieldView firstRecord) = nullptr;
    // The record columns of one chosen trace.
    TTraceRead (*ReadTrace)(const TTrendLayout& layout, const TTraceEntry& entry) = nullptr;
    // The legend text of a trace.
    std::string (*TraceCaption)(const TTrendLayout& layout, const TTraceEntry& entry) = nullptr;
    // The scale of a pass: divisors, axes and the prefix the readouts show (trend_scale.h).
    TTrendScale (*Scale)(const TTrendMember& member, const TScaleInput& input) = Unscaled;
    // The cursor value label of a trace showing `value` (as plotted) under the pass's scale.
    std::string (*CursorText)(const TTrendMember& member, const TTrendScale& scale, const TTraceEntry& entry,
                              double value) = nullptr;
    // The printed page's date line for the moment `now`.
    std::string (*PrintLine)(TDateTime now) = nullptr;

    // The member's traces dialog, shown modally over `parent` on the view's layout; true with
    // the new settings in `traces` on OK.
    bool (*EditTraces)(QWidget* parent, const TTrendMember& member, const TTrendLayout& layout,
                       TTraceSettings& traces) = nullptr;
    std::string DialogCaption{};       // the window's caption
    std::string DialogScaleCaption{};  // the (first) Y axis group's caption
};

const TTrendMember& VoltageMember();
const TTrendMember& FrequencyMember();
const TTrendMember& UnbalanceMember();
const TTrendMember& VoltageHarmonicsMember();
const TTrendMember& FlickerMember();
const TTrendMember& PowersMember();
const TTrendMember& CurrentHarmonicsMember();
const TTrendMember& EnergyMember();
// Every member, in measure order.
std::span<const TTrendMember* const> TrendMembers();
// The member of a measure, or null.
const TTrendMember* TrendMemberOf(int measure);

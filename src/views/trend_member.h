// The one home of what sets each member of the trend-view family apart: the measure, captions,
// Y title and default range, how the first record's head lays out the traces, how a chosen
// trace is read from a record (as columns of the record-window reader, pairs included), the
// period unit, the legend caption, the cursor readout, the curve of the cursor record, the
// kilovolt rule, and which traces dialog it fills with what captions. The trend-view frame
// (trend_view_form.h) does the rest from here; each later member adds one row.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "platform/little_endian.h"
#include "views/trend_layout.h"
#include "views/trend_window.h"

// The curve the Curve command shows of the cursor record: a density curve of a phase block, the
// density curve of a chosen harmonic order, or the CPF curve of a flicker phase.
enum class TCurveKind { None, Density, HarmonicDensity, Cpf };

struct TCurveClasses {
    TCurveKind Kind = TCurveKind::None;
    int Count = 0;  // classes of a density block, values of a CPF block
    int FirstValue = 0;
    float ClassWidth = 0;
};

// The traces dialog a member fills: statistic and phase per trace (TTracesDlg), or harmonic
// order, statistic and phase per trace (TTracesHrmDlg).
enum class TTracesDialogKind { StatisticPhase, HarmonicOrder };

struct TTrendMember {
    int Measure = 0;
    std::string CaptionFormat;   // "%s": the shortened data-file path
    std::string MeasureLabel;    // "Measure: ..."
    int YTitleIndex = 0;         // into YAxisTitles
    float DefaultMin = 0;
    float DefaultMax = 0;
    TPeriodUnit PeriodUnit = TPeriodUnit::Minutes;
    std::string CursorFormat;    // one "%3.Nf" and the unit
    TCurveClasses Curve;
    bool KilovoltRule = false;

    // The layout from the file's first record (its bytes as stored); nothing when the record
    // cannot hold the traces it announces, and the file is then refused.
    std::optional<TTrendLayout> (*ReadLayout)(const TTrendMember& member, FieldView firstRecord) = nullptr;
    // The record columns of one chosen trace.
    TTraceRead (*ReadTrace)(const TTrendLayout& layout, const TTraceEntry& entry) = nullptr;
    // The legend text of a trace.
    std::string (*TraceCaption)(const TTrendLayout& layout, const TTraceEntry& entry) = nullptr;

    TTracesDialogKind Dialog = TTracesDialogKind::StatisticPhase;
    std::string DialogCaption;       // the window's caption
    std::string DialogScaleCaption;  // the Y axis group's caption
};

const TTrendMember& VoltageMember();
const TTrendMember& FrequencyMember();
const TTrendMember& UnbalanceMember();
const TTrendMember& VoltageHarmonicsMember();
const TTrendMember& FlickerMember();
// Every member, in measure order.
std::span<const TTrendMember* const> TrendMembers();
// The member of a measure, or null.
const TTrendMember* TrendMemberOf(int measure);

// The cursor readout of a value: the member's format, or "%3.3f kV" for kilovolts.
std::string FormatCursorValue(const TTrendMember& member, double value, bool kilovolts);

// TTrendViewForm: the one window pattern of the eight trend views. It holds the graph, the
// legend and the view state, composes the printed frame (the header and information panels,
// printing and copying), reads the data file through the trend readers, plots the chosen
// traces, and serves the main window's traces, zoom, cursor, curve, copy and print commands. What sets a member apart is its row (TTrendMember); a member's class only names
// its row. Every view is made by CreateTrendView, which runs FormCreate.
#pragma once

#include "app/child_form.h"
#include "dialogs/elided_label.h"
#include "graph/graph_types.h"
#include "views/printed_frame.h"
#include "views/trend_buttons.h"
#include "views/trend_columns.h"
#include "views/trend_layout.h"
#include "views/trend_member.h"
#include "views/trend_reading.h"
#include "views/trend_window.h"

#include <QWidget>
#include <array>
#include <memory>

class QFrame;
class QLabel;
class TWindowRegistry;
class TzrGraph;

struct TCursorPoint {
    std::int32_t Id = 0;  // the record's position in the zoom window, from 1
    double X = 0;
    double Y = 0;
};

// A member's view of its context's selection, created and read (FormCreate run); OpenFailed()
// tells whether it could open.
template <typename Form>
std::unique_ptr<Form> CreateTrendView(const TChildContext& context, QWidget* parent = nullptr);

class TTrendViewForm : public TChildForm,
                       public TPrintable,
                       public TGraphView,
                       public TCurveSource,
                       public TValuesSource {
    Q_OBJECT
public:
    // Only CreateTrendView makes a key, so no view is made without running FormCreate; the key
    // carries the context the view is opened with.
    class CreationKey {
        explicit CreationKey(const TChildContext& context) : Context(context) {}
        const TChildContext& Context;
        friend class TTrendViewForm;
        template <typename Form>
        friend std::unique_ptr<Form> CreateTrendView(const TChildContext& context, QWidget* parent);
    };
    TTrendViewForm(CreationKey key, const TTrendMember& member, QWidget* parent);
    ~TTrendViewForm() override;

    const TTrendMember& TrendMember() const { return Member; }
    // The size a view opens and prints at; the Window menu's cascade gives it back this size
    // (the layout's own hint would shrink the graph to a thumbnail).
    QSize sizeHint() const override { return {620, 400}; }

    // What the main window's Values command copies.
    TValuesBlock ValuesBlock() const override { return Values; }
    // The first plotting met an unreadable record, or the file was refused: the view closes
    // itself when first activated (its creator may drop it at once instead).
    bool OpenFailed() const { return OpenFailed_; }

    // Main-window commands.
    void EditTraces() override;
    void SetZoom(bool zoomIn) override;
    void ToggleCursor() override;
    void ShowDensityCurve() override;
    void CopyToClipboard() override;
    void PrintView();
    void Print() override { PrintView(); }

    // Window and graph events (public so tests drive them).
    void FormActivate();
    void FormDeactivate();
    void ChartMouseDown(TMouseButton button, int x, int y);
    void ChartMouseMove(int x, int y);
    void ChartMouseUp(int x, int y);
    void ChartDblClick();
    void LegendDblClick();
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);

    // The traces dialog's result, applied as after OK (tests and the dialog share this road).
    void ApplyTraces(const TTraceSettings& traces);

    // State, read by the tests and the members.
    const TTraceSettings& Traces() const { return Values.Traces; }
    const TRecordWindow& ZoomWindow() const { return ZoomWindow_; }
    const TRecordWindow& FullWindow() const { return FullWindow_; }
    const TTrendLayout& Layout() const { return Layout_; }
    const TTrendColumns& Columns() const { return Layout_.Columns; }
    const TCursorPoint& CursorPoint() const { return CursorPoint_; }
    bool ThreePhase() const { return Layout_.ThreePhase; }
    // The prefix the last pass plotted in (kilovolts in the voltage view).
    TScalePrefix ScalePrefix() const { return Scale_.Prefix; }
    bool Zoomed() const { return Zoomed_; }
    bool ZoomMode() const { return ZoomMode_; }
    bool CursorOn() const { return CursorOn_; }
    bool AnyTrace() const { return AnyTrace_; }
    bool HasCurve() const { return Layout_.Columns.HasCurve; }
    TDateTime CurveTime() const { return CurveTime_; }
    std::uint32_t ZoomRecords() const { return ZoomRecords_; }

    // Controls: the header and information panels are the frame's.
    TPrintedFrame Frame;
    TzrGraph* Chart;
    QLabel* ImageToPrint;
    QFrame* PanelLegend;
    QLabel *PanelTitle, *LabelTime, *LabelCursTime;
    std::array<TElidedLabel*, kTraceCount> LegendLabels{};  // Label1 to Label6
    std::array<QLabel*, kTraceCount> CursorLabels{};  // LabelCurs1 to LabelCurs6
    QFrame* BevelZoom;
    QLabel *LabelZoomIni, *LabelZoomCurIni, *LabelZoomEnd, *LabelZoomCurEnd, *LabelRecordsZoom, *ImageZoom;

protected:
    // File head, full window, statistics, columns, head labels; false when the file is refused.
    bool ReadDataHeader();
    void SetupAxes();
    bool LoadAndPlot();
    void UpdateLegend();
    std::string TraceCaption(int index) const;
    // The member's traces dialog; true with the new settings on OK.
    bool RunTracesDialog(TTraceSettings& traces);
    // The recording period's texts and gap unit.
    TTrendPeriod Period() const { return DescribePeriod(Member.PeriodUnit, Layout_.Period); }

    void UpdateZoomButtons();
    void UpdateCursorButtons();
    void DrawZoomBand(int x, int y, int phase);
    void ApplyZoom();
    void FormResize();

    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    const TTrendMember& Member;
    TValuesBlock Values;  // SurveyName, FileInfo, InfoPrint, PeriodRecords, Traces
    TTrendLayout Layout_; // RecordHead, ThreePhase, the period, StatNames, Columns, the curve block
    TRecordWindow ZoomWindow_;
    TRecordWindow FullWindow_;
    TIntervalTimes IntervalTimes_;  // from the reading at creation
    TCursorPoint CursorPoint_;
    std::uint32_t ZoomRecords_ = 0;
    bool ZoomMode_ = false;
    bool Banding = false;
    bool Zoomed_ = false;
    bool CursorOn_ = false;
    bool AnyTrace_ = false;
    bool OpenFailed_ = false;
    TTrendScale Scale_;  // the last pass's scale; its kept prefix carries into the next pass
    TDateTime CurveTime_ = 0;
    int BandStart = 0, BandEnd = 0;

private:
    template <typename Form>
    friend std::unique_ptr<Form> CreateTrendView(const TChildContext& context, QWidget* parent);
    // Creation in the family's order, run once by CreateTrendView.
    void FormCreate();
    void BuildControls();
    // The Y axes from the scale in force.
    void ApplyYAxis();
    // The scale of a pass whose traces reached `highest`.
    void DecideScale(const std::array<double, kTraceCount>& highest);
    void ConfigureTraceSeries();
    // The main window's buttons this view drives, published from its state.
    TTrendButtons Buttons() const;
    void PublishButtons();
    void ShowZoomLabels(bool shown);
    void ShowCursorValues(std::uint32_t id);
    void WatchActivation();

    bool watchingActivation_ = false;
};

template <typename Form>
std::unique_ptr<Form> CreateTrendView(const TChildContext& context, QWidget* parent)
{
    std::unique_ptr<Form> view(new Form(TTrendViewForm::CreationKey(context), parent));
    view->FormCreate();
    return view;
}

// The view for the main window: null (after its message) when it could not open.
template <typename Form>
TChildForm* OpenTrendView(const TChildContext& context, QWidget* parent)
{
    std::unique_ptr<Form> view = CreateTrendView<Form>(context, parent);
    return view->OpenFailed() ? nullptr : view.release();
}

// Registers the trend views the main window opens for a ticked measure.
void RegisterTrendViews(TWindowRegistry& registry);

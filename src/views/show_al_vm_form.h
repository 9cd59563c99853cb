// TShowAlVmForm: the waveform view (view kind 18). One waveform record of the voltage-samples
// file at a time, its chosen traces on the waveform chart (voltages left, currents right), the
// legend with the record's date, time and number, the trigger grid of type-12 files, and the
// printed frame. Which record is shown is its navigation (views/waveform_navigation.h); the
// traces, scaling, trigger and toolbar rules are engine functions the view only applies. The
// main window reaches it through its graph, navigator, printing and values capabilities.
#pragma once

#include "app/child_form.h"
#include "survey/samples_record.h"
#include "views/printed_frame.h"
#include "views/waveform_navigation.h"
#include "views/waveform_traces.h"
#include "views/waveform_triggers.h"

#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QTimer;
class TElidedLabel;
class TTriggerGridView;
class TWaveformChart;
class TWindowRegistry;

class TShowAlVmForm : public TChildForm,
                      public TPrintable,
                      public TGraphView,
                      public TValuesSource,
                      public TWaveformNavigator {
    Q_OBJECT
public:
    // Opens the samples file of the context's selection and shows the period's first record;
    // OpenFailed() after its message when the file cannot be read or the period holds no record.
    explicit TShowAlVmForm(const TChildContext& context, QWidget* parent = nullptr);
    ~TShowAlVmForm() override;

    bool OpenFailed() const { return OpenFailed_; }
    // The size a view opens and prints at.
    QSize sizeHint() const override { return {620, 400}; }

    // Main-window commands.
    void EditTraces() override;
    void SetZoom(bool zoomIn) override;
    void ToggleCursor() override;
    void CopyToClipboard() override;
    void PrintView();
    void Print() override { PrintView(); }
    TValuesBlock ValuesBlock() const override { return Values; }

    // The event toolbar and the events list's road.
    void TogglePanMode() override;
    void ShowFullRange() override;
    void GoToFirstEvent() override;
    void GoToPreviousEvent() override;
    void ToggleAutoBackward() override;
    void ToggleAutoForward() override;
    void GoToNextEvent() override;
    void GoToLastEvent() override;
    void GoToEventNumber(int number) override;
    void GoToEventOffset(std::int32_t offset) override;
    void GoToEventTime(double eventTime) override;
    std::string SamplesFilePath() const override { return Values.FileInfo.FileName; }
    bool PeriodHolds(double eventTime) const override { return Navigation_.PeriodHolds(eventTime); }

    // The traces dialog's result, applied as after OK (tests and the dialog share this road).
    void ApplyTraces(const TTraceSettings& traces);
    // Window and chart events, public so tests drive them: a cursor click at a time (ms), the
    // legend's double-click, a key, one tick of the stepping timer.
    void ChartPress(double x);
    void LegendDblClick() { EditTraces(); }
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);
    void StepTimerTick();

    // State, read by the tests.
    const TWaveformNavigation& Navigation() const { return Navigation_; }
    const std::optional<TSamplesRecord>& Record() const { return Record_; }
    const TTraceSettings& Traces() const { return Values.Traces; }
    const TTraceChannels& TraceChannels() const { return TraceChannels_; }
    const TTriggerGrid& TriggerGrid() const { return TriggerGrid_; }
    bool AnyTrace() const { return AnyTrace_; }
    bool CursorOn() const { return CursorOn_; }
    int CursorIndex() const { return CursorIndex_; }
    bool ZoomMode() const;
    bool Zoomed() const;
    bool PanMode() const;
    bool ThreePhase() const;
    bool StepTimerActive() const;

    // Controls: the header and information panels are the frame's.
    TPrintedFrame Frame;
    TWaveformChart* Chart;
    QFrame* PanelLegend;
    QLabel *PanelTitle, *LabelIniDate, *LabelIniTime, *LabelNRecCurr1, *LabelTime, *LabelCursTime;
    std::array<TElidedLabel*, kTraceCount> LegendLabels{};  // Label1 to Label6
    std::array<QLabel*, kTraceCount> CursorLabels{};       // LabelCurs1 to LabelCurs6
    QLabel* LabelTrg;
    TTriggerGridView* TriggerGridView;
    // The trigger labels, shown only on the printed page and in the copied picture.
    QFrame* PanelTrg;
    std::array<QLabel*, kTriggerEntriesShown> TriggerLabelsShown{};  // Label1trg to Label3trg

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildLegend();
    void FormCreate();
    bool OpenSamplesFile();
    // Reads and shows the record of the current number; every move ends here.
    void ShowCurrentEvent();
    bool ReadSamplesRecord();
    void PlotSamples();
    void UpdateLegend();
    void UpdateTriggerGrid();
    void UpdateCaption();
    void PublishButtons();
    // The cursor's line and values at sample k of the record.
    void ShowCursorAt(int k);
    void ClearCursorLabels();
    void SyncStepTimer();
    // The filled trigger cells' hints in their colours, for the page and the copy.
    void ShowTriggerLabels();
    // After a move: shows the record when the number changed.
    void Moved(bool changed);

    TValuesBlock Values;  // survey, slot 8, info lines, period count, traces, event number and offset
    TWaveformNavigation Navigation_;
    std::uint8_t FileType_ = 0;
    std::optional<TSamplesRecord> Record_;
    TDateTime RecordTime_ = 0;
    TWaveformTraceMemory TraceMemory_;
    std::vector<std::string> TraceNames_{"none"};
    TTraceChannels TraceChannels_{};
    std::array<std::vector<double>, kTraceCount> Plotted_{};  // each trace's values as plotted
    TTriggerGrid TriggerGrid_{};
    QTimer* StepTimer;
    int CursorIndex_ = 0;
    bool CursorOn_ = false;
    bool AnyTrace_ = false;
    bool OpenFailed_ = false;
};

// Registers the waveform view for the samples measure, and the survey lookup of the events
// list's road to a waveform.
void RegisterWaveformView(TWindowRegistry& registry);

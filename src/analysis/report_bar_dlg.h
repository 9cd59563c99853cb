// TReportBarDlg: the bar report, a modal dialog on an analysis report file. For one window of
// days it shows each analysed measure as gradient bars (the share of records inside the limits,
// or the events counted against their maximum), steps by day, to a chosen date and to the next
// or previous failed window, switches the harmonic channel and event category shown, and prints
// itself on one page. Its rules are bar_report.h; the main window's Show Bar Report road opens it
// on the report file last opened or activated.
#pragma once

#include "analysis/bar_report.h"
#include "dialogs/fixed_dialog.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class TGradGauge;
class TWindowRegistry;

class TReportBarDlg : public FixedDialog {
    Q_OBJECT
public:
    explicit TReportBarDlg(QWidget* parent = nullptr);
    ~TReportBarDlg() override;

    // Reads the report and shows its first window; false, after the message, for a file that is
    // missing or no sound report (the dialog is then not shown).
    bool LoadBarReport(const std::string& fileName);
    const TBarReport& Model() const { return *model_; }

    QLineEdit* EditDate;
    QToolButton *BtnDayPrev, *BtnDayNext, *BtnFailPrev, *BtnFailNext, *BtnSetDate;
    QLabel* Led;  // shown when a measure's window of the shown day failed
    QLabel* LabelDuration;
    QPushButton* BtnPrint;
    QLabel *PanelVoltage, *PanelFrequency1, *PanelFrequency2, *PanelUnbalance, *PanelHarmonics, *PanelFlicker,
        *PanelEvents;
    QToolButton *BtnPopupHarm, *BtnPopupEvent;
    QMenu *HarmMenu, *EventMenu;
    // The events scale's middle and right marks.
    QLabel *LabelEventsMiddle, *LabelEventsRight;

    // The bars of a measure (1 to 6), in the order TBarReport::Bars gives their looks.
    const std::vector<TGradGauge*>& Bars(int measure) const { return bars_.at(static_cast<std::size_t>(measure - 1)); }

    void BtnDayPrevClick();
    void BtnDayNextClick();
    // The date picker on the shown date; a date on which no window starts is ignored.
    void BtnSetDateClick();
    void BtnFailPrevClick();
    void BtnFailNextClick();
    void BtnPrintClick();
    // A harmonic channel or event category chosen in its menu.
    void HarmonicChosen(int channel);
    void EventCategoryChosen(int category);

private:
    void BuildPanels(QWidget* client);
    void BuildMenus();
    void FindFailedDate(bool forward);
    // The date field, the four navigation buttons and the bars of the shown day.
    void ShowDate();
    void ShowBarCaptions();
    void ShowWindowBars();
    void ShowEventScale();
    void PopUp(QMenu* menu, QToolButton* button, QLabel* panel);

    std::unique_ptr<TBarReport> model_;
    std::array<std::vector<QLabel*>, kAnalysisMeasures> panels_;
    std::array<std::vector<TGradGauge*>, kAnalysisMeasures> bars_;
};

// Sets the main window's Show Bar Report road: the dialog on the report file, shown modal.
void RegisterBarReport(TWindowRegistry& registry);

// TShowAlaForm: the events list (view kind 16), an MDI child showing the events of the survey's
// period as a sheet, one event per row, filtered by the user's TEventFilter: the header panel
// with the period and the survey, the "System Events" button once a system event was met, the
// main window's Traces Settings (the filter dialog), Print and Save Sheet As, and a double-click
// on a date that asks the child's context for the waveform captured at the event (or beeps).
// The list's data is events_list.h. Registered for the events measure.
#pragma once

#include "sheet/sheet_window.h"
#include "views/event_filter.h"
#include "views/events_list.h"

#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class TWindowRegistry;

class TShowAlaForm : public TSheetWindow, public TEventsFilter {
    Q_OBJECT
public:
    explicit TShowAlaForm(const TChildContext& context, QWidget* parent = nullptr);
    ~TShowAlaForm() override;

    // The filter dialog; on OK the rows are written again with the new filter.
    void EditEventsFilter() override;
    void PrintSheet() override;
    // A double-click on a cell (row and column of the sheet).
    void GridDblClick(int row, int col);
    // The system events of the period in their modal window.
    void BtnSysEventsClick();

    const TEventFilter& Filter() const { return Filter_; }
    const TEventsList& List() const { return *List_; }

    QFrame* PanelTop;
    QLabel *LabelIni, *LabelEnd, *LabelNRec, *LabelFiltered;
    QLabel *LabelDescr, *LabelSite, *LabelOperator;
    QPushButton* BtnSysEvents;

protected:
    void SheetSaved(const std::string&) override {}  // the caption names the events file, not the sheet
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildHeaderPanel();
    // Sets the sheet up, fills and formats it with the hourglass and the progress window.
    void FillEventsGrid();
    void FormResize();

    std::unique_ptr<TEventsList> List_;
    TEventFilter Filter_;
};

TChildForm* OpenEventsList(const TChildContext& context, QWidget* parent);
void RegisterEventsList(TWindowRegistry& registry);

// TShowValuesForm: the values sheet window (view kind 25), the MDI child that Show Values opens
// on the active view's values block. While the sheet is made (values_sheet.h) the window shows
// the job's message, bar and Abort, and the rest of the program stays usable; then it grows,
// shows the sheet, and serves Print and Save Sheet As, which stay off until then. Abort, a
// cancelled harmonics picker or a period without records close it. Registered as the main
// window's values-sheet road.
#pragma once

#include "export/values_sheet.h"
#include "sheet/sheet_window.h"

#include <memory>

class TJobPanel;
class TWindowRegistry;

class TShowValuesForm : public TSheetWindow {
    Q_OBJECT
public:
    explicit TShowValuesForm(const TChildContext& context, QWidget* parent = nullptr);
    ~TShowValuesForm() override;

    // Copies the block and starts the sheet over the period of the window's context, which is
    // the view's own.
    void StartValuesExport(const TValuesBlock& block, int measureKind);
    // Print and Save Sheet As of a finished sheet; nothing before.
    void PrintSheet() override;
    void SaveSheetAs() override;

    // The sheet is shown (the job ended with rows to show).
    bool SheetFinished() const { return finished_; }
    // The sheet's selection spans more than one cell: printing asks what to print.
    bool RangeSelected() const;
    const TValuesSheetJob* Job() const { return job_.get(); }

    TJobPanel* JobPanel = nullptr;  // "Converting data...", the bar and "&Abort"

protected:
    void SheetSaved(const std::string& path) override;

private:
    void JobEnded();
    void FinishValuesSheet();
    // Closes the window once the tick that decided it has returned.
    void CloseLater();

    std::unique_ptr<TValuesSheetJob> job_;
    TValuesBlock block_;
    int kind_ = 0;
    bool finished_ = false;
};

// The values sheet of a view's values block, its context on the view's selection.
TChildForm* OpenValuesSheet(const TChildContext& context, const TValuesBlock& block, int measureKind);
void RegisterValuesSheet(TWindowRegistry& registry);

// The MDI main window: menus, toolbars, status-bar hints, the Window and Help commands, the
// recent-files menus, and the program's folders and date formats for the run. It owns the
// registry of the windows it opens, gives each child its context and serves the context's
// calls (TChildServices), and shows on its toolbar the command state the active child publishes.
#pragma once

#include "app/child_context.h"
#include "app/command_routing.h"
#include "app/command_state.h"
#include "app/communication_manager.h"
#include "app/recent_files.h"
#include "app/window_registry.h"
#include "platform/messages.h"

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QDialog;
class TSelDataDlg;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSpinBox;
class QToolBar;
class TChildForm;
class TWaveformNavigator;

class TMainForm : public QMainWindow, public TChildServices {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Fields besides the controls.
    int UntitledSetupCount = 0;
    std::string SavedShortDateFormat;
    RecentFiles Recent;
    int CurrentEventNumber = 1;
    std::string ReportFileName;
    // The windows this main window opens, registered by the program after creating it.
    TWindowRegistry WindowRegistry;

    QMdiArea* MdiArea;
    QLabel* StatusPanel0;
    QLabel* StatusPanel1;

    // Menus.
    QMenu *MFile, *MTransfer, *MView, *MAnalysis, *MWindow, *MHelp;
    QMenu *MReopenSurvey, *MReopenAnalysis, *MReopenReport, *MReopenSummary, *MReopenSheet;
    QMenu *GraphPopup, *ReportPopup, *SummaryPopup, *SheetPopup;

    // Menu items.
    QAction *ItemNewSetup, *ItemOpenSetup, *ItemSaveSetup, *ItemSaveSetupAs, *ItemExport, *ItemPrint,
        *ItemPrinterSetup, *ItemExit;
    QAction *ItemRead, *ItemRunComm, *ItemImport;
    QAction *ItemOpenSurvey, *ItemSettings, *ItemCopyClip;
    QAction *ItemRunAnalysis, *ItemOpenReport, *ItemFailed, *ItemBarReport, *ItemSummary, *ItemOpenSheet,
        *ItemSaveSheetAs;
    QAction *ItemCascade, *ItemTileHoriz, *ItemTileVert, *ItemArrangeIcons, *ItemClose, *ItemCloseAll;
    QAction *ItemContents, *ItemAbout;

    // Toolbars and their buttons (separate actions from the menu items: they are enabled apart).
    QToolBar *ToolBar, *ToolBar2, *ToolBarGraph, *ToolBarEvents;
    QAction *BtnNew, *BtnOpen, *BtnSave, *BtnExport, *BtnRead, *BtnComm, *BtnRepos, *BtnSurvey;
    QAction *BtnAnalysis, *BtnReport, *BtnFailed, *BtnBarReport, *BtnSummary, *BtnOpenSheet, *BtnSaveSheet,
        *BtnCopyClip, *BtnPrint, *BtnHelp, *BtnExit;
    QAction *BtnTraces, *BtnZoomIn, *BtnZoomOut, *BtnMeas, *BtnValues, *BtnCurve;
    QAction *BtnFirst, *BtnPrec, *BtnPrecTimer, *BtnNextTimer, *BtnNext, *BtnLast, *BtnHand, *BtnFull, *BtnEvent;
    QSpinBox* SpinEdit;

    // The active child window, or null.
    TChildForm* ActiveChild() const;
    // The context of a child opened now: a copy of the program-wide selection, and this window's
    // services; ContextOn gives one on another selection.
    TChildContext ChildContext() { return ContextOn(SurveySelection()); }
    TChildContext ContextOn(const TSurveySelection& selection) { return TChildContext(selection, *this); }
    // Shows a child in the MDI area at its own client size, placed wholly inside the area when
    // it fits there; its published command state shows whenever it is the active child.
    QMdiSubWindow* AddChild(TChildForm* child);
    // Sets the buttons and items a child drives to a child's state (the default: all off).
    void ApplyCommandState(const TCommandState& state);

    void EnableMainCommands();
    void WidenDateFormat();
    void LoadRecentFiles(const std::string& path);
    void SaveRecentFiles(const std::string& path);
    void BuildRecentMenus();
    // Puts a path at the top of a list and rebuilds the menus.
    void AddRecent(RecentList list, const std::string& path);
    // The reopen rule: an existing file moves to the top and is returned, every child window
    // restored to normal size; a missing one is reported ("Unable to open the file.") and
    // dropped from the list.
    std::optional<std::string> TakeRecentForReopen(RecentList list, int index);

    // Menu on-open handlers.
    void MFileClick();
    void MViewClick();
    void MAnalysisClick();
    void MWindowClick();

    // Frame commands.
    void ItemPrinterSetupClick();
    void ItemExitClick();
    void ItemContentsClick();
    void ItemAboutClick();
    void ItemCascadeClick();
    void ItemTileHorizClick();
    void ItemTileVertClick();
    void ItemArrangeIconsClick();
    void ItemCloseClick();
    void ItemCloseAllClick();

    // Commands routed to the active child by its view kind.
    void ItemPrintClick();
    void ItemSettingsClick();
    void ItemCopyClipClick();
    void ItemSaveSheetAsClick();
    void ItemFailedClick();
    void BtnZoomInClick();
    void BtnZoomOutClick();
    void BtnMeasClick();
    void BtnCurveClick();
    void BtnValuesClick();
    // Runs a routed command on the active child; false when it does not apply.
    bool RouteToActiveChild(Command command);

    // The waveform view's event toolbar (acts on an active waveform view only).
    void BtnHandClick();
    void BtnFullClick();
    void BtnFirstClick();
    void BtnPrecClick();
    void BtnPrecTimerClick();
    void BtnNextTimerClick();
    void BtnNextClick();
    void BtnLastClick();
    void BtnEventClick();
    void SpinEditEnter();

    void ItemRunCommClick();
    // Replaced in tests; the real one starts programs detached.
    ProgramStarter* Starter;

    // The setup commands, disabled from start-up and enabled by nothing: setup files come from
    // the recorder's own software. They open the setup editor when it is registered.
    void ItemNewSetupClick();
    void ItemOpenSetupClick();
    void ItemSaveSetupClick();
    void ItemSaveSetupAsClick();
    // Export wizard, then the exporter.
    void ItemExportClick();
    void ItemReadClick();
    void ItemImportClick();
    // The floppy disk loop: true unless it ended with an error or an abort.
    bool ReadFloppyArchives(char drive, std::uint16_t& mask);
    // The save wizard for received data, then the offer to open the survey.
    void StoreReceivedData(std::uint16_t mask);

    // Survey roads.
    void OpenSurveyViews();
    // Shows the waveform of an event chosen in the events list: an open waveform view of the
    // same samples file whose own period holds the event, else a new view on the survey that
    // owns the file.
    void ShowSamplesAt(const std::string& path, bool truncated, TDateTime eventTime, TDateTime start, TDateTime stop,
                       std::int32_t offset) override;
    // Show Values, and a child's own call: the values sheet of a block over the period of the
    // selection the child was opened on.
    void OpenValuesSheet(const TSurveySelection& selection, const TValuesBlock& block, int measureKind) override;
    // After a completed save of received data: "Open Survey now ?", then the wizard on it.
    void OfferToOpenSurvey(const std::string& surveyFile);
    // Restores every child to normal size (none stays maximised or minimised).
    void RestoreChildren();
    // Runs a modal dialog; tests replace it to drive the dialog and answer.
    std::function<int(QDialog&)> ExecModal;
    void ItemOpenSurveyClick();
    // Analysis wizard, the engine, and the saved report in its window.
    void ItemRunAnalysisClick();
    void RunAnalysis(bool& saved, std::string& reportName);
    void ItemOpenReportClick();
    void ItemBarReportClick();
    // Summary wizard, the engine, and the summary report window.
    void ItemSummaryClick();
    void ItemOpenSheetClick();
    // Opens a report or sheet file in its window (when that window exists in this build).
    // True when the window opened (a file it cannot show gives its own message).
    bool OpenDocument(TViewKind kind, const std::string& path);
    void OpenDocumentFromDialog(const FileDialogRequest& request, RecentList list, TViewKind kind);
    void ReopenDocument(RecentList list, TViewKind kind, int index);
    void ItemReopenSurveyClick(int index);
    void ItemReopenReportClick(int index);
    void ItemReopenSummaryClick(int index);
    void ItemReopenSheetClick(int index);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void CreateMenus();
    void CreateToolBars();
    void CreateStatusBar();
    void FillRecentMenu(QMenu* menu, QMenu* popup, RecentList list);
    // A child's waveform navigation when it is the waveform view, and the active child's.
    static TWaveformNavigator* Waveform(TChildForm* child);
    TWaveformNavigator* ActiveWaveform() const { return Waveform(ActiveChild()); }
    // Runs an event toolbar command on the active waveform view.
    void RunOnWaveform(const std::function<void(TWaveformNavigator&)>& command);
    // Shows the active child's command state; after every routed command too, since a toggle
    // button flips itself when clicked.
    void RefreshCommandState();
    std::unique_ptr<ProgramStarter> ownStarter_;
    // Shows the selection wizard (preset on a survey when given); on Finish records the survey
    // in the recent list and opens its views.
    void RunSurveySelection(const std::string& presetPath);
    // The summary road from the wizard on (preset on a survey when given).
    void RunSummary(const std::string& presetSurvey);
};

// The one main window of the run.
extern TMainForm* MainForm;

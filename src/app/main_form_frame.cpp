// Main window: building its menus, toolbars and status bar.
#include "app/main_form.h"

#include "app/tool_icons.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {
// Menu item with its handler.
template <typename Handler>
QAction* AddItem(QMenu* menu, const char* caption, TMainForm* form, Handler handler, bool enabled = true)
{
    QAction* item = menu->addAction(caption);
    item->setEnabled(enabled);
    QObject::connect(item, &QAction::triggered, form, handler);
    return item;
}

// Toolbar button: an action of its own with its hint, disabled until start-up enables it.
template <typename Handler>
QAction* AddButton(QToolBar* bar, const char* hint, const QIcon& icon, TMainForm* form, Handler handler)
{
    QAction* button = bar->addAction(icon, hint);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setEnabled(false);
    QObject::connect(button, &QAction::triggered, form, handler);
    return button;
}

void GiveDropDown(QToolBar* bar, QAction* button, QMenu* popup)
{
    if (auto* tool = qobject_cast<QToolButton*>(bar->widgetForAction(button))) {
        tool->setMenu(popup);
        tool->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

QToolBar* NewBar(TMainForm* form, const char* title, const char* name)
{
    auto* bar = new QToolBar(title, form);
    bar->setObjectName(name);
    bar->setIconSize(QSize(24, 24));
    bar->setMovable(true);
    bar->setFloatable(false);
    form->addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}
}  // namespace

void TMainForm::CreateMenus()
{
    using F = TMainForm;
    MFile = menuBar()->addMenu("&File");
    ItemNewSetup = AddItem(MFile, "&New Setup", this, &F::ItemNewSetupClick, false);
    ItemOpenSetup = AddItem(MFile, "&Open Setup...", this, &F::ItemOpenSetupClick, false);
    ItemSaveSetup = AddItem(MFile, "&Save Setup", this, &F::ItemSaveSetupClick, false);
    ItemSaveSetupAs = AddItem(MFile, "Save Setup &As...", this, &F::ItemSaveSetupAsClick, false);
    MFile->addSeparator();
    ItemExport = AddItem(MFile, "E&xport Survey...", this, &F::ItemExportClick);
    MFile->addSeparator();
    ItemPrint = AddItem(MFile, "&Print", this, &F::ItemPrintClick);
    ItemPrinterSetup = AddItem(MFile, "Prin&ter Setup...", this, &F::ItemPrinterSetupClick);
    MFile->addSeparator();
    ItemExit = AddItem(MFile, "&Exit", this, &F::ItemExitClick);
    connect(MFile, &QMenu::aboutToShow, this, &F::MFileClick);

    MTransfer = menuBar()->addMenu("&Transfer");
    ItemRead = AddItem(MTransfer, "&Read Archives from floppy", this, &F::ItemReadClick);
    ItemRunComm = AddItem(MTransfer, "Run &Communication Manager", this, &F::ItemRunCommClick);
    MTransfer->addSeparator();
    ItemImport = AddItem(MTransfer, "&Import Archives from repository", this, &F::ItemImportClick);

    MView = menuBar()->addMenu("&View");
    ItemOpenSurvey = AddItem(MView, "Open &Survey...", this, &F::ItemOpenSurveyClick);
    ItemSettings = AddItem(MView, "Se&ttings...", this, &F::ItemSettingsClick);
    MReopenSurvey = MView->addMenu("&Reopen Survey");
    MReopenSurvey->addAction("(empty)")->setEnabled(false);
    MView->addSeparator();
    ItemCopyClip = AddItem(MView, "&Copy to Clipboard", this, &F::ItemCopyClipClick);
    connect(MView, &QMenu::aboutToShow, this, &F::MViewClick);

    MAnalysis = menuBar()->addMenu("&Analysis");
    ItemRunAnalysis = AddItem(MAnalysis, "&Run Compliance Analysis", this, &F::ItemRunAnalysisClick);
    ItemOpenReport = AddItem(MAnalysis, "&Open Analysis Report...", this, &F::ItemOpenReportClick);
    ItemFailed = AddItem(MAnalysis, "Show &Failed Intervals", this, &F::ItemFailedClick);
    ItemBarReport = AddItem(MAnalysis, "Show &Bar Report", this, &F::ItemBarReportClick);
    MAnalysis->addSeparator();
    ItemSummary = AddItem(MAnalysis, "&Create Survey Summary", this, &F::ItemSummaryClick);
    MAnalysis->addSeparator();
    ItemOpenSheet = AddItem(MAnalysis, "Op&en Sheet...", this, &F::ItemOpenSheetClick);
    ItemSaveSheetAs = AddItem(MAnalysis, "Save Sheet &As...", this, &F::ItemSaveSheetAsClick);
    MReopenAnalysis = MAnalysis->addMenu("Reope&n");
    MReopenReport = MReopenAnalysis->addMenu("Analysis Report");
    MReopenSummary = MReopenAnalysis->addMenu("Survey Summary");
    MReopenSheet = MReopenAnalysis->addMenu("Sheet");
    for (QMenu* m : {MReopenReport, MReopenSummary, MReopenSheet}) m->addAction("(empty)")->setEnabled(false);
    connect(MAnalysis, &QMenu::aboutToShow, this, &F::MAnalysisClick);

    MWindow = menuBar()->addMenu("&Window");
    ItemCascade = AddItem(MWindow, "&Cascade", this, &F::ItemCascadeClick);
    ItemTileHoriz = AddItem(MWindow, "Tile &Horizontally", this, &F::ItemTileHorizClick);
    ItemTileVert = AddItem(MWindow, "Tile &Vertically", this, &F::ItemTileVertClick);
    ItemArrangeIcons = AddItem(MWindow, "Arrange &Icons", this, &F::ItemArrangeIconsClick);
    ItemClose = AddItem(MWindow, "Clos&e", this, &F::ItemCloseClick);
    ItemCloseAll = AddItem(MWindow, "Close &All", this, &F::ItemCloseAllClick);
    connect(MWindow, &QMenu::aboutToShow, this, &F::MWindowClick);
    // The open children are listed below the commands.
    MWindow->addSeparator();
    connect(MWindow, &QMenu::aboutToShow, this, [this] {
        for (QAction* a : MWindow->actions())
            if (a->data().toString() == "child") MWindow->removeAction(a), a->deleteLater();
        int n = 1;
        for (QMdiSubWindow* sub : MdiArea->subWindowList()) {
            // A caption's "&" (Power & Current, a folder name) is text, not a mnemonic.
            QString caption = sub->windowTitle();
            QAction* a = MWindow->addAction(QString("&%1 %2").arg(n++).arg(caption.replace('&', "&&")));
            a->setData("child");
            a->setCheckable(true);
            a->setChecked(sub == MdiArea->activeSubWindow());
            connect(a, &QAction::triggered, this, [this, sub] { MdiArea->setActiveSubWindow(sub); });
        }
    });

    MHelp = menuBar()->addMenu("&Help");
    ItemContents = AddItem(MHelp, "&Contents", this, &F::ItemContentsClick);
    ItemContents->setShortcut(QKeySequence(Qt::Key_F1));
    ItemAbout = AddItem(MHelp, "&About", this, &F::ItemAboutClick);

    GraphPopup = new QMenu(this);
    ReportPopup = new QMenu(this);
    SummaryPopup = new QMenu(this);
    SheetPopup = new QMenu(this);
}

void TMainForm::CreateToolBars()
{
    using F = TMainForm;
    QStyle* s = style();
    const QColor setup(110, 110, 110), transfer(30, 110, 180), survey(20, 140, 90), analysis(190, 90, 20),
        sheet(40, 120, 40), graph(90, 60, 160), event(150, 40, 90);

    ToolBar = NewBar(this, "Commands", "ToolBar");
    BtnNew = AddButton(ToolBar, "New Setup", s->standardIcon(QStyle::SP_FileIcon), this, &F::ItemNewSetupClick);
    BtnOpen = AddButton(ToolBar, "Open Setup...", s->standardIcon(QStyle::SP_DialogOpenButton), this,
                        &F::ItemOpenSetupClick);
    BtnSave = AddButton(ToolBar, "Save Setup", s->standardIcon(QStyle::SP_DialogSaveButton), this,
                        &F::ItemSaveSetupClick);
    ToolBar->addSeparator();
    BtnExport = AddButton(ToolBar, "Export Survey", GlyphIcon("XL", sheet), this, &F::ItemExportClick);
    ToolBar->addSeparator();
    BtnRead = AddButton(ToolBar, "Read Archives from floppy", s->standardIcon(QStyle::SP_DriveFDIcon), this,
                        &F::ItemReadClick);
    BtnComm = AddButton(ToolBar, "Run RiveDuzo", GlyphIcon("RD", transfer), this, &F::ItemRunCommClick);
    BtnRepos = AddButton(ToolBar, "Import Archives from repository", GlyphIcon("Rp", transfer), this,
                         &F::ItemImportClick);
    ToolBar->addSeparator();
    BtnSurvey = AddButton(ToolBar, "Open Survey...", ProgramIcon(), this, &F::ItemOpenSurveyClick);
    GiveDropDown(ToolBar, BtnSurvey, GraphPopup);

    addToolBarBreak(Qt::TopToolBarArea);
    ToolBar2 = NewBar(this, "Commands", "ToolBar2");
    BtnAnalysis = AddButton(ToolBar2, "Run Compliance Analysis", GlyphIcon("An", analysis), this,
                            &F::ItemRunAnalysisClick);
    BtnReport = AddButton(ToolBar2, "Open Analysis Report...", GlyphIcon("Rep", analysis), this,
                          &F::ItemOpenReportClick);
    GiveDropDown(ToolBar2, BtnReport, ReportPopup);
    BtnFailed = AddButton(ToolBar2, "Show Failed Intervals", GlyphIcon("!", analysis), this, &F::ItemFailedClick);
    BtnBarReport = AddButton(ToolBar2, "Show Bar Report", GlyphIcon("|||", analysis), this,
                             &F::ItemBarReportClick);
    BtnSummary = AddButton(ToolBar2, "Create Survey Summary", GlyphIcon("S", survey), this, &F::ItemSummaryClick);
    GiveDropDown(ToolBar2, BtnSummary, SummaryPopup);
    ToolBar2->addSeparator();
    BtnOpenSheet = AddButton(ToolBar2, "Open Sheet...", GlyphIcon("Sh", sheet), this, &F::ItemOpenSheetClick);
    GiveDropDown(ToolBar2, BtnOpenSheet, SheetPopup);
    BtnSaveSheet = AddButton(ToolBar2, "Save Sheet As...", s->standardIcon(QStyle::SP_DialogSaveButton), this,
                             &F::ItemSaveSheetAsClick);
    ToolBar2->addSeparator();
    BtnCopyClip = AddButton(ToolBar2, "Copy to Clipboard", GlyphIcon("Cp", setup), this, &F::ItemCopyClipClick);
    BtnPrint = AddButton(ToolBar2, "Print", GlyphIcon("Pr", setup), this, &F::ItemPrintClick);
    ToolBar2->addSeparator();
    BtnHelp = AddButton(ToolBar2, "Help", s->standardIcon(QStyle::SP_DialogHelpButton), this,
                        &F::ItemContentsClick);
    ToolBar2->addSeparator();
    BtnExit = AddButton(ToolBar2, "Exit", s->standardIcon(QStyle::SP_DialogCloseButton), this, &F::ItemExitClick);

    addToolBarBreak(Qt::TopToolBarArea);
    ToolBarGraph = NewBar(this, "Graphic Commands", "ToolBarGraph");
    BtnTraces = AddButton(ToolBarGraph, "Traces Settings...", GlyphIcon("Tr", graph), this, &F::ItemSettingsClick);
    BtnZoomIn = AddButton(ToolBarGraph, "Zoom In", GlyphIcon("+", graph), this, &F::BtnZoomInClick);
    BtnZoomOut = AddButton(ToolBarGraph, "Zoom Out", GlyphIcon("-", graph), this, &F::BtnZoomOutClick);
    BtnMeas = AddButton(ToolBarGraph, "Measure Cursor", GlyphIcon("|", graph), this, &F::BtnMeasClick);
    BtnValues = AddButton(ToolBarGraph, "Show Values", GlyphIcon("123", graph), this, &F::BtnValuesClick);
    BtnCurve = AddButton(ToolBarGraph, "Show CPF Curve", GlyphIcon("%", graph), this, &F::BtnCurveClick);

    ToolBarEvents = NewBar(this, "Event Commands", "ToolBarEvents");
    BtnFirst = AddButton(ToolBarEvents, "First Event", s->standardIcon(QStyle::SP_MediaSkipBackward), this, &F::BtnFirstClick);
    BtnPrec = AddButton(ToolBarEvents, "Previous Event", s->standardIcon(QStyle::SP_MediaSeekBackward), this, &F::BtnPrecClick);
    BtnPrecTimer = AddButton(ToolBarEvents, "Auto Backward", GlyphIcon("<<", event), this, &F::BtnPrecTimerClick);
    BtnNextTimer = AddButton(ToolBarEvents, "Auto Forward", GlyphIcon(">>", event), this, &F::BtnNextTimerClick);
    BtnNext = AddButton(ToolBarEvents, "Next Event", s->standardIcon(QStyle::SP_MediaSeekForward), this, &F::BtnNextClick);
    BtnLast = AddButton(ToolBarEvents, "Last Event", s->standardIcon(QStyle::SP_MediaSkipForward), this, &F::BtnLastClick);
    ToolBarEvents->addSeparator();
    BtnHand = AddButton(ToolBarEvents, "Scroll Graph", GlyphIcon("H", event), this, &F::BtnHandClick);
    BtnFull = AddButton(ToolBarEvents, "Full Zoom Out", GlyphIcon("[ ]", event), this, &F::BtnFullClick);
    ToolBarEvents->addSeparator();
    SpinEdit = new QSpinBox(this);
    SpinEdit->setRange(1, 1);
    SpinEdit->setValue(1);
    SpinEdit->setToolTip("Event Number");
    SpinEdit->setStatusTip("Event Number");
    // No tab stop; a click on the box enters it, which goes to the number shown (SpinEditEnter).
    SpinEdit->setFocusPolicy(Qt::ClickFocus);
    SpinEdit->installEventFilter(this);
    if (auto* edit = SpinEdit->findChild<QLineEdit*>()) edit->setReadOnly(true);  // the arrows still step
    SpinEdit->setEnabled(false);
    ToolBarEvents->addWidget(SpinEdit);
    BtnEvent = ToolBarEvents->addAction("Go To");
    BtnEvent->setToolTip("Go To Event...");
    BtnEvent->setStatusTip("Go To Event...");
    BtnEvent->setEnabled(false);
    connect(BtnEvent, &QAction::triggered, this, &F::BtnEventClick);

    // The toggles the active child holds down (TCommandState).
    for (QAction* toggle : {BtnFailed, BtnZoomIn, BtnMeas, BtnPrecTimer, BtnNextTimer, BtnHand}) toggle->setCheckable(true);
    ItemFailed->setCheckable(true);
}

void TMainForm::CreateStatusBar()
{
    StatusPanel0 = new QLabel(this);
    StatusPanel0->setFixedWidth(600);
    StatusPanel1 = new QLabel(this);
    StatusPanel1->setFixedWidth(190);
    StatusPanel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addPermanentWidget(StatusPanel1);
}

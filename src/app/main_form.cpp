// Main window: creation and destruction, recent-files menus, Window and Help commands.
#include "app/main_form.h"

#include "app/about_box.h"
#include "app/child_form.h"
#include "app/qt_program_starter.h"
#include "dialogs/alarm_bar_form.h"
#include "dialogs/br_date_form.h"
#include "dialogs/prn_form.h"
#include "dialogs/prn_title_dlg.h"
#include "platform/date_format.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "platform/system_locale.h"
#include "platform/text_encoding.h"
#include "survey/records.h"

#include <QDesktopServices>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QUrl>
#include <algorithm>

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    MainForm = this;
    ownStarter_ = std::make_unique<QtProgramStarter>();
    Starter = ownStarter_.get();
    ExecModal = [](QDialog& dialog) { return dialog.exec(); };
    setWindowTitle("Tarn - Zidevid Phase Monitor");
    MdiArea = new QMdiArea(this);
    MdiArea->setBackground(Qt::white);
    setCentralWidget(MdiArea);
    CreateMenus();
    CreateToolBars();
    CreateStatusBar();
    // Activation, deactivation and closing of a child all end in a new active child, or none.
    connect(MdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::RefreshCommandState);
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The children close after this part of the window is gone: what they signal on the way
    // (the area activating the next one) must not reach it.
    MdiArea->disconnect(this);
    for (QMdiSubWindow* sub : MdiArea->subWindowList())
        if (sub->widget()) sub->widget()->disconnect(this);
    FormDestroy();
    if (MainForm == this) MainForm = nullptr;
    // The run-long windows it owns go with it.
    BrDateForm = nullptr;
    AlarmBarForm = nullptr;
    PrnForm = nullptr;
    PrnTitleDlg = nullptr;
}

void TMainForm::FormCreate()
{
    // The formats set here hold for the whole run; the program reads no locale change later.
    RunDateFormats().longTime = "hh:mm:ss";
    UntitledSetupCount = 0;
    CreateProgramFolders();
    if (FileExists(ProgDir() + "orv.mru")) {
        LoadRecentFiles(ProgDir() + "orv.mru");
        BuildRecentMenus();
    }
    WidenDateFormat();
    LastPath().DataPathSet = false;
    LastPath().SheetPathSet = false;
}

void TMainForm::FormDestroy()
{
    RunDateFormats().shortDate = SavedShortDateFormat;
    SaveRecentFiles(ProgDir() + "orv.mru");
}

void TMainForm::WidenDateFormat()
{
    SavedShortDateFormat = SystemShortDateFormat();
    RunDateFormats().shortDate = ::WidenDateFormat(SavedShortDateFormat);
}

void TMainForm::EnableMainCommands()
{
    for (QAction* on : {BtnExport, BtnRead, BtnComm, BtnRepos, BtnSurvey, BtnAnalysis, BtnReport, BtnSummary,
                        BtnOpenSheet, BtnHelp, BtnExit})
        on->setEnabled(true);
    for (QAction* off : {BtnNew, BtnOpen, BtnSave, BtnTraces, BtnZoomIn, BtnZoomOut, BtnMeas, BtnValues, BtnCurve,
                         BtnFailed, BtnBarReport, BtnSaveSheet, BtnPrint})
        off->setEnabled(false);
    // A child opened before the splash ended keeps its buttons.
    RefreshCommandState();
}

bool TMainForm::event(QEvent* event)
{
    // The hint of the control under the mouse goes to the first status-bar panel.
    if (event->type() == QEvent::StatusTip) {
        StatusPanel0->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---- Children and the Window menu ----

TChildForm* TMainForm::ActiveChild() const
{
    QMdiSubWindow* sub = MdiArea->currentSubWindow();
    return sub ? qobject_cast<TChildForm*>(sub->widget()) : nullptr;
}

QMdiSubWindow* TMainForm::AddChild(TChildForm* child)
{
    // A child sets its client size when it is created; the frame goes around that size.
    const bool sized = child->testAttribute(Qt::WA_Resized);
    const QSize client = child->size();
    child->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = MdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (sized) {
        // The sub-window's top margin already holds its title bar.
        sub->ensurePolished();
        const QMargins frame = sub->contentsMargins();
        sub->resize(client.width() + frame.left() + frame.right(), client.height() + frame.top() + frame.bottom());
    }
    // The area placed the window before it had its size, so it may reach past the area's edges:
    // it moves wholly inside where it fits, else to the area's left or top edge.
    const QSize area = MdiArea->viewport()->size();
    sub->move(std::clamp(sub->x(), 0, std::max(0, area.width() - sub->width())),
              std::clamp(sub->y(), 0, std::max(0, area.height() - sub->height())));
    connect(child, &TChildForm::CommandStateChanged, this, [this, child] {
        if (ActiveChild() == child) ApplyCommandState(child->CommandState());
    });
    sub->show();
    return sub;
}

void TMainForm::MWindowClick()
{
    bool any = MdiArea->currentSubWindow() != nullptr;
    for (QAction* item : {ItemCascade, ItemTileVert, ItemTileHoriz, ItemArrangeIcons, ItemClose, ItemCloseAll})
        item->setEnabled(any);
}

void TMainForm::ItemCascadeClick() { MdiArea->cascadeSubWindows(); }

namespace {
// Tiles the visible, not minimised children in one column (horizontal tiling: each as wide as
// the area) or one row (vertical tiling).
void TileInLine(QMdiArea* area, bool horizontal)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area->subWindowList())
        if (w->isVisible() && !w->isMinimized()) windows << w;
    if (windows.isEmpty()) return;
    QRect r = area->viewport()->rect();
    int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows[i];
        if (w->isMaximized()) w->showNormal();
        if (horizontal) {
            int h = r.height() / n;
            w->setGeometry(0, i * h, r.width(), i == n - 1 ? r.height() - i * h : h);
        } else {
            int wd = r.width() / n;
            w->setGeometry(i * wd, 0, i == n - 1 ? r.width() - i * wd : wd, r.height());
        }
    }
}
}  // namespace

void TMainForm::ItemTileHorizClick() { TileInLine(MdiArea, true); }
void TMainForm::ItemTileVertClick() { TileInLine(MdiArea, false); }

void TMainForm::ItemArrangeIconsClick()
{
    // Minimised children line up along the bottom of the area.
    QRect r = MdiArea->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* w : MdiArea->subWindowList()) {
        if (!w->isMinimized()) continue;
        QSize s = w->size();
        if (x + s.width() > r.width()) x = 0;
        w->move(x, r.height() - s.height());
        x += s.width();
    }
}

void TMainForm::ItemCloseClick()
{
    QMdiSubWindow* sub = MdiArea->currentSubWindow();
    auto* child = sub ? qobject_cast<TChildForm*>(sub->widget()) : nullptr;
    if (child && IsClosableViewKind(child->ViewKind())) sub->close();
}

void TMainForm::ItemCloseAllClick()
{
    // From the back of the stack to the front: the active child closes last, so closing the
    // others never hands the activation from one to the next.
    for (QMdiSubWindow* sub : MdiArea->subWindowList(QMdiArea::StackingOrder)) sub->close();
}

// ---- Frame commands ----

void TMainForm::ItemPrinterSetupClick() { AskPrinterSetup(); }

void TMainForm::ItemExitClick() { close(); }

void TMainForm::ItemContentsClick()
{
    std::string help = ProgDir() + "orvhelp.hlp";
    if (!FileExists(help)) {
        ShowMessage("No help file is installed: " + help + " was not found.", MsgType::Information);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(help))))
        ShowMessage("Unable to open the help file " + help + ".", MsgType::Error);
}

void TMainForm::ItemAboutClick()
{
    TAboutBox box(this);
    box.exec();
}

// ---- Recent files ----

void TMainForm::LoadRecentFiles(const std::string& path) { Recent.Load(path); }

void TMainForm::SaveRecentFiles(const std::string& path)
{
    if (!Recent.Save(path)) ShowMessage("Unable to save the recent files list " + path + ".", MsgType::Error);
}

void TMainForm::FillRecentMenu(QMenu* menu, QMenu* popup, RecentList list)
{
    menu->clear();
    popup->clear();
    const auto& entries = Recent.List(list);
    if (entries.empty()) {
        for (QMenu* m : {menu, popup}) m->addAction("(empty)")->setEnabled(false);
        return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QString caption = QString::fromStdString(DisplayText(RecentFiles::Caption(i, entries[i])));
        int index = static_cast<int>(i);
        for (QMenu* m : {menu, popup}) {
            QAction* item = m->addAction(caption);
            item->setData(index);
            connect(item, &QAction::triggered, this, [this, list, index] {
                switch (list) {
                case RecentList::Surveys: ItemReopenSurveyClick(index); break;
                case RecentList::Reports: ItemReopenReportClick(index); break;
                case RecentList::Summaries: ItemReopenSummaryClick(index); break;
                case RecentList::Sheets: ItemReopenSheetClick(index); break;
                }
            });
        }
    }
}

void TMainForm::BuildRecentMenus()
{
    FillRecentMenu(MReopenSurvey, GraphPopup, RecentList::Surveys);
    FillRecentMenu(MReopenReport, ReportPopup, RecentList::Reports);
    FillRecentMenu(MReopenSummary, SummaryPopup, RecentList::Summaries);
    FillRecentMenu(MReopenSheet, SheetPopup, RecentList::Sheets);
}

void TMainForm::AddRecent(RecentList list, const std::string& path)
{
    if (Recent.Add(list, path)) BuildRecentMenus();
}

std::optional<std::string> TMainForm::TakeRecentForReopen(RecentList list, int index)
{
    const auto& entries = Recent.List(list);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return std::nullopt;
    std::string path = entries[static_cast<std::size_t>(index)];
    if (!FileExists(path)) {
        ShowMessage("Unable to open the file.", MsgType::Error);
        Recent.Remove(list, static_cast<std::size_t>(index));
        BuildRecentMenus();
        return std::nullopt;
    }
    Recent.MoveToTop(list, static_cast<std::size_t>(index));
    BuildRecentMenus();
    RestoreChildren();
    return path;
}


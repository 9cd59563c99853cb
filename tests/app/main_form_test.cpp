// Main window: every command wired, date-format widening, Window menu enabling, Close, recent
// menus, the toolbar following the active child, and where new children are placed.
#include "app/child_form.h"
#include "app/main_form.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/date_format.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <QToolBar>
#include <QMdiArea>
#include <QPointer>
#include <QMdiSubWindow>
#include <QMenu>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
// QObject::receivers is protected; a pointer to it taken through a derived class reaches it.
struct ReceiverCount : QObject {
    static int Of(const QObject* object, const char* signal)
    {
        int (QObject::*receivers)(const char*) const = &ReceiverCount::receivers;
        return (object->*receivers)(signal);
    }
};

// The command items of a menu and its sub-menus' own commands: no separators, no sub-menu
// entries, no recent-file items.
QList<QAction*> CommandItems(QMenu* menu)
{
    QList<QAction*> items;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && !a->menu() && a->text() != "(empty)") items << a;
    return items;
}

QStringList Captions(QMenu* menu)
{
    QStringList captions;
    for (QAction* a : menu->actions()) captions << a->text();
    return captions;
}
}  // namespace

TEST(MainForm, ShortDateFormatIsWidenedForTheRunAndRestoredAtExit)
{
    TempProgDir dir;
    struct Case { const char* system; const char* run; };
    for (Case c : {Case{"d/M/yy", "d/M/yyyy"}, Case{"yyyy-MM-dd", "yyyy-MM-dd"}}) {
        setenv("ORV_SHORT_DATE_FORMAT", c.system, 1);
        {
            TMainForm form;
            EXPECT_EQ(RunDateFormats().shortDate, c.run);
            EXPECT_EQ(form.SavedShortDateFormat, c.system);
            EXPECT_EQ(RunDateFormats().longTime, "hh:mm:ss");
        }
        EXPECT_EQ(RunDateFormats().shortDate, c.system);
    }
    setenv("ORV_SHORT_DATE_FORMAT", "dd/MM/yyyy", 1);
}

TEST(MainForm, WindowCommandsNeedAnActiveChild)
{
    TempProgDir dir;
    TMainForm form;
    form.resize(800, 600);
    form.show();
    form.MWindowClick();
    for (QAction* a : {form.ItemCascade, form.ItemTileHoriz, form.ItemTileVert, form.ItemArrangeIcons,
                       form.ItemClose, form.ItemCloseAll})
        EXPECT_FALSE(a->isEnabled());

    QPointer<TChildForm> first = new TChildForm(TViewKind::Voltage, form.ChildContext());
    QPointer<TChildForm> second = new TChildForm(TViewKind::AnalysisReport, form.ChildContext());
    form.AddChild(first)->show();
    QMdiSubWindow* sub2 = form.AddChild(second);
    sub2->show();
    form.MdiArea->setActiveSubWindow(sub2);
    form.MWindowClick();
    EXPECT_TRUE(form.ItemClose->isEnabled());
    EXPECT_EQ(form.ActiveChild(), second.data());

    form.ItemCloseClick();  // closes the active child only
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
    EXPECT_FALSE(first.isNull());

    form.ItemCloseAllClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
}

TEST(MainForm, CloseLeavesAChildOfUnknownKindOpen)
{
    TempProgDir dir;
    TMainForm form;
    form.show();
    QPointer<TChildForm> odd = new TChildForm(static_cast<TViewKind>(5), form.ChildContext());
    form.MdiArea->setActiveSubWindow(form.AddChild(odd));
    form.ItemCloseClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(odd.isNull());
}

TEST(MainForm, RecentMenusShowEmptyItemsThenEntries)
{
    TempProgDir dir;
    TMainForm form;
    EXPECT_EQ(Captions(form.MReopenSurvey), QStringList{"(empty)"});
    EXPECT_FALSE(form.MReopenSurvey->actions().first()->isEnabled());
    EXPECT_TRUE(form.GraphPopup->actions().isEmpty());  // filled by the first rebuild

    form.AddRecent(RecentList::Surveys, "/data/R&D.orv");
    EXPECT_EQ(Captions(form.MReopenSurvey), QStringList{"&0 /data/R&&D.orv"});
    EXPECT_EQ(Captions(form.GraphPopup), QStringList{"&0 /data/R&&D.orv"});
    EXPECT_EQ(Captions(form.SheetPopup), QStringList{"(empty)"});
}

TEST(MainForm, RecentListsSurviveTheRun)
{
    TempProgDir dir;
    std::string survey = dir.Write("a.orv", "x");
    {
        TMainForm form;
        form.AddRecent(RecentList::Surveys, survey);
        form.AddRecent(RecentList::Sheets, dir / "s.xls");
    }
    ASSERT_TRUE(FileExists(dir / "orv.mru"));
    TMainForm again;
    EXPECT_EQ(again.Recent.List(RecentList::Surveys), std::vector<std::string>{survey});
    EXPECT_EQ(Captions(again.MReopenSheet).size(), 1);
}

TEST(MainForm, ReopeningAMissingFileReportsAndDropsIt)
{
    TempProgDir dir;
    ScriptedMessages messages;
    TMainForm form;
    std::string kept = dir.Write("kept.orv", "x");
    form.AddRecent(RecentList::Surveys, kept);
    form.AddRecent(RecentList::Surveys, dir / "gone.orv");
    EXPECT_FALSE(form.TakeRecentForReopen(RecentList::Surveys, 0));
    EXPECT_TRUE(messages.Shown("Unable to open the file."));
    EXPECT_EQ(form.Recent.List(RecentList::Surveys), std::vector<std::string>{kept});
    EXPECT_EQ(form.TakeRecentForReopen(RecentList::Surveys, 0), kept);
}

TEST(MainForm, EveryMenuItemAndToolbarButtonReachesAHandlerAndEndsCleanlyWithoutAChild)
{
    TempProgDir dir;
    ScriptedMessages messages;  // file dialogs are cancelled, boxes answered with their first button
    TMainForm form;
    form.show();
    QList<QAction*> commands;
    for (QMenu* menu : {form.MFile, form.MView, form.MAnalysis, form.MWindow})  // the on-open enabling
        EXPECT_GT(ReceiverCount::Of(menu, SIGNAL(aboutToShow())), 0) << menu->title().toStdString();
    for (QMenu* menu : {form.MFile, form.MTransfer, form.MView, form.MAnalysis, form.MWindow, form.MHelp})
        commands << CommandItems(menu);
    EXPECT_EQ(commands.size(), 8 + 3 + 3 + 7 + 6 + 2);
    int buttons = 0;
    for (QToolBar* bar : {form.ToolBar, form.ToolBar2, form.ToolBarGraph, form.ToolBarEvents})
        for (QAction* a : bar->actions())
            if (!a->isSeparator() && !bar->widgetForAction(a)->inherits("QSpinBox")) commands << a, ++buttons;
    EXPECT_EQ(buttons, 8 + 11 + 6 + 9);
    for (QAction* a : commands)
        EXPECT_GT(ReceiverCount::Of(a, SIGNAL(triggered(bool))), 0) << a->text().toStdString();

    // Run each one with no child window: modal windows are closed as soon as they show.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    });
    closer.start(5);
    for (QAction* a : commands) {
        if (a == form.ItemExit || a == form.BtnExit) continue;
        a->setEnabled(true);
        a->trigger();
    }
    EXPECT_TRUE(form.MdiArea->subWindowList().isEmpty());
    EXPECT_TRUE(messages.Shown("No help file is installed: " + dir.Path() + "orvhelp.hlp was not found."));
    form.BtnExit->setEnabled(true);
    form.BtnExit->trigger();
    EXPECT_FALSE(form.isVisible());
}

namespace {
// A child that publishes what a test gives it.
struct PublishingChild : TChildForm {
    PublishingChild(TViewKind kind, const TChildContext& context) : TChildForm(kind, context) {}
    using TChildForm::PublishCommandState;
};

TCommandState ReportState(bool failedShown)
{
    TCommandState s;
    s.Print = s.SaveSheetAs = s.BarReport = true;
    s.FailedIntervals = {.Enabled = true, .Down = failedShown};
    s.ReportFile = "/reports/site.rep";
    return s;
}
}  // namespace

TEST(MainForm, ToolbarShowsTheStateTheActiveChildPublishes)
{
    TempProgDir dir;
    TMainForm form;
    form.resize(1000, 640);
    form.show();
    auto* view = new PublishingChild(TViewKind::Voltage, form.ChildContext());
    TCommandState viewState;
    viewState.Traces = viewState.Values = viewState.CopyToClipboard = viewState.Print = true;
    viewState.ZoomIn = {.Enabled = true, .Down = true};
    view->PublishCommandState(viewState);
    QMdiSubWindow* viewSub = form.AddChild(view);
    viewSub->show();
    EXPECT_TRUE(form.BtnTraces->isEnabled());
    EXPECT_TRUE(form.BtnZoomIn->isChecked());
    EXPECT_FALSE(form.BtnSaveSheet->isEnabled());

    auto* report = new PublishingChild(TViewKind::AnalysisReport, form.ChildContext());
    report->PublishCommandState(ReportState(false));
    QPointer<QMdiSubWindow> reportSub = form.AddChild(report);
    reportSub->show();
    form.MdiArea->setActiveSubWindow(reportSub);
    EXPECT_FALSE(form.BtnTraces->isEnabled());
    EXPECT_FALSE(form.BtnZoomIn->isEnabled());
    EXPECT_FALSE(form.BtnZoomIn->isChecked());
    EXPECT_TRUE(form.BtnSaveSheet->isEnabled());
    EXPECT_TRUE(form.BtnFailed->isEnabled());
    EXPECT_EQ(form.ReportFileName, "/reports/site.rep");
    form.MAnalysisClick();
    EXPECT_TRUE(form.ItemFailed->isEnabled());

    // A change while active shows at once; one while inactive waits for the activation.
    report->PublishCommandState(ReportState(true));
    EXPECT_TRUE(form.BtnFailed->isChecked());
    EXPECT_TRUE(form.ItemFailed->isChecked());
    viewState.ZoomIn.Down = false;
    view->PublishCommandState(viewState);
    EXPECT_FALSE(form.BtnTraces->isEnabled());

    // Closing the report hands the toolbar back to the view; closing that leaves it all off.
    form.ItemCloseClick();
    EXPECT_TRUE(form.BtnTraces->isEnabled());
    EXPECT_FALSE(form.BtnZoomIn->isChecked());
    EXPECT_FALSE(form.BtnFailed->isEnabled());
    EXPECT_FALSE(form.ItemFailed->isChecked());
    form.ItemCloseClick();
    for (QAction* off : {form.BtnTraces, form.BtnValues, form.BtnCopyClip, form.BtnPrint, form.BtnZoomIn, form.BtnSaveSheet})
        EXPECT_FALSE(off->isEnabled()) << off->text().toStdString();
    EXPECT_EQ(form.ReportFileName, "/reports/site.rep");  // the bar report keeps the report last active
}

TEST(MainForm, AToggleButtonShowsWhatTheChildDecidedNotWhatTheClickFlipped)
{
    TempProgDir dir;
    TMainForm form;
    form.show();
    auto* view = new PublishingChild(TViewKind::Voltage, form.ChildContext());
    TCommandState state;
    state.MeasureCursor.Enabled = true;
    view->PublishCommandState(state);
    form.AddChild(view)->show();
    // The child has no graph commands: the cursor stays off, and so does its button.
    form.BtnMeas->trigger();
    EXPECT_FALSE(form.BtnMeas->isChecked());
}

TEST(MainForm, NewChildrenArePlacedWhollyInsideTheArea)
{
    TempProgDir dir;
    TMainForm form;
    form.resize(1000, 640);
    form.show();
    QApplication::processEvents();
    const QRect area = form.MdiArea->viewport()->rect();
    ASSERT_GE(area.height(), 420);  // room for one 620 x 400 view and its frame
    for (int k = 0; k < 3; ++k) {
        auto* child = new TChildForm(TViewKind::Voltage, form.ChildContext());
        child->resize(620, 400);
        QMdiSubWindow* sub = form.AddChild(child);
        sub->show();
        EXPECT_TRUE(area.contains(sub->geometry())) << "view " << k + 1;
    }
    // Larger than the area: its top-left corner stays inside.
    auto* large = new TChildForm(TViewKind::Sheet, form.ChildContext());
    large->resize(area.width() + 100, 300);
    QMdiSubWindow* sub = form.AddChild(large);
    sub->show();
    EXPECT_EQ(sub->x(), 0);
    EXPECT_GE(sub->y(), 0);
    EXPECT_LE(sub->geometry().bottom(), area.bottom());
}

// The values sheet window on the main window's Show Values road: the view's own period whatever
// a later wizard left in the program-wide selection, Print and Save Sheet As only once the
// sheet is finished, Abort, and what printing asks.
#include "app/main_form.h"
#include "export/show_values_form.h"
#include "fixtures/on_modal.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/selection_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/view_fixture.h"
#include "dialogs/job_window.h"
#include "dialogs/prn_sel_dlg.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"
#include "sheet/sheet_grid_view.h"
#include "views/show_al_vm_form.h"
#include "views/trend_view_form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {
double At(int hour, int minute) { return FixtureTime(2024, 3, 15, hour, minute); }

// A main window with the trend views and the values sheet, on a voltage survey of `count`
// records every minute from 10:00, its views opened over [start, stop minute].
struct ValuesRoad {
    KeptSurveySelection kept;
    TempProgDir dir;
    ScriptedMessages messages;
    TMainForm form;

    ValuesRoad(int count, double start, double stopMinute)
    {
        const std::string path = WriteVoltageSeries(dir / "test.vme", {.start = At(10, 0), .periodMinutes = 1, .count = count});
        EXPECT_TRUE(SelectVoltageSurvey(path, start, stopMinute));
        Open();
    }
    // The waveform view of `records`, selected over [10:00, 10:59].
    explicit ValuesRoad(const std::vector<SamplesRecordFields>& records)
    {
        const std::string path = WriteSamplesFile(dir / "test.tme", 12, records);
        EXPECT_TRUE(SelectMeasureSurvey(MeasureSamples, path, At(10, 0), At(10, 59)));
        Open();
    }
    void Open()
    {
        RegisterTrendViews(form.WindowRegistry);
        RegisterWaveformView(form.WindowRegistry);
        RegisterValuesSheet(form.WindowRegistry);
        form.resize(1000, 700);
        form.show();
        form.OpenSurveyViews();
    }
    // Show Values on the active view: the sheet window it opened.
    TShowValuesForm* ShowValues()
    {
        form.BtnValuesClick();
        return qobject_cast<TShowValuesForm*>(form.ActiveChild());
    }
};

// Runs the event loop until the sheet is finished or its window has gone.
void WaitForSheet(QPointer<TShowValuesForm> sheet)
{
    QElapsedTimer waited;
    waited.start();
    while (sheet && !sheet->SheetFinished() && waited.elapsed() < 20000) QApplication::processEvents();
    QApplication::processEvents();
}
}  // namespace

TEST(ShowValuesForm, RunsOverTheViewsPeriodAfterALaterWizardChangedTheSelection)
{
    ValuesRoad road(60, At(10, 20), At(10, 29));
    // A later wizard leaves another period in the program-wide selection.
    SurveySelection().Start = At(10, 0);
    SurveySelection().Stop = At(10, 59) + kStopMinuteExtraDays;
    QPointer<TShowValuesForm> sheet = road.ShowValues();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->ViewKind(), TViewKind::ValuesSheet);
    EXPECT_EQ(sheet->windowTitle(), "Show Values");
    EXPECT_FALSE(road.form.BtnPrint->isEnabled());
    EXPECT_FALSE(road.form.BtnSaveSheet->isEnabled());

    WaitForSheet(sheet);
    ASSERT_TRUE(sheet && sheet->SheetFinished()) << testing::PrintToString(road.messages.Texts());
    const TF1Book& book = sheet->Grid->Book();
    EXPECT_EQ(book.CellText(3, 2), "15/03/2024 10:20");
    EXPECT_EQ(book.CellText(12, 2), "15/03/2024 10:29");
    EXPECT_EQ(book.CellText(13, 2), "");
    EXPECT_EQ(book.CellText(3, 4), "250.00");  // L1 average: 230 + the record's position
    EXPECT_TRUE(road.messages.messages.empty());
    EXPECT_TRUE(sheet->Grid->isVisible());
    EXPECT_FALSE(sheet->JobPanel->isVisible());
    EXPECT_EQ(sheet->windowTitle().toStdString(), "Voltage values of <" + road.dir / "test.vme" + ">");
    EXPECT_EQ(sheet->size(), QSize(620, 400));
    EXPECT_TRUE(road.form.BtnPrint->isEnabled());
    EXPECT_TRUE(road.form.BtnSaveSheet->isEnabled());
}

TEST(ShowValuesForm, AbortClosesTheWindow)
{
    ValuesRoad road(4000, At(10, 0), At(10, 0) + 4000.0 / 1440.0);
    QPointer<TShowValuesForm> sheet = road.ShowValues();
    ASSERT_TRUE(sheet);
    // The ticks come from the event loop; until then the window shows the job.
    EXPECT_FALSE(sheet->SheetFinished());
    EXPECT_TRUE(sheet->JobPanel->isVisible());
    EXPECT_EQ(sheet->JobPanel->LabelMsg->text(), "Converting data...");
    sheet->JobPanel->BtnAbort->click();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(sheet);
    EXPECT_TRUE(road.messages.messages.empty());
    EXPECT_EQ(road.form.MdiArea->subWindowList().size(), 1);
}

TEST(ShowValuesForm, PrintAsksWhatToPrintOnlyForARange)
{
    ValuesRoad road(10, At(10, 0), At(10, 9));
    QPointer<TShowValuesForm> sheet = road.ShowValues();
    WaitForSheet(sheet);
    ASSERT_TRUE(sheet && sheet->SheetFinished());
    const std::string pdf = road.dir / "values.pdf";

    // One cell: printed at once, with the view's lines in the header.
    EXPECT_FALSE(sheet->RangeSelected());
    road.messages.PrintTo({.outputFile = pdf});
    EXPECT_FALSE(OnModal<TPrnSelDlg>([&] { road.form.ItemPrintClick(); }, [](TPrnSelDlg& d) { d.reject(); }));
    EXPECT_TRUE(FileExists(pdf));
    EXPECT_EQ(sheet->Grid->Book().PrintHeader(),
              "&L&A values of <&F> printed on &D &T\rStart date: 15/03/2024 10:00\rStop date: 15/03/2024 10:09\r"
              "Records: 10  (Rate: 1min)");

    // A range: the choice is asked; Cancel prints nothing.
    DeleteFile(pdf);
    sheet->Grid->Book().SetSelection(3, 2, 5, 4);
    ASSERT_TRUE(sheet->RangeSelected());
    EXPECT_TRUE(OnModal<TPrnSelDlg>([&] { road.form.ItemPrintClick(); }, [](TPrnSelDlg& d) { d.reject(); }));
    EXPECT_FALSE(FileExists(pdf));
    // "Selected Area" prints that range alone.
    sheet->Grid->Book().SetSelection(3, 2, 5, 4);
    road.messages.PrintTo({.outputFile = pdf});
    EXPECT_TRUE(OnModal<TPrnSelDlg>([&] { road.form.ItemPrintClick(); }, [](TPrnSelDlg& d) { d.BtnOk->click(); }));
    EXPECT_TRUE(FileExists(pdf));
    EXPECT_EQ(sheet->Grid->Book().SheetAt(1).printArea, (CellRange{3, 2, 5, 4}));
    // "All" prints the whole sheet again.
    DeleteFile(pdf);
    sheet->Grid->Book().SetSelection(3, 2, 5, 4);
    road.messages.PrintTo({.outputFile = pdf});
    EXPECT_TRUE(OnModal<TPrnSelDlg>([&] { road.form.ItemPrintClick(); }, [](TPrnSelDlg& d) {
        d.RadioAll->setChecked(true);
        d.BtnOk->click();
    }));
    EXPECT_TRUE(FileExists(pdf));
    EXPECT_FALSE(sheet->Grid->Book().SheetAt(1).printArea);
}

// The waveform view's sheet holds the record on screen, numbered within the view's period.
TEST(ShowValuesForm, TheWaveformViewsSheetHoldsTheRecordOnScreen)
{
    std::vector<SamplesRecordFields> records;
    for (int minute : {0, 10, 20}) {
        SamplesRecordFields r{.time = {.hour = 10, .minute = minute}, .channelSet = 7, .samplesPerChannel = 5};
        r.samples = {{minute, minute + 1, minute + 2, minute + 3, minute + 4}};
        records.push_back(r);
    }
    ValuesRoad road(records);
    auto* view = qobject_cast<TShowAlVmForm*>(road.form.ActiveChild());
    ASSERT_TRUE(view);
    view->GoToNextEvent();
    QPointer<TShowValuesForm> sheet = road.ShowValues();
    WaitForSheet(sheet);
    ASSERT_TRUE(sheet && sheet->SheetFinished()) << testing::PrintToString(road.messages.Texts());
    const TF1Book& book = sheet->Grid->Book();
    EXPECT_EQ(book.SheetName(1), "Voltage Samples");
    EXPECT_EQ(book.CellText(3, 4), "2 of 3");
    EXPECT_EQ(book.CellText(6, 4), "15/03/2024 10:10:00.00");
    EXPECT_EQ(book.CellText(11, 3), "L1 Voltage");
    EXPECT_EQ(book.CellText(12, 2), "-20.00");
    EXPECT_EQ(book.CellText(12, 3), "10.00");
    EXPECT_EQ(book.CellText(16, 3), "14.00");
    EXPECT_EQ(sheet->windowTitle().toStdString(), "Voltage Samples values of <" + road.dir / "test.tme" + ">");
}

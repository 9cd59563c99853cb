// The bar report dialog through the main window's Show Bar Report road: the bars and panels of
// the shown window, stepping and the failed-date buttons, Select Date through the date picker,
// the menus, printing to PDF, and the files it refuses. With ORV_SHOT_DIR set the dialog is
// saved there as PNG files.
#include "analysis/an_report_form.h"
#include "analysis/grad_gauge.h"
#include "analysis/report_bar_dlg.h"
#include "app/main_form.h"
#include "dialogs/br_date_form.h"
#include "fixtures/data_fixture.h"
#include "fixtures/on_modal.h"
#include "fixtures/pdf_text.h"
#include "fixtures/report_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/window_shot.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QWidgetAction>
#include <gtest/gtest.h>

namespace {
class BarReportWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateProgramFolders();
        RegisterAnalysisReportWindow(form.WindowRegistry);
        RegisterBarReport(form.WindowRegistry);
        form.show();
    }

    // Opens the report in its window, then the bar report on it; `act` runs on the dialog, which
    // is closed after it.
    bool OnBarReport(const ReportFixture& fixture, const std::function<void(TReportBarDlg&)>& act)
    {
        path = WriteReportFixture(dir / "site.rep", fixture);
        messages.PickFile(path);
        form.ItemOpenReportClick();
        messages.Clear();  // the missing template's notice
        return OnModal<TReportBarDlg>([&] { form.BtnBarReport->trigger(); }, [&](TReportBarDlg& dialog) {
            act(dialog);
            dialog.reject();
        });
    }

    static std::vector<std::string> Captions(const TReportBarDlg& dialog, int measure)
    {
        std::vector<std::string> captions;
        for (const TGradGauge* bar : dialog.Bars(measure))
            captions.push_back(bar->BackColor() == kNotAnalysedColour ? "grey" : bar->Caption().toStdString());
        return captions;
    }

    TempProgDir dir;
    ScriptedMessages messages;
    TMainForm form;
    std::string path;
};

QColor TextColour(const QWidget* widget) { return widget->palette().color(QPalette::WindowText); }
}  // namespace

TEST_F(BarReportWindow, StepsThroughTheWindowsAndFindsTheFailedDates)
{
    ReportFixture fixture = EveryMeasureReport();
    fixture.measures[4].hasWindows = false;  // flicker not analysed
    const bool shown = OnBarReport(fixture, [&](TReportBarDlg& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Analysis Report file - " + path);
        EXPECT_EQ(d.LabelDuration->text(), "Window duration: 3 day(s)");
        EXPECT_EQ(d.EditDate->text(), "15/03/2024");
        EXPECT_FALSE(d.BtnDayPrev->isEnabled());
        EXPECT_FALSE(d.BtnFailPrev->isEnabled());
        EXPECT_TRUE(d.BtnDayNext->isEnabled());
        EXPECT_TRUE(d.Led->isVisible());
        EXPECT_EQ(d.PanelVoltage->text(), "Voltage 95%");
        EXPECT_EQ(d.PanelFrequency2->text(), "Frequency 100.00%");
        EXPECT_EQ(Captions(d, MeasureVoltage), (std::vector<std::string>{"100.0%", "93.1%", "100.0%"}));
        const TGradGauge* l2 = d.Bars(MeasureVoltage)[1];
        EXPECT_EQ(l2->Color1(), kFailedColour);
        EXPECT_EQ(l2->Progress(), 13);
        EXPECT_EQ(d.Bars(MeasureVoltage)[0]->Color2(), kPassedColour);
        EXPECT_EQ(Captions(d, MeasureFlicker), (std::vector<std::string>{"grey", "grey", "grey"}));
        EXPECT_EQ(TextColour(d.PanelFlicker), QColor(0x80, 0x80, 0x80));
        EXPECT_EQ(TextColour(d.PanelVoltage), QColor(Qt::black));
        Shot(&d, "bar-report-first");

        const auto failedNext = [&] {
            d.BtnFailNext->click();
            return d.EditDate->text().toStdString();
        };
        EXPECT_EQ(failedNext(), "16/03/2024");
        EXPECT_EQ(failedNext(), "17/03/2024");
        EXPECT_EQ(failedNext(), "19/03/2024");  // the 5th harmonic, now current
        EXPECT_EQ(d.PanelHarmonics->text(), "5th 95%");
        EXPECT_EQ(Captions(d, MeasureVoltageHarmonics), (std::vector<std::string>{"90.7%", "100.0%", "100.0%"}));
        EXPECT_FALSE(d.BtnDayNext->isEnabled());
        EXPECT_FALSE(d.BtnFailNext->isEnabled());
        Shot(&d, "bar-report-last");
        d.BtnFailPrev->click();
        EXPECT_EQ(d.EditDate->text(), "17/03/2024");
        d.BtnDayNext->click();
        EXPECT_EQ(d.EditDate->text(), "18/03/2024");
        EXPECT_FALSE(d.Led->isVisible());
        EXPECT_EQ(Captions(d, MeasureVoltage), (std::vector<std::string>{"100.0%", "100.0%", "100.0%"}));

        // Select Date: a day on which a window starts is taken, another ignored.
        const auto pick = [&](QDate date) {
            EXPECT_TRUE(OnModal<TBrDateForm>([&] { d.BtnSetDate->click(); }, [&](TBrDateForm& picker) {
                EXPECT_EQ(picker.GetCalendarDate(), QDate(2024, 3, 18));
                picker.SetCalendarDate(date);
                picker.accept();
            }));
            return d.EditDate->text().toStdString();
        };
        EXPECT_EQ(pick(QDate(2024, 3, 20)), "18/03/2024");
        d.BtnDayPrev->click();
        EXPECT_EQ(d.EditDate->text(), "17/03/2024");
        d.BtnDayNext->click();
        EXPECT_EQ(pick(QDate(2024, 3, 15)), "15/03/2024");
        EXPECT_TRUE(d.Led->isVisible());

        // The events menu, interruptions after fast variations; a choice sets the scale.
        const QList<QAction*> events = d.EventMenu->actions();
        ASSERT_EQ(events.size(), 9);
        EXPECT_EQ(events[3]->text(), "Interruption Voltage (N. 5)");
        events[1]->trigger();
        EXPECT_EQ(d.PanelEvents->text(), "Under Voltages (N.5)");
        EXPECT_EQ(d.LabelEventsRight->text(), "10");
        EXPECT_EQ(Captions(d, MeasureEvents), (std::vector<std::string>{"0", "0", "8"}));
        EXPECT_EQ(d.Bars(MeasureEvents)[2]->Color1(), kFailedColour);
        const QList<QAction*> harmonics = d.HarmMenu->actions();
        ASSERT_EQ(harmonics.size(), 3);
        EXPECT_EQ(harmonics[1]->text(), "3rd");
        harmonics[1]->trigger();
        EXPECT_EQ(d.PanelHarmonics->text(), "3rd 95%");
        EXPECT_TRUE(d.BtnPopupHarm->isEnabled());
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
}

// A harmonic menu of more than ten items is a grid of columns; a button of it chooses.
TEST_F(BarReportWindow, AHarmonicMenuOfTwentyFiveItemsHasThreeColumns)
{
    ReportFixture fixture = EveryMeasureReport();
    fixture.channelCount = 26;
    fixture.orders.clear();
    for (std::uint16_t order = 0; order < 26; ++order) fixture.orders.push_back(order);  // THD, 1, 2 .. 25
    const bool shown = OnBarReport(fixture, [&](TReportBarDlg& d) {
        const QList<QAction*> actions = d.HarmMenu->actions();
        ASSERT_EQ(actions.size(), 1);
        auto* grid = qobject_cast<QWidgetAction*>(actions[0]);
        ASSERT_NE(grid, nullptr);
        const QList<QToolButton*> items = grid->defaultWidget()->findChildren<QToolButton*>();
        ASSERT_EQ(items.size(), 25);
        std::vector<int> rows(3, 0);
        for (QToolButton* item : items) {
            const int column = item->parentWidget()->layout()->indexOf(item) / 10;
            ASSERT_LT(column, 3);
            ++rows[static_cast<std::size_t>(column)];
        }
        EXPECT_EQ(rows, (std::vector<int>{10, 10, 5}));
        d.BtnPopupHarm->click();
        EXPECT_TRUE(d.HarmMenu->isVisible());
        Shot(d.HarmMenu, "bar-report-harmonic-menu");
        items[24]->click();
        EXPECT_FALSE(d.HarmMenu->isVisible());
        EXPECT_EQ(d.PanelHarmonics->text(), "25th 95%");
        EXPECT_EQ(d.Model().HarmonicChannel(), 25);
    });
    EXPECT_TRUE(shown);
}

TEST_F(BarReportWindow, PrintsItselfOnOnePageWithoutItsPrintButton)
{
    const std::string pdf = dir / "bars.pdf";
    const bool shown = OnBarReport(EveryMeasureReport(), [&](TReportBarDlg& d) {
        messages.PrintTo(PrintChoice{.outputFile = pdf});
        d.BtnPrint->click();
        EXPECT_TRUE(d.BtnPrint->isVisible());
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(PdfPages(pdf), 1);
    const std::string text = PdfText(pdf);
    for (const char* shownText : {"Start Window", "Window duration: 3 day(s)", "Voltage 95%", "Over Voltages (N.5)", "80%", "100%"})
        EXPECT_NE(text.find(shownText), std::string::npos) << shownText << "\n" << text;
    EXPECT_EQ(text.find("Print"), std::string::npos) << text;
    EXPECT_EQ(PdfTitle(pdf), "Analysis Report file - " + path);
}

// Nothing failed: the search says so and the window stays. A missing, foreign or damaged file
// opens no dialog, after its message.
TEST_F(BarReportWindow, SaysWhenNoFailedDateIsFoundAndRefusesFilesItCannotShow)
{
    ReportFixture passed = EveryMeasureReport();
    for (auto& m : passed.measures)
        for (auto& window : m.windows) std::fill(window.Passed.begin(), window.Passed.end(), 1);
    const bool shown = OnBarReport(passed, [&](TReportBarDlg& d) {
        EXPECT_FALSE(d.Led->isVisible());
        d.BtnFailNext->click();
        EXPECT_EQ(d.EditDate->text(), "15/03/2024");
    });
    EXPECT_TRUE(shown);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "No failed date found.");
    EXPECT_EQ(messages.messages[0].type, MsgType::Information);

    ReportFixture badInterval = EveryMeasureReport();
    badInterval.survey.Stop = badInterval.survey.Start - 2;
    const std::string foreign = WriteBytes(dir / "foreign.rep", Bytes(4000, 'x'));
    const std::string damaged = WriteReportFixture(dir / "damaged.rep", badInterval);
    struct Case {
        std::string file, message;
    };
    const Case cases[] = {
        {dir / "none.rep", "Unable to open the file " + dir / "none.rep" + "."},
        {foreign, "Invalid ORV Report file format."},
        {damaged, "The report file " + damaged + " is damaged (its analysis interval is no pair of dates). Unable to open the file."},
    };
    for (const Case& c : cases) {
        messages.Clear();
        TReportBarDlg dialog;
        EXPECT_FALSE(dialog.LoadBarReport(c.file)) << c.file;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(OnModal<TReportBarDlg>([&] { form.WindowRegistry.RoadWindows().BarReport(&form, c.file); },
                                         [](TReportBarDlg& d) { d.reject(); }),
                  false)
            << c.file;
    }
}

// Every member of the trend-view family, opened through the one factory on a small file of its
// measure: creation ran (captions, head lines, values block), the member's traces dialog opens
// with the member's captions, and a trace chosen there is plotted, named and read out as the
// file holds it. Each member has a row here; a member without one fails the test.
#include "view_test_support.h"

#include "graph/zr_graph.h"
#include "views/traces_dlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <type_traits>

// Only the factory can make the key a view's constructor asks for, so no view skips FormCreate.
static_assert(!std::is_default_constructible_v<TTrendViewForm::CreationKey>);

namespace {
struct MemberRow {
    int measure;
    std::function<std::unique_ptr<TTrendViewForm>()> create;
    // Writes the measure's file, three records ten minutes apart from 15/03/2024 10:00, and
    // selects it in SurveySelection.
    std::function<void(const TempProgDir&)> writeAndSelect;
    TViewKind viewKind;
    const char* captionEnd;
    const char* measureLabel;
    const char* recordsLine;
    const char* yTitle;
    float defaultMin, defaultMax;
    const char* dialogCaption;
    const char* dialogScaleCaption;
    // Chooses one trace in row 1 of the member's dialog and presses OK.
    std::function<void(QDialog&)> chooseTrace;
    const char* legend;
    std::vector<double> plotted;
    const char* firstReadout;  // the cursor's value on the first record
};

const std::vector<MemberRow>& Rows()
{
    static const std::vector<MemberRow> rows = {
        {.measure = MeasureVoltage,
         .create = [] { return std::unique_ptr<TTrendViewForm>(CreateTrendView<TShowVForm>()); },
         .writeAndSelect =
             [](const TempProgDir& dir) {
                 // Average of phase p at record i: 200 + 10 p + i.
                 const std::string path = WriteVoltageSeries(
                     dir / "m.vme", {.start = ViewStart(), .count = 3, .values = [](int i, int p) {
                                         const float avg = 200.0f + 10.0f * p + i;
                                         return MinAvgMax{avg - 5, avg, avg + 5};
                                     }});
                 SelectVoltageSurvey(path, ViewStart(), ViewStart() + 1);
             },
         .viewKind = TViewKind::Voltage,
         .captionEnd = "> - Voltage",
         .measureLabel = "Measure: Voltage",
         .recordsLine = "Records: 3  (Rate: 10min)",
         .yTitle = "Volt",
         .defaultMin = 200,
         .defaultMax = 250,
         .dialogCaption = "Voltage Traces Settings",
         .dialogScaleCaption = "Y Axis (Volt)",
         .chooseTrace =
             [](QDialog& d) {
                 auto& dialog = static_cast<TTracesDlg&>(d);
                 dialog.Combos[0]->setCurrentIndex(2);  // Average
                 dialog.ComboChange();
                 dialog.Radios[0][1]->setChecked(true);  // L2
                 dialog.BtnOk->click();
             },
         .legend = "L2 Average",
         .plotted = {210, 211, 212},
         .firstReadout = "210.00 V"},
    };
    return rows;
}

const MemberRow* RowOf(int measure)
{
    for (const MemberRow& row : Rows())
        if (row.measure == measure) return &row;
    return nullptr;
}
}  // namespace

TEST(TrendMembers, EveryMemberOpensReadsAndPlotsThroughTheFactory)
{
    for (const TTrendMember* member : TrendMembers()) {
        SCOPED_TRACE(member->MeasureLabel);
        const MemberRow* row = RowOf(member->Measure);
        ASSERT_NE(row, nullptr) << "no row for measure " << member->Measure;
        TempProgDir dir;
        ScriptedMessages messages;
        row->writeAndSelect(dir);
        std::unique_ptr<TTrendViewForm> view = row->create();
        view->show();
        QApplication::processEvents();
        ASSERT_FALSE(view->OpenFailed());

        EXPECT_EQ(view->ViewKind(), row->viewKind);
        EXPECT_TRUE(view->windowTitle().startsWith("Survey File <"));
        EXPECT_TRUE(view->windowTitle().endsWith(row->captionEnd));
        EXPECT_EQ(view->LabelMeas->text(), row->measureLabel);
        EXPECT_EQ(view->LabelIni->text(), "Start date: 15/03/2024 10:00");
        EXPECT_EQ(view->LabelEnd->text(), "Stop date: 15/03/2024 10:20");
        EXPECT_EQ(view->LabelNRec->text(), row->recordsLine);
        EXPECT_EQ(view->ValuesBlock().InfoPrint.RecordsLine, row->recordsLine);
        EXPECT_EQ(view->ValuesBlock().PeriodRecords, 3u);
        EXPECT_EQ(view->Chart->YAxis.Title(), row->yTitle);
        EXPECT_EQ(view->Traces().Axis1Min, row->defaultMin);
        EXPECT_EQ(view->Traces().Axis1Max, row->defaultMax);
        for (QLabel* label : view->LegendLabels) EXPECT_EQ(label->text(), "none");

        const bool shown = OnModal<QDialog>([&] { view->EditTraces(); }, [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), row->dialogCaption);
            auto* base = qobject_cast<TTracesDialogBase*>(&d);
            ASSERT_NE(base, nullptr);
            EXPECT_EQ(base->GroupScale->title(), row->dialogScaleCaption);
            row->chooseTrace(d);
        });
        ASSERT_TRUE(shown);
        EXPECT_TRUE(view->AnyTrace());
        EXPECT_EQ(view->LegendLabels[0]->text(), row->legend);
        EXPECT_EQ(view->LegendLabels[1]->text(), "none");
        const std::span<const double> ys = view->Chart->GetSeries(1).Ys();
        EXPECT_EQ(std::vector<double>(ys.begin(), ys.end()), row->plotted);

        view->ToggleCursor();
        view->ChartMouseDown(TMouseButton::mbLeft, view->Chart->XToPixel(view->FullWindow().FirstTime) + 2, 100);
        EXPECT_EQ(view->LabelCursTime->text(), "15/03 10:00");
        EXPECT_EQ(view->CursorLabels[0]->text(), row->firstReadout);
        EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
    }
}

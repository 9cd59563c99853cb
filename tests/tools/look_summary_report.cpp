// Runs a survey summary of a survey by hand, without its wizard, and shows the report as the
// program does, to look at:
//   orv_look_summary_report <survey.orv> <output folder> [percentile]
// Every measure that can be summarised over its whole recording, every harmonic order found;
// writes report.png (the window), report.pdf (printed) and report.xls (saved).
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "sheet/sheet_grid_view.h"
#include "summary/sum_report_form.h"
#include "summary/summary_engine.h"
#include "summary/summary_survey.h"
#include "wizards/interval_rules.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <survey.orv> <output folder> [percentile]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    ScriptedMessages messages;
    const std::string survey = argv[1], out = WithTrailingSlash(argv[2]);
    CreateFolder(out);
    SetProgDir(out);
    CreateProgramFolders();

    auto lines = OpenSurveyFile(survey, SurveyUpgrade::Short);
    if (!lines) return 1;
    TSurveySelection& selection = SurveySelection();
    TSummaryParams& params = SummaryParams();
    SetDefaultSummaryParams(params);
    if (argc > 3) params.Percentile = static_cast<std::uint16_t>(std::atoi(argv[3]));
    const unsigned usable = LoadSummarySurvey(survey, *lines, selection, params);
    for (int m = 1; m <= kSummaryMeasures; ++m) selection.File(m).Selected = (usable >> (m - 1)) & 1u;
    const auto interval = DefaultInterval(selection, usable);
    if (!interval) return 1;
    selection.Start = interval->first;
    selection.Stop = interval->last + kStopMinuteExtraDays;

    TSummaryEngine engine(selection, params, SummaryFilePath());
    while (engine.Step()) {
    }
    TChildForm* window = CreateSummaryReport(nullptr);
    for (const std::string& text : messages.Texts()) std::fprintf(stderr, "message: %s\n", text.c_str());
    if (!window) return 1;
    auto* report = static_cast<TSumReportForm*>(window);
    report->show();
    app.processEvents();
    report->grab().save(QString::fromStdString(out + "report.png"));
    PrintChoice pdf;
    pdf.outputFile = out + "report.pdf";
    messages.PrintTo(pdf);
    report->Print();
    messages.PickFile(out + "report.xls");
    report->SaveSheetAs();
    std::printf("%s\n", report->windowTitle().toStdString().c_str());
    delete window;
    return 0;
}

// Exports every measure of the demonstration survey with every box the wizard offers ticked, as
// Excel 5.0 and as text, for comparing the written workbooks of two builds byte for byte:
//   orv_export_demo_survey <folder> [days]
// writes the survey into <folder>/survey and the workbooks into <folder>/xls and <folder>/txt.
#include "export/exporter.h"
#include "export/measure_tabs.h"
#include "fixtures/demo_survey.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"
#include "survey/text_tables.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace {
// Harmonic orders (indexes) exported: the first few, so that every sheet fits 256 columns.
constexpr int kHarmonicsExported = 6;

bool Export(const std::string& surveyPath, int days, const std::string& folder, ExportFormat format)
{
    CreateFolder(folder);
    TSurveySelection selection = DemoAnalysisSelection(surveyPath, days);
    TExportParams params;
    params.Format = format;
    for (int k = 1; k <= kMeasureCount; ++k) {
        if (!ExportTabOf(k)) continue;
        const std::string data = ChangeFileExt(surveyPath, std::string(DataFileExts[static_cast<std::size_t>(k)]));
        if (!ReadMeasureFileInfo(data, k, selection.File(k)) || !ReadMeasureAvailability(k, data, params)) return false;
        selection.File(k).Selected = true;
        TTabState tab = InitialTabState(k, params.Measure(k));
        SetAllBoxes(tab);
        StoreTabState(k, tab, params.Measure(k));
        params.Measure(k).OutputPath = ExportOutputPath(folder, "demo", k, format);
    }
    for (int i = 0; i < kHarmonicsExported && i < params.VoltageOrderCount; ++i) params.VoltageChosen[static_cast<std::size_t>(i)] = params.VoltageOrders[static_cast<std::size_t>(i)];
    for (int i = 0; i < kHarmonicsExported && i < params.CurrentOrderCount; ++i) params.CurrentChosen[static_cast<std::size_t>(i)] = params.CurrentOrders[static_cast<std::size_t>(i)];
    params.VoltageChosenCount = std::min(kHarmonicsExported, params.VoltageOrderCount);
    params.CurrentChosenCount = std::min(kHarmonicsExported, params.CurrentOrderCount);
    TExporter exporter(selection, params);
    while (exporter.Step()) {
    }
    return exporter.Completed();
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [days]\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const int days = argc > 2 ? std::atoi(argv[2]) : 7;
    setenv("ORV_SHORT_DATE_FORMAT", "dd/MM/yyyy", 0);
    ScriptedMessages messages;
    const std::string survey = WriteDemoSurvey(folder + "survey", days);
    if (survey.empty()) {
        std::fprintf(stderr, "cannot write the survey into %s\n", argv[1]);
        return 1;
    }
    bool ok = Export(survey, days, folder + "xls", ExportExcel5) && Export(survey, days, folder + "txt", ExportText);
    for (const std::string& text : messages.Texts()) std::printf("%s\n", text.c_str());
    return ok ? 0 : 1;
}

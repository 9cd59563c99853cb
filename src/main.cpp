// Program entry: no command-line arguments are read. Here the main window meets the windows
// it opens: they are registered on its registry once it exists.
#include "analysis/an_report_form.h"
#include "analysis/report_bar_dlg.h"
#include "analysis/sel_analysis_dlg.h"
#include "analysis/run_analysis_dlg.h"
#include "app/main_form.h"
#include "app/orv_application.h"
#include "app/program_start.h"
#include "export/export_windows.h"
#include "export/show_values_form.h"
#include "platform/qt_messages.h"
#include "setup/setup_form.h"
#include "summary/sum_report_form.h"
#include "summary/sheet_form.h"
#include "views/show_al_vm_form.h"
#include "views/show_ala_form.h"
#include "views/trend_view_form.h"

#include <QApplication>

int main(int argc, char** argv)
{
    TOrvApplication app(argc, argv);
    QtMessages messages;
    SetMessageSeam(&messages);
    TProgramWindows windows = StartProgram(app);
    RegisterTrendViews(windows.MainForm->WindowRegistry);
    RegisterEventsList(windows.MainForm->WindowRegistry);
    RegisterWaveformView(windows.MainForm->WindowRegistry);
    RegisterAnalysisReportWindow(windows.MainForm->WindowRegistry);
    RegisterBarReport(windows.MainForm->WindowRegistry);
    RegisterSheetWindow(windows.MainForm->WindowRegistry);
    RegisterAnalysisWizard(windows.MainForm->WindowRegistry);
    RegisterSummaryWindows(windows.MainForm->WindowRegistry);
    RegisterAnalysisEngine(windows.MainForm->WindowRegistry);
    RegisterExportWindows(windows.MainForm->WindowRegistry);
    RegisterValuesSheet(windows.MainForm->WindowRegistry);
    RegisterSetupEditor(windows.MainForm->WindowRegistry, [form = windows.MainForm] { return form->UntitledSetupCount; });
    messages.SetParent(windows.MainForm);
    return app.exec();
}

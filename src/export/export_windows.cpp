// The export road's windows.
#include "export/export_windows.h"

#include "app/window_registry.h"
#include "dialogs/job_window.h"
#include "export/exporter.h"
#include "export/sel_export_dlg.h"
#include "platform/prog_dirs.h"

void RegisterExportWindows(TWindowRegistry& registry)
{
    registry.RoadWindows().ExportWizard = RunExportWizard;
    registry.RoadWindows().Exporter = RunExporter;
}

bool RunExportWizard(QWidget* parent)
{
    TSelExportDlg wizard(parent);
    return wizard.exec() == QDialog::Accepted;
}

void RunExporter(QWidget* parent)
{
    TExporter exporter(SurveySelection(), DataDir() + std::string(kExportParamsFileName));
    TJobDlg window(parent, "Exporting", exporter);
    window.exec();
}

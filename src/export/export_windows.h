// The export road's windows, registered on the main window's registry: the export wizard, and
// the exporter shown in the job window ("Exporting"), which stays modal until the export ends.
#pragma once

class QWidget;
class TWindowRegistry;

void RegisterExportWindows(TWindowRegistry& registry);
// The export wizard; true when its Finish was accepted ("export.tmp" written).
bool RunExportWizard(QWidget* parent);
// The exporter on "export.tmp" and SurveySelection.
void RunExporter(QWidget* parent);

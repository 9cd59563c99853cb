// Export tests' setting: a survey of fixture data files in a temporary folder with the wizard's
// choices for it, run through the exporter step by step, and the exported cells read back
// independently of our reader: xlrd for Excel 5.0, the tab-separated lines for text.
#pragma once

#include "export/exporter.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"

#include <memory>
#include <string>
#include <vector>

struct ExportRun {
    TempProgDir dir;
    ScriptedMessages messages;
    TSurveySelection selection;
    TExportParams params;

    ExportRun();
    // Selects measure `measure` on its data file (checked as the wizard checks it) and names
    // its workbook out/x<suffix><ext> in the run's format.
    void Add(int measure, const std::string& dataFile);
    // The interval from the start minute to the stop minute (+59.999 s).
    void SetInterval(double startMinute, double stopMinute);
    void SetFormat(ExportFormat format);
    std::string Workbook(int measure) const;
    // A new exporter on the choices, stepped until it ends (or `maxSteps`).
    std::unique_ptr<TExporter> Run(int maxSteps = 10000000);
};

// One expected cell: its displayed text ("" for a cell left empty); a text that reads as a number
// is expected as a number cell unless `literal`.
struct ExpectedCell {
    int row = 0, col = 0;
    std::string text;
    bool literal = false;
};
// Checks the cells in the workbook at `path`: Excel 5.0 through xlrd (a text that is a number is
// expected as that number), text by its lines.
void ExpectCells(const std::string& path, ExportFormat format, const std::vector<ExpectedCell>& cells);
// Lines of a text workbook, split into cells.
std::vector<std::vector<std::string>> TextWorkbookCells(const std::string& path);
// The information block every workbook starts with (rows 2 to 11).
std::vector<ExpectedCell> HeaderCells(const std::string& measureName, const std::string& start,
                                      const std::string& stop, int records);
// "Date" and the titles in row 13.
std::vector<ExpectedCell> TitleCells(const std::vector<std::string>& titles);

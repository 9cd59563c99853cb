// Survey record fill for the wizards.
#include "survey/selection_loader.h"

#include "platform/file_io.h"
#include "survey/measure_file_info.h"

void FillSurveySelection(const std::string& surveyPath, SurveyLines& lines, TSurveySelection& selection)
{
    selection = TSurveySelection{};
    selection.Name = ExtractFileName(surveyPath);
    TSurveyInfo info = ReadSurveyInfo(lines);
    selection.Description = info.Description;
    selection.Site = info.Site;
    selection.Operator = info.Operator;
    for (int k = 1; k <= kMeasureSlots && static_cast<std::size_t>(k) < lines.size(); ++k) {
        if (DataFileLine(lines, k).empty()) continue;
        auto path = FindSurveyDataFile(surveyPath, lines, k);
        // A missing data file makes its measure silently unavailable; an unusable one (reported
        // by the reader) leaves no half-filled slot behind.
        if (!path || !ReadMeasureFileInfo(*path, k, selection.File(k))) {
            SetDataFileLine(lines, k, "");
            selection.File(k) = TMeasureFileInfo{};
        }
    }
}

unsigned AvailableMeasures(const SurveyLines& lines)
{
    unsigned mask = 0;
    for (int k = 1; k <= kMeasureCount; ++k)
        if (!DataFileLine(lines, k).empty()) mask |= 1u << (k - 1);
    return mask;
}

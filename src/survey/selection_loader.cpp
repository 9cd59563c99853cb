// Survey record fill for the wizards.
#include "survey/selection_loader.h"

#include "platform/file_io.h"
#include "survey/measure_file_info.h"

#include <algorithm>

void SetSelectionSurvey(const std::string& surveyPath, const SurveyLines& lines, TSurveySelection& selection)
{
    selection.Name = ExtractFileName(surveyPath);
    const TSurveyInfo info = ReadSurveyInfo(lines);
    selection.Description = CutToShortString(info.Description);
    selection.Site = CutToShortString(info.Site);
    selection.Operator = CutToShortString(info.Operator);
}

void FillSurveySelection(const std::string& surveyPath, SurveyLines& lines, TSurveySelection& selection,
                         int lastMeasure, const MeasureFileReader& read)
{
    selection = TSurveySelection{};
    SetSelectionSurvey(surveyPath, lines, selection);
    lastMeasure = std::min(lastMeasure, kMeasureSlots);
    for (int k = 1; k <= lastMeasure && static_cast<std::size_t>(k) < lines.size(); ++k) {
        if (DataFileLine(lines, k).empty()) continue;
        auto path = FindSurveyDataFile(surveyPath, lines, k);
        // A missing data file makes its measure silently unavailable; an unusable one (reported
        // by the reader) leaves no half-filled slot behind.
        TMeasureFileInfo& slot = selection.File(k);
        if (!path || !(read ? read(*path, k, slot) : ReadMeasureFileInfo(*path, k, slot))) {
            SetDataFileLine(lines, k, "");
            slot = TMeasureFileInfo{};
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

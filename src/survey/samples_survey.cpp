// Loading the survey of a samples file.
#include "survey/samples_survey.h"

#include "platform/file_io.h"
#include "survey/measure_file_info.h"
#include "survey/survey_file.h"

std::string SamplesSurveyPath(const std::string& SamplesPath)
{
    const std::string path = ChangeFileExt(SamplesPath, ".orv");
    auto found = FindFileNoCase(ExtractFilePath(path), ExtractFileName(path));
    return found ? *found : path;
}

bool LoadSurveyForSamples(const std::string& SamplesPath, TDateTime Start, TDateTime Stop, TSurveySelection& selection)
{
    const std::string surveyPath = SamplesSurveyPath(SamplesPath);
    auto lines = OpenSurveyFile(surveyPath, SurveyUpgrade::Short);
    if (!lines) return false;
    TSurveySelection filled;
    filled.Name = ExtractFileName(surveyPath);
    const TSurveyInfo info = ReadSurveyInfo(*lines);
    filled.Description = info.Description;
    filled.Site = info.Site;
    filled.Operator = info.Operator;
    filled.Start = Start;
    filled.Stop = Stop;
    if (!ReadMeasureFileInfo(SamplesPath, MeasureSamples, filled.File(MeasureSamples))) return false;
    selection = std::move(filled);
    return true;
}

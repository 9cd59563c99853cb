// The overwrite question and the name check of the export wizard.
#include "export/output_files.h"

#include "platform/file_io.h"
#include "platform/messages.h"

namespace {
// A temporary file beside the workbook, dropped at once: what the exporter's save needs.
bool CanWriteWorkbook(const std::string& path)
{
    AtomicFileWriter probe(path);
    return probe.Write(nullptr, 0);
}
}  // namespace

OutputCheck CheckOutputFiles(const TExportParams& params)
{
    bool anyExists = false;
    for (const TExportMeasureSel& m : params.Measures)
        if (!m.OutputPath.empty() && FileExists(m.OutputPath)) anyExists = true;
    if (anyExists && ShowMessage("File already exists.\nOverwrite ?", MsgType::Warning, MbYesNo) != MbYes)
        return OutputCheck::Declined;
    for (const TExportMeasureSel& m : params.Measures) {
        if (m.OutputPath.empty() || CanWriteWorkbook(m.OutputPath)) continue;
        ShowMessage("Invalid file name.", MsgType::Error, MbOk);
        return OutputCheck::InvalidName;
    }
    return OutputCheck::Accepted;
}

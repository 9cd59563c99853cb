// The exporter's state machine.
#include "export/exporter.h"

#include "export/events_rows.h"
#include "export/export_sheet.h"
#include "export/measure_columns.h"
#include "platform/messages.h"
#include "survey/record_search.h"
#include "survey/text_tables.h"

#include <cmath>
#include <exception>

const std::array<std::string_view, kMeasureSlots + 1> ExportCaptions = {
    "",
    "exporting Voltages",
    "exporting Frequencies",
    "exporting Unbalance",
    "exporting Voltage Harmonics",
    "exporting Flicker",
    "exporting Events",
    "exporting Powers and Currents",
    "exporting Voltage Samples",
    "exporting Current Harmonics",
    "exporting Energy",
    "", "", "", ""};

namespace {
bool HasExport(int measure) { return measure >= MeasureVoltage && measure <= MeasureEnergy && measure != MeasureSamples; }
}  // namespace

TExporter::TExporter(const TSurveySelection& selection, const std::string& paramsPath)
    : selection_(selection), params_(ReadExportParams(paramsPath))
{
    if (!params_) state_ = ExportState::Failed;
}

TExporter::TExporter(const TSurveySelection& selection, const TExportParams& params)
    : selection_(selection), params_(params)
{
}

TExporter::~TExporter() = default;

bool TExporter::Step()
{
    if (finished_) return false;
    try {
        switch (state_) {
        case ExportState::NextMeasure: StepNextMeasure(); break;
        case ExportState::CheckInterval: StepCheckInterval(); break;
        case ExportState::Prepare: StepPrepare(); break;
        case ExportState::WriteRows: StepWriteRows(); break;
        case ExportState::Save: StepSave(); break;
        case ExportState::Done:
        case ExportState::Failed:
        case ExportState::Aborted: Finish(); break;
        }
    } catch (const std::exception& error) {
        Fail(std::string("an unexpected error occurred (") + error.what() + ")");
    }
    return !finished_;
}

void TExporter::Abort()
{
    if (finished_) return;
    state_ = ExportState::Aborted;
    Finish();
}

void TExporter::StepNextMeasure()
{
    if (measure_ > kMeasureSlots) {
        state_ = ExportState::Done;
        return;
    }
    if (!Slot().Selected) {
        ++measure_;
        return;
    }
    state_ = ExportState::CheckInterval;
}

void TExporter::StepCheckInterval()
{
    if (selection_.Start > Slot().LastTime || selection_.Stop < Slot().FirstTime) {
        Skip("no record in the chosen interval");
        return;
    }
    state_ = ExportState::Prepare;
}

void TExporter::StepPrepare()
{
    caption_ = ExportCaptions[static_cast<std::size_t>(measure_)];
    const TExportMeasureSel& choices = params_->Measure(measure_);
    if (!HasExport(measure_)) return Skip("this measure is never exported");
    if (choices.OutputPath.empty()) return Skip("no workbook was named for it");
    if (dataFile_.Open(Slot().FileName, measure_) != DataFileFault::None) return Fail("its data file cannot be opened");
    oneMessage_.emplace();
    const auto range = FindRecordsInInterval(dataFile_, Slot(), selection_.Start, selection_.Stop);
    if (!range) return Skip("no record in the chosen interval");
    const std::int64_t first = dataFile_.RecordIndex(static_cast<std::uint64_t>(range->First));
    const std::int64_t last = dataFile_.RecordIndex(static_cast<std::uint64_t>(range->Last));
    if (measure_ == MeasureEvents) {
        rows_ = std::make_unique<TEventRows>(dataFile_, first, last, ExportEventTable(choices));
    } else {
        Bytes firstRecord;
        if (!dataFile_.ReadRecord(dataFile_.RecordPosition(0), firstRecord)) return Fail("its data file cannot be read");
        auto columns = MeasureValueColumns(measure_, firstRecord, params_->ColumnChoice(measure_));
        if (!columns) return Fail("its data file is damaged: the first record does not hold what its head says");
        rows_ = std::make_unique<TRecordRows>(dataFile_, first, last, std::move(*columns), kExportOrigin);
    }
    const int lastColumn = kExportDateColumn + static_cast<int>(rows_->Titles().size());
    if (params_->Format == ExportExcel5 && lastColumn > kExcelMaxCols)
        return Skip("the chosen values need " + std::to_string(lastColumn) + " columns; an Excel 5.0 sheet holds " +
                    std::to_string(kExcelMaxCols));
    totalRecords_ = last - first + 1;
    counters_ = {};
    WriteSheetHeader(book_, selection_, measure_, totalRecords_);
    WriteColumnTitles(book_, rows_->Titles());
    progress_ = 0;
    state_ = ExportState::WriteRows;
}

void TExporter::StepWriteRows()
{
    switch (rows_->Step(book_, counters_)) {
    case RowsStep::More: UpdateProgress(); break;
    case RowsStep::End:
        UpdateProgress();
        if (rows_->Cut()) ShowMessage(kExportTruncatedMessage, MsgType::Warning, MbOk);
        state_ = ExportState::Save;
        break;
    case RowsStep::BadStamp: Fail("a record's time stamp does not decode"); break;
    case RowsStep::ReadFailed: Fail("its data file cannot be read"); break;
    }
}

void TExporter::StepSave()
{
    FormatSheet(book_, counters_.RowsWritten, static_cast<int>(rows_->Titles().size()));
    EndMeasure();
    const int type = params_->Format == ExportExcel5 ? kFileTypeExcel5 : kFileTypeText;
    // The writer shows why a write failed; the old file stays as it was.
    if (!book_.WriteFile(params_->Measure(measure_).OutputPath, type)) return Fail("its workbook could not be written");
    book_.Reset();
    exported_.push_back(measure_);
    ++measure_;
    state_ = ExportState::NextMeasure;
}

void TExporter::Skip(const std::string& reason)
{
    notExported_.push_back({measure_, reason});
    EndMeasure();
    ++measure_;
    state_ = ExportState::NextMeasure;
}

void TExporter::Fail(const std::string& reason)
{
    notExported_.push_back({measure_, reason});
    for (int k = measure_ + 1; k <= kMeasureSlots; ++k)
        if (selection_.File(k).Selected) notExported_.push_back({k, "not reached after the error"});
    state_ = ExportState::Failed;
}

void TExporter::EndMeasure()
{
    rows_.reset();
    dataFile_.Close();
    oneMessage_.reset();
}

void TExporter::Finish()
{
    EndMeasure();
    finished_ = true;
    if (state_ == ExportState::Aborted) return;
    const bool clean = state_ == ExportState::Done && notExported_.empty();
    const MsgType type = clean ? MsgType::Information : state_ == ExportState::Done ? MsgType::Warning : MsgType::Error;
    ShowMessage(ClosingMessage(), type, MbOk);
}

void TExporter::UpdateProgress()
{
    if (totalRecords_ <= 0) return;
    const int p = static_cast<int>(std::lround(static_cast<double>(counters_.RecordsDone) * 100.0 /
                                               static_cast<double>(totalRecords_)));
    if (p > progress_) progress_ = p;
}

std::string TExporter::ClosingMessage() const
{
    if (!params_) return "Error in export.\nThe export choices (" + std::string(kExportParamsFileName) +
                         ") are missing or damaged; nothing was exported.";
    if (state_ == ExportState::Done && notExported_.empty()) return "Export completed successfully.";
    std::string text = state_ == ExportState::Done ? "Export completed, but not every measure was exported." : "Error in export.";
    if (!exported_.empty()) {
        text += "\nExported:";
        for (int k : exported_) text += "\n" + std::string(MeasureName(k));
    }
    text += "\nNot exported:";
    for (const TNotExported& n : notExported_) text += "\n" + std::string(MeasureName(n.Measure)) + ": " + n.Reason + ".";
    return text;
}

// The values sheet's state machine over a fixed-record measure.
#include "export/values_sheet.h"

#include "export/export_sheet.h"
#include "platform/messages.h"
#include "platform/repeated_message_filter.h"
#include "survey/data_layout.h"
#include "survey/record_search.h"
#include "survey/text_tables.h"

#include <algorithm>
#include <cmath>
#include <exception>

std::optional<TMeasureColumns> ValuesSheetColumns(int kind, std::span<const std::uint8_t> firstRecord,
                                                  std::vector<std::uint16_t> harmonics)
{
    auto columns = MeasureValueColumns(kind, firstRecord, TColumnChoice::Everything(std::move(harmonics)));
    if (!columns) return columns;
    if (kind == MeasureUnbalance) columns->DateText = ExportDateText::Seconds;  // seconds shown, always ":00"
    if (kind == MeasurePowers) columns->DateText = ExportDateText::Minutes;
    if (kind == MeasureEnergy)
        for (TValueColumn& c : columns->Columns)
            if (c.Phase >= 0) c.Title = std::string(c.Name) + " " + std::string(PhaseNames[static_cast<std::size_t>(c.Phase + 1)]);
    return columns;
}

namespace {
// The first `count` characters of a UTF-8 text (bytes that are no UTF-8 count one each).
std::string FirstCharacters(const std::string& text, std::size_t count)
{
    std::size_t at = 0;
    for (std::size_t n = 0; n < count && at < text.size(); ++n) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return text.substr(0, at);
}
}  // namespace

std::string ValuesPrintHeader(const TInfoPrintVal& info)
{
    return "&L&A values of <&F> printed on &D &T\r" + info.StartLine + "\r" + info.StopLine + "\r" + info.RecordsLine;
}

std::string ValuesPrintFooter(const TInfoPrintVal& info)
{
    constexpr std::size_t kLineCharacters = 40;
    return "&L" + FirstCharacters(info.DescriptionLine, kLineCharacters) + "\r" +
           FirstCharacters(info.SiteLine, kLineCharacters) + "\r" + FirstCharacters(info.OperatorLine, kLineCharacters) +
           "\r" + std::string(kExportProductLine) + "\r&CPage &P/&N";
}

namespace {
bool IsHarmonics(int kind) { return kind == MeasureVoltageHarmonics || kind == MeasureCurrentHarmonics; }

// The picker's offer from the first record; nothing when its blocks are damaged.
std::optional<THarmonicOffer> OfferOf(std::span<const std::uint8_t> record, bool current)
{
    const auto blocks = HarmonicBlocks(record, current);
    FieldView head(record);
    const bool threePhase = IsThreePhaseWiring(head.U16(current ? CurrentHarmonicsHead::Wiring : HarmonicsHead::Wiring));
    if (!blocks || blocks->empty() || !head.Ok()) return std::nullopt;
    THarmonicOffer offer{current, {}, threePhase ? 3 : 1};
    for (const HarmonicBlockPlace& block : *blocks) offer.Available.push_back(block.order);
    return offer;
}
}  // namespace

TValuesSheetJob::TValuesSheetJob(TF1Book& book, TValuesSheetRequest request, HarmonicChooser chooseHarmonics)
    : book_(book), request_(std::move(request)), chooseHarmonics_(std::move(chooseHarmonics))
{
}

TValuesSheetJob::~TValuesSheetJob() = default;

bool TValuesSheetJob::Step()
{
    if (finished_) return false;
    try {
        switch (state_) {
        case ValuesSheetState::BuildColumns: StepBuildColumns(); break;
        case ValuesSheetState::InitGrid: StepInitGrid(); break;
        case ValuesSheetState::Rows: StepRows(); break;
        case ValuesSheetState::Finish:
        case ValuesSheetState::Failed: StepFinish(); break;
        case ValuesSheetState::Closed: End(false); break;
        }
    } catch (const std::exception& error) {
        rows_.reset();
        Fail(std::string("An unexpected error occurred (") + error.what() + ").");
    }
    return !finished_;
}

void TValuesSheetJob::Abort()
{
    if (finished_) return;
    state_ = ValuesSheetState::Closed;
    End(false);
}

void TValuesSheetJob::StepBuildColumns()
{
    if (request_.Kind == MeasureSamples) return StepBuildSamplesColumns();
    if (dataFile_.Open(request_.FileInfo.FileName, request_.Kind) != DataFileFault::None)
        return Fail("The data file " + request_.FileInfo.FileName + " cannot be opened.");
    // The columns come from the file's first record, as every record is read with them.
    Bytes first;
    if (!dataFile_.ReadRecord(dataFile_.RecordPosition(0), first))
        return Fail("The data file " + request_.FileInfo.FileName + " cannot be read.");
    std::vector<std::uint16_t> harmonics;
    if (IsHarmonics(request_.Kind)) {
        const auto offer = OfferOf(first, request_.Kind == MeasureCurrentHarmonics);
        if (!offer) return Fail("The data file is damaged: its first record does not hold what its head says.");
        auto chosen = chooseHarmonics_ ? chooseHarmonics_(*offer) : std::nullopt;
        // A cancelled picker closes the window without a word.
        if (!chosen) {
            state_ = ValuesSheetState::Closed;
            return;
        }
        harmonics = std::move(*chosen);
    }
    columns_ = ValuesSheetColumns(request_.Kind, first, std::move(harmonics));
    if (!columns_) return Fail("The data file is damaged: its first record does not hold what its head says.");
    valueColumns_ = static_cast<int>(columns_->Columns.size());
    const int lastColumn = kValuesDateColumn + valueColumns_;
    if (lastColumn > kExcelMaxCols) {
        ShowMessage("The values need " + std::to_string(lastColumn) + " columns; a sheet holds " +
                        std::to_string(kExcelMaxCols) + ". Choose fewer harmonics.",
                    MsgType::Warning, MbOk);
        state_ = ValuesSheetState::Closed;
        return;
    }
    state_ = ValuesSheetState::InitGrid;
}

void TValuesSheetJob::StepBuildSamplesColumns()
{
    BinaryFile file;
    TSamplesFileHeader header;
    TSamplesRecordHead head;
    const std::string& path = request_.FileInfo.FileName;
    const std::uint32_t offset = static_cast<std::uint32_t>(request_.EventOffset);
    if (!file.Open(path) || !ReadSamplesFileHeader(file, header))
        return Fail("The samples file " + path + " cannot be read.");
    // No record shown, or one without samples, has nothing to show; any other that cannot be
    // used is damaged.
    const bool noRecord = offset < kSamplesFileHeaderSize;
    if (noRecord || (ReadSamplesRecordHead(file, offset, header.FileType, head) != 0 && head.SamplesPerChannel == 0)) {
        ShowMessage(kValuesNoRecordMessage, MsgType::Warning, MbOk);
        state_ = ValuesSheetState::Closed;
        return;
    }
    samples_ = ReadSamplesRecord(file, header, offset);
    if (!samples_) return Fail("The waveform record at offset " + std::to_string(offset) + " of " + path + " is damaged.");
    valueColumns_ = static_cast<int>(WaveformTraceColumns(*samples_, request_.Traces).Channels.size());
    state_ = ValuesSheetState::InitGrid;
}

void TValuesSheetJob::StartBook()
{
    book_.Reset();
    book_.SetTableName(request_.SurveyName);
    book_.AllowAutoFill = book_.AllowDelete = book_.AllowDesigner = book_.AllowFillRange = false;
    book_.AllowInCellEditing = book_.AllowMoveRange = false;
    book_.AllowSelections = true;
    book_.SetNumSheets(1);
    book_.SetSheet(1);
    book_.SetSheetName(1, std::string(MeasureName(request_.Kind)));
    book_.SetColumnWidth(1, 400);
    book_.SetRowHeight(kValuesTitleRow, 400);
    counters_ = {};
}

void TValuesSheetJob::StepInitGrid()
{
    if (samples_) {
        // One record, written whole: no period limit.
        if (valueColumns_ == 0) {
            ShowMessage(kValuesNoRecordMessage, MsgType::Warning, MbOk);
            state_ = ValuesSheetState::Closed;
            return;
        }
        TWaveformColumns columns = WaveformTraceColumns(*samples_, request_.Traces);
        StartBook();
        StartWaveformBook(book_, *samples_, request_.FileInfo.FileName, request_.EventNumber, request_.PeriodRecords,
                          columns.Titles);
        auto rows = std::make_unique<TWaveformRows>(std::move(*samples_), std::move(columns));
        samples_.reset();
        progressTotal_ = rows->TotalValues();
        rows_ = std::move(rows);
        state_ = ValuesSheetState::Rows;
        return;
    }
    TRepeatedMessageFilter oneMessage(stampMessages_);
    const auto range = FindRecordsInInterval(dataFile_, request_.FileInfo, request_.Start, request_.Stop);
    if (!range || valueColumns_ == 0) {
        ShowMessage(kValuesNoRecordMessage, MsgType::Warning, MbOk);
        state_ = ValuesSheetState::Closed;
        return;
    }
    const std::int64_t first = dataFile_.RecordIndex(static_cast<std::uint64_t>(range->First));
    const std::int64_t last = dataFile_.RecordIndex(static_cast<std::uint64_t>(range->Last));
    const std::int64_t periodRecords = last - first + 1;
    if (periodRecords > kExportRecordLimit) ShowMessage(kExportTruncatedMessage, MsgType::Warning, MbOk);
    progressTotal_ = std::min<std::int64_t>(periodRecords, kExportRecordLimit);

    StartBook();
    book_.SetCellText(kValuesTitleRow, kValuesDateColumn, "Date");
    int col = kValuesDateColumn;
    for (const TValueColumn& c : columns_->Columns) book_.SetCellText(kValuesTitleRow, ++col, c.Title);
    rows_ = std::make_unique<TRecordRows>(dataFile_, first, last, std::move(*columns_),
                                          TSheetOrigin{kValuesFirstRow, kValuesDateColumn});
    columns_.reset();
    state_ = ValuesSheetState::Rows;
}

void TValuesSheetJob::StepRows()
{
    TRepeatedMessageFilter oneMessage(stampMessages_);
    const RowsStep step = rows_->Step(book_, counters_);
    const int p = static_cast<int>(
        std::lround(static_cast<double>(counters_.RecordsDone) * 100.0 / static_cast<double>(std::max<std::int64_t>(progressTotal_, 1))));
    if (p > progress_) progress_ = p;
    switch (step) {
    case RowsStep::More: break;
    case RowsStep::End: state_ = ValuesSheetState::Finish; break;
    // The stamp's own message came first; the rows before the record stay.
    case RowsStep::BadStamp: Fail(kValuesErrorMessage); break;
    case RowsStep::ReadFailed: Fail(std::string(kValuesErrorMessage) + "\nThe file cannot be read."); break;
    }
}

void TValuesSheetJob::Fail(const std::string& text)
{
    ShowMessage(text, MsgType::Information, MbOk);
    // A failure before the first row leaves nothing to show; after it the rows written stay.
    state_ = rows_ ? ValuesSheetState::Failed : ValuesSheetState::Closed;
}

void TValuesSheetJob::StepFinish()
{
    rows_.reset();
    dataFile_.Close();
    if (counters_.RowsWritten == 0) {
        ShowMessage(kValuesNoRecordMessage, MsgType::Warning, MbOk);
        return End(false);
    }
    if (request_.Kind == MeasureSamples) FormatWaveformBook(book_, counters_.RowsWritten, valueColumns_);
    else FormatSheet();
    End(true);
}

void TValuesSheetJob::FormatSheet()
{
    const int lastCol = kValuesDateColumn + valueColumns_;
    const int lastRow = kValuesTitleRow + counters_.RowsWritten;
    book_.SetSelection(kValuesTitleRow, kValuesDateColumn, kValuesTitleRow, lastCol);
    book_.SetBorder(2, 1, 1, 1, 1);
    book_.SetFont("Arial", 10, true);
    book_.SetAlignment(3, false, 2, 0);
    book_.SetSelection(kValuesFirstRow, kValuesDateColumn, lastRow, lastCol);
    book_.SetBorder(2, 1, 1, 1, 1);
    book_.AutoFitColumns(-1, kValuesDateColumn, -1, lastCol + 1, false);
    book_.SetMaxCol(lastCol + 2);
    book_.SetRow(1);
    book_.SetCol(1);
    book_.SetSheet(1);
}

void TValuesSheetJob::End(bool sheetShown)
{
    rows_.reset();
    dataFile_.Close();
    sheetShown_ = sheetShown;
    finished_ = true;
}

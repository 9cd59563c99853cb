// Stepping through a record window one record at a time.
#include "export/record_cursor.h"

#include <algorithm>

TRecordCursor::TRecordCursor(TDataFile& file, std::int64_t first, std::int64_t last, std::vector<TRecordColumn> columns,
                             std::int64_t windowRecords)
    : file_(file), next_(first), last_(last), columns_(std::move(columns)), windowRecords_(std::max<std::int64_t>(windowRecords, 1))
{
}

void TRecordCursor::ReadWindow()
{
    windowFirst_ = next_;
    windowLast_ = std::min(last_, next_ + windowRecords_ - 1);
    // Quietly: the stamp's message is shown when the step that meets the record asks for it.
    window_ = ReadRecordWindow(file_, windowFirst_, windowLast_, columns_, false);
}

TRecordCursor::Result TRecordCursor::Next()
{
    if (next_ > last_) return Result::End;
    const std::int64_t read = windowFirst_ + static_cast<std::int64_t>(window_.Count());
    const bool inWindow = next_ >= windowFirst_ && next_ < read;
    // The window stopped short of what it asked for: the record where it stopped is the fault.
    const bool stoppedHere = next_ == read && next_ <= windowLast_;
    if (!inWindow && !stoppedHere) {
        ReadWindow();
        return Next();
    }
    current_ = next_++;
    return inWindow ? Result::Record : Result::Fault;
}

bool TRecordCursor::FaultRecordBytes(Bytes& out) const
{
    return current_ >= 0 && file_.ReadRecord(file_.RecordPosition(current_), out);
}

void TRecordCursor::ShowFaultMessage() const
{
    if (current_ >= 0) ReadRecordWindow(file_, current_, current_, {}, true);
}

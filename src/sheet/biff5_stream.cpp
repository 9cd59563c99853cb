// Counted texts, the BOF check and the damage message of the workbook stream readers.
#include "sheet/biff5_stream.h"

#include "sheet/biff5_records.h"

std::optional<std::string> Biff5CountedText(FieldView d, std::size_t at, int countBytes, CodePageDecoder& decoder)
{
    const std::size_t count = countBytes == 1 ? d.U8(at) : d.U16(at);
    const auto bytes = d.Bytes(at + static_cast<std::size_t>(countBytes), count);
    if (!d.Ok()) return std::nullopt;
    return decoder.ToUtf8(bytes);
}

bool CheckBiff5Bof(const Biff5Record& r, std::uint16_t type, std::string& error)
{
    using namespace biff5;
    FieldView d(r.data);
    const std::uint16_t version = d.U16(0), dt = d.U16(2);
    if (r.id != kBof || !d.Ok()) {
        if ((r.id & 0x00FF) == 0x09 && r.id != kBof)
            error = "The file is a workbook of a spreadsheet version older than Excel 5.0; only Excel 5.0/95 workbooks can be read.";
        else error = "The file is not an Excel 5.0 workbook.";
        return false;
    }
    if (version == kVersionBiff8) {
        error = "The file is an Excel 97 or later workbook; only Excel 5.0/95 workbooks can be read. Save it in the Excel 5.0/95 format first.";
        return false;
    }
    if (version != kVersionBiff5 || dt != type) {
        error = "The file is not an Excel 5.0 workbook.";
        return false;
    }
    return true;
}

bool Biff5Damaged(std::string& error, const std::string& what)
{
    error = "The workbook is damaged (" + what + ").";
    return false;
}

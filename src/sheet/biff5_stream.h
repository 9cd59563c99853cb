// The record stream of an Excel 5.0 workbook as its readers walk it: records from an offset up
// to a limit, byte-counted texts in the book's code page, and the BOF check. Shared by the
// globals reader and the sheet reader; every field is read through a FieldView.
#pragma once

#include "platform/little_endian.h"
#include "sheet/code_page.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct Biff5Record {
    std::uint16_t id = 0;
    std::span<const std::uint8_t> data;
};

// Walks the records of a stream from an offset up to a limit (the stream's end, or where the
// next sheet begins); a record that runs past the limit ends the walk with `damaged` set.
class Biff5RecordWalker {
public:
    Biff5RecordWalker(std::span<const std::uint8_t> stream, std::size_t from, std::size_t limit)
        : stream_(stream.first(std::min(limit, stream.size()))), at_(from)
    {
    }

    // False at the limit or on a damaged record.
    bool Next(Biff5Record& r)
    {
        if (!stream_.Has(at_, 4)) return false;
        r.id = stream_.U16(at_);
        const std::size_t length = stream_.U16(at_ + 2);
        r.data = stream_.Bytes(at_ + 4, length);
        if (!stream_.Ok()) {
            damaged = true;
            return false;
        }
        at_ += 4 + length;
        return true;
    }

    std::size_t Position() const { return at_; }
    bool damaged = false;

private:
    FieldView stream_;
    std::size_t at_;
};

// A byte-counted text at `at` (a count of `countBytes` bytes, 1 or 2) decoded into UTF-8, or
// nothing when it runs past its record.
std::optional<std::string> Biff5CountedText(FieldView d, std::size_t at, int countBytes, CodePageDecoder& decoder);

// Whether a record is the BOF of an Excel 5.0 substream of `type`; else false with the reason.
bool CheckBiff5Bof(const Biff5Record& r, std::uint16_t type, std::string& error);

// Sets "The workbook is damaged (what)." and returns false.
bool Biff5Damaged(std::string& error, const std::string& what);

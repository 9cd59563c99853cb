// Crafted Excel 5.0 workbook streams for the reader's tests: records written from field values,
// and the records of a stream our writer wrote, found and patched by their number.
#pragma once

#include "platform/little_endian.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TF1Book;

// Appends one record (number, length, body) to a stream.
void AppendRecord(ByteWriter& stream, std::uint16_t id, const std::vector<std::uint8_t>& body);
// The body of a BIFF5 BOF record of the globals (type 0x0005) or a worksheet (type 0x0010),
// followed by `trailing` bytes.
std::vector<std::uint8_t> BofBody(std::uint16_t type, const std::vector<std::uint8_t>& trailing = {});
// The body of a sheet-list entry for a worksheet whose BOF is at `offset`.
std::vector<std::uint8_t> SheetEntryBody(std::uint32_t offset, const std::string& name);
// A MULBLANK body: `count` blank cells from column `firstCol` of `row`, each in format `xf`.
std::vector<std::uint8_t> MulBlankBody(int row, int firstCol, int count, std::uint16_t xf);

// Where the body of the n-th record numbered `id` (from 0) starts in a stream; npos when none.
std::size_t FindRecordBody(std::span<const std::uint8_t> stream, std::uint16_t id, int n = 0);
// The workbook stream the writer writes for a book (a failed write fails the test).
std::vector<std::uint8_t> WrittenStream(const TF1Book& book);

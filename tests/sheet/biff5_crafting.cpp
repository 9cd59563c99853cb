// Record-level building and patching of workbook streams for crafted-file tests.
#include "biff5_crafting.h"

#include "sheet/biff5_writer.h"

#include <gtest/gtest.h>

void AppendRecord(ByteWriter& stream, std::uint16_t id, const std::vector<std::uint8_t>& body)
{
    stream.U16(id);
    stream.U16(static_cast<std::uint16_t>(body.size()));
    stream.Bytes(body.data(), body.size());
}

std::vector<std::uint8_t> BofBody(std::uint16_t type, const std::vector<std::uint8_t>& trailing)
{
    ByteWriter body;
    body.U16(0x0500);  // BIFF5
    body.U16(type);
    body.U16(0x096C);
    body.U16(0x07C9);
    body.Bytes(trailing.data(), trailing.size());
    return body.Take();
}

std::vector<std::uint8_t> SheetEntryBody(std::uint32_t offset, const std::string& name)
{
    ByteWriter body;
    body.U32(offset);
    body.U16(0);  // a visible worksheet
    body.U8(static_cast<std::uint8_t>(name.size()));
    body.Chars(name);
    return body.Take();
}

std::vector<std::uint8_t> MulBlankBody(int row, int firstCol, int count, std::uint16_t xf)
{
    ByteWriter body;
    body.U16(static_cast<std::uint16_t>(row));
    body.U16(static_cast<std::uint16_t>(firstCol));
    for (int k = 0; k < count; ++k) body.U16(xf);
    body.U16(static_cast<std::uint16_t>(firstCol + count - 1));
    return body.Take();
}

std::size_t FindRecordBody(std::span<const std::uint8_t> stream, std::uint16_t id, int n)
{
    FieldView view(stream);
    for (std::size_t at = 0; view.Has(at, 4); at += 4 + view.U16(at + 2))
        if (view.U16(at) == id && n-- == 0) return at + 4;
    return std::string::npos;
}

std::vector<std::uint8_t> WrittenStream(const TF1Book& book)
{
    std::string error;
    auto stream = WriteBiff5Stream(book, error);
    EXPECT_TRUE(stream) << error;
    return stream ? *stream : std::vector<std::uint8_t>{};
}

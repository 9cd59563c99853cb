// Bounds-checked little-endian reading and writing of packed binary records.
// The only way the program reads binary files: every read is checked against the bytes present,
// and a short read makes the reader fail (sticky) instead of returning garbage.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(std::span<const std::uint8_t> bytes) : data_(bytes) {}

    bool Ok() const { return ok_; }
    std::size_t Position() const { return pos_; }
    std::size_t Size() const { return data_.size(); }
    std::size_t Remaining() const { return ok_ ? data_.size() - pos_ : 0; }

    // Moves to an absolute position; a position beyond the end fails.
    bool Seek(std::size_t position);
    bool Skip(std::size_t count);

    std::uint8_t U8();
    std::int8_t I8() { return static_cast<std::int8_t>(U8()); }
    std::uint16_t U16();
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::uint32_t U32();
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint64_t U64();
    float F32();
    double F64();
    bool Bool() { return U8() != 0; }
    // A short string stored as a length byte and a fixed field of `capacity` bytes.
    // A length byte above the capacity is corrupt input: the reader fails.
    std::string ShortString(std::size_t capacity);
    // `count` raw bytes as they stand.
    std::string Chars(std::size_t count);
    bool Bytes(void* out, std::size_t count);

    std::span<const std::uint8_t> Rest() const;

private:
    bool Need(std::size_t count);
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void I8(std::int8_t v) { U8(static_cast<std::uint8_t>(v)); }
    void U16(std::uint16_t v);
    void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void U64(std::uint64_t v);
    void F32(float v);
    void F64(double v);
    void Bool(bool v) { U8(v ? 1 : 0); }
    // Writes a length byte and a field of `capacity` bytes, zero-padded. A longer text is never
    // cut: its field is written empty and the writer fails (sticky), keeping the first such text
    // for the caller's message. True when the text fitted.
    bool ShortString(const std::string& text, std::size_t capacity);
    void Chars(const std::string& text) { Bytes(text.data(), text.size()); }
    void Bytes(const void* data, std::size_t count);
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    // Appends `count` zero bytes and returns where they start, for a writer that stores a
    // record's fields into its room itself (valid until the next write).
    std::uint8_t* Extend(std::size_t count)
    {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + count);
        return bytes_.data() + at;
    }

    // False once a text did not fit its short string; TooLong() is that text.
    bool Ok() const { return ok_; }
    const std::string& TooLong() const { return tooLong_; }
    std::size_t Size() const { return bytes_.size(); }
    void Reserve(std::size_t count) { bytes_.reserve(count); }
    const std::vector<std::uint8_t>& Data() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
    bool ok_ = true;
    std::string tooLong_;
};

// A record packed and unpacked by one walk over its fields in file order (io(field) for each),
// so that the two cannot disagree: the walk is called with a FieldPacker, then a FieldUnpacker.
struct FieldPacker {
    ByteWriter& out;
    void operator()(float v) const { out.F32(v); }
    void operator()(std::int16_t v) const { out.I16(v); }
    void operator()(std::int32_t v) const { out.I32(v); }
};
struct FieldUnpacker {
    ByteReader& in;
    void operator()(float& v) const { v = in.F32(); }
    void operator()(std::int16_t& v) const { v = in.I16(); }
    void operator()(std::int32_t& v) const { v = in.I32(); }
};

// Random access to the fields of outside bytes (a record, a file head, a spreadsheet record):
// each field is read at its offset and checked against the bytes present. A field beyond them
// reads as 0 and fails the view, and the failure is sticky, so a reader takes all its fields and
// asks Ok() once.
class FieldView {
public:
    FieldView() = default;
    explicit FieldView(std::span<const std::uint8_t> bytes) : data_(bytes) {}

    bool Ok() const { return ok_; }
    std::size_t Size() const { return data_.size(); }
    // True when `count` bytes at `offset` are present (does not fail the view).
    bool Has(std::size_t offset, std::size_t count) const
    {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    // Fails the view unless `count` bytes at `offset` are present.
    bool Need(std::size_t offset, std::size_t count)
    {
        if (!Has(offset, count)) ok_ = false;
        return ok_;
    }
    void Fail() { ok_ = false; }

    std::uint8_t U8(std::size_t at) { return Has(at, 1) ? data_[at] : Miss<std::uint8_t>(); }
    std::int8_t I8(std::size_t at) { return static_cast<std::int8_t>(U8(at)); }
    std::uint16_t U16(std::size_t at);
    std::int16_t I16(std::size_t at) { return static_cast<std::int16_t>(U16(at)); }
    std::uint32_t U32(std::size_t at);
    std::int32_t I32(std::size_t at) { return static_cast<std::int32_t>(U32(at)); }
    float F32(std::size_t at);
    double F64(std::size_t at);
    // `count` bytes at `at`, or an empty span (the view failed) when they are not all present.
    std::span<const std::uint8_t> Bytes(std::size_t at, std::size_t count)
    {
        if (!Has(at, count)) return Miss<std::span<const std::uint8_t>>();
        return data_.subspan(at, count);
    }
    // A view of `count` bytes at `at`; an empty failed view when they are not all present.
    FieldView Sub(std::size_t at, std::size_t count)
    {
        FieldView sub(Bytes(at, count));
        sub.ok_ = ok_;
        return sub;
    }
    std::span<const std::uint8_t> Data() const { return data_; }

private:
    template <typename T>
    T Miss()
    {
        ok_ = false;
        return T{};
    }
    std::span<const std::uint8_t> data_;
    bool ok_ = true;
};

// Raw little-endian loads, unchecked: the readers above, and the hot record path only (the record
// readers and the record-window reader), where each record's size is checked once and every
// record of a year-long window passes through. Every other reader of outside bytes goes
// through ByteReader or FieldView.
inline std::uint16_t LoadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t LoadU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline float LoadF32(const std::uint8_t* p)
{
    std::uint32_t bits = LoadU32(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
inline void StoreU16(std::uint8_t* p, std::uint16_t v) { p[0] = static_cast<std::uint8_t>(v & 0xFF); p[1] = static_cast<std::uint8_t>(v >> 8); }
inline void StoreU32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Inline: the spreadsheet writer emits millions of fields through these.
inline void ByteWriter::U16(std::uint16_t v)
{
    bytes_.push_back(static_cast<std::uint8_t>(v & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void ByteWriter::U32(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void ByteWriter::U64(std::uint64_t v)
{
    U32(static_cast<std::uint32_t>(v));
    U32(static_cast<std::uint32_t>(v >> 32));
}
inline void ByteWriter::F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }
inline void ByteWriter::F64(double v) { U64(std::bit_cast<std::uint64_t>(v)); }

inline std::uint16_t FieldView::U16(std::size_t at) { return Has(at, 2) ? LoadU16(data_.data() + at) : Miss<std::uint16_t>(); }
inline std::uint32_t FieldView::U32(std::size_t at) { return Has(at, 4) ? LoadU32(data_.data() + at) : Miss<std::uint32_t>(); }
inline float FieldView::F32(std::size_t at) { return Has(at, 4) ? LoadF32(data_.data() + at) : Miss<float>(); }
inline double FieldView::F64(std::size_t at)
{
    if (!Has(at, 8)) return Miss<double>();
    const std::uint64_t bits = LoadU32(data_.data() + at) | (std::uint64_t(LoadU32(data_.data() + at + 4)) << 32);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

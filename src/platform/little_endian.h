// Bounds-checked little-endian reading and writing of packed binary records.
// The only way the program reads binary files: every read is checked against the bytes present,
// and a short read makes the reader fail (sticky) instead of returning garbage.
#pragma once

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
    // Writes a length byte and a field of `capacity` bytes, zero-padded; longer text is cut to
    // the capacity (callers that must not lose text check the length before).
    void ShortString(const std::string& text, std::size_t capacity);
    void Chars(const std::string& text) { Bytes(text.data(), text.size()); }
    void Bytes(const void* data, std::size_t count);
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    std::size_t Size() const { return bytes_.size(); }
    void Reserve(std::size_t count) { bytes_.reserve(count); }
    const std::vector<std::uint8_t>& Data() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Little-endian access to a field inside a buffer the caller has already sized.
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
inline void StoreU16(std::uint8_t* p, std::uint16_t v) { p[0] = v & 0xFF; p[1] = v >> 8; }
inline void StoreU32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

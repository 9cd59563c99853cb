// Bounds-checked little-endian reader and writer.
#include "platform/little_endian.h"

#include <bit>

static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big);

bool ByteReader::Need(std::size_t count)
{
    if (!ok_ || count > data_.size() - pos_) {
        ok_ = false;
        return false;
    }
    return true;
}

bool ByteReader::Seek(std::size_t position)
{
    if (!ok_ || position > data_.size()) {
        ok_ = false;
        return false;
    }
    pos_ = position;
    return true;
}

bool ByteReader::Skip(std::size_t count)
{
    if (!Need(count)) return false;
    pos_ += count;
    return true;
}

std::uint8_t ByteReader::U8()
{
    if (!Need(1)) return 0;
    return data_[pos_++];
}

std::uint16_t ByteReader::U16()
{
    if (!Need(2)) return 0;
    std::uint16_t v = LoadU16(&data_[pos_]);
    pos_ += 2;
    return v;
}

std::uint32_t ByteReader::U32()
{
    if (!Need(4)) return 0;
    std::uint32_t v = LoadU32(&data_[pos_]);
    pos_ += 4;
    return v;
}

std::uint64_t ByteReader::U64()
{
    if (!Need(8)) return 0;
    std::uint64_t lo = LoadU32(&data_[pos_]);
    std::uint64_t hi = LoadU32(&data_[pos_ + 4]);
    pos_ += 8;
    return lo | (hi << 32);
}

float ByteReader::F32()
{
    return std::bit_cast<float>(U32());
}

double ByteReader::F64()
{
    return std::bit_cast<double>(U64());
}

std::string ByteReader::ShortString(std::size_t capacity)
{
    if (!Need(capacity + 1)) return {};
    std::size_t length = data_[pos_];
    if (length > capacity) {
        ok_ = false;
        return {};
    }
    std::string text(reinterpret_cast<const char*>(&data_[pos_ + 1]), length);
    pos_ += capacity + 1;
    return text;
}

std::string ByteReader::Chars(std::size_t count)
{
    if (!Need(count)) return {};
    std::string text(reinterpret_cast<const char*>(&data_[pos_]), count);
    pos_ += count;
    return text;
}

bool ByteReader::Bytes(void* out, std::size_t count)
{
    if (!Need(count)) return false;
    std::memcpy(out, &data_[pos_], count);
    pos_ += count;
    return true;
}

std::span<const std::uint8_t> ByteReader::Rest() const
{
    if (!ok_) return {};
    return data_.subspan(pos_);
}

bool ByteWriter::ShortString(const std::string& text, std::size_t capacity)
{
    const bool fits = text.size() <= capacity && text.size() <= 255;
    if (!fits && ok_) {
        ok_ = false;
        tooLong_ = text;
    }
    const std::size_t length = fits ? text.size() : 0;
    U8(static_cast<std::uint8_t>(length));
    Bytes(text.data(), length);
    Zeros(capacity - length);
    return fits;
}

void ByteWriter::Bytes(const void* data, std::size_t count)
{
    auto p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + count);
}

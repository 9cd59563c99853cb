// The interned texts of a book.
#include "sheet/text_pool.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {
// Blocks grow from a few hundred bytes (a report sheet) to a megabyte (a sheet of 16000 rows), so the
// room left unused in the last block stays small beside what the others hold.
constexpr std::size_t kFirstBlock = 256;
constexpr std::size_t kLargestBlock = 1 << 20;
}  // namespace

// A copy holds the same texts under the same ids, in blocks of its own.
TextPool& TextPool::operator=(const TextPool& other)
{
    if (this == &other) return *this;
    Clear();
    for (std::string_view text : other.texts_) Intern(text);
    return *this;
}

TextPool& TextPool::operator=(TextPool&& other) noexcept
{
    if (this == &other) return *this;
    texts_ = std::move(other.texts_);
    blocks_ = std::move(other.blocks_);
    slots_ = std::move(other.slots_);
    blockAt_ = other.blockAt_;
    blockFree_ = other.blockFree_;
    other.Clear();
    return *this;
}

void TextPool::Clear()
{
    texts_.clear();
    blocks_.clear();
    blockAt_ = nullptr;
    blockFree_ = 0;
    slots_.clear();
}

std::size_t TextPool::Slot(std::string_view text) const
{
    return std::hash<std::string_view>{}(text) & (slots_.size() - 1);
}

const char* TextPool::Store(std::string_view text)
{
    if (text.empty()) return "";
    if (text.size() > blockFree_) {
        const std::size_t next = blocks_.size() < 12 ? kFirstBlock << blocks_.size() : kLargestBlock;
        const std::size_t size = std::max(std::min(next, kLargestBlock), text.size());
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        blockAt_ = blocks_.back().get();
        blockFree_ = size;
    }
    char* at = blockAt_;
    std::memcpy(at, text.data(), text.size());
    blockAt_ += text.size();
    blockFree_ -= text.size();
    return at;
}

void TextPool::Rehash(std::size_t slots)
{
    slots_.assign(slots, 0);
    for (std::uint32_t id = 0; id < texts_.size(); ++id) {
        std::size_t s = Slot(texts_[id]);
        while (slots_[s]) s = (s + 1) & (slots - 1);
        slots_[s] = id + 1;
    }
}

std::uint32_t TextPool::Intern(std::string_view text)
{
    // At most three quarters of the slots are in use, so a probe ends soon.
    if (4 * (texts_.size() + 1) > 3 * slots_.size()) Rehash(std::max<std::size_t>(64, 2 * slots_.size()));
    std::size_t s = Slot(text);
    for (; slots_[s]; s = (s + 1) & (slots_.size() - 1))
        if (texts_[slots_[s] - 1] == text) return slots_[s] - 1;
    const auto id = static_cast<std::uint32_t>(texts_.size());
    texts_.emplace_back(Store(text), text.size());
    slots_[s] = id + 1;
    return id;
}

void TextPool::Compact(const std::vector<bool>& used, std::vector<std::uint32_t>& newId)
{
    TextPool kept;
    newId.assign(texts_.size(), 0);
    for (std::uint32_t id = 0; id < texts_.size(); ++id)
        if (id < used.size() && used[id]) newId[id] = kept.Intern(texts_[id]);
    *this = std::move(kept);
}

// The texts of a book's cells, each distinct text kept once and named by a small id, so that a
// text cell holds 4 bytes of it and a sheet of 16000 rows allocates nothing per cell. Texts lie in
// large blocks that never move; a view stays valid until the pool is cleared or compacted.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

class TextPool {
public:
    TextPool() = default;
    TextPool(const TextPool& other) { *this = other; }
    TextPool& operator=(const TextPool& other);
    // A pool moved from is left empty: its free room belongs to the pool it moved to.
    TextPool(TextPool&& other) noexcept { *this = std::move(other); }
    TextPool& operator=(TextPool&& other) noexcept;

    // The id of `text`, added when the pool does not hold it yet.
    std::uint32_t Intern(std::string_view text);
    std::string_view Get(std::uint32_t id) const { return id < texts_.size() ? texts_[id] : std::string_view(); }
    std::size_t Count() const { return texts_.size(); }
    void Clear();
    // Keeps only the texts whose ids `used` marks; `newId` receives each kept text's new id.
    void Compact(const std::vector<bool>& used, std::vector<std::uint32_t>& newId);

private:
    const char* Store(std::string_view text);
    void Rehash(std::size_t slots);
    std::size_t Slot(std::string_view text) const;

    std::vector<std::string_view> texts_;  // by id, into blocks_
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* blockAt_ = nullptr;           // the free room of the last block
    std::size_t blockFree_ = 0;
    std::vector<std::uint32_t> slots_;  // open addressing: id + 1, 0 for an empty slot
};

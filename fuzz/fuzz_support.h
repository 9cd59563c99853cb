// What every fuzz target shares: a scratch program folder of its own per process (ProgDir, with
// DataDir and SheetDir under it) in which inputs become files, a message seam that records
// instead of showing, snapshots of a folder to prove that a refused input wrote and deleted
// nothing, splitting one input into the parts a reader takes, and the check that ends the run
// with a finding when a rule does not hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_io.h"
#include "platform/scripted_messages.h"

namespace fuzz {

// Prints the broken rule and aborts: libFuzzer keeps the input as a finding.
[[noreturn]] void Broken(const char* rule, const char* file, int line);
#define FUZZ_CHECK(holds) ((holds) ? void() : ::fuzz::Broken(#holds, __FILE__, __LINE__))

// The message seam of a run: it records every box; a question is answered with its first
// button (OK, Yes, Retry) eight times, then given up (Cancel, No, Abort), so a reader that asks
// again and again ends.
class Answers : public ScriptedMessages {
public:
    MsgButton Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption) override;
};

// One input's run: the scratch folder emptied (its data/ and sheet/ folders made again) and a
// recording message seam, both for the lifetime of the run.
class Run {
public:
    Run();
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    const std::string& Folder() const;          // ProgDir, ending with "/"
    std::string Path(std::string_view name) const;  // a file in it
    Answers messages;
};

// Writes the bytes to `path` (a scratch path), replacing what was there.
std::string WriteInput(const std::string& path, std::span<const std::uint8_t> bytes);

// Every file below `folder` with its bytes, by its path inside the folder.
using FolderSnapshot = std::map<std::string, Bytes>;
FolderSnapshot Snapshot(const std::string& folder);

// Takes an input apart: bytes and numbers from the front, the rest as it stands.
class InputParts {
public:
    explicit InputParts(std::span<const std::uint8_t> input) : rest_(input) {}
    std::uint8_t Byte();  // 0 when nothing is left
    // A part of at most `max` bytes whose length is the next 16-bit number.
    std::span<const std::uint8_t> Part(std::size_t max = 0xFFFF);
    std::span<const std::uint8_t> Rest() const { return rest_; }

private:
    std::span<const std::uint8_t> rest_;
};

// Appends a part as InputParts::Part takes it: its 16-bit length, then at most 65535 bytes.
void AppendPart(Bytes& input, std::span<const std::uint8_t> part);

// A C library's text for a value that is no number ("nan", "-nan", "inf"), which no shown text
// may hold.
bool ShowsNonNumber(std::string_view text);

}  // namespace fuzz

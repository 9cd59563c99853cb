// Runs a fuzz target's input function on files, for the normal build and its tests: each
// argument is a file or a folder of files (missing folders are skipped), read in name order.
// A broken rule aborts, so the test fails.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/file_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::recursive_directory_iterator(path))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
        } else if (fs::exists(path)) {
            inputs.push_back(path);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs) {
        const auto bytes = ReadWholeFile(input.string());
        if (!bytes) {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 1;
        }
        std::fprintf(stderr, "%s\n", input.c_str());  // names the input a broken rule stops at
        LLVMFuzzerTestOneInput(bytes->data(), bytes->size());
    }
    std::printf("%zu inputs\n", inputs.size());
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target over files and folders given on the command line, so that the
// seed corpus and every input that once failed are checked in the ordinary test run.
// A path that does not exist fails the replay, so that lost seeds do not pass as an
// empty corpus; only a path after --may-be-missing (a target's regressions, which it
// may not have yet) may be absent.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    size_t count = 0;
    bool optional = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--may-be-missing") == 0) {
            optional = true;
            continue;
        }
        const bool mayBeMissing = optional;
        optional = false;
        const std::filesystem::path arg(argv[i]);
        std::error_code ec;
        if (!std::filesystem::exists(arg, ec)) {
            if (mayBeMissing)
                continue;
            std::fprintf(stderr, "no such seed file or folder: %s\n", argv[i]);
            return 1;
        }
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(arg)) {
            for (const auto& e : std::filesystem::recursive_directory_iterator(arg))
                if (e.is_regular_file())
                    files.push_back(e.path());
        } else {
            files.push_back(arg);
        }
        if (files.empty() && !mayBeMissing) {
            std::fprintf(stderr, "no inputs in %s\n", argv[i]);
            return 1;
        }
        for (const auto& f : files) {
            std::ifstream in(f, std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++count;
        }
    }
    std::printf("%zu inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}

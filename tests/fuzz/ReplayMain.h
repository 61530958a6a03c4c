#pragma once

// Built without LORVANE_FUZZ, a fuzz target replays the files given on its
// command line (or the files of the folders given), so that its corpus runs
// as an ordinary test.

#ifndef LORVANE_FUZZ
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    const auto replay = [](const std::filesystem::path& file) {
        std::ifstream stream(file, std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(content.data()), content.size());
    };
    int replayed = 0;
    for (int argument = 1; argument < argc; ++argument) {
        const std::filesystem::path path = argv[argument];
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                replay(entry.path());
                ++replayed;
            }
        } else {
            replay(path);
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
#endif

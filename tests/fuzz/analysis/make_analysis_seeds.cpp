// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of the statistics' fuzz target: make_analysis_seeds OUTPUT_FOLDER
#include "model/JournalFile.h"
#include "tests/analysis/TestJournals.h"
#include "tests/support/Samples.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

void put(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_analysis_seeds OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    put(out / "sample.kva", JournalFile::encode(samples::journal("")));
    put(out / "protected.kva", JournalFile::encode(samples::journal("secret")));
    // Indexes outside the framework survive a store and load, so these reach the statistics as they are.
    put(out / "damaged-1.kva", JournalFile::encode(testjournals::randomJournal(1, true)));
    put(out / "damaged-2.kva", JournalFile::encode(testjournals::randomJournal(2, true)));
    put(out / "mixed-scales.kva", JournalFile::encode(testjournals::randomJournal(3, false)));
    // A scale maximum far above its options once made the ranking page loop for billions of scores.
    JournalRecord hostile = samples::journal("");
    hostile.framework.scales.at(0).maximum = 2147483647;
    put(out / "hostile-scale.kva", JournalFile::encode(hostile));
    // Bytes that are no journal file: the target shapes them into a journal directly.
    put(out / "shaped.bin", std::string("\x03\x02\x41\x42\x01\x43\x02\x04\x00\x01\x02\x03\x02\x05\x00\x00\x01"
                                        "\x05\x00\x02\x00\x01\x01\x07\xff\x7f\xff\xff\xff\x03\x09\x01\x00\x00",
                                        34));
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of the file readers' fuzz targets: make_seed_corpus OUTPUT_FOLDER
#include "model/JournalFile.h"
#include "model/RoleFile.h"
#include "tests/fuzz/FixedSealKey.h"
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
        std::cerr << "usage: make_seed_corpus OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    put(out / "role/sample.kvr", RoleFile::encode(samples::role()));
    put(out / "role/default.kvr", RoleFile::encode(CRole::makeDefault()));
    put(out / "journal/protected.kva", JournalFile::encode(samples::journal("secret")));
    put(out / "journal/open.kva", JournalFile::encode(samples::journal("")));
    CPavexDoc request = samples::journal("secret");
    request.request = 1;
    request.framework.descriptionsFlag = 0;
    request.actions.clear();
    request.questionnaires.resize(1);
    put(out / "journal/answered-request.kvq", JournalFile::encode(request));
    // The sealed journal's target: a mode byte, then an envelope (0) or the ordinary bytes it seals (2).
    vault::SealKey key;
    fillFixedSealKey(key);
    const std::string plain = JournalFile::encode(samples::journal("secret"));
    put(out / "sealed/envelope", '\0' + vault::sealWithKey(plain, key, fixedSealHead()));
    put(out / "sealed/to-seal", '\2' + plain);
    put(out / "sealed/open-to-seal", '\2' + JournalFile::encode(samples::journal("")));
    put(out / "reply/protected.kvi", samples::webReply("secret").encode());
    put(out / "reply/open.kvi", samples::webReply("").encode());
    return 0;
}

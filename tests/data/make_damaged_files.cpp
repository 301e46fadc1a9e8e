// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the damaged files the readers' tests open: make_damaged_files OUTPUT_FOLDER
// (the checked-in set lives in tests/data/damaged). Each file is a sound file of the suite with
// one named fault, made from the records themselves so no byte offset is counted by hand.
#include "model/Archive.h"
#include "model/JournalFile.h"
#include "model/RoleFile.h"
#include "model/WebReply.h"
#include "tests/support/Samples.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

void put(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string withoutLast(const std::string& bytes, std::size_t count) {
    return bytes.substr(0, bytes.size() - count);
}

// An open journal's head followed by a questionnaire count no journal can hold.
std::string journalWithTooManyQuestionnaires() {
    ArchiveWriter out;
    out.writeScrambleHeader("");
    out.writeScrambledText("Alex Example");
    out.writeInt(0);  // not a request
    out.writeInt(33); // questionnaires: one more than a journal holds
    out.writeInt(0);  // actions
    return out.takeBytes();
}

// An open journal whose last record, an action, carries a version no writer has produced yet.
std::string journalWithFutureActionVersion() {
    CPavexDoc journal = samples::journal("");
    journal.actions.resize(1);
    const std::string bytes = JournalFile::encode(journal);
    ArchiveWriter sound;
    journal.actions.back().store(sound);
    ArchiveWriter future;
    future.writeInt(CPavexAction::kCurrentVersion + 1);
    future.writeRaw(sound.bytes().data() + 4, sound.bytes().size() - 4);
    return withoutLast(bytes, sound.bytes().size()) + future.bytes();
}

std::string roleWithFormat(std::int32_t format) {
    ArchiveWriter out;
    out.writeInt(format);
    samples::role().store(out);
    return out.takeBytes();
}

// The format number, then a text length that starts but ends with the file.
std::string roleCutInsideItsName() {
    ArchiveWriter out;
    out.writeInt(CRole::kFileFormat);
    out.writeRaw("\x05", 1);
    return out.takeBytes();
}

// The name's length prefix marks a wide text twice over (then an empty one), which no writer does.
std::string roleWithImpossibleNameLength() {
    ArchiveWriter out;
    out.writeInt(CRole::kFileFormat);
    out.writeRaw("\xFF\xFE\xFF\xFF\xFE\xFF\x00", 7);
    return out.takeBytes();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_damaged_files OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    put(out / "journal-empty.kva", "");
    put(out / "journal-cut-short.kva", withoutLast(JournalFile::encode(samples::journal("")), 3));
    put(out / "journal-too-many-questionnaires.kva", journalWithTooManyQuestionnaires());
    put(out / "journal-future-action-version.kva", journalWithFutureActionVersion());
    put(out / "role-format-2.kvr", roleWithFormat(2));
    put(out / "role-cut-inside-its-name.kvr", roleCutInsideItsName());
    put(out / "role-impossible-name-length.kvr", roleWithImpossibleNameLength());
    put(out / "role-plain-text.kvr", "not a role");
    put(out / "reply-cut-short.kvi", withoutLast(samples::webReply("secret").encode(), 1));
    return 0;
}

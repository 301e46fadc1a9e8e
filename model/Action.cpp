// SPDX-License-Identifier: GPL-3.0-or-later
#include "Action.h"

std::string CPavexAction::normalisedActionText(std::string_view typed) {
    const std::size_t first = typed.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return "<unspecified>";
    }
    return std::string(typed.substr(first));
}

void CPavexAction::store(ArchiveWriter& out) const {
    out.writeInt(kCurrentVersion);
    out.writeInt(behaviour);
    out.writeScrambledText(action);
    out.writeDate(doBy);
    out.writeScrambledText(support);
    out.writeScrambledText(situation);
    out.writeScrambledText(measure);
    out.writeInt(completed);
}

bool CPavexAction::load(ArchiveReader& in) {
    CPavexAction read;
    read.version = in.readInt();
    if (in.ok() && (read.version < 1 || read.version > kCurrentVersion)) {
        in.fail(ReadStatus::Unsupported, "the action version " + std::to_string(read.version) + " is not supported");
    }
    read.behaviour = in.readInt();
    read.action = in.readScrambledText();
    read.doBy = in.readDate();
    read.support = in.readScrambledText();
    if (read.version >= 2) {
        read.situation = in.readScrambledText();
        read.measure = in.readScrambledText();
    }
    read.completed = in.readInt();
    if (!in.ok()) {
        return false;
    }
    *this = std::move(read);
    return true;
}

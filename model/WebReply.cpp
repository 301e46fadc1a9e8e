// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebReply.h"

std::string CWebReply::encode() const {
    ArchiveWriter out;
    out.writeScrambleHeader(password);
    out.writeScrambledText(assessor);
    out.writeScrambledText(roleName);
    out.writeScrambledText(responses);
    out.writeScrambledText(relationship);
    out.writeDate(date);
    out.writeScrambledText(details);
    return out.takeBytes();
}

ReadOutcome CWebReply::decode(std::string_view bytes) {
    ArchiveReader in(bytes);
    CWebReply read;
    in.readScrambleHeader(read.scrambleSwitch, read.seed, read.password);
    read.assessor = in.readScrambledText();
    read.roleName = in.readScrambledText();
    read.responses = in.readScrambledText();
    read.relationship = in.readScrambledText();
    read.date = in.readDate();
    read.details = in.readScrambledText();
    if (!in.ok()) {
        return ReadOutcome::fromReader(in);
    }
    *this = std::move(read);
    return {};
}

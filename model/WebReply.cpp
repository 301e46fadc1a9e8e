#include "WebReply.h"

std::string CWebReply::encode() const {
    ArchiveWriter out;
    out.scrambler().setKey(password);
    const bool on = out.scrambler().isOn();
    out.writeInt(on ? 1 : 0);
    out.writeInt(on ? out.scrambler().seed() : 0);
    out.writeScrambledText(password);
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
    read.scrambleSwitch = in.readInt();
    read.seed = in.readInt();
    in.scrambler().setState(read.scrambleSwitch != 0, read.seed);
    read.password = in.readScrambledText();
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

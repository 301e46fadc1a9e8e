// SPDX-License-Identifier: GPL-3.0-or-later
#include "Feedback.h"

bool CPavexFeedback::sameAnswersAs(const CPavexFeedback& other) const {
    return sameHeadingAs(other) && responses == other.responses;
}

bool CPavexFeedback::sameHeadingAs(const CPavexFeedback& other) const {
    // The date compares by value, not as stored bits: the duplicate check has always done so.
    return assessor == other.assessor && relationship == other.relationship && date.status == other.date.status &&
           date.value == other.date.value && details == other.details;
}

void CPavexFeedback::store(ArchiveWriter& out) const {
    out.writeInt(1);
    out.writeText(assessor);
    out.writeInt(relationship);
    out.writeScrambledText(details);
    out.writeDate(date);
    out.writeInt(useInResults);
    out.writeScrambledInt(static_cast<std::int32_t>(responses.size()));
    for (const CResponse& response : responses) {
        out.writeScrambledInt(response.behaviour);
        out.writeScrambledInt(response.option);
    }
}

bool CPavexFeedback::load(ArchiveReader& in) {
    CPavexFeedback read;
    in.readInt(); // record version: there has only ever been one layout
    read.assessor = in.readText();
    read.relationship = in.readInt();
    read.details = in.readScrambledText();
    read.date = in.readDate();
    read.useInResults = in.readInt();
    const std::int32_t count = in.readScrambledCount(kMaxResponses, "responses");
    read.responses.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count && in.ok(); ++i) {
        CResponse response;
        response.behaviour = in.readScrambledInt();
        response.option = in.readScrambledInt();
        read.responses.push_back(response);
    }
    if (!in.ok()) {
        return false;
    }
    *this = std::move(read);
    return true;
}

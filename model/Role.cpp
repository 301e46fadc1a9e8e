// SPDX-License-Identifier: GPL-3.0-or-later
#include "Role.h"

#include "Archive.h"

const std::array<std::string, kRelationshipCount>& defaultRelationshipLabels() {
    static const std::array<std::string, kRelationshipCount> labels = {"Self", "Manager",  "Direct Report",
                                                                       "Peer", "Customer", "Other"};
    return labels;
}

CResponseScale defaultResponseScale() {
    CResponseScale scale;
    scale.optionCount = 4;
    scale.labels = {"Not needed", "Priority for action", "Not always consistent", "Clear strength", "", ""};
    scale.values = {-1, 0, 1, 2, 0, 0};
    scale.maximum = 2;
    return scale;
}

CRole CRole::makeDefault() {
    CRole role;
    role.framework.reset();
    role.framework.scales.push_back(defaultResponseScale());
    role.relationshipLabels = defaultRelationshipLabels();
    role.competencyTerm = "Competency";
    role.behaviourTerm = "Behaviour";
    return role;
}

void CRole::store(ArchiveWriter& out) const {
    out.writeText(name);
    out.writeText(description);
    for (const std::string& label : relationshipLabels) {
        out.writeText(label);
    }
    out.writeText(behaviourTerm);
    out.writeText(competencyTerm);
    framework.store(out);
}

bool CRole::load(ArchiveReader& in) {
    CRole read;
    read.name = in.readText();
    read.description = in.readText();
    for (std::string& label : read.relationshipLabels) {
        label = in.readText();
    }
    read.behaviourTerm = in.readText();
    read.competencyTerm = in.readText();
    if (!in.ok() || !read.framework.load(in)) {
        return false;
    }
    *this = std::move(read);
    return true;
}

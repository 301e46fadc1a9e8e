// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvrole/core/RoleEditor.h"

#include <string>
#include <vector>

// A role's lists written compactly: one line per competency, "name:statement,statement".
using RoleOutline = std::vector<std::string>;

inline RoleOutline outlineOf(const CPavexFramework& framework) {
    RoleOutline result;
    for (std::size_t c = 0; c < framework.competencies.size(); ++c) {
        std::string line = framework.competencies[c].name + ":";
        bool first = true;
        for (const CBehaviour& behaviour : framework.behaviours) {
            if (behaviour.competency == static_cast<int>(c)) {
                line += (first ? "" : ",") + behaviour.statement;
                first = false;
            }
        }
        result.push_back(line);
    }
    return result;
}

// Appends the outline's competencies and behaviours to the framework.
inline void appendOutline(CPavexFramework& framework, const RoleOutline& lines) {
    for (const std::string& line : lines) {
        const auto colon = line.find(':');
        const int competency = static_cast<int>(framework.competencies.size());
        framework.competencies.push_back({line.substr(0, colon), ""});
        std::string rest = line.substr(colon + 1);
        while (!rest.empty()) {
            const auto comma = rest.find(',');
            kvrole::editing::insertBehaviour(framework, static_cast<int>(framework.behaviours.size()), competency,
                                             rest.substr(0, comma));
            rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/CsvMerge.h"

#include "kvrole/core/CsvLine.h"
#include "kvrole/core/RoleEditor.h"
#include "model/AtomicFile.h"

#include <algorithm>

namespace kvrole {

namespace {

// The competency a line without one goes to, in a role that has none yet.
constexpr std::string_view kFirstCompetencyName = "Competency";

template <typename List, typename Matches> std::optional<int> indexOf(const List& list, Matches matches) {
    const auto found = std::find_if(list.begin(), list.end(), matches);
    if (found == list.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - list.begin());
}

} // namespace

std::optional<int> CsvMerge::competencyNamed(const std::string& name) const {
    return indexOf(m_role.framework.competencies, [&name](const CCompetency& c) { return c.name == name; });
}

std::optional<int> CsvMerge::behaviourStating(const std::string& statement) const {
    return indexOf(m_role.framework.behaviours, [&statement](const CBehaviour& b) { return b.statement == statement; });
}

CsvMerge::LineOutcome CsvMerge::mergeLine(std::string_view line) {
    const CsvFields fields = splitCsvLine(line);
    if (fields.statement.empty() && fields.competency.empty()) {
        return LineOutcome::Unusable;
    }
    CPavexFramework& framework = m_role.framework;
    const std::string& competencyName =
        fields.competency.empty() ? std::string(kFirstCompetencyName) : fields.competency;

    // Without a competency name the behaviour goes to the first competency, whatever its name.
    std::optional<int> competency = fields.competency.empty() && !framework.competencies.empty()
                                        ? std::optional<int>(0)
                                        : competencyNamed(competencyName);
    const std::optional<int> behaviour = fields.statement.empty() ? std::nullopt : behaviourStating(fields.statement);

    const bool needsCompetency = !competency.has_value();
    const bool needsBehaviour = !fields.statement.empty() && !behaviour.has_value();
    if ((needsCompetency && framework.competencies.size() >= static_cast<std::size_t>(kMaxCompetencies)) ||
        (needsBehaviour && framework.behaviours.size() >= static_cast<std::size_t>(kMaxEditorBehaviours))) {
        return LineOutcome::Skipped;
    }
    if (needsCompetency) {
        framework.competencies.push_back(CCompetency{competencyName, {}});
        competency = static_cast<int>(framework.competencies.size()) - 1;
    }
    // A line that names only a competency adds just the competency.
    if (fields.statement.empty()) {
        return LineOutcome::Merged;
    }
    if (needsBehaviour) {
        editing::insertBehaviour(framework, static_cast<int>(framework.behaviours.size()), *competency,
                                 fields.statement);
    } else {
        framework.behaviours[static_cast<std::size_t>(*behaviour)].competency = *competency;
    }
    return LineOutcome::Merged;
}

CsvMergeResult CsvMerge::mergeText(std::string_view text) {
    CsvMergeResult result;
    for (std::string_view line : csvLines(text)) {
        switch (mergeLine(line)) {
        case LineOutcome::Merged:
            ++result.usableLines;
            break;
        case LineOutcome::Skipped:
            ++result.skippedWhenFull;
            break;
        case LineOutcome::Unusable:
            break;
        }
    }
    editing::restoreOrder(m_role.framework);
    return result;
}

std::optional<CsvMergeResult> CsvMerge::mergeFile(const std::string& path) {
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, &error);
    if (!bytes) {
        return std::nullopt;
    }
    return mergeText(*bytes);
}

} // namespace kvrole

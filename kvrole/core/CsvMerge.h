// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Role.h"

#include <optional>
#include <string>
#include <string_view>

namespace kvrole {

// What a merge did.
struct CsvMergeResult {
    int usableLines = 0;     // lines that named a behaviour or a competency; each marks the role modified
    int skippedWhenFull = 0; // lines left out because they needed a competency or behaviour beyond the limits
    bool modified() const { return usableLines > 0; }
};

// Merges a file of behaviours into a role. Competencies and behaviours are matched by their exact
// text, so a second merge of the same file changes nothing and a behaviour named again under
// another competency moves there. Appended behaviours join their competency's group after those it
// already had.
//
// A line that would need a competency beyond kMaxCompetencies or a behaviour beyond the editor's
// limit (kMaxEditorBehaviours) is skipped, so a merged role stays within what the editor makes and
// a questionnaire answers.
class CsvMerge {
public:
    explicit CsvMerge(CRole& role) : m_role(role) {}

    // `text` is in the files' code page (see csvText in LineText.h); any line ends.
    CsvMergeResult mergeText(std::string_view text);
    // The file's bytes as they are. Nothing when the file cannot be read; the role is then unchanged.
    std::optional<CsvMergeResult> mergeFile(const std::string& path);

private:
    enum class LineOutcome { Unusable, Merged, Skipped };
    LineOutcome mergeLine(std::string_view line);
    std::optional<int> competencyNamed(const std::string& name) const;
    std::optional<int> behaviourStating(const std::string& statement) const;

    CRole& m_role;
};

} // namespace kvrole

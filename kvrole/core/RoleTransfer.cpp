// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/RoleTransfer.h"

#include <algorithm>
#include <cstddef>

namespace kvrole::transfer {

namespace {

bool isLineBreak(char c) {
    return c == '\n' || c == '\r';
}

// A text as one cell of the table: the characters that separate cells and rows become spaces.
std::string asCell(std::string_view text) {
    std::string cell(text);
    std::replace_if(
        cell.begin(), cell.end(), [](char c) { return c == '\t' || isLineBreak(c); }, ' ');
    return cell;
}

void appendLine(std::string& out, std::string_view first, const std::string* second) {
    out += asCell(first);
    if (second) {
        out += '\t';
        out += asCell(*second);
    }
    out += "\r\n";
}

bool validCompetency(const CPavexFramework& framework, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < framework.competencies.size();
}

bool validBehaviour(const CPavexFramework& framework, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < framework.behaviours.size();
}

bool validItem(const CPavexFramework& framework, ItemRef item) {
    switch (item.kind) {
    case ItemRef::Kind::Competency:
        return validCompetency(framework, item.index);
    case ItemRef::Kind::Behaviour:
        return validBehaviour(framework, item.index) &&
               validCompetency(framework, framework.behaviours[static_cast<std::size_t>(item.index)].competency);
    case ItemRef::Kind::Root:
        break;
    }
    return true;
}

const CBehaviour& behaviourAt(const CPavexFramework& framework, int index) {
    return framework.behaviours[static_cast<std::size_t>(index)];
}

int behaviourCount(const CPavexFramework& framework) {
    return static_cast<int>(framework.behaviours.size());
}
int competencyCount(const CPavexFramework& framework) {
    return static_cast<int>(framework.competencies.size());
}

// The competency a drop or a paste on `item` belongs to; the root stands for "after the last".
int competencyFor(const CPavexFramework& framework, ItemRef item) {
    switch (item.kind) {
    case ItemRef::Kind::Competency:
        return item.index;
    case ItemRef::Kind::Behaviour:
        return behaviourAt(framework, item.index).competency;
    case ItemRef::Kind::Root:
        break;
    }
    return competencyCount(framework);
}

// Reads one cell from `at`: leading spaces skipped, trailing white space trimmed. Leaves `at` on
// the character that ended the cell (a tab, a line break or the end).
std::string readCell(std::string_view text, std::size_t& at) {
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    const std::size_t start = at;
    while (at < text.size() && text[at] != '\t' && !isLineBreak(text[at])) {
        ++at;
    }
    std::string_view cell = text.substr(start, at - start);
    while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t' || cell.back() == '\v' || cell.back() == '\f')) {
        cell.remove_suffix(1);
    }
    return std::string(cell);
}

struct Columns {
    int names = 0;
    int statements = 1;
};

// The column whose longest cell is longer holds the statements; on a tie the first holds names.
Columns chooseColumns(const PasteTable& table) {
    std::size_t longest[2] = {0, 0};
    for (const auto& row : table.rows) {
        longest[0] = std::max(longest[0], row[0].size());
        longest[1] = std::max(longest[1], row[1].size());
    }
    return longest[0] > longest[1] ? Columns{1, 0} : Columns{0, 1};
}

int distinctNames(const PasteTable& table, int column) {
    std::vector<std::string> names;
    for (const auto& row : table.rows) {
        const std::string& name = row[static_cast<std::size_t>(column)];
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(name);
        }
    }
    return static_cast<int>(names.size());
}

bool fits(const CPavexFramework& framework, int newCompetencies, int newBehaviours) {
    return competencyCount(framework) + newCompetencies <= kMaxCompetencies &&
           (newBehaviours == 0 || behaviourCount(framework) + newBehaviours <= kMaxEditorBehaviours);
}

void appendBehaviour(CPavexFramework& framework, int competency, std::string statement) {
    editing::insertBehaviour(framework, editing::endOfCompetency(framework, competency), competency,
                             std::move(statement));
}

PasteOutcome pasteOneColumn(CPavexFramework& framework, ItemRef selected, const PasteTable& table,
                            UserPrompts& prompts) {
    const int rows = static_cast<int>(table.rows.size());
    const bool addsCompetencies = selected.kind == ItemRef::Kind::Root;
    if (!fits(framework, addsCompetencies ? rows : 0, addsCompetencies ? 0 : rows)) {
        prompts.message(kPasteDoesNotFit);
        return {};
    }
    switch (selected.kind) {
    case ItemRef::Kind::Competency:
        for (const auto& row : table.rows) {
            appendBehaviour(framework, selected.index, row[0]);
        }
        return {true, selected};
    case ItemRef::Kind::Behaviour: {
        const int competency = behaviourAt(framework, selected.index).competency;
        int position = selected.index;
        for (const auto& row : table.rows) {
            editing::insertBehaviour(framework, position++, competency, row[0]);
        }
        return {true, ItemRef::competency(competency)};
    }
    case ItemRef::Kind::Root:
        for (const auto& row : table.rows) {
            editing::insertCompetency(framework, competencyCount(framework), row[0]);
        }
        break;
    }
    return {true, ItemRef::root()};
}

PasteOutcome pasteTwoColumns(CPavexFramework& framework, ItemRef selected, const PasteTable& table,
                             UserPrompts& prompts) {
    const Columns columns = chooseColumns(table);
    if (!fits(framework, distinctNames(table, columns.names), static_cast<int>(table.rows.size()))) {
        prompts.message(kPasteDoesNotFit);
        return {};
    }
    std::vector<std::pair<std::string, int>> created; // the competencies this paste made, by name
    int next = competencyFor(framework, selected);
    for (const auto& row : table.rows) {
        const std::string& name = row[static_cast<std::size_t>(columns.names)];
        auto found = std::find_if(created.begin(), created.end(), [&name](const auto& c) { return c.first == name; });
        int competency = 0;
        if (found != created.end()) {
            competency = found->second;
        } else {
            // Every competency made so far lies before `next`, so their indices stay valid.
            competency = next++;
            editing::insertCompetency(framework, competency, name);
            created.emplace_back(name, competency);
        }
        appendBehaviour(framework, competency, row[static_cast<std::size_t>(columns.statements)]);
    }
    return {true, ItemRef::root()};
}

std::optional<ItemRef> moveCompetency(CPavexFramework& framework, int dragged, ItemRef target) {
    const int destination = competencyFor(framework, target);
    if (destination == dragged || destination == dragged + 1) {
        return std::nullopt;
    }
    const CCompetency competency = framework.competencies[static_cast<std::size_t>(dragged)];
    std::vector<CBehaviour> behaviours;
    for (const CBehaviour& behaviour : framework.behaviours) {
        if (behaviour.competency == dragged) {
            behaviours.push_back(behaviour);
        }
    }
    editing::removeCompetency(framework, dragged);
    const int position = destination > dragged ? destination - 1 : destination;
    editing::insertCompetency(framework, position, competency.name);
    framework.competencies[static_cast<std::size_t>(position)].description = competency.description;
    int at = editing::firstBehaviourFrom(framework, position + 1);
    for (CBehaviour& behaviour : behaviours) {
        behaviour.competency = position;
        framework.behaviours.insert(framework.behaviours.begin() + at++, std::move(behaviour));
    }
    return ItemRef::competency(position);
}

std::optional<ItemRef> moveBehaviourTo(CPavexFramework& framework, int dragged, ItemRef target) {
    CBehaviour behaviour = behaviourAt(framework, dragged);
    if (target.kind == ItemRef::Kind::Root) {
        return std::nullopt;
    }
    if (target.kind == ItemRef::Kind::Behaviour) {
        const bool nextInSameCompetency =
            target.index == dragged + 1 && behaviourAt(framework, target.index).competency == behaviour.competency;
        if (target.index == dragged || nextInSameCompetency) {
            return std::nullopt;
        }
    }
    const int competency = competencyFor(framework, target);
    editing::removeBehaviour(framework, dragged);
    int position = 0;
    if (target.kind == ItemRef::Kind::Behaviour) {
        position = target.index > dragged ? target.index - 1 : target.index;
    } else {
        position = editing::endOfCompetency(framework, competency);
    }
    const bool unchanged = position == dragged && behaviour.competency == competency;
    behaviour.competency = competency;
    framework.behaviours.insert(framework.behaviours.begin() + position, std::move(behaviour));
    if (unchanged) {
        return std::nullopt;
    }
    return ItemRef::behaviour(position);
}

} // namespace

std::string copyText(const CPavexFramework& framework, ItemRef item) {
    std::string text;
    if (!validItem(framework, item)) {
        return text;
    }
    auto linesOf = [&](int competency) {
        const std::string& name = framework.competencies[static_cast<std::size_t>(competency)].name;
        bool any = false;
        for (const CBehaviour& behaviour : framework.behaviours) {
            if (behaviour.competency == competency) {
                appendLine(text, name, &behaviour.statement);
                any = true;
            }
        }
        return any;
    };
    switch (item.kind) {
    case ItemRef::Kind::Root:
        for (int c = 0; c < competencyCount(framework); ++c) {
            linesOf(c);
        }
        break;
    case ItemRef::Kind::Competency:
        if (!linesOf(item.index)) {
            appendLine(text, framework.competencies[static_cast<std::size_t>(item.index)].name, nullptr);
        }
        break;
    case ItemRef::Kind::Behaviour:
        appendLine(text, behaviourAt(framework, item.index).statement, nullptr);
        break;
    }
    return text;
}

PasteTable parsePasteTable(std::string_view text) {
    PasteTable table;
    std::array<std::string, kPasteColumns> above;
    std::size_t at = 0;
    while (static_cast<int>(table.rows.size()) < kPasteRows) {
        while (at < text.size() && (isLineBreak(text[at]) || text[at] == ' ')) {
            ++at;
        }
        if (at >= text.size()) {
            break;
        }
        std::array<std::string, kPasteColumns> row;
        int read = 0;
        while (read < kPasteColumns) {
            row[static_cast<std::size_t>(read++)] = readCell(text, at);
            const bool endedWithTab = at < text.size() && text[at] == '\t';
            if (endedWithTab) {
                ++at;
            }
            if (!endedWithTab) {
                break;
            }
            if (read == kPasteColumns) {
                while (at < text.size() && !isLineBreak(text[at])) {
                    ++at;
                }
            }
        }
        if (std::all_of(row.begin(), row.end(), [](const std::string& cell) { return cell.empty(); })) {
            continue;
        }
        if (!table.rows.empty()) {
            for (int c = 0; c < read; ++c) {
                auto& cell = row[static_cast<std::size_t>(c)];
                if (cell.empty()) {
                    cell = above[static_cast<std::size_t>(c)];
                }
            }
        }
        for (int c = 0; c < kPasteColumns; ++c) {
            if (!row[static_cast<std::size_t>(c)].empty()) {
                table.columns = std::max(table.columns, c + 1);
            }
        }
        above = row;
        table.rows.push_back(std::move(row));
    }
    return table;
}

PasteOutcome paste(CPavexFramework& framework, ItemRef selected, const PasteTable& table, UserPrompts& prompts) {
    if (!validItem(framework, selected)) {
        return {};
    }
    if (table.columns == 0) {
        return {true, ItemRef::root()};
    }
    if (table.columns == 1) {
        return pasteOneColumn(framework, selected, table, prompts);
    }
    return pasteTwoColumns(framework, selected, table, prompts);
}

std::optional<ItemRef> moveItem(CPavexFramework& framework, ItemRef dragged, ItemRef target) {
    if (!validItem(framework, dragged) || !validItem(framework, target) || dragged == target) {
        return std::nullopt;
    }
    switch (dragged.kind) {
    case ItemRef::Kind::Competency:
        return moveCompetency(framework, dragged.index, target);
    case ItemRef::Kind::Behaviour:
        return moveBehaviourTo(framework, dragged.index, target);
    case ItemRef::Kind::Root:
        break;
    }
    return std::nullopt;
}

std::optional<ItemRef> copyItem(const CPavexFramework& source, ItemRef dragged, CPavexFramework& target,
                                ItemRef dropTarget, UserPrompts& prompts) {
    if (!validItem(source, dragged) || !validItem(target, dropTarget) || dragged.kind == ItemRef::Kind::Root) {
        return std::nullopt;
    }
    if (dragged.kind == ItemRef::Kind::Competency) {
        std::vector<std::string> statements;
        for (const CBehaviour& behaviour : source.behaviours) {
            if (behaviour.competency == dragged.index) {
                statements.push_back(behaviour.statement);
            }
        }
        if (competencyCount(target) >= kMaxCompetencies) {
            prompts.message(kTooManyCompetencies);
            return std::nullopt;
        }
        if (behaviourCount(target) + static_cast<int>(statements.size()) > kMaxEditorBehaviours) {
            prompts.message(kOverBehaviourLimit);
            return std::nullopt;
        }
        const int position = competencyFor(target, dropTarget);
        editing::insertCompetency(target, position, source.competencies[static_cast<std::size_t>(dragged.index)].name);
        for (std::string& statement : statements) {
            appendBehaviour(target, position, std::move(statement));
        }
        return ItemRef::competency(position);
    }
    if (dropTarget.kind == ItemRef::Kind::Root) {
        return std::nullopt;
    }
    if (behaviourCount(target) >= kMaxEditorBehaviours) {
        prompts.message(kTooManyBehaviours);
        return std::nullopt;
    }
    const std::string& statement = behaviourAt(source, dragged.index).statement;
    const int competency = competencyFor(target, dropTarget);
    const int position =
        dropTarget.kind == ItemRef::Kind::Behaviour ? dropTarget.index : editing::endOfCompetency(target, competency);
    editing::insertBehaviour(target, position, competency, statement);
    return ItemRef::behaviour(position);
}

} // namespace kvrole::transfer

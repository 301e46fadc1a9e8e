// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvrole/core/RoleEditor.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Moving competencies and behaviours between places and between roles: the clipboard's text table
// and the drops of a drag. Everything here works on the role's lists only; the windows mirror the
// result in their trees.
namespace kvrole::transfer {

inline constexpr std::string_view kOverBehaviourLimit = "That would take you over the maximum number of behaviours";
inline constexpr std::string_view kPasteDoesNotFit =
    "Sorry, the role cannot hold all the pasted lines.  Nothing has been pasted.";

inline constexpr int kPasteRows = 256;
inline constexpr int kPasteColumns = 4;

// The clipboard text of an item, in the files' code page: one "competency TAB statement CR LF"
// line per behaviour (see the definition for the root, competencies without behaviours and a
// single behaviour). Tabs and line breaks inside a text become spaces so that they cannot break
// the table.
std::string copyText(const CPavexFramework& framework, ItemRef item);

// Any text read as a table of at most 256 rows of 4 cells, rows without text dropped and empty
// cells filled from the row above.
struct PasteTable {
    std::vector<std::array<std::string, kPasteColumns>> rows;
    int columns = 0; // the highest column holding text in any row
};
PasteTable parsePasteTable(std::string_view text);

// Where a paste put its rows: the item to select and expand afterwards.
struct PasteOutcome {
    bool pasted = false;
    ItemRef expand;
};

// Adds the table's rows beside the selected item. A paste that would take the role past the
// behaviours a questionnaire can answer or past its competency capacity changes nothing and says
// so through the prompts.
PasteOutcome paste(CPavexFramework& framework, ItemRef selected, const PasteTable& table, UserPrompts& prompts);

// A drop within the window the drag started in: moves the dragged item before or into the target.
// Moved items keep every field. Returns the item to select, or nothing when nothing moved.
std::optional<ItemRef> moveItem(CPavexFramework& framework, ItemRef dragged, ItemRef target);

// A drop into another window: copies the dragged item of `source` into `target`. Refusals are told
// through the prompts. Returns the item to select, or nothing when nothing was copied.
std::optional<ItemRef> copyItem(const CPavexFramework& source, ItemRef dragged, CPavexFramework& target,
                                ItemRef dropTarget, UserPrompts& prompts);

} // namespace kvrole::transfer

// SPDX-License-Identifier: GPL-3.0-or-later
// Any clipboard text pasted on any item of a small role: no crash, and the role stays within its
// limits with its behaviours grouped by competency.
#include "kvrole/core/RoleTransfer.h"

#include "model/ScriptedPrompts.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    CPavexFramework framework = CRole::makeDefault().framework;
    framework.competencies = {{"A", ""}, {"B", ""}};
    kvrole::editing::insertBehaviour(framework, 0, 0, "a1");
    kvrole::editing::insertBehaviour(framework, 1, 1, "b1");
    const int selector = data[0] % 5;
    const kvrole::ItemRef selected = selector == 0   ? kvrole::ItemRef::root()
                                     : selector <= 2 ? kvrole::ItemRef::competency(selector - 1)
                                                     : kvrole::ItemRef::behaviour(selector - 3);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto table = kvrole::transfer::parsePasteTable(text);
    if (table.rows.size() > static_cast<std::size_t>(kvrole::transfer::kPasteRows) ||
        table.columns > kvrole::transfer::kPasteColumns) {
        std::abort();
    }
    ScriptedPrompts prompts;
    kvrole::transfer::paste(framework, selected, table, prompts);
    if (!kvrole::editing::isOrdered(framework) || framework.behaviours.size() > kvrole::kMaxEditorBehaviours ||
        framework.competencies.size() > static_cast<std::size_t>(kMaxCompetencies)) {
        std::abort();
    }
    // What was pasted copies out and pastes again into an empty role.
    CPavexFramework again = CRole::makeDefault().framework;
    kvrole::transfer::paste(
        again, kvrole::ItemRef::root(),
        kvrole::transfer::parsePasteTable(kvrole::transfer::copyText(framework, kvrole::ItemRef::root())), prompts);
    if (!kvrole::editing::isOrdered(again)) {
        std::abort();
    }
    return 0;
}

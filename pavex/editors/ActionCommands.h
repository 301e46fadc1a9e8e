// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// The commands on development actions that dialogs start: each runs its own dialog or question and
// returns true when the journal changed.
class ActionCommands {
public:
    virtual ~ActionCommands() = default;
    // A new action proposing the behaviour (-1 for none).
    virtual bool newAction(std::int32_t behaviour) = 0;
    virtual bool editAction(std::size_t index) = 0;
    // Asks first.
    virtual bool deleteAction(std::size_t index) = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Action.h"
#include "pavex/editors/ActionEditing.h"

#include <optional>
#include <string>
#include <vector>

// Stands for the user at the action dialog: types the given text, or cancels while there is none,
// and remembers the action each dialog opened on.
struct TypedActions {
    std::optional<std::string> text;
    std::vector<CPavexAction> offered;

    ActionEditing::ActionEditor editor() {
        return [this](const CPavexAction& action) -> std::optional<CPavexAction> {
            offered.push_back(action);
            if (!text) {
                return std::nullopt;
            }
            CPavexAction edited = action;
            edited.action = *text;
            return edited;
        };
    }
};

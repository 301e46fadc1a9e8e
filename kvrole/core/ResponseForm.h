// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Framework.h"

#include <array>
#include <optional>
#include <string>

namespace kvrole {

// The fields of the Response dialog, which edits a role's response scale 0, and the rules that
// tie them to the scale. Box 0 is "N/A", boxes 1 to 6 the prompts.
struct ResponseForm {
    static constexpr int kBoxes = 7;
    static constexpr int kNotApplicableBox = 0;

    bool useNotApplicable = false;
    int prompts = 1;
    std::array<std::string, kBoxes> boxes;

    // A scale whose option 0 has a negative value has an N/A option.
    static ResponseForm fromScale(const CResponseScale& scale);

    // The spin range: 1 to 5 with N/A, 1 to 6 without.
    int maximumPrompts() const { return useNotApplicable ? kMaxOptions - 1 : kMaxOptions; }
    static constexpr int minimumPrompts() { return 1; }
    // Ticking "Use N/A" lowers a number above 5 to 5.
    void setUseNotApplicable(bool use);
    bool boxEnabled(int box) const;

    // The range message when the number is not allowed, e.g. "Please enter an integer between 1 and 6.".
    std::optional<std::string> problem() const;
    // Writes all six labels, the values and the maximum; the form must have no problem.
    void applyTo(CResponseScale& scale) const;
};

std::string rangeMessage(int low, int high);

} // namespace kvrole

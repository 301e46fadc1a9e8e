// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/ResponseForm.h"

#include <algorithm>

namespace kvrole {

ResponseForm ResponseForm::fromScale(const CResponseScale& scale) {
    ResponseForm form;
    form.useNotApplicable = scale.optionCount > 0 && scale.values[0] < 0;
    if (form.useNotApplicable) {
        form.prompts = scale.optionCount - 1;
        for (int option = 0; option < kMaxOptions; ++option) {
            form.boxes[static_cast<std::size_t>(option)] = scale.labels[static_cast<std::size_t>(option)];
        }
        form.boxes[kBoxes - 1].clear();
    } else {
        form.prompts = scale.optionCount;
        for (int option = 0; option < kMaxOptions; ++option) {
            form.boxes[static_cast<std::size_t>(option + 1)] = scale.labels[static_cast<std::size_t>(option)];
        }
    }
    return form;
}

void ResponseForm::setUseNotApplicable(bool use) {
    useNotApplicable = use;
    prompts = std::min(prompts, maximumPrompts());
}

bool ResponseForm::boxEnabled(int box) const {
    if (box == kNotApplicableBox) {
        return useNotApplicable;
    }
    if (box == kBoxes - 1 && useNotApplicable) {
        return false;
    }
    return box <= prompts;
}

std::string rangeMessage(int low, int high) {
    return "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".";
}

std::optional<std::string> ResponseForm::problem() const {
    if (prompts < minimumPrompts() || prompts > kMaxOptions) {
        return rangeMessage(minimumPrompts(), kMaxOptions);
    }
    if (prompts > maximumPrompts()) {
        return rangeMessage(minimumPrompts(), maximumPrompts());
    }
    return std::nullopt;
}

void ResponseForm::applyTo(CResponseScale& scale) const {
    const int offset = useNotApplicable ? 0 : 1;
    const int firstValue = useNotApplicable ? -1 : 0;
    for (int option = 0; option < kMaxOptions; ++option) {
        scale.labels[static_cast<std::size_t>(option)] = boxes[static_cast<std::size_t>(option + offset)];
        scale.values[static_cast<std::size_t>(option)] = firstValue + option;
    }
    scale.optionCount = useNotApplicable ? prompts + 1 : prompts;
    scale.maximum = prompts - 1;
}

} // namespace kvrole

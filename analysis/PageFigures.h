// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/PageContent.h"

#include <cstdint>
#include <string>
#include <vector>

// The figures of a page as a grid of texts, for readers that cannot see the drawing: a ranking gives
// per item its overall average and per group its average, lowest and highest questionnaire average;
// frequencies give the count per response and group; list and detail pages give their rows. A figure
// without a value is an empty text; numbers are written as the shortest text that reads back to the
// same value.
struct PageFigures {
    std::vector<std::string> columnHeaders;
    std::vector<std::string> rowHeaders; // one per row, empty when the rows have none
    std::vector<std::vector<std::string>> cells;
    // Per row, the behaviour whose development mark and journal it stands for, or -1.
    std::vector<std::int32_t> rowBehaviours;

    int rowCount() const { return static_cast<int>(cells.size()); }
    int columnCount() const { return static_cast<int>(columnHeaders.size()); }
};

namespace pagefigures {

inline constexpr const char* kMarkedColumn = "Marked for Development";

// The page as it stands after its last refresh; no rows while the page shows its message.
PageFigures of(const PageContent& content);

// The shortest text that reads back to the same double; empty for a figure without a value (below 0).
std::string figureText(double value);

} // namespace pagefigures

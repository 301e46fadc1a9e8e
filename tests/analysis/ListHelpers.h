// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ResultList.h"

#include <stdexcept>
#include <vector>

namespace testjournals {

inline const CScoreItem& itemWithIndex(const CResultList& list, std::int32_t index) {
    for (std::size_t rank = 0; rank < list.size(); ++rank) {
        if (list.at(rank).index() == index) {
            return list.at(rank);
        }
    }
    throw std::out_of_range("no item with that index");
}

// The item indexes in sorted order.
inline std::vector<std::int32_t> rankedIndexes(const CResultList& list) {
    std::vector<std::int32_t> indexes;
    for (std::size_t rank = 0; rank < list.size(); ++rank) {
        indexes.push_back(list.at(rank).index());
    }
    return indexes;
}

} // namespace testjournals

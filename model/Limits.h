// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Capacities of the records. A count read from a file beyond its limit marks the file as damaged.
inline constexpr std::int32_t kMaxCompetencies = 1024;
inline constexpr std::int32_t kMaxScales = 32;
inline constexpr std::int32_t kMaxOptions = 6;
inline constexpr std::int32_t kMaxBehaviours = 1024;
inline constexpr std::int32_t kMaxResponses = 256;
inline constexpr std::int32_t kMaxQuestionnaires = 32;
inline constexpr std::int32_t kMaxActions = 128;
inline constexpr int kRelationshipCount = 6;

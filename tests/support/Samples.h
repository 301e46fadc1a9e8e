// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"
#include "model/Role.h"
#include "model/WebReply.h"

// Small but complete records that use every field, for tests and seed corpora.
namespace samples {

// Two competencies, three behaviours on two scales, descriptions on.
CRole role();
// The role chosen, two questionnaires (one left out of results), two actions, all colours changed.
CPavexDoc journal(const std::string& password = "secret");
CWebReply webReply(const std::string& password = "secret");

} // namespace samples

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReadOutcome.h"
#include "Role.h"

#include <string>
#include <string_view>

// The role profile file (.kvr): a format number, then the role record.
namespace RoleFile {

std::string encode(const CRole& role);
// Fills *role only when the whole file reads cleanly.
ReadOutcome decode(std::string_view bytes, CRole& role);
ReadOutcome read(const std::string& path, CRole& role);

} // namespace RoleFile

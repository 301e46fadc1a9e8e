// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as a role profile: no crash, no leak, and a clean read writes back the same role.
#include "model/RoleFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CRole role;
    if (!RoleFile::decode(std::string_view(reinterpret_cast<const char*>(data), size), role).ok()) {
        return 0;
    }
    CRole again;
    if (!RoleFile::decode(RoleFile::encode(role), again).ok()) {
        std::abort();
    }
    again.framework.version = role.framework.version;
    if (!(again == role)) {
        std::abort();
    }
    return 0;
}

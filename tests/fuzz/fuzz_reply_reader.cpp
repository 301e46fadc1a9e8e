// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as a web feedback reply: no crash, no leak, and a clean read writes back the same reply.
#include "model/WebReply.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CWebReply reply;
    if (!reply.decode(std::string_view(reinterpret_cast<const char*>(data), size)).ok()) {
        return 0;
    }
    CWebReply again;
    if (!again.decode(reply.encode()).ok()) {
        std::abort();
    }
    again.scrambleSwitch = reply.scrambleSwitch;
    again.seed = reply.seed;
    if (!(again == reply)) {
        std::abort();
    }
    return 0;
}

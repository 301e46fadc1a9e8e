// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/ResponseOutput.h"

#include <cerrno>

#include <unistd.h>

void DescriptorOutput::write(std::string_view text) {
    m_written += text.size();
    while (!text.empty()) {
        const ssize_t written = ::write(m_fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

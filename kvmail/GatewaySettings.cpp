// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/GatewaySettings.h"

#include "kvmail/TextUtil.h"
#include "model/FileSearch.h"

#include <charconv>
#include <cstdlib>

namespace {

int boundedNumber(const std::string& text, int lowest, int highest, int fallback) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < lowest || value > highest) {
        return fallback;
    }
    return value;
}

std::vector<std::string> commaSeparated(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        std::string item = trimmedMailText(std::string_view(text).substr(start, end - start));
        if (!item.empty()) {
            items.push_back(std::move(item));
        }
        start = end + 1;
    }
    return items;
}

} // namespace

GatewaySettings GatewaySettings::fromSection(const IniSection& section) {
    GatewaySettings settings;
    settings.mailserver = section.value("mailserver");
    settings.from = section.value("from");
    settings.subject = section.value("subject");
    settings.message = section.value("message");
    settings.port = boundedNumber(section.value("port"), 1, 65535, settings.port);
    settings.timeout = std::chrono::seconds(
        boundedNumber(section.value("timeout"), 1, 3600, static_cast<int>(settings.timeout.count())));
    settings.allowedMailservers = commaSeparated(section.value("allowed_mailservers"));
    settings.allowedRecipients = commaSeparated(section.value("allowed_recipients"));
    return settings;
}

GatewaySettings GatewaySettings::load() {
    const auto path =
        filesearch::findInSearchOrder(kFileName, filesearch::runningProgramDirectory(), std::getenv("PATH"));
    if (!path) {
        return {};
    }
    return fromSection(IniSection::readFile(path->native(), kSection));
}

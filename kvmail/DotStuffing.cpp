#include "kvmail/DotStuffing.h"

#include <string_view>

std::string dotStuffed(std::string body) {
    if (body.starts_with(".\r\n")) {
        body.insert(0, 1, '.');
    }
    constexpr std::string_view kLoneDot = "\r\n.\r\n";
    std::string stuffed;
    stuffed.reserve(body.size());
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = body.find(kLoneDot, from);
        if (at == body.npos) {
            break;
        }
        // Resume at the line break that closes the doubled dot: it may open the next lone dot.
        stuffed.append(body, from, at - from);
        stuffed += "\r\n..";
        from = at + 3;
    }
    if (from == 0) {
        return body;
    }
    stuffed.append(body, from, body.npos);
    return stuffed;
}

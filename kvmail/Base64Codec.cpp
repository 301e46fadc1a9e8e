// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/Base64Codec.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<std::int8_t, 256> makeReverseTable() {
    std::array<std::int8_t, 256> table{};
    for (auto& entry : table) {
        entry = -1;
    }
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    }
    return table;
}

constexpr auto kReverse = makeReverseTable();

} // namespace

std::string Base64Codec::encode(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                                    static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
                                    static_cast<unsigned char>(bytes[i + 2]);
        text += kAlphabet[group >> 18 & 0x3F];
        text += kAlphabet[group >> 12 & 0x3F];
        text += kAlphabet[group >> 6 & 0x3F];
        text += kAlphabet[group & 0x3F];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2) {
            group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        }
        text += kAlphabet[group >> 18 & 0x3F];
        text += kAlphabet[group >> 12 & 0x3F];
        text += rest == 2 ? kAlphabet[group >> 6 & 0x3F] : '=';
        text += '=';
    }
    return text;
}

std::optional<std::string> Base64Codec::decode(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t group = 0;
    int units = 0;
    int padding = 0;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            continue;
        }
        if (c == '=') {
            // Padding only completes a group of two or three units.
            if (units + padding < 2 || units + padding >= 4) {
                return std::nullopt;
            }
            ++padding;
            continue;
        }
        const int value = kReverse[static_cast<unsigned char>(c)];
        if (value < 0 || padding > 0) {
            return std::nullopt;
        }
        group = group << 6 | static_cast<std::uint32_t>(value);
        if (++units == 4) {
            bytes += static_cast<char>(group >> 16 & 0xFF);
            bytes += static_cast<char>(group >> 8 & 0xFF);
            bytes += static_cast<char>(group & 0xFF);
            group = 0;
            units = 0;
        }
    }
    if (padding > 0 && units + padding != 4) {
        return std::nullopt;
    }
    if (units == 1) {
        return std::nullopt;
    }
    if (units == 2) {
        bytes += static_cast<char>(group >> 4 & 0xFF);
    } else if (units == 3) {
        bytes += static_cast<char>(group >> 10 & 0xFF);
        bytes += static_cast<char>(group >> 2 & 0xFF);
    }
    return bytes;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Archive.h"

#include "Windows1252.h"

#include <bit>
#include <cstring>
#include <vector>

static_assert(std::endian::native == std::endian::little, "the archive writes host integers as little-endian");

std::int32_t seedFromKey(std::string_view key) {
    std::uint32_t h = 0;
    for (char c : key) {
        // Each byte counts as a signed value; the arithmetic wraps as two's complement.
        const auto signedByte = static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
        h = (signedByte + 37u * h - 32u) & 0xFFFFFFu;
    }
    return static_cast<std::int32_t>(h);
}

void Scrambler::setKey(std::string_view key) {
    if (key.empty()) {
        m_on = false;
        return;
    }
    setState(true, seedFromKey(key));
}

void Scrambler::setState(bool on, std::int32_t seed) {
    m_on = on;
    m_seed = seed;
    m_stream.seed(static_cast<std::uint32_t>(seed));
}

namespace {

std::uint32_t addWrapping(std::int32_t a, std::int32_t b) {
    return static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b);
}

std::int32_t subtractWrapping(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

} // namespace

// ---- writing ----

void ArchiveWriter::writeScrambleHeader(std::string_view password) {
    m_scrambler.setKey(password);
    const bool on = m_scrambler.isOn();
    writeInt(on ? 1 : 0);
    writeInt(on ? m_scrambler.seed() : 0);
    writeScrambledText(password);
}

void ArchiveWriter::writeInt(std::int32_t value) {
    char bytes[4];
    std::memcpy(bytes, &value, 4);
    m_bytes.append(bytes, 4);
}

void ArchiveWriter::writeText(std::string_view text) {
    const std::size_t n = text.size();
    if (n < 255) {
        m_bytes.push_back(static_cast<char>(n));
    } else {
        m_bytes.push_back('\xFF');
        if (n < 0xFFFE) {
            const auto n16 = static_cast<std::uint16_t>(n);
            m_bytes.append(reinterpret_cast<const char*>(&n16), 2);
        } else {
            m_bytes.append("\xFF\xFF", 2);
            writeInt(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
        }
    }
    m_bytes.append(text);
}

void ArchiveWriter::writeDate(const OleDate& date) {
    writeInt(date.status);
    writeRaw(&date.value, sizeof date.value);
}

void ArchiveWriter::writeRaw(const void* data, std::size_t size) {
    m_bytes.append(static_cast<const char*>(data), size);
}

void ArchiveWriter::writeScrambledInt(std::int32_t value) {
    if (!m_scrambler.isOn()) {
        writeInt(value);
        return;
    }
    writeInt(static_cast<std::int32_t>(addWrapping(value, m_scrambler.draw())));
}

void ArchiveWriter::writeScrambledText(std::string_view text) {
    if (!m_scrambler.isOn()) {
        writeText(text);
        return;
    }
    writeScrambledInt(static_cast<std::int32_t>(text.size()));
    for (char c : text) {
        writeScrambledInt(static_cast<signed char>(c));
    }
}

// ---- reading ----

void ArchiveReader::readScrambleHeader(std::int32_t& scrambleSwitch, std::int32_t& seed, std::string& password) {
    scrambleSwitch = readInt();
    seed = readInt();
    m_scrambler.setState(scrambleSwitch != 0, seed);
    password = readScrambledText();
}

void ArchiveReader::fail(ReadStatus status, std::string problem) {
    if (m_status != ReadStatus::Ok) {
        return; // the first problem is the one worth telling
    }
    m_status = status;
    m_problem = std::move(problem);
}

bool ArchiveReader::take(std::size_t size, const char** out) {
    if (!ok()) {
        return false;
    }
    if (size > remaining()) {
        fail(ReadStatus::Truncated, "the file ends unexpectedly");
        return false;
    }
    *out = m_bytes.data() + m_pos;
    m_pos += size;
    return true;
}

std::int32_t ArchiveReader::readInt() {
    const char* p = nullptr;
    if (!take(4, &p)) {
        return 0;
    }
    std::int32_t value;
    std::memcpy(&value, p, 4);
    return value;
}

// The length prefix of a text. Sets *wide when the prefix marks a text of 16-bit characters, in
// which case the length is a count of characters.
std::size_t ArchiveReader::readLength(bool* wide) {
    *wide = false;
    const char* p = nullptr;
    if (!take(1, &p)) {
        return 0;
    }
    const auto first = static_cast<unsigned char>(*p);
    if (first < 0xFF) {
        return first;
    }
    if (!take(2, &p)) {
        return 0;
    }
    std::uint16_t second;
    std::memcpy(&second, p, 2);
    if (second == 0xFFFE) {
        // The marker of a wide text; the real length prefix follows.
        bool nestedWide = false;
        const std::size_t count = readLength(&nestedWide);
        if (nestedWide) {
            fail(ReadStatus::Corrupt, "a text has an impossible length");
            return 0;
        }
        *wide = true;
        return count;
    }
    if (second < 0xFFFF) {
        return second;
    }
    return static_cast<std::uint32_t>(readInt());
}

std::string ArchiveReader::readText() {
    bool wide = false;
    const std::size_t length = readLength(&wide);
    if (!ok()) {
        return {};
    }
    if (wide) {
        return readWideChars(length);
    }
    const char* p = nullptr;
    if (!take(length, &p)) {
        return {};
    }
    return std::string(p, length);
}

std::string ArchiveReader::readWideChars(std::size_t count) {
    if (count > remaining() / 2) {
        fail(ReadStatus::Truncated, "the file ends unexpectedly");
        return {};
    }
    const char* p = nullptr;
    if (count == 0 || !take(count * 2, &p)) {
        return {};
    }
    std::vector<char16_t> units(count);
    std::memcpy(units.data(), p, count * 2);
    return cp1252::fromUtf16(units.data(), units.size());
}

OleDate ArchiveReader::readDate() {
    OleDate date;
    date.status = readInt();
    readRaw(&date.value, sizeof date.value);
    return date;
}

void ArchiveReader::readRaw(void* data, std::size_t size) {
    const char* p = nullptr;
    if (!take(size, &p)) {
        std::memset(data, 0, size);
        return;
    }
    std::memcpy(data, p, size);
}

std::int32_t ArchiveReader::readScrambledInt() {
    const std::int32_t stored = readInt();
    if (!ok() || !m_scrambler.isOn()) {
        return stored;
    }
    return subtractWrapping(stored, m_scrambler.draw());
}

std::string ArchiveReader::readScrambledText() {
    if (!m_scrambler.isOn()) {
        return readText();
    }
    const std::int32_t length = readScrambledInt();
    if (!ok()) {
        return {};
    }
    // Each character takes four bytes, so a length the file cannot hold is damage, not a request
    // for memory.
    if (length < 0 || static_cast<std::size_t>(length) > remaining() / 4) {
        fail(length < 0 ? ReadStatus::Corrupt : ReadStatus::Truncated,
             length < 0 ? "a text has an impossible length" : "the file ends unexpectedly");
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    for (char& c : text) {
        c = static_cast<char>(readScrambledInt() & 0xFF);
    }
    return text;
}

std::int32_t ArchiveReader::readCount(std::int32_t limit, const char* what) {
    const std::int32_t count = readInt();
    if (ok() && (count < 0 || count > limit)) {
        fail(ReadStatus::Corrupt, std::string("the number of ") + what + " (" + std::to_string(count) +
                                      ") is outside 0 to " + std::to_string(limit));
        return 0;
    }
    return count;
}

std::int32_t ArchiveReader::readScrambledCount(std::int32_t limit, const char* what) {
    const std::int32_t count = readScrambledInt();
    if (ok() && (count < 0 || count > limit)) {
        fail(ReadStatus::Corrupt, std::string("the number of ") + what + " (" + std::to_string(count) +
                                      ") is outside 0 to " + std::to_string(limit));
        return 0;
    }
    return count;
}

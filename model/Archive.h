// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReadStatus.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The binary encoding every file of the suite is written in: little-endian 32-bit integers,
// length-prefixed 8-bit texts, 12-byte dates, raw blocks, and "scrambled" integers and texts that
// go through a password-seeded keystream when scrambling is on.
//
// Each archive owns its keystream: every file seeds it at its head, so nothing is shared between
// files or with anything else in the process.

struct OleDate {
    enum Status : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };
    std::int32_t status = Valid;
    double value = 0.0; // days since 1899-12-30 00:00; the fraction is the time of day

    // Identical as stored: a NaN equals itself, so records compare as the bytes they came from.
    bool operator==(const OleDate& other) const {
        return status == other.status &&
               std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(other.value);
    }
};

// The generator behind scrambled fields.
class Keystream {
public:
    void seed(std::uint32_t seed) { m_state = seed; }
    // A value from 0 to 32767.
    std::int32_t draw() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<std::int32_t>((m_state >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t m_state = 0;
};

// The 24-bit seed a non-empty text key gives.
std::int32_t seedFromKey(std::string_view key);

// Scrambling switch, seed and generator of one archive.
class Scrambler {
public:
    // Empty key: switch off, seed and generator left as they were. Otherwise switch on, seeded from the key.
    void setKey(std::string_view key);
    void setState(bool on, std::int32_t seed);
    bool isOn() const { return m_on; }
    std::int32_t seed() const { return m_seed; }
    std::int32_t draw() { return m_stream.draw(); }

private:
    bool m_on = false;
    std::int32_t m_seed = 0;
    Keystream m_stream;
};

class ArchiveWriter {
public:
    // The head of a file a password protects (journals, requests, web replies): the scrambling
    // switch, the seed, and the password scrambled under that seed. Switch and seed are 0 for an
    // empty password, which scrambles nothing.
    void writeScrambleHeader(std::string_view password);
    void writeInt(std::int32_t value);
    void writeText(std::string_view text);
    void writeDate(const OleDate& date);
    void writeRaw(const void* data, std::size_t size);
    void writeScrambledInt(std::int32_t value);
    void writeScrambledText(std::string_view text);

    Scrambler& scrambler() { return m_scrambler; }
    const std::string& bytes() const { return m_bytes; }
    std::string takeBytes() { return std::move(m_bytes); }

private:
    std::string m_bytes;
    Scrambler m_scrambler;
};

// Reads from bytes held in memory. Damage never throws: the first problem is recorded, the status
// stays at it, and every later read yields zero or an empty text, so a record reader may read on
// and check ok() once at the end. No read allocates more than the bytes that remain.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : m_bytes(bytes) {}

    std::int32_t readInt();
    std::string readText();
    OleDate readDate();
    void readRaw(void* data, std::size_t size);
    std::int32_t readScrambledInt();
    std::string readScrambledText();

    // Reads a count and checks it lies in 0..limit; outside it the file is damaged and 0 is returned.
    std::int32_t readCount(std::int32_t limit, const char* what);
    std::int32_t readScrambledCount(std::int32_t limit, const char* what);
    // Reads the head writeScrambleHeader writes, and unscrambles the rest of the file with the
    // file's own switch and seed (another writer may store any seed).
    void readScrambleHeader(std::int32_t& scrambleSwitch, std::int32_t& seed, std::string& password);

    Scrambler& scrambler() { return m_scrambler; }

    bool ok() const { return m_status == ReadStatus::Ok; }
    ReadStatus status() const { return m_status; }
    // Why the read stopped, e.g. "the file ends unexpectedly".
    const std::string& problem() const { return m_problem; }
    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    bool atEnd() const { return m_pos == m_bytes.size(); }

    void fail(ReadStatus status, std::string problem);

private:
    bool take(std::size_t size, const char** out);
    std::size_t readLength(bool* wide);
    std::string readWideChars(std::size_t count);

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    ReadStatus m_status = ReadStatus::Ok;
    std::string m_problem;
    Scrambler m_scrambler;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The envelope an encrypted journal is stored in. All integers are little-endian 32-bit:
//
//   offset  size
//        0    12  magic "\x89KVSEALED\r\n\x1a"
//       12     4  format number (1)
//       16     4  Argon2id operations limit
//       20     4  Argon2id memory limit in KiB
//       24    16  salt
//       40    24  nonce
//       64    16  key check: BLAKE2b keyed with the derived key over bytes 0..63
//       80     n  the journal's ordinary bytes sealed with XChaCha20-Poly1305 (tag included);
//                 bytes 0..79 are its associated data
//   end-16    16  checksum: plain BLAKE2b over everything before it
//
// The checksum lets damage be told before the password is asked; the key check tells a wrong
// password from a damaged body. Neither weakens the cipher: both are as hard to guess against as
// the authentication tag itself.
namespace vault {

struct KdfLimits {
    std::uint32_t operations = 0;
    std::uint32_t memoryKiB = 0;
    bool operator==(const KdfLimits&) const = default;
};

// What a new envelope is sealed with: libsodium's interactive memory (64 MiB) with one pass more.
inline constexpr KdfLimits kSealingLimits{3, 64u * 1024u};
// The limits come from the file, so a hostile file could ask for any amount of memory and time;
// anything beyond these is taken as damage.
inline constexpr KdfLimits kLargestAccepted{6, 256u * 1024u};

inline constexpr std::uint32_t kFormat = 1;
inline constexpr std::size_t kSaltSize = 16;
inline constexpr std::size_t kNonceSize = 24;
inline constexpr std::size_t kKeySize = 32;
inline constexpr std::size_t kHeadSize = 80;           // up to and including the key check
inline constexpr std::size_t kOverhead = 80 + 16 + 16; // head, authentication tag, checksum

// True when the bytes begin with the envelope's magic text (whatever follows).
bool looksSealed(std::string_view bytes);

struct EnvelopeHead {
    KdfLimits limits;
    std::array<unsigned char, kSaltSize> salt{};
    std::array<unsigned char, kNonceSize> nonce{};
};

// A derived key; wiped when it goes.
class SealKey {
public:
    SealKey() = default;
    ~SealKey();
    SealKey(const SealKey&) = delete;
    SealKey& operator=(const SealKey&) = delete;

    unsigned char* data() { return m_bytes.data(); }
    const unsigned char* data() const { return m_bytes.data(); }

private:
    std::array<unsigned char, kKeySize> m_bytes{};
};

enum class Verdict {
    Ok,
    Damaged,     // truncated, checksum wrong, limits out of range, authentication failed
    Unsupported, // a format number this reader does not know
    WrongKey,    // the key check does not match: the password was not the journal's
};

struct Problem {
    Verdict verdict = Verdict::Ok;
    std::string text; // e.g. "the encrypted journal ends unexpectedly"; empty when Ok
    bool ok() const { return verdict == Verdict::Ok; }
};

// A head with fresh random salt and nonce.
EnvelopeHead freshHead(KdfLimits limits = kSealingLimits);

// Checks all that needs no key (magic, length, checksum, format, limits) and gives the head.
Problem readHead(std::string_view bytes, EnvelopeHead& head);

// Argon2id over the password with the head's salt and limits. False when the memory cannot be had.
bool deriveKey(std::string_view password, const EnvelopeHead& head, SealKey& key);

// Whether the key is the one the envelope was sealed with (the head must have been read cleanly).
bool keyMatches(std::string_view bytes, const SealKey& key);

// Opens an envelope with a key already derived: *plain gets the journal's ordinary bytes only when
// everything checks out. The caller wipes *plain when done with it.
Problem unsealWithKey(std::string_view bytes, const SealKey& key, std::string& plain);

// Seals with a key already derived for this head (tests, benchmarks and the fuzz target use one key
// for many envelopes; a real save derives a fresh key per save through seal()).
std::string sealWithKey(std::string_view plain, const SealKey& key, const EnvelopeHead& head);

// Seals under the password with a fresh head; nothing when the key derivation's memory cannot be had.
std::optional<std::string> seal(std::string_view plain, std::string_view password, KdfLimits limits = kSealingLimits);

// Overwrites the text's bytes with zeros, then empties it.
void wipe(std::string& text);

// Wipes a text when the scope ends, on every path.
class WipeOnExit {
public:
    explicit WipeOnExit(std::string& text) : m_text(text) {}
    ~WipeOnExit() { wipe(m_text); }
    WipeOnExit(const WipeOnExit&) = delete;
    WipeOnExit& operator=(const WipeOnExit&) = delete;

private:
    std::string& m_text;
};

} // namespace vault

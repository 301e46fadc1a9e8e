// SPDX-License-Identifier: GPL-3.0-or-later
#include "vault/Envelope.h"

#include <sodium.h>

#include <cstring>
#include <new>

namespace vault {
namespace {

constexpr char kMagic[] = "\x89KVSEALED\r\n\x1a";
constexpr std::size_t kMagicSize = sizeof kMagic - 1;
static_assert(kMagicSize == 12);
constexpr std::size_t kFormatAt = 12;
constexpr std::size_t kOperationsAt = 16;
constexpr std::size_t kMemoryAt = 20;
constexpr std::size_t kSaltAt = 24;
constexpr std::size_t kNonceAt = 40;
constexpr std::size_t kKeyCheckAt = 64;
constexpr std::size_t kCheckSize = 16;
constexpr std::size_t kChecksumSize = 16;
static_assert(kKeyCheckAt + kCheckSize == kHeadSize);
static_assert(kHeadSize + crypto_aead_xchacha20poly1305_ietf_ABYTES + kChecksumSize == kOverhead);
static_assert(kSaltSize == crypto_pwhash_SALTBYTES);
static_assert(kNonceSize == crypto_aead_xchacha20poly1305_ietf_NPUBBYTES);
static_assert(kKeySize == crypto_aead_xchacha20poly1305_ietf_KEYBYTES);

// The smallest limits libsodium's Argon2id takes.
constexpr KdfLimits kSmallestAccepted{crypto_pwhash_argon2id_OPSLIMIT_MIN, crypto_pwhash_argon2id_MEMLIMIT_MIN / 1024u};

void ensureSodium() {
    // Idempotent and thread-safe; it fails only when the system has no source of randomness.
    if (sodium_init() < 0) {
        throw std::bad_alloc();
    }
}

const unsigned char* bytesOf(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

std::uint32_t readUint32(std::string_view bytes, std::size_t at) {
    const unsigned char* p = bytesOf(bytes) + at;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void writeUint32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
}

void checksum(std::string_view covered, unsigned char* out) {
    crypto_generichash(out, kChecksumSize, bytesOf(covered), covered.size(), nullptr, 0);
}

void keyCheck(std::string_view head, const SealKey& key, unsigned char* out) {
    crypto_generichash(out, kCheckSize, bytesOf(head.substr(0, kKeyCheckAt)), kKeyCheckAt, key.data(), kKeySize);
}

bool within(std::uint32_t value, std::uint32_t lowest, std::uint32_t highest) {
    return value >= lowest && value <= highest;
}

} // namespace

SealKey::~SealKey() {
    sodium_memzero(m_bytes.data(), m_bytes.size());
}

bool looksSealed(std::string_view bytes) {
    return bytes.substr(0, kMagicSize) == std::string_view(kMagic, kMagicSize);
}

EnvelopeHead freshHead(KdfLimits limits) {
    ensureSodium();
    EnvelopeHead head;
    head.limits = limits;
    randombytes_buf(head.salt.data(), head.salt.size());
    randombytes_buf(head.nonce.data(), head.nonce.size());
    return head;
}

Problem readHead(std::string_view bytes, EnvelopeHead& head) {
    ensureSodium();
    if (!looksSealed(bytes)) {
        return {Verdict::Damaged, "it is not an encrypted journal"};
    }
    if (bytes.size() < kOverhead) {
        return {Verdict::Damaged, "the encrypted journal ends unexpectedly"};
    }
    unsigned char expected[kChecksumSize];
    checksum(bytes.substr(0, bytes.size() - kChecksumSize), expected);
    if (sodium_memcmp(expected, bytesOf(bytes) + bytes.size() - kChecksumSize, kChecksumSize) != 0) {
        return {Verdict::Damaged, "the encrypted journal fails its checksum"};
    }
    if (readUint32(bytes, kFormatAt) != kFormat) {
        return {Verdict::Unsupported, "it is encrypted in a format this program does not know"};
    }
    const KdfLimits limits{readUint32(bytes, kOperationsAt), readUint32(bytes, kMemoryAt)};
    if (!within(limits.operations, kSmallestAccepted.operations, kLargestAccepted.operations) ||
        !within(limits.memoryKiB, kSmallestAccepted.memoryKiB, kLargestAccepted.memoryKiB)) {
        return {Verdict::Damaged, "the encrypted journal's key parameters are out of range"};
    }
    head.limits = limits;
    std::memcpy(head.salt.data(), bytesOf(bytes) + kSaltAt, kSaltSize);
    std::memcpy(head.nonce.data(), bytesOf(bytes) + kNonceAt, kNonceSize);
    return {};
}

bool deriveKey(std::string_view password, const EnvelopeHead& head, SealKey& key) {
    ensureSodium();
    return crypto_pwhash(key.data(), kKeySize, password.data(), password.size(), head.salt.data(),
                         head.limits.operations, static_cast<std::size_t>(head.limits.memoryKiB) * 1024u,
                         crypto_pwhash_ALG_ARGON2ID13) == 0;
}

bool keyMatches(std::string_view bytes, const SealKey& key) {
    if (bytes.size() < kHeadSize) {
        return false;
    }
    unsigned char expected[kCheckSize];
    keyCheck(bytes, key, expected);
    return sodium_memcmp(expected, bytesOf(bytes) + kKeyCheckAt, kCheckSize) == 0;
}

Problem unsealWithKey(std::string_view bytes, const SealKey& key, std::string& plain) {
    EnvelopeHead head;
    if (Problem problem = readHead(bytes, head); !problem.ok()) {
        return problem;
    }
    if (!keyMatches(bytes, key)) {
        return {Verdict::WrongKey, "the password is not this journal's"};
    }
    const std::string_view sealed = bytes.substr(kHeadSize, bytes.size() - kHeadSize - kChecksumSize);
    std::string opened(sealed.size() - crypto_aead_xchacha20poly1305_ietf_ABYTES, '\0');
    WipeOnExit wipeOpened(opened);
    unsigned long long openedSize = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(reinterpret_cast<unsigned char*>(opened.data()), &openedSize,
                                                   nullptr, bytesOf(sealed), sealed.size(), bytesOf(bytes), kHeadSize,
                                                   head.nonce.data(), key.data()) != 0) {
        return {Verdict::Damaged, "the encrypted journal fails its authentication check"};
    }
    plain.swap(opened); // the emptied buffer left behind is wiped on the way out
    return {};
}

std::string sealWithKey(std::string_view plain, const SealKey& key, const EnvelopeHead& head) {
    ensureSodium();
    std::string bytes(kOverhead + plain.size(), '\0');
    std::memcpy(bytes.data(), kMagic, kMagicSize);
    writeUint32(bytes, kFormatAt, kFormat);
    writeUint32(bytes, kOperationsAt, head.limits.operations);
    writeUint32(bytes, kMemoryAt, head.limits.memoryKiB);
    std::memcpy(bytes.data() + kSaltAt, head.salt.data(), kSaltSize);
    std::memcpy(bytes.data() + kNonceAt, head.nonce.data(), kNonceSize);
    keyCheck(bytes, key, reinterpret_cast<unsigned char*>(bytes.data()) + kKeyCheckAt);
    unsigned long long sealedSize = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(reinterpret_cast<unsigned char*>(bytes.data()) + kHeadSize, &sealedSize,
                                               bytesOf(plain), plain.size(), bytesOf(bytes), kHeadSize, nullptr,
                                               head.nonce.data(), key.data());
    const std::size_t covered = bytes.size() - kChecksumSize;
    checksum(std::string_view(bytes).substr(0, covered), reinterpret_cast<unsigned char*>(bytes.data()) + covered);
    return bytes;
}

std::optional<std::string> seal(std::string_view plain, std::string_view password, KdfLimits limits) {
    const EnvelopeHead head = freshHead(limits);
    SealKey key;
    if (!deriveKey(password, head, key)) {
        return std::nullopt;
    }
    return sealWithKey(plain, key, head);
}

void wipe(std::string& text) {
    if (!text.empty()) {
        sodium_memzero(text.data(), text.size());
    }
    text.clear();
}

} // namespace vault

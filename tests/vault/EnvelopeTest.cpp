// SPDX-License-Identifier: GPL-3.0-or-later
#include "vault/Envelope.h"

#include <sodium.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The smallest limits libsodium takes: these tests are about the envelope, not the derivation.
constexpr vault::KdfLimits kQuick{1, 8};

std::string samplePlain() {
    std::string plain;
    for (int i = 0; i < 40; ++i) {
        plain += "Listens without interrupting; ";
    }
    return plain;
}

void setUint32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
}

// Recomputes the trailing checksum, as someone would who alters an envelope on purpose.
void refreshChecksum(std::string& bytes) {
    const std::size_t covered = bytes.size() - 16;
    crypto_generichash(reinterpret_cast<unsigned char*>(bytes.data()) + covered, 16,
                       reinterpret_cast<const unsigned char*>(bytes.data()), covered, nullptr, 0);
}

class EnvelopeTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_head = vault::freshHead(kQuick);
        ASSERT_TRUE(vault::deriveKey("tulip", m_head, m_key));
        m_sealed = vault::sealWithKey(samplePlain(), m_key, m_head);
    }

    vault::Problem open(const std::string& bytes, std::string* plain = nullptr) const {
        std::string opened;
        const vault::Problem problem = vault::unsealWithKey(bytes, m_key, opened);
        if (plain != nullptr) {
            *plain = opened;
        }
        return problem;
    }

    vault::EnvelopeHead m_head;
    vault::SealKey m_key;
    std::string m_sealed;
};

} // namespace

TEST_F(EnvelopeTest, SealedBytesOpenWithTheirKeyAndHoldNoPlainText) {
    EXPECT_TRUE(vault::looksSealed(m_sealed));
    EXPECT_EQ(m_sealed.size(), samplePlain().size() + vault::kOverhead);
    EXPECT_EQ(m_sealed.find("Listens"), std::string::npos);
    std::string plain;
    ASSERT_TRUE(open(m_sealed, &plain).ok());
    EXPECT_EQ(plain, samplePlain());
}

TEST_F(EnvelopeTest, HeadStoresTheLimitsItWasSealedWith) {
    vault::EnvelopeHead read;
    ASSERT_TRUE(vault::readHead(m_sealed, read).ok());
    EXPECT_EQ(read.limits, kQuick);
    EXPECT_EQ(read.salt, m_head.salt);
    EXPECT_EQ(read.nonce, m_head.nonce);
}

TEST_F(EnvelopeTest, LimitsWithEveryByteInUseAreReadBack) {
    vault::EnvelopeHead head = m_head;
    head.limits = {6, 0x03A55Au}; // 233 MiB: three bytes of the field differ from zero and from each other
    vault::EnvelopeHead read;
    ASSERT_TRUE(vault::readHead(vault::sealWithKey(samplePlain(), m_key, head), read).ok());
    EXPECT_EQ(read.limits, head.limits);
}

TEST_F(EnvelopeTest, EveryTruncationIsRefusedAsDamage) {
    for (std::size_t size = 0; size < m_sealed.size(); ++size) {
        const vault::Problem problem = open(m_sealed.substr(0, size));
        ASSERT_EQ(problem.verdict, vault::Verdict::Damaged) << "size " << size;
        EXPECT_FALSE(problem.text.empty());
    }
}

TEST_F(EnvelopeTest, EveryBitFlipIsRefusedAsDamage) {
    for (std::size_t byte = 0; byte < m_sealed.size(); ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            std::string flipped = m_sealed;
            flipped[byte] = static_cast<char>(flipped[byte] ^ (1 << bit));
            std::string plain = "untouched";
            const vault::Problem problem = open(flipped, &plain);
            ASSERT_EQ(problem.verdict, vault::Verdict::Damaged) << "byte " << byte << " bit " << bit;
            ASSERT_TRUE(plain.empty());
        }
    }
}

TEST_F(EnvelopeTest, AlteredBodyWithAMatchingChecksumFailsAuthentication) {
    for (const std::size_t at :
         {std::size_t{12}, std::size_t{30}, std::size_t{50}, vault::kHeadSize + 3, m_sealed.size() - 20}) {
        std::string altered = m_sealed;
        altered[at] = static_cast<char>(altered[at] ^ 0x40);
        refreshChecksum(altered);
        const vault::Problem problem = open(altered);
        EXPECT_FALSE(problem.ok()) << "offset " << at;
    }
    // The body and its tag are checked by the cipher, not by the key check.
    std::string body = m_sealed;
    body[vault::kHeadSize + 3] = static_cast<char>(body[vault::kHeadSize + 3] ^ 1);
    refreshChecksum(body);
    EXPECT_EQ(open(body).verdict, vault::Verdict::Damaged);
}

TEST_F(EnvelopeTest, KeyLimitsBeyondTheBoundsAreDamageBeforeAnyDerivation) {
    const struct {
        std::uint32_t operations;
        std::uint32_t memoryKiB;
    } cases[] = {{vault::kLargestAccepted.operations + 1, 64},
                 {0xFFFFFFFFu, 64},
                 {2, vault::kLargestAccepted.memoryKiB + 1},
                 {2, 0xFFFFFFFFu},
                 {0, 64},
                 {2, 7}};
    for (const auto& limits : cases) {
        std::string hostile = m_sealed;
        setUint32(hostile, 16, limits.operations);
        setUint32(hostile, 20, limits.memoryKiB);
        refreshChecksum(hostile);
        vault::EnvelopeHead head;
        const vault::Problem problem = vault::readHead(hostile, head);
        EXPECT_EQ(problem.verdict, vault::Verdict::Damaged) << limits.operations << " " << limits.memoryKiB;
        EXPECT_EQ(problem.text, "the encrypted journal's key parameters are out of range");
    }
}

TEST_F(EnvelopeTest, UnknownFormatNumberIsUnsupported) {
    std::string later = m_sealed;
    setUint32(later, 12, 2);
    refreshChecksum(later);
    EXPECT_EQ(open(later).verdict, vault::Verdict::Unsupported);
}

TEST_F(EnvelopeTest, AnotherPasswordsKeyIsTheWrongKeyNotDamage) {
    vault::SealKey other;
    ASSERT_TRUE(vault::deriveKey("tulips", m_head, other));
    EXPECT_FALSE(vault::keyMatches(m_sealed, other));
    EXPECT_TRUE(vault::keyMatches(m_sealed, m_key));
    std::string plain;
    EXPECT_EQ(vault::unsealWithKey(m_sealed, other, plain).verdict, vault::Verdict::WrongKey);
    EXPECT_TRUE(plain.empty());
}

TEST(Envelope, EverySealHasItsOwnSaltAndNonceAndOpensWithItsPassword) {
    const std::optional<std::string> first = vault::seal("journal", "tulip");
    const std::optional<std::string> second = vault::seal("journal", "tulip");
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->substr(24, 40), second->substr(24, 40));
    vault::EnvelopeHead head;
    ASSERT_TRUE(vault::readHead(*first, head).ok());
    EXPECT_EQ(head.limits, vault::kSealingLimits);
    vault::SealKey key;
    ASSERT_TRUE(vault::deriveKey("tulip", head, key));
    std::string plain;
    ASSERT_TRUE(vault::unsealWithKey(*first, key, plain).ok());
    EXPECT_EQ(plain, "journal");
}

TEST(Envelope, NoSealWhenTheKeyCannotBeDerived) {
    // No pass at all is below what the key derivation takes, as an impossible amount of memory would be.
    EXPECT_FALSE(vault::seal(samplePlain(), "tulip", vault::KdfLimits{0, 8}).has_value());
}

TEST(Envelope, OrdinaryJournalBytesDoNotLookSealed) {
    EXPECT_FALSE(vault::looksSealed(std::string("\x01\x00\x00\x00\x8a\x1a\xb6\x00", 8)));
    EXPECT_FALSE(vault::looksSealed(""));
    EXPECT_FALSE(vault::looksSealed("\x89KVSEALED"));
    vault::EnvelopeHead head;
    const vault::Problem ordinary = vault::readHead(samplePlain(), head);
    EXPECT_EQ(ordinary.verdict, vault::Verdict::Damaged);
    EXPECT_EQ(ordinary.text, "it is not an encrypted journal");
}

TEST(Envelope, WipeLeavesNothingBehind) {
    std::string secret = "tulip tulip tulip tulip tulip tulip";
    const char* const buffer = secret.data();
    const std::size_t size = secret.size();
    vault::wipe(secret);
    EXPECT_TRUE(secret.empty());
    EXPECT_EQ(std::string(buffer, size), std::string(size, '\0'));
}

// An envelope written today, byte for byte: journals sealed now must open in every later version,
// and every later version must seal as the file format lays it out.
TEST(Envelope, FixedHeadAndPasswordSealToTheBytesOfTheFileFormat) {
    const std::string expectedHex = "894b565345414c45440d0a1a"                         // magic
                                    "01000000"                                         // format
                                    "01000000"                                         // operations
                                    "08000000"                                         // KiB
                                    "000102030405060708090a0b0c0d0e0f"                 // salt
                                    "a0a1a2a3a4a5a6a7a8a9aaabacadaeafb0b1b2b3b4b5b6b7" // nonce
                                    "a8f96bf5c6ce43b0162b81caabf9f9cc"                 // key check
                                    "8470af4c26f31d0ccefc70a6f46d8c1e47aecf0de92da7"   // body, tag
                                    "a1e51496968c65cc675d2ed2d6429d9d";                // checksum
    std::string expected;
    for (std::size_t i = 0; i < expectedHex.size(); i += 2) {
        expected += static_cast<char>(std::stoi(expectedHex.substr(i, 2), nullptr, 16));
    }
    vault::EnvelopeHead head;
    head.limits = kQuick;
    for (std::size_t i = 0; i < head.salt.size(); ++i) {
        head.salt[i] = static_cast<unsigned char>(i);
    }
    for (std::size_t i = 0; i < head.nonce.size(); ++i) {
        head.nonce[i] = static_cast<unsigned char>(0xA0 + i);
    }
    vault::SealKey key;
    ASSERT_TRUE(vault::deriveKey("tulip", head, key));
    EXPECT_EQ(vault::sealWithKey("journal", key, head), expected);

    vault::EnvelopeHead read;
    ASSERT_TRUE(vault::readHead(expected, read).ok());
    EXPECT_EQ(read.limits, kQuick);
    EXPECT_EQ(read.salt, head.salt);
    EXPECT_EQ(read.nonce, head.nonce);
    vault::SealKey derived;
    ASSERT_TRUE(vault::deriveKey("tulip", read, derived));
    std::string plain;
    ASSERT_TRUE(vault::unsealWithKey(expected, derived, plain).ok());
    EXPECT_EQ(plain, "journal");
}

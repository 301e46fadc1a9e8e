// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "vault/Envelope.h"

#include <cstring>

// The key the sealed-journal fuzz target opens every input with, and its seeds are sealed with: a
// constant, so that no input ever runs the key derivation.
inline void fillFixedSealKey(vault::SealKey& key) {
    std::memset(key.data(), 0x5A, vault::kKeySize);
}

// A constant head for the seeds and for inputs the target seals itself.
inline vault::EnvelopeHead fixedSealHead() {
    vault::EnvelopeHead head;
    head.limits = vault::kSealingLimits;
    head.salt.fill(0x11);
    head.nonce.fill(0x22);
    return head;
}

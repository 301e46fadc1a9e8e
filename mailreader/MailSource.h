// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Saved mail as the mail programs leave it: one message (.eml), an mbox file (messages after
// "From " lines) or a Maildir folder (one file per message under cur/ and new/). This part only
// finds where each message begins and ends; what is inside is MIME's business.
namespace mailsource {

// The largest message read; a larger one is skipped with a message, so a huge mailbox never has to
// fit in memory at once.
inline constexpr std::size_t kMaxMessageBytes = std::size_t{32} << 20;

enum class Kind { Message, Mbox, Maildir };

// One message in mail order, numbered from 1. `text` is empty and `problem` says why when the
// message could not be taken (too large, unreadable).
struct Message {
    std::size_t number = 0;
    std::string text;
    std::string problem; // UTF-8
};

using MessageVisitor = std::function<void(Message&&)>;

// An mbox starts with a "From " line; anything else in a file is taken for one message.
Kind kindOfBytes(std::string_view bytes);

// Splits an mbox into its messages, undoing the ">From " quoting of its writers: one '>' is taken
// from a line that is only '>'s before "From ", which restores both the mboxrd and the mboxo forms.
void splitMbox(std::string_view mbox, const MessageVisitor& visit);

// Reads the messages at `path`: a Maildir folder, an mbox file or one message. False with the
// reason (UTF-8) in *refusal when the path is none of them or cannot be read at all.
bool readMessages(const std::string& path, const MessageVisitor& visit, std::string* refusal);

} // namespace mailsource

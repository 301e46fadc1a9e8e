// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/MailPart.h"

#include <string>

// Writes the parts of one kind into a multipart body: the part header, then the content.
class PartWriter {
public:
    explicit PartWriter(PartKind kind) : m_kind(kind) {}
    virtual ~PartWriter() = default;
    PartWriter(const PartWriter&) = delete;
    PartWriter& operator=(const PartWriter&) = delete;

    PartKind kind() const { return m_kind; }

    // Appends the part's header and content to body; false (and nothing appended) when the
    // content cannot be read.
    virtual bool appendPart(const MailPart& part, std::string& body) const = 0;
    virtual std::string contentType() const = 0;

protected:
    virtual std::string buildPartHeader(const MailPart& part) const = 0;

private:
    PartKind m_kind;
};

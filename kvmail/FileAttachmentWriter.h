// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/PartWriter.h"

#include <string>
#include <string_view>

// Writes a file part: "application/octet-stream" in base64, 54 file bytes (72 characters) a line,
// named after the file (without its directory) in both header parameters.
class FileAttachmentWriter : public PartWriter {
public:
    FileAttachmentWriter() : PartWriter(PartKind::File) {}

    // Appends nothing and fails when the path is empty or the file cannot be read.
    bool appendPart(const MailPart& part, std::string& body) const override;
    std::string contentType() const override { return "application/octet-stream"; }

    // The file name as the header parameter `attribute`, each on a folded line of its own: first
    // in RFC 2231 form ("name*=windows-1252''" and the bytes percent-encoded), which mail programs
    // prefer, then quoted in ASCII for those that know no other form. In the fallback every byte
    // outside printable ASCII, a quote and a backslash become "_", so that no line break can start
    // a header line of its own.
    static std::string nameParameter(std::string_view attribute, std::string_view fileName);

protected:
    std::string buildPartHeader(const MailPart& part) const override;
    virtual void appendEncodedContent(std::string_view fileBytes, std::string& body) const;
};

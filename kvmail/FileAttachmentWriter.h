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

    // The file name as a quoted header parameter value. Mail programs cut an unquoted name at its
    // first space; a quote or backslash is escaped, and a line break becomes "_" so that it cannot
    // start a header line of its own.
    static std::string quotedFileName(std::string_view fileName);

protected:
    std::string buildPartHeader(const MailPart& part) const override;
    virtual void appendEncodedContent(std::string_view fileBytes, std::string& body) const;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/MultipartMail.h"

#include "kvmail/FileAttachmentWriter.h"
#include "kvmail/PartWriterRegistry.h"
#include "kvmail/PlainTextWriter.h"
#include "kvmail/TextUtil.h"

MultipartMail::MultipartMail() {
    auto& registry = PartWriterRegistry::instance();
    const int width = lineLength();
    registry.addIfMissing(PartKind::Text, [width] { return std::make_unique<PlainTextWriter>(width); });
    registry.addIfMissing(PartKind::File, [] { return std::make_unique<FileAttachmentWriter>(); });
}

void MultipartMail::insertPart(std::vector<MailPart>& parts, MailPart part) {
    part.content = trimmedMailText(part.content);
    if (part.kind == PartKind::Text) {
        parts.insert(parts.begin(), std::move(part));
    } else {
        parts.push_back(std::move(part));
    }
}

void MultipartMail::addPart(std::string content, PartKind kind, std::string contentTypeSuffix, int reserved1,
                            int reserved2) {
    insertPart(m_parts, MailPart{std::move(content), kind, std::move(contentTypeSuffix), reserved1, reserved2});
}

void MultipartMail::addHeaderLines() {
    OutgoingMail::addHeaderLines();
    addHeaderLine("MIME-Version: 1.0");
    addHeaderLine(std::string("Content-Type: ") + kContentType + "; boundary=" + kBoundary);
}

void MultipartMail::prepareBody() {
    // The text part is added to a copy, so that preparing twice does not send the text twice.
    std::vector<MailPart> parts = m_parts;
    if (!text().empty()) {
        insertPart(parts, MailPart{text(), PartKind::Text, {}, 0, 0});
    }
    setBody(std::string(kPreamble) + "\r\n\r\n");
    appendParts(parts);
    std::string& body = mutableBody();
    endWithLineBreak(body);
    body += "--";
    body += kBoundary;
    body += "--\r\n";
    endWithLineBreak(body);
}

void MultipartMail::appendParts(const std::vector<MailPart>& parts) {
    std::string& body = mutableBody();
    for (const MailPart& part : parts) {
        const PartWriter* writer = PartWriterRegistry::instance().find(part.kind);
        if (writer == nullptr) {
            continue;
        }
        endWithLineBreak(body);
        body += "--";
        body += kBoundary;
        body += "\r\n";
        // A file that cannot be read leaves its boundary line followed by the next one.
        writer->appendPart(part, body);
    }
}

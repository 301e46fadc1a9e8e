// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/FileAttachmentWriter.h"

#include "kvmail/Base64Codec.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBytesPerLine = 54;

// The whole file, or false when it cannot be opened or read as a regular file.
bool readRegularFile(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    std::array<char, 16384> chunk{};
    while (ok) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got > 0) {
            bytes.append(chunk.data(), static_cast<std::size_t>(got));
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            ok = false;
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

std::string FileAttachmentWriter::nameParameter(std::string_view attribute, std::string_view fileName) {
    // RFC 2231: the name's Windows-1252 bytes, each one outside the attribute characters as %XX.
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    static constexpr std::string_view kAttributeMarks = "!#$&+-.^_`{|}~";
    std::string encoded;
    std::string fallback;
    for (const char c : fileName) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain =
            byte < 0x80 && (std::isalnum(byte) != 0 || kAttributeMarks.find(c) != std::string_view::npos);
        if (plain) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
        // The quoted fallback is for readers that know no RFC 2231: printable ASCII without the
        // characters that would end the quotes or the header line.
        fallback += byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\' ? c : '_';
    }
    return std::string(";\r\n ")
        .append(attribute)
        .append("*=windows-1252''")
        .append(encoded)
        .append(";\r\n ")
        .append(attribute)
        .append("=\"")
        .append(fallback)
        .append("\"");
}

bool FileAttachmentWriter::appendPart(const MailPart& part, std::string& body) const {
    std::string fileBytes;
    if (part.content.empty() || !readRegularFile(part.content, fileBytes)) {
        return false;
    }
    body += buildPartHeader(part);
    appendEncodedContent(fileBytes, body);
    body += "\r\n";
    return true;
}

std::string FileAttachmentWriter::buildPartHeader(const MailPart& part) const {
    const std::string name = std::filesystem::path(part.content).filename().native();
    return "Content-Type: " + contentType() + nameParameter("file", name) +
           "\r\n"
           "Content-Transfer-Encoding: base64\r\n"
           "Content-Disposition: attachment" +
           nameParameter("filename", name) + "\r\n\r\n";
}

void FileAttachmentWriter::appendEncodedContent(std::string_view fileBytes, std::string& body) const {
    // A short last line ends the content; a file that fills its last line exactly (the empty
    // file too) therefore ends with an empty line.
    std::size_t offset = 0;
    for (;;) {
        const std::string_view line = fileBytes.substr(offset, kBytesPerLine);
        body += Base64Codec::encode(line);
        body += "\r\n";
        offset += line.size();
        if (line.size() < kBytesPerLine) {
            break;
        }
    }
}

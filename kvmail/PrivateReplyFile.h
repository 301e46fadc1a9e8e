// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// A file that exists only while a mail is sent: written into a fresh directory that only this
// user can enter, so that it keeps the name it is given, two posts never collide, and nothing
// outside that directory is touched. The file and its directory go when the object does.
class PrivateReplyFile {
public:
    // fileName must be a plain name (see safeFileName). Null when the directory or the file
    // cannot be made or written; nothing is left behind then.
    static std::unique_ptr<PrivateReplyFile> create(const std::filesystem::path& temporaryRoot,
                                                    const std::string& fileName, std::string_view bytes);
    ~PrivateReplyFile();
    PrivateReplyFile(const PrivateReplyFile&) = delete;
    PrivateReplyFile& operator=(const PrivateReplyFile&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    const std::filesystem::path& directory() const { return m_directory; }
    void remove();

    // The text made fit for a file name: "/", "\", ":", quotes and control characters become "_",
    // and it is cut so that the whole name, with extraBytes more, stays within 255 bytes.
    static std::string safeFileName(std::string_view text, std::size_t extraBytes);

    // Makes SIGTERM, SIGINT and SIGHUP remove the file and directory of the live object before the
    // program ends, as a web server stops a gateway whose browser has gone.
    static void removeOnTermination();

private:
    PrivateReplyFile(std::filesystem::path directory, std::filesystem::path path);

    std::filesystem::path m_directory;
    std::filesystem::path m_path;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "MailSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mailsource {
namespace {

constexpr std::string_view kFromLine = "From ";

std::string tooLarge() {
    return "larger than " + std::to_string(kMaxMessageBytes >> 20) + " MB, skipped";
}

// A ">From " line of an mbox (any number of '>') stood for one with a '>' less.
bool isQuotedFromLine(std::string_view line) {
    const std::size_t quotes = line.find_first_not_of('>');
    return quotes != 0 && quotes != std::string_view::npos && line.substr(quotes).starts_with(kFromLine);
}

// A file mapped read-only, so that an mbox of any size is walked without copying it whole.
class MappedFile {
public:
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    explicit MappedFile(const std::string& path) {
        // O_NONBLOCK: a named pipe given by mistake must not stall the program; it is refused below.
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (m_fd < 0) {
            m_error = std::strerror(errno);
            return;
        }
        struct stat info {};
        if (::fstat(m_fd, &info) != 0) {
            m_error = std::strerror(errno);
            return;
        }
        if (!S_ISREG(info.st_mode)) {
            m_error = "not a file";
            return;
        }
        m_size = static_cast<std::size_t>(info.st_size);
        if (m_size == 0) {
            return;
        }
        void* address = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE, m_fd, 0);
        if (address == MAP_FAILED) {
            m_error = std::strerror(errno);
            m_size = 0;
            return;
        }
        m_address = address;
    }
    ~MappedFile() {
        if (m_address != nullptr) {
            ::munmap(m_address, m_size);
        }
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }
    std::string_view bytes() const {
        return m_address != nullptr ? std::string_view(static_cast<const char*>(m_address), m_size)
                                    : std::string_view();
    }

private:
    int m_fd = -1;
    void* m_address = nullptr;
    std::size_t m_size = 0;
    std::string m_error;
};

// Maildir file names begin with the time of delivery, so their order is the order of arrival.
std::vector<fs::path> maildirFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const char* sub : {"cur", "new"}) {
        std::error_code error;
        for (fs::directory_iterator it(folder / sub, error), end; !error && it != end; it.increment(error)) {
            const std::string name = it->path().filename().string();
            std::error_code typeError;
            if (!name.starts_with(".") && it->is_regular_file(typeError)) {
                files.push_back(it->path());
            }
        }
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return files;
}

void readMaildir(const fs::path& folder, const MessageVisitor& visit) {
    std::size_t number = 0;
    for (const fs::path& file : maildirFiles(folder)) {
        Message message;
        message.number = ++number;
        const MappedFile mapped(file.string());
        if (!mapped.ok()) {
            message.problem = "cannot be read: " + mapped.error();
        } else if (mapped.bytes().size() > kMaxMessageBytes) {
            message.problem = tooLarge();
        } else {
            message.text.assign(mapped.bytes());
        }
        visit(std::move(message));
    }
}

} // namespace

Kind kindOfBytes(std::string_view bytes) {
    return bytes.starts_with(kFromLine) ? Kind::Mbox : Kind::Message;
}

void splitMbox(std::string_view mbox, const MessageVisitor& visit) {
    Message current;
    bool inMessage = false;
    const auto finish = [&] {
        if (inMessage) {
            visit(std::move(current));
        }
    };
    std::size_t number = 0;
    std::size_t position = 0;
    while (position < mbox.size()) {
        const std::size_t newline = mbox.find('\n', position);
        const std::size_t end = newline == std::string_view::npos ? mbox.size() : newline + 1;
        const std::string_view line = mbox.substr(position, end - position);
        position = end;
        if (line.starts_with(kFromLine)) {
            finish();
            current = Message{};
            current.number = ++number;
            inMessage = true;
            continue;
        }
        if (!inMessage || !current.problem.empty()) {
            continue;
        }
        const std::string_view kept = isQuotedFromLine(line) ? line.substr(1) : line;
        if (current.text.size() + kept.size() > kMaxMessageBytes) {
            current.text = std::string();
            current.problem = tooLarge();
            continue;
        }
        current.text.append(kept);
    }
    finish();
}

bool readMessages(const std::string& path, const MessageVisitor& visit, std::string* refusal) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) {
        *refusal = "cannot be read: " + error.message();
        return false;
    }
    if (fs::is_directory(status)) {
        if (!fs::is_directory(fs::path(path) / "cur", error) && !fs::is_directory(fs::path(path) / "new", error)) {
            *refusal = "is a folder but no Maildir folder (it has neither cur nor new)";
            return false;
        }
        readMaildir(path, visit);
        return true;
    }
    const MappedFile mapped(path);
    if (!mapped.ok()) {
        *refusal = mapped.error() == "not a file" ? "is not a file" : "cannot be read: " + mapped.error();
        return false;
    }
    if (mapped.bytes().empty()) {
        *refusal = "is empty";
        return false;
    }
    if (kindOfBytes(mapped.bytes()) == Kind::Mbox) {
        splitMbox(mapped.bytes(), visit);
        return true;
    }
    Message message;
    message.number = 1;
    if (mapped.bytes().size() > kMaxMessageBytes) {
        message.problem = tooLarge();
    } else {
        message.text.assign(mapped.bytes());
    }
    visit(std::move(message));
    return true;
}

} // namespace mailsource

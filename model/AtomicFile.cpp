// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

std::string errorText(int error) {
    return std::strerror(error);
}

// Closes the descriptor and removes the temporary file unless the save went through.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : m_path(target + ".XXXXXX") { m_fd = mkstemp(m_path.data()); }
    ~TemporaryFile() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (!m_kept) {
            ::unlink(m_path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }
    bool close() {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0;
    }
    void keep() { m_kept = true; }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_kept = false;
};

mode_t modeForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncDirectoryOf(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) {
        folder.assign(1, '.');
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file a save replaces: the path itself, or the end of the chain of links it starts.
std::optional<std::string> finalTarget(const std::string& path, int* error) {
    namespace fs = std::filesystem;
    fs::path current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ignored;
        if (!fs::is_symlink(current, ignored)) {
            return current.string();
        }
        std::error_code failure;
        const fs::path next = fs::read_symlink(current, failure);
        if (failure) {
            *error = failure.value();
            return std::nullopt;
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    *error = ELOOP;
    return std::nullopt;
}

bool failed(std::string* error, int code) {
    if (error) {
        *error = errorText(code);
    }
    return false;
}

} // namespace

bool AtomicFile::write(const std::string& path, std::string_view bytes, std::string* error,
                       const WriteFunction& writeFunction) {
    int code = 0;
    const std::optional<std::string> target = finalTarget(path, &code);
    if (!target) {
        return failed(error, code);
    }
    TemporaryFile temporary(*target);
    if (temporary.fd() < 0) {
        return failed(error, errno);
    }

    struct stat existing {};
    const mode_t mode = ::stat(target->c_str(), &existing) == 0 ? (existing.st_mode & 07777) : modeForNewFile();
    ::fchmod(temporary.fd(), mode);

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = writeFunction ? writeFunction(temporary.fd(), bytes.data() + written, bytes.size() - written)
                                        : ::write(temporary.fd(), bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return failed(error, n < 0 ? errno : ENOSPC);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(temporary.fd()) != 0) {
        return failed(error, errno);
    }
    if (!temporary.close()) {
        return failed(error, errno);
    }
    if (::rename(temporary.path().c_str(), target->c_str()) != 0) {
        return failed(error, errno);
    }
    temporary.keep();
    syncDirectoryOf(*target);
    return true;
}

std::optional<std::string> readWholeFile(const std::string& path, std::string* error) {
    std::string ignored;
    if (!error) {
        error = &ignored;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = errorText(errno);
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = S_ISDIR(info.st_mode) ? errorText(EISDIR) : "not a regular file";
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            *error = errorText(errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

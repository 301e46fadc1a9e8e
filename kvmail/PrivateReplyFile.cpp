// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/PrivateReplyFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// What the termination handler removes; written only with termination signals blocked.
char g_filePath[PATH_MAX];
char g_directoryPath[PATH_MAX];
volatile sig_atomic_t g_armed = 0;

class TerminationSignalsBlocked {
public:
    TerminationSignalsBlocked() {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGTERM);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGHUP);
        sigprocmask(SIG_BLOCK, &set, &m_previous);
    }
    ~TerminationSignalsBlocked() { sigprocmask(SIG_SETMASK, &m_previous, nullptr); }
    TerminationSignalsBlocked(const TerminationSignalsBlocked&) = delete;
    TerminationSignalsBlocked& operator=(const TerminationSignalsBlocked&) = delete;

private:
    sigset_t m_previous;
};

void arm(const std::string& directory, const std::string& file) {
    const TerminationSignalsBlocked blocked;
    if (directory.size() >= PATH_MAX || file.size() >= PATH_MAX) {
        return;
    }
    std::memcpy(g_directoryPath, directory.c_str(), directory.size() + 1);
    std::memcpy(g_filePath, file.c_str(), file.size() + 1);
    g_armed = 1;
}

void disarm() {
    const TerminationSignalsBlocked blocked;
    g_armed = 0;
}

extern "C" void removeAndEnd(int signalNumber) {
    if (g_armed != 0) {
        ::unlink(g_filePath);
        ::rmdir(g_directoryPath);
    }
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

PrivateReplyFile::PrivateReplyFile(std::filesystem::path directory, std::filesystem::path path)
    : m_directory(std::move(directory)), m_path(std::move(path)) {}

std::unique_ptr<PrivateReplyFile> PrivateReplyFile::create(const std::filesystem::path& temporaryRoot,
                                                           const std::string& fileName, std::string_view bytes) {
    if (temporaryRoot.empty() || fileName.empty() || fileName.find('/') != fileName.npos) {
        return nullptr;
    }
    std::string pattern = (temporaryRoot / "kvmail.XXXXXX").native();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // mkdtemp creates the directory exclusively, with mode 0700.
    if (::mkdtemp(buffer.data()) == nullptr) {
        return nullptr;
    }
    const std::filesystem::path directory(buffer.data());
    std::unique_ptr<PrivateReplyFile> file(new PrivateReplyFile(directory, directory / fileName));
    arm(file->m_directory.native(), file->m_path.native());
    const int fd = ::open(file->m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return nullptr;
    }
    const bool written = writeAll(fd, bytes);
    if (::close(fd) != 0 || !written) {
        return nullptr;
    }
    return file;
}

PrivateReplyFile::~PrivateReplyFile() {
    remove();
}

void PrivateReplyFile::remove() {
    if (m_directory.empty()) {
        return;
    }
    ::unlink(m_path.c_str());
    ::rmdir(m_directory.c_str());
    m_directory.clear();
    disarm();
}

std::string PrivateReplyFile::safeFileName(std::string_view text, std::size_t extraBytes) {
    constexpr std::size_t kMaxFileName = 255;
    std::string safe;
    const std::size_t room = extraBytes < kMaxFileName ? kMaxFileName - extraBytes : 0;
    for (const char c : text.substr(0, room)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unsafe = byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == ':' || c == '"';
        safe += unsafe ? '_' : c;
    }
    return safe;
}

void PrivateReplyFile::removeOnTermination() {
    struct sigaction action {};
    action.sa_handler = removeAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Times posts of the web questionnaire, one after another, either through the web server or by
// running a CGI program directly (which also gives its CPU time and peak memory). Prints one line
// per post: "ok|fail WALL_MS [CPU_MS MAXRSS_KB]".
//
//   bench_kvmail_post http PORT URL_PATH BODY_FILE COUNT
//   bench_kvmail_post direct PROGRAM BODY_FILE COUNT
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kSuccess = "<p>Feedback successfully sent.  Thank you.</p>";

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool sendAll(int fd, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (count <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(count);
    }
    return true;
}

std::string readAll(int fd) {
    std::string all;
    char chunk[8192];
    ssize_t count = 0;
    while ((count = ::read(fd, chunk, sizeof chunk)) > 0) {
        all.append(chunk, static_cast<std::size_t>(count));
    }
    return all;
}

bool postOverHttp(int port, const std::string& path, const std::string& body) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    const std::string request = "POST " + path +
                                " HTTP/1.0\r\nHost: 127.0.0.1\r\n"
                                "Content-Type: application/x-www-form-urlencoded\r\n"
                                "Content-Length: " +
                                std::to_string(body.size()) + "\r\n\r\n" + body;
    ok = ok && sendAll(fd, request);
    ok = ok && readAll(fd).find(kSuccess) != std::string::npos;
    ::close(fd);
    return ok;
}

// Runs the program as a web server would, in its own directory, with the body on a pipe.
bool postDirectly(const std::string& program, const std::string& body, rusage* usage) {
    int input[2];
    int output[2];
    if (::pipe(input) != 0 || ::pipe(output) != 0) {
        return false;
    }
    const std::string length = std::to_string(body.size());
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(input[0], 0);
        ::dup2(output[1], 1);
        ::close(input[0]);
        ::close(input[1]);
        ::close(output[0]);
        ::close(output[1]);
        const std::string directory = program.substr(0, program.rfind('/'));
        if (::chdir(directory.c_str()) != 0) {
            ::_exit(127);
        }
        ::setenv("CONTENT_LENGTH", length.c_str(), 1);
        ::setenv("REQUEST_METHOD", "POST", 1);
        ::setenv("SCRIPT_FILENAME", program.c_str(), 1);
        ::setenv("GATEWAY_INTERFACE", "CGI/1.1", 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(input[0]);
    ::close(output[1]);
    for (std::size_t written = 0; written < body.size();) {
        const ssize_t count = ::write(input[1], body.data() + written, body.size() - written);
        if (count <= 0) {
            break;
        }
        written += static_cast<std::size_t>(count);
    }
    ::close(input[1]);
    const std::string page = readAll(output[0]);
    ::close(output[0]);
    int status = 0;
    ::wait4(child, &status, 0, usage);
    const bool ok = WIFEXITED(status) && page.find(kSuccess) != std::string::npos;
    if (!ok) {
        std::fprintf(stderr, "status %d, page:\n%s\n", status, page.c_str());
    }
    return ok;
}

double milliseconds(const timeval& time) {
    return time.tv_sec * 1000.0 + time.tv_usec / 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "http" && argc == 6) {
        const std::string body = readFile(argv[4]);
        for (int i = 0, count = std::atoi(argv[5]); i < count; ++i) {
            const auto start = Clock::now();
            const bool ok = postOverHttp(std::atoi(argv[2]), argv[3], body);
            std::printf("%s %.3f\n", ok ? "ok" : "fail", millisecondsSince(start));
        }
        return 0;
    }
    if (mode == "direct" && argc == 5) {
        const std::string body = readFile(argv[3]);
        for (int i = 0, count = std::atoi(argv[4]); i < count; ++i) {
            rusage usage{};
            const auto start = Clock::now();
            const bool ok = postDirectly(argv[2], body, &usage);
            std::printf("%s %.3f %.3f %ld\n", ok ? "ok" : "fail", millisecondsSince(start),
                        milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), usage.ru_maxrss);
        }
        return 0;
    }
    std::fprintf(stderr,
                 "usage: %s http PORT URL_PATH BODY_FILE COUNT\n"
                 "       %s direct PROGRAM BODY_FILE COUNT\n",
                 argv[0], argv[0]);
    return 2;
}

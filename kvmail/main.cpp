// SPDX-License-Identifier: GPL-3.0-or-later
// kvmail: the CGI program behind the web questionnaire's form.
#include "kvmail/Gateway.h"
#include "kvmail/PrivateReplyFile.h"

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view kUsage =
    "Usage: kvmail\n"
    "Mail the answers of a web questionnaire back to the person who asked for the feedback.\n"
    "\n"
    "kvmail is a CGI program: a web server runs it for every post of a web questionnaire's form. It\n"
    "reads the form from standard input (CONTENT_LENGTH bytes), writes the answers as a web feedback\n"
    "reply file (.kvi, scrambled under the page's password when it has one), mails it through the\n"
    "mail server the form or the settings name, removes it, and prints the page the respondent sees.\n"
    "\n"
    "Options:\n"
    "  --help         show this text and exit; only outside a web server\n";

// A web server may hand a query without '=' to a CGI program as its arguments: only a program
// started from a shell answers --help.
bool asksForHelp(int argc, char** argv) {
    return argc == 2 && std::string_view(argv[1]) == "--help" && std::getenv("GATEWAY_INTERFACE") == nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (asksForHelp(argc, argv)) {
        DescriptorOutput(1).write(kUsage);
        return 0;
    }
    // A browser that leaves early must not stop the run before the reply file is removed.
    std::signal(SIGPIPE, SIG_IGN);
    PrivateReplyFile::removeOnTermination();

    std::error_code error;
    std::filesystem::path temporaryRoot = std::filesystem::temp_directory_path(error);
    if (error) {
        temporaryRoot.clear(); // the reply file then cannot be written, which the page reports
    }
    DescriptorOutput standardOutput(1);
    try {
        const MailClock clock = [] { return std::time(nullptr); };
        Gateway gateway(GatewaySettings::load(), clock, temporaryRoot);
        return gateway.handle(std::getenv("CONTENT_LENGTH"), 0, standardOutput);
    } catch (const std::exception&) {
        // Caught so that unwinding removes the reply file; the page still gets its one ending.
        Gateway::writeFailurePage("<p>Error: cannot process the feedback</p></body></html>\n",
                                  standardOutput.written() > 0, standardOutput);
        return 1;
    }
}

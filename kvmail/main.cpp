// kvmail: the CGI program behind the web questionnaire's form.
#include "kvmail/Gateway.h"
#include "kvmail/PrivateReplyFile.h"

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <system_error>

int main() {
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

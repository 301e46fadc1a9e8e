// SPDX-License-Identifier: GPL-3.0-or-later
/* The lower floor of the gateway benchmark: a CGI program that reads the post and prints the
 * gateway's success page, and does nothing else. */
#include <stdio.h>
#include <unistd.h>

int main(void) {
    char buffer[65536];
    while (read(0, buffer, sizeof buffer) > 0) {
    }
    fputs("Content-type: text/html\nStatus: 200 OK\n\n"
          "<html><head><title>KVMail</title></head><body>\n"
          "<h1>Sending feedback.  Please wait...</h1>\n"
          "<p>Feedback successfully sent.  Thank you.</p></body></html>\n",
          stdout);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
/* The real floor of any mailing CGI program: read the post, hand one ready-made mail to the mail
 * server in the plainest SMTP dialogue (one write per command, the mail and its end line in one
 * write, no delay on small packets), print the success page. Beside the program lie the server's
 * port ("bare-smtp.port") and the mail ("bare-smtp.eml", a mail of the gateway's layout). */
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

static int expect(int fd, const char* code) {
    char reply[1024];
    size_t used = 0;
    while (used < sizeof reply - 1) {
        ssize_t got = recv(fd, reply + used, sizeof reply - 1 - used, 0);
        if (got <= 0) {
            return 0;
        }
        used += (size_t)got;
        reply[used] = '\0';
        if (strstr(reply, "\r\n") != NULL) {
            break;
        }
    }
    return strncmp(reply, code, 3) == 0;
}

static int command(int fd, const char* text, size_t length, const char* code) {
    return send(fd, text, length, MSG_NOSIGNAL) == (ssize_t)length && expect(fd, code);
}

/* Reads the file of that name beside the program; its length, or 0. */
static size_t readBeside(const char* name, char* buffer, size_t capacity) {
    const char* script = getenv("SCRIPT_FILENAME");
    const char* slash = script != NULL ? strrchr(script, '/') : NULL;
    char path[4096];
    if (slash == NULL || (size_t)(slash - script) + strlen(name) + 2 > sizeof path) {
        return 0;
    }
    memcpy(path, script, (size_t)(slash - script) + 1);
    strcpy(path + (slash - script) + 1, name);
    FILE* file = fopen(path, "rb");
    size_t length = 0;
    if (file != NULL) {
        length = fread(buffer, 1, capacity - 1, file);
        fclose(file);
    }
    buffer[length] = '\0';
    return length;
}

int main(void) {
    char buffer[65536];
    while (read(0, buffer, sizeof buffer) > 0) {
    }
    char port[32];
    readBeside("bare-smtp.port", port, sizeof port);
    static char mail[65536];
    size_t length = readBeside("bare-smtp.eml", mail, sizeof mail - 8);
    memcpy(mail + length, "\r\n.\r\n", 6);
    length += 5;

    struct sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons((unsigned short)atoi(port));
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
#define COMMAND(text, code) command(fd, text, strlen(text), code)
    int sent = fd >= 0 && connect(fd, (struct sockaddr*)&address, sizeof address) == 0 && expect(fd, "220") &&
               COMMAND("HELO localhost\r\n", "250") && COMMAND("MAIL From: <web@example.org>\r\n", "250") &&
               COMMAND("RCPT TO: <anna@example.com>\r\n", "250") && COMMAND("DATA\r\n", "354") &&
               command(fd, mail, length, "250") && COMMAND("QUIT\r\n", "221");
    if (fd >= 0) {
        close(fd);
    }
    fputs("Content-type: text/html\nStatus: 200 OK\n\n"
          "<html><head><title>KVMail</title></head><body>\n"
          "<h1>Sending feedback.  Please wait...</h1>\n",
          stdout);
    fputs(sent ? "<p>Feedback successfully sent.  Thank you.</p></body></html>\n"
               : "<p>Error: cannot send message to mail server 127.0.0.1</p></body></html>\n",
          stdout);
    return 0;
}

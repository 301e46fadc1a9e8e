#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The gateway's cost per post, measured against two floors in the same run: a CGI program that
only prints the page, and one that only does the bare SMTP exchange with the same mail server.
Run under scripts/kvmail-with-servers (lighttpd + aiosmtpd on 127.0.0.1):

    scripts/kvmail-with-servers bench/kvmail/run_kvmail_bench.py BIN_DIR [POSTS]

BIN_DIR holds kvmail, floor_fixed_page, floor_bare_smtp and bench_kvmail_post (a release build).
The bare-SMTP floor sends a ready-made mail of the gateway's layout, so that only the programs
differ, not the mail server's work.
Batches of the three are interleaved so that drift of the machine hits all alike."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import urllib.parse

BIN = sys.argv[1]
POSTS = int(sys.argv[2]) if len(sys.argv) > 2 else 300
BATCH = 25
ENV = os.environ
CGI_ROOT = ENV["KVMAIL_CGI_ROOT"]
SMTP_PORT = ENV["KVMAIL_SMTP_PORT"]
DRIVER = os.path.join(BIN, "bench_kvmail_post")
# What the bare-SMTP floor sends: a mail of the gateway's layout and size (the stored copy the
# MIME tests compare against), so that the mail server does the same work for both.
SAMPLE_MAIL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "kvmail", "data",
                           "mail-with-text.eml")

BODY = urllib.parse.urlencode([
    ("mailserver", "127.0.0.1"), ("from", "web@example.org"), ("subject", "Web PAVEX Feedback"),
    ("message", "Here is some PAVEX feedback that someone completed for you on the web.  Drag and drop it "
                "into PAVEX, or use PAVEX Tools->Merge, to add it to your reflectory."),
    ("role", "Sales Lead"), ("email", "anna@example.com"), ("name", "Bob Smith"), ("password", "secret"),
    ("relationship", "3"), ("comments", "Great work.\r\nKeep it up."), ("replies", "0123210123"),
], encoding="cp1252").encode()


def install(name, program):
    directory = os.path.join(CGI_ROOT, name)
    os.makedirs(directory, exist_ok=True)
    shutil.copy(os.path.join(BIN, program), os.path.join(directory, "run"))
    with open(os.path.join(directory, "kvmail.ini"), "w") as ini:
        ini.write("[KVMail]\nport=%s\ntimeout=30\n" % SMTP_PORT)
    with open(os.path.join(directory, "bare-smtp.port"), "w") as port:
        port.write(SMTP_PORT)
    shutil.copy(SAMPLE_MAIL, os.path.join(directory, "bare-smtp.eml"))
    return os.path.join(directory, "run")


def mail_count():
    new = os.path.join(ENV["KVMAIL_MAILDIR"], "new")
    return len(os.listdir(new)) if os.path.isdir(new) else 0


def driver(*args):
    # Programs run directly get the temporary directory the web server gives them.
    out = subprocess.run([DRIVER, *args], capture_output=True, text=True, check=True,
                         env=dict(ENV, TMPDIR=ENV["KVMAIL_CGI_TMP"])).stdout
    return [line.split() for line in out.splitlines()]


def main():
    filesystem = subprocess.run(["stat", "-f", "-c", "%T", ENV["KVMAIL_CGI_TMP"]], capture_output=True,
                                text=True).stdout.strip()
    print("the programs' temporary directory %s is on %s" % (ENV["KVMAIL_CGI_TMP"], filesystem))
    cgis = {"fixed page": install("fixed", "floor_fixed_page"),
            "bare SMTP": install("smtp", "floor_bare_smtp"),
            "kvmail": install("kvmail", "kvmail")}
    with tempfile.NamedTemporaryFile(delete=False) as body_file:
        body_file.write(BODY)
    latencies = {name: [] for name in cgis}
    answered = {name: 0 for name in cgis}
    mailed = {name: 0 for name in cgis}
    for name in cgis:  # warm-up: page cache, the server's first connections
        driver("http", ENV["KVMAIL_HTTP_PORT"], "/cgi-bin/%s/run" % os.path.basename(os.path.dirname(cgis[name])),
               body_file.name, "10")
    for _ in range(POSTS // BATCH):
        for name, program in cgis.items():
            before = mail_count()
            rows = driver("http", ENV["KVMAIL_HTTP_PORT"],
                          "/cgi-bin/%s/run" % os.path.basename(os.path.dirname(program)), body_file.name, str(BATCH))
            latencies[name] += [float(row[1]) for row in rows]
            answered[name] += sum(row[0] == "ok" for row in rows)
            mailed[name] += mail_count() - before
    # CPU time and peak memory per post: each program run directly, as the web server would, so
    # that the process's own figures can be read; the floors show what starting a process costs.
    direct = {name: [] for name in cgis}
    for _ in range(POSTS // BATCH):
        for name, program in cgis.items():
            direct[name] += driver("direct", program, body_file.name, str(BATCH))
    os.unlink(body_file.name)

    print("posts per program: %d, answered with success: %s, mails received: %s"
          % (len(latencies["kvmail"]), answered, mailed))
    floor = statistics.median(latencies["bare SMTP"])
    for name, values in latencies.items():
        values.sort()
        print("%-10s median %7.2f ms  p90 %7.2f ms  mean %7.2f ms  median / bare SMTP %.2f"
              % (name, statistics.median(values), values[int(len(values) * 0.9)], statistics.mean(values),
                 statistics.median(values) / floor))
    for name, rows in direct.items():
        cpu = sorted(float(row[2]) for row in rows)
        rss = sorted(int(row[3]) for row in rows)
        print("%-10s run directly: %d/%d ok, CPU median %5.2f ms, p90 %5.2f ms; peak RSS median %d KiB, max %d KiB"
              % (name, sum(row[0] == "ok" for row in rows), len(rows), statistics.median(cpu),
                 cpu[int(len(cpu) * 0.9)], statistics.median(rss), rss[-1]))
    own = statistics.median(float(row[2]) for row in direct["kvmail"]) - \
        statistics.median(float(row[2]) for row in direct["fixed page"])
    print("kvmail's CPU above the cost of starting a process (fixed page floor): %.2f ms" % own)
    ok = all(answered[name] == mailed[name] for name in ("bare SMTP", "kvmail")) and \
        all(count == len(latencies["kvmail"]) for count in answered.values()) and \
        all(row[0] == "ok" for rows in direct.values() for row in rows)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())

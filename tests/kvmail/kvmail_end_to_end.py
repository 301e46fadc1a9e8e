#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web reply gateway as deployed: the built kvmail runs as a CGI program under lighttpd and
mails through Debian's aiosmtpd, both started by scripts/kvmail-with-servers on 127.0.0.1. Posts
are made with curl as the web questionnaire's form sends them (windows-1252, URL-encoded); the
delivered mails are read from the Maildir and their reply files decoded with `kvtool dump`.

    kvmail-with-servers kvmail_end_to_end.py KVMAIL KVTOOL            # behaviour
    kvmail-with-servers kvmail_end_to_end.py KVMAIL KVTOOL --load 500 # load: 500 posts, 8 at a time
"""
import base64
import binascii
import concurrent.futures
import email
import email.header
import email.policy
import email.utils
import json
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import traceback
import urllib.parse

KVMAIL, KVTOOL = sys.argv[1], sys.argv[2]
ENV = os.environ
CGI_ROOT = ENV["KVMAIL_CGI_ROOT"]
MAILDIR = ENV["KVMAIL_MAILDIR"]
CGI_TMP = ENV["KVMAIL_CGI_TMP"]
BASE_URL = "http://127.0.0.1:%s/cgi-bin/" % ENV["KVMAIL_HTTP_PORT"]
SMTP_PORT = int(ENV["KVMAIL_SMTP_PORT"])

HEAD = ("<html><head><title>KVMail</title>"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"></head><body>\n"
        "<h1>Sending feedback.  Please wait...</h1>\n")
SUCCESS = HEAD + "<p>Feedback successfully sent.  Thank you.</p></body></html>\n"
MESSAGE = ("Here is some PAVEX feedback that someone completed for you on the web.  Drag and drop it into "
           "PAVEX, or use PAVEX Tools->Merge, to add it to your reflectory.")
# The quoted ASCII fallback of the attachment's name; the name itself travels in RFC 2231 form.
FILE_NAME = re.compile(rb'\n filename="(Feedback from (.*) (\d{14})\.kvi)"')


def error_page(text):
    return HEAD + "<p>Error: %s</p></body></html>\n" % text


def install(directory, settings, program="kvmail"):
    """A copy of kvmail in its own CGI directory, with its own kvmail.ini beside it."""
    path = os.path.join(CGI_ROOT, directory)
    os.makedirs(path, exist_ok=True)
    shutil.copy(KVMAIL, os.path.join(path, program))
    if settings is not None:
        lines = ["[KVMail]"] + ["%s=%s" % item for item in settings.items()]
        with open(os.path.join(path, "kvmail.ini"), "w", encoding="cp1252", newline="\r\n") as ini:
            ini.write("\n".join(lines) + "\n")
    return path


def form(**fields):
    """The body the questionnaire page posts, its fields in the page's order."""
    order = ["mailserver", "from", "subject", "message", "role", "email", "name", "password",
             "relationship", "comments", "replies"]
    pairs = [(key, fields[key]) for key in order if key in fields]
    return urllib.parse.urlencode(pairs, encoding="cp1252").encode("ascii")


def honest_post(**changes):
    fields = {"mailserver": "127.0.0.1", "from": "web@example.org", "subject": "Web PAVEX Feedback",
              "message": MESSAGE, "role": "Sales Lead", "email": "anna@example.com", "name": "Bob Smith",
              "password": "", "relationship": "3", "comments": "Great work.\r\nKeep it up.",
              "replies": "0123210"}
    fields.update(changes)
    return {key: value for key, value in fields.items() if value is not None}


def post(directory, body, method="POST", alone=True, status=200):
    """Posts with curl; returns the page, which must come with that HTTP status. A post made alone
    must leave the CGI's temporary directory empty."""
    command = ["curl", "-sS", "--max-time", "60", "-o", "-", "-w", "\n%{http_code} %{content_type}",
               "-X", method, BASE_URL + directory + "/kvmail"]
    if body is not None:
        command[1:1] = ["-H", "Content-Type: application/x-www-form-urlencoded", "--data-binary", "@-"]
    result = subprocess.run(command, input=body, capture_output=True, check=True)
    page, _, got = result.stdout.rpartition(b"\n")
    assert got == b"%d text/html" % status, got
    if alone:
        assert_nothing_left()
    return page.decode("cp1252")


def assert_nothing_left():
    leftovers = os.listdir(CGI_TMP)
    assert not leftovers, "left in the temporary directory: %s" % leftovers


def mails():
    new = os.path.join(MAILDIR, "new")
    return {name: os.path.join(new, name) for name in os.listdir(new)} if os.path.isdir(new) else {}


def delivered_since(before, count=1):
    deadline = time.time() + 10
    while time.time() < deadline:
        fresh = sorted(path for name, path in mails().items() if name not in before)
        if len(fresh) >= count:
            return fresh
        time.sleep(0.05)
    raise AssertionError("expected %d new mails, got %d" % (count, len(fresh)))


def dump(kvi_bytes, password):
    with tempfile.TemporaryDirectory() as scratch:
        path = os.path.join(scratch, "reply.kvi")
        with open(path, "wb") as out:
            out.write(kvi_bytes)
        command = [KVTOOL, "dump", path] + (["--password", password] if password else [])
        return json.loads(subprocess.run(command, capture_output=True, check=True).stdout)


def ole_now():
    now = time.time()
    return (now + time.localtime(now).tm_gmtoff) / 86400.0 + 25569.0


def read_mail(path):
    with open(path, "rb") as source:
        raw = source.read()
    return raw, email.message_from_bytes(raw, policy=email.policy.compat32)


def header_text(value):
    """A header field's text with its encoded words decoded."""
    return str(email.header.make_header(email.header.decode_header(value)))


def check_reply_mail(path, fields, text=MESSAGE):
    """The mail's header, its two or one parts, and the reply file it carries."""
    raw, message = read_mail(path)
    assert message["From"] == fields["from"], message["From"]
    assert message["To"] == "<%s>" % fields["email"], message["To"]
    assert header_text(message["Subject"]) == fields["subject"], message["Subject"]
    assert message["X-Mailer"] == "ZQ Mail"
    assert message["MIME-Version"] == "1.0"
    assert message["Content-Type"] == "multipart/mixed; boundary=ZQ_MAIL_PaRt_BoUnDaRy_05151998"
    assert message["X-RcptTo"] == fields["email"] and message["X-MailFrom"] == fields["from"]
    assert re.match(r"(Mon|Tue|Wed|Thu|Fri|Sat|Sun), \d\d \w{3} \d{4} \d\d:\d\d:\d\d [+-]\d{4}$", message["Date"]), \
        message["Date"]
    assert email.utils.parsedate_to_datetime(message["Date"]).tzinfo is not None
    assert message.preamble.startswith("This is a multi-part message in MIME format."), message.preamble
    parts = message.get_payload()
    if text:
        assert len(parts) == 2, len(parts)
        assert parts[0]["Content-Type"] == "text/plain; charset=windows-1252", parts[0]["Content-Type"]
        assert parts[0]["Content-Transfer-Encoding"] == "quoted-printable"
        encoded = parts[0].get_payload()
        assert all(len(line) <= 76 for line in encoded.splitlines()), encoded
        body = parts[0].get_payload(decode=True).decode("cp1252")
        assert " ".join(body.split()) == " ".join(text.split()), body
    else:
        assert len(parts) == 1, len(parts)
    attachment = parts[-1]
    assert attachment.get_content_type() == "application/octet-stream"
    assert attachment["Content-Transfer-Encoding"] == "base64"
    # The name as a mail program reads it (RFC 2231), and its quoted ASCII fallback in both places.
    read_name = email.message_from_bytes(raw, policy=email.policy.default).get_payload()[-1].get_filename()
    name, stamp = re.fullmatch(r"Feedback from (.*) (\d{14})\.kvi", read_name).groups()
    posted_name = fields.get("name") or "<anonymous>"
    assert name == posted_name.replace("/", "_").replace("\\", "_").replace(":", "_"), name
    names = FILE_NAME.findall(raw)
    assert len(names) == 1, names
    file_name = names[0][0]
    assert file_name == re.sub(r"[^ -~]", "_", read_name).encode("ascii"), file_name
    assert b'\n file="%s"' % file_name in raw
    assert abs(time.mktime(time.strptime(stamp, "%Y%m%d%H%M%S")) - time.time()) < 120, stamp
    encoded = attachment.get_payload()
    lines = encoded.splitlines()
    assert all(len(line) == 72 for line in lines[:-1]) and len(lines[-1]) <= 72, lines[-3:]
    kvi = base64.b64decode(encoded, validate=False)
    password = fields.get("password") or ""
    reply = dump(kvi, password)
    assert reply["kind"] == "reply"
    assert reply["scrambled"] == (1 if password else 0), reply
    assert (reply["seed"] != 0) == bool(password), reply
    assert reply["password"] == password, reply
    assert reply["assessor"] == (fields.get("name") or "<anonymous>"), reply
    assert reply["role_name"] == fields["role"], reply
    assert reply["responses"] == fields["replies"], reply
    assert reply["relationship"] == fields["relationship"], reply
    assert reply["details"] == fields.get("comments", ""), reply
    assert reply["date"]["status"] == 0, reply
    assert abs(reply["date"]["value"] - ole_now()) < 120 / 86400.0, reply
    return reply


class ScriptedSmtpServer:
    """A mail server on 127.0.0.1 answering from a script, for the failures aiosmtpd never shows.
    The first reply is the greeting, each later one answers one line; None means say nothing."""

    def __init__(self, replies):
        self.replies = replies
        self.listener = socket.create_server(("127.0.0.1", 0))
        self.port = self.listener.getsockname()[1]
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        while True:
            try:
                connection, _ = self.listener.accept()
            except OSError:
                return
            threading.Thread(target=self.answer, args=(connection,), daemon=True).start()

    def answer(self, connection):
        with connection:
            replies = list(self.replies)
            if replies and replies[0] is not None:
                connection.sendall(replies.pop(0))
            buffer = b""
            while True:
                data = connection.recv(65536)
                if not data:
                    return
                buffer += data
                while b"\r\n" in buffer:
                    _, _, buffer = buffer.partition(b"\r\n")
                    if replies and replies[0] is not None:
                        reply = replies.pop(0)
                        connection.sendall(reply)
                        if reply.startswith(b"354"):
                            buffer = b""  # the data arrives in one piece and needs no answer per line
                            while not buffer.endswith(b"\r\n.\r\n"):
                                buffer += connection.recv(65536)
                            buffer = b""
                            connection.sendall(replies.pop(0))

    def close(self):
        self.listener.close()


class RecordingSmtpServer:
    """aiosmtpd in this process, keeping each mail's data exactly as the server received it (after
    it removed the dot-stuffing): the shared server's Maildir rewrites line ends and headers."""

    def __init__(self):
        from aiosmtpd.controller import Controller
        self.received = []
        self.port = closed_port()
        self.controller = Controller(self, hostname="127.0.0.1", port=self.port)
        self.controller.start()

    async def handle_DATA(self, server, session, envelope):
        self.received.append(envelope.original_content)
        return "250 OK"

    def close(self):
        self.controller.stop()


def closed_port():
    with socket.create_server(("127.0.0.1", 0)) as probe:
        return probe.getsockname()[1]


# ---- the tests ----

def test_reply_with_password_arrives_scrambled_under_the_respondents_name():
    install("open", {"port": SMTP_PORT, "timeout": 10})
    fields = honest_post(name="Zo\u00eb Quinn", password="pa ss", comments="Great work.\r\nKeep it up. 100% & more")
    before = mails()
    page = post("open", form(**fields))
    assert page == SUCCESS, page
    check_reply_mail(delivered_since(before)[0], fields)


def test_reply_without_password_or_name_is_plain_and_anonymous():
    install("open", {"port": SMTP_PORT, "timeout": 10})
    fields = honest_post(name="", password="", comments="")
    before = mails()
    page = post("open", form(**fields))
    assert page == SUCCESS, page
    check_reply_mail(delivered_since(before)[0], fields)


def test_a_delivered_mail_merges_into_a_journal_as_it_arrived():
    """The mail as the server received it, its attachment named in raw Windows-1252, merged by kvtool."""
    install("open", {"port": SMTP_PORT, "timeout": 10})
    fields = honest_post(name="Zo\u00eb Quinn", comments="Merged from mail.")
    before = mails()
    page = post("open", form(**fields))
    assert page == SUCCESS, page
    delivered = delivered_since(before)[0]
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools", "data", "role.json"),
              encoding="utf-8") as source:
        role = json.load(source)
    role["name"] = "Sales Lead"
    first = role["framework"]["behaviours"][0]
    role["framework"]["behaviours"] = [dict(first, statement="Behaviour %d" % n) for n in range(7)]
    with tempfile.TemporaryDirectory() as scratch:
        role_json, role_file, journal = (os.path.join(scratch, n) for n in ("role.json", "Sales.kvr", "Anna.kva"))
        with open(role_json, "w", encoding="utf-8") as out:
            json.dump(role, out)
        subprocess.run([KVTOOL, "build", role_json, role_file], check=True, capture_output=True)
        subprocess.run([KVTOOL, "new", journal, "--role", role_file, "--person", "Anna"], check=True,
                       capture_output=True)
        merged = subprocess.run([KVTOOL, "merge", journal, delivered], capture_output=True)
        out = merged.stdout.decode("utf-8")
        assert merged.returncode == 0, (out, merged.stderr)
        assert re.search(r"    Feedback from Zo\u00eb Quinn \d{14}\.kvi \(mail 1\): Zo\u00eb Quinn \(Peer\)\n", out), out
        questionnaires = json.loads(subprocess.run([KVTOOL, "dump", journal], capture_output=True,
                                                   check=True).stdout)["questionnaires"]
        assert [(q["assessor"], q["relationship"], q["details"]) for q in questionnaires] == \
            [("Zo\u00eb Quinn", 3, "Merged from mail.")], questionnaires


def test_a_name_with_path_characters_stays_in_the_private_directory():
    install("open", {"port": SMTP_PORT, "timeout": 10})
    fields = honest_post(name="../../etc/x:y\\z")
    before = mails()
    page = post("open", form(**fields))
    assert page == SUCCESS, page
    check_reply_mail(delivered_since(before)[0], fields)
    assert not os.path.exists("/etc/x:y\\z 1.kvi")


def test_settings_fill_what_the_page_leaves_out_and_allow_lists_refuse_strangers():
    settings = {"port": SMTP_PORT, "timeout": 10, "mailserver": "127.0.0.1", "from": "site@example.org",
                "subject": "Web PAVEX Feedback", "message": MESSAGE,
                "allowed_mailservers": "127.0.0.1, localhost", "allowed_recipients": "@example.com"}
    install("configured", settings)
    fields = honest_post(mailserver=None, subject=None, message=None)
    fields["from"] = ""
    before = mails()
    assert post("configured", form(**fields)) == SUCCESS
    check_reply_mail(delivered_since(before)[0], dict(fields, **{"from": "site@example.org",
                                                                  "subject": "Web PAVEX Feedback"}))
    before = mails()
    assert refused("configured", form(**honest_post(mailserver="mail.<evil>.example"))) == \
        error_page("mail server mail.&lt;evil&gt;.example is not allowed here")
    assert refused("configured", form(**honest_post(email="victim@evil.example"))) == \
        error_page("email address victim@evil.example is not allowed here")
    assert refused("configured", form(**honest_post(email="victim%evil.example@example.com"))) == \
        error_page("email address victim%evil.example@example.com is not allowed here")
    assert mails().keys() == before.keys()


def test_message_text_and_subject_arrive_byte_for_byte_whatever_dots_and_letters_they_hold():
    text = ("Caf\u00e9 cr\u00e8me for 5 \u20ac, na\u00efve \u201cquotes\u201d = fine\r\n.x\r\n..\r\n.\r\n"
            ".5 points\r\n...\r\n\u00e9t\u00e9 " + "\u00e0" * 40 + "\r\nlast line \u00e9\u00fc")
    subject = "R\u00fcckmeldung f\u00fcr Zo\u00eb \u2013 100 \u20ac and a long tail of words, all of them here"
    server = RecordingSmtpServer()
    try:
        install("recorded", {"port": server.port, "timeout": 10})
        page = post("recorded", form(**honest_post(message=text, subject=subject)))
        assert page == SUCCESS, page
        assert len(server.received) == 1, len(server.received)
        raw = server.received[0]
        assert max(raw) < 128, "8-bit bytes on the wire"
        message = email.message_from_bytes(raw, policy=email.policy.compat32)
        assert header_text(message["Subject"]) == subject, message["Subject"]
        part = message.get_payload()[0]
        assert part["Content-Type"] == "text/plain; charset=windows-1252", part["Content-Type"]
        assert part["Content-Transfer-Encoding"] == "quoted-printable", part["Content-Transfer-Encoding"]
        encoded = part.get_payload()
        assert all(len(line) <= 76 for line in encoded.split("\r\n")), encoded
        assert binascii.a2b_qp(encoded.encode("ascii")) == text.encode("cp1252"), encoded
    finally:
        server.close()


def test_empty_message_sends_only_the_attachment():
    install("open", {"port": SMTP_PORT, "timeout": 10})
    fields = honest_post(message="")
    before = mails()
    page = post("open", form(**fields))
    assert page == SUCCESS, page
    check_reply_mail(delivered_since(before)[0], fields, text="")


def refused(directory, body, method="POST"):
    return post(directory, body, method=method, status=400)


def test_every_refusal_of_the_post_has_its_paragraph_and_status_and_sends_nothing():
    install("open", {"port": SMTP_PORT, "timeout": 10})
    install("bare", None)
    before = mails()
    assert refused("open", None, method="GET") == error_page("nothing to process")
    assert refused("open", b"") == error_page("nothing to process")
    assert refused("open", b"x" * (1024 * 1024 + 1)) == error_page("the feedback is too large to process")
    assert refused("bare", form(**honest_post(mailserver=None))) == error_page("no mail server given")
    for field, text in [("email", "no email address given"),
                        ("relationship", "no reporting relationship address given"),
                        ("role", "no role given"), ("replies", "no replies given")]:
        assert refused("open", form(**honest_post(**{field: None}))) == error_page(text), field
        assert refused("open", form(**honest_post(**{field: ""}))) == error_page(text), field
    single_line = error_page("the email address, sender and subject must each be a single line")
    assert refused("open", form(**honest_post(email="anna@example.com>\r\nRCPT TO:<x@evil.example"))) == single_line
    assert refused("open", form(**honest_post(subject="Hi\r\nBcc: x@evil.example"))) == single_line
    assert refused("open", form(**honest_post(**{"from": "a@b\nX: y"}))) == single_line
    # What the merge would misread: a relationship that is not one of the six, answers that are
    # not digits or more than a questionnaire holds.
    relationship = error_page("the reporting relationship must be one digit from 0 to 5")
    for value in ("x", "9", "-1", "03", " 3"):
        assert refused("open", form(**honest_post(relationship=value))) == relationship, value
    for value in ("abc", "<script>", "012 3"):
        assert refused("open", form(**honest_post(replies=value))) == error_page("the replies must be digits only"), value
    assert refused("open", form(**honest_post(replies="1" * 300))) == error_page("more than 256 replies given")
    assert mails().keys() == before.keys()


def test_a_mail_server_port_from_the_page_needs_its_own_allow_entry():
    # The site's own port setting points nowhere: only the listed entry's port can deliver.
    entry = "127.0.0.1:%d" % SMTP_PORT
    install("ports", {"port": closed_port(), "timeout": 10, "allowed_mailservers": "127.0.0.1, " + entry})
    install("open", {"port": SMTP_PORT, "timeout": 10})
    before = mails()
    for directory, server in [("open", entry), ("ports", "127.0.0.1:%d" % closed_port()),
                              ("open", "[::1]:%d" % SMTP_PORT)]:
        assert refused(directory, form(**honest_post(mailserver=server))) == \
            error_page("mail server %s names a port, which this site does not allow" % server), server
    assert mails().keys() == before.keys()
    fields = honest_post(mailserver=entry)
    assert post("ports", form(**fields)) == SUCCESS
    check_reply_mail(delivered_since(before)[0], fields)


def test_failures_of_the_mail_server_have_their_paragraphs():
    install("down", {"port": closed_port(), "timeout": 5})
    assert post("down", form(**honest_post())) == error_page("cannot connect to mail server 127.0.0.1")
    silent = ScriptedSmtpServer([None])
    refusing_data = ScriptedSmtpServer([b"220 hi\r\n", b"250 hello\r\n", b"250 ok\r\n", b"250 ok\r\n",
                                        b"554 no\r\n", b"221 bye\r\n"])
    refusing_quit = ScriptedSmtpServer([b"220 hi\r\n", b"250 hello\r\n", b"250 ok\r\n", b"250 ok\r\n",
                                        b"354 go\r\n", b"250 queued\r\n", b"500 no\r\n"])
    try:
        install("nodata", {"port": refusing_data.port, "timeout": 5})
        assert post("nodata", form(**honest_post())) == error_page("cannot send message to mail server 127.0.0.1")
        install("silent", {"port": silent.port, "timeout": 1})
        started = time.time()
        assert post("silent", form(**honest_post())) == error_page("cannot connect to mail server 127.0.0.1")
        assert time.time() - started < 10
        install("noquit", {"port": refusing_quit.port, "timeout": 5})
        assert post("noquit", form(**honest_post())) == error_page("while disconnecting from mail server")
    finally:
        for server in (silent, refusing_data, refusing_quit):
            server.close()


def test_unusable_temporary_directory_is_reported():
    path = install("notemp", {"port": SMTP_PORT, "timeout": 10}, program="kvmail-real")
    with open(os.path.join(path, "kvmail"), "w") as wrapper:
        wrapper.write('#!/bin/sh\nTMPDIR=/nonexistent/kvmail exec "$(dirname "$0")/kvmail-real"\n')
    os.chmod(os.path.join(path, "kvmail"), 0o755)
    assert post("notemp", form(**honest_post())) == error_page("cannot write temporary file")


def load(posts, parallel):
    install("open", {"port": SMTP_PORT, "timeout": 30})
    before = mails()
    bodies = {"Load %d" % i: honest_post(name="Load %d" % i, password="pw%d" % (i % 7) if i % 2 else "",
                                         replies=str(i % 10) * 12) for i in range(posts)}
    started = time.time()
    with concurrent.futures.ThreadPoolExecutor(parallel) as pool:
        pages = list(pool.map(lambda fields: post("open", form(**fields), alone=False), bodies.values()))
    elapsed = time.time() - started
    assert_nothing_left()
    assert pages == [SUCCESS] * posts, [page for page in pages if page != SUCCESS][:3]
    fresh = delivered_since(before, posts)
    assert len(fresh) == posts, len(fresh)
    seen = set()
    for path in fresh:
        raw, _ = read_mail(path)
        name = FILE_NAME.search(raw).group(2).decode("cp1252")
        check_reply_mail(path, bodies[name])
        seen.add(name)
    assert seen == set(bodies), "some replies came twice or not at all"
    print("%d posts, %d at a time, in %.1f s (%.1f ms a post)" % (posts, parallel, elapsed, elapsed * 1000 / posts))


def main():
    if not KVTOOL or not os.access(KVTOOL, os.X_OK):
        print("kvtool is needed to check the reply files: %r" % KVTOOL)
        return 1
    if "--load" in sys.argv:
        tests = [lambda: load(int(sys.argv[sys.argv.index("--load") + 1]), 8)]
        tests[0].__name__ = "load"
    else:
        tests = [value for name, value in sorted(globals().items()) if name.startswith("test_")]
    passed = failed = 0
    for test in tests:
        try:
            test()
            passed += 1
            print("ok", test.__name__)
        except Exception:
            failed += 1
            print("FAILED", test.__name__)
            traceback.print_exc()
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())

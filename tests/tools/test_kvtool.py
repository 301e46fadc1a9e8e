#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs kvtool as a user would and checks what it prints, writes and returns.

usage: test_kvtool.py KVTOOL DATA_DIR [unittest arguments, e.g. a test class name]
"""

import copy
import csv
import datetime
import io
import json
import math
import os
import struct
import shutil
import subprocess
import sys
import tempfile
import unittest

KVTOOL = None
DATA = None


def run(*args, stdin=None):
    """Runs kvtool; returns (exit status, stdout text, stderr text)."""
    done = subprocess.run([KVTOOL, *args], input=stdin, capture_output=True, timeout=60)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def fixture(name):
    with open(os.path.join(DATA, name), encoding="utf-8") as f:
        return json.load(f)


def plain_text(data: bytes) -> bytes:
    """A text as the files store it unscrambled: a length prefix, then the bytes."""
    n = len(data)
    if n < 255:
        return bytes([n]) + data
    if n < 0xFFFF:
        return b"\xff" + struct.pack("<H", n) + data
    return b"\xff\xff\xff" + struct.pack("<I", n) + data


def wide_text(text: str) -> bytes:
    """The wide (UTF-16) text form some other writers produce."""
    units = text.encode("utf-16-le")
    return b"\xff\xfe\xff" + bytes([len(units) // 2]) + units


def integer(value: int) -> bytes:
    return struct.pack("<i", value)


def version_one_role(name_field: bytes) -> bytes:
    """A role file whose framework is version 1: no descriptions, a dropped text and integer per scale."""
    labels = b"".join(plain_text(t) for t in (b"Self", b"Manager", b"Direct Report", b"Peer", b"Customer", b"Other"))
    framework = (integer(1)  # version
                 + integer(1) + plain_text(b"Drive")  # one competency, no description
                 + integer(1) + integer(2)  # one scale of two options
                 + plain_text(b"No") + integer(0) + plain_text(b"Yes") + integer(1)
                 + plain_text(b"dropped") + integer(99)  # read and dropped by version 1 and 2
                 + integer(1)  # scale maximum
                 + integer(1) + plain_text(b"Finishes tasks") + integer(0) + integer(0) + plain_text(b"") + integer(0))
    return (integer(1) + name_field + plain_text(b"An old role") + labels + plain_text(b"Behaviour")
            + plain_text(b"Competency") + framework)


class Keystream:
    """The generator behind scrambled fields, to write files as another writer might."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def draw(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF

    def text(self, data: bytes) -> bytes:
        out = struct.pack("<I", (len(data) + self.draw()) & 0xFFFFFFFF)
        for b in data:
            out += struct.pack("<I", ((b - 256 if b > 127 else b) + self.draw()) & 0xFFFFFFFF)
        return out


class KvtoolCase(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory()
        self.tmp = self._tmp.name

    def tearDown(self):
        self._tmp.cleanup()

    def path(self, name):
        return os.path.join(self.tmp, name)

    def write_json(self, name, value):
        path = self.path(name)
        with open(path, "w", encoding="utf-8") as f:
            json.dump(value, f, ensure_ascii=False)
        return path

    def build(self, value, out_name):
        """Builds a file from a JSON value; fails the test unless kvtool succeeds."""
        out = self.path(out_name)
        status, _, err = run("build", self.write_json(out_name + ".json", value), out)
        self.assertEqual((status, err), (0, ""))
        return out

    def dump(self, path, *options):
        status, out, err = run("dump", path, *options)
        self.assertEqual((status, err), (0, ""), f"dump {path} failed")
        return json.loads(out)

    def read_bytes(self, path):
        with open(path, "rb") as f:
            return f.read()

    def assertFailsWithOneLine(self, result, *fragments):
        status, out, err = result
        self.assertEqual(status, 1, err)
        self.assertEqual(out, "")
        self.assertTrue(err.endswith("\n") and err.count("\n") == 1, f"expected one line, got {err!r}")
        for fragment in fragments:
            self.assertIn(fragment, err)

    def assertUsageError(self, result):
        status, out, err = result
        self.assertEqual(status, 2, err)
        self.assertEqual(out, "")
        self.assertIn("usage:", err)


class RoundTrips(KvtoolCase):
    def test_build_then_dump_gives_the_same_json(self):
        request = fixture("journal.json")
        request.update(request=1, questionnaires=request["questionnaires"][:1], actions=[])
        unprotected = fixture("journal.json")
        unprotected.update(scrambled=0, seed=0, password="")
        cases = [("role.json", fixture("role.json"), ".kvr"), ("journal.json", fixture("journal.json"), ".kva"),
                 ("request", request, ".kvq"), ("unprotected", unprotected, ".kva"),
                 ("reply.json", fixture("reply.json"), ".kvi")]
        for label, value, extension in cases:
            with self.subTest(label):
                out = self.build(value, "file" + extension)
                self.assertEqual(self.dump(out, "--password", "Secret"), value)

    def test_dump_then_build_gives_the_same_bytes(self):
        for name, extension in (("role.json", ".kvr"), ("journal.json", ".kva"), ("reply.json", ".kvi")):
            with self.subTest(name):
                first = self.build(fixture(name), "first" + extension)
                second = self.build(self.dump(first, "--password", "Secret"), "second" + extension)
                self.assertEqual(self.read_bytes(first), self.read_bytes(second))

    def test_dates_read_back_to_the_same_double(self):
        values = [0.1, 1 / 3, 45300.123456789012, 5e-324, 2.5e-310, 1.7976931348623157e308, -0.0, -693594.75]
        for value in values:
            with self.subTest(value=value):
                reply = fixture("reply.json")
                reply["date"] = {"status": 1, "value": value}
                out = self.build(reply, "date.kvi")
                self.assertIn(integer(1) + struct.pack("<d", value), self.read_bytes(out))
                dumped = self.dump(out)["date"]["value"]
                self.assertEqual(struct.pack("<d", dumped), struct.pack("<d", value))

    def test_values_that_are_not_finite_are_named(self):
        for name, check in (("NaN", math.isnan), ("Infinity", lambda v: v == math.inf),
                            ("-Infinity", lambda v: v == -math.inf)):
            with self.subTest(name):
                reply = fixture("reply.json")
                reply.update(scrambled=0, seed=0, password="", details="")
                reply["date"]["value"] = name
                out = self.build(reply, "special.kvi")
                stored = struct.unpack("<d", self.read_bytes(out)[-9:-1])[0]  # the date, then an empty text
                self.assertTrue(check(stored))
                self.assertEqual(self.dump(out)["date"]["value"], name)

    def test_older_framework_reads_and_is_written_back_as_the_current_version(self):
        old = self.path("old.kvr")
        with open(old, "wb") as f:
            f.write(version_one_role(plain_text(b"Old role")))
        dumped = self.dump(old)
        self.assertEqual(dumped["framework"]["version"], 1)
        self.assertEqual(dumped["framework"]["descriptions"], 0)
        self.assertEqual(dumped["framework"]["scales"], [
            {"options": [{"label": "No", "value": 0}, {"label": "Yes", "value": 1}], "maximum": 1}])
        rewritten = self.build(dumped, "new.kvr")
        again = self.dump(rewritten)
        self.assertEqual(again["framework"]["version"], 3)
        dumped["framework"]["version"] = 3
        self.assertEqual(again, dumped)


    def test_foreign_seed_reads_and_is_written_back_with_the_password_seed(self):
        stream = Keystream(12345)
        head = integer(1) + integer(12345)
        texts = b"".join(stream.text(t) for t in (b"tulip", b"Pat Doe", b"Team Leader", b"312", b"2"))
        foreign = self.path("foreign.kvi")
        with open(foreign, "wb") as f:
            f.write(head + texts + integer(0) + struct.pack("<d", 45310.75) + stream.text(b"Fine \xe9"))
        dumped = self.dump(foreign)
        self.assertEqual((dumped["seed"], dumped["password"], dumped["responses"], dumped["details"]),
                         (12345, "tulip", "312", "Fine \u00e9"))
        rewritten = self.dump(self.build(dumped, "ours.kvi"))
        self.assertEqual(rewritten["seed"], 10846910)
        dumped["seed"] = 10846910
        self.assertEqual(rewritten, dumped)


class Passwords(KvtoolCase):
    def setUp(self):
        super().setUp()
        self.journal = self.build(fixture("journal.json"), "protected.kva")

    def test_protected_journal_without_password_says_one_is_needed(self):
        self.assertFailsWithOneLine(run("dump", self.journal), "password")

    def test_protected_journal_with_wrong_password_is_refused(self):
        for wrong in ("secret", "Secret ", ""):
            with self.subTest(wrong=wrong):
                self.assertEqual(run("dump", self.journal, "--password", wrong),
                                 (1, "", "Sorry, that was the wrong password\n"))

    def test_protected_journal_with_right_password_dumps(self):
        self.assertEqual(self.dump(self.journal, "--password", "Secret")["person"], "Zoë Brontë")
        self.assertEqual(self.dump(self.journal, "--password=Secret")["person"], "Zoë Brontë")

    def test_request_file_needs_no_password(self):
        request = fixture("journal.json")
        request.update(request=1, questionnaires=[], actions=[])
        out = self.build(request, "request.kvq")
        self.assertEqual(self.dump(out)["password"], "Secret")

    def test_reply_is_shown_without_its_password(self):
        out = self.build(fixture("reply.json"), "reply.kvi")
        self.assertEqual(self.dump(out)["password"], "tulip")


class KindFromExtension(KvtoolCase):
    def test_extensions_are_compared_without_regard_to_case(self):
        for name, extension in (("role.json", ".KVR"), ("journal.json", ".Kva"), ("journal.json", ".kvQ"),
                                ("reply.json", ".KVI")):
            with self.subTest(extension):
                out = self.build(fixture(name), "file" + extension)
                self.assertEqual(self.dump(out, "--password", "Secret")["kind"], fixture(name)["kind"])

    def test_unknown_extension_needs_kind(self):
        out = self.build(fixture("role.json"), "role.bin")
        self.assertUsageError(run("dump", out))
        self.assertEqual(self.dump(out, "--kind", "role")["name"], "Team Leader")

    def test_kind_overrides_the_extension(self):
        out = self.build(fixture("role.json"), "role.kvr")
        self.assertFailsWithOneLine(run("dump", out, "--kind", "reply"), out)
        self.assertUsageError(run("dump", out, "--kind", "picture"))


class DamagedInput(KvtoolCase):
    def test_truncated_files_are_refused_with_one_line(self):
        for name, extension in (("role.json", ".kvr"), ("journal.json", ".kva"), ("reply.json", ".kvi")):
            whole = self.read_bytes(self.build(fixture(name), "whole" + extension))
            for cut in sorted({0, 1, 5, 9, 13, len(whole) // 3, len(whole) // 2, len(whole) - 1}):
                with self.subTest(name=name, cut=cut):
                    cut_path = self.path("cut" + extension)
                    with open(cut_path, "wb") as f:
                        f.write(whole[:cut])
                    self.assertFailsWithOneLine(run("dump", cut_path, "--password", "Secret"), cut_path)

    def test_missing_file_is_refused_with_one_line(self):
        self.assertFailsWithOneLine(run("dump", self.path("absent.kva")), "absent.kva")
        self.assertFailsWithOneLine(run("build", self.path("absent.json"), self.path("out.kvr")), "absent.json")
        self.assertFailsWithOneLine(run("new", self.path("j.kva"), "--role", self.path("absent.kvr")), "absent.kvr")

    def test_json_that_is_not_json_is_refused(self):
        path = self.path("broken.json")
        with open(path, "w") as f:
            f.write('{"kind": "role",\n "name": }')
        self.assertFailsWithOneLine(run("build", path, self.path("out.kvr")), "broken.json", "line 2")

    def test_counts_beyond_the_limits_are_refused(self):
        def questionnaires(j):
            j["questionnaires"] = j["questionnaires"][:1] * 33

        def actions(j):
            j["actions"] = j["actions"][:1] * 129

        def responses(j):
            j["questionnaires"][0]["responses"] = [[0, 0]] * 257

        def options(j):
            j["framework"]["scales"][0]["options"] *= 2

        def scales(j):
            j["framework"]["scales"] *= 33

        def competencies(j):
            j["framework"]["competencies"] = j["framework"]["competencies"][:1] * 1025

        def behaviours(j):
            j["framework"]["behaviours"] = j["framework"]["behaviours"][:1] * 1025

        for change, where in ((questionnaires, "questionnaires"), (actions, "actions"),
                              (responses, "questionnaires[0].responses"), (options, "scales[0].options"),
                              (scales, "framework.scales"), (competencies, "framework.competencies"),
                              (behaviours, "framework.behaviours")):
            with self.subTest(where):
                journal = fixture("journal.json")
                change(journal)
                self.assertFailsWithOneLine(run("build", self.write_json("big.json", journal), self.path("big.kva")),
                                            where)
                self.assertFalse(os.path.exists(self.path("big.kva")))

    def test_counts_at_the_limits_are_written(self):
        journal = fixture("journal.json")
        journal["questionnaires"] = journal["questionnaires"][:1] * 32
        journal["questionnaires"][0]["responses"] = [[0, 0]] * 256
        journal["actions"] = journal["actions"][:1] * 128
        journal["framework"]["scales"][0]["options"] += journal["framework"]["scales"][0]["options"][:2]
        self.assertEqual(self.dump(self.build(journal, "full.kva"), "--password", "Secret"), journal)

    def test_missing_or_mistyped_members_are_refused(self):
        def drop(key):
            return lambda j: j.pop(key)

        def set_to(path, value):
            def change(j):
                target = j
                for step in path[:-1]:
                    target = target[step]
                target[path[-1]] = value
            return change

        cases = [(drop("person"), "person"),
                 (set_to(["request"], "0"), "request"),
                 (set_to(["request"], True), "request"),
                 (set_to(["request"], 2147483648), "request"),
                 (set_to(["framework", "behaviours", 1, "competency"], 1.5), "framework.behaviours[1].competency"),
                 (set_to(["autopilot", "window"], [1, 2, 3]), "autopilot.window"),
                 (set_to(["relationship_labels"], ["Self"] * 5), "relationship_labels"),
                 (set_to(["questionnaires", 0, "responses", 0], [1]), "questionnaires[0].responses[0]"),
                 (set_to(["questionnaires", 0, "date", "value"], "soon"), "questionnaires[0].date.value"),
                 (set_to(["kind"], "picture"), "kind"),
                 (set_to(["framework"], []), "framework")]
        for change, where in cases:
            with self.subTest(where):
                journal = fixture("journal.json")
                change(journal)
                self.assertFailsWithOneLine(run("build", self.write_json("bad.json", journal), self.path("bad.kva")),
                                            where)

    def test_failed_build_leaves_the_previous_file(self):
        out = self.path("keep.kva")
        with open(out, "wb") as f:
            f.write(b"previous")
        journal = fixture("journal.json")
        del journal["actions"]
        self.assertFailsWithOneLine(run("build", self.write_json("bad.json", journal), out), "actions")
        self.assertEqual(self.read_bytes(out), b"previous")

    def test_unwritable_output_is_refused_with_one_line(self):
        out = self.path("no/such/folder/role.kvr")
        self.assertFailsWithOneLine(run("build", self.write_json("role.json", fixture("role.json")), out), out)

    def test_smallest_int_reads_back(self):
        journal = fixture("journal.json")
        journal["autopilot"]["page"] = -2147483648
        journal["colours"]["average"] = 2147483647
        self.assertEqual(self.dump(self.build(journal, "edge.kva"), "--password", "Secret"), journal)


class BadUsage(KvtoolCase):
    def test_bad_command_lines_exit_with_two_and_the_usage(self):
        journal = self.path("j.kva")
        for args in ([], ["frobnicate"], ["dump"], ["dump", "a.kva", "b.kva"], ["dump", "a.kva", "--colour", "red"],
                     ["dump", "a.kva", "--password"], ["dump", "a.kva", "--kind", "role", "--kind", "journal"],
                     ["build", "only.json"], ["new", journal], ["new", journal, "--role"],
                     ["new", journal, "--role", "r.kvr", "--person", "A", "--person", "B"]):
            with self.subTest(args=args):
                self.assertUsageError(run(*args))

    def test_help_prints_the_usage_and_succeeds(self):
        for args in (["--help"], ["-h"], ["dump", "--help"], ["new", "x.kva", "--help"]):
            with self.subTest(args=args):
                status, out, err = run(*args)
                self.assertEqual((status, err), (0, ""))
                for command in ("kvtool dump FILE", "kvtool build JSON OUT", "kvtool new JOURNAL --role ROLE.kvr"):
                    self.assertIn(command, out)

    def test_a_password_that_looks_like_an_option_is_a_value(self):
        journal = fixture("journal.json")
        journal.update(password="--help", seed=6833023)
        out = self.build(journal, "odd.kva")
        self.assertEqual(self.dump(out, "--password", "--help")["password"], "--help")


class NewJournal(KvtoolCase):
    def setUp(self):
        super().setUp()
        self.role = self.build(fixture("role.json"), "role.kvr")

    def test_new_journal_takes_the_role_person_and_password(self):
        journal = self.path("new.kva")
        self.assertEqual(run("new", journal, "--role", self.role, "--person", "Zoë", "--password", "Secret"),
                         (0, "", ""))
        dumped = self.dump(journal, "--password", "Secret")
        role = fixture("role.json")
        self.assertEqual((dumped["scrambled"], dumped["seed"], dumped["password"], dumped["person"]),
                         (1, 11934474, "Secret", "Zoë"))
        self.assertEqual(dumped["framework"], role["framework"])
        self.assertEqual(dumped["role_name"], role["name"])
        self.assertEqual(dumped["relationship_labels"], role["relationship_labels"])
        self.assertEqual((dumped["competency_term"], dumped["behaviour_term"]), ("Competency", "Behaviour"))
        self.assertEqual(dumped["colours"], fixture("journal.json")["colours"])
        self.assertEqual(dumped["autopilot"], {"page": 0, "window": [0, 0, 0, 0], "shown": 1})
        self.assertEqual((dumped["request"], dumped["questionnaires"], dumped["actions"]), (0, [], []))
        self.assertEqual(self.read_bytes(self.build(dumped, "again.kva")), self.read_bytes(journal))

    def test_new_journal_without_password_is_not_scrambled(self):
        journal = self.path("open.kva")
        self.assertEqual(run("new", journal, "--role", self.role)[0], 0)
        dumped = self.dump(journal)
        self.assertEqual((dumped["scrambled"], dumped["seed"], dumped["password"], dumped["person"]), (0, 0, "", ""))

    def test_damaged_role_is_refused(self):
        broken = self.path("broken.kvr")
        with open(broken, "wb") as f:
            f.write(self.read_bytes(self.role)[:40])
        self.assertFailsWithOneLine(run("new", self.path("j.kva"), "--role", broken), broken)
        self.assertFalse(os.path.exists(self.path("j.kva")))


class WebPage(KvtoolCase):
    TEMPLATE = ("<title>%rolename%</title>\n<form action=\"%CGI%\">%mailserver%|%from%|%subject%|%message%</form>\n"
                "<script>%questiondata%</script>\n")

    def setUp(self):
        super().setUp()
        self.role = self.build(fixture("role.json"), "role.kvr")
        self.template = self.path("template.txt")
        with open(self.template, "w", encoding="ascii", newline="\r\n") as f:
            f.write(self.TEMPLATE)

    def test_options_are_filled_in_escaped_in_windows_1252_with_crlf_lines(self):
        page = self.path("page.html")
        status, out, err = run("webpage", self.role, "-o", page, "--template", self.template, "--cgi", "/cgi/kv",
                               "--mailserver", "mail", "--from", "a&b@example.org", "--subject", "Zoë's <b>",
                               "--message", "For %rolename%")
        self.assertEqual((status, err), (0, ""))
        behaviours = len(fixture("role.json")["framework"]["behaviours"])
        self.assertEqual(out, f"{behaviours} questions, template {self.template}\n")
        written = self.read_bytes(page)
        name = fixture("role.json")["name"]
        self.assertTrue(written.startswith(
            f"<title>{name}</title>\r\n<form action=\"/cgi/kv\">mail|a&amp;b@example.org|Zo\u00eb&#39;s &lt;b&gt;|"
            f"For {name}</form>\r\n<script>\r\nfunction question_data()\r\n".encode("cp1252")), written[:200])
        self.assertIn(f"\tthis.length = {behaviours};\r\n".encode(), written)
        self.assertNotIn(b"\r\r", written)

    def test_a_mail_server_with_a_port_is_written_with_a_warning(self):
        page = self.path("page.html")
        for server in ("127.0.0.1:2525", "[::1]:2525"):
            status, out, err = run("webpage", self.role, "-o", page, "--template", self.template,
                                   "--mailserver", server)
            self.assertEqual(status, 0)
            self.assertEqual(err, 'kvtool: warning: The Email Server names a port: the web server\'s kvmail.ini must '
                                  'list "%s" in allowed_mailservers, or set port there and leave it out here.\n'
                             % server)
            self.assertIn(b"<form action=\"/cgi-bin/kvmail\">%s|" % server.encode(), self.read_bytes(page))
        status, out, err = run("webpage", self.role, "-o", page, "--template", self.template, "--mailserver", "::1")
        self.assertEqual((status, err), (0, ""))

    def test_without_options_the_page_carries_a_new_users_settings(self):
        page = self.path("page.html")
        self.assertEqual(run("webpage", self.role, "-o", page, "--template", self.template)[0], 0)
        self.assertIn(b'<form action="/cgi-bin/kvmail">|' + b"|Web PAVEX Feedback|Here is some PAVEX feedback",
                      self.read_bytes(page))

    def test_template_is_searched_beside_the_program_then_in_the_installed_data(self):
        program = os.path.join(self.tmp, "prefix", "bin", "kvtool")
        os.makedirs(os.path.dirname(program))
        shutil.copy(KVTOOL, program)
        page = self.path("page.html")

        def search():
            done = subprocess.run([program, "webpage", self.role, "-o", page], capture_output=True, timeout=60,
                                  cwd=self.tmp + "/prefix", env={"PATH": self.path("nowhere")})
            return done.returncode, done.stdout.decode(), done.stderr.decode()

        self.assertFailsWithOneLine(search(), "Template file 'template.txt' not found")
        self.assertFalse(os.path.exists(page))
        # A template in the folder the tool is started from is used only when the installation has none.
        with open(os.path.join(self.tmp, "prefix", "template.txt"), "w") as f:
            f.write("decoy %rolename%")
        self.assertEqual(search()[0], 0)
        self.assertTrue(self.read_bytes(page).startswith(b"decoy "))
        data = os.path.join(self.tmp, "prefix", "share", "reflectory")
        os.makedirs(data)
        shutil.copy(self.template, data)
        self.assertEqual(search()[0], 0)
        self.assertFalse(self.read_bytes(page).startswith(b"decoy "))
        with open(os.path.join(os.path.dirname(program), "template.txt"), "w") as f:
            f.write("beside %rolename%")
        self.assertEqual(search()[0], 0)
        self.assertEqual(self.read_bytes(page), b"beside " + fixture("role.json")["name"].encode("cp1252"))

    def test_failures_leave_an_earlier_page_and_say_so(self):
        page = self.path("page.html")
        with open(page, "wb") as f:
            f.write(b"earlier")
        self.assertFailsWithOneLine(run("webpage", self.role, "-o", page, "--template", self.path("absent.txt")),
                                    "absent.txt")
        self.assertFailsWithOneLine(run("webpage", self.path("absent.kvr"), "-o", page, "--template", self.template),
                                    "absent.kvr")
        self.assertEqual(self.read_bytes(page), b"earlier")
        self.assertFailsWithOneLine(run("webpage", self.role, "-o", self.path("no/folder/p.html"), "--template",
                                        self.template), "no/folder/p.html")
        self.assertUsageError(run("webpage", self.role, "--template", self.template))


class Windows1252Texts(KvtoolCase):
    def setUp(self):
        super().setUp()
        self.role = self.build(fixture("role.json"), "role.kvr")

    def test_command_line_characters_outside_the_code_page_become_question_marks_only_when_asked(self):
        journal = self.path("names.kva")
        self.assertEqual(run("--replace-with-question-mark", "new", journal, "--role", self.role,
                             "--person", "Zoë 日本 🎉 €")[0], 0)
        self.assertIn(plain_text("Zoë ?? ? €".encode("cp1252")), self.read_bytes(journal))
        self.assertEqual(self.dump(journal)["person"], "Zoë ?? ? €")

    def test_every_way_a_text_enters_refuses_what_the_code_page_cannot_hold(self):
        journal = self.path("Alex.kva")
        self.assertEqual(run("new", journal, "--role", self.role, "--person", "Alex", "--password", "pw")[0], 0)
        request = self.path("Request.kvq")
        self.assertEqual(run("request", journal, request, "--password", "pw")[0], 0)
        template = self.path("template.txt")
        with open(template, "w", encoding="ascii") as f:
            f.write("<html>%rolename%</html>")
        role_json = fixture("role.json")
        journal_json = fixture("journal.json")
        for value in ("Иван", "Pat 🙂"):
            csv_file = self.path("lines.csv")
            with open(csv_file, "w", encoding="utf-8") as f:
                f.write(f"Listens,Communication\n{value},Communication\n")
            named_role = copy.deepcopy(role_json)
            named_role["framework"]["behaviours"][1]["statement"] = value
            named_journal = copy.deepcopy(journal_json)
            named_journal["actions"][0]["action"] = value
            ways = [
                ("new --person", ["new", self.path("n.kva"), "--role", self.role, "--person", value], "--person",
                 "n.kva"),
                ("new --password", ["new", self.path("n.kva"), "--role", self.role, "--password", value],
                 "--password", "n.kva"),
                ("dump --password", ["dump", journal, "--password", value], "--password", None),
                ("request --password", ["request", journal, self.path("r.kvq"), "--password", value], "--password",
                 "r.kvq"),
                ("answer --name", ["answer", request, "--name", value, "--relationship", "1", "--options", "000"],
                 "--name", None),
                ("answer --details", ["answer", request, "--name", "R", "--relationship", "1", "--options", "000",
                                      "--details", value], "--details", None),
                ("merge --reply-password", ["merge", journal, request, "--password", "pw", "--reply-password", value],
                 "--reply-password", None),
                ("webpage --subject", ["webpage", self.role, "-o", self.path("p.html"), "--template", template,
                                       "--subject", value], "--subject", "p.html"),
                ("build role", ["build", self.write_json("role-in.json", named_role), self.path("b.kvr")],
                 "framework.behaviours[1].statement", "b.kvr"),
                ("build journal", ["build", self.write_json("journal-in.json", named_journal), self.path("b.kva")],
                 "actions[0].action", "b.kva"),
                ("role --csv", ["role", self.path("c.kvr"), "--csv", csv_file], "line 2", "c.kvr"),
            ]
            before = {path: self.read_bytes(path) for path in (journal, request, self.role)}
            for label, args, field, created in ways:
                with self.subTest(way=label, value=value):
                    status, out, err = run(*args)
                    self.assertEqual(status, 1, err)
                    self.assertIn(field, err)
                    self.assertIn("can hold only the letters of Western European languages (Windows-1252).", err)
                    self.assertEqual(err.count("\n"), 1)
                    if created:
                        self.assertFalse(os.path.exists(self.path(created)))
                    for path, data in before.items():
                        self.assertEqual(self.read_bytes(path), data, path)

    def test_password_is_taken_in_the_code_page(self):
        journal = self.path("key.kva")
        self.assertEqual(run("new", journal, "--role", self.role, "--password", "Kéy")[0], 0)
        self.assertEqual(self.dump(journal, "--password", "Kéy")["seed"], 56921)
        self.assertEqual(run("dump", journal, "--password", "Key")[2], "Sorry, that was the wrong password\n")

    def test_undefined_bytes_round_trip_as_c1_controls(self):
        journal = fixture("journal.json")
        journal.update(scrambled=0, seed=0, password="", person="a\u0081\u008d\u008f\u0090\u009dz")
        out = self.build(journal, "c1.kva")
        self.assertIn(plain_text(b"a\x81\x8d\x8f\x90\x9dz"), self.read_bytes(out))
        self.assertEqual(self.dump(out)["person"], "a\u0081\u008d\u008f\u0090\u009dz")

    def test_json_characters_outside_the_code_page_become_question_marks_only_when_asked(self):
        role = fixture("role.json")
        role["name"] = "Lead 日本"
        out = self.path("r.kvr")
        status, _, err = run("build", self.write_json("r.json", role), out)
        self.assertEqual(status, 1)
        self.assertIn("name: Sorry, this text can hold only the letters of Western European languages", err)
        self.assertFalse(os.path.exists(out))
        self.assertEqual(run("--replace-with-question-mark", "build", self.path("r.json"), out)[0], 0)
        self.assertEqual(self.dump(out)["name"], "Lead ??")

    def test_wide_texts_are_read_into_the_code_page(self):
        wide = self.path("wide.kvr")
        with open(wide, "wb") as f:
            f.write(version_one_role(wide_text("Ré 日")))
        self.assertEqual(self.dump(wide)["name"], "Ré ?")


class JournalCase(KvtoolCase):
    """A protected journal on a small role, and requests made from it."""

    def setUp(self):
        super().setUp()
        self.role = self.build(fixture("role.json"), "role.kvr")
        self.journal = self.path("Alex.kva")
        self.assertEqual(run("new", self.journal, "--role", self.role, "--person", "Alex", "--password", "pw")[0], 0)

    def request(self, name="Request.kvq"):
        out = self.path(name)
        self.assertEqual(run("request", self.journal, out, "--password", "pw"), (0, "", ""))
        return out


class FeedbackRoad(JournalCase):
    """A journal's feedback road walked with the tool alone: new, request, answer, merge."""

    def test_a_request_is_answered_and_merged_back(self):
        request = self.request()
        written = self.dump(request)
        self.assertEqual((written["request"], written["questionnaires"], written["framework"]["descriptions"]),
                         (1, [], 0))
        self.assertEqual(run("answer", request, "--name", "Robin", "--relationship", "3", "--options", "310",
                             "--details", "Well done"), (0, "", ""))
        answered = self.dump(request)["questionnaires"]
        self.assertEqual([(q["assessor"], q["relationship"], q["responses"], q["details"]) for q in answered],
                         [("Robin", 3, [[0, 3], [1, 1], [2, 0]], "Well done")])

        self.assertEqual(run("merge", self.journal, request, "--password", "pw"), (0, "", ""))
        merged = self.dump(self.journal, "--password", "pw")["questionnaires"]
        self.assertEqual([q["assessor"] for q in merged], ["Robin"])
        status, out, err = run("results", self.journal, "--password", "pw")
        self.assertEqual((status, err), (0, ""))
        rankings = [page for page in json.loads(out)["pages"] if page["kind"] == "ranking"]
        self.assertTrue(rankings)
        self.assertEqual(rankings[0]["questionnaires_per_group"], [0, 0, 0, 1, 0, 0])  # one peer

        # The same answers again: the duplicate question is answered Cancel unless --yes is given.
        status, _, err = run("merge", self.journal, request, "--password", "pw")
        self.assertEqual(status, 1)
        self.assertIn("may have been merged before.  Are you sure you wish to add it? [Cancel]", err)
        self.assertEqual(run("merge", self.journal, request, "--password", "pw", "--yes")[0], 0)
        self.assertEqual(len(self.dump(self.journal, "--password", "pw")["questionnaires"]), 2)

    def test_answering_refuses_journals_completed_requests_and_wrong_answers(self):
        status, _, err = run("answer", self.journal, "--name", "R", "--relationship", "1", "--options", "000")
        self.assertEqual(status, 1)
        self.assertTrue(err.startswith("This is a Reflectory file.  You cannot open it with KVReply.\n"))

        request = self.request()
        before = self.read_bytes(request)
        self.assertFailsWithOneLine(run("answer", request, "--name", "R", "--relationship", "1", "--options", "02"),
                                    "one digit for each of the 3 behaviours")
        self.assertFailsWithOneLine(run("answer", request, "--name", "R", "--relationship", "1", "--options", "020"),
                                    "is not an answer of behaviour 2")
        self.assertUsageError(run("answer", request, "--name", "R", "--relationship", "6", "--options", "000"))
        self.assertEqual(self.read_bytes(request), before)

        self.assertEqual(run("answer", request, "--name", "", "--relationship", "0", "--options", "000")[0], 0)
        self.assertEqual(self.dump(request)["questionnaires"][0]["assessor"], "<anonymous>")
        status, _, err = run("answer", request, "--name", "R", "--relationship", "1", "--options", "000")
        self.assertEqual(status, 1)
        self.assertIn("This Reflectory Request has already been completed.", err)

    def test_a_refused_merge_leaves_the_journal_unchanged(self):
        request = self.request()
        self.assertEqual(run("answer", request, "--name", "R", "--relationship", "1", "--options", "000")[0], 0)
        other = self.path("Other.kva")
        self.assertEqual(run("new", other, "--role", self.role, "--person", "Sam")[0], 0)
        before = self.read_bytes(other)
        status, _, err = run("merge", other, request)
        self.assertEqual(status, 1)
        self.assertIn("This feedback is for Alex. This does not match the name in the currently opened "
                      "reflectory.  Are you sure you wish to merge it? [Cancel]", err)
        self.assertEqual(self.read_bytes(other), before)

        # The request carries no password: the name question is the check that remains.
        status, _, err = run("merge", other, request, "--yes")
        self.assertEqual(status, 0, err)
        self.assertNotIn("Security Check", err)

    def test_requests_carry_no_password_and_an_older_one_is_still_checked(self):
        request = self.request()
        self.assertEqual(self.dump(request)["password"], "")
        older = self.dump(request)
        older.update(password="old")
        older_request = self.build(older, "Older.kvq")
        self.assertEqual(run("answer", older_request, "--name", "R", "--relationship", "1", "--options", "000")[0], 0)
        before = self.read_bytes(self.journal)
        status, _, err = run("merge", self.journal, older_request, "--password", "pw")
        self.assertEqual(status, 1)
        self.assertIn("Security Check: Please type the password for this file: [Cancel]\n"
                      "Sorry, that was the wrong password for the feedback reply", err)
        self.assertEqual(self.read_bytes(self.journal), before)
        self.assertEqual(run("merge", self.journal, older_request, "--password", "pw", "--reply-password", "old")[0], 0)

    def test_a_request_needs_the_persons_name(self):
        nameless = self.path("Nameless.kva")
        self.assertEqual(run("new", nameless, "--role", self.role)[0], 0)
        status, _, err = run("request", nameless, self.path("x.kvq"))
        self.assertEqual(status, 1)
        self.assertTrue(err.startswith("Please enter your name using Tools Options from the pull-down menus.\n"))
        self.assertFalse(os.path.exists(self.path("x.kvq")))



class Pages(JournalCase):
    """render and report, which kvtool hands to the drawing program beside it."""

    def answered_journal(self):
        request = self.request()
        self.assertEqual(run("answer", request, "--name", "Robin", "--relationship", "3", "--options", "310"),
                         (0, "", ""))
        self.assertEqual(run("merge", self.journal, request, "--password", "pw"), (0, "", ""))
        return self.journal

    def test_pages_are_drawn_to_png_and_pdf_with_the_tools_own_status(self):
        journal = self.answered_journal()
        png, pdf = self.path("results.png"), self.path("report.pdf")
        self.assertEqual(run("render", journal, "--page", "Results", "--width", "640", "--password", "pw",
                             "-o", png)[0], 0)
        self.assertEqual(self.read_bytes(png)[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">I", self.read_bytes(png)[16:20])[0], 640)
        self.assertEqual(run("report", journal, "--password", "pw", "-o", pdf)[0], 0)
        self.assertEqual(self.read_bytes(pdf)[:5], b"%PDF-")

        status, out, err = run("render", journal, "--page", "Nowhere", "--password", "pw", "-o", png)
        self.assertEqual((status, out), (1, ""))
        self.assertIn('no page "Nowhere"', err)
        self.assertUsageError(run("report", journal))

SEALED_MAGIC = b"\x89KVSEALED\r\n\x1a"


class EncryptedJournals(JournalCase):
    """Journals stored encrypted under their password, through every command that reads or writes one."""

    def encrypt(self, journal, password="pw"):
        described = self.dump(journal, "--password", password)
        sealed = {"kind": "journal", "encrypted": 1}
        sealed.update((key, value) for key, value in described.items() if key != "kind")
        return self.build(sealed, "Sealed.kva")

    def test_every_command_needs_the_password_and_sees_the_same_journal(self):
        sealed = self.encrypt(self.journal)
        data = self.read_bytes(sealed)
        self.assertTrue(data.startswith(SEALED_MAGIC))
        for text in (b"Alex", b"pw", b"Drive", b"Finishes"):
            self.assertNotIn(text, data)

        self.assertFailsWithOneLine(run("dump", sealed), "is protected by a password: give it with --password")
        self.assertFailsWithOneLine(run("dump", sealed, "--password", "PW"), "Sorry, that was the wrong password")
        described = self.dump(sealed, "--password", "pw")
        self.assertEqual(list(described)[:3], ["kind", "encrypted", "scrambled"])
        plain = self.dump(self.journal, "--password", "pw")
        self.assertNotIn("encrypted", plain)
        del described["encrypted"]
        self.assertEqual(described, plain)

        for command in (["results"], ["export", "-o", self.path("r.csv")], ["request", self.path("x.kvq")],
                        ["render", "--page", "Results", "--width", "320", "-o", self.path("p.png")]):
            self.assertEqual(run(command[0], sealed, *command[1:])[0], 1, command)
            self.assertEqual(run(command[0], sealed, *command[1:], "--password", "pw")[0], 0, command)
        self.assertEqual(self.read_bytes(self.path("p.png"))[:4], b"\x89PNG")

        # dump then build gives an encrypted journal again (with a fresh salt and nonce).
        again = self.path("Again.kva")
        self.assertEqual(run("build", self.write_json("again.json", self.dump(sealed, "--password", "pw")),
                             again)[0], 0)
        self.assertTrue(self.read_bytes(again).startswith(SEALED_MAGIC))
        self.assertNotEqual(self.read_bytes(again), data)
        self.assertEqual(self.dump(again, "--password", "pw"), self.dump(sealed, "--password", "pw"))

    def test_build_refuses_encryption_it_cannot_honour(self):
        journal = self.dump(self.journal, "--password", "pw")
        for value, password, request, problem in ((2, "pw", 0, "expected 0 or 1"),
                                                 (1, "", 0, "an encrypted journal needs a password"),
                                                 (1, "pw", 1, "a feedback request is never encrypted")):
            described = dict(journal, encrypted=value, password=password, request=request)
            out = self.path("refused.kva")
            self.assertFailsWithOneLine(run("build", self.write_json("refused.json", described), out),
                                        "encrypted: " + problem)
            self.assertFalse(os.path.exists(out))
        described = dict(journal, encrypted=0)
        self.assertEqual(self.read_bytes(self.build(described, "zero.kva")),
                         self.read_bytes(self.build(journal, "missing.kva")))

    def test_a_request_from_an_encrypted_journal_carries_no_password_and_merges_back_encrypted(self):
        sealed = self.encrypt(self.journal)
        request = self.path("Request.kvq")
        self.assertEqual(run("request", sealed, request, "--password", "pw"), (0, "", ""))
        self.assertFalse(self.read_bytes(request).startswith(SEALED_MAGIC))
        self.assertEqual(self.dump(request)["password"], "")
        self.assertEqual(run("answer", request, "--name", "Robin", "--relationship", "3", "--options", "310"),
                         (0, "", ""))
        self.assertEqual(run("merge", sealed, request, "--password", "pw"), (0, "", ""))
        self.assertTrue(self.read_bytes(sealed).startswith(SEALED_MAGIC))
        merged = self.dump(sealed, "--password", "pw")
        self.assertEqual((merged["encrypted"], [q["assessor"] for q in merged["questionnaires"]]), (1, ["Robin"]))

    def test_a_damaged_envelope_is_refused_and_left_as_it_is(self):
        sealed = self.encrypt(self.journal)
        data = bytearray(self.read_bytes(sealed))
        data[len(data) // 2] ^= 0x01
        with open(sealed, "wb") as f:
            f.write(data)
        self.assertFailsWithOneLine(run("dump", sealed, "--password", "pw"), "fails its checksum")
        self.assertFailsWithOneLine(run("merge", sealed, self.request(), "--password", "pw"), "fails its checksum")
        self.assertEqual(self.read_bytes(sealed), bytes(data))


def ole_to_iso(value):
    return (datetime.datetime(1899, 12, 30) + datetime.timedelta(days=value)).date().isoformat()


class ResultsCsv(KvtoolCase):
    """kvtool export: the result figures as CSV a spreadsheet opens."""

    def sample(self):
        source = os.path.join(DATA, "..", "..", "..", "samples", "sample-journal.json")
        with open(source, encoding="utf-8") as f:
            return json.load(f)

    def export(self, journal, *options, line_breaks_in_texts=False):
        out = self.path("results.csv")
        self.assertEqual(run("export", journal, "-o", out, *options), (0, "", ""))
        data = self.read_bytes(out)
        self.assertTrue(data.startswith(b"\xef\xbb\xbf"))
        if not line_breaks_in_texts:
            self.assertNotIn(b"\n", data.replace(b"\r\n", b""))  # every record ends with CR LF
        return list(csv.reader(io.StringIO(data.decode("utf-8-sig"), newline="")))

    def test_sample_journal_figures_match_the_results_figure_for_figure(self):
        described = self.sample()
        journal = self.build(described, "sample.kva")
        rows = self.export(journal)
        labels = described["relationship_labels"]
        header = [described["competency_term"], described["behaviour_term"], "Average"]
        for label in labels:
            header += [label + " average", label + " lowest", label + " highest", label + " questionnaires"]
        self.assertEqual(rows[0], header + [labels[0] + " answer", "Marked for development", "Actions"])

        status, out, _ = run("results", journal)
        self.assertEqual(status, 0)
        page = next(p for p in json.loads(out)["pages"] if p["path"] == "Results/Behaviours")
        framework = described["framework"]
        self.assertEqual(len(rows) - 1, len(page["items"]))
        figures = 0
        for row, item in zip(rows[1:], page["items"]):
            behaviour = framework["behaviours"][item["index"]]
            self.assertEqual(row[:2], [framework["competencies"][behaviour["competency"]]["name"], item["name"]])
            expected = [item["overall"]]
            for group in item["groups"]:
                expected += [group["average"], group["lowest"], group["highest"]]
            shown = [row[2]] + [row[3 + 4 * g + k] for g in range(6) for k in range(3)]
            for cell, value in zip(shown, expected):
                self.assertEqual(float(cell) if cell else -1.0, value)
                figures += 1
            for g, group in enumerate(item["groups"]):
                self.assertEqual(row[3 + 4 * g + 3] == "", group["average"] < 0)
            self.assertEqual(row[-2], "Yes" if item["marked"] else "No")
            self.assertEqual(row[-1] != "0", bool(item["has_actions"]))
        self.assertGreater(figures, 100)

    def test_every_answer_of_the_included_questionnaires_is_a_row(self):
        described = self.sample()
        rows = self.export(self.build(described, "sample.kva"), "--responses")
        framework = described["framework"]
        expected = []
        for q in described["questionnaires"]:
            if not q["use_in_results"]:
                continue
            for behaviour_index, option in q["responses"]:
                behaviour = framework["behaviours"][behaviour_index]
                scale = framework["scales"][behaviour["scale"]]["options"][option]
                expected.append([q["assessor"], described["relationship_labels"][q["relationship"]],
                                 ole_to_iso(q["date"]["value"]),
                                 framework["competencies"][behaviour["competency"]]["name"], behaviour["statement"],
                                 scale["label"], str(scale["value"])])
        self.assertEqual(rows[0], ["Assessor", "Relationship", "Date", described["competency_term"],
                                   described["behaviour_term"], "Answer", "Value"])
        self.assertEqual(rows[1:], expected)

    def test_names_with_commas_quotes_line_breaks_and_accents_survive(self):
        described = self.sample()
        awkward = 'Zo\u00eb "Z" O\u2019Neill, Jr.\nCaf\u00e9 \u20ac'
        described["questionnaires"][0]["assessor"] = awkward
        described["framework"]["competencies"][0]["name"] = "Plan, do; \"check\""
        described["questionnaires"][1]["assessor"] = "=HYPERLINK(\"x\")"
        rows = self.export(self.build(described, "awkward.kva"), "--responses", line_breaks_in_texts=True)
        assessors = {row[0] for row in rows[1:]}
        self.assertIn(awkward, assessors)
        self.assertIn("'=HYPERLINK(\"x\")", assessors)  # never a formula in a spreadsheet
        self.assertIn("Plan, do; \"check\"", {row[3] for row in rows[1:]})
        behaviours = self.export(self.path("awkward.kva"), line_breaks_in_texts=True)
        self.assertIn("Plan, do; \"check\"", {row[0] for row in behaviours[1:]})

    def test_no_text_begins_as_a_spreadsheet_formula(self):
        described = self.sample()
        starts = ["=", "+", "-", "@", "\t", "\r"]
        for q, start in zip(described["questionnaires"], starts):
            q["assessor"] = start + "SUM(A1:A9)"
        described["questionnaires"][len(starts)]["assessor"] = "A=B+C-D@E"  # only a first character counts
        described["framework"]["competencies"][0]["name"] = "@Lead"
        first = next(i for i, b in enumerate(described["framework"]["behaviours"]) if b["competency"] == 0)
        described["framework"]["behaviours"][first]["statement"] = "+Plans ahead"
        rows = self.export(self.build(described, "formulas.kva"), "--responses", line_breaks_in_texts=True)
        assessors = {row[0] for row in rows[1:]}
        for start in starts:
            with self.subTest(start=start):
                self.assertIn("'" + start + "SUM(A1:A9)", assessors)
        self.assertIn("A=B+C-D@E", assessors)
        self.assertIn("'@Lead", {row[3] for row in rows[1:]})
        self.assertIn("'+Plans ahead", {row[4] for row in rows[1:]})
        behaviours = self.export(self.path("formulas.kva"), line_breaks_in_texts=True)
        self.assertIn(["'@Lead", "'+Plans ahead"], [row[:2] for row in behaviours[1:]])


def main():
    global KVTOOL, DATA
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    KVTOOL, DATA = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=1)


if __name__ == "__main__":
    main()

#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The programs as they are shipped: their manual pages as a reader sees them, against what the
programs say about themselves, and their dynamic sections.

usage: test_shipped_programs.py BIN_DIR MAN_DIR [unittest arguments]"""
import gzip
import os
import re
import subprocess
import sys
import unittest

BIN, MAN = sys.argv.pop(1), sys.argv.pop(1)


def rendered(page):
    """The page as `man` shows it, each paragraph on one line so that nothing is split."""
    with gzip.open(os.path.join(MAN, page)) as source:
        text = subprocess.run(["groff", "-man", "-Tutf8", "-P-cbou", "-rLL=500n"], input=source.read(),
                              capture_output=True, check=True).stdout.decode()
    return re.sub(r"[ \t]+", " ", text)


def help_text(program, **environment):
    return subprocess.run([os.path.join(BIN, program), "--help"], capture_output=True, text=True, timeout=60,
                          env=dict(os.environ, QT_QPA_PLATFORM="offscreen", **environment))


class ManualPages(unittest.TestCase):
    def test_kvtool_page_lists_every_command_of_its_help(self):
        usage = help_text("kvtool")
        self.assertEqual(usage.returncode, 0)
        commands = re.findall(r"^  kvtool ([a-z][\w-]*)", usage.stdout, re.MULTILINE)
        self.assertGreater(len(commands), 5, usage.stdout)
        page = rendered("kvtool.1.gz")
        for command in commands:
            self.assertIn("kvtool " + command, page)

    def test_each_program_page_carries_its_usage(self):
        for program, section in (("pavex", 1), ("KVReply", 1), ("KVRole", 1), ("kvtool-pages", 1), ("kvmail", 8)):
            usage = help_text(program)
            self.assertEqual(usage.returncode, 0, program)
            first = usage.stdout.splitlines()[0].split(None, 1)[1] if usage.stdout.startswith("Usage:") else ""
            with self.subTest(program=program):
                page = rendered("%s.%d.gz" % (program, section))
                self.assertIn(program.upper() + "(%d)" % section, page)
                self.assertIn(first, page)

    def test_kvmail_under_a_web_server_answers_the_post_not_help(self):
        reply = help_text("kvmail", GATEWAY_INTERFACE="CGI/1.1", CONTENT_LENGTH="0", REQUEST_METHOD="POST")
        self.assertTrue(reply.stdout.startswith("Content-type: text/html"), reply.stdout)
        self.assertNotIn("Usage:", reply.stdout)


class LibrarySearchPath(unittest.TestCase):
    def test_programs_of_the_build_tree_search_no_library_folder(self):
        # Not even an empty entry: that is the current folder, wherever the program is started.
        for program in ("pavex", "KVReply", "KVRole", "kvtool", "kvtool-pages", "kvmail"):
            dynamic = subprocess.run(["readelf", "-d", os.path.join(BIN, program)], capture_output=True, text=True,
                                     check=True).stdout
            self.assertNotRegex(dynamic, r"\((RPATH|RUNPATH)\)", program)


if __name__ == "__main__":
    unittest.main()

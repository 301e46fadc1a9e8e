#!/usr/bin/python3
"""Runs scripts/add-spdx-lines on a small repository of every kind of file it knows and checks
where the licence line lands, that data is left alone, and that a second run changes nothing.

usage: test_add_spdx_lines.py SCRIPT"""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = sys.argv.pop(1)
LINE = "SPDX-License-Identifier: GPL-3.0-or-later"

FILES = {
    "main.cpp": b"#include <cstdio>\nint main() {}\n",
    "tool": b"#!/usr/bin/env bash\necho hi\n",
    "tool.py": b"#!/usr/bin/python3\n# -*- coding: utf-8 -*-\n\"\"\"Docstring.\"\"\"\n",
    "CMakeLists.txt": b"project(x)\n",
    "listing.xml.in": b"<?xml version=\"1.0\"?>\n<component/>\n",
    "page.htm": b"<!DOCTYPE html>\r\n<html></html>\r\n",
    "style.css": b"body {}",
    "kvmail.ini.example": b"[KVMail]\n",
    "journal.kva": b"\x01\x02binary",
    "template.txt": b"<html>%NAME%</html>\n",
    "roles.json": b"{}\n",
}


class AddsLicenceLines(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = self.folder.name
        for name, content in FILES.items():
            with open(os.path.join(self.root, name), "wb") as f:
                f.write(content)
        os.chmod(os.path.join(self.root, "tool"), 0o755)
        subprocess.run(["git", "init", "-q", self.root], check=True)
        subprocess.run(["git", "-C", self.root, "add", "."], check=True)

    def tearDown(self):
        self.folder.cleanup()

    def run_script(self, *arguments):
        return subprocess.run([SCRIPT, *arguments, self.root], capture_output=True, text=True)

    def read(self, name):
        with open(os.path.join(self.root, name), "rb") as f:
            return f.read()

    def test_check_lists_the_files_without_a_line_and_writes_nothing(self):
        result = self.run_script("--check")
        self.assertEqual(result.returncode, 1)
        self.assertIn("without a licence line: main.cpp", result.stdout)
        self.assertNotIn("journal.kva", result.stdout)
        self.assertEqual(self.read("main.cpp"), FILES["main.cpp"])

    def test_each_kind_gets_its_comment_after_the_lines_that_must_stay_first(self):
        self.assertEqual(self.run_script().returncode, 0)
        self.assertEqual(self.read("main.cpp"), b"// " + LINE.encode() + b"\n" + FILES["main.cpp"])
        self.assertEqual(self.read("tool").splitlines()[:2], [b"#!/usr/bin/env bash", b"# " + LINE.encode()])
        self.assertTrue(os.access(os.path.join(self.root, "tool"), os.X_OK))
        self.assertEqual(self.read("tool.py").splitlines()[2], b"# " + LINE.encode())
        self.assertEqual(self.read("CMakeLists.txt").splitlines()[0], b"# " + LINE.encode())
        self.assertEqual(self.read("listing.xml.in").splitlines()[1], b"<!-- " + LINE.encode() + b" -->")
        self.assertEqual(self.read("page.htm"), b"<!DOCTYPE html>\r\n<!-- " + LINE.encode() + b" -->\r\n<html></html>\r\n")
        self.assertEqual(self.read("style.css"), b"/* " + LINE.encode() + b" */\nbody {}")
        self.assertEqual(self.read("kvmail.ini.example").splitlines()[0], b"; " + LINE.encode())
        for data in ("journal.kva", "template.txt", "roles.json"):
            self.assertEqual(self.read(data), FILES[data], data)

    def test_a_second_run_changes_nothing(self):
        self.run_script()
        once = {name: self.read(name) for name in FILES}
        self.assertEqual(self.run_script().stdout, "")
        self.assertEqual({name: self.read(name) for name in FILES}, once)
        self.assertEqual(self.run_script("--check").returncode, 0)


if __name__ == "__main__":
    unittest.main()

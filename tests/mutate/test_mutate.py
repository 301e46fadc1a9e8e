#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the mutation run on a tiny library of its own (sample/): its verdicts, where it makes
faults, and that neither a finished nor an interrupted run touches the files being worked on.

usage: test_mutate.py MUTATE_SCRIPT SAMPLE_DIR
"""

import hashlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

MUTATE = None
SAMPLE = None
SOURCE = "lib/Countdown.cpp"
VERDICT = re.compile(r"^(killed|survived|not built|equivalent)\s+(\S+:\d+: .*?)(?:  \[(.*)\])?$", re.M)


def snapshot(folder):
    """Every file of the working tree (outside .git and build/) with its bytes' digest."""
    files = {}
    for root, dirs, names in os.walk(folder):
        dirs[:] = [d for d in dirs if os.path.join(root, d) not in (os.path.join(folder, ".git"), os.path.join(folder, "build"))]
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = hashlib.sha256(f.read()).hexdigest()
    return files


class MutationRun(unittest.TestCase):
    def setUp(self):
        self.repo = tempfile.mkdtemp(prefix="mutate-sample-")
        self.addCleanup(shutil.rmtree, self.repo, ignore_errors=True)
        shutil.copytree(SAMPLE, self.repo, dirs_exist_ok=True)
        with open(os.path.join(self.repo, ".gitignore"), "w") as f:
            f.write("/build/\n")
        env = dict(os.environ, GIT_AUTHOR_NAME="t", GIT_AUTHOR_EMAIL="t@t", GIT_COMMITTER_NAME="t", GIT_COMMITTER_EMAIL="t@t")
        for command in (["init", "-q"], ["add", "-A"], ["commit", "-qm", "sample"]):
            subprocess.run(["git", "-C", self.repo, *command], check=True, env=env)
        # Work in progress: the run judges the commit and leaves this alone.
        with open(os.path.join(self.repo, SOURCE), "a") as f:
            f.write("// not committed yet\n")
        self.before = snapshot(self.repo)

    def command(self, state, *extra):
        return [MUTATE, "--repo", self.repo, "--libraries", "lib", "--exclude", "", "--timeout", "2",
                "--state-dir", os.path.join(self.repo, "build", state), *extra]

    def run_to_end(self, state, *extra):
        done = subprocess.run(self.command(state, *extra), capture_output=True, text=True, timeout=120)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        return done.stdout

    def verdicts(self, output):
        return {place: verdict for verdict, place, _ in VERDICT.findall(output)}

    def assert_untouched(self, state):
        self.assertEqual(snapshot(self.repo), self.before)
        copy = os.path.join(self.repo, "build", state, "tree")
        status = subprocess.run(["git", "-C", copy, "status", "--porcelain", "--untracked-files=no"],
                                capture_output=True, text=True, check=True).stdout
        self.assertEqual(status, "", "the copy is restored")

    def interrupt(self, state, signum, after):
        """Starts a run and sends it signum once it has told `after` verdicts, while it judges the next."""
        process = subprocess.Popen(self.command(state), stdout=subprocess.PIPE, text=True)
        told = 0
        for line in process.stdout:
            told += bool(VERDICT.match(line))
            if told == after:
                break
        process.send_signal(signum)
        process.stdout.read()
        process.stdout.close()
        process.wait(timeout=60)
        return process.returncode

    def test_verdicts_places_and_interruptions(self):
        listed = self.run_to_end("first", "--list")
        with open(os.path.join(SAMPLE, SOURCE)) as f:
            lines = f.read().split("\n")
        for line_number in re.findall(r"^lib/Countdown.cpp:(\d+):", listed, re.M):
            line = lines[int(line_number) - 1]
            self.assertNotRegex(line, r"^\s*(#|//|/\*)|\"", "no fault in a comment, a string or a directive")
        self.assertIn("7 of 7 possible faults", listed)

        output = self.run_to_end("first")
        verdicts = self.verdicts(output)
        self.assertEqual(len(verdicts), 7, output)
        clamp = 1 + next(i for i, line in enumerate(lines) if "value > limit" in line)
        step = 1 + next(i for i, line in enumerate(lines) if "from -= 1" in line)
        self.assertEqual([p for p, v in verdicts.items() if v == "survived"], [f"lib/Countdown.cpp:{clamp}: '>' -> '>='"])
        self.assertEqual(verdicts[f"lib/Countdown.cpp:{step}: '1' -> '0'"], "killed", "a fault that hangs is killed")
        self.assertRegex(output, r"'1' -> '0'  \[countdown \(Timeout\)\]")
        self.assertIn("lib          score  85.7%  killed 6, survived 1", output)
        self.assertRegex(output, r"Commit judged: [0-9a-f]{40}")
        self.assert_untouched("first")

        # A second run reuses the verdicts kept, also for the faults a listing names.
        self.assertEqual(self.verdicts(self.run_to_end("first")), verdicts)
        listing = os.path.join(self.repo, "build", "survivors.txt")
        with open(listing, "w") as f:
            f.write(f"survived   lib/Countdown.cpp:{clamp}: '>' -> '>='\nlib/Countdown.cpp:1: '9' -> '8'\n")
        named = self.run_to_end("first", "--faults", listing)
        self.assertEqual(self.verdicts(named), {f"lib/Countdown.cpp:{clamp}: '>' -> '>='": "survived"})
        self.assertIn("no such fault now, skipped: lib/Countdown.cpp:1: '9' -> '8'", named)

        # Interrupted runs judge afresh (the build folder is kept).
        os.remove(os.path.join(self.repo, "build", "first", "results.json"))
        self.assertEqual(self.interrupt("first", signal.SIGINT, after=1), 130)
        self.assert_untouched("first")
        self.assertEqual(self.interrupt("first", signal.SIGKILL, after=3), -signal.SIGKILL)
        self.assertEqual(snapshot(self.repo), self.before)
        self.assertEqual(self.verdicts(self.run_to_end("first")), verdicts)
        self.assert_untouched("first")


if __name__ == "__main__":
    MUTATE, SAMPLE = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], "-v"])

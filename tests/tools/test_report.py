#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the feedback report back as its reader would: its text, its bookmarks and where its words sit.

usage: test_report.py KVTOOL SAMPLE_JOURNAL [unittest arguments, e.g. a test class name]

The figures are checked against a reference computed here from the journal as `kvtool dump` prints
it, never from the report's own code.
"""

import json
import os
import random
import re
import subprocess
import sys
import tempfile
import time
import unittest

KVTOOL = None
SAMPLE = None
SUMMARY_SECTIONS = 6  # how to read, competencies ranked, strengths, disagreements, comments, plan


def run(*args, timeout=600):
    done = subprocess.run([KVTOOL, *args], capture_output=True, timeout=timeout)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def dump(path):
    status, out, err = run("dump", path)
    assert status == 0, err
    return json.loads(out)


def build(record, path):
    with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False, encoding="utf-8") as f:
        json.dump(record, f)
    try:
        status, _, err = run("build", f.name, path)
        assert status == 0, err
    finally:
        os.unlink(f.name)


def pdf_text(pdf, first=None, last=None):
    args = ["pdftotext", "-enc", "UTF-8"]
    if first:
        args += ["-f", str(first)]
    if last:
        args += ["-l", str(last)]
    return subprocess.run(args + [pdf, "-"], capture_output=True, check=True).stdout.decode("utf-8")


def page_count(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, check=True).stdout.decode("utf-8")
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def page_size(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, check=True).stdout.decode("utf-8")
    match = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+) pts", info, re.M)
    return round(float(match.group(1))), round(float(match.group(2)))


def outline(pdf):
    """The bookmarks as (title, page from 1, depth), in order."""
    done = subprocess.run(["qpdf", "--json", "--json-key=outlines", pdf], capture_output=True, check=True)
    entries = []

    def walk(items, depth):
        for item in items:
            entries.append((item["title"], item["destpageposfrom1"], depth))
            walk(item["kids"], depth + 1)

    walk(json.loads(done.stdout)["outlines"], 0)
    return entries


def words_by_page(pdf, last):
    """Per page up to `last`: the page's width and height and its words with their boxes."""
    html = subprocess.run(["pdftotext", "-bbox", "-l", str(last), pdf, "-"], capture_output=True,
                          check=True).stdout.decode("utf-8")
    pages = []
    for page in re.finditer(r'<page width="([\d.]+)" height="([\d.]+)">(.*?)</page>', html, re.S):
        words = [tuple(float(v) for v in m.groups()[:4]) + (m.group(5),) for m in re.finditer(
            r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>', page.group(3))]
        pages.append((float(page.group(1)), float(page.group(2)), words))
    return pages


def flat(text):
    return " ".join(text.split())


def reference_summary(journal):
    """Strengths and priorities by their definition: others' average = mean of the counted answers of
    the included Manager..Other questionnaires; equal averages keep the Behaviours ranking's order
    (overall average = mean of the group averages, descending; equal ones with the later behaviour first)."""
    framework = journal["framework"]
    scales = framework["scales"]
    behaviours = framework["behaviours"]
    sums = [[0] * 6 for _ in behaviours]
    counts = [[0] * 6 for _ in behaviours]
    for q in journal["questionnaires"]:
        group = q["relationship"]
        if not q["use_in_results"] or not 0 <= group < 6:
            continue
        for b, option in q["responses"]:
            if not 0 <= b < len(behaviours):
                continue
            scale = scales[behaviours[b]["scale"]]
            if not 0 <= option < len(scale["options"]) or scale["maximum"] <= 0:
                continue
            value = scale["options"][option]["value"]
            if value >= 0:
                sums[b][group] += value
                counts[b][group] += 1
    rows = []
    for b in range(len(behaviours)):
        averages = [sums[b][g] / counts[b][g] for g in range(6) if counts[b][g]]
        overall = sum(averages) / len(averages) if averages else -1.0
        other = sum(counts[b][1:])
        rows.append((b, overall, sum(sums[b][1:]) / other if other else None))
    ranking = sorted(rows, key=lambda r: (-r[1], -r[0]))
    rated = [r for r in ranking if r[2] is not None]
    strengths = sorted(rated, key=lambda r: -r[2])[:5]
    chosen = {r[0] for r in strengths}
    priorities = sorted([r for r in rated if r[0] not in chosen], key=lambda r: r[2])[:5]
    return [r[0] for r in strengths], [r[0] for r in priorities]


class ReportCase(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def report(self, journal, *options, name="report.pdf"):
        pdf = self.path(name)
        status, _, err = run("report", journal, *options, "-o", pdf)
        self.assertEqual(status, 0, err)
        self.assertEqual(open(pdf, "rb").read(5), b"%PDF-")
        return pdf

    def first_detail_page(self, pdf):
        entries = outline(pdf)
        return next(page for title, page, depth in entries if depth == 0 and title in ("Feedback", "Results"))

    def assert_summary_without_overlaps(self, pdf):
        """Every word of the summary inside its sheet and no two words on top of each other. The
        competencies' ranking is the result page as the journal draws it, with its own fitting rules."""
        last = self.first_detail_page(pdf) - 1
        ranking = {page for title, page, depth in outline(pdf) if title == "Competencies ranked by average score"}
        for number, (width, height, words) in enumerate(words_by_page(pdf, last), start=1):
            if number in ranking:
                continue
            for x0, y0, x1, y1, word in words:
                self.assertTrue(0 <= x0 and x1 <= width and 0 <= y0 and y1 <= height,
                                f"page {number}: {word!r} runs off the sheet")
            ordered = sorted(words, key=lambda w: w[1])
            for i, a in enumerate(ordered):
                for b in ordered[i + 1:]:
                    if b[1] >= a[3] - 0.5:
                        break
                    overlap_x = min(a[2], b[2]) - max(a[0], b[0])
                    overlap_y = min(a[3], b[3]) - max(a[1], b[1])
                    self.assertFalse(overlap_x > 0.5 and overlap_y > 0.5,
                                     f"page {number}: {a[4]!r} and {b[4]!r} overlap")
        return last


class SampleReport(ReportCase):
    """The shipped sample journal's report, as the person hands it to their manager."""

    def setUp(self):
        super().setUp()
        self.journal = dump(SAMPLE)
        self.pdf = self.report(SAMPLE)

    def test_cover_names_the_person_the_role_and_the_questionnaires_per_group(self):
        cover = flat(pdf_text(self.pdf, 1, 1))
        counts_table = subprocess.run(["pdftotext", "-layout", "-l", "1", self.pdf, "-"], capture_output=True,
                                      check=True).stdout.decode("utf-8")
        self.assertIn(self.journal["person"], cover)
        self.assertIn(self.journal["role_name"], cover)
        counts = [0] * 6
        for q in self.journal["questionnaires"]:
            if q["use_in_results"]:
                counts[q["relationship"]] += 1
        for group, count in enumerate(counts):
            if count:
                label = re.escape(self.journal["relationship_labels"][group])
                self.assertRegex(counts_table, rf"(?m)^\s*{label}\s+{count}$")
        self.assertIn("Page 1 of %d" % page_count(self.pdf), cover)

    def test_strengths_and_priorities_are_those_the_definition_gives(self):
        strengths, priorities = reference_summary(self.journal)
        self.assertEqual((len(strengths), len(priorities)), (5, 5))
        statements = [b["statement"] for b in self.journal["framework"]["behaviours"]]
        page = next(p for p in range(1, 12) if flat(pdf_text(self.pdf, p, p)).startswith("Strengths and priorities"))
        # The statements' column, read line by line from the words' boxes.
        width, _, words = words_by_page(self.pdf, page)[page - 1]
        column = sorted((w for w in words if w[0] < width * 0.52), key=lambda w: (round(w[1]), w[0]))
        text = " ".join(w[4] for w in column)
        split = text.index("Priorities")
        positions = {b: text.find(flat(s)) for b, s in enumerate(statements)}
        shown = sorted((pos, b) for b, pos in positions.items() if pos >= 0)
        self.assertEqual([b for pos, b in shown if pos < split], strengths)
        self.assertEqual([b for pos, b in shown if pos > split], priorities)

    def test_no_assessor_name_appears_in_the_report_or_its_bookmarks(self):
        names = {q["assessor"] for q in self.journal["questionnaires"]} - {self.journal["person"], "", "<anonymous>"}
        self.assertTrue(names)
        text = pdf_text(self.pdf)
        titles = " ".join(title for title, _, _ in outline(self.pdf))
        for name in names:
            self.assertNotIn(name, text)
            self.assertNotIn(name, titles)
        comments = next(p for p in range(1, 12) if flat(pdf_text(self.pdf, p, p)).startswith("Comments"))
        self.assertIn("without the names", flat(pdf_text(self.pdf, comments, comments)))

    def test_the_outline_holds_one_entry_per_detail_page_and_every_page_is_numbered(self):
        status, out, _ = run("results", SAMPLE)
        listed = json.loads(out)["pages"]
        paths = [p["path"] for p in listed]

        def left_out(page):
            # A page without scores and without pages below it gets no sheet.
            return (page["kind"] == "ranking" and page["shown"] == 0
                    and not any(other.startswith(page["path"] + "/") for other in paths))

        detail = [p["path"] for p in listed if not p["path"].startswith("Feedback") and not left_out(p)]
        entries = outline(self.pdf)
        self.assertEqual(len(entries), len(detail) + SUMMARY_SECTIONS)
        first = self.first_detail_page(self.pdf)
        pages = page_count(self.pdf)
        # The bookmarks of the detail part open its pages in tree order, each from a sheet of its
        # own; a page taller than a sheet takes more than one.
        starts = [page for _, page, _ in entries[SUMMARY_SECTIONS:]]
        self.assertEqual(starts[0], first)
        self.assertTrue(all(a <= b for a, b in zip(starts, starts[1:])), starts)
        self.assertLessEqual(starts[-1], pages)
        self.assertGreaterEqual(pages, first - 1 + len(detail))
        for number in (2, first, pages):
            self.assertIn(f"Page {number} of {pages}", pdf_text(self.pdf, number, number))

    def test_with_names_adds_the_questionnaires_and_letter_paper_is_taken(self):
        pdf = self.report(SAMPLE, "--with-names", "--paper", "letter", name="named.pdf")
        self.assertEqual(page_size(pdf), (612, 792))
        self.assertEqual(page_size(self.pdf), (595, 842))
        self.assertIn("Priya Natarajan", " ".join(title for title, _, _ in outline(pdf)))
        self.assertEqual(page_count(pdf), page_count(self.pdf) + 1 + len(self.journal["questionnaires"]))
        self.assert_summary_without_overlaps(pdf)

    def test_pages_only_is_every_page_in_tree_order_without_summary(self):
        pdf = self.report(SAMPLE, "--pages-only", name="pages.pdf")
        status, out, _ = run("results", SAMPLE)
        # Each page from a sheet of its own; a page taller than a sheet takes more than one.
        self.assertGreaterEqual(page_count(pdf), len(json.loads(out)["pages"]))
        self.assertNotIn("How to read this report", pdf_text(pdf))

    def test_the_summary_has_no_overlapping_text(self):
        self.assertGreaterEqual(self.assert_summary_without_overlaps(self.pdf), 8)

    def test_a_wrong_paper_is_a_usage_error(self):
        status, _, err = run("report", SAMPLE, "--paper", "a3", "-o", self.path("x.pdf"))
        self.assertEqual(status, 2)
        self.assertIn("--paper must be a4 or letter", err)


class EdgeJournals(ReportCase):
    """Journals whose summary has little or nothing to say still give a valid, tidy report."""

    def journal_from_sample(self, change):
        record = dump(SAMPLE)
        change(record)
        path = self.path("edge.kva")
        build(record, path)
        return path

    def check(self, path):
        pdf = self.report(path)
        self.assert_summary_without_overlaps(pdf)
        return flat(pdf_text(pdf))

    def test_a_journal_without_questionnaires(self):
        text = self.check(self.journal_from_sample(lambda r: r.update(questionnaires=[])))
        self.assertIn("No questionnaires are included in the results yet.", text)

    def test_a_journal_with_only_self(self):
        def only_self(record):
            record["questionnaires"] = [q for q in record["questionnaires"] if q["relationship"] == 0]
        text = self.check(self.journal_from_sample(only_self))
        self.assertIn("No behaviours were rated by anyone but Self.", text)

    def test_a_journal_whose_every_answer_is_not_needed(self):
        def not_needed(record):
            for behaviour in record["framework"]["behaviours"]:
                behaviour["scale"] = 0
            for q in record["questionnaires"]:
                q["responses"] = [[b, 0] for b, _ in q["responses"]]
        text = self.check(self.journal_from_sample(not_needed))
        self.assertIn("No behaviours were rated by anyone but Self.", text)


def large_journal(behaviour_count, competency_count, long_texts, seed=7):
    """The sample's wording with a role of the given size, 32 questionnaires, 128 actions."""
    rng = random.Random(seed)
    record = dump(SAMPLE)
    words = ("consistently explains the reasons behind every decision to colleagues customers and the wider "
             "organisation while listening carefully").split()

    def sentence(n):
        return " ".join(rng.choice(words) for _ in range(n)).capitalize()

    framework = record["framework"]
    framework["competencies"] = [{"name": f"Competency {c} " + sentence(6 if long_texts else 2), "description": ""}
                                 for c in range(competency_count)]
    framework["behaviours"] = [{"statement": f"B{b} " + sentence(40 if long_texts else 10),
                                "competency": b % competency_count, "scale": b % 2, "reserved": "",
                                "marked": int(b % 9 == 0), "description": ""} for b in range(behaviour_count)]
    record["questionnaires"] = [{
        "assessor": f"Assessor {q}", "relationship": q % 6,
        "details": sentence(120 if long_texts else 30), "date": {"status": 0, "value": 45600.0 + q},
        "use_in_results": 1,
        "responses": [[b, rng.randrange(4)] for b in rng.sample(range(behaviour_count), min(256, behaviour_count))],
    } for q in range(32)]
    record["actions"] = [{"version": 2, "behaviour": (a * 7) % behaviour_count if a % 5 else -1,
                          "action": sentence(30 if long_texts else 8), "support": sentence(10),
                          "do_by": {"status": 0, "value": 45700.0 + a}, "situation": "", "measure": "",
                          "completed": a % 2} for a in range(128)]
    return record


class LargeJournal(ReportCase):
    """A role of 256 behaviours and 32 questionnaires: the summary still has no overlapping text."""

    def test_the_summary_of_a_large_journal_has_no_overlapping_text(self):
        path = self.path("large.kva")
        build(large_journal(256, 16, long_texts=False), path)
        self.assert_summary_without_overlaps(self.report(path))


def long_text_journal():
    """The sample's answers with 256 behaviours of 280-character statements and one questionnaire
    whose comment runs to 6,000 characters. Every word is numbered, so a word lost anywhere shows."""
    record = large_journal(256, 16, long_texts=False)
    for b, behaviour in enumerate(record["framework"]["behaviours"]):
        statement = " ".join(f"s{b}w{w}" for w in range(60))
        behaviour["statement"] = statement[:280].rsplit(" ", 1)[0].ljust(280, "z")
    words = " ".join(f"c{w:04d}" for w in range(1200))
    record["questionnaires"][19]["details"] = (words[:3000] + "\r\n\r\n" + words[3000:])[:6000]
    return record


def words_of(text):
    return text.replace("\r\n", " ").split()


class LongTexts(ReportCase):
    """Long comments and statements are shown whole, on screen and on as many sheets as they need."""

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.record = long_text_journal()
        cls.journal = os.path.join(cls.folder.name, "long.kva")
        build(cls.record, cls.journal)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def render(self, page, name):
        out = self.path(name)
        status, _, err = run("render", self.journal, "--page", page, "-o", out)
        self.assertEqual(status, 0, err)
        return out

    def assert_no_overlap(self, pdf):
        for number, (width, height, words) in enumerate(words_by_page(pdf, page_count(pdf)), start=1):
            ordered = sorted(words, key=lambda w: w[1])
            for i, a in enumerate(ordered):
                self.assertTrue(0 <= a[0] and a[2] <= width and 0 <= a[1] and a[3] <= height,
                                f"sheet {number}: {a[4]!r} runs off the sheet")
                for b in ordered[i + 1:]:
                    if b[1] >= a[3] - 0.5:
                        break
                    self.assertFalse(min(a[2], b[2]) - max(a[0], b[0]) > 0.5 and
                                     min(a[3], b[3]) - max(a[1], b[1]) > 0.5,
                                     f"sheet {number}: {a[4]!r} and {b[4]!r} overlap")

    def comment(self):
        return [w for w in words_of(self.record["questionnaires"][19]["details"]) if re.fullmatch(r"c\d{4}", w)]

    def test_a_long_comment_is_whole_on_paper_and_on_screen(self):
        comment = self.comment()
        pdf = self.render("Feedback/#19", "comment.pdf")
        self.assertGreater(page_count(pdf), 1)
        self.assertEqual([w for w in pdf_text(pdf).split() if re.fullmatch(r"c\d{4}", w)], comment)
        self.assert_no_overlap(pdf)
        png = self.path("comment.png")
        status, _, err = run("render", self.journal, "--page", "Feedback/#19", "--width", "640", "-o", png)
        self.assertEqual(status, 0, err)
        with open(png, "rb") as f:
            height = int.from_bytes(f.read(24)[20:24], "big")
        # 6,000 characters in a column of some 60 make about a hundred lines of some 15 pixels: far
        # more than the forty lines a page used to stop at.
        self.assertGreater(height, 80 * 15)

    def test_the_ranking_prints_on_several_sheets_with_every_statement_whole(self):
        pdf = self.render("Results/Behaviours", "ranking.pdf")
        sheets = page_count(pdf)
        self.assertGreater(sheets, 1)
        self.assert_no_overlap(pdf)
        for number in range(1, sheets + 1):
            text = pdf_text(pdf, number, number)
            self.assertIn("Behaviours", text.splitlines()[0] if text else "", f"no header on sheet {number}")
            self.assertIn("Reflectory 360", text, f"no footer on sheet {number}")
        found = pdf_text(pdf).split()
        for behaviour in self.record["framework"]["behaviours"]:
            for word in behaviour["statement"].split():
                self.assertIn(word, found)

    def test_the_report_holds_the_whole_comment_twice_with_names_and_no_empty_pages(self):
        comment = self.comment()
        pdf = self.report(self.journal, "--with-names")
        text = pdf_text(pdf)
        numbered = [w for w in text.split() if re.fullmatch(r"c\d{4}", w)]
        # Once among the comments of the summary, once on the questionnaire's own page.
        self.assertEqual(numbered, comment + comment)
        self.assertNotIn("There are no scores to display", text)
        self.assertIn("pages without scores are left out", flat(text))


class LargestJournal(ReportCase):
    """The largest journal the format allows; run by `make report-largest`, not by `make test`."""

    def test_the_largest_journal_gives_a_tidy_summary(self):
        path = self.path("largest.kva")
        build(large_journal(1024, 1024, long_texts=True), path)
        started = time.monotonic()
        pdf = self.report(path)
        elapsed = time.monotonic() - started
        last = self.assert_summary_without_overlaps(pdf)
        self.assertNotIn("There are no scores to display", pdf_text(pdf))
        # The contents group the detail pages under their branches: after the cover, two sheets at most.
        how_to_read = next(page for title, page, depth in outline(pdf) if title == "How to read this report")
        self.assertLessEqual(how_to_read, 4)
        print(f"\nlargest journal: {page_count(pdf)} sheets, summary {last} sheets, "
              f"{len(outline(pdf))} bookmarks, written in {elapsed:.1f} s", file=sys.stderr)


def main():
    global KVTOOL, SAMPLE
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    KVTOOL, SAMPLE = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=1)


if __name__ == "__main__":
    main()

#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What `kvtool compare` says changed between two journals, checked against figures computed here
from the journals as `kvtool dump` prints them: the raw answers, never the tool's own code.

usage: test_compare.py KVTOOL SAMPLE_EARLIER SAMPLE_LATER [unittest arguments]
"""

import copy
import json
import math
import os
import random
import sys
import unittest

KVTOOL = None
SAMPLE_EARLIER = None
SAMPLE_LATER = None
TOLERANCE = 1e-9


sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import test_report  # noqa: E402  (the report's tests run kvtool the same way)

run, dump, build = test_report.run, test_report.dump, test_report.build


def loose(statement):
    return "".join(c.lower() for c in statement if c.isalnum())


def same_scale(a, b):
    return a["maximum"] == b["maximum"] and [o["value"] for o in a["options"]] == [o["value"] for o in b["options"]]


def match(earlier, later):
    """Pairs (earlier, later) by exact then loose statement, one to one in behaviour order."""
    eb, lb = earlier["framework"]["behaviours"], later["framework"]["behaviours"]
    es, ls = earlier["framework"]["scales"], later["framework"]["scales"]
    taken_e, taken_l, pairs, incomparable = set(), set(), [], []
    for key in (lambda s: s, loose):
        for l, behaviour in enumerate(lb):
            if l in taken_l:
                continue
            for e, candidate in enumerate(eb):
                if e not in taken_e and key(candidate["statement"]) == key(behaviour["statement"]):
                    taken_e.add(e)
                    taken_l.add(l)
                    target = pairs if same_scale(es[candidate["scale"]], ls[behaviour["scale"]]) else incomparable
                    target.append((e, l))
                    break
    return sorted(pairs, key=lambda p: p[1]), sorted(incomparable, key=lambda p: p[1])


def counted_answers(journal):
    """Per behaviour and group, the counted scores."""
    framework = journal["framework"]
    scores = [[[] for _ in range(6)] for _ in framework["behaviours"]]
    for q in journal["questionnaires"]:
        group = q["relationship"]
        if not q["use_in_results"] or not 0 <= group < 6:
            continue
        for b, option in q["responses"]:
            if not 0 <= b < len(scores):
                continue
            scale = framework["scales"][framework["behaviours"][b]["scale"]]
            if not 0 <= option < len(scale["options"]) or scale["maximum"] <= 0:
                continue
            value = scale["options"][option]["value"]
            if value >= 0:
                scores[b][group].append(value)
    return scores


def mean(values):
    return sum(values) / len(values) if values else None


def others(per_group):
    return [v for g in range(1, 6) for v in per_group[g]]


def spread(values):
    if not values:
        return None
    m = mean(values)
    return math.sqrt(max(0.0, sum(v * v for v in values) / len(values) - m * m))


def reference(earlier, later):
    pairs, incomparable = match(earlier, later)
    then, now = counted_answers(earlier), counted_answers(later)
    behaviours = []
    for e, l in pairs:
        behaviours.append({
            "pair": (e, l), "then": mean(others(then[e])), "now": mean(others(now[l])),
            "self_then": mean(then[e][0]), "self_now": mean(now[l][0]),
            "answers_then": len(others(then[e])), "answers_now": len(others(now[l])),
            "spread": spread(others(then[e]) + others(now[l])),
        })

    def change(row):
        return row["now"] - row["then"] if row["then"] is not None and row["now"] is not None else None

    ranked = sorted(behaviours, key=lambda r: (change(r) is None, -(change(r) or 0.0)))
    groups = []
    for g in range(6):
        a = [v for e, _ in pairs for v in then[e][g]]
        b = [v for _, l in pairs for v in now[l][g]]
        groups.append((mean(a), mean(b), len(a), len(b)))

    def competency_scores(journal, scores, c):
        per_group = [[] for _ in range(6)]
        for b, behaviour in enumerate(journal["framework"]["behaviours"]):
            if behaviour["competency"] == c:
                for g in range(6):
                    per_group[g] += scores[b][g]
        return per_group

    competencies = []
    earlier_names = [c["name"] for c in earlier["framework"]["competencies"]]
    used = set()
    for l, competency in enumerate(later["framework"]["competencies"]):
        candidates = [e for e, name in enumerate(earlier_names) if name == competency["name"] and e not in used]
        if not candidates:
            continue
        e = candidates[0]
        used.add(e)
        a, b = competency_scores(earlier, then, e), competency_scores(later, now, l)
        competencies.append({"pair": (e, l), "then": mean(others(a)), "now": mean(others(b)),
                             "self_then": mean(a[0]), "self_now": mean(b[0])})
    competencies.sort(key=lambda r: (change(r) is None, -(change(r) or 0.0)))

    acted = {a["behaviour"] for a in earlier["actions"]}
    areas = [b for b, behaviour in enumerate(earlier["framework"]["behaviours"])
             if behaviour["marked"] or b in acted]
    return {"behaviours": ranked, "competencies": competencies, "groups": groups, "areas": areas,
            "incomparable": incomparable, "pairs": pairs}


def figure(value):
    return None if value is None or value < 0 else value


class CompareCase(test_report.ReportCase):
    """A temporary folder of its own, as the report's cases have."""

    def journal(self, record, name):
        path = self.path(name)
        build(record, path)
        return path

    def compare(self, earlier, later, *options):
        status, out, err = run("compare", earlier, later, *options)
        self.assertEqual(status, 0, err)
        return json.loads(out)

    def assertClose(self, actual, expected, where):
        if expected is None:
            self.assertIsNone(figure(actual) if isinstance(actual, (int, float)) else actual, where)
        else:
            self.assertIsNotNone(actual, where)
            self.assertAlmostEqual(actual, expected, delta=TOLERANCE, msg=where)

    def check_against_reference(self, earlier_path, later_path):
        earlier, later = dump(earlier_path), dump(later_path)
        expected = reference(earlier, later)
        pages = {page["kind"]: page for page in self.compare(earlier_path, later_path)["pages"]}

        rows = pages["behaviours"]["rows"]
        self.assertEqual([(r["earlier_index"], r["later_index"]) for r in rows],
                         [r["pair"] for r in expected["behaviours"]])
        for row, want in zip(rows, expected["behaviours"]):
            where = row["statement"]
            self.assertClose(figure(row["others"]["then"]), want["then"], where)
            self.assertClose(figure(row["others"]["now"]), want["now"], where)
            self.assertClose(figure(row["self"]["then"]), want["self_then"], where)
            self.assertClose(figure(row["self"]["now"]), want["self_now"], where)
            self.assertEqual((row["others_answers_then"], row["others_answers_now"]),
                             (want["answers_then"], want["answers_now"]), where)
            self.assertClose(figure(row["spread"]), want["spread"], where)
            if want["then"] is not None and want["now"] is not None:
                self.assertClose(row["others"]["change"], want["now"] - want["then"], where)
                self.assertEqual(row["may_be_noise"], abs(want["now"] - want["then"]) < want["spread"], where)
            else:
                self.assertIsNone(row["others"]["change"], where)

        competencies = pages["competencies"]["rows"]
        self.assertEqual([(r["earlier_index"], r["later_index"]) for r in competencies],
                         [r["pair"] for r in expected["competencies"]])
        for row, want in zip(competencies, expected["competencies"]):
            for key, value in (("then", want["then"]), ("now", want["now"])):
                self.assertClose(figure(row["others"][key]), value, row["name"])
            self.assertClose(figure(row["self"]["then"]), want["self_then"], row["name"])
            self.assertClose(figure(row["self"]["now"]), want["self_now"], row["name"])

        for row, (then, now, answers_then, answers_now) in zip(pages["groups"]["rows"], expected["groups"]):
            self.assertClose(figure(row["average"]["then"]), then, row["label"])
            self.assertClose(figure(row["average"]["now"]), now, row["label"])
            self.assertEqual((row["answers_then"], row["answers_now"]), (answers_then, answers_now))

        self.assertEqual([r["earlier_index"] for r in pages["development"]["rows"]], expected["areas"])
        return pages


class SamplePair(CompareCase):
    def test_the_shipped_samples_agree_with_the_reference(self):
        pages = self.check_against_reference(SAMPLE_EARLIER, SAMPLE_LATER)
        development = pages["development"]["rows"]
        self.assertTrue(development, "the earlier sample has development areas")
        self.assertTrue(all(row["actions"] for row in development))
        self.assertTrue(any(row["figures"] and row["figures"]["others"]["change"] > 0 for row in development))
        self.assertEqual(pages["unmatched"]["behaviours_only_earlier"], ["Runs meetings that end with clear decisions"])
        self.assertTrue(pages["development"]["path"].startswith("Progress since "))

    def test_the_samples_given_the_wrong_way_round_are_refused_with_a_hint(self):
        status, _, err = run("compare", SAMPLE_LATER, SAMPLE_EARLIER)
        self.assertEqual(status, 1)
        self.assertIn("The journal you chose has later feedback than this one.", err)

    def test_a_journal_is_not_compared_with_itself(self):
        status, _, err = run("compare", SAMPLE_LATER, SAMPLE_LATER)
        self.assertEqual(status, 1)
        self.assertIn("Sorry, a journal cannot be compared with itself.", err)


class GeneratedPairs(CompareCase):
    def earlier_of(self, record, seed=3):
        """The same person a year before: dates moved back and every answer drawn again."""
        rng = random.Random(seed)
        earlier = copy.deepcopy(record)
        for q in earlier["questionnaires"]:
            q["date"]["value"] -= 365
            q["responses"] = [[b, rng.randrange(4)] for b, _ in q["responses"]]
        return earlier

    def test_identical_roles(self):
        later = dump(SAMPLE_LATER)
        self.check_against_reference(self.journal(self.earlier_of(later), "e.kva"), SAMPLE_LATER)

    def test_one_behaviour_added_and_one_reworded(self):
        later = dump(SAMPLE_LATER)
        earlier = self.earlier_of(later)
        del earlier["framework"]["behaviours"][5]
        for q in earlier["questionnaires"]:
            q["responses"] = [[b - (b > 5), o] for b, o in q["responses"] if b != 5]
        earlier["framework"]["behaviours"][0]["statement"] = "listens to others, without  interrupting!"
        pages = self.check_against_reference(self.journal(earlier, "e.kva"), SAMPLE_LATER)
        self.assertEqual(pages["unmatched"]["behaviours_only_now"], [later["framework"]["behaviours"][5]["statement"]])
        self.assertIn((0, 0), [(r["earlier_index"], r["later_index"]) for r in pages["behaviours"]["rows"]])

    def test_no_questionnaires_in_the_earlier_journal(self):
        earlier = self.earlier_of(dump(SAMPLE_LATER))
        earlier["questionnaires"] = []
        pages = self.check_against_reference(self.journal(earlier, "e.kva"), SAMPLE_LATER)
        self.assertTrue(all(r["others"]["change"] is None for r in pages["behaviours"]["rows"]))

    def test_repeated_statements_pair_in_order_and_other_scales_are_not_compared(self):
        later = dump(SAMPLE_LATER)
        behaviours = later["framework"]["behaviours"]
        behaviours[1]["statement"] = behaviours[0]["statement"]
        earlier = self.earlier_of(later)
        earlier["framework"]["behaviours"][2]["scale"] = 1
        pages = self.check_against_reference(self.journal(earlier, "e.kva"), self.journal(later, "l.kva"))
        pairs = [(r["earlier_index"], r["later_index"]) for r in pages["behaviours"]["rows"]]
        self.assertIn((0, 0), pairs)
        self.assertIn((1, 1), pairs)
        self.assertNotIn((2, 2), pairs)
        self.assertEqual(pages["unmatched"]["behaviours_on_other_scales"], [behaviours[2]["statement"]])

    def test_roles_without_a_behaviour_in_common_are_refused(self):
        earlier = self.earlier_of(dump(SAMPLE_LATER))
        for b, behaviour in enumerate(earlier["framework"]["behaviours"]):
            behaviour["statement"] = f"Something else {b}"
        status, _, err = run("compare", self.journal(earlier, "e.kva"), SAMPLE_LATER)
        self.assertEqual(status, 1)
        self.assertIn("no behaviour in common", err)

    def test_the_largest_journals(self):
        later = test_report.large_journal(256, 1024, True, seed=11)
        earlier = self.earlier_of(later, seed=12)
        self.check_against_reference(self.journal(earlier, "e.kva"), self.journal(later, "l.kva"))


def main():
    global KVTOOL, SAMPLE_EARLIER, SAMPLE_LATER
    KVTOOL, SAMPLE_EARLIER, SAMPLE_LATER = sys.argv[1], sys.argv[2], sys.argv[3]
    test_report.KVTOOL, test_report.SAMPLE = KVTOOL, SAMPLE_LATER
    unittest.main(argv=[sys.argv[0]] + sys.argv[4:], verbosity=2)


if __name__ == "__main__":
    main()

#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Merges replies from saved mail with kvtool, the mails built as mail programs build them.

usage: test_mail_merge.py KVTOOL TOOLS_DATA_DIR [unittest arguments]
"""

import base64
import json
import mailbox
import os
import sys
import unittest
from email.message import EmailMessage

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import test_kvtool  # noqa: E402
from test_kvtool import JournalCase, run  # noqa: E402

LIMIT_MESSAGE = "Sorry, you have reached the maximum number of questionnaires in one assessment file."


def mail(*attachments, subject="My feedback"):
    """A mail as a mail program writes it: a text part and each file attached (RFC 2231 names)."""
    message = EmailMessage()
    message["From"] = "Pat <pat@example.org>"
    message["To"] = "Alex <alex@example.org>"
    message["Subject"] = subject
    message.set_content("Here are my answers.\nFrom now on I answer on time.\n")
    for name, data in attachments:
        message.add_attachment(data, maintype="application", subtype="octet-stream", filename=name)
    return message


class MailMerge(JournalCase):
    """kvtool merge JOURNAL MAIL: every reply attached, one summary, and an honest exit status."""

    def reply(self, assessor, relationship="3", responses="310", role="Team Leader", details="Fine"):
        value = {"kind": "reply", "scrambled": 0, "seed": 0, "password": "", "assessor": assessor,
                 "role_name": role, "responses": responses, "relationship": relationship,
                 "date": {"status": 0, "value": 46000.5}, "details": details}
        path = self.build(value, f"{assessor}-{role}.kvi")
        return self.read_bytes(path)

    def mbox(self, name, messages):
        path = self.path(name)
        box = mailbox.mbox(path)
        for message in messages:
            box.add(message)
        box.close()
        return path

    def merge(self, source, *options):
        return run("merge", self.journal, source, "--password", "pw", *options)

    def assessors(self):
        return [q["assessor"] for q in self.dump(self.journal, "--password", "pw")["questionnaires"]]

    def test_an_mbox_of_five_mails(self):
        pat, robin = self.reply("Pat"), self.reply("Robin", relationship="1", responses="021")
        inbox = self.mbox("inbox", [
            mail(("Feedback from Pat 20260101120000.kvi", pat)),
            mail(("Robin.KVI", robin)),
            mail(("Feedback from Pat 20260101120000.kvi", pat), subject="Again"),
            mail(("other.kvi", self.reply("Sam", role="Designer"))),
            mail(subject="Just saying hello"),
        ])
        status, out, err = self.merge(inbox)
        self.assertEqual(status, 1)
        self.assertEqual(out, "From inbox (5 mails), 4 replies:\n"
                              "Merged (2):\n"
                              "    Feedback from Pat 20260101120000.kvi (mail 1): Pat (Peer)\n"
                              "    Robin.KVI (mail 2): Robin (Manager)\n"
                              "Skipped as already merged (1):\n"
                              "    Feedback from Pat 20260101120000.kvi (mail 3)\n"
                              "Refused (1):\n"
                              "    other.kvi (mail 4): This feedback is for the role of Designer. The behaviours do "
                              "not match yours and cannot be merged.\n")
        self.assertIn("not every reply was merged", err)
        self.assertEqual(self.assessors(), ["Pat", "Robin"])
        status, out, _ = run("results", self.journal, "--password", "pw")
        self.assertEqual(status, 0)
        rankings = [page for page in json.loads(out)["pages"] if page["kind"] == "ranking"]
        self.assertEqual(rankings[0]["questionnaires_per_group"], [0, 1, 0, 1, 0, 0])

        # Again, with --yes: what is there already is skipped, never added twice.
        status, out, _ = self.merge(inbox, "--yes")
        self.assertEqual(status, 1)
        self.assertIn("Skipped as already merged (3):", out)
        self.assertEqual(self.assessors(), ["Pat", "Robin"])

    def test_a_maildir_and_a_single_message(self):
        folder = self.path("Maildir")
        box = mailbox.Maildir(folder)
        box.add(mail(("a.kvi", self.reply("Ann"))))
        box.add(mail(("b.kvi", self.reply("Ben", relationship="4"))))
        box.close()
        status, out, err = self.merge(folder)
        self.assertEqual((status, err), (0, ""), out)
        self.assertTrue(out.startswith("From Maildir (2 mails), 2 replies:\nMerged (2):\n"))
        self.assertEqual(sorted(self.assessors()), ["Ann", "Ben"])

        eml = self.path("forwarded.eml")
        with open(eml, "wb") as f:
            outer = mail(subject="Fwd: My feedback")
            outer.add_attachment(mail(("c.kvi", self.reply("Cleo"))))  # forwarded as an attachment
            f.write(bytes(outer))
        self.assertEqual(self.merge(eml)[0], 0)
        self.assertIn("Cleo", self.assessors())

    def test_the_gateways_raw_windows_1252_name(self):
        reply = self.reply("Zoë")
        raw = (b"From: Gateway <kvmail@example.org>\r\nTo: alex@example.org\r\nSubject: Feedback\r\n"
               b"MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"XyZ\"\r\n\r\n"
               b"--XyZ\r\nContent-Type: text/plain; charset=windows-1252\r\n"
               b"Content-Transfer-Encoding: quoted-printable\r\n\r\nZo=EB answered.\r\n"
               b"--XyZ\r\nContent-Type: application/octet-stream; file=\"Feedback from Zo\xeb 20260101.kvi\"\r\n"
               b"Content-Transfer-Encoding: base64\r\n"
               b"Content-Disposition: attachment; filename=\"Feedback from Zo\xeb 20260101.kvi\"\r\n\r\n"
               + base64.encodebytes(reply).replace(b"\n", b"\r\n") + b"\r\n--XyZ--\r\n")
        eml = self.path("gateway.eml")
        with open(eml, "wb") as f:
            f.write(raw)
        status, out, _ = self.merge(eml)
        self.assertEqual(status, 0, out)
        self.assertIn("    Feedback from Zoë 20260101.kvi (mail 1): Zoë (Peer)\n", out)

    def test_more_replies_than_the_journal_has_room_for(self):
        replies = [mail((f"r{n}.kvi", self.reply(f"Person {n}"))) for n in range(33)]
        status, out, _ = self.merge(self.mbox("many.mbox", replies))
        self.assertEqual(status, 1)
        self.assertIn("Merged (32):", out)
        self.assertIn(f"Refused (1):\n    r32.kvi (mail 33): {LIMIT_MESSAGE}\n", out)
        self.assertEqual(len(self.assessors()), 32)

    def test_truncated_and_hostile_mails_leave_the_journal_alone(self):
        before = self.read_bytes(self.journal)
        whole = bytes(mail(("cut.kvi", self.reply("Cut"))))
        truncated = self.path("truncated.eml")
        with open(truncated, "wb") as f:
            f.write(whole[:len(whole) - 60])
        status, out, _ = self.merge(truncated)
        self.assertEqual(status, 1)
        self.assertIn("cut.kvi (mail 1): Sorry, cut.kvi is damaged and cannot be read", out)

        nested = self.path("nested.eml")
        with open(nested, "wb") as f:
            f.write(b"Subject: deep\r\n" + b"".join(
                b"Content-Type: multipart/mixed; boundary=\"b%d\"\r\n\r\n--b%d\r\n" % (i, i) for i in range(5000)))
        status, out, _ = self.merge(nested)
        self.assertEqual(status, 1)
        self.assertIn("Mail not read (1):\n    mail 1: too many nested parts, not read", out)

        for name, content, told in [("empty", b"", "Sorry, empty is empty."),
                                    ("noise.bin", bytes(range(256)) * 16,
                                     "No feedback (a .kvi or .kvq attachment) was found in noise.bin (1 mail).\n"
                                     "Mail not read (1):\n    mail 1: not a mail message")]:
            path = self.path(name)
            with open(path, "wb") as f:
                f.write(content)
            status, out, _ = self.merge(path)
            self.assertEqual((status, out), (1, told + "\n"))
        pipe = self.path("pipe")
        os.mkfifo(pipe)
        self.assertEqual(self.merge(pipe)[:2], (1, "Sorry, pipe is not a file.\n"))
        self.assertEqual(self.read_bytes(self.journal), before)

        # A name is only a name: nothing is written where it points.
        work = self.path("work")
        os.makedirs(work)
        sneaky = self.path("sneaky.eml")
        with open(sneaky, "wb") as f:
            f.write(bytes(mail(("../../x.kvi", self.reply("Sneaky")))))
        done = test_kvtool.subprocess.run([test_kvtool.KVTOOL, "merge", self.journal, sneaky, "--password", "pw"],
                                          cwd=work, capture_output=True, timeout=60)
        self.assertEqual(done.returncode, 0, done.stdout)
        self.assertIn(b"../../x.kvi (mail 1): Sneaky (Peer)", done.stdout)
        self.assertFalse(os.path.exists(os.path.join(os.path.dirname(self.tmp), "x.kvi")))
        self.assertFalse(os.path.exists(self.path("x.kvi")))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    test_kvtool.KVTOOL, test_kvtool.DATA = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=1)


if __name__ == "__main__":
    main()

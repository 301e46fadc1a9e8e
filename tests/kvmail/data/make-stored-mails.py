#!/usr/bin/env python3
"""Writes the stored copies of the mails the MIME tests compare against, composed here on their
own from the message layout (not by the code under test): header block, preamble, text part,
attachment part in base64 lines of 54 bytes, closing boundary. Run it from this directory."""
import base64

BOUNDARY = "ZQ_MAIL_PaRt_BoUnDaRy_05151998"
DATE = "Tue, 02 Jan 24 03:04:05 UTC"


def file_bytes(length):
    return bytes((i * 7 + 3) % 256 for i in range(length))


def wrap(text, width=76):
    ws = " \t\r\n\v\f"
    brk = col = i = 0
    while i < len(text):
        if text[i] == " ":
            brk = i
        if text[i:i + 2] == "\r\n":
            col = 0
        if col <= width:
            col += 1
        else:
            text = text[:brk].rstrip(ws) + "\r\n" + text[brk:].lstrip(ws)
            col = 0
        i += 1
    return text


def attachment(name, data):
    part = ("Content-Type: application/octet-stream; file=\"%s\"\r\n"
            "Content-Transfer-Encoding: base64\r\n"
            "Content-Disposition: attachment; filename=\"%s\"\r\n\r\n") % (name, name)
    offset = 0
    while True:
        chunk = data[offset:offset + 54]
        part += base64.b64encode(chunk).decode() + "\r\n"
        offset += len(chunk)
        if len(chunk) < 54:
            break
    return part + "\r\n"


def mail(sender, recipient, subject, text, name, data):
    header = ("From: %s\r\nTo: <%s>\r\nDate: %s\r\nSubject: %s\r\nX-Mailer: ZQ Mail\r\n"
              "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=%s\r\n\r\n") % (
                  sender, recipient, DATE, subject, BOUNDARY)
    body = "This is a multi-part message in MIME format.\r\n\r\n"
    if text:
        body += "--%s\r\n" % BOUNDARY
        body += "Content-Type: text/plain\r\nContent-Transfer-Encoding: 7Bit\r\n\r\n" + wrap(text.strip())
        body += "\r\n"
    body += "--%s\r\n" % BOUNDARY + attachment(name, data)
    body += "--%s--\r\n" % BOUNDARY
    return (header + body).encode("latin-1")


with open("mail-with-text.eml", "wb") as out:
    out.write(mail("feedback@example.org", "anna@example.com", "Web PAVEX Feedback",
                   "Here is some PAVEX feedback that someone completed for you on the web.  Drag and drop it "
                   "into PAVEX, or use PAVEX Tools->Merge, to add it to your reflectory.",
                   "Feedback from Bob 20240102030405.kvi", file_bytes(55)))
with open("mail-attachment-only.eml", "wb") as out:
    out.write(mail("", "anna@example.com", "", "", "Feedback from Ann 20240102030405.kvi", file_bytes(54)))

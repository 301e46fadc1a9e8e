#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the stored copies of the mails the MIME tests compare against, composed here on their
own from the message layout (not by the code under test): header block (a subject outside ASCII
as encoded words), preamble, text part (wrapped, then quoted-printable), attachment part in
base64 lines of 54 bytes, closing boundary. Texts are windows-1252. Run it from this directory."""
import base64

BOUNDARY = "ZQ_MAIL_PaRt_BoUnDaRy_05151998"
DATE = "Tue, 02 Jan 2024 03:04:05 +0000"


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


def quoted_printable(text):
    """RFC 2045: lines of at most 76 characters, soft breaks never inside an =XX."""
    lines = []
    for line in text.split(b"\r\n"):
        pieces = []
        for i, byte in enumerate(line):
            last = i == len(line) - 1
            if (33 <= byte <= 126 and byte != ord("=")) or (byte in b" \t" and not last):
                pieces.append(bytes([byte]))
            else:
                pieces.append(b"=%02X" % byte)
        out, length = b"", 0
        for i, piece in enumerate(pieces):
            limit = 76 if i == len(pieces) - 1 else 75
            if length + len(piece) > limit:
                out += b"=\r\n"
                length = 0
            out += piece
            length += len(piece)
        lines.append(out)
    return b"\r\n".join(lines)


def subject_field(subject):
    """RFC 2047 Q encoded words of at most 45 encoded characters, folded, when not plain ASCII."""
    raw = subject.encode("cp1252")
    if all(32 <= byte <= 126 or byte == 9 for byte in raw) and b"=?" not in raw:
        return raw
    words, word = [], b""
    for byte in raw:
        if byte == 32:
            piece = b"_"
        elif chr(byte).isascii() and (chr(byte).isalnum() or chr(byte) in "!*+-/"):
            piece = bytes([byte])
        else:
            piece = b"=%02X" % byte
        if len(word) + len(piece) > 45:
            words.append(word)
            word = b""
        word += piece
    words.append(word)
    return b"\r\n ".join(b"=?windows-1252?Q?" + word + b"?=" for word in words)


def name_parameter(attribute, name):
    """RFC 2231 first (windows-1252, percent-encoded), then an ASCII fallback in quotes."""
    raw = name.encode("cp1252")
    marks = b"!#$&+-.^_`{|}~"
    encoded = "".join(chr(b) if (chr(b).isascii() and chr(b).isalnum()) or b in marks else "%%%02X" % b
                      for b in raw)
    fallback = "".join(chr(b) if 32 <= b < 127 and chr(b) not in '"\\' else "_" for b in raw)
    return ";\r\n %s*=windows-1252''%s;\r\n %s=\"%s\"" % (attribute, encoded, attribute, fallback)


def attachment(name, data):
    part = ("Content-Type: application/octet-stream%s\r\n"
            "Content-Transfer-Encoding: base64\r\n"
            "Content-Disposition: attachment%s\r\n\r\n") % (name_parameter("file", name),
                                                             name_parameter("filename", name))
    offset = 0
    while True:
        chunk = data[offset:offset + 54]
        part += base64.b64encode(chunk).decode() + "\r\n"
        offset += len(chunk)
        if len(chunk) < 54:
            break
    return part + "\r\n"


def mail(sender, recipient, subject, text, name, data):
    header = ("From: %s\r\nTo: <%s>\r\nDate: %s\r\nSubject: " % (sender, recipient, DATE)).encode("ascii")
    header += subject_field(subject)
    header += ("\r\nX-Mailer: ZQ Mail\r\nMIME-Version: 1.0\r\n"
               "Content-Type: multipart/mixed; boundary=%s\r\n\r\n" % BOUNDARY).encode("ascii")
    body = b"This is a multi-part message in MIME format.\r\n\r\n"
    if text:
        body += b"--%s\r\n" % BOUNDARY.encode()
        body += (b"Content-Type: text/plain; charset=windows-1252\r\n"
                 b"Content-Transfer-Encoding: quoted-printable\r\n\r\n")
        body += quoted_printable(wrap(text.strip()).encode("cp1252"))
        body += b"\r\n"
    body += ("--%s\r\n" % BOUNDARY + attachment(name, data)).encode("cp1252")
    body += b"--%s--\r\n" % BOUNDARY.encode()
    return header + body


with open("mail-with-text.eml", "wb") as out:
    out.write(mail("feedback@example.org", "anna@example.com", "Web PAVEX Feedback",
                   "Here is some PAVEX feedback that someone completed for you on the web.  Drag and drop it "
                   "into PAVEX, or use PAVEX Tools->Merge, to add it to your reflectory.",
                   "Feedback from Bob 20240102030405.kvi", file_bytes(55)))
with open("mail-attachment-only.eml", "wb") as out:
    out.write(mail("", "anna@example.com", "", "", "Feedback from Ann 20240102030405.kvi", file_bytes(54)))
with open("mail-in-windows-1252.eml", "wb") as out:
    out.write(mail("feedback@example.org", "zoe@example.com",
                   "R\u00fcckmeldung f\u00fcr Zo\u00eb \u2013 5 \u20ac = ?_ \"pr\u00eat\" 100% vollst\u00e4ndig",
                   "Caf\u00e9 cr\u00e8me \u20ac5 = cheap; trailing space \r\n.x\r\n..\r\n.\r\ntab\tinside "
                   + "\u00e9" * 30 + " " + "w" * 90 + "\r\nlast line",
                   "Feedback from Zo\u00eb \"Q\" 20240102030405.kvi", file_bytes(3)))

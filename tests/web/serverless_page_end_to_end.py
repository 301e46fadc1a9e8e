#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The road without a server: a role's page made without a gateway is opened from file:// in
Debian's chromium (selenium), answered and saved as a download; the saved reply must equal, byte
for byte, the one kvmail writes for the same post at the same moment (kvmail run under faketime,
the browser's Date fixed before the page loads, the same TZ for both), once with a typed password
and once without. The saved file is then attached to a mail built with Python's email package, and
`kvtool merge` takes the .eml into a journal with exactly the answers given.

    kvmail-with-servers serverless_page_end_to_end.py KVMAIL KVTOOL [--screenshots DIR]
"""
import email
import email.policy
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse
from email.message import EmailMessage

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

import web_road

KVMAIL, KVTOOL = sys.argv[1], sys.argv[2]
SHOTS = sys.argv[sys.argv.index("--screenshots") + 1] if "--screenshots" in sys.argv else None
ENV = os.environ
MAILDIR = ENV["KVMAIL_MAILDIR"]
SMTP_PORT = ENV["KVMAIL_SMTP_PORT"]

# Both clocks: the browser's and kvmail's, in one time zone.
os.environ["TZ"] = "Europe/Berlin"
time.tzset()
MOMENT = "2026-03-14 15:09:26"
MOMENT_MS = int(time.mktime(time.strptime(MOMENT, "%Y-%m-%d %H:%M:%S"))) * 1000
FIXED_DATE = """(function () {
  var RealDate = Date, fixed = %d;
  function FixedDate() {
    if (!(this instanceof FixedDate)) { return new RealDate(fixed).toString(); }
    var args = arguments.length ? Array.prototype.slice.call(arguments) : [fixed];
    return new (Function.prototype.bind.apply(RealDate, [null].concat(args)))();
  }
  FixedDate.prototype = RealDate.prototype;
  FixedDate.now = function () { return fixed; };
  FixedDate.UTC = RealDate.UTC;
  FixedDate.parse = RealDate.parse;
  window.Date = FixedDate;
})();""" % MOMENT_MS

ROLE_NAME = "Caf\u00e9 Lead \u20ac"
STATEMENTS = ["Listens first", "Plans \u00e9t\u00e9 work", "Counts \u20ac well"]
ANSWERS = [2, 0, 3]
RELATIONSHIP = 3
RESPONDENT = "Zo\u00e9 \u20ac \u2192 Ann"
COMMENTS = ".first line \u2192 caf\u00e9\nsecond line \u20ac"
SUBJECT = "Feedback & more? cc=x@evil.example"
PERSON = "pat+360@example.org"
KEPT = lambda text: text.replace("\u2192", "?")  # what Windows-1252 cannot hold becomes "?"


def run(*arguments, check=True):
    return web_road.run_kvtool(KVTOOL, *arguments, check=check)


def make_role(folder):
    return web_road.build_role(KVTOOL, folder, ROLE_NAME, ["Work"], [(s, 0) for s in STATEMENTS])


def browser(downloads):
    driver = web_road.chromium(["--disable-background-networking"],
                               {"download.default_directory": downloads, "download.prompt_for_download": False})
    driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIXED_DATE})
    return driver


def screenshot(driver, name):
    if not SHOTS:
        return
    os.makedirs(SHOTS, exist_ok=True)
    for width in (1280, 375):
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": width, "height": 900, "deviceScaleFactor": 1, "mobile": width < 600})
        height = driver.execute_script("return document.documentElement.scrollHeight")
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})
        driver.save_screenshot(os.path.join(SHOTS, "%s-%d.png" % (name, width)))
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def click(driver, element):
    driver.execute_script("arguments[0].scrollIntoView({block: 'center'});", element)
    element.click()


def answer_in_browser(page, downloads, password, shots):
    driver = browser(downloads)
    try:
        driver.get("file://" + page)
        assert driver.execute_script("return new Date().getTime()") == MOMENT_MS
        for index, option in enumerate(ANSWERS):
            click(driver, driver.find_element(By.CSS_SELECTOR, "input[name='q%d'][value='%d']" % (index, option)))
        click(driver, driver.find_element(By.CSS_SELECTOR, "input[name='relationship'][value='%d']" % RELATIONSHIP))
        driver.find_element(By.ID, "respondent").send_keys(RESPONDENT)
        driver.find_element(By.ID, "remarks").send_keys(COMMENTS)
        driver.find_element(By.ID, "recipient").send_keys(PERSON)
        driver.find_element(By.ID, "repeat").send_keys(PERSON)
        if password:
            driver.find_element(By.ID, "secret").send_keys(password)
        assert driver.find_element(By.ID, "send").text == "Save my answers"
        if shots:
            screenshot(driver, "serverless-before-send")
        click(driver, driver.find_element(By.ID, "send"))
        WebDriverWait(driver, 10).until(lambda d: d.find_element(By.ID, "saved").is_displayed())
        deadline = time.time() + 15
        while time.time() < deadline:
            names = [n for n in os.listdir(downloads) if not n.endswith(".crdownload")]
            if names:
                break
            time.sleep(0.1)
        assert len(names) == 1, os.listdir(downloads)
        told = driver.find_element(By.ID, "saved-name").get_attribute("textContent")
        assert told == names[0], (told, names)
        for field in ("respondent", "remarks"):
            assert driver.find_element(By.ID, field + "-replaced").get_attribute("hidden") is None, field
        assert driver.find_element(By.ID, "saved-replaced").text == (
            'Characters this questionnaire cannot keep were replaced with "?" in your name and your comments.')
        link = driver.find_element(By.ID, "write-mail").get_attribute("href")
        if shots:
            screenshot(driver, "serverless-saved")
        with open(os.path.join(downloads, names[0]), "rb") as saved:
            return names[0], saved.read(), link
    finally:
        driver.quit()


def gateway_reply(password, work):
    """kvmail at the same moment, given what the page posts: its own reply file as it mailed it."""
    folder = os.path.join(work, "cgi")
    os.makedirs(folder, exist_ok=True)
    shutil.copy(KVMAIL, os.path.join(folder, "kvmail"))
    with open(os.path.join(folder, "kvmail.ini"), "w", encoding="ascii") as ini:
        ini.write("[KVMail]\nport=%s\ntimeout=20\n" % SMTP_PORT)
    fields = [("mailserver", "127.0.0.1"), ("from", "web@example.org"), ("subject", SUBJECT),
              ("message", "m"), ("role", ROLE_NAME), ("email", PERSON), ("name", KEPT(RESPONDENT)),
              ("password", password), ("relationship", str(RELATIONSHIP)),
              ("comments", KEPT(COMMENTS).replace("\n", "\r\n")), ("replies", "".join(map(str, ANSWERS)))]
    body = urllib.parse.urlencode(fields, encoding="cp1252").encode("ascii")
    new = os.path.join(MAILDIR, "new")
    before = set(os.listdir(new)) if os.path.isdir(new) else set()
    environment = dict(ENV, REQUEST_METHOD="POST", CONTENT_LENGTH=str(len(body)),
                       CONTENT_TYPE="application/x-www-form-urlencoded", TMPDIR=work,
                       FAKETIME_DONT_FAKE_MONOTONIC="1")
    # -f with a date alone stops the clock there, however long kvmail takes to read it.
    done = subprocess.run(["faketime", "-f", MOMENT, os.path.join(folder, "kvmail")], input=body, capture_output=True,
                          env=environment, timeout=60)
    assert b"Feedback successfully sent." in done.stdout, done.stdout
    deadline = time.time() + 10
    while time.time() < deadline:
        fresh = sorted(set(os.listdir(new)) - before) if os.path.isdir(new) else []
        if fresh:
            break
        time.sleep(0.05)
    with open(os.path.join(new, fresh[0]), "rb") as source:
        message = email.message_from_bytes(source.read(), policy=email.policy.compat32)
    for part in message.walk():
        if part.get_content_maintype() != "multipart" and (part.get_filename() or "").endswith(".kvi"):
            return part.get_payload(decode=True)
    raise AssertionError("no reply attached to the gateway's mail")


def merge_from_mail(role, name, saved, password, work):
    journal = os.path.join(work, "Pat.kva")
    if os.path.exists(journal):
        os.remove(journal)
    run("new", journal, "--role", role, "--person", "Pat")
    message = EmailMessage()
    message["From"] = "Zoe <zoe@example.org>"
    message["To"] = PERSON
    message["Subject"] = SUBJECT
    message.set_content("My feedback for you is attached.\n")
    message.add_attachment(saved, maintype="application", subtype="octet-stream", filename=name)
    eml = os.path.join(work, "reply.eml")
    with open(eml, "wb") as out:
        out.write(bytes(message))
    assert b" filename*" in bytes(message)  # the name as mail programs write it (RFC 2231)
    extra = ["--reply-password", password] if password else []
    merged = run("merge", journal, eml, *extra, check=False)
    assert merged.returncode == 0, (merged.stdout, merged.stderr)
    questionnaires = json.loads(run("dump", journal).stdout)["questionnaires"]
    assert [(q["assessor"], q["relationship"], q["responses"], q["details"]) for q in questionnaires] == [
        (KEPT(RESPONDENT), RELATIONSHIP, [[k, option] for k, option in enumerate(ANSWERS)],
         KEPT(COMMENTS).replace("\n", "\r\n"))], questionnaires
    results = json.loads(run("results", journal).stdout)
    ranking = [page for page in results["pages"] if page["kind"] == "ranking"][0]
    assert ranking["questionnaires_per_group"] == [0, 0, 0, 1, 0, 0], ranking


def test_the_saved_reply_is_the_gateways_and_merges_from_mail(password, shots=False):
    with tempfile.TemporaryDirectory() as work:
        role = make_role(work)
        page = os.path.join(work, "page.html")
        run("webpage", role, "-o", page, "--no-gateway", "--subject", SUBJECT)
        with open(page, "rb") as source:
            html = source.read()
        assert b"form-action 'none'" in html or b"form-action &#39;none&#39;" in html, "no policy"
        downloads = os.path.join(work, "downloads")
        os.makedirs(downloads)
        name, saved, link = answer_in_browser(page, downloads, password, shots)
        assert name == "Feedback from Zo\u00e9 \u20ac  Ann 20260314150926.kvi", name
        assert link == ("mailto:pat%2B360@example.org?subject=Feedback%20%26%20more%3F%20cc%3Dx%40evil.example"
                        "&body=My%20feedback%20for%20you%20is%20in%20the%20attached%20file%20%22"
                        + urllib.parse.quote(name) + "%22.%0D%0A"), link
        expected = gateway_reply(password, work)
        assert saved == expected, "the saved reply differs from the gateway's:\n%r\n%r" % (saved, expected)
        merge_from_mail(role, name, saved, password, work)


def test_a_page_made_for_one_person_keeps_their_address_and_asks_no_password():
    with tempfile.TemporaryDirectory() as work:
        role = make_role(work)
        page = os.path.join(work, "page.html")
        run("webpage", role, "-o", page, "--no-gateway", "--email", PERSON)
        driver = browser(work)
        try:
            driver.get("file://" + page + "#email=mallory@example.org")
            recipient = driver.find_element(By.ID, "recipient")
            assert recipient.get_attribute("value") == PERSON, recipient.get_attribute("value")
            assert recipient.get_attribute("readOnly") == "true"
            for hidden in ("repeat-field", "password-field"):
                assert not driver.find_element(By.ID, hidden).is_displayed(), hidden
        finally:
            driver.quit()


def main():
    tests = [("a page for one person", test_a_page_made_for_one_person_keeps_their_address_and_asks_no_password),
             ("with a typed password", lambda: test_the_saved_reply_is_the_gateways_and_merges_from_mail(
                 "s3cr\u20act \u00e9", shots=True)),
             ("without a password", lambda: test_the_saved_reply_is_the_gateways_and_merges_from_mail(""))]
    return 1 if web_road.run_tests(tests) else 0


if __name__ == "__main__":
    sys.exit(main())

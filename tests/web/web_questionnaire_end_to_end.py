#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The whole web road: a role full of quotes and markup becomes a page (`kvtool webpage` with the
shipped template), lighttpd serves the page and runs kvmail as CGI, Debian's chromium answers the
page headless (through chromedriver and selenium), aiosmtpd receives the mail, and the reply file
it carries merges into a journal of the same role with exactly the answers given.

    kvmail-with-servers web_questionnaire_end_to_end.py KVMAIL KVTOOL [TEMPLATE] [--screenshots DIR]

With --screenshots the page is photographed at 1280 and 375 pixels wide: before answering, half
answered with the missing-answers message, and after the post.
"""
import email
import email.policy
import json
import os
import shutil
import sys
import tempfile
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import web_road

KVMAIL, KVTOOL = sys.argv[1], sys.argv[2]
# Without a template named, kvtool finds the one the build put beside it.
TEMPLATE = sys.argv[3] if len(sys.argv) > 3 and not sys.argv[3].startswith("--") else None
SHOTS = sys.argv[sys.argv.index("--screenshots") + 1] if "--screenshots" in sys.argv else None
ENV = os.environ
WORK = ENV["KVMAIL_WORK"]
HTDOCS = os.path.join(WORK, "htdocs")
MAILDIR = ENV["KVMAIL_MAILDIR"]
SITE = "http://127.0.0.1:%s/" % ENV["KVMAIL_HTTP_PORT"]
SUCCESS = "<p>Feedback successfully sent.  Thank you.</p>"

ROLE_NAME = 'Tom & "Jerry\'s" <Sales> caf\u00e9 \u20ac'
COMPETENCIES = ['Say "hello"', "Back\\slash &amp; co"]
STATEMENTS = [
    'Writes "clear" notes',
    "Ends scripts with </script><script>alert(1)</script>",
    "Uses C:\\path\\names and &amp; entities",
    "Caf\u00e9 owner who counts \u20ac well",
    "Plain behaviour",
    "Keeps <b>markup</b> & 'quotes'",
]
COMPETENCY_OF = [0, 0, 1, 1, 0, 1]
ANSWERS = [3, 0, 2, 1, 3, 2]
RELATIONSHIP = 3  # Peer
RESPONDENT = "Zo\u00eb \"Q\" <Quinn>"
COMMENTS = "Great work & <thanks>.\nKeep \"it\" up: caf\u00e9 \u20ac5"
# Typed as well: an arrow has no place in Windows-1252, so the page sends "?" and says so.
ARROW = " \u2192 next"
PASSWORD = "tulip"
PERSON = "pat@example.org"


def run(*arguments, check=True):
    return web_road.run_kvtool(KVTOOL, *arguments, check=check)


def make_role(folder):
    return web_road.build_role(KVTOOL, folder, ROLE_NAME, COMPETENCIES, list(zip(STATEMENTS, COMPETENCY_OF)))


def install_gateway():
    folder = os.path.join(ENV["KVMAIL_CGI_ROOT"], "web")
    os.makedirs(folder, exist_ok=True)
    shutil.copy(KVMAIL, os.path.join(folder, "kvmail"))
    with open(os.path.join(folder, "kvmail.ini"), "w", encoding="ascii") as ini:
        ini.write("[KVMail]\nport=%s\ntimeout=20\n" % ENV["KVMAIL_SMTP_PORT"])
    return "/cgi-bin/web/kvmail"


def browser():
    return web_road.chromium()


def set_width(driver, width):
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": 900, "deviceScaleFactor": 1, "mobile": width < 600})


def screenshot(driver, name, width):
    if not SHOTS:
        return
    os.makedirs(SHOTS, exist_ok=True)
    height = driver.execute_script("return document.documentElement.scrollHeight")
    scrolled = driver.execute_script("return window.scrollY")
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": min(height, 12000), "deviceScaleFactor": 1,
                            "mobile": width < 600})
    driver.save_screenshot(os.path.join(SHOTS, "%s-%d.png" % (name, width)))
    set_width(driver, width)
    driver.execute_script("window.scrollTo(0, arguments[0])", scrolled)


def mails():
    new = os.path.join(MAILDIR, "new")
    return set(os.listdir(new)) if os.path.isdir(new) else set()


def wait_for_mail(before):
    deadline = time.time() + 20
    while time.time() < deadline:
        fresh = mails() - before
        if fresh:
            assert len(fresh) == 1, fresh
            return os.path.join(MAILDIR, "new", fresh.pop())
        time.sleep(0.05)
    raise AssertionError("no mail arrived")


def choose(driver, name, value):
    radio = driver.find_element(By.CSS_SELECTOR, "input[name='%s'][value='%d']" % (name, value))
    driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", radio)
    radio.click()
    assert radio.is_selected(), (name, value)


def type_into(driver, element_id, text):
    field = driver.find_element(By.ID, element_id)
    driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", field)
    field.clear()
    field.send_keys(text)


def visible_problems(driver):
    return [element.get_attribute("id") for element in driver.find_elements(By.CSS_SELECTOR, ".problem")
            if element.is_displayed()]


def summary_items(driver):
    return [item.text for item in driver.find_elements(By.CSS_SELECTOR, "#summary-list li")]


def press_send(driver):
    button = driver.find_element(By.ID, "send")
    driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", button)
    button.click()


# ---- the tests ----

def test_page_shows_every_question_unchanged_and_holds_back_an_incomplete_post(driver, page_url, width):
    set_width(driver, width)
    driver.get(page_url)
    legends = [element.text for element in driver.find_elements(By.CSS_SELECTOR, "#questions legend")]
    expected = ["Question %d of %d\n%s - %s" % (index + 1, len(STATEMENTS), COMPETENCIES[competency], statement)
                for index, (statement, competency) in enumerate(zip(STATEMENTS, COMPETENCY_OF))]
    assert legends == expected, legends
    assert driver.find_element(By.TAG_NAME, "h1").text == "Feedback questionnaire: " + ROLE_NAME
    assert driver.execute_script("return document.querySelector(\"input[name='role']\").value") == ROLE_NAME
    assert not driver.execute_script("return typeof alert_was_called !== 'undefined'")
    labels = [element.text for element in driver.find_elements(By.CSS_SELECTOR, "#question-0 label")]
    assert labels == ["Not needed", "Priority for action", "Not always consistent", "Clear strength"], labels
    # No control may be left without a label, and no content may be wider than the screen.
    unlabelled = driver.execute_script(
        "return Array.from(document.querySelectorAll('input:not([type=hidden]), textarea'))"
        ".filter(e => !e.labels || e.labels.length === 0).map(e => e.outerHTML)")
    assert not unlabelled, unlabelled
    overflow = driver.execute_script("return document.documentElement.scrollWidth - window.innerWidth")
    assert overflow <= 0, "page wider than %d px by %d px" % (width, overflow)
    screenshot(driver, "before", width)

    for index in range(3):
        choose(driver, "q%d" % index, ANSWERS[index])
    assert driver.find_element(By.ID, "progress-text").text == "3 of %d answered" % len(STATEMENTS)
    type_into(driver, "recipient", PERSON)
    type_into(driver, "repeat", "pat@example.com")
    before = mails()
    press_send(driver)
    time.sleep(0.5)
    assert driver.current_url == page_url, driver.current_url
    assert mails() == before, "an incomplete questionnaire was posted"
    summary = driver.find_element(By.ID, "summary")
    assert summary.is_displayed()
    assert driver.switch_to.active_element == summary
    items = summary_items(driver)
    assert items == (["Question %d: %s - %s" % (index + 1, COMPETENCIES[COMPETENCY_OF[index]], STATEMENTS[index])
                      for index in range(3, len(STATEMENTS))]
                     + ["Your relationship to the person", "The two e-mail addresses differ."]), items
    assert driver.find_element(By.ID, "summary-title").text == "Your feedback has not been sent yet"
    assert visible_problems(driver) == ["problem-3", "problem-4", "problem-5", "relationship-problem",
                                        "repeat-problem"], \
        visible_problems(driver)
    driver.execute_script("window.scrollTo(0, 0)")
    screenshot(driver, "missing", width)


def test_answered_page_posts_and_the_reply_merges_with_those_answers(driver, page_url, folder, role_path):
    set_width(driver, 1280)
    driver.get(page_url)
    for index, answer in enumerate(ANSWERS):
        choose(driver, "q%d" % index, answer)
    choose(driver, "relationship", RELATIONSHIP)
    type_into(driver, "respondent", RESPONDENT)
    type_into(driver, "remarks", COMMENTS)
    assert not driver.find_element(By.ID, "remarks-replaced").is_displayed()
    driver.find_element(By.ID, "remarks").send_keys(ARROW)
    note = driver.find_element(By.ID, "remarks-replaced")
    assert note.is_displayed() and note.text == 'This page cannot send \u2192: it will arrive as "?".', note.text
    assert not driver.find_element(By.ID, "respondent-replaced").is_displayed()
    type_into(driver, "recipient", PERSON)
    type_into(driver, "repeat", PERSON)
    type_into(driver, "secret", PASSWORD)
    before = mails()
    press_send(driver)
    WebDriverWait(driver, 30).until(lambda d: SUCCESS in d.page_source)
    assert driver.current_url.endswith("/cgi-bin/web/kvmail"), driver.current_url
    path = wait_for_mail(before)

    with open(path, "rb") as source:
        message = email.message_from_bytes(source.read(), policy=email.policy.compat32)
    assert message["To"] == "<%s>" % PERSON, message["To"]
    assert message["From"] == "web@example.org", message["From"]
    assert message["Subject"] == "Web feedback for you", message["Subject"]
    attachment = message.get_payload()[-1]
    reply_path = os.path.join(folder, "reply.kvi")
    with open(reply_path, "wb") as out:
        out.write(attachment.get_payload(decode=True))
    reply = json.loads(run("dump", reply_path).stdout)
    assert reply["role_name"] == ROLE_NAME, reply["role_name"]
    assert reply["responses"] == "".join(str(answer) for answer in ANSWERS), reply
    assert reply["relationship"] == str(RELATIONSHIP), reply
    assert reply["assessor"] == RESPONDENT, reply
    assert reply["details"] == (COMMENTS + ARROW.replace("\u2192", "?")).replace("\n", "\r\n"), reply
    assert reply["password"] == PASSWORD, reply

    journal = os.path.join(folder, "journal.kva")
    run("new", journal, "--role", role_path, "--person", "Pat Example", "--password", PASSWORD)
    merged = run("merge", journal, reply_path, "--password", PASSWORD, "--reply-password", PASSWORD, "--yes",
                 check=False)
    assert merged.returncode == 0, merged.stderr.decode(errors="replace")
    results = json.loads(run("results", journal, "--password", PASSWORD).stdout)
    if SHOTS:
        with open(os.path.join(SHOTS, "results.json"), "w", encoding="utf-8") as out:
            json.dump(results, out, ensure_ascii=False, indent=1)
    check_results(results)


def find_pages(results, kind):
    return [page for page in results["pages"] if page["kind"] == kind]


def check_results(results):
    """Exactly the answers given, under the relationship chosen, with the respondent's texts."""
    frequencies = find_pages(results, "frequencies")
    assert {page["behaviour"] for page in frequencies} == set(range(len(STATEMENTS))), frequencies
    for page in frequencies:
        index = page["behaviour"]
        expected = [[1 if (option == ANSWERS[index] and group == RELATIONSHIP) else 0 for group in range(6)]
                    for option in range(len(page["counts"]))]
        assert page["counts"] == expected, (index, page["counts"])
    rankings = find_pages(results, "ranking")
    assert rankings[0]["questionnaires_per_group"] == [0, 0, 0, 1, 0, 0], rankings[0]
    table = next(page for page in results["pages"] if page["path"] == "Feedback")
    assert [row[:2] for row in table["rows"]] == [[RESPONDENT, "Peer"]], table["rows"]
    detail = dict(next(page for page in find_pages(results, "detail") if page["path"] == "Feedback/" + RESPONDENT)
                  ["rows"])
    assert detail["Details:"] == (COMMENTS + ARROW.replace("\u2192", "?")).replace("\n", "\r\n"), detail
    assert detail["Assessor:"] == RESPONDENT and detail["Reporting Relationship:"] == "Peer", detail


def test_characters_outside_windows_1252_become_question_marks_and_are_told(driver, page_url):
    set_width(driver, 1280)
    driver.get(page_url)
    replaced = driver.execute_script(
        "return [replaceOutsideWindows1252(arguments[0]), replaceOutsideWindows1252('')]",
        "a\u2192b\U0001F600c \u20ac\u0178\u0081\u00ff\u0100 ok?")
    assert replaced == ["a?b?c \u20ac\u0178\u0081\u00ff? ok?", ""], replaced
    type_into(driver, "respondent", "Zo\u00eb \u0141uk")
    note = driver.find_element(By.ID, "respondent-replaced")
    assert note.is_displayed() and note.text == 'This page cannot send \u0141: it will arrive as "?".', note.text
    driver.find_element(By.ID, "respondent").send_keys("\u2192")
    assert note.text == 'This page cannot send \u0141 \u2192: they will arrive as "?".', note.text
    type_into(driver, "respondent", "Zo\u00eb")
    assert not note.is_displayed()


def test_page_fits_narrow_screens_and_answers_by_keyboard_alone(driver, page_url):
    # 320 px is the narrowest phone; 640 px is a 1280 px window at 200% zoom.
    for width in (320, 640):
        set_width(driver, width)
        driver.get(page_url)
        overflow = driver.execute_script("return document.documentElement.scrollWidth - window.innerWidth")
        assert overflow <= 0, "page wider than %d px by %d px" % (width, overflow)
    set_width(driver, 1280)
    driver.get(page_url)
    for _ in range(40):
        ActionChains(driver).send_keys(Keys.TAB).perform()
        if driver.switch_to.active_element.get_attribute("name") == "q0":
            break
    focused = driver.switch_to.active_element
    assert focused.get_attribute("name") == "q0", focused.get_attribute("outerHTML")
    outline = driver.execute_script("return getComputedStyle(arguments[0].closest('label')).outlineStyle", focused)
    assert outline == "solid", "no visible focus: %s" % outline
    ActionChains(driver).send_keys(Keys.SPACE).perform()
    ActionChains(driver).send_keys(Keys.ARROW_RIGHT).perform()
    checked = driver.find_element(By.CSS_SELECTOR, "input[name='q0']:checked").get_attribute("value")
    assert checked == "1", checked
    assert driver.find_element(By.ID, "progress-text").text == "1 of %d answered" % len(STATEMENTS)


def test_link_with_an_address_fills_it_read_only_and_skips_the_repeat(driver, page_url):
    set_width(driver, 375)
    driver.get("about:blank")  # a fresh load, as when the link is opened
    driver.get(page_url + "#email=" + PERSON.replace("@", "%40"))
    recipient = driver.find_element(By.ID, "recipient")
    assert recipient.get_attribute("value") == PERSON
    assert recipient.get_attribute("readonly") is not None
    assert not driver.find_element(By.ID, "repeat").is_displayed()
    for index, answer in enumerate(ANSWERS):
        choose(driver, "q%d" % index, answer)
    choose(driver, "relationship", 0)
    before = mails()
    press_send(driver)
    WebDriverWait(driver, 30).until(lambda d: SUCCESS in d.page_source)
    # The gateway's page is drawn at the phone's width, not at a desktop's.
    assert driver.execute_script("return window.innerWidth") == 375
    assert driver.execute_script("return document.documentElement.scrollWidth") <= 375
    assert driver.execute_script("return document.querySelector('meta[name=viewport]').content") == \
        "width=device-width, initial-scale=1"
    screenshot(driver, "sent", 375)
    path = wait_for_mail(before)
    with open(path, "rb") as source:
        message = email.message_from_bytes(source.read(), policy=email.policy.compat32)
    assert message["To"] == "<%s>" % PERSON, message["To"]


def main():
    folder = tempfile.mkdtemp(prefix="web-e2e-")
    failed = 0
    driver = None
    try:
        role_path = make_role(folder)
        cgi = install_gateway()
        page = os.path.join(HTDOCS, "feedback.html")
        run("webpage", role_path, "-o", page, "--cgi", cgi, "--mailserver", "127.0.0.1", "--from", "web@example.org",
            "--subject", "Web feedback for you", *(["--template", TEMPLATE] if TEMPLATE else []))
        page_url = SITE + "feedback.html"
        driver = browser()
        tests = [
            ("incomplete post held back at 1280 px",
             lambda: test_page_shows_every_question_unchanged_and_holds_back_an_incomplete_post(driver, page_url, 1280)),
            ("incomplete post held back at 375 px",
             lambda: test_page_shows_every_question_unchanged_and_holds_back_an_incomplete_post(driver, page_url, 375)),
            ("answered page posts and merges",
             lambda: test_answered_page_posts_and_the_reply_merges_with_those_answers(
                 driver, page_url, folder, role_path)),
            ("characters outside windows-1252", lambda: test_characters_outside_windows_1252_become_question_marks_and_are_told(
                driver, page_url)),
            ("narrow screens and keyboard", lambda: test_page_fits_narrow_screens_and_answers_by_keyboard_alone(
                driver, page_url)),
            ("address from the link", lambda: test_link_with_an_address_fills_it_read_only_and_skips_the_repeat(
                driver, page_url)),
        ]
        failed += web_road.run_tests(tests)
        if SHOTS:
            set_width(driver, 1280)
            driver.get(SITE + "feedback.html")
            for index, answer in enumerate(ANSWERS):
                choose(driver, "q%d" % index, answer)
            choose(driver, "relationship", 1)
            type_into(driver, "recipient", PERSON)
            type_into(driver, "repeat", PERSON)
            press_send(driver)
            WebDriverWait(driver, 30).until(lambda d: SUCCESS in d.page_source)
            screenshot(driver, "sent", 1280)
    finally:
        if driver is not None:
            driver.quit()
        shutil.rmtree(folder, ignore_errors=True)
    print("%d failed" % failed)
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())

# SPDX-License-Identifier: GPL-3.0-or-later
"""What the web road's end-to-end scripts share: kvtool run as a script runs it, a role of their own,
Debian's chromium headless, and the loop that runs their named tests."""

import json
import os
import subprocess
import traceback

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def run_kvtool(kvtool, *arguments, check=True):
    result = subprocess.run([kvtool, *arguments], capture_output=True)
    if check and result.returncode != 0:
        raise AssertionError("kvtool %s: %s" % (arguments[0], result.stderr.decode(errors="replace")))
    return result


def build_role(kvtool, folder, name, competencies, behaviours):
    """A role of the default scale; behaviours are (statement, competency index) pairs."""
    role = {
        "kind": "role", "format": 1, "name": name, "description": "",
        "relationship_labels": ["Self", "Manager", "Direct Report", "Peer", "Customer", "Other"],
        "behaviour_term": "Behaviour", "competency_term": "Competency",
        "framework": {
            "version": 3, "descriptions": 1, "description": "",
            "competencies": [{"name": competency, "description": ""} for competency in competencies],
            "scales": [{"options": [{"label": "Not needed", "value": -1},
                                    {"label": "Priority for action", "value": 0},
                                    {"label": "Not always consistent", "value": 1},
                                    {"label": "Clear strength", "value": 2}], "maximum": 2}],
            "behaviours": [{"statement": statement, "competency": competency, "scale": 0, "reserved": "",
                            "marked": 0, "description": ""} for statement, competency in behaviours],
        },
    }
    source = os.path.join(folder, "role.json")
    with open(source, "w", encoding="utf-8") as out:
        json.dump(role, out)
    path = os.path.join(folder, "role.kvr")
    run_kvtool(kvtool, "build", source, path)
    return path


def chromium(extra_arguments=(), prefs=None):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1280,900", "--hide-scrollbars", "--no-first-run", "--disable-extensions",
                     *extra_arguments):
        options.add_argument(argument)
    if prefs:
        options.add_experimental_option("prefs", prefs)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_page_load_timeout(30)
    return driver


def run_tests(tests):
    """Runs each (name, test) pair, telling "ok" or "FAILED" with the traceback; the number that failed."""
    failed = 0
    for name, test in tests:
        try:
            test()
            print("ok", name)
        except Exception:
            failed += 1
            print("FAILED", name)
            traceback.print_exc()
    return failed

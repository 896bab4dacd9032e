"""Opens the page from disk in headless Chromium, or in WebKitGTK (Safari's
engine) when QUENVALE_BROWSER=webkitgtk and a display is there, and drives it
as a user does: through the keyboard and the mouse, finding controls by their
object names and reading what a screen reader would announce."""

import atexit
import base64
import hashlib
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.support.ui import WebDriverWait

CHROMEDRIVER = "/usr/bin/chromedriver"
WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
PHONE = (390, 844)
PHONE_AGENT = "Mozilla/5.0 (iPhone; CPU iPhone OS 17_0 like Mac OS X) Mobile"
TABLET_AGENT = ("Mozilla/5.0 (iPad; CPU OS 17_0 like Mac OS X) AppleWebKit/605.1.15 "
                "(KHTML, like Gecko) Version/17.0 Mobile/15E148 Safari/604.1")
REFERENCE, FSB = 0, 1
PCI, AGP = "Option1", "Option2"


def engine():
    return os.environ.get("QUENVALE_BROWSER", "chromium")


# The locale WebKitGTK takes its languages from, by the page's language code.
WEBKIT_LOCALES = {"ja": "ja_JP.UTF-8", "en": "en_US.UTF-8"}
_locale_folder = None


def webkit_locales(language):
    """A folder holding the locale for LOCPATH: WebKit asks the C library
    for the user's language, and a build machine may have no locale but C."""
    global _locale_folder
    if _locale_folder is None:
        _locale_folder = tempfile.mkdtemp(prefix="quenvale-locales-")
        atexit.register(shutil.rmtree, _locale_folder, True)
    name = WEBKIT_LOCALES[language]
    path = os.path.join(_locale_folder, name)
    if not os.path.isdir(path):
        subprocess.run(["localedef", "-i", name.split(".")[0], "-f", "UTF-8", path],
                       check=True, stdout=subprocess.DEVNULL)
    return _locale_folder


# Every CSP violation of the document, kept from before its first script
# (Chromium runs this ahead of each new document); the harness fails the
# test on any (check_policy).
RECORD_VIOLATIONS = """
window.quenvaleViolations = [];
document.addEventListener('securitypolicyviolation', (event) => {
    window.quenvaleViolations.push(`${event.effectiveDirective} ${event.blockedURI} ${event.sample}`);
}, true);
"""
# WebKit's driver cannot run a script ahead of the page: the reports the
# document kept from its loading, and the events from then on.
COLLECT_VIOLATIONS = """
if (!window.quenvaleViolations) {
    window.quenvaleViolations = [];
    document.addEventListener('securitypolicyviolation', (event) => {
        window.quenvaleViolations.push(`${event.effectiveDirective} ${event.blockedURI} ${event.sample}`);
    }, true);
    if (window.ReportingObserver) {
        const observer = new ReportingObserver((reports) => {
            for (const { body } of reports) {
                window.quenvaleViolations.push(
                    `${body.effectiveDirective} ${body.blockedURL} ${body.sample}`);
            }
        }, { types: ['csp-violation'], buffered: true });
        observer.observe();
        window.quenvaleReports = observer;
    }
}
window.quenvaleReports?.takeRecords().forEach(({ body }) => window.quenvaleViolations.push(
    `${body.effectiveDirective} ${body.blockedURL} ${body.sample}`));
return window.quenvaleViolations;
"""


def check_policy(driver):
    """Fails on any CSP violation in the document the driver shows."""
    try:
        violations = driver.execute_script(COLLECT_VIOLATIONS)
    except Exception:  # a document that is gone or runs no script
        return
    if violations:
        raise AssertionError(f"Content Security Policy violated: {violations}")


def watch_policy(driver):
    """Has every document the driver leaves or closes checked for CSP
    violations, so that every test of the page runs under its policy."""
    if engine() != "webkitgtk":
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                               {"source": RECORD_VIOLATIONS})
    plain_get, plain_quit = driver.get, driver.quit

    def get(url):
        check_policy(driver)
        plain_get(url)
        if engine() == "webkitgtk":
            check_policy(driver)

    def quit():
        try:
            check_policy(driver)
        finally:
            plain_quit()

    driver.get, driver.quit = get, quit
    return driver


def allow_script(html, script):
    """The page with `script` run first, its hash added to the page's
    policy as the build adds its own scripts'."""
    digest = base64.b64encode(hashlib.sha256(script.encode("utf-8")).digest()).decode("ascii")
    policy = re.compile(r'(<meta http-equiv="Content-Security-Policy" content="[^"]*script-src )')
    html, count = policy.subn(lambda m: f"{m.group(1)}'sha256-{digest}' ", html, count=1)
    assert count == 1, "the page has no script-src policy"
    return re.sub(r'(<meta http-equiv="Content-Security-Policy"[^>]*>)',
                  lambda m: f"{m.group(1)}\n<script>{script}</script>", html, count=1)


def start_browser(width=480, height=560, phone=False, minimum_font=0, language="ja",
                  script=True, touch=None, app=None):
    """A browser at the desktop size, or a phone 390 px wide with a touch
    screen, or with touch=(width, height) a touch screen of that size (a
    tablet's from 700 px on a side, a phone's below); minimum_font sets the
    browser's minimum font size in px, and language the language the
    browser asks pages for ("ja" or "en"): the page follows it unless its
    link names one; script=False turns JavaScript off, and app=ADDRESS opens
    that address in an app's window, as an installed web app is (Chromium
    only)."""
    if engine() == "webkitgtk":
        # MiniBrowser takes its languages from the locale it inherits.
        os.environ["LOCPATH"] = webkit_locales(language)
        os.environ["LC_ALL"] = WEBKIT_LOCALES[language]
        from selenium.webdriver.webkitgtk.options import Options as WebKitOptions
        options = WebKitOptions()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        driver = webdriver.WebKitGTK(executable_path=WEBKIT_DRIVER, options=options)
        driver.set_window_size(width, height)
        return watch_policy(driver)
    options = Options()
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                     "--disable-gpu", "--force-device-scale-factor=1", f"--lang={language}"):
        options.add_argument(argument)
    prefs = {"intl.accept_languages": language}
    if phone or touch:
        screen = touch or PHONE
        tablet = max(screen) >= 700
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": screen[0], "height": screen[1],
                              "pixelRatio": 2 if tablet else 3, "touch": True},
            "userAgent": TABLET_AGENT if tablet else PHONE_AGENT})
    else:
        options.add_argument(f"--window-size={width},{height}")
    if app:
        options.add_argument(f"--app={app}")
    if minimum_font:
        prefs["webkit.webprefs.minimum_font_size"] = minimum_font
    if not script:
        prefs["profile.managed_default_content_settings.javascript"] = 2
    options.add_experimental_option("prefs", prefs)
    return watch_policy(webdriver.Chrome(service=Service(CHROMEDRIVER), options=options))


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Server:
    """A folder served on 127.0.0.1 as scripts/run serves the site."""

    def __init__(self, folder):
        self.port = free_port()
        self.address = f"http://127.0.0.1:{self.port}/"
        self.process = subprocess.Popen(
            [sys.executable, "-m", "http.server", str(self.port), "--bind", "127.0.0.1",
             "--directory", folder], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            with socket.socket() as client:
                if client.connect_ex(("127.0.0.1", self.port)) == 0:
                    return
            if self.process.poll() is not None:
                break
            time.sleep(0.1)
        self.stop()
        raise RuntimeError(f"http.server did not start on port {self.port}")

    def stop(self):
        self.process.kill()
        self.process.wait()


class Page:
    def __init__(self, driver, path):
        self.driver = driver
        self.path = path

    def open(self, fragment=""):
        # A new document, even where only the fragment differs.
        self.driver.get("about:blank")
        self.driver.get("file://" + self.path + fragment)
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script("return document.documentElement.dataset.ready"))
        check_policy(self.driver)
        return self

    def control(self, name):
        """The control's element: its id is its object name, e.g. Combo1(0)."""
        return self.driver.find_element(By.ID, name)

    def box(self, index):
        return self.control(f"Combo1({index})")

    def option(self, group, index):
        return self.control(f"{group}({index})")

    def results(self):
        return [self.control(f"Text1({i})").get_attribute("value") for i in range(3)]

    def texts(self):
        return [self.box(i).get_attribute("value") for i in range(2)]

    def pci_state(self):
        """The PCI options as enabled/selected flags, e.g. "-- ++ +-" for 1/3."""
        return " ".join(("+" if o.is_enabled() else "-") + ("+" if o.is_selected() else "-")
                        for o in (self.option(PCI, i) for i in range(3)))

    def selected(self, group):
        chosen = [i for i in range(3) if self.option(group, i).is_selected()]
        return chosen[0] if chosen else None

    def calculate_button(self):
        return self.control("Command1")

    def download(self, link):
        """The text a download link saves."""
        self.control(link).click()
        return self.driver.execute_async_script(
            "const done = arguments[1];"
            "fetch(document.getElementById(arguments[0]).href)"
            ".then((r) => r.text()).then(done);", link)

    def focused_id(self):
        return self.driver.switch_to.active_element.get_attribute("id")

    def focus_settles_on(self, expected, seconds=5):
        """Where the focus is once it reaches `expected`, or after the time
        given: the dialog's close hands it back in a task of its own."""
        try:
            WebDriverWait(self.driver, seconds).until(lambda d: self.focused_id() == expected)
        except TimeoutException:
            pass
        return self.focused_id()

    def type_into(self, index, text):
        """Replaces the box's text as typed keys do, one edit at a time."""
        box = self.box(index)
        box.click()
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(Keys.BACKSPACE)
        if text:  # WebKit's driver refuses to type nothing
            box.send_keys(text)

    def pick_with_mouse(self, index, item):
        self.driver.find_element(
            By.CSS_SELECTOR, f'[data-name="Combo1({index})"] .drop').click()
        listbox = self.driver.find_element(By.ID, self.box(index).get_attribute("aria-controls"))
        for option in listbox.find_elements(By.CSS_SELECTOR, '[role="option"]'):
            if option.text == item:
                option.click()
                return
        raise AssertionError(f"no item {item!r} in list {index}")

    def fragment(self):
        return self.driver.execute_script("return location.hash")

    def notice(self):
        """The one-line notice under the window, or None when hidden."""
        return self.driver.execute_script(
            "const n = document.getElementById('notice');"
            "return n.hidden ? null : document.getElementById('notice-text').textContent")

    def dialog_open(self):
        return self.driver.execute_script(
            "return document.getElementById('failure').open")

    def dialog_message(self):
        return self.driver.execute_script(
            "return document.getElementById('failure-message').textContent")

    def selection_of_focused(self):
        return self.driver.execute_script(
            "const e = document.activeElement;"
            "return e.value.substring(e.selectionStart, e.selectionEnd);")


class PageTestCase(unittest.TestCase):
    """One browser for the class; the page opened afresh for every test."""

    page_path = None

    @classmethod
    def setUpClass(cls):
        cls.driver = start_browser()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        self.page = Page(self.driver, self.page_path).open()

    def tearDown(self):
        check_policy(self.driver)


def main():
    if len(sys.argv) < 2 or not os.path.isfile(sys.argv[1]):
        print("usage: TEST.py PAGE.html [unittest arguments]", file=sys.stderr)
        sys.exit(2)
    PageTestCase.page_path = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)

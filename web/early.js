// The early script, run as soon as the window and its footer are read: the
// page in the browser's language, the window keeping what the user does
// from its first frame, and sized before it; the footer, read before it, is
// in that frame too.
// What the app script takes over from it is the one global the page's
// scripts share: the two run apart, this one before the first frame, the
// other once the program is compiled.

// The build wrote the page in Japanese, and beside it what differs in the
// language of a browser that does not ask for Japanese (window_markup.js),
// told by the program's rule. A link that names a language is the app
// script's to follow, as it follows the rest of the link. Returns what
// puts the companion in that language once the parser has read it; until
// then it does not show, so that it never shows in the other.
function pageInBrowserLanguage() {
    const root = document.documentElement;
    const texts = JSON.parse(document.getElementById('page-languages').textContent);
    const asked = navigator.languages?.[0] ?? navigator.language ?? '';
    if (asked.startsWith(texts.japanesePrefix)) {
        return () => {};
    }
    const translate = (selector) => {
        const region = document.querySelector(selector);
        const elements = [region, ...region.getElementsByTagName('*')];
        const changes = texts.regions[selector];
        for (const [index, name, given] of changes) {
            const element = elements[index];
            // A value met before: the number of the change that had it.
            const value = typeof given === 'number' ? changes[given][2] : given;
            if (typeof name === 'string') {
                if (value === null) {
                    element.removeAttribute(name);
                } else {
                    element.setAttribute(name, value);
                }
                continue;
            }
            // The text before the element's child element number `name`,
            // or after its last.
            const next = element.children[name] ?? null;
            const text = next ? next.previousSibling : element.lastChild;
            if (text?.nodeType === Node.TEXT_NODE) {
                text.remove();
            }
            if (value !== '') {
                element.insertBefore(document.createTextNode(value), next);
            }
        }
    };
    root.lang = texts.code;
    document.title = texts.title;
    document.querySelector('meta[name="description"]').content = texts.description;
    translate('#Form1');
    translate('footer');
    root.classList.add('translating');
    return () => {
        translate('#companion');
        document.getElementById('failure-title').textContent = texts.failureTitle;
        document.getElementById('failure-ok').textContent = texts.ok;
        root.classList.remove('translating');
    };
}

const readCompanion = pageInBrowserLanguage();
const earlyForm = document.getElementById('Form1');
window.quenvaleEarly = { replay: holdGestures(earlyForm), fit: fitWindow(earlyForm),
    readCompanion };
// Sized: the page's style sheet shows the window from here.
document.documentElement.classList.add('sized');

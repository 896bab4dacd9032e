// The early script, run as soon as the window and its footer are read: the
// page in the browser's language and its scheme, the window keeping what
// the user does from its first frame, and sized before it; the footer, read
// before it, is in that frame too.
// What the app script takes over from it is the one global the page's
// scripts share: the two run apart, this one before the first frame, the
// other once the program is compiled.

// The build wrote the page in Japanese and the light scheme, and beside it
// what differs in the language of a browser that does not ask for
// Japanese, told by the program's rule, and in the chart in a dark scheme
// (window_markup.js). A link that names a language is the app script's to
// follow, as it follows the rest of the link.
const readVariants = (id) => JSON.parse(document.getElementById(id).textContent);

// The window and footer in the browser's language. Returns what puts the
// companion in it, and its chart in the scheme, once the parser has read
// it; until then the companion does not show, so that it never shows in
// the other language.
function pageInBrowserLanguage() {
    const root = document.documentElement;
    const asked = navigator.languages?.[0] ?? navigator.language ?? '';
    const forWindow = readVariants('window-variants');
    const other = !asked.startsWith(forWindow.japanesePrefix);
    if (other) {
        root.lang = forWindow.code;
        document.title = forWindow.title;
        document.querySelector('meta[name="description"]').content = forWindow.description;
        applyVariant(forWindow.regions, '#Form1');
        applyVariant(forWindow.regions, 'footer');
        root.classList.add('translating');
    }
    return () => {
        const companion = readVariants('companion-variants');
        if (other) {
            applyVariant(companion.regions, '#companion');
            document.getElementById('failure-title').textContent = companion.failureTitle;
            document.getElementById('failure-ok').textContent = companion.ok;
            root.classList.remove('translating');
        }
        // The chart in the screen's scheme, as the companion tells it.
        if (matchMedia('(prefers-color-scheme: dark)').matches) {
            applyVariant(companion.dark, '#fsb-chart-image');
        }
    };
}

const readCompanion = pageInBrowserLanguage();
const earlyForm = document.getElementById('Form1');
window.quenvaleEarly = { replay: holdGestures(earlyForm), fit: fitWindow(earlyForm),
    readCompanion };
// Sized: the page's style sheet shows the window from here.
document.documentElement.classList.add('sized');

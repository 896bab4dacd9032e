// The early script, run as soon as the window and its footer are read: the
// page in its language and scheme, the window keeping what the user does
// from its first frame, and sized before it; the footer, read before it, is
// in that frame too.
// What the app script takes over from it is the one global the page's
// scripts share, quenvaleEarly: they run apart, this one before the first
// frame (and its line after the companion), the other once the program is
// compiled.

// The build wrote the page in Japanese and the light scheme, and beside it
// what differs in its other language and in the chart in a dark scheme
// (window_markup.js, variants.js). The page's language is the one its link
// names, else the browser's first language, told by the program's rule.
const readVariants = (id) => JSON.parse(document.getElementById(id).textContent);

// The window and footer in the page's language. Returns the language, and
// what puts the companion in it, and its chart in the scheme, once the
// parser has read it; until then the companion does not show, so that it
// never shows in the other language.
function pageInItsLanguage() {
    const root = document.documentElement;
    const forWindow = readVariants('window-variants');
    const { japanese, other } = forWindow.codes;
    const asked = navigator.languages?.[0] ?? navigator.language ?? '';
    // A link's language is checked with the rest of the link once the
    // program runs; one of the page's two is taken here.
    const linked = location.hash.length > 1 ? linkValues(location.hash.slice(1))?.lang : null;
    const language = [japanese, other].includes(linked) ? linked
        : asked.startsWith(forWindow.japanesePrefix) ? japanese : other;
    const translated = language === other;
    if (translated) {
        root.lang = other;
        document.title = forWindow.title;
        document.querySelector('meta[name="description"]').content = forWindow.description;
        applyVariant(forWindow.regions);
        root.classList.add('translating');
    }
    const readCompanion = () => {
        const companion = readVariants('companion-variants');
        if (translated) {
            applyVariant(companion.regions);
            document.getElementById('failure-title').textContent = forWindow.title;
            document.getElementById('failure-ok').textContent = companion.ok;
            root.classList.remove('translating');
        }
        // The chart in the screen's scheme, as the companion tells it.
        if (matchMedia('(prefers-color-scheme: dark)').matches) {
            applyVariant(companion.dark);
        }
    };
    return { language, readCompanion };
}

const { language: earlyLanguage, readCompanion } = pageInItsLanguage();
const earlyForm = document.getElementById('Form1');
window.quenvaleEarly = { replay: holdGestures(earlyForm), fit: fitWindow(earlyForm),
    language: earlyLanguage, readCompanion };
// Sized: the page's style sheet shows the window from here.
document.documentElement.classList.add('sized');

// Writes the page as it opens, from the program's own description and a
// fresh session, as HTML for the page to hold: its first frame then needs
// no script, and the page's scripts take these elements over when the
// program is ready. Each kind of control is written as control_kinds.js
// states it, the table the page finds the controls' parts by; the companion
// as companion_view.js does, the view the page keeps it up to date with.
// Run by the build under node:
//     node window_markup.js quenvale_module.js quenvale_module.wasm OUT.json [OUT.d]
// OUT.json holds "style" (the window's size, faces and colours as CSS
// custom properties, and each control's box), "form" (what #Form1 holds:
// its heading and the controls), "footer" (the page's footer, under the
// window: the language switch, the notice, passing the link on and the
// build's name), "companion" (the start crystal's FSB table, chart and the
// planner), "noscript" (what the page says where scripts are off),
// "description" (the page's meta description), all in Japanese and the
// light scheme, and "variants": what differs in the language of a browser
// that does not ask for Japanese, and how to tell one that does ("window":
// the window and footer; "companion"), and in the chart in a dark scheme.
'use strict';

const fs = require('fs');
const path = require('path');

const [modulePath, wasmPath, outPath, depPath] = process.argv.slice(2);
// The module is built for browsers; it needs nothing of one to describe
// the window. The page's own parts are read as the page holds them: in one
// scope with the module.
globalThis.window = globalThis;
const pagePart = (name) => fs.readFileSync(path.join(__dirname, name), 'utf8');
const parts = ['program.js', 'control_kinds.js', 'view.js', 'companion_view.js', 'variants.js'];
const { QuenvaleModule, programCalls, controlKinds, h, renderHtml, openTag, escapeText,
    escapeAttribute, choosable, companionView, plannerChoices, chartView, markupChanges } = new Function(`${fs.readFileSync(modulePath, 'utf8')}\n` +
    `${parts.map(pagePart).join('\n')}\nreturn { QuenvaleModule, programCalls, controlKinds, h, ` +
    'renderHtml, openTag, escapeText, escapeAttribute, choosable, companionView, plannerChoices, ' +
    'chartView, markupChanges };')();

(async () => {
    const program = programCalls(await QuenvaleModule({ wasmBinary: fs.readFileSync(wasmPath) }));
    const session = program.session;
    const names = program.styleNames();
    const values = program.styleValues();
    const twipsPerPixel = program.twipsPerPixel();
    const pixels = (twips) => twips / twipsPerPixel;
    const codes = program.languageCodes();

    // The page in one language: the window's controls (the whole of #Form1),
    // the footer, the start crystal's table and chart, and the texts of the
    // head. Every control's box goes to `boxes`, in layout pixels; page.css
    // scales it with the window (a quarter of the markup's size, against a
    // calc() a side). They go in the style sheet, not in style attributes,
    // which a page that allows styles only by their hashes does not apply.
    function written(code, boxes = []) {
        session.open(code);
        const rows = program.controls(code);
        const html = {
            open: openTag,
            text: escapeText,
            placed: (row, attributes) => {
                boxes.push(`[data-name="${row.objectName}"]{--x:${pixels(row.left)};` +
                    `--y:${pixels(row.top)};--w:${pixels(row.width)};--h:${pixels(row.height)}}`);
                return { ...attributes, 'data-name': row.objectName };
            },
        };
        // Each container's controls in tab order, so that Tab follows the
        // layout's order.
        const byTab = [...rows].sort((a, b) => a.tabIndex - b.tabIndex);
        const write = (container) => byTab.filter((row) => row.container === container)
            .map((row) => {
                const [start, end] = controlKinds[row.kind].markup(row, html, session);
                return start + write(row.objectName) + end;
            }).join('');
        const text = (name, what = '') => program.pageText(code, name, what);
        const form = renderHtml(h('h1', { class: 'offscreen' }, program.windowTitle())) +
            write(program.windowName());
        const button = (id, caption, hidden = false) => h('button', { type: 'button', id, hidden },
            caption);
        // @BUILD_ID@ is the build's content hash and @VERSION@ its version,
        // which only the assembled page knows.
        const footer = renderHtml(h('footer', null,
            // Each language's button names it in its own words.
            h('nav', { id: 'language-switch', 'aria-label': text('languageSwitch') },
                codes.map((each) => h('button', { type: 'button', lang: each,
                    'aria-pressed': String(each === code) },
                program.pageText(each, 'languageName', '')))),
            h('p', { id: 'notice', role: 'status', hidden: true }, h('span', { id: 'notice-text' }),
                ' ', button('again', '', true)),
            // The share sheet where the browser has one, and forgetting where
            // the page is an installed app: the page shows them.
            h('p', { id: 'share' }, button('copy-link', text('copyLink')), ' ',
                button('share-link', text('share'), true), ' ',
                button('forget', text('forget'), true)),
            h('p', { id: 'results-spoken', class: 'offscreen', 'aria-live': 'polite' }),
            h('p', { id: 'version', 'data-build': '@BUILD_ID@' }, 'quenvale @VERSION@ ',
                h('span', { id: 'build' }, text('build', '@BUILD_ID@')))));
        // The start crystal's table and chart, as the page draws them once
        // the program runs in the language and the light scheme.
        const shown = { reference: session.text(0), fsb: session.text(1) };
        const table = program.fsbTableView(shown.reference, shown.fsb, code);
        const companion = renderHtml(companionView({
            text: (name) => program.companionText(name, code),
            language: code,
            shown,
            table,
            chart: chartView(program, shown.reference, shown.fsb, code, false),
            stops: { fsb: choosable(table.rows, Math.max(0, table.current)), plan: 0 },
            plan: null,
            ...plannerChoices(program),
        }));
        return { form, footer, companion, title: text('windowTitle'),
            description: text('description'), ok: text('ok') };
    }

    // The page is written in Japanese, as the window is.
    const pageCode = 'ja';
    const boxes = [];
    const japanese = written(pageCode, boxes);
    const style = `:root {\n${names.map((name, i) => `    ${name}: ${values[i]};`).join('\n')}\n}\n` +
        boxes.join('\n');
    // With scripts off nothing tells the language: the line in each.
    const noscript = codes.map((code) => renderHtml(h('p', { lang: code },
        program.pageText(code, 'noScript', '')))).join('');
    // The language of a browser that does not ask for Japanese, as what
    // differs from the Japanese, for the early script to put in before the
    // first frame.
    const code = program.browserLanguage('');
    const other = written(code);
    const regions = {};
    for (const [selector, part] of [['#Form1', 'form'], ['footer', 'footer'],
        ['#companion', 'companion']]) {
        // #Form1's markup is its content; the others' their element.
        const wrap = (markup) => (selector === '#Form1' ? `<main>${markup}</main>` : markup);
        regions[selector] = markupChanges(wrap(japanese[part]), wrap(other[part]),
            `${code} ${part}`);
    }
    // And the chart in a dark scheme, as what differs from the light one:
    // its colours, the same in every language.
    const darkChanges = (language) => {
        const [light, dark] = [false, true].map((dark) => renderHtml(chartView(program,
            session.text(0), session.text(1), language, dark)));
        return markupChanges(light, dark, `${language} dark chart`);
    };
    const dark = darkChanges(pageCode);
    if (JSON.stringify(darkChanges(code)) !== JSON.stringify(dark)) {
        throw new Error(`the dark chart differs otherwise in ${code}`);
    }
    // In two parts, each ahead of what it changes: the window's first frame
    // waits for no more bytes than its own.
    const variants = {
        window: { japanesePrefix: program.japaneseLocalePrefix(),
            codes: { japanese: pageCode, other: code }, title: other.title,
            description: other.description,
            regions: { '#Form1': regions['#Form1'], footer: regions.footer } },
        companion: { regions: { '#companion': regions['#companion'] }, ok: other.ok,
            dark: { '#fsb-chart-image': dark } },
    };
    const description = escapeAttribute(japanese.description);
    fs.writeFileSync(outPath, JSON.stringify({ style, form: japanese.form,
        footer: japanese.footer, companion: japanese.companion, noscript, description,
        variants }));
    // The page's parts it read, for the build to run it again when one
    // changes.
    if (depPath) {
        fs.writeFileSync(depPath, `${outPath}: ${[__filename, ...parts.map((name) =>
            path.join(__dirname, name))].join(' ')}\n`);
    }
})().catch((error) => {
    console.error(`window_markup: ${error}`);
    process.exitCode = 1;
});

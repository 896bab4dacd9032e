// Writes the window as it opens, from the program's own description and a
// fresh session, as HTML for the page to hold: its first frame then needs
// no script, and the page script takes these elements over when the program
// is ready. Each kind of control is written as control_kinds.js states it,
// the table the page finds the controls' parts by. Run by the build under
// node:
//     node window_markup.js quenvale_module.js quenvale_module.wasm OUT.json
// OUT.json holds "style" (the window's size, faces and colours as CSS
// custom properties, and each control's box), "form" (the controls, to go
// inside #Form1), "noscript" (what the page says where scripts are off),
// "description" (the page's meta description) and "build" (the footer's
// line naming the build).
'use strict';

const fs = require('fs');
const path = require('path');

const [modulePath, wasmPath, outPath] = process.argv.slice(2);
// The module is built for browsers; it needs nothing of one to describe
// the window. The page's own parts are read as the page holds them: in one
// scope with the module.
globalThis.window = globalThis;
const pagePart = (name) => fs.readFileSync(path.join(__dirname, name), 'utf8');
const { QuenvaleModule, controlKinds, vectorItems } = new Function(
    `${fs.readFileSync(modulePath, 'utf8')}\n${pagePart('program.js')}\n` +
    `${pagePart('control_kinds.js')}\nreturn { QuenvaleModule, controlKinds, vectorItems };`)();

const escapeText = (text) => String(text).replaceAll('&', '&amp;').replaceAll('<', '&lt;')
    .replaceAll('>', '&gt;');
const escapeAttribute = (text) => escapeText(text).replaceAll('"', '&quot;');

// <tag a="b" …>: attributes whose value is false or null are left out, and
// true writes a bare attribute.
function open(tag, attributes) {
    let html = `<${tag}`;
    for (const [name, value] of Object.entries(attributes)) {
        if (value === true) {
            html += ` ${name}`;
        } else if (value !== false && value !== null && value !== undefined) {
            html += ` ${name}="${escapeAttribute(value)}"`;
        }
    }
    return `${html}>`;
}

(async () => {
    const program = await QuenvaleModule({ wasmBinary: fs.readFileSync(wasmPath) });
    const session = new program.PageSession('ja');
    const rows = vectorItems(program.controls('ja'));
    const names = vectorItems(program.styleNames());
    const values = vectorItems(program.styleValues());
    const pixels = (twips) => twips / program.twipsPerPixel;

    // Every control's box in layout pixels; page.css scales it with the
    // window (a quarter of the markup's size, against a calc() a side).
    // They go in the style sheet, not in style attributes, which a page
    // that allows styles only by their hashes does not apply.
    const boxes = [];
    const html = {
        open,
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
    const form = write(program.windowName());
    const style = `:root {\n${names.map((name, i) => `    ${name}: ${values[i]};`).join('\n')}\n}\n` +
        boxes.join('\n');
    // With scripts off nothing tells the language: the line in each.
    const noscript = vectorItems(program.languageCodes()).map((code) =>
        `<p lang="${code}">${escapeText(program.pageText(code, 'noScript', ''))}</p>`).join('');
    // The page opens in Japanese, as the window does; the page script
    // sets these again in the language it chooses. @BUILD_ID@ is the
    // build's content hash, which only the assembled page knows.
    const description = escapeAttribute(program.pageText('ja', 'description', ''));
    const build = escapeText(program.pageText('ja', 'build', '@BUILD_ID@'));
    fs.writeFileSync(outPath, JSON.stringify({ style, form, noscript, description, build }));
    session.delete();
})().catch((error) => {
    console.error(`window_markup: ${error}`);
    process.exitCode = 1;
});

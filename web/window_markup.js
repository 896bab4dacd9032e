// Writes the window as it opens, from the program's own description and a
// fresh session, as HTML for the page to hold: its first frame then needs
// no script, and the page script takes these elements over when the program
// is ready. Run by the build under node:
//     node window_markup.js quenvale_module.js quenvale_module.wasm OUT.json
// OUT.json holds "style" (the window's size, faces and colours as CSS
// custom properties, and each control's box), "form" (the controls, to go
// inside #Form1), "noscript" (what the page says where scripts are off),
// "description" (the page's meta description) and "build" (the footer's
// line naming the build).
'use strict';

const fs = require('fs');

const [modulePath, wasmPath, outPath] = process.argv.slice(2);
// The module is built for browsers; it needs nothing of one to describe
// the window.
globalThis.window = globalThis;
const QuenvaleModule = new Function(
    `${fs.readFileSync(modulePath, 'utf8')}\nreturn QuenvaleModule;`)();

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

const vectorItems = (vector) => {
    const items = [];
    for (let i = 0; i < vector.size(); ++i) {
        items.push(vector.get(i));
    }
    vector.delete();
    return items;
};

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
    const placed = (row, attributes) => {
        boxes.push(`[data-name="${row.objectName}"]{--x:${pixels(row.left)};` +
            `--y:${pixels(row.top)};--w:${pixels(row.width)};--h:${pixels(row.height)}}`);
        return { ...attributes, 'data-name': row.objectName };
    };

    // Each kind of control as its opening, and what closes it after the
    // controls it holds.
    const writers = {
        frame: (row) => [
            open('fieldset', placed(row, { class: 'frame' })) +
                `<legend>${escapeText(row.caption)}</legend>`,
            '</fieldset>'],
        label: (row) => {
            const tag = row.labelFor ? 'label' : 'span';
            return [open(tag, placed(row, {
                class: row.role === 'creditLine' ? 'label credit' : 'label',
                for: row.labelFor || null,
            })) + escapeText(row.caption), `</${tag}>`];
        },
        // An editable text with a drop-down list, as the ARIA combobox
        // pattern has it; the element with the id is the text field.
        combobox: (row) => {
            const box = row.role === 'referenceBox' ? 0 : 1;
            const list = `${row.objectName}-list`;
            const items = vectorItems(session.listItems(box));
            return [open('div', placed(row, { class: 'combo' })) +
                open('input', {
                    type: 'text', id: row.objectName, role: 'combobox',
                    'aria-expanded': 'false', 'aria-autocomplete': 'none', autocomplete: 'off',
                    // A phone shows its number pad rather than a full keyboard.
                    inputmode: 'decimal', spellcheck: 'false', value: session.text(box),
                    title: row.toolTip, 'aria-controls': list,
                }) +
                // The text field is the combobox; the button is for the mouse.
                open('button', { type: 'button', class: 'drop', tabindex: '-1',
                    'aria-hidden': 'true' }) + '</button>' +
                open('ul', { id: list, role: 'listbox', 'aria-label': row.toolTip, hidden: true }) +
                items.map((item, i) => open('li', { role: 'option', 'aria-selected': 'false',
                    id: `${list}-${i}` }) + `${escapeText(item)}</li>`)
                    .join('') + '</ul>',
            '</div>'];
        },
        option: (row) => {
            const group = row.role === 'pciDivider' ? 0 : 1;
            return [open('label', placed(row, { class: 'option' })) +
                open('input', { type: 'radio', name: row.container, id: row.objectName,
                    disabled: !session.dividerEnabled(group, row.index),
                    checked: session.dividerSelected(group, row.index) }) +
                `<span>${escapeText(row.caption)}</span>`, '</label>'];
        },
        button: (row) => [open('button', placed(row, {
            type: 'button', class: 'command', id: row.objectName,
            disabled: row.role === 'calculateButton' && !session.calculateEnabled(),
        })) + escapeText(row.caption), '</button>'],
        textbox: (row) => [open('input', placed(row, {
            type: 'text', class: 'result', id: row.objectName, readonly: true,
            value: session.result(row.index),
        })), ''],
    };

    // Each container's controls in tab order, so that Tab follows the
    // layout's order.
    const byTab = [...rows].sort((a, b) => a.tabIndex - b.tabIndex);
    const write = (container) => byTab.filter((row) => row.container === container)
        .map((row) => {
            const [start, end] = writers[row.kind](row);
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

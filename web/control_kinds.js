// Each kind of control of the window as the page holds it: the markup the
// build writes for it (window_markup.js, from the program's description of
// the window), where the page finds its parts in that markup, and how it
// takes a caption in another language. One entry a kind, so that the
// markup's structure is stated once.
//
// markup(row, html, session) gives the control's opening and what closes it
// after the controls it holds; `html` writes tags and text, `session` is the
// program's session as the window opens. parts(element) gives the elements
// the page drives: `caption`, and for the controls that take input `input`
// (and a list's `drop` button and `list`).
const controlKinds = {
    frame: {
        markup: (row, html) => [
            html.open('fieldset', html.placed(row, { class: 'frame' })) +
                `<legend>${html.text(row.caption)}</legend>`,
            '</fieldset>'],
        parts: (element) => ({ caption: element.querySelector('legend') }),
        relabel: (parts, row) => {
            parts.caption.textContent = row.caption;
        },
    },
    label: {
        markup: (row, html) => {
            const tag = row.labelFor ? 'label' : 'span';
            return [html.open(tag, html.placed(row, {
                class: row.role === 'creditLine' ? 'label credit' : 'label',
                for: row.labelFor || null,
            })) + html.text(row.caption), `</${tag}>`];
        },
        parts: (element) => ({ caption: element }),
        relabel: (parts, row) => {
            parts.caption.textContent = row.caption;
        },
    },
    // An editable text with a drop-down list, as the ARIA combobox pattern
    // has it; the element with the id is the text field.
    combobox: {
        markup: (row, html, session) => {
            const box = row.role === 'referenceBox' ? 0 : 1;
            const list = `${row.objectName}-list`;
            const items = session.listItems(box);
            return [html.open('div', html.placed(row, { class: 'combo' })) +
                html.open('input', {
                    type: 'text', id: row.objectName, role: 'combobox',
                    'aria-expanded': 'false', 'aria-autocomplete': 'none', autocomplete: 'off',
                    // A phone shows its number pad rather than a full keyboard.
                    inputmode: 'decimal', spellcheck: 'false', value: session.text(box),
                    title: row.toolTip, 'aria-controls': list,
                }) +
                // The text field is the combobox; the button is for the mouse.
                html.open('button', { type: 'button', class: 'drop', tabindex: '-1',
                    'aria-hidden': 'true' }) + '</button>' +
                html.open('ul', { id: list, role: 'listbox', 'aria-label': row.toolTip,
                    hidden: true }) +
                items.map((item, i) => html.open('li', { role: 'option',
                    'aria-selected': 'false', id: `${list}-${i}` }) +
                    `${html.text(item)}</li>`).join('') + '</ul>',
            '</div>'];
        },
        parts: (element) => ({
            input: element.querySelector('input'),
            drop: element.querySelector('.drop'),
            list: element.querySelector('[role="listbox"]'),
        }),
        relabel: (parts, row) => {
            parts.input.title = row.toolTip;
            parts.list.setAttribute('aria-label', row.toolTip);
        },
    },
    option: {
        markup: (row, html, session) => {
            const group = row.role === 'pciDivider' ? 0 : 1;
            return [html.open('label', html.placed(row, { class: 'option' })) +
                html.open('input', { type: 'radio', name: row.container, id: row.objectName,
                    disabled: !session.dividerEnabled(group, row.index),
                    checked: session.dividerSelected(group, row.index) }) +
                `<span>${html.text(row.caption)}</span>`, '</label>'];
        },
        parts: (element) => ({
            input: element.querySelector('input'),
            caption: element.querySelector('span'),
        }),
        relabel: (parts, row) => {
            parts.caption.textContent = row.caption;
        },
    },
    button: {
        markup: (row, html, session) => [html.open('button', html.placed(row, {
            type: 'button', class: 'command', id: row.objectName,
            disabled: row.role === 'calculateButton' && !session.calculateEnabled(),
        })) + html.text(row.caption), '</button>'],
        parts: (element) => ({ input: element, caption: element }),
        relabel: (parts, row) => {
            parts.caption.textContent = row.caption;
        },
    },
    // The word beside a hinted result, for the eye: a screen reader hears
    // the hint in the box's description. Its text comes with the panel.
    mark: {
        markup: (row, html) => [html.open('span', html.placed(row, {
            class: 'mark', id: row.objectName, 'aria-hidden': 'true', hidden: true,
        })), '</span>'],
        parts: (element) => ({ caption: element }),
        relabel: () => {},
    },
    // A result's name, description and tip come with the panel.
    textbox: {
        markup: (row, html, session) => [html.open('input', html.placed(row, {
            type: 'text', class: 'result', id: row.objectName, readonly: true,
            value: session.result(row.index),
        })), ''],
        parts: (element) => ({ input: element }),
        relabel: () => {},
    },
};

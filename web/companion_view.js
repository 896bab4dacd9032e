// The companion beside the window as a tree (view.js): the crystal's FSB
// table with its chart and downloads, and the planner with its plan. The
// build writes it for the page's first frame; the page patches it after
// each change. Every text and number in it is the program's.
//
// `state` holds
//   text(name)  the companion's words in `language`, the page's;
//   shown       the crystal and the FSB setting the table is of;
//   table       the program's view of the crystal's table (title, rows,
//               current);
//   chart       the crystal's chart (chartView), or null to keep the
//               chart the page has;
//   stops       the row of each table the Tab key stops at ({fsb, plan});
//   plan        what the planner last answered ({field, message, summary,
//               rows}), or null before it is asked;
//   counts      the planner's row counts, defaultLimit and defaultCount
//               the choices it starts with (plannerChoices).
const fsbColumns = ['fsb', 'pciDivider', 'agpDivider', 'cpu', 'pci', 'agp', 'usb', 'drift'];
const planColumns = ['reference', 'fsb', 'pciDivider', 'agpDivider', 'cpu', 'core', 'pci', 'agp',
    'usb', 'drift'];

// The planner's choices as the program gives them: its row counts, starting
// at the second (10), and the limit it starts at.
function plannerChoices(program) {
    return { counts: program.planCounts(), defaultLimit: program.planDefaultLimit(),
        defaultCount: 1 };
}

// The row at or after `index` whose button can be pressed, else the last
// such row before it: where the Tab key stops in a table.
function choosable(rows, index) {
    const open = rows.map((row, i) => (row.error ? -1 : i)).filter((i) => i >= 0);
    return open.find((i) => i >= index) ?? open[open.length - 1] ?? 0;
}

// The crystal's chart as the program draws it, the FSB setting `fsb`
// marked, in the dark scheme's colours where `dark`: the tree of its
// elements.
function chartView(program, reference, fsb, language, dark) {
    const svg = ({ name, attributes, text, children }, own = {}) =>
        h(name, { ...attributes, ...own }, text, children.map((child) => svg(child)));
    return svg(program.fsbChartTree(reference, fsb, language, dark),
        { id: 'fsb-chart-image', class: dark ? 'dark' : 'light' });
}

// A cell's text, its hint in colour and in words, and why in its tip.
function cellView(row, column) {
    let hint = '';
    let words = '';
    let why = '';
    if (column === 'pci' || column === 'agp') {
        hint = row[`${column}Hint`];
        if (hint === 'ok') {
            hint = '';
        } else {
            words = row[`${column}Words`];
            why = row[`${column}Why`];
        }
    } else if (column === 'usb' && row.usbNote) {
        hint = 'caution';
        words = row.usbNote;
    }
    // The USB clock's note, as long as the number, goes under it.
    return h('td', { class: hint || null, title: why || null }, row[column],
        words && [' ', h('span', { class: column === 'usb' ? 'hint note' : 'hint' }, words)]);
}

// A row whose values go in the window when it is clicked, or its first
// cell's button pressed; a failed row says why across the row. A table's
// buttons are one stop of the Tab key, `stop` the one it stops at.
function rowView(row, names, first, index, current, stop) {
    const head = h('th', { scope: 'row' }, h('button', {
        type: 'button', tabindex: stop ? '0' : '-1', 'aria-label': row.action,
        disabled: Boolean(row.error),
    }, row[first]));
    return h('tr', { 'data-row': index, class: current ? 'current' : null }, head,
        row.error ? h('td', { colspan: names.length - 1, class: 'danger' }, row.error)
            : names.slice(1).map((name) => cellView(row, name)));
}

function tableView(id, text, names, rows, first, { caption, current = -1, stop, ...attributes }) {
    return h('table', { id, ...attributes },
        caption && h('caption', null, caption),
        h('thead', null, h('tr', null, names.map((name) => h('th', { scope: 'col' }, text(name))))),
        h('tbody', null, rows.map((row, i) => rowView(row, names, first, i, i === current,
            i === stop))));
}

// A planner field: its label, its control and what is wrong with it.
function fieldView(id, label, control, error) {
    return h('div', { class: 'field' }, h('label', { for: id }, label), control,
        h('span', { id: `${id}-error`, class: 'field-error', role: 'alert' }, error));
}

function companionView(state) {
    const { text, table, chart, stops, plan } = state;
    const blamed = (field) => plan?.field === field;
    const input = (id, field) => h('input', { id, inputmode: 'decimal', autocomplete: 'off',
        'aria-invalid': plan ? String(blamed(field)) : null });
    const options = (names, chosen) => names.map((name, i) =>
        h('option', { selected: i === chosen }, name));
    // What the companion shows, so that the page knows what it need not
    // draw again.
    return h('aside', { id: 'companion', lang: state.language,
        'data-reference': state.shown.reference, 'data-fsb': state.shown.fsb },
        // The table before its chart: on a narrow screen the numbers come
        // first.
        h('section', { class: 'fsb-part', 'aria-labelledby': 'fsb-heading' },
            h('h2', { id: 'fsb-heading' }, text('table')),
            h('p', { class: 'downloads' },
                h('a', { id: 'save-csv', href: '#' }, text('saveCsv')), ' ',
                h('a', { id: 'save-svg', href: '#' }, text('saveSvg'))),
            h('div', { class: 'fsb-views' },
                h('div', { class: 'fsb-table-part' },
                    h('p', { class: 'choose' }, text('choose')),
                    h('div', { class: 'scroll fsb-rows' },
                        tableView('fsb-table', text, fsbColumns, table.rows, 'fsb',
                            { caption: table.title, current: table.current, stop: stops.fsb }))),
                h('div', { id: 'fsb-chart' },
                    // Drawn in the page: no document of its own to load, and
                    // its points' tool tips show.
                    chart ?? unchanged('svg')))),
        h('section', { class: 'plan-part', 'aria-labelledby': 'plan-heading' },
            h('h2', { id: 'plan-heading' }, text('planner')),
            h('form', { id: 'planner', novalidate: true },
                fieldView('plan-target', text('target'), input('plan-target', 0),
                    blamed(0) && plan.message),
                fieldView('plan-multiplier', text('multiplier'), input('plan-multiplier', 1),
                    blamed(1) && plan.message),
                fieldView('plan-crystals', text('crystals'), input('plan-crystals', 2),
                    blamed(2) && plan.message),
                fieldView('plan-limit', text('limit'),
                    h('select', { id: 'plan-limit' }, options(
                        ['ok', 'caution', 'danger'].map(text), state.defaultLimit))),
                fieldView('plan-count', text('count'),
                    h('select', { id: 'plan-count' }, options(state.counts, state.defaultCount))),
                h('div', { class: 'field' }, h('button', { id: 'plan-find', type: 'submit' },
                    text('find')),
                h('span', { id: 'plan-error', class: 'field-error', role: 'alert' },
                    blamed(3) && plan.message))),
            h('p', { id: 'plan-summary', role: 'status' }, plan?.summary),
            h('p', { class: 'choose' }, text('choose')),
            // Named by its heading and by what was asked; a plan that failed
            // answers nothing, no rows of an earlier one under its message.
            h('div', { class: 'scroll' }, tableView('plan-table', text, planColumns,
                plan?.rows ?? [], 'reference', {
                    stop: stops.plan, hidden: !plan?.rows.length,
                    'aria-labelledby': 'plan-heading plan-summary',
                }))));
}

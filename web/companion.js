// Beside the window: the FSB table and chart of the crystal in the window,
// the crystal planner, and the table and chart to save. The program makes
// every text and number; this lays them out and hands a chosen row to the
// window as the user's picks from its lists.
//
// `page` gives the program, the window's session (session()), a pick from
// one of its lists (pick(box, index), returning the outcome), 計算実行
// (calculate()), the page's language code, and the planner's fields as
// last kept (plan, or none) with where to keep them (keepPlan(fields)).
// The page calls follow() after each calculation that succeeded,
// setLanguage(code) when its language changes, and clearPlan() when what
// was kept is forgotten.
function createCompanion(page) {
    const { program } = page;
    let { language } = page;
    const textFor = (name) => program.companionText(name, language);
    const make = (tag, attributes = {}, ...children) => {
        const node = document.createElement(tag);
        for (const [name, value] of Object.entries(attributes)) {
            node.setAttribute(name, value);
        }
        node.append(...children);
        return node;
    };

    const aside = make('aside', { id: 'companion' });
    const tableHeading = make('h2', { id: 'fsb-heading' });
    const picture = make('img', { id: 'fsb-chart-image' });
    const chart = make('div', { id: 'fsb-chart' }, picture);
    const saveCsv = make('a', { id: 'save-csv', href: '#' });
    const saveSvg = make('a', { id: 'save-svg', href: '#' });
    const fsbTable = make('table', { id: 'fsb-table' });
    const planHeading = make('h2', { id: 'plan-heading' });
    const field = (id, tag, attributes = {}) => {
        const label = make('label', { for: id });
        const control = make(tag, { id, ...attributes });
        const error = make('span', { id: `${id}-error`, class: 'field-error', role: 'alert' });
        return { label, control, error, row: make('div', { class: 'field' }, label, control, error) };
    };
    const target = field('plan-target', 'input', { inputmode: 'decimal', autocomplete: 'off' });
    const multiplier = field('plan-multiplier', 'input',
        { inputmode: 'decimal', autocomplete: 'off' });
    // The user's own crystals, a list; blank ranks the window's list.
    const crystals = field('plan-crystals', 'input', { inputmode: 'decimal', autocomplete: 'off' });
    const limit = field('plan-limit', 'select');
    const count = field('plan-count', 'select');
    const find = make('button', { id: 'plan-find', type: 'submit' });
    const planError = make('span', { id: 'plan-error', class: 'field-error', role: 'alert' });
    const planner = make('form', { id: 'planner', novalidate: '' }, target.row, multiplier.row,
        crystals.row, limit.row, count.row, make('div', { class: 'field' }, find, planError));
    const summary = make('p', { id: 'plan-summary', role: 'status' });
    // Named by its heading and by what was asked.
    const planTable = make('table', { id: 'plan-table',
        'aria-labelledby': 'plan-heading plan-summary' });
    const chooseNotes = [make('p', { class: 'choose' }), make('p', { class: 'choose' })];
    // The table before its chart: on a narrow screen the numbers come first.
    aside.append(
        make('section', { class: 'fsb-part', 'aria-labelledby': 'fsb-heading' }, tableHeading,
            make('p', { class: 'downloads' }, saveCsv, ' ', saveSvg),
            make('div', { class: 'fsb-views' },
                make('div', { class: 'fsb-table-part' }, chooseNotes[0],
                    make('div', { class: 'scroll fsb-rows' }, fsbTable)),
                chart)),
        make('section', { class: 'plan-part', 'aria-labelledby': 'plan-heading' }, planHeading,
            planner, summary, chooseNotes[1], make('div', { class: 'scroll' }, planTable)));
    document.getElementById('window-column').after(aside);

    // The crystal and FSB the table was drawn for, from the session.
    let shown = { reference: '', fsb: '' };
    // The last plan asked for, drawn again in a new language.
    let lastAsked = null;

    const columns = ['fsb', 'pciDivider', 'agpDivider', 'cpu', 'pci', 'agp', 'usb', 'drift'];
    const planColumns = ['reference', 'fsb', 'pciDivider', 'agpDivider', 'cpu', 'core', 'pci',
        'agp', 'usb', 'drift'];

    // Only what changed is written: each write, even of the same value,
    // has the browser work out the row's style again.
    const set = (node, property, value) => {
        if (node[property] !== value) {
            node[property] = value;
        }
    };

    // A cell's text, its hint in colour and in words, and why in its tip;
    // only what differs from what the cell shows is written, so that the
    // browser has less to lay out again.
    function fillCell(td, row, column) {
        let hint = '';
        let words = '';
        let why = '';
        if (column === 'pci' || column === 'agp') {
            hint = row[`${column}Hint`];
            if (hint !== 'ok') {
                words = row[`${column}Words`];
                why = row[`${column}Why`];
            }
        } else if (column === 'usb' && row.usbNote) {
            hint = 'caution';
            words = row.usbNote;
        }
        const text = row[column];
        // A cell that already has the same parts takes the new texts into
        // the nodes it has, which the browser lays out again in place.
        const parts = td.childNodes;
        if (parts.length === (words ? 3 : 1) && parts[0].nodeType === Node.TEXT_NODE) {
            set(parts[0], 'data', text);
            if (words) {
                set(parts[2].firstChild, 'data', words);
            }
        } else {
            td.replaceChildren(text, ...(words ? [' ', make('span', { class: 'hint' }, words)] :
                []));
        }
        set(td, 'className', hint);
        set(td, 'title', why);
    }

    // A row whose values go in the window when it is clicked, or its first
    // cell's button pressed (Enter or Space from the keyboard). The buttons
    // of a table are one stop of the Tab key: the arrow keys move between
    // them (roving).
    function makeRow(table, choose, index) {
        const button = make('button', { type: 'button', tabindex: '-1' });
        const tr = make('tr', { 'data-row': String(index) }, make('th', { scope: 'row' }, button));
        tr.addEventListener('click', () => {
            const row = drawn.get(table).rows[Number(tr.dataset.row)];
            if (!row.error) {
                choose(row);
            }
        });
        return tr;
    }

    // Each table's column headings and rows as last drawn, and the row
    // whose button the Tab key stops at.
    const drawn = new WeakMap();
    const stops = new WeakMap();

    // The row buttons that can be chosen, in order.
    const buttonsOf = (table) => [...table.tBodies[0].rows]
        .map((tr) => tr.cells[0].firstChild).filter((button) => !button.disabled);

    // Makes the row's button the table's Tab stop: the row given, else the
    // one it was, else the first that can be chosen.
    function rove(table, row = stops.get(table) ?? 0) {
        const buttons = buttonsOf(table);
        const rows = [...table.tBodies[0].rows];
        const stop = buttons.find((button) => rows.indexOf(button.closest('tr')) >= row) ??
            buttons[buttons.length - 1];
        for (const tr of rows) {
            set(tr.cells[0].firstChild, 'tabIndex', tr.cells[0].firstChild === stop ? 0 : -1);
        }
        if (stop) {
            stops.set(table, rows.indexOf(stop.closest('tr')));
        }
        return stop;
    }

    // Up and Down, Home and End move between a table's rows.
    function onTableKey(table, event) {
        const buttons = buttonsOf(table);
        const at = buttons.indexOf(event.target);
        const to = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: buttons.length - 1 }[
            event.key];
        if (at < 0 || to === undefined || event.altKey || event.ctrlKey || event.metaKey) {
            return;
        }
        event.preventDefault();
        const next = buttons[Math.max(0, Math.min(buttons.length - 1, to))];
        rove(table, [...table.tBodies[0].rows].indexOf(next.closest('tr')));
        next.focus();
    }
    for (const table of [fsbTable, planTable]) {
        table.addEventListener('keydown', (event) => onTableKey(table, event));
        // A row chosen by a click is where the keyboard goes on from.
        table.addEventListener('click', (event) => {
            const tr = event.target.closest('tbody tr');
            if (tr) {
                rove(table, [...table.tBodies[0].rows].indexOf(tr));
            }
        });
    }

    // The rows change with each calculation, but rarely their number: the
    // rows on screen take the new values, so that only the text is laid out
    // again.
    function fill(table, caption, names, rows, choose, first) {
        const headings = names.map((name) => textFor(name));
        if (drawn.get(table)?.headings.join('\n') !== headings.join('\n')) {
            const head = make('tr', {}, ...headings.map((name) => make('th', { scope: 'col' },
                name)));
            table.replaceChildren(make('thead', {}, head), make('tbody'));
        }
        drawn.set(table, { headings, rows });
        if (caption) {
            table.createCaption().textContent = caption;
        }
        const body = table.tBodies[0];
        while (body.rows.length > rows.length) {
            body.lastChild.remove();
        }
        while (body.rows.length < rows.length) {
            body.append(makeRow(table, choose, body.rows.length));
        }
        rows.forEach((row, i) => {
            const tr = body.rows[i];
            const button = tr.cells[0].firstChild;
            set(button, 'textContent', row[first]);
            // What pressing it does, with the row's values and units.
            button.setAttribute('aria-label', row.action);
            set(button, 'disabled', Boolean(row.error));
            const cells = row.error ? 2 : names.length;
            while (tr.cells.length > cells) {
                tr.lastChild.remove();
            }
            while (tr.cells.length < cells) {
                tr.append(make('td'));
            }
            if (row.error) {
                set(tr.cells[1], 'colSpan', names.length - 1);
                set(tr.cells[1], 'className', 'danger');
                set(tr.cells[1], 'title', '');
                set(tr.cells[1], 'textContent', row.error);
            } else {
                set(tr.cells[1], 'colSpan', 1);
                names.slice(1).forEach((name, j) => fillCell(tr.cells[j + 1], row, name));
            }
        });
        rove(table);
    }

    function chooseFsb(row) {
        if (!page.pick(1, row.fsbItem).failed) {
            page.calculate();
        }
    }

    function choosePlan(row) {
        if (!page.pick(0, row.referenceItem).failed && !page.pick(1, row.fsbItem).failed) {
            page.calculate();
        }
    }

    // The chart in the screen's scheme; saved and printed, it is the light
    // one the command line writes.
    const dark = matchMedia('(prefers-color-scheme: dark)');
    let printing = false;

    function drawTable() {
        const view = program.fsbTableView(shown.reference, shown.fsb, language,
            dark.matches && !printing);
        fill(fsbTable, view.title, columns, vectorItems(view.rows), chooseFsb, 'fsb');
        // An image: drawn off the page's own layout, and one picture with
        // one text for a screen reader.
        // A data address: set at once, where a blob would cost a copy and
        // an address to revoke.
        picture.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(view.chart)}`;
        picture.alt = view.chartAlt;
        [...fsbTable.tBodies[0].rows].forEach((tr, i) => {
            if (tr.classList.contains('current') !== (i === view.current)) {
                tr.classList.toggle('current');
            }
        });
        // The Tab key comes back to the window's FSB, unless the focus is
        // in the table.
        if (view.current >= 0 && !fsbTable.contains(document.activeElement)) {
            rove(fsbTable, view.current);
        }
    }

    // Each successful calculation: the crystal and FSB now in the window.
    function follow() {
        const session = page.session();
        shown = { reference: session.text(0), fsb: session.text(1) };
        drawTable();
    }

    function runPlan(args) {
        lastAsked = args;
        const outcome = program.plan(args.target, args.multiplier, args.crystals ?? '',
            args.limit, args.count, language);
        // The field to blame, by its place: target, multiplier, crystals,
        // or none of them.
        const fields = [target, multiplier, crystals];
        [...fields.map((field) => field.error), planError].forEach((error, i) => {
            error.textContent = outcome.field === i ? outcome.message : '';
        });
        fields.forEach((field, i) => {
            field.control.setAttribute('aria-invalid', String(outcome.field === i));
        });
        // A plan that failed answers nothing: no rows of an earlier one
        // stay under its message.
        summary.textContent = outcome.summary;
        const rows = vectorItems(outcome.rows);
        fill(planTable, '', planColumns, rows, choosePlan, 'reference');
        planTable.hidden = rows.length === 0;
    }

    planner.addEventListener('submit', (event) => {
        event.preventDefault();
        const fields = {
            target: target.control.value,
            multiplier: multiplier.control.value,
            crystals: crystals.control.value,
            limit: limit.control.selectedIndex,
            count: count.control.selectedIndex,
        };
        page.keepPlan(fields);
        stops.delete(planTable);
        runPlan(fields);
    });

    // Made when asked for, from the table on screen.
    function save(link, text, type, name) {
        URL.revokeObjectURL(link.href);
        link.href = URL.createObjectURL(new Blob([text], { type }));
        link.download = name;
    }
    saveCsv.addEventListener('click', () => save(saveCsv,
        program.tableCsv(shown.reference, language), 'text/csv',
        `quenvale-${shown.reference}.csv`));
    saveSvg.addEventListener('click', () => save(saveSvg,
        program.chartSvg(shown.reference, shown.fsb, language), 'image/svg+xml',
        `quenvale-${shown.reference}.svg`));

    // Every caption, in the page's language.
    function caption() {
        tableHeading.textContent = textFor('table');
        planHeading.textContent = textFor('planner');
        saveCsv.textContent = textFor('saveCsv');
        saveSvg.textContent = textFor('saveSvg');
        chooseNotes.forEach((note) => { note.textContent = textFor('choose'); });
        target.label.textContent = textFor('target');
        multiplier.label.textContent = textFor('multiplier');
        crystals.label.textContent = textFor('crystals');
        limit.label.textContent = textFor('limit');
        count.label.textContent = textFor('count');
        find.textContent = textFor('find');
        // The command line's limit when none is asked for.
        const chosenLimit = limit.control.options.length ? limit.control.selectedIndex :
            program.planDefaultLimit();
        limit.control.replaceChildren(...['ok', 'caution', 'danger'].map((name) =>
            make('option', {}, textFor(name))));
        limit.control.selectedIndex = chosenLimit;
        if (count.control.options.length === 0) {
            count.control.append(...vectorItems(program.planCounts())
                .map((n) => make('option', {}, n)));
            count.control.selectedIndex = 1;
        }
    }

    // Everything drawn again in the language.
    function setLanguage(code) {
        language = code;
        caption();
        drawTable();
        if (lastAsked) {
            runPlan(lastAsked);
        }
    }

    // The planner's fields as they were kept, asked for again; or empty.
    function setPlan(fields) {
        target.control.value = fields?.target ?? '';
        multiplier.control.value = fields?.multiplier ?? '';
        crystals.control.value = fields?.crystals ?? '';
        limit.control.selectedIndex = fields?.limit ?? program.planDefaultLimit();
        count.control.selectedIndex = fields?.count ?? 1;
        lastAsked = null;
        summary.textContent = '';
        fill(planTable, '', planColumns, [], choosePlan, 'reference');
        planTable.hidden = true;
        if (fields) {
            runPlan(fields);
        }
    }

    dark.addEventListener('change', drawTable);
    for (const [event, paper] of [['beforeprint', true], ['afterprint', false]]) {
        addEventListener(event, () => {
            printing = paper;
            if (dark.matches) {
                drawTable();
            }
        });
    }
    caption();
    follow();
    if (page.plan) {
        setPlan(page.plan);
    }
    return { follow, setLanguage, clearPlan: () => setPlan(null) };
}

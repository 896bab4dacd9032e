// Beside the window: the FSB table and chart of the crystal in the window,
// the crystal planner, and the table and chart to save. The page opens with
// them as the build wrote them (companion_view.js); this keeps them up to
// date, answers the planner, and hands a chosen row to the window as the
// user's picks from its lists. The program makes every text and number.
//
// `page` gives the program, the window's session (session()), a pick from
// one of its lists (pick(box, index), returning the outcome), 計算実行
// (calculate()), the page's language code, and the planner's fields as
// last kept (plan, or none) with where to keep them (keepPlan(fields)).
// The page calls follow() after each calculation that succeeded (and once
// at the start), setLanguage(code) when its language changes, and
// clearPlan() when what was kept is forgotten.
function createCompanion(page) {
    const { program } = page;
    let { language } = page;
    const aside = document.getElementById('companion');
    const darkScheme = matchMedia('(prefers-color-scheme: dark)');
    let printing = false;
    // What the companion is drawn from (companion_view.js). The page opens
    // with the start crystal's table and chart as the build drew them, in
    // the page's language and scheme (the early script's): the program's
    // views of them are made when anything asks.
    const state = {
        text: (name) => program.companionText(name, language),
        language,
        shown: { reference: aside.dataset.reference, fsb: aside.dataset.fsb },
        table: null,
        chart: null,
        stops: { fsb: 0, plan: 0 },
        plan: null,
        ...plannerChoices(program),
    };
    // The planner's fields last asked for: asked again in a new language.
    let asked = null;

    const tableOf = (id) => (id === 'fsb-table' ? 'fsb' : 'plan');
    const rowsOf = (id) => (id === 'fsb-table' ? state.table.rows : state.plan.rows);

    // The crystal's table, of the crystal and FSB now in the window.
    function makeTable() {
        const session = page.session();
        state.shown = { reference: session.text(0), fsb: session.text(1) };
        state.language = language;
        state.table = program.fsbTableView(state.shown.reference, state.shown.fsb, language);
        // The Tab key comes back to the window's FSB, unless the focus is
        // in the table.
        if (!document.getElementById('fsb-table').contains(document.activeElement)) {
            state.stops.fsb = choosable(state.table.rows, Math.max(0, state.table.current));
        }
    }

    // Its chart in the screen's scheme; saved and printed, the chart is the
    // light one the command line writes.
    function makeChart() {
        const dark = darkScheme.matches && !printing;
        state.chart = chartView(program, state.shown.reference, state.shown.fsb, language, dark);
    }

    const draw = () => patch(aside, companionView(state));
    const ensureTable = () => {
        if (!state.table) {
            makeTable();
        }
    };

    // Each calculation that succeeded: the crystal and FSB now in the window.
    function follow() {
        makeTable();
        makeChart();
        draw();
    }

    // The start, once the window is the program's: what the page opened
    // with is drawn again only where the page's language, the crystal or
    // the scheme differ from it: the table made in one task and drawn in the next, then
    // the chart made in one and drawn in the next (on a slow phone each is a
    // task of its own).
    async function start() {
        const session = page.session();
        const drawn = aside.dataset.reference === session.text(0) &&
            aside.dataset.fsb === session.text(1) && aside.lang === language;
        const chart = document.getElementById('fsb-chart-image');
        if (drawn && chart.classList.contains(darkScheme.matches ? 'dark' : 'light')) {
            return;
        }
        if (!drawn) {
            makeTable();
            await nextTask();
            draw();
            await nextTask();
        }
        ensureTable();
        makeChart();
        await nextTask();
        draw();
    }

    function choose(id, index) {
        ensureTable();
        const row = rowsOf(id)[index];
        if (row.error) {
            return;
        }
        state.stops[tableOf(id)] = index;
        const picked = id === 'fsb-table' ? !page.pick(1, row.fsbItem).failed
            : !page.pick(0, row.referenceItem).failed && !page.pick(1, row.fsbItem).failed;
        if (picked) {
            page.calculate();
        }
    }

    function runPlan(fields) {
        asked = fields;
        state.plan = program.plan(fields.target, fields.multiplier, fields.crystals ?? '',
            fields.limit, fields.count, language);
        state.stops.plan = choosable(state.plan.rows, 0);
        ensureTable();
        draw();
    }

    const control = (id) => document.getElementById(id);
    const fieldsAsked = () => ({
        target: control('plan-target').value,
        multiplier: control('plan-multiplier').value,
        crystals: control('plan-crystals').value,
        limit: control('plan-limit').selectedIndex,
        count: control('plan-count').selectedIndex,
    });

    // The planner's fields as they were kept, asked for again; or empty.
    function setPlan(fields) {
        control('plan-target').value = fields?.target ?? '';
        control('plan-multiplier').value = fields?.multiplier ?? '';
        control('plan-crystals').value = fields?.crystals ?? '';
        control('plan-limit').selectedIndex = fields?.limit ?? state.defaultLimit;
        control('plan-count').selectedIndex = fields?.count ?? state.defaultCount;
        if (fields) {
            runPlan(fields);
        } else {
            asked = null;
            state.plan = null;
            ensureTable();
            draw();
        }
    }

    // Made when asked for, from the crystal on screen; the address of the
    // last one is given back.
    const saved = {};
    function save(link, text, type) {
        URL.revokeObjectURL(saved[link.id]);
        saved[link.id] = URL.createObjectURL(new Blob([text], { type }));
        link.href = saved[link.id];
        const extension = link.id === 'save-csv' ? 'csv' : 'svg';
        link.download = `quenvale-${state.shown.reference}.${extension}`;
    }

    // Up and Down, Home and End move between a table's rows that can be
    // chosen.
    function onTableKey(table, event) {
        const rows = rowsOf(table.id);
        const buttons = [...table.tBodies[0].rows].map((tr) => tr.cells[0].firstChild);
        const at = buttons.indexOf(event.target);
        const open = rows.map((row, i) => (row.error ? -1 : i)).filter((i) => i >= 0);
        const here = open.indexOf(at);
        const to = { ArrowDown: here + 1, ArrowUp: here - 1, Home: 0, End: open.length - 1 }[
            event.key];
        if (here < 0 || to === undefined || event.altKey || event.ctrlKey || event.metaKey) {
            return;
        }
        event.preventDefault();
        const next = open[Math.max(0, Math.min(open.length - 1, to))];
        state.stops[tableOf(table.id)] = next;
        draw();
        buttons[next].focus();
    }

    aside.addEventListener('click', (event) => {
        if (!(event.target instanceof Element)) {
            return;
        }
        const link = event.target.closest('#save-csv, #save-svg');
        if (link) {
            const { reference, fsb } = state.shown;
            if (link.id === 'save-csv') {
                save(link, program.tableCsv(reference, language), 'text/csv');
            } else {
                save(link, program.chartSvg(reference, fsb, language), 'image/svg+xml');
            }
            return;
        }
        const tr = event.target.closest('tbody tr');
        if (tr) {
            choose(tr.closest('table').id, Number(tr.dataset.row));
        }
    });
    aside.addEventListener('keydown', (event) => {
        const table = event.target instanceof Element && event.target.closest('table');
        if (table) {
            ensureTable();
            onTableKey(table, event);
        }
    });
    aside.addEventListener('submit', (event) => {
        event.preventDefault();
        const fields = fieldsAsked();
        page.keepPlan(fields);
        runPlan(fields);
    });

    // Everything drawn again in the language.
    function setLanguage(code) {
        language = code;
        makeTable();
        makeChart();
        if (asked) {
            runPlan(asked);
        } else {
            draw();
        }
    }

    const redrawChart = () => {
        ensureTable();
        makeChart();
        draw();
    };
    darkScheme.addEventListener('change', redrawChart);
    for (const [event, paper] of [['beforeprint', true], ['afterprint', false]]) {
        addEventListener(event, () => {
            printing = paper;
            if (darkScheme.matches) {
                redrawChart();
            }
        });
    }
    if (page.plan) {
        setPlan(page.plan);
    }
    return { follow, start, setLanguage, clearPlan: () => setPlan(null) };
}

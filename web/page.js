// The page: takes over the window it opens with (written at build time from
// the description the program exports), forwards every gesture to the
// program's session and shows the panel after each one. Nothing here
// computes, reads or writes a number: every text shown comes from the
// program, and so does where the focus goes.
//
// The last part of the app script: the parts before it give the program
// (program.js and the module), the controls' kinds, the combobox, the
// result's tip, the link and the companion. The early script hands over
// the one thing that crosses between the two scripts, quenvaleEarly: the
// window's fit, and the gestures it held while the program loaded.

// ---- The program and what the page keeps

// The start runs in tasks, the browser's turn between them: the program
// instantiated; its controls and session in the page's language; the
// window taken over, with what was done in it while the program loaded done
// again; where the crystal or the scheme is not the one the page opened
// with, the companion's table and its chart.
const program = await startProgram(compileProgram());
await nextTask();
const early = window.quenvaleEarly;
const root = document.documentElement;
const form = document.getElementById('Form1');
const dialog = document.getElementById('failure');
const notice = document.getElementById('notice');
const noticeText = document.getElementById('notice-text');
const again = document.getElementById('again');
const languageSwitch = document.getElementById('language-switch');

// The page's language: the one the early script put it in before its first
// frame (its link's, else the browser's first language by the program's
// rule), until the switch chooses one. Once a link or the switch chose it,
// links made from now on carry it.
let language = early.language;
let languageChosen = false;
// The controls in the page's language, and each one's parts by its object
// name.
let rows = program.controls(language);
const session = program.session;
session.open(language);
const controls = new Map();
// The controls the page drives, by their place in the session: the two
// boxes, the dividers of each group, the results.
const combos = [];
const dividers = [[], []];
const results = [];
const marks = [];
let calculateButton = null;
const tip = createResultTip(form);
// The results a row put in the window, for a screen reader.
const spoken = document.getElementById('results-spoken');
// Under the window: passing the calculation on, and forgetting it.
const copyButton = document.getElementById('copy-link');
const shareButton = document.getElementById('share-link');
const forgetButton = document.getElementById('forget');
// Installed as an app, with no address bar: the last calculation and the
// planner's fields are kept in the browser, and nothing else.
const installed = matchMedia('(display-mode: standalone)').matches || navigator.standalone === true;
const keptKey = 'quenvale';
// The box to hand the focus back to once the warning is closed.
let blamedBox = null;
// The notice's line, made again after the language changes.
let noticeLine = null;

const text = (name, what = '') => program.pageText(language, name, what);

// ---- The window: its controls taken over

const attachers = {
    combobox(row, parts) {
        const box = row.role === 'referenceBox' ? 0 : 1;
        combos[box] = createCombobox(parts, {
            edit: (typed) => run(() => session.edit(box, typed)),
            pick: (index) => run(() => session.pick(box, index)),
            step: (down) => run(() => session.step(box, down)),
            currentItem: () => session.currentItem(box),
        });
    },
    option(row, parts) {
        const group = row.role === 'pciDivider' ? 0 : 1;
        // A click, or the arrow keys moving the selection within the frame.
        parts.input.addEventListener('click',
            () => run(() => session.clickDivider(group, row.index)));
        dividers[group][row.index] = parts.input;
    },
    button(row, parts) {
        if (row.role === 'calculateButton') {
            calculateButton = parts.input;
            calculateButton.addEventListener('click', () => calculate());
        } else {
            parts.input.addEventListener('click', () => run(() => session.exit()));
        }
    },
    textbox(row, parts) {
        results[row.index] = parts.input;
        tip.attach(parts.input);
    },
    mark(row, parts) {
        marks[row.index] = parts.caption;
    },
    // Frames and labels only show their captions.
    frame() {},
    label() {},
};

// The controls the page opened with, found by their object names.
function attach() {
    for (const row of rows) {
        const element = form.querySelector(`[data-name="${CSS.escape(row.objectName)}"]`);
        const parts = controlKinds[row.kind].parts(element);
        controls.set(row.objectName, parts);
        attachers[row.kind](row, parts);
    }
    // Text the browser put back in a box (a reload, the back button), which
    // no input event announced; what the user typed while the program
    // loaded is done again later (early.replay).
    combos.forEach((combo, box) => {
        if (combo.input.value !== combo.input.defaultValue) {
            session.edit(box, combo.input.value);
        }
    });
}

// Sets every control from the panel.
function show() {
    combos.forEach((combo, box) => {
        combo.setText(session.text(box));
        combo.setItems(session.listItems(box));
    });
    dividers.forEach((radios, group) => radios.forEach((radio, i) => {
        radio.disabled = !session.dividerEnabled(group, i);
        radio.checked = session.dividerSelected(group, i);
    }));
    const written = results.map((box, i) => {
        const hint = session.hint(i);
        box.classList.toggle('caution', hint === 'caution');
        box.classList.toggle('danger', hint === 'danger');
        // The hint seen without telling colours apart.
        const word = session.resultMark(i);
        marks[i].textContent = word;
        marks[i].hidden = word === '';
        marks[i].className = `mark ${hint}`;
        const shown = session.result(i);
        // Rewriting an unchanged result would drop the user's selection.
        if (box.value === shown) {
            return false;
        }
        box.value = shown;
        box.setSelectionRange(0, 0);
        return true;
    });
    // Every result is measured once all are written, and scrolled back
    // before anything else changes, so that the browser lays the window out
    // once, not once a result.
    const fitting = results.map((box, i) => {
        // An empty box needs no measuring, which would lay the page out.
        if (box.value === '') {
            return true;
        }
        // A result too long for its box shows its first digits.
        if (written[i]) {
            box.scrollLeft = 0;
        }
        return box.scrollWidth <= box.clientWidth;
    });
    results.forEach((box, i) => {
        // A cut result shows an ellipsis, and its whole text heads its tip
        // and its name.
        const fits = fitting[i];
        box.classList.toggle('cut', !fits);
        box.setAttribute('aria-label', session.resultName(i, fits));
        box.dataset.tip = session.resultToolTip(i, fits);
        tip.update(box);
        box.setAttribute('aria-description', session.resultDescription(i));
    });
    calculateButton.disabled = !session.calculateEnabled();
}

// The scale was set before the first frame (the early script); a new one
// may cut or uncut a result.
function fit() {
    if (early.fit()) {
        show();
    }
}

// Runs an event on the session and shows what follows: the panel, the
// warning, the focus (unless the gesture came from outside the window, a
// row chosen in a table, which keeps it), the end.
function run(action, keepFocus = false) {
    const outcome = action();
    show();
    if (outcome.failed) {
        blamedBox = outcome.focusBox;
        document.getElementById('failure-message').textContent = outcome.message;
        dialog.showModal();
    } else if (outcome.focusBox >= 0 && !keepFocus) {
        combos[outcome.focusBox].focus();
    }
    if (outcome.exitRequested) {
        end();
    }
    return outcome;
}

// 計算実行: a calculation that succeeds becomes the page's address, a new
// entry of its history where it changed something. One from a row of a
// table keeps the focus on the row, and its results are read out.
function calculate(fromRow = false) {
    if (!run(() => session.calculate(), fromRow).failed) {
        writeLink(true);
        companion.follow();
        if (fromRow) {
            announce(session.resultsSpoken());
        }
    }
}

// Said politely by a screen reader: the results a row put in the window.
function announce(line) {
    // The same line again is said again only if the region changes.
    spoken.textContent = spoken.textContent === line ? `${line}\u00a0` : line;
}

// The start state, as the window is when opened again.
function restart(keepAddress = false) {
    session.open(language);
    combos.forEach((combo) => combo.close());
    form.inert = false;
    notice.hidden = true;
    if (!keepAddress) {
        history.replaceState(null, '', location.pathname + location.search +
            (languageChosen ? `#lang=${language}` : ''));
    }
    show();
    companion.follow();
    combos[0].focus();
}

// 終了 closes the tab where the browser lets a page close itself.
// Elsewhere the work stays on screen, out of use, until the user chooses to
// start again.
function end() {
    window.close();
    if (window.closed) {
        return;
    }
    combos.forEach((combo) => combo.close());
    tip.hideAll();
    form.inert = true;
    showNotice(() => text('ended'), true);
    again.focus();
}

// One line under the window; with the button when the program has ended.
// `line` makes the text, again after the language changes.
function showNotice(line, ended = false) {
    noticeLine = line;
    noticeText.textContent = line();
    again.textContent = text('startAgain');
    again.hidden = !ended;
    notice.hidden = false;
}

// ---- The address: links

// A divider group's captions, "1/2" and the like, in their order.
function dividerCaptions(group) {
    const role = group === 0 ? 'pciDivider' : 'agpDivider';
    return rows.filter((row) => row.role === role).sort((a, b) => a.index - b.index)
        .map((row) => row.caption);
}

function readLink(fragment) {
    return decodeLink(fragment, dividerCaptions, program.languageCode);
}

// The address of what the window shows; with `step`, a new history entry
// when it differs from the address before, so that Back returns to that.
function writeLink(step = false) {
    const chosen = (group) => dividerCaptions(group)
        .find((caption, i) => session.dividerSelected(group, i));
    const link = `#${encodeLink({
        ref: session.text(0),
        fsb: session.text(1),
        pci: chosen(0),
        agp: chosen(1),
        lang: languageChosen ? language : undefined,
    })}`;
    if (step && link !== location.hash) {
        history.pushState(null, '', link);
    } else {
        history.replaceState(null, '', link);
    }
    keep({ link: link.slice(1) });
}

// The link the address holds, done as a user would; a link that is not one
// of this page's, or fails, opens the start state with a notice.
function openLink() {
    const fragment = location.hash.slice(1);
    if (fragment === '') {
        return;
    }
    const values = readLink(fragment);
    if (values === null) {
        restart();
        showNotice(() => text('linkUnreadable'));
        return;
    }
    if ('lang' in values) {
        chooseLanguage(values.lang);
    }
    // A link that names only a language opens the start state in it.
    if (Object.keys(values).every((key) => key === 'lang')) {
        return;
    }
    const { steps, unavailable } = linkSteps(values, session, dividerCaptions);
    let outcome = null;
    for (const step of steps) {
        outcome = step();
        if (outcome.failed) {
            const reason = outcome.message.split('\n')[0];
            restart();
            showNotice(() => text('linkFailed', reason));
            return;
        }
    }
    show();
    writeLink();
    companion.follow();
    combos[Math.max(0, outcome.focusBox)].focus();
    if (unavailable.length > 0) {
        // Named again in the language of the moment: its frame's caption.
        const frameOf = (group) => {
            const role = group === 0 ? 'pciDivider' : 'agpDivider';
            const container = rows.find((row) => row.role === role).container;
            return rows.find((row) => row.objectName === container).caption;
        };
        showNotice(() => text('dividerUnavailable', unavailable
            .map(({ group, caption }) => `${frameOf(group)} ${caption}`)
            .join(text('listSeparator'))));
    }
}

// ---- Passing a calculation on, and what the installed app keeps

// What the installed app kept: { link, plan }.
function kept() {
    try {
        return (installed && JSON.parse(localStorage.getItem(keptKey))) || {};
    } catch {
        return {};
    }
}

// Keeps these, with what is kept already, where the page is the installed
// app. A browser that refuses storage keeps nothing.
function keep(what) {
    if (installed) {
        try {
            localStorage.setItem(keptKey, JSON.stringify({ ...kept(), ...what }));
        } catch {
            // Nothing kept: the app opens as a fresh page does.
        }
    }
}

function forget() {
    try {
        localStorage.removeItem(keptKey);
    } catch {
        // Nothing was kept.
    }
    companion.clearPlan();
    restart();
    showNotice(() => text('forgotten'));
}

// The page's link to the clipboard, or where that is refused, in the
// notice to copy by hand.
async function copyLink() {
    const link = location.href;
    try {
        await navigator.clipboard.writeText(link);
        showNotice(() => text('linkCopied'));
    } catch {
        showNotice(() => text('copyRefused', link));
    }
}

function attachShare() {
    copyButton.addEventListener('click', copyLink);
    // The system's share sheet, where the browser has one.
    shareButton.hidden = !navigator.share;
    shareButton.addEventListener('click', () => {
        navigator.share({ title: document.title, url: location.href }).catch(() => {});
    });
    forgetButton.hidden = !installed;
    forgetButton.addEventListener('click', forget);
}

// ---- Language

// Every text of the page in the language: the controls, found by their
// object names, and the page's own.
function applyLanguage(code) {
    language = code;
    root.lang = code;
    session.setLanguage(code);
    rows = program.controls(code);
    for (const row of rows) {
        controlKinds[row.kind].relabel(controls.get(row.objectName), row);
    }
    document.title = text('windowTitle');
    document.querySelector('meta[name="description"]').content = text('description');
    // The build's hash, which the build wrote beside its name.
    document.getElementById('build').textContent =
        text('build', document.getElementById('version').dataset.build);
    document.getElementById('failure-title').textContent = text('windowTitle');
    document.getElementById('failure-ok').textContent = text('ok');
    copyButton.textContent = text('copyLink');
    shareButton.textContent = text('share');
    forgetButton.textContent = text('forget');
    languageSwitch.setAttribute('aria-label', text('languageSwitch'));
    for (const button of languageSwitch.children) {
        button.setAttribute('aria-pressed', String(button.lang === code));
    }
    if (!notice.hidden && noticeLine) {
        showNotice(noticeLine, !again.hidden);
    }
    show();
}

// A language the user chose, by a link or the switch; the page is written
// again only if it is not already in it (the early script put it in its
// link's language).
function chooseLanguage(code) {
    languageChosen = true;
    const chosen = program.languageCode(code);
    if (chosen === language && root.lang === chosen) {
        return;
    }
    applyLanguage(chosen);
    companion.setLanguage(language);
}

// The address keeps the choice beside what it holds.
function writeLanguage() {
    const parts = location.hash.slice(1).split('&')
        .filter((part) => part !== '' && !part.startsWith('lang='));
    history.replaceState(null, '', `#${[...parts, `lang=${language}`].join('&')}`);
}

function attachLanguageSwitch() {
    for (const button of languageSwitch.children) {
        button.addEventListener('click', () => {
            chooseLanguage(button.lang);
            writeLanguage();
        });
    }
}

// ---- The start

// A task of its own: on a slow phone the controls and the session are as
// long a task as taking the window over. Nothing in the window listens yet,
// so what the user does meanwhile is held, and done again below.
await nextTask();
attach();
attachLanguageSwitch();
attachShare();
show();
// The window was sized before the first frame; again when the view changes.
addEventListener('resize', fit);
// Typing at once replaces the preset crystal, unless the focus was put in
// the window while the program loaded.
if (!form.contains(document.activeElement)) {
    combos[0].focus({ preventScroll: true });
}
// The table, chart and planner beside the window, which follow each
// calculation and put a chosen row in the window as picks.
const companion = createCompanion({
    program,
    language,
    session: () => session,
    pick: (box, index) => run(() => session.pick(box, index), true),
    calculate: () => calculate(true),
    plan: kept().plan,
    keepPlan: (plan) => keep({ plan }),
});

again.addEventListener('click', () => restart());
dialog.addEventListener('close', () => {
    if (blamedBox !== null && blamedBox >= 0) {
        combos[blamedBox].focus();
    }
    blamedBox = null;
});
// Enter runs the calculation wherever the focus is; a button takes Enter
// itself, and an open list picks with it.
form.addEventListener('keydown', (event) => {
    // Enter that commits an input method's text is the input method's.
    if (event.key !== 'Enter' || event.isComposing || event.altKey || event.ctrlKey ||
        event.metaKey || event.shiftKey || event.target.tagName === 'BUTTON') {
        return;
    }
    event.preventDefault();
    if (session.calculateEnabled()) {
        calculate();
    }
});
// The installed app opens with its last calculation, unless it was opened
// with a link of its own.
if (location.hash === '' && kept().link) {
    history.replaceState(null, '', `#${kept().link}`);
}
openLink();
// What was done in the window while the program loaded, done again.
early.replay();
// A link pasted into the address bar of the open page, and Back and
// Forward between the page's calculations.
addEventListener('hashchange', () => {
    restart(true);
    openLink();
});
form.removeAttribute('aria-busy');
performance.mark('quenvale-running');
// The companion drawn again where it differs from what the page opened
// with.
await nextTask();
await companion.start();
root.dataset.ready = String(performance.now());

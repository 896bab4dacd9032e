// Takes over the window the page opens with (written at build time from
// the description the program exports), forwards every gesture to the
// program's session and shows the panel after each one. Nothing here
// computes, reads or writes a number: every text shown comes from the
// program, and so does where the focus goes.
'use strict';

(async () => {
    // The module compiled by the loader, instantiated at once: no task
    // between the program's start and the page's.
    const compiled = await programCompiled;
    const program = await QuenvaleModule({
        instantiateWasm(imports, receive) {
            const instance = new WebAssembly.Instance(compiled, imports);
            receive(instance, compiled);
            return instance.exports;
        },
    });
    const form = document.getElementById('Form1');
    const dialog = document.getElementById('failure');

    const vectorItems = (vector) => {
        const items = [];
        for (let i = 0; i < vector.size(); ++i) {
            items.push(vector.get(i));
        }
        vector.delete();
        return items;
    };

    // The page's language, a code from the program; set by applyLanguage.
    let language = program.browserLanguage(navigator.languages?.[0] ?? navigator.language ?? '');
    let session = new program.PageSession(language);
    // The box to hand the focus back to once the warning is closed.
    let blamedBox = null;

    // The controls in the page's language: relabelled by applyLanguage.
    let rows = vectorItems(program.controls(language));
    const root = document.documentElement;
    const text = (name, what = '') => program.pageText(language, name, what);

    const combos = [];
    const dividers = { pciDivider: [], agpDivider: [] };
    const results = [];
    let calculateButton = null;

    // The text field, its ▼ button and its list.
    function attachCombo(row, combo) {
        const box = row.role === 'referenceBox' ? 0 : 1;
        const input = combo.querySelector('input');
        const drop = combo.querySelector('.drop');
        const list = combo.querySelector('[role="listbox"]');
        const state = {
            box, input, list, active: -1,
            items: [...list.children].map((option) => option.textContent),
        };
        combos[box] = state;

        // Text an input method is still composing is not typed yet: the
        // edit happens when it is committed.
        input.addEventListener('input', (event) => {
            if (!event.isComposing) {
                run(() => session.edit(box, input.value));
            }
        });
        input.addEventListener('compositionend', () => run(() => session.edit(box, input.value)));
        input.addEventListener('keydown', (event) => {
            if (!event.isComposing) {
                onComboKey(state, event);
            }
        });
        input.addEventListener('blur', () => closeList(state));
        // The button and the list never take the focus from the text.
        drop.addEventListener('mousedown', (event) => event.preventDefault());
        drop.addEventListener('click', () => {
            input.focus();
            if (list.hidden) {
                openList(state);
            } else {
                closeList(state);
            }
        });
        list.addEventListener('mousedown', (event) => event.preventDefault());
        list.addEventListener('click', (event) => {
            const option = event.target.closest('[role="option"]');
            if (option) {
                pick(state, [...list.children].indexOf(option));
            }
        });
    }

    function attachOption(row) {
        const group = row.role === 'pciDivider' ? 0 : 1;
        const radio = document.getElementById(row.objectName);
        // A click, or the arrow keys moving the selection within the frame.
        radio.addEventListener('click', () => run(() => session.clickDivider(group, row.index)));
        dividers[row.role][row.index] = radio;
    }

    function attachButton(row) {
        const button = document.getElementById(row.objectName);
        if (row.role === 'calculateButton') {
            calculateButton = button;
            button.addEventListener('click', calculate);
        } else {
            button.addEventListener('click', () => run(() => session.exit()));
        }
    }

    function attachResult(row) {
        const box = document.getElementById(row.objectName);
        results[row.index] = box;
        // The tip shows on hover, and when the keyboard brings the focus.
        box.addEventListener('mouseenter', () => showTip(box));
        box.addEventListener('mouseleave', () => hideTip(box));
        box.addEventListener('focus', () => {
            if (byKeyboard || box.matches(':focus-visible')) {
                showTip(box);
            }
        });
        box.addEventListener('blur', () => hideTip(box));
        // On a touch screen a tap shows the tip; a tap elsewhere hides it.
        box.addEventListener('click', () => showTip(box));
        box.addEventListener('keydown', (event) => {
            if (event.key === 'Escape') {
                hideTip(box);
            }
        });
    }

    // A result's tool tip stands right of the results frame, level with its
    // box, so that it covers neither the box, its unit nor the box below.
    const tip = document.createElement('div');
    tip.id = 'result-tip';
    tip.setAttribute('role', 'tooltip');
    tip.hidden = true;
    let tipFor = null;
    // Whether the keyboard moved the focus last: not every engine says so
    // through :focus-visible.
    let byKeyboard = false;
    document.addEventListener('keydown', () => {
        byKeyboard = true;
    }, true);
    document.addEventListener('pointerdown', () => {
        byKeyboard = false;
    }, true);

    // Where there is no room on the right, even wrapped narrower, it stands
    // left of the frame, or else above the box, always within the viewport.
    function showTip(box) {
        tipFor = box;
        tip.textContent = box.dataset.tip;
        tip.hidden = !box.dataset.tip;
        const frame = box.parentElement;
        const top = frame.offsetTop + box.offsetTop;
        let left = frame.offsetLeft + frame.offsetWidth;
        const origin = form.getBoundingClientRect();
        const room = root.clientWidth - 4;
        const right = room - origin.left - left;
        tip.style.maxWidth = right >= 160 ? `${Math.min(300, right)}px` : '';
        const width = tip.offsetWidth;
        tip.style.top = `${top}px`;
        if (origin.left + left + width > room) {
            left = frame.offsetLeft - width;
            if (origin.left + left < 4) {
                left = Math.max(4 - origin.left, Math.min(frame.offsetLeft + box.offsetLeft,
                    room - origin.left - width));
                tip.style.top = `${top - tip.offsetHeight}px`;
            }
        }
        tip.style.left = `${left}px`;
    }

    function hideTip(box) {
        if (tipFor === box) {
            tip.hidden = true;
            tipFor = null;
        }
    }

    // Frames and labels only show their captions.
    const attachers = {
        combobox: attachCombo,
        option: attachOption,
        button: attachButton,
        textbox: attachResult,
    };

    // The controls the page opened with, found by their object names.
    function attach() {
        for (const row of rows) {
            const attacher = attachers[row.kind];
            if (attacher) {
                attacher(row, form.querySelector(`[data-name="${CSS.escape(row.objectName)}"]`));
            }
        }
        form.append(tip);
        // Text the browser put back in a box (a reload, the back button),
        // which no input event announced; what the user typed while the
        // program loaded is done again later (quenvaleHeld).
        for (const state of combos) {
            if (state.input.value !== state.input.defaultValue) {
                session.edit(state.box, state.input.value);
            }
        }
    }

    // The scale was set before the first frame (first_fit.js); a new one
    // may cut or uncut a result.
    function fit() {
        if (window.quenvaleFit()) {
            show();
        }
    }

    function fillList(state, items) {
        if (items.length === state.items.length &&
            items.every((item, i) => item === state.items[i])) {
            return;
        }
        state.items = items;
        state.list.replaceChildren(...items.map((item, i) => {
            const option = document.createElement('li');
            option.setAttribute('role', 'option');
            option.setAttribute('aria-selected', 'false');
            option.id = `${state.list.id}-${i}`;
            option.textContent = item;
            return option;
        }));
    }

    // Sets every control from the panel.
    function show() {
        for (const state of combos) {
            const text = session.text(state.box);
            // Left alone when it holds the text, so the caret stays put.
            if (state.input.value !== text) {
                state.input.value = text;
            }
            fillList(state, vectorItems(session.listItems(state.box)));
        }
        for (const [role, group] of [['pciDivider', 0], ['agpDivider', 1]]) {
            dividers[role].forEach((radio, i) => {
                radio.disabled = !session.dividerEnabled(group, i);
                radio.checked = session.dividerSelected(group, i);
            });
        }
        const written = results.map((box, i) => {
            const hint = session.hint(i);
            box.classList.toggle('caution', hint === 'caution');
            box.classList.toggle('danger', hint === 'danger');
            const text = session.result(i);
            // Rewriting an unchanged result would drop the user's selection.
            if (box.value === text) {
                return false;
            }
            box.value = text;
            box.setSelectionRange(0, 0);
            return true;
        });
        // Every result is measured once all are written, and scrolled back
        // before anything else changes, so that the browser lays the window
        // out once, not once a result.
        const fitting = results.map((box, i) => {
            // A result too long for its box shows its first digits.
            if (written[i]) {
                box.scrollLeft = 0;
            }
            return box.scrollWidth <= box.clientWidth;
        });
        results.forEach((box, i) => {
            // A cut result shows an ellipsis, and its whole text heads its
            // tip and its name.
            const fits = fitting[i];
            box.classList.toggle('cut', !fits);
            box.setAttribute('aria-label', session.resultName(i, fits));
            box.dataset.tip = session.resultToolTip(i, fits);
            if (tipFor === box) {
                showTip(box);
            }
            box.setAttribute('aria-description', session.resultDescription(i));
        });
        calculateButton.disabled = !session.calculateEnabled();
    }

    function focusBox(index) {
        const input = combos[index].input;
        input.focus();
        input.select();
    }

    function run(action) {
        const outcome = action();
        show();
        if (outcome.failed) {
            blamedBox = outcome.focusBox;
            document.getElementById('failure-message').textContent = outcome.message;
            dialog.showModal();
        } else if (outcome.focusBox >= 0) {
            focusBox(outcome.focusBox);
        }
        if (outcome.exitRequested) {
            end();
        }
        return outcome;
    }

    // 計算実行: a calculation that succeeds becomes the page's address.
    function calculate() {
        if (!run(() => session.calculate()).failed) {
            writeLink();
            companion?.follow();
        }
    }

    // The start state, as the window is when opened again.
    function restart(keepAddress = false) {
        session.delete();
        session = new program.PageSession(language);
        for (const state of combos) {
            closeList(state);
        }
        form.inert = false;
        notice.hidden = true;
        if (!keepAddress) {
            history.replaceState(null, '', location.pathname + location.search +
                (languageChosen ? `#lang=${language}` : ''));
        }
        show();
        companion?.follow();
        focusBox(0);
    }

    // 終了 closes the tab where the browser lets a page close itself.
    // Elsewhere the work stays on screen, out of use, until the user chooses
    // to start again.
    function end() {
        window.close();
        if (window.closed) {
            return;
        }
        for (const state of combos) {
            closeList(state);
        }
        hideTip(tipFor);
        form.inert = true;
        say(() => text('ended'), true);
        again.focus();
    }

    const notice = document.getElementById('notice');
    const again = document.getElementById('again');
    again.addEventListener('click', () => restart());

    // One line under the window; with the button when the program has ended.
    // `line` makes the text, again after the language changes.
    let noticeLine = null;
    function say(line, ended = false) {
        noticeLine = line;
        document.getElementById('notice-text').textContent = line();
        again.textContent = text('startAgain');
        again.hidden = !ended;
        notice.hidden = false;
    }

    // The address holds what is shown: the two texts and the two dividers,
    // each percent-encoded; a "/" reads better as itself.
    const linkKeys = ['ref', 'fsb', 'pci', 'agp'];
    const encode = (value) => encodeURIComponent(value).replaceAll('%2F', '/');
    const dividerCaptions = (role) => rows.filter((row) => row.role === role)
        .sort((a, b) => a.index - b.index).map((row) => row.caption);
    const groups = [['pciDivider', 0], ['agpDivider', 1]];

    function writeLink() {
        const values = [session.text(0), session.text(1)];
        for (const [role, group] of groups) {
            values.push(dividerCaptions(role).find((caption, i) =>
                session.dividerSelected(group, i)));
        }
        if (languageChosen) {
            values.push(language);
        }
        const link = [...linkKeys, 'lang'].map((key, i) => (values[i] === undefined ? ''
            : `${key}=${encode(values[i])}`)).filter(Boolean).join('&');
        history.replaceState(null, '', `#${link}`);
    }

    // The fragment's keys and values, or null when it is not one of this
    // page's links: an unknown or repeated key, a part without "=", bad
    // percent-encoding, a value longer than any box holds, or a divider
    // that is none of its group's.
    function readLink(fragment) {
        const values = {};
        for (const part of fragment.split('&')) {
            const at = part.indexOf('=');
            const key = part.slice(0, at);
            if (at < 0 || ![...linkKeys, 'lang'].includes(key) || key in values) {
                return null;
            }
            try {
                values[key] = decodeURIComponent(part.slice(at + 1));
            } catch {
                return null;
            }
            if (values[key].length > 32) {
                return null;
            }
        }
        for (const [role, group] of groups) {
            const key = linkKeys[2 + group];
            if (key in values && !dividerCaptions(role).includes(values[key])) {
                return null;
            }
        }
        if ('lang' in values && program.languageCode(values.lang) === '') {
            return null;
        }
        return values;
    }

    // Does what a user would: types the reference and the FSB, picks the
    // FSB from its list when it is an item (so that the band's rules run),
    // clicks each named divider that is available, and presses 計算実行.
    function openLink() {
        const fragment = location.hash.slice(1);
        if (fragment === '') {
            return;
        }
        const values = readLink(fragment);
        if (values === null) {
            restart();
            say(() => text('linkUnreadable'));
            return;
        }
        if ('lang' in values) {
            chooseLanguage(values.lang);
        }
        // A link that names only a language opens the start state in it.
        if (Object.keys(values).every((key) => key === 'lang')) {
            return;
        }
        const steps = [];
        if ('ref' in values) {
            steps.push(() => session.edit(0, values.ref));
        }
        if ('fsb' in values) {
            steps.push(() => session.edit(1, values.fsb));
            steps.push(() => (session.currentItem(1) < 0 ? { failed: false }
                : session.pick(1, session.currentItem(1))));
        }
        const unavailable = [];
        for (const [role, group] of groups) {
            const index = dividerCaptions(role).indexOf(values[linkKeys[2 + group]]);
            if (index >= 0) {
                steps.push(() => {
                    if (session.dividerEnabled(group, index)) {
                        return session.clickDivider(group, index);
                    }
                    // Named again in the language of the moment.
                    unavailable.push(() => {
                        const container = rows.find((row) => row.role === role).container;
                        const frame = rows.find((row) => row.objectName === container);
                        return `${frame.caption} ${values[linkKeys[2 + group]]}`;
                    });
                    return { failed: false };
                });
            }
        }
        steps.push(() => session.calculate());
        let outcome = null;
        for (const step of steps) {
            outcome = step();
            if (outcome.failed) {
                const reason = outcome.message.split('\n')[0];
                restart();
                say(() => text('linkFailed', reason));
                return;
            }
        }
        show();
        writeLink();
        companion?.follow();
        focusBox(Math.max(0, outcome.focusBox));
        if (unavailable.length > 0) {
            say(() => text('dividerUnavailable',
                unavailable.map((name) => name()).join(text('listSeparator'))));
        }
    }

    dialog.addEventListener('close', () => {
        if (blamedBox !== null && blamedBox >= 0) {
            focusBox(blamedBox);
        }
        blamedBox = null;
    });

    function openList(state) {
        if (!state.list.hidden) {
            return;
        }
        state.list.hidden = false;
        state.input.setAttribute('aria-expanded', 'true');
        // The item the text is, or none.
        setActive(state, session.currentItem(state.box));
    }

    function closeList(state) {
        state.list.hidden = true;
        state.input.setAttribute('aria-expanded', 'false');
        setActive(state, -1);
    }

    function setActive(state, index) {
        state.active = index;
        state.input.removeAttribute('aria-activedescendant');
        [...state.list.children].forEach((option, i) => {
            const on = i === index;
            option.classList.toggle('active', on);
            option.setAttribute('aria-selected', on ? 'true' : 'false');
            if (on) {
                option.scrollIntoView({ block: 'nearest' });
                state.input.setAttribute('aria-activedescendant', option.id);
            }
        });
    }

    function pick(state, index) {
        closeList(state);
        run(() => session.pick(state.box, index));
        if (!dialog.open) {
            state.input.select();
        }
    }

    function onComboKey(state, event) {
        const open = !state.list.hidden;
        // Page Up and Page Down step as the arrows do.
        const down = event.key === 'ArrowDown' || event.key === 'PageDown';
        const vertical = down || event.key === 'ArrowUp' || event.key === 'PageUp';
        if (event.altKey && (event.key === 'ArrowDown' || event.key === 'ArrowUp')) {
            event.preventDefault();
            if (open) {
                closeList(state);
            } else {
                openList(state);
            }
            return;
        }
        if (vertical && open) {
            // Moves the highlight; Enter or a click picks.
            event.preventDefault();
            const last = state.items.length - 1;
            const from = state.active;
            setActive(state, from < 0 ? (down ? 0 : last)
                : Math.min(last, Math.max(0, from + (down ? 1 : -1))));
            return;
        }
        if (vertical && !event.ctrlKey && !event.metaKey) {
            // The closed list: the program picks the item that follows the
            // text.
            event.preventDefault();
            run(() => session.step(state.box, down));
            if (!dialog.open) {
                state.input.select();
            }
            return;
        }
        if (!open) {
            return;
        }
        if (event.key === 'Enter') {
            event.preventDefault();
            event.stopPropagation();
            if (state.active >= 0) {
                pick(state, state.active);
            } else {
                closeList(state);
            }
        } else if (event.key === 'Escape') {
            event.preventDefault();
            closeList(state);
        }
    }

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

    // The page's language. The browser's first language decides, unless a
    // link or the switch chose one; the program says which, and every text
    // comes from it in that language. applyLanguage relabels whatever
    // controls are on the page, found by their object names.
    let languageChosen = false;
    const languageSwitch = document.createElement('nav');
    languageSwitch.id = 'language-switch';

    const relabel = {
        frame: (element, row) => {
            element.querySelector('legend').textContent = row.caption;
        },
        label: (element, row) => {
            element.textContent = row.caption;
        },
        option: (element, row) => {
            element.querySelector('span').textContent = row.caption;
        },
        button: (element, row) => {
            element.textContent = row.caption;
        },
        combobox: (element, row) => {
            element.querySelector('input').title = row.toolTip;
            element.querySelector('[role="listbox"]').setAttribute('aria-label', row.toolTip);
        },
        // A result's name, description and tip come with the panel (show).
        textbox: () => {},
    };

    function applyLanguage(code) {
        language = code;
        root.lang = code;
        session.setLanguage(code);
        rows = vectorItems(program.controls(code));
        for (const row of rows) {
            relabel[row.kind](form.querySelector(`[data-name="${CSS.escape(row.objectName)}"]`),
                row);
        }
        document.title = text('windowTitle');
        document.querySelector('meta[name="description"]').content = text('description');
        // The build's hash, which the build wrote beside its name.
        document.getElementById('build').textContent =
            text('build', document.getElementById('version').dataset.build);
        document.getElementById('failure-title').textContent = text('windowTitle');
        document.getElementById('failure-ok').textContent = text('ok');
        languageSwitch.setAttribute('aria-label', text('languageSwitch'));
        for (const button of languageSwitch.children) {
            button.setAttribute('aria-pressed', String(button.lang === code));
        }
        if (!notice.hidden && noticeLine) {
            say(noticeLine, !again.hidden);
        }
        show();
    }

    // A language the user chose, by a link or the switch: links made from
    // now on carry it.
    function chooseLanguage(code) {
        languageChosen = true;
        applyLanguage(program.languageCode(code));
    }

    // The language the page's link names, if it is a link of this page.
    function linkLanguage() {
        const values = location.hash.length > 1 ? readLink(location.hash.slice(1)) : null;
        return values && 'lang' in values ? program.languageCode(values.lang) : null;
    }

    // The address keeps the choice beside what it holds.
    function writeLanguage() {
        const parts = location.hash.slice(1).split('&')
            .filter((part) => part !== '' && !part.startsWith('lang='));
        history.replaceState(null, '', `#${[...parts, `lang=${language}`].join('&')}`);
    }

    // Each language's button names it in its own words.
    function createLanguageSwitch() {
        for (const code of vectorItems(program.languageCodes())) {
            const button = document.createElement('button');
            button.type = 'button';
            button.lang = code;
            button.textContent = program.pageText(code, 'languageName', '');
            button.addEventListener('click', () => {
                chooseLanguage(code);
                writeLanguage();
            });
            languageSwitch.append(button);
        }
        document.querySelector('footer').prepend(languageSwitch);
    }

    attach();
    createLanguageSwitch();
    applyLanguage(linkLanguage() ?? language);
    show();
    fit();
    addEventListener('resize', fit);
    // Typing at once replaces the preset crystal, unless the focus was put
    // in the window while the program loaded.
    if (!form.contains(document.activeElement)) {
        focusBox(0);
    }
    // The table, chart and planner beside the window (companion.js), which
    // follow each calculation and put a chosen row in the window as picks.
    const companion = window.quenvaleCompanion?.({
        program,
        items: vectorItems,
        session: () => session,
        pick: (box, index) => run(() => session.pick(box, index)),
        calculate,
    });
    openLink();
    // What was done in the window while the program loaded, done again.
    window.quenvaleHeld?.();
    // A link pasted into the address bar of the open page.
    addEventListener('hashchange', () => {
        restart(true);
        openLink();
    });
    // A tap outside a result hides its tip.
    document.addEventListener('pointerdown', (event) => {
        if (tipFor && event.target !== tipFor) {
            hideTip(tipFor);
        }
    });
    form.removeAttribute('aria-busy');
    document.documentElement.dataset.ready = String(performance.now());
})();

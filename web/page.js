// Draws the window from the layout the program exports, forwards every
// gesture to the program's panel and shows the panel's state after each
// one. Nothing here computes, reads or writes a number: every text shown
// comes from the panel.
'use strict';

(async () => {
    const TWIPS_PER_PIXEL = 15;
    const program = await QuenvaleModule();
    const form = document.getElementById('Form1');
    const dialog = document.getElementById('failure');

    const pixels = (twips) => `${twips / TWIPS_PER_PIXEL}px`;
    // CSS ids may not hold "(" and ")": elements are found by object name.
    const byName = (name) => form.querySelector(`[data-name="${name}"]`);

    let panel = new program.PagePanel();
    // Where the focus goes back to once the warning is closed.
    let blamedBox = null;

    const rows = [];
    const controls = program.controls();
    for (let i = 0; i < controls.size(); ++i) {
        rows.push(controls.get(i));
    }
    controls.delete();

    const combos = [];
    const options = [[], []];
    const results = [];
    let calculateButton = null;

    function placed(element, row) {
        element.dataset.name = row.name;
        element.style.left = pixels(row.left);
        element.style.top = pixels(row.top);
        element.style.width = pixels(row.width);
        element.style.height = pixels(row.height);
        return element;
    }

    function elementId(name) {
        return name.replace('(', '-').replace(')', '');
    }

    function createFrame(row) {
        const frame = document.createElement('fieldset');
        frame.className = 'frame';
        const legend = document.createElement('legend');
        legend.textContent = row.caption;
        frame.append(legend);
        return frame;
    }

    function createLabel(row) {
        const label = document.createElement(row.labelFor ? 'label' : 'span');
        label.className = row.name === 'Label7' ? 'label credit' : 'label';
        label.id = elementId(row.name);
        label.textContent = row.caption;
        if (row.labelFor) {
            label.htmlFor = elementId(row.labelFor);
        }
        return label;
    }

    // An editable text with a drop-down list, as the ARIA combobox pattern
    // describes it.
    function createCombo(row, box) {
        const combo = document.createElement('div');
        combo.className = 'combo';
        const input = document.createElement('input');
        input.type = 'text';
        input.id = elementId(row.name);
        input.setAttribute('role', 'combobox');
        input.setAttribute('aria-expanded', 'false');
        input.setAttribute('aria-autocomplete', 'none');
        input.autocomplete = 'off';
        input.spellcheck = false;
        input.value = row.caption;
        if (row.toolTip) {
            input.title = row.toolTip;
        }
        const list = document.createElement('ul');
        list.id = `${input.id}-list`;
        list.setAttribute('role', 'listbox');
        list.hidden = true;
        input.setAttribute('aria-controls', list.id);
        const drop = document.createElement('button');
        drop.type = 'button';
        drop.className = 'drop';
        drop.tabIndex = -1;
        drop.setAttribute('aria-label', '一覧');
        drop.textContent = '▼';
        combo.append(input, drop, list);

        const state = { box, input, list, active: -1, items: [] };
        combos[box] = state;

        input.addEventListener('input', () => run(() => panel.editInput(box, input.value)));
        input.addEventListener('keydown', (event) => onComboKey(state, event));
        input.addEventListener('blur', () => closeList(state));
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
                pick(state, Number(option.dataset.index));
            }
        });
        return combo;
    }

    function createOption(row) {
        const group = row.name.startsWith('Option1') ? 0 : 1;
        const index = options[group].length;
        const label = document.createElement('label');
        label.className = 'option';
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = row.container;
        radio.id = elementId(row.name);
        const caption = document.createElement('span');
        caption.textContent = row.caption;
        label.append(radio, caption);
        // A click, or the arrow keys moving the selection within the frame.
        radio.addEventListener('click', () => run(() => panel.clickDivider(group, index)));
        options[group].push(radio);
        return label;
    }

    function createButton(row) {
        const button = document.createElement('button');
        button.type = 'button';
        button.className = 'command';
        button.id = elementId(row.name);
        button.textContent = row.caption;
        if (row.name === 'Command1') {
            calculateButton = button;
            button.addEventListener('click', () => run(() => panel.calculate()));
        } else {
            button.addEventListener('click', () => run(() => panel.exit()));
        }
        return button;
    }

    function createResult(row) {
        const box = document.createElement('input');
        box.type = 'text';
        box.className = 'result';
        box.id = elementId(row.name);
        box.readOnly = true;
        box.value = row.caption;
        box.setAttribute('aria-description', 'MHz');
        results.push(box);
        return box;
    }

    function build() {
        form.style.width = pixels(program.clientWidthTwips);
        form.style.height = pixels(program.clientHeightTwips);
        const elements = new Map([['Form1', form]]);
        let comboCount = 0;
        for (const row of rows) {
            let element;
            switch (row.kind) {
                case 'frame': element = createFrame(row); break;
                case 'label': element = createLabel(row); break;
                case 'combo': element = createCombo(row, comboCount++); break;
                case 'option': element = createOption(row); break;
                case 'button': element = createButton(row); break;
                default: element = createResult(row); break;
            }
            elements.set(row.name, placed(element, row));
        }
        // Appended in tab order, so that Tab follows the layout's order.
        const byTab = [...rows].sort((a, b) => a.tabIndex - b.tabIndex);
        for (const row of byTab) {
            elements.get(row.container).append(elements.get(row.name));
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
            option.id = `${state.list.id}-${i}`;
            option.dataset.index = String(i);
            option.textContent = item;
            return option;
        }));
    }

    function listItems(box) {
        const list = panel.listItems(box);
        const items = [];
        for (let i = 0; i < list.size(); ++i) {
            items.push(list.get(i));
        }
        list.delete();
        return items;
    }

    // Sets every control from the panel.
    function show() {
        for (const state of combos) {
            const text = panel.text(state.box);
            // Left alone when it holds the text, so the caret stays put.
            if (state.input.value !== text) {
                state.input.value = text;
            }
            fillList(state, listItems(state.box));
        }
        options.forEach((radios, group) => {
            radios.forEach((radio, i) => {
                radio.disabled = !panel.dividerEnabled(group, i);
                radio.checked = panel.dividerSelected(group, i);
            });
        });
        results.forEach((box, i) => {
            const text = panel.result(i);
            if (box.value !== text) {
                box.value = text;
                box.setSelectionRange(0, 0);
            }
            const hint = panel.hint(i);
            box.classList.toggle('caution', hint === 'caution');
            box.classList.toggle('danger', hint === 'danger');
            const why = panel.hintText(i);
            box.title = why;
            box.setAttribute('aria-description', why || 'MHz');
        });
        calculateButton.disabled = !panel.calculateEnabled();
    }

    function run(action) {
        const outcome = action();
        show();
        if (outcome.failed) {
            blamedBox = outcome.focusBox >= 0 ? combos[outcome.focusBox].input : null;
            document.getElementById('failure-message').textContent = outcome.message;
            dialog.showModal();
        }
        if (panel.exitRequested()) {
            restart();
        }
    }

    // 終了: the page starts over as the window would when opened again, and
    // closes where the browser lets a page close itself.
    function restart() {
        panel.delete();
        panel = new program.PagePanel();
        for (const state of combos) {
            closeList(state);
        }
        show();
        combos[0].input.focus();
        window.close();
    }

    dialog.addEventListener('close', () => {
        if (blamedBox) {
            blamedBox.focus();
            blamedBox.select();
            blamedBox = null;
        }
    });

    function openList(state) {
        if (!state.list.hidden) {
            return;
        }
        state.list.hidden = false;
        state.input.setAttribute('aria-expanded', 'true');
        setActive(state, state.items.indexOf(state.input.value));
    }

    function closeList(state) {
        state.list.hidden = true;
        state.input.setAttribute('aria-expanded', 'false');
        state.input.removeAttribute('aria-activedescendant');
        setActive(state, -1);
    }

    function setActive(state, index) {
        state.active = index;
        for (const option of state.list.children) {
            const on = Number(option.dataset.index) === index;
            option.classList.toggle('active', on);
            option.setAttribute('aria-selected', on ? 'true' : 'false');
            if (on) {
                option.scrollIntoView({ block: 'nearest' });
                state.input.setAttribute('aria-activedescendant', option.id);
            }
        }
        if (index < 0) {
            state.input.removeAttribute('aria-activedescendant');
        }
    }

    function pick(state, index) {
        closeList(state);
        run(() => panel.pickListItem(state.box, index));
        state.input.select();
    }

    function step(state, by) {
        const current = state.list.hidden ? state.items.indexOf(state.input.value) : state.active;
        const last = state.items.length - 1;
        return current < 0 ? (by > 0 ? 0 : last) : Math.min(last, Math.max(0, current + by));
    }

    function onComboKey(state, event) {
        const open = !state.list.hidden;
        if (event.altKey && (event.key === 'ArrowDown' || event.key === 'ArrowUp')) {
            event.preventDefault();
            if (open) {
                closeList(state);
            } else {
                openList(state);
            }
            return;
        }
        if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
            event.preventDefault();
            const target = step(state, event.key === 'ArrowDown' ? 1 : -1);
            if (open) {
                setActive(state, target);
            } else if (target !== state.items.indexOf(state.input.value)) {
                // A closed list steps to the next item and picks it.
                pick(state, target);
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
        if (event.key !== 'Enter' || event.altKey || event.ctrlKey || event.metaKey ||
            event.shiftKey || event.target.tagName === 'BUTTON') {
            return;
        }
        event.preventDefault();
        if (panel.calculateEnabled()) {
            run(() => panel.calculate());
        }
    });

    build();
    show();
    combos[0].input.focus();
    form.removeAttribute('aria-busy');
    document.documentElement.dataset.ready = String(performance.now());
})();

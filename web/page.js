// Draws the window from the description the program exports, forwards
// every gesture to the program's session and shows the panel after each
// one. Nothing here computes, reads or writes a number: every text shown
// comes from the program, and so does where the focus goes.
'use strict';

(async () => {
    const program = await QuenvaleModule();
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

    let session = new program.PageSession();
    // The box to hand the focus back to once the warning is closed.
    let blamedBox = null;

    const rows = vectorItems(program.controls());
    const names = vectorItems(program.styleNames());
    vectorItems(program.styleValues()).forEach((value, i) => {
        document.documentElement.style.setProperty(names[i], value);
    });
    // Whether the face the layout was drawn for is missing: a text set in it
    // then measures as in the fallback alone.
    const probe = document.createElement('canvas').getContext('2d');
    const widthIn = (family) => {
        probe.font = `40px ${family}`;
        return probe.measureText('0123456789.E+').width;
    };
    const drawnFor = getComputedStyle(document.documentElement).getPropertyValue('--face')
        .split(',').slice(0, 2).join(',');
    document.documentElement.classList.toggle('substitute-face',
        widthIn(`${drawnFor}, monospace`) === widthIn('monospace'));
    const twipsPerPixel = program.twipsPerPixel;
    const pixels = (twips) => `${twips / twipsPerPixel}px`;

    const combos = [];
    const dividers = { pciDivider: [], agpDivider: [] };
    const results = [];
    let calculateButton = null;

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
        label.className = row.role === 'creditLine' ? 'label credit' : 'label';
        label.textContent = row.caption;
        if (row.labelFor) {
            label.htmlFor = row.labelFor;
        }
        return label;
    }

    // An editable text with a drop-down list, as the ARIA combobox pattern
    // has it; the element with the id is the text field.
    function createCombo(row) {
        const box = row.role === 'referenceBox' ? 0 : 1;
        const combo = document.createElement('div');
        combo.className = 'combo';
        const input = document.createElement('input');
        input.type = 'text';
        input.id = row.objectName;
        input.setAttribute('role', 'combobox');
        input.setAttribute('aria-expanded', 'false');
        input.setAttribute('aria-autocomplete', 'none');
        input.autocomplete = 'off';
        input.spellcheck = false;
        input.value = row.caption;
        input.title = row.toolTip;
        const list = document.createElement('ul');
        list.id = `${row.objectName}-list`;
        list.setAttribute('role', 'listbox');
        list.setAttribute('aria-label', row.toolTip);
        list.hidden = true;
        input.setAttribute('aria-controls', list.id);
        const drop = document.createElement('button');
        drop.type = 'button';
        drop.className = 'drop';
        drop.tabIndex = -1;
        drop.textContent = '▼';
        // The text field is the combobox; the button is for the mouse.
        drop.setAttribute('aria-hidden', 'true');
        combo.append(input, drop, list);

        const state = { box, input, list, active: -1, items: [] };
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
                pick(state, Number(option.dataset.index));
            }
        });
        return combo;
    }

    function createOption(row) {
        const group = row.role === 'pciDivider' ? 0 : 1;
        const label = document.createElement('label');
        label.className = 'option';
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = row.container;
        radio.id = row.objectName;
        const caption = document.createElement('span');
        caption.textContent = row.caption;
        label.append(radio, caption);
        // A click, or the arrow keys moving the selection within the frame.
        radio.addEventListener('click', () => run(() => session.clickDivider(group, row.index)));
        dividers[row.role][row.index] = radio;
        return label;
    }

    function createButton(row) {
        const button = document.createElement('button');
        button.type = 'button';
        button.className = 'command';
        button.id = row.objectName;
        button.textContent = row.caption;
        if (row.role === 'calculateButton') {
            calculateButton = button;
            button.addEventListener('click', () => run(() => session.calculate()));
        } else {
            button.addEventListener('click', () => run(() => session.exit()));
        }
        return button;
    }

    function createResult(row) {
        const box = document.createElement('input');
        box.type = 'text';
        box.className = 'result';
        box.id = row.objectName;
        box.readOnly = true;
        box.value = row.caption;
        results[row.index] = box;
        // The tip shows on hover, and when the keyboard brings the focus.
        box.addEventListener('mouseenter', () => showTip(box));
        box.addEventListener('mouseleave', () => hideTip(box));
        box.addEventListener('focus', () => {
            if (box.matches(':focus-visible')) {
                showTip(box);
            }
        });
        box.addEventListener('blur', () => hideTip(box));
        box.addEventListener('keydown', (event) => {
            if (event.key === 'Escape') {
                hideTip(box);
            }
        });
        return box;
    }

    // A result's tool tip stands right of the results frame, level with its
    // box, so that it covers neither the box, its unit nor the box below.
    const tip = document.createElement('div');
    tip.id = 'result-tip';
    tip.setAttribute('role', 'tooltip');
    tip.hidden = true;
    let tipFor = null;

    function showTip(box) {
        tipFor = box;
        tip.textContent = box.dataset.tip;
        tip.hidden = !box.dataset.tip;
        tip.style.left = `${box.parentElement.offsetLeft + box.parentElement.offsetWidth}px`;
        tip.style.top = `${box.parentElement.offsetTop + box.offsetTop}px`;
    }

    function hideTip(box) {
        if (tipFor === box) {
            tip.hidden = true;
            tipFor = null;
        }
    }

    const creators = {
        frame: createFrame,
        label: createLabel,
        combobox: createCombo,
        option: createOption,
        button: createButton,
        textbox: createResult,
    };

    function build() {
        const elements = new Map([[program.windowName(), form]]);
        for (const row of rows) {
            const element = creators[row.kind](row);
            element.dataset.name = row.objectName;
            element.style.left = pixels(row.left);
            element.style.top = pixels(row.top);
            element.style.width = pixels(row.width);
            element.style.height = pixels(row.height);
            elements.set(row.objectName, element);
        }
        // Appended in tab order, so that Tab follows the layout's order.
        const byTab = [...rows].sort((a, b) => a.tabIndex - b.tabIndex);
        for (const row of byTab) {
            elements.get(row.container).append(elements.get(row.objectName));
        }
        form.append(tip);
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
            option.dataset.index = String(i);
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
        results.forEach((box, i) => {
            const text = session.result(i);
            // Rewriting an unchanged result would drop the user's selection.
            if (box.value !== text) {
                box.value = text;
                // A result too long for its box shows its first digits.
                box.setSelectionRange(0, 0);
                box.scrollLeft = 0;
            }
            const hint = session.hint(i);
            box.classList.toggle('caution', hint === 'caution');
            box.classList.toggle('danger', hint === 'danger');
            box.dataset.tip = session.resultToolTip(i, box.scrollWidth <= box.clientWidth);
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
            restart();
        }
    }

    // 終了: the page starts over as the window would when opened again, and
    // closes where the browser lets a page close itself.
    function restart() {
        session.delete();
        session = new program.PageSession();
        for (const state of combos) {
            closeList(state);
        }
        show();
        focusBox(0);
        window.close();
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
        for (const option of state.list.children) {
            const on = Number(option.dataset.index) === index;
            option.classList.toggle('active', on);
            option.setAttribute('aria-selected', on ? 'true' : 'false');
            if (on) {
                option.scrollIntoView({ block: 'nearest' });
                state.input.setAttribute('aria-activedescendant', option.id);
            }
        }
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
            run(() => session.calculate());
        }
    });

    document.title = program.windowTitle();
    document.getElementById('failure-title').textContent = program.windowTitle();
    build();
    show();
    // Typing at once replaces the preset crystal.
    focusBox(0);
    form.removeAttribute('aria-busy');
    document.documentElement.dataset.ready = String(performance.now());
})();

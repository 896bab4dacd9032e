// An input box of the window as the ARIA combobox pattern has it: a text
// field with a ▼ button and a list of presets. What the user types, picks
// or steps to goes to `actions` (the program's session for this box):
// edit(text), pick(index) and step(down) each return the event's outcome,
// and currentItem() is the item the text is, or -1. Nothing here decides
// what a pick does to the window.
function createCombobox(parts, actions) {
    const { input, drop, list } = parts;
    let items = [...list.children].map((option) => option.textContent);
    let active = -1;

    function setActive(index) {
        active = index;
        input.removeAttribute('aria-activedescendant');
        [...list.children].forEach((option, i) => {
            const on = i === index;
            option.classList.toggle('active', on);
            option.setAttribute('aria-selected', on ? 'true' : 'false');
            if (on) {
                option.scrollIntoView({ block: 'nearest' });
                input.setAttribute('aria-activedescendant', option.id);
            }
        });
    }

    function open() {
        if (!list.hidden) {
            return;
        }
        list.hidden = false;
        input.setAttribute('aria-expanded', 'true');
        // The item the text is, or none.
        setActive(actions.currentItem());
    }

    function close() {
        list.hidden = true;
        input.setAttribute('aria-expanded', 'false');
        setActive(-1);
    }

    // The text stays selected after a pick or a step that the program took,
    // ready to be typed over.
    function selectAfter(outcome) {
        if (!outcome.failed) {
            input.select();
        }
    }

    function pick(index) {
        close();
        selectAfter(actions.pick(index));
    }

    function onKey(event) {
        const opened = !list.hidden;
        // Page Up and Page Down step as the arrows do.
        const down = event.key === 'ArrowDown' || event.key === 'PageDown';
        const vertical = down || event.key === 'ArrowUp' || event.key === 'PageUp';
        if (event.altKey && (event.key === 'ArrowDown' || event.key === 'ArrowUp')) {
            event.preventDefault();
            if (opened) {
                close();
            } else {
                open();
            }
            return;
        }
        if (vertical && opened) {
            // Moves the highlight; Enter or a click picks.
            event.preventDefault();
            const last = items.length - 1;
            setActive(active < 0 ? (down ? 0 : last)
                : Math.min(last, Math.max(0, active + (down ? 1 : -1))));
            return;
        }
        if (vertical && !event.ctrlKey && !event.metaKey) {
            // The closed list: the program picks the item that follows the
            // text.
            event.preventDefault();
            selectAfter(actions.step(down));
            return;
        }
        if (!opened) {
            return;
        }
        if (event.key === 'Enter') {
            event.preventDefault();
            event.stopPropagation();
            if (active >= 0) {
                pick(active);
            } else {
                close();
            }
        } else if (event.key === 'Escape') {
            event.preventDefault();
            close();
        }
    }

    // Text an input method is still composing is not typed yet: the edit
    // happens when it is committed.
    input.addEventListener('input', (event) => {
        if (!event.isComposing) {
            actions.edit(input.value);
        }
    });
    input.addEventListener('compositionend', () => actions.edit(input.value));
    input.addEventListener('keydown', (event) => {
        if (!event.isComposing) {
            onKey(event);
        }
    });
    input.addEventListener('blur', close);
    // The button and the list never take the focus from the text.
    drop.addEventListener('mousedown', (event) => event.preventDefault());
    drop.addEventListener('click', () => {
        input.focus();
        if (list.hidden) {
            open();
        } else {
            close();
        }
    });
    list.addEventListener('mousedown', (event) => event.preventDefault());
    list.addEventListener('click', (event) => {
        const option = event.target.closest('[role="option"]');
        if (option) {
            pick([...list.children].indexOf(option));
        }
    });

    return {
        input,
        close,
        // Shows `text` in the field, left alone when it holds it so that the
        // caret stays put.
        setText(text) {
            if (input.value !== text) {
                input.value = text;
            }
        },
        // The list's items, written again only when they changed.
        setItems(next) {
            if (next.length === items.length && next.every((item, i) => item === items[i])) {
                return;
            }
            items = next;
            list.replaceChildren(...next.map((item, i) => {
                const option = document.createElement('li');
                option.setAttribute('role', 'option');
                option.setAttribute('aria-selected', 'false');
                option.id = `${list.id}-${i}`;
                option.textContent = item;
                return option;
            }));
        },
        // The text selected, to be typed over; `options` as focus() takes
        // them.
        focus(options) {
            input.focus(options);
            input.select();
        },
    };
}

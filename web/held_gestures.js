// The window's controls take input from the first frame, while the program
// is still loading: what the user does with them until it takes them over
// is kept here, in order, and done again through it then (quenvaleHeld),
// so that nothing typed, tapped or pressed early is lost.
'use strict';

(() => {
    const form = document.getElementById('Form1');
    const held = [];
    // A control by its id; a list's button, which has none, by its box's.
    const idOf = (element) => (element.matches('.drop') ?
        element.parentElement.querySelector('input').id : element.id);
    const find = (id, drop) => {
        const element = document.getElementById(id);
        return drop ? element?.parentElement.querySelector('.drop') : element;
    };
    const keep = (event) => {
        const target = event.target;
        if (!event.isTrusted || !(target instanceof Element) || !idOf(target)) {
            return;
        }
        if (event.type === 'input' || event.type === 'compositionend') {
            held.push({ type: event.type, id: target.id, value: target.value,
                isComposing: Boolean(event.isComposing) });
        } else if (event.type === 'keydown') {
            held.push({ type: event.type, id: target.id, key: event.key, code: event.code,
                altKey: event.altKey, ctrlKey: event.ctrlKey, metaKey: event.metaKey,
                shiftKey: event.shiftKey, isComposing: event.isComposing });
        } else {
            held.push({ type: event.type, id: idOf(target), drop: target.matches('.drop') });
        }
    };
    const kinds = ['input', 'compositionend', 'keydown', 'click'];
    for (const kind of kinds) {
        form.addEventListener(kind, keep, true);
    }
    performance.mark('quenvale-input');

    // Stops keeping, and does what was kept again on the controls now
    // driven by the program: the same events on the same elements.
    window.quenvaleHeld = () => {
        for (const kind of kinds) {
            form.removeEventListener(kind, keep, true);
        }
        for (const { type, id, drop, value, ...details } of held) {
            const element = find(id, drop);
            if (!element) {
                continue;
            }
            if (type === 'click') {
                element.click();
                continue;
            }
            let event;
            if (type === 'keydown') {
                event = new KeyboardEvent(type, { ...details, bubbles: true, cancelable: true });
            } else {
                element.value = value;
                event = type === 'input' ?
                    new InputEvent(type, { isComposing: details.isComposing, bubbles: true }) :
                    new CompositionEvent(type, { bubbles: true });
            }
            element.dispatchEvent(event);
        }
        return held.length > 0;
    };
})();

// The window's controls take input from the first frame, while the program
// is still loading: what the user does with them until it takes them over
// is kept here, in order, and done again through it then, so that nothing
// typed, tapped or pressed early is lost. Returns the function that stops
// keeping and does it all again.
function holdGestures(form) {
    const held = [];
    const keep = (event) => {
        const target = event.target;
        // A list's button opens a list that cannot show yet, and text an
        // input method is still composing is not typed yet.
        if (!event.isTrusted || !(target instanceof Element) || !target.id ||
            (event.type === 'input' && event.isComposing)) {
            return;
        }
        if (event.type === 'input' || event.type === 'compositionend') {
            held.push({ type: event.type, id: target.id, value: target.value });
        } else if (event.type === 'keydown') {
            held.push({ type: event.type, id: target.id, key: event.key, code: event.code,
                altKey: event.altKey, ctrlKey: event.ctrlKey, metaKey: event.metaKey,
                shiftKey: event.shiftKey, isComposing: event.isComposing });
        } else {
            held.push({ type: event.type, id: target.id });
        }
    };
    const kinds = ['input', 'compositionend', 'keydown', 'click'];
    for (const kind of kinds) {
        form.addEventListener(kind, keep, true);
    }
    performance.mark('quenvale-input');

    // Stops keeping, and does what was kept again on the controls now
    // driven by the program: the same events on the same elements, up to
    // one that ends the program or opens its warning, as the user would
    // have stopped there.
    return () => {
        for (const kind of kinds) {
            form.removeEventListener(kind, keep, true);
        }
        for (const { type, id, value, ...details } of held) {
            const element = document.getElementById(id);
            if (form.inert || document.querySelector('dialog[open]')) {
                break;
            }
            if (!element) {
                continue;
            }
            if (type === 'click') {
                element.click();
            } else if (type === 'keydown') {
                element.dispatchEvent(new KeyboardEvent(type,
                    { ...details, bubbles: true, cancelable: true }));
            } else {
                if (element.value !== value) {
                    element.value = value;
                }
                element.dispatchEvent(type === 'input' ? new InputEvent(type, { bubbles: true }) :
                    new CompositionEvent(type, { bubbles: true }));
            }
        }
    };
}

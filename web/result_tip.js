// A result box's tool tip: shown on hover, when the keyboard brings the
// focus, and on a tap; hidden on leaving, Escape, or a tap elsewhere. Its
// text is the box's data-tip, which the page sets from the program.
//
// It stands right of the results frame, level with its box, so that it
// covers neither the box, its unit nor the box below; where there is no
// room on the right, even wrapped narrower, it stands left of the frame, or
// else above the box, always within the viewport.
function createResultTip(form) {
    const root = document.documentElement;
    const tip = document.createElement('div');
    tip.id = 'result-tip';
    tip.setAttribute('role', 'tooltip');
    tip.hidden = true;
    form.append(tip);
    let shownFor = null;
    // Whether the keyboard moved the focus last: not every engine says so
    // through :focus-visible.
    let byKeyboard = false;
    document.addEventListener('keydown', () => {
        byKeyboard = true;
    }, true);
    document.addEventListener('pointerdown', (event) => {
        byKeyboard = false;
        // A tap outside a result hides its tip.
        if (shownFor && event.target !== shownFor) {
            hide(shownFor);
        }
    }, true);

    function show(box) {
        shownFor = box;
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

    function hide(box) {
        if (shownFor === box) {
            tip.hidden = true;
            shownFor = null;
        }
    }

    return {
        // Has the box show its tip as a tool tip does.
        attach(box) {
            box.addEventListener('mouseenter', () => show(box));
            box.addEventListener('mouseleave', () => hide(box));
            box.addEventListener('focus', () => {
                if (byKeyboard || box.matches(':focus-visible')) {
                    show(box);
                }
            });
            box.addEventListener('blur', () => hide(box));
            // On a touch screen a tap shows the tip.
            box.addEventListener('click', () => show(box));
            box.addEventListener('keydown', (event) => {
                if (event.key === 'Escape') {
                    hide(box);
                }
            });
        },
        // The box's new tip, where it is showing.
        update(box) {
            if (shownFor === box) {
                show(box);
            }
        },
        hideAll() {
            if (shownFor) {
                hide(shownFor);
            }
        },
    };
}

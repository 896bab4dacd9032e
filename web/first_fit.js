// Sizes the window before its first frame, while the program is still
// loading, so that the page never jumps when the program takes over.
// Returns the function that sizes it again (when the viewport changes),
// which says whether the scale changed.
function fitWindow(form) {
    const root = document.documentElement;

    // Whether the face the layout was drawn for is missing: a text set in it
    // then measures as in the fallback alone.
    const probe = document.createElement('canvas').getContext('2d');
    const widthIn = (family) => {
        probe.font = `40px ${family}`;
        return probe.measureText('0123456789.E+').width;
    };
    const drawnFor = getComputedStyle(root).getPropertyValue('--face')
        .split(',').slice(0, 2).join(',');
    root.classList.toggle('substitute-face',
        widthIn(`${drawnFor}, monospace`) === widthIn('monospace'));

    // The size text is drawn at, against the size asked for.
    const line = (factor) => {
        const span = document.createElement('span');
        span.className = 'probe';
        span.textContent = '0';
        span.style.fontSize = `calc(var(--control-size) * ${factor})`;
        document.body.append(span);
        return span;
    };
    const probes = [line(1), line(4)];

    // The window's scale. A browser that draws text larger than asked (a
    // minimum font size) makes the whole window grow with its text, so that
    // nothing is cut or wraps. A touch screen has the window as large as
    // the screen holds it whole, its results in view: the width of a
    // portrait screen; the height of a landscape one, where the window
    // leaves beside it the room the table and planner need (at least
    // 20rem, and two fifths of the screen). A desktop browser otherwise
    // shows it at its size and zooms it itself. Says whether the scale
    // changed.
    let scale = 1;
    const fit = () => {
        const [asked, large] = probes.map((span) => span.getBoundingClientRect().height);
        const touch = matchMedia('(pointer: coarse)').matches;
        root.classList.toggle('fit', touch);
        // The window's size at scale 1: its border does not scale.
        const edges = getComputedStyle(form);
        const border = parseFloat(edges.borderLeftWidth) + parseFloat(edges.borderRightWidth);
        const box = form.getBoundingClientRect();
        const wide = (box.width - border) / scale + border;
        const tall = (box.height - border) / scale + border;
        const width = root.clientWidth;
        // 4 px each side: the body's padding on a touch screen, which the
        // window may take to hold enlarged text, but no more: a phone's
        // screen is never scrolled sideways.
        let across = 1;
        if (touch) {
            across = (width - 8) / wide;
            const high = (innerHeight - 8) / tall;
            if (high < across) {
                const rem = parseFloat(getComputedStyle(root).fontSize);
                const companion = Math.max(20 * rem, 0.4 * width);
                const gap = parseFloat(getComputedStyle(document.body).columnGap) || 0;
                across = Math.max(1, Math.min(high, (width - 8 - gap - companion) / wide));
            }
        }
        let next = Math.max(1, across, (4 * asked) / large);
        if (touch) {
            next = Math.min(next, width / wide);
            root.classList.toggle('edge', next > across);
        }
        if (Math.abs(next - scale) <= 0.001) {
            return false;
        }
        scale = next;
        root.style.setProperty('--scale', String(scale));
        return true;
    };
    fit();
    return fit;
}

// A variant of a part of the page: what differs in it in another language
// or scheme, as changes to the markup the build wrote, which the early
// script applies before the first frame. The build finds them by writing
// the part both ways (markupChanges); the page applies them
// (applyVariant). Each change is [the element's index in document order,
// the part's own element counting as 0, an attribute's name, its value or
// null to remove it] or [index, n, the text before the element's n-th
// child element, or after its last, '' for none]. A long value met before
// is the number of the change that first had it: the table's marks repeat
// their long tips. The indices hold only where the parser makes of the
// markup exactly the elements it spells: no element it implies (a table's
// rows outside a <tbody>), none it closes early (a <p> before a <div>).

// The elements of markup as renderHtml and openTag write it, in document
// order: each one's tag, its attributes and the texts between its child
// elements (texts[i] comes before the i-th, the last after them all).
function elementsOf(markup) {
    const unescape = (text) => text.replaceAll('&lt;', '<').replaceAll('&gt;', '>')
        .replaceAll('&quot;', '"').replaceAll('&amp;', '&');
    const elements = [];
    const open = [];
    const token = /<(\/?)([a-zA-Z][\w-]*)((?:\s+[^\s=>/]+(?:="[^"]*")?)*)(\/?)>|([^<]+)/gy;
    let at = 0;
    for (const [whole, closing, tag, attributeText, selfClosing, text] of markup.matchAll(token)) {
        at += whole.length;
        const parent = open.at(-1);
        if (text !== undefined) {
            parent.texts[parent.children] = unescape(text);
        } else if (closing) {
            open.pop();
        } else {
            const attributes = {};
            for (const [, name, value] of attributeText.matchAll(/\s+([^\s=>/]+)(?:="([^"]*)")?/g)) {
                attributes[name] = unescape(value ?? '');
            }
            const element = { tag, attributes, texts: [], children: 0 };
            if (parent) {
                parent.children += 1;
            }
            elements.push(element);
            if (!selfClosing && !voidTags.has(tag)) {
                open.push(element);
            }
        }
    }
    if (at !== markup.length || open.length) {
        throw new Error(`markup not read to its end at ${at}: ${markup.slice(at, at + 40)}`);
    }
    return elements;
}

// The changes that turn the markup `from` into `to`; the two must have the
// same elements, each with as many children.
function markupChanges(from, to, what) {
    const before = elementsOf(from);
    const after = elementsOf(to);
    const changes = [];
    if (before.length !== after.length) {
        throw new Error(`${what}: ${after.length} elements, not ${before.length}`);
    }
    const first = new Map();
    const change = (index, key, value) => {
        if (first.has(value)) {
            changes.push([index, key, first.get(value)]);
            return;
        }
        // Longer than the number that would name it.
        if (typeof value === 'string' && value.length > 4) {
            first.set(value, changes.length);
        }
        changes.push([index, key, value]);
    };
    before.forEach((old, index) => {
        const now = after[index];
        if (old.tag !== now.tag || old.children !== now.children) {
            throw new Error(`${what}: element ${index} is <${now.tag}>, not <${old.tag}>`);
        }
        for (const name of new Set([...Object.keys(old.attributes),
            ...Object.keys(now.attributes)])) {
            if (old.attributes[name] !== now.attributes[name]) {
                change(index, name, now.attributes[name] ?? null);
            }
        }
        for (let slot = 0; slot <= now.children; slot += 1) {
            if ((old.texts[slot] ?? '') !== (now.texts[slot] ?? '')) {
                change(index, slot, now.texts[slot] ?? '');
            }
        }
    });
    return changes;
}

// The changes to each part of the page, from `parts`: the changes by each
// part's selector.
function applyVariant(parts) {
    for (const [selector, changes] of Object.entries(parts)) {
        applyChanges(document.querySelector(selector), changes);
    }
}

// The changes to one part, its element given.
function applyChanges(part, changes) {
    const elements = [part, ...part.getElementsByTagName('*')];
    for (const [index, name, given] of changes) {
        const element = elements[index];
        const value = typeof given === 'number' ? changes[given][2] : given;
        if (typeof name === 'string') {
            if (value === null) {
                element.removeAttribute(name);
            } else {
                element.setAttribute(name, value);
            }
            continue;
        }
        const next = element.children[name] ?? null;
        const text = next ? next.previousSibling : element.lastChild;
        if (text?.nodeType === Node.TEXT_NODE) {
            text.remove();
        }
        if (value !== '') {
            element.insertBefore(document.createTextNode(value), next);
        }
    }
}

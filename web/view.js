// A part of the page as a plain tree of elements: written once as HTML by
// the build, so that the first frame holds it, and kept up to date in the
// page by patching the elements the build wrote. Its structure is stated
// once, in the functions that make the tree.
//
// h(tag, attributes, ...children) is an element. Children are trees and
// texts; null, false, undefined and '' are left out, and arrays are spread.
// An attribute whose value is false, null or undefined is left out; true
// writes it bare.
function h(tag, attributes, ...children) {
    return {
        tag,
        attributes: attributes ?? {},
        children: children.flat(Infinity)
            .filter((child) => child !== null && child !== undefined && child !== false &&
                child !== ''),
    };
}

// An element the page has, to stay as it is: a patch leaves it alone.
function unchanged(tag) {
    return { tag, kept: true, attributes: {}, children: [] };
}

// The attribute's text, or null where it is left out.
function attributeText(value) {
    if (value === false || value === null || value === undefined) {
        return null;
    }
    return value === true ? '' : String(value);
}

const escapeText = (text) => String(text).replaceAll('&', '&amp;').replaceAll('<', '&lt;')
    .replaceAll('>', '&gt;');
// A quoted attribute holds anything but its quote and what starts a
// reference.
const escapeAttribute = (text) => String(text).replaceAll('&', '&amp;').replaceAll('"', '&quot;');

// <tag a="b" …>, its attributes escaped.
function openTag(tag, attributes) {
    let html = `<${tag}`;
    for (const [name, value] of Object.entries(attributes)) {
        const text = attributeText(value);
        if (text === '') {
            html += ` ${name}`;
        } else if (text !== null) {
            html += ` ${name}="${escapeAttribute(text)}"`;
        }
    }
    return `${html}>`;
}

const voidTags = new Set(['input', 'br']);
const svgSpace = 'http://www.w3.org/2000/svg';

// The tree as HTML, for the build. Inside an <svg>, an element with nothing
// in it closes its own start tag, as the parser reads it there.
function renderHtml(tree, inSvg = false) {
    if (typeof tree !== 'object') {
        return escapeText(tree);
    }
    const svg = inSvg || tree.tag === 'svg';
    const start = openTag(tree.tag, tree.attributes);
    if (voidTags.has(tree.tag)) {
        return start;
    }
    if (svg && !tree.children.length) {
        return `${start.slice(0, -1)}/>`;
    }
    return `${start}${tree.children.map((child) => renderHtml(child, svg)).join('')}</${tree.tag}>`;
}

// The tree as elements, for a part the page did not hold yet, in its
// parent's namespace (an <svg> starts SVG's).
function renderDom(tree, parent) {
    if (typeof tree !== 'object') {
        return document.createTextNode(String(tree));
    }
    const element = tree.tag === 'svg' || parent?.namespaceURI === svgSpace
        ? document.createElementNS(svgSpace, tree.tag) : document.createElement(tree.tag);
    patch(element, tree);
    return element;
}

// Makes the element what the tree says, writing only what differs (each
// write, even of the same value, has the browser work out the style
// again): its attributes, and its children in order, a text into the text
// node there, an element of the same tag patched in place, anything else
// made anew, and those left over removed. What the user changes (a field's
// value, a list's choice) is a property the tree does not state: it stays.
function patch(element, tree) {
    const wanted = tree.attributes;
    for (const name of element.getAttributeNames()) {
        if (attributeText(wanted[name]) === null) {
            element.removeAttribute(name);
        }
    }
    for (const [name, value] of Object.entries(wanted)) {
        const text = attributeText(value);
        if (text !== null && element.getAttribute(name) !== text) {
            element.setAttribute(name, text);
        }
    }
    tree.children.forEach((child, i) => {
        const have = element.childNodes[i];
        if (typeof child !== 'object') {
            const text = String(child);
            if (have?.nodeType === Node.TEXT_NODE) {
                if (have.data !== text) {
                    have.data = text;
                }
                return;
            }
        } else if (have?.nodeType === Node.ELEMENT_NODE && have.localName === child.tag) {
            if (!child.kept) {
                patch(have, child);
            }
            return;
        }
        const made = renderDom(child, element);
        if (have) {
            have.replaceWith(made);
        } else {
            element.append(made);
        }
    });
    while (element.childNodes.length > tree.children.length) {
        element.lastChild.remove();
    }
}

// The page's link: its address holds what the window shows, the two texts
// and the two dividers, each percent-encoded ("/" reads better as itself),
// and the language where the user chose one:
//     #ref=15.000&fsb=100&pci=1/3&agp=2/3&lang=en
// Opening one does what a user would do in the window.
const linkKeys = ['ref', 'fsb', 'pci', 'agp', 'lang'];
// The divider keys, with their group's number in the program's session.
const linkDividers = [['pci', 0], ['agp', 1]];

// The fragment, without its "#", for the values given (undefined ones are
// left out).
function encodeLink(values) {
    const encode = (value) => encodeURIComponent(value).replaceAll('%2F', '/');
    return linkKeys.filter((key) => values[key] !== undefined)
        .map((key) => `${key}=${encode(values[key])}`).join('&');
}

// The fragment's keys and values as written, or null where it cannot be one
// of this page's links: an unknown or repeated key, a part without "=",
// bad percent-encoding, or a value longer than any box holds. The early
// script reads the language from it before the program runs.
function linkValues(fragment) {
    const values = {};
    for (const part of fragment.split('&')) {
        const at = part.indexOf('=');
        const key = part.slice(0, at);
        if (at < 0 || !linkKeys.includes(key) || key in values) {
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
    return values;
}

// The fragment's keys and values, or null when it is not one of this page's
// links: what linkValues refuses, a divider that is none of its group's
// (`captions(group)`), or a language that `languageCode` does not know.
function decodeLink(fragment, captions, languageCode) {
    const values = linkValues(fragment);
    if (values === null) {
        return null;
    }
    for (const [key, group] of linkDividers) {
        if (key in values && !captions(group).includes(values[key])) {
            return null;
        }
    }
    if ('lang' in values && languageCode(values.lang) === '') {
        return null;
    }
    return values;
}

// What opening the link does, as steps on the session, each returning its
// outcome: types the reference and the FSB, picks the FSB from its list
// when it is an item (so that the band's rules run), clicks each named
// divider that is available, and presses 計算実行. A divider that the band
// leaves unavailable is not clicked: it goes in `unavailable` as
// { group, caption } when its step runs.
function linkSteps(values, session, captions) {
    const steps = [];
    const unavailable = [];
    if ('ref' in values) {
        steps.push(() => session.edit(0, values.ref));
    }
    if ('fsb' in values) {
        steps.push(() => session.edit(1, values.fsb));
        steps.push(() => (session.currentItem(1) < 0 ? { failed: false }
            : session.pick(1, session.currentItem(1))));
    }
    for (const [key, group] of linkDividers) {
        const index = captions(group).indexOf(values[key]);
        if (index >= 0) {
            steps.push(() => {
                if (session.dividerEnabled(group, index)) {
                    return session.clickDivider(group, index);
                }
                unavailable.push({ group, caption: values[key] });
                return { failed: false };
            });
        }
    }
    steps.push(() => session.calculate());
    return { steps, unavailable };
}

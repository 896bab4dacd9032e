// Writes a page script without its comments and the white space its
// tokens do not need, for the page to hold it smaller: the tokens are
// acorn's, so strings, template literals and regular expressions stay as
// they are, and a line break stays wherever one was, so that no statement
// runs into the next.
//
//     node compact_script.js SCRIPT.js > OUT.js
'use strict';

const acorn = require('acorn');
const fs = require('fs');

const source = fs.readFileSync(process.argv[2], 'utf8');
// Characters that would run together into one token without a space.
const wordLike = /[\w$\u0080-\uffff]/u;
let out = '';
let end = 0;
let breaks = false;
const options = {
    ecmaVersion: 2022,
    // A comment with a line break in it stands for that line break.
    onComment: (block, text) => {
        breaks ||= block && text.includes('\n');
    },
};
for (const token of acorn.tokenizer(source, options)) {
    const text = source.slice(token.start, token.end);
    const gap = source.slice(end, token.start).replace(/\/\*[\s\S]*?\*\/|\/\/[^\n]*/g, ' ');
    if (out && (breaks || gap.includes('\n'))) {
        out += '\n';
    } else if (out && gap.length > 0) {
        const last = out[out.length - 1];
        const first = text[0];
        if ((wordLike.test(last) && wordLike.test(first)) ||
            (last === first && '+-/'.includes(last))) {
            out += ' ';
        }
    }
    out += text;
    end = token.end;
    breaks = false;
}
process.stdout.write(`${out}\n`);

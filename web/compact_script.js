// Writes a script as the page holds it: Debian's terser takes out comments
// and white space, shortens local names and folds what it can prove the
// same. Each of the page's scripts is one function, so every name in it is
// local; property names are kept, which the program's module and the page
// look each other up by.
//
//     node compact_script.js NAME < SCRIPT.js > OUT.js
'use strict';

const fs = require('fs');
const { minify } = require('terser');

const name = process.argv[2];
minify(fs.readFileSync(0, 'utf8'), { ecma: 2020, module: false, toplevel: false,
    compress: { passes: 2 } })
    .then(({ code }) => process.stdout.write(`${code}\n`))
    .catch((error) => {
        process.stderr.write(`${name}: ${error.message}\n`);
        process.exitCode = 1;
    });

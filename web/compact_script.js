// Writes a script as the page holds it: Debian's terser takes out comments
// and white space, shortens local names and folds what it can prove the
// same. Names at the top of a script are kept, as the page's scripts share
// them (programCompiled, QuenvaleModule), and so are property names, which
// the program's module and the page look each other up by.
//
//     node compact_script.js SCRIPT.js > OUT.js
'use strict';

const fs = require('fs');
const { minify } = require('terser');

const source = fs.readFileSync(process.argv[2], 'utf8');
minify(source, { ecma: 2020, module: false, toplevel: false, compress: { passes: 2 } })
    .then(({ code }) => process.stdout.write(`${code}\n`))
    .catch((error) => {
        process.stderr.write(`${process.argv[2]}: ${error.message}\n`);
        process.exitCode = 1;
    });

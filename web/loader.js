// Starts inflating and compiling the program's WebAssembly (held here
// gzip-compressed in base64) as soon as it is read, so that the work
// overlaps the parsing of the rest of the page; the page script takes the
// compiled module from `programCompiled`.
'use strict';

const programCompiled = (() => {
    const packed = document.getElementById('program-wasm').textContent;
    const inflated = () => fetch('data:application/octet-stream;base64,' + packed)
        .then((response) => response.body.pipeThrough(new DecompressionStream('gzip')));
    // Compiled while it is inflated where the browser takes a stream;
    // where that is missing or refused, the whole binary is inflated
    // first.
    const whole = () => inflated().then((stream) => new Response(stream).arrayBuffer())
        .then((binary) => WebAssembly.compile(binary));
    if (!WebAssembly.compileStreaming) {
        return whole();
    }
    return inflated().then((stream) => WebAssembly.compileStreaming(
        new Response(stream, { headers: { 'content-type': 'application/wasm' } })))
        .catch(whole);
})();

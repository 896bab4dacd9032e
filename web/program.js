// The program: its WebAssembly, which the page holds gzip-compressed in
// base64 in the data block #program-wasm, and the module around it
// (QuenvaleModule, the build's JavaScript).

// Inflates and compiles the WebAssembly. Compiled while it is inflated
// where the browser takes a stream; where that is missing or refused, the
// whole binary is inflated first.
function compileProgram() {
    const packed = document.getElementById('program-wasm').textContent;
    const inflated = () => fetch('data:application/octet-stream;base64,' + packed)
        .then((response) => response.body.pipeThrough(new DecompressionStream('gzip')));
    const whole = () => inflated().then((stream) => new Response(stream).arrayBuffer())
        .then((binary) => WebAssembly.compile(binary));
    if (!WebAssembly.compileStreaming) {
        return whole();
    }
    return inflated().then((stream) => WebAssembly.compileStreaming(
        new Response(stream, { headers: { 'content-type': 'application/wasm' } })))
        .catch(whole);
}

// The module, instantiated from the compiled WebAssembly at once: no task
// between the program's start and the page's.
async function startProgram(compiling) {
    const compiled = await compiling;
    return QuenvaleModule({
        instantiateWasm(imports, receive) {
            const instance = new WebAssembly.Instance(compiled, imports);
            receive(instance, compiled);
            return instance.exports;
        },
    });
}

// A list from the program as an array, the list freed.
function vectorItems(vector) {
    const items = [];
    for (let i = 0; i < vector.size(); ++i) {
        items.push(vector.get(i));
    }
    vector.delete();
    return items;
}

// Gives the browser its turn, so that input and painting come between the
// tasks of a long job.
function nextTask() {
    return globalThis.scheduler?.yield ? scheduler.yield()
        : new Promise((resolve) => { setTimeout(resolve); });
}

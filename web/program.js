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
    return programCalls(await QuenvaleModule({
        instantiateWasm(imports, receive) {
            const instance = new WebAssembly.Instance(compiled, imports);
            receive(instance, compiled);
            return instance.exports;
        },
    }));
}

// The program's calls as functions, each named as the program names it:
// program.controls(language), and program.session.edit(box, text) for the
// page's session. A call sends its name and its arguments as texts, each
// after its length, and returns what the program replies with, read as
// JSON.
function programCalls(module) {
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    const reply = (at) => {
        const heap = module.HEAPU8;
        return decoder.decode(heap.subarray(at, heap.indexOf(0, at)));
    };
    // Texts, whole numbers and flags, as the program reads them: any other
    // argument is a mistake in the page, not a 0 or a false.
    const argument = (arg) => {
        if (typeof arg === 'string' || typeof arg === 'boolean' || Number.isInteger(arg)) {
            return String(arg);
        }
        throw new TypeError(`The program takes no argument ${arg}`);
    };
    const call = (name, args) => {
        const texts = [name, ...args.map(argument)].map((text) => encoder.encode(text));
        const size = texts.reduce((sum, text) => sum + 4 + text.length, 0);
        let at = module._quenvale_request(size);
        const heap = module.HEAPU8;
        const lengths = new DataView(heap.buffer);
        for (const text of texts) {
            lengths.setUint32(at, text.length, true);
            heap.set(text, at + 4);
            at += 4 + text.length;
        }
        const replied = reply(module._quenvale_call());
        if (replied === '') {
            throw new Error(`The program has no call ${name} with ${args.length} arguments`);
        }
        return JSON.parse(replied);
    };
    const program = {};
    for (const name of JSON.parse(reply(module._quenvale_calls()))) {
        const [group, member] = name.includes('.') ? name.split('.') : [null, name];
        (group ? (program[group] ??= {}) : program)[member] = (...args) => call(name, args);
    }
    return program;
}

// Gives the browser its turn, so that input and painting come between the
// tasks of a long job.
function nextTask() {
    return globalThis.scheduler?.yield ? scheduler.yield()
        : new Promise((resolve) => { setTimeout(resolve); });
}

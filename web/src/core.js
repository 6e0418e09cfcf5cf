// The one place that knows the core module: how it is loaded, what it is
// called with and what its answers look like. Everything else in the page
// works on the plain objects this module returns.

export class Core {
  constructor(module, toolkit) {
    this.module = module;
    this.toolkit = toolkit;
    this.catalogCache = null;
  }

  // The calculator's click over the five box texts: {ok, v, Q} or
  // {ok: false, error, message, field}, the message in the page's language.
  click(B, h, m, i, n, language = 'zh') {
    const answer = this.module.click(B, h, m, i, n);
    if (answer.ok) return { ok: true, v: answer.v, Q: answer.Q };
    const message = language === 'en' && answer.english ? answer.english : answer.message;
    return { ok: false, error: answer.error, message, field: answer.field ?? '' };
  }

  get hasToolkit() {
    return this.toolkit !== null;
  }

  // The tables of sections, parameters, quantities, units and terms, indexed.
  catalog() {
    if (!this.catalogCache) this.catalogCache = indexCatalog(JSON.parse(this.toolkit.catalog()));
    return this.catalogCache;
  }

  // One question to the toolkit. Inputs left blank are left out, as an option
  // not given on the command line.
  call(command, inputs, language) {
    const given = {};
    for (const [key, value] of Object.entries(inputs)) {
      if (typeof value === 'string' && value.trim() !== '') given[key] = value;
    }
    const start = performance.now();
    const json = this.toolkit.call(JSON.stringify({ command, inputs: given, language }));
    const answered = performance.now();
    const response = JSON.parse(json);
    // For the benchmark: time in the core and in reading its answer.
    performance.measure('channelflow-core', { start, end: answered });
    performance.measure('channelflow-parse', { start: answered, end: performance.now() });
    if (!response.ok) return { ok: false, problems: response.problems ?? [] };
    // A profile's points come as lines of the command line's texts; the pictures read them as numbers.
    if (response.points?.lines) {
      response.points.texts = response.points.lines.map((line) => line.split('\t'));
      response.points.rows = response.points.texts.map((row) => row.map((text) => (text === '' ? null : Number(text))));
    }
    return response;
  }

  // A batch: CSV text in, CSV text out, or the problems of the whole batch.
  batch(csv, language) {
    const response = JSON.parse(this.toolkit.call(JSON.stringify({ command: 'batch', inputs: { csv }, language })));
    if (!response.ok) return { ok: false, problems: response.problems ?? [] };
    return { ok: true, csv: response.csv ?? response.text ?? '' };
  }
}

export function indexCatalog(raw) {
  return {
    ...raw,
    sectionByKey: new Map(raw.sections.map((s) => [s.key, s])),
    parameterByKey: new Map(raw.parameters.map((p) => [p.key, p])),
    quantityById: new Map(raw.quantities.map((q) => [q.id, q])),
    // Several quantities may share a key (the normal depth is also "h"): the
    // first is the plain one.
    quantityByKey: new Map([...raw.quantities].reverse().map((q) => [q.key, q])),
  };
}

// The toolkit's two functions of a module; a module without them offers the
// click alone.
export function toolkitOf(module) {
  if (typeof module.call === 'function' && typeof module.catalog === 'function') {
    return { call: (request) => module.call(request), catalog: () => module.catalog() };
  }
  return null;
}

// options go to the module's factory (wasmBinary, below).
export async function loadCore(factory, options = {}) {
  const module = await factory(options);
  return new Core(module, toolkitOf(module));
}

// The module's WebAssembly as bytes for its factory, which then neither
// parses it as part of a script nor fetch()es it from a data: URL (a trip
// through the network stack at every start). The page holds it, gzipped and
// base64, in a block of its own (see web/build.mjs). Read once: the batch's
// worker takes the same bytes (loadedWasm).
let wasmBytes;
export async function pageWasm() {
  const base64 = document.getElementById(wasmElementId)?.textContent.trim();
  if (!base64) return undefined;
  wasmBytes ??= await gunzipped(bytesOfBase64(base64));
  return wasmBytes;
}

export function loadedWasm() {
  return wasmBytes;
}

function bytesOfBase64(base64) {
  if (typeof Uint8Array.fromBase64 === 'function') return Uint8Array.fromBase64(base64);
  const text = atob(base64);
  const bytes = new Uint8Array(text.length);
  for (let k = 0; k < text.length; ++k) bytes[k] = text.charCodeAt(k);
  return bytes;
}

// Bytes that start with gzip's magic number, inflated; any others as they are.
export async function gunzipped(bytes) {
  if (bytes.length < 2 || bytes[0] !== 0x1f || bytes[1] !== 0x8b) return bytes;
  const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

// The script element that holds the module's source, which a worker reuses,
// and the data block that holds its WebAssembly.
export const coreElementId = 'channelflow-core';
export const wasmElementId = 'channelflow-wasm';

// The one place that knows the core module and how it speaks. A request is
// {question, inputs, language, digits}; a response is parts apart by U+001E:
// a status line ({"ok": true} or the problems, each with its field, code and
// message in the request's language), the answer exactly as the command
// line's --format json writes it (a record a line), and, when fewer digits
// are asked, the same answer rounded for show. The panels work on the plain
// views made here (answer-view.js) and never see the protocol.

import { parseKeeping } from './json-source.js';
import { pairRecords, readRecords } from './answer-rows.js';
import { answerView } from './answer-view.js';

export const separator = '\u001e';

export class Core {
  constructor(module, toolkit) {
    this.module = module;
    this.toolkit = toolkit;
    this.catalogCache = null;
  }

  // The calculator's click over the five box texts: {ok, v, Q} or
  // {ok: false, error, message, field}, the message in the page's language.
  click(B, h, m, i, n, language = 'zh') {
    return clickAnswer(this.module.click(B, h, m, i, n), language);
  }

  get hasToolkit() {
    return this.toolkit !== null;
  }

  // The tables of sections, parameters, quantities, units, terms, questions
  // and the design's rows, indexed; its numbers keep their text (Num).
  catalog() {
    if (!this.catalogCache) this.catalogCache = indexCatalog(parseKeeping(this.toolkit.catalog()));
    return this.catalogCache;
  }

  // Inputs left blank are left out, as an option not given on the command
  // line; digits 'full' (or none) asks for no rounded part.
  request(question, inputs, language = 'zh', digits = 'full') {
    const given = {};
    for (const [key, value] of Object.entries(inputs)) {
      if (typeof value === 'string' && value.trim() !== '') given[key] = value;
    }
    const request = { question, inputs: given, language: language === 'en' ? 'en' : 'zh' };
    if (digits && digits !== 'full') request.digits = digits;
    return request;
  }

  // One question: the answer's view (answer-view.js) or {ok: false, problems}.
  call(question, inputs, language, digits) {
    const request = this.request(question, inputs, language, digits);
    const start = performance.now();
    const text = this.toolkit.call(JSON.stringify(request));
    const answered = performance.now();
    const answer = this.read(text, request);
    // For the benchmark: time in the core and in reading its answer.
    performance.measure('channelflow-core', { start, end: answered });
    performance.measure('channelflow-parse', { start: answered, end: performance.now() });
    return answer;
  }

  // A response to `request` (the core's text, here or from the worker) as its view.
  read(text, request) {
    const parts = text.split(separator);
    const status = JSON.parse(parts[0]);
    if (!status.ok) return refused(status);
    const full = readRecords(parts[1] ?? '');
    let shown = full;
    if (parts.length > 2) {
      shown = readRecords(parts[2]);
      pairRecords(shown, full);
    }
    return answerView(shown, {
      catalog: this.hasToolkit ? this.catalog() : null,
      question: request.question,
      language: request.language,
      system: request.inputs.units === 'us' ? 'us' : 'si',
    });
  }

  // A batch: CSV text in, {ok, csv, rows, failed} out, or the problems of the whole batch.
  batch(csv, language) {
    return batchAnswer(this.toolkit.batch(csv, language === 'en' ? 'en' : 'zh'));
  }

  // A design's drawing as DXF: {ok, dxf} or {ok: false, problems}.
  designDxf(inputs, language) {
    return dxfAnswer(this.toolkit.designDxf(JSON.stringify(this.request('design', inputs, language))));
  }

  // A canal line's longitudinal profile as DXF: {ok, dxf} or {ok: false, problems}.
  lineDxf(inputs, language) {
    return dxfAnswer(this.toolkit.lineDxf(JSON.stringify(this.request('line', inputs, language))));
  }
}

function dxfAnswer(text) {
  const cut = text.indexOf(separator);
  const status = JSON.parse(cut < 0 ? text : text.slice(0, cut));
  return status.ok ? { ok: true, dxf: text.slice(cut + 1) } : refused(status);
}

function refused(status) {
  return { ok: false, problems: Array.isArray(status.problems) ? status.problems : [] };
}

export { readRecords };

// The click's answer object as the page takes it.
export function clickAnswer(answer, language) {
  if (answer.ok) return { ok: true, v: answer.v, Q: answer.Q };
  const message = language === 'en' && answer.english ? answer.english : answer.message;
  return { ok: false, error: answer.error, message, field: answer.field ?? '' };
}

// The batch service's response: {ok, rows, failed, csv} or {ok: false,
// problems}. On its own (no names from outside it): the worker runs it too.
export function batchAnswer(text) {
  const cut = text.indexOf('\u001e');
  const status = JSON.parse(cut < 0 ? text : text.slice(0, cut));
  if (!status.ok) return { ok: false, problems: Array.isArray(status.problems) ? status.problems : [] };
  return { ok: true, rows: status.rows, failed: status.failed, csv: cut < 0 ? '' : text.slice(cut + 1) };
}

export function indexCatalog(raw) {
  const design = raw.design ?? { roughness: [], soils: [] };
  // A question's input names its group of exclusive inputs by a count, not a quantity.
  const inputs = (list) => (list ?? []).map((input) => ({ ...input, oneOf: Number(input.oneOf?.value ?? input.oneOf ?? 0) }));
  const questions = (raw.questions ?? []).map((question) => ({ ...question, inputs: inputs(question.inputs) }));
  return {
    ...raw,
    questions,
    channelInputs: inputs(raw.channelInputs),
    sectionByKey: new Map(raw.sections.map((s) => [s.key, s])),
    parameterByKey: new Map(raw.parameters.map((p) => [p.key, p])),
    quantityById: new Map(raw.quantities.map((q) => [q.id, q])),
    // Several quantities may share a key (the normal depth is also "h"): the
    // first is the plain one.
    quantityByKey: new Map([...raw.quantities].reverse().map((q) => [q.key, q])),
    questionByName: new Map(questions.map((q) => [q.name, q])),
    // A design answer names its bed and soil by their rows' keys.
    rowByKey: new Map([...design.roughness ?? [], ...design.soils ?? []].map((row) => [row.key, row])),
  };
}

// The toolkit's functions of a module; a module without them offers the
// click alone.
export function toolkitOf(module) {
  if (typeof module.call === 'function' && typeof module.catalog === 'function') {
    return {
      call: (request) => module.call(request),
      catalog: () => module.catalog(),
      batch: (csv, language) => module.batch(csv, language),
      designDxf: (request) => module.designDxf(request),
      lineDxf: (request) => module.lineDxf(request),
    };
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

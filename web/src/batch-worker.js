// The core off the main thread, for batches and for questions too long to
// answer within a frame: a worker made from the inlined core's own source
// and the batch functions' source, so the page needs no other file. Where a
// worker cannot be made, the same work runs on the page (a batch in chunks
// between frames).

import { batchAnswer, clickAnswer, coreElementId, loadedWasm } from './core.js';
import { parseRecord, recordEnds, runBatch, summarize, tabsToCsv, csvCell } from './batch-run.js';

// Text from bytes: UTF-8, anything else becomes U+FFFD; a byte order mark is dropped.
export function decodeBytes(bytes) {
  return new TextDecoder('utf-8', { fatal: false }).decode(bytes);
}

// Rows the page's table lists; the file has them all.
export const shownRows = 5000;

// A finished batch as the page takes it: the file to save (UTF-8 with a byte
// order mark, which spreadsheets need to read it as UTF-8) and what to show.
function finished(csv) {
  const file = new Blob(['\uFEFF', csv], { type: 'text/csv;charset=utf-8' });
  return { answer: { ok: true }, file, ...summarize(csv, shownRows) };
}

// The worker's body; it sees only what workerSource() puts before it. A
// question's answer goes back as the core's text, which the page reads.
function workerMain(scope) {
  let loading = null;
  scope.onmessage = async (event) => {
    const { id, text, bytes, language, chunkRows, wasmBinary, question } = event.data;
    const post = (message, transfer = []) => scope.postMessage({ id, ...message }, transfer);
    try {
      loading ??= scope.createChannelflowCore({ wasmBinary });
      const module = await loading;
      if (question?.click) {
        const [B, h, m, i, n] = question.click;
        const { ok, v, Q, error, message, english, field } = module.click(B, h, m, i, n);
        post({ click: { ok, v, Q, error, message, english, field } });
        return;
      }
      if (question) {
        post({ text: module.call(JSON.stringify(question)) });
        return;
      }
      const input = tabsToCsv(bytes ? decodeBytes(bytes) : text);
      const answer = await runBatch(input, (csv) => batchAnswer(module.batch(csv, language)), {
        chunkRows, onProgress: (done, total) => post({ progress: [done, total] }),
      });
      post(answer.ok ? finished(answer.csv) : { answer });
    } catch (error) {
      post({ failed: String(error?.message ?? error) });
    }
  };
}

export function workerSource(coreText) {
  const parts = [coreText, decodeBytes, batchAnswer, recordEnds, parseRecord, csvCell, tabsToCsv, runBatch, summarize, finished];
  return `${parts.map(String).join('\n')}\nconst shownRows = ${shownRows};\n(${workerMain})(self);\n`;
}

let worker = null;
let wasmBinary;
let lastId = 0;
// Runs waiting for the worker's answers, by id; the worker takes them in
// turn. Each knows how to run on the page should the worker fail.
const waiting = new Map();

function startWorker() {
  if (worker !== null) return worker;
  try {
    const coreText = document.getElementById(coreElementId).textContent;
    wasmBinary = loadedWasm();
    const url = URL.createObjectURL(new Blob([workerSource(coreText)], { type: 'text/javascript' }));
    worker = new Worker(url);
    worker.onmessage = (event) => {
      const run = waiting.get(event.data.id);
      if (!run) return;
      if (event.data.progress) {
        run.onProgress(...event.data.progress);
        return;
      }
      waiting.delete(event.data.id);
      run.resolve(event.data);
    };
    worker.onerror = (event) => {
      event.preventDefault();
      worker = false;
      for (const run of waiting.values()) run.resolve(run.onPage());
      waiting.clear();
    };
  } catch {
    worker = false;
  }
  return worker;
}

// Runs one batch: input {text} or {bytes}; onProgress(done, total). Resolves
// with finished()'s {answer, file, rows, errors, text, ends}, {answer}
// with the core's problems, or {failed}.
export function runInBackground(core, input, language, onProgress, chunkRows = 2000) {
  const onPage = () => runOnPage(core, input, language, onProgress, chunkRows);
  return toWorker({ ...input, language, chunkRows }, onPage, onProgress);
}

// One question to the core in the worker: `question` is a request (see
// Core.request), or {click: [B, h, m, i, n, language]}. Resolves with the
// answer as core.call() or core.click() gives it. Without a worker the page
// answers it after a frame, so that what the user did shows first.
export function askInBackground(core, question) {
  const onPage = async () => {
    await new Promise((resolve) => (globalThis.requestAnimationFrame ?? setTimeout)(() => setTimeout(resolve)));
    if (question.click) return { answer: core.click(...question.click) };
    return { answer: core.call(question.question, question.inputs, question.language, question.digits) };
  };
  return toWorker({ question }, onPage).then((reply) => {
    if (reply.answer) return reply.answer;
    if (reply.click) return clickAnswer(reply.click, question.click[5]);
    if (reply.text !== undefined) return core.read(reply.text, question);
    return { ok: false, problems: [{ message: reply.failed ?? '' }] };
  });
}

function toWorker(message, onPage, onProgress = () => {}) {
  const w = startWorker();
  if (!w) return onPage();
  return new Promise((resolve) => {
    lastId += 1;
    waiting.set(lastId, { onProgress, onPage, resolve });
    // The worker loads the core from the first message's bytes.
    w.postMessage({ id: lastId, ...message, wasmBinary: lastId === 1 ? wasmBinary : undefined });
  });
}

async function runOnPage(core, input, language, onProgress, chunkRows) {
  const text = tabsToCsv(input.bytes ? decodeBytes(input.bytes) : input.text);
  const pause = () => new Promise((resolve) => setTimeout(resolve, 0));
  const answer = await runBatch(text, (csv) => core.batch(csv, language), { chunkRows, onProgress, pause });
  return answer.ok ? finished(answer.csv) : { answer };
}

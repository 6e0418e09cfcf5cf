// The batch off the main thread: a worker made from the inlined core's own
// source and the batch functions' source, so the page needs no other file.
// Where a worker cannot be made, the same chunks run on the page between
// frames.

import { Core, coreElementId, inlinedWasm, loadCore, toolkitOf } from './core.js';
import { parseRecord, recordEnds, runBatch, tabsToCsv, csvCell } from './batch-run.js';

// Text from bytes: UTF-8, anything else becomes U+FFFD; a byte order mark is dropped.
export function decodeBytes(bytes) {
  return new TextDecoder('utf-8', { fatal: false }).decode(bytes);
}

// The worker's body; it sees only what workerSource() puts before it.
function workerMain(scope) {
  let loading = null;
  scope.onmessage = async (event) => {
    const { id, text, bytes, language, chunkRows, wasmBinary } = event.data;
    const post = (message, transfer = []) => scope.postMessage({ id, ...message }, transfer);
    try {
      loading ??= loadCore(scope.createChannelflowCore, { wasmBinary });
      const core = await loading;
      const input = tabsToCsv(bytes ? decodeBytes(bytes) : text);
      const answer = await runBatch(input, (csv) => core.batch(csv, language), {
        chunkRows, onProgress: (done, total) => post({ progress: [done, total] }),
      });
      if (!answer.ok) {
        post({ answer });
        return;
      }
      const ends = Float64Array.from(recordEnds(answer.csv));
      post({ answer, ends }, [ends.buffer]);
    } catch (error) {
      post({ failed: String(error?.message ?? error) });
    }
  };
}

export function workerSource(coreText) {
  const parts = [coreText, decodeBytes, toolkitOf, Core, loadCore, recordEnds, parseRecord, csvCell, tabsToCsv, runBatch];
  return `${parts.map(String).join('\n')}\n(${workerMain})(self);\n`;
}

let worker = null;
let wasmBinary;
let lastId = 0;
// Runs waiting for the worker's answers, by id; the worker takes them in turn.
const waiting = new Map();

function startWorker(fallBack) {
  if (worker !== null) return worker;
  try {
    const coreText = document.getElementById(coreElementId).textContent;
    wasmBinary = inlinedWasm(coreText);
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
      for (const run of waiting.values()) run.resolve(fallBack(run));
      waiting.clear();
    };
  } catch {
    worker = false;
  }
  return worker;
}

// Runs one batch: input {text} or {bytes}; onProgress(done, total). Resolves
// with {answer, ends} or {failed}.
export function runInBackground(core, input, language, onProgress, chunkRows = 2000) {
  const onPage = (run) => runOnPage(core, run.input, language, run.onProgress, chunkRows);
  const w = startWorker(onPage);
  if (!w) return onPage({ input, onProgress });
  return new Promise((resolve) => {
    lastId += 1;
    waiting.set(lastId, { input, onProgress, resolve });
    w.postMessage({ id: lastId, ...input, language, chunkRows, wasmBinary });
  });
}

async function runOnPage(core, input, language, onProgress, chunkRows) {
  const text = tabsToCsv(input.bytes ? decodeBytes(input.bytes) : input.text);
  const pause = () => new Promise((resolve) => setTimeout(resolve, 0));
  const answer = await runBatch(text, (csv) => core.batch(csv, language), { chunkRows, onProgress, pause });
  return answer.ok ? { answer, ends: recordEnds(answer.csv) } : { answer };
}

// The batch off the main thread: a worker made from the inlined core's own
// source and the batch functions' source, so the page needs no other file.
// Where a worker cannot be made, the same chunks run on the page between
// frames.

import { Core, coreElementId, loadCore, toolkitOf } from './core.js';
import { parseRecord, recordEnds, runBatch, tabsToCsv, csvCell } from './batch-run.js';

// Text from bytes: UTF-8, anything else becomes U+FFFD; a byte order mark is dropped.
export function decodeBytes(bytes) {
  return new TextDecoder('utf-8', { fatal: false }).decode(bytes);
}

// The worker's body; it sees only what workerSource() puts before it.
function workerMain(scope) {
  let loading = null;
  scope.onmessage = async (event) => {
    const { text, bytes, language, chunkRows } = event.data;
    try {
      loading ??= loadCore(scope.createChannelflowCore);
      const core = await loading;
      const input = tabsToCsv(bytes ? decodeBytes(bytes) : text);
      const answer = await runBatch(input, (csv) => core.batch(csv, language), {
        chunkRows, onProgress: (done, total) => scope.postMessage({ progress: [done, total] }),
      });
      if (!answer.ok) {
        scope.postMessage({ answer });
        return;
      }
      const ends = Float64Array.from(recordEnds(answer.csv));
      scope.postMessage({ answer, ends }, [ends.buffer]);
    } catch (error) {
      scope.postMessage({ failed: String(error?.message ?? error) });
    }
  };
}

export function workerSource(coreText) {
  const parts = [coreText, decodeBytes, toolkitOf, Core, loadCore, recordEnds, parseRecord, csvCell, tabsToCsv, runBatch];
  return `${parts.map(String).join('\n')}\n(${workerMain})(self);\n`;
}

let worker = null;
function startWorker() {
  if (worker !== null) return worker;
  try {
    const coreText = document.getElementById(coreElementId).textContent;
    const url = URL.createObjectURL(new Blob([workerSource(coreText)], { type: 'text/javascript' }));
    worker = new Worker(url);
  } catch {
    worker = false;
  }
  return worker;
}

// Runs one batch: input {text} or {bytes}; onProgress(done, total). Resolves
// with {answer, ends} or {failed}.
export function runInBackground(core, input, language, onProgress, chunkRows = 2000) {
  const w = startWorker();
  if (!w) return runOnPage(core, input, language, onProgress, chunkRows);
  return new Promise((resolve) => {
    w.onmessage = (event) => {
      if (event.data.progress) onProgress(...event.data.progress);
      else resolve(event.data);
    };
    w.onerror = (event) => {
      event.preventDefault();
      worker = false;
      resolve(runOnPage(core, input, language, onProgress, chunkRows));
    };
    const message = { ...input, language, chunkRows };
    w.postMessage(message);
  });
}

async function runOnPage(core, input, language, onProgress, chunkRows) {
  const text = tabsToCsv(input.bytes ? decodeBytes(input.bytes) : input.text);
  const pause = () => new Promise((resolve) => setTimeout(resolve, 0));
  const answer = await runBatch(text, (csv) => core.batch(csv, language), { chunkRows, onProgress, pause });
  return answer.ok ? { answer, ends: recordEnds(answer.csv) } : { answer };
}

// A panel's way to the core. A question as long as a pasted survey would hold
// the page while the core reads it (200,000 points take it about 150 ms, and
// 2,000 points answered for the first time, before the core's code is warm,
// about as long), so it goes to the core's worker. Until the answer comes the
// panel's update stops where it asked (it throws Pending, which Panel catches
// before anything is drawn) and the panel keeps what it shows, marked busy;
// the answer redraws it. Short questions are answered at once as before.

import { askInBackground } from './batch-worker.js';

// A survey of some 600 points; the command line's examples are far shorter.
// Texts longer than that go to the worker (the click's too).
export const longestAtOnce = 8 * 1024;
// Answers kept, so that the redraw and a return to earlier inputs find them.
const kept = 8;

// Thrown by call() while its answer is being worked out.
export class Pending {}

function length(texts) {
  let total = 0;
  for (const value of Object.values(texts)) if (typeof value === 'string') total += value.length;
  return total;
}

// Whether two questions are the same: compared text by text, since making a
// key of a 3 MB question (JSON escapes every tab and line end) takes longer
// than a frame.
function same(a, b) {
  if (Boolean(a.click) !== Boolean(b.click)) return false;
  if (!a.click && (a.question !== b.question || a.language !== b.language || a.digits !== b.digits)) return false;
  const [x, y] = a.click ? [a.click, b.click] : [a.inputs, b.inputs];
  const keys = Object.keys(x);
  return keys.length === Object.keys(y).length && keys.every((key) => x[key] === y[key]);
}

// The core with call() and click() as above; redraw() is the panel's update.
export function panelCore(core, redraw) {
  // The last answers, newest last, as {question, answer}.
  const answers = [];
  let asking = null;

  async function ask(question) {
    asking = question;
    let answer;
    try {
      answer = await askInBackground(core, question);
    } catch (error) {
      answer = { ok: false, problems: [{ field: '', message: String(error?.message ?? error) }] };
    }
    answers.push({ question, answer });
    if (answers.length > kept) answers.shift();
    asking = null;
    redraw();
  }

  function fromWorker(question) {
    const known = answers.find((entry) => same(entry.question, question));
    if (known) return known.answer;
    // One question at a time: the redraw after it asks for what is wanted then.
    if (asking === null) ask(question);
    throw new Pending();
  }

  const call = (question, inputs, language, digits) => (length(inputs) <= longestAtOnce
    ? core.call(question, inputs, language, digits) : fromWorker(core.request(question, inputs, language, digits)));
  // The click takes the five boxes' texts and the language last.
  const click = (...texts) => (length(texts) <= longestAtOnce ? core.click(...texts) : fromWorker({ click: texts }));

  return new Proxy(core, {
    get(target, name) {
      if (name === 'call') return call;
      if (name === 'click') return click;
      const value = Reflect.get(target, name);
      return typeof value === 'function' ? value.bind(target) : value;
    },
  });
}

// JSON read with every number's text as written. The core writes each number
// as the digits the user is to see; JavaScript would print some doubles with
// other digits (1.000 rounded for show reads back as 1, 1E-7 prints as
// 1e-7), so the page shows the core's text and keeps the double for drawing
// only. The engine's JSON.parse reads the structure and a scan of the text
// finds the numbers' texts in the order written; a reviver that asks the
// engine for each number's source (where it can) takes twice as long on a
// 10,000-point profile.

// One number of an answer: its value, the text shown (rounded when the user
// asks for fewer digits) and the full text, which a copy gives.
export class Num {
  constructor(value, text) {
    this.value = value;
    this.text = text;
    this.full = text;
  }

  get kind() {
    return 'number';
  }
}

// The texts of a JSON text's numbers, in order; strings are stepped over.
// The text is JSON (JSON.parse has read it), so every string ends.
function numberTexts(text) {
  const texts = [];
  const n = text.length;
  let at = 0;
  while (at < n) {
    const c = text.charCodeAt(at);
    if (c === 34) {
      // The closing quote is the first one after an even run of backslashes.
      let end = text.indexOf('"', at + 1);
      for (;;) {
        let slashes = 0;
        while (text.charCodeAt(end - 1 - slashes) === 92) slashes += 1;
        if (slashes % 2 === 0) break;
        end = text.indexOf('"', end + 1);
      }
      at = end + 1;
    } else if (c === 45 || (c >= 48 && c <= 57)) {
      const start = at;
      at += 1;
      for (let d = text.charCodeAt(at); (d >= 48 && d <= 57) || d === 46 || d === 101 || d === 69 || d === 43 || d === 45; d = text.charCodeAt(at)) at += 1;
      texts.push(text.slice(start, at));
    } else {
      at += 1;
    }
  }
  return texts;
}

// A key the engine lists before the others, whatever their order in the text.
const indexKey = /^(?:0|[1-9]\d*)$/;

// An object's keys as written, where the engine would list some first (a
// reach's flows are named by their discharges: "380" before "120" is kept).
const writtenOrder = Symbol('written order');

export function keysOf(object) {
  return object[writtenOrder] ?? Object.keys(object);
}

// The value of a JSON text, every number a Num. Throws SyntaxError on text
// that is not JSON.
export function parseKeeping(text) {
  const value = JSON.parse(text);
  const texts = numberTexts(text);
  // The numbers meet the texts in order unless an object lists its members
  // in another order than written (index-like keys) or names one twice.
  let next = 0;
  let inOrder = true;
  const keep = (holder, key) => {
    const x = holder[key];
    if (typeof x === 'number') {
      holder[key] = new Num(x, texts[next]);
      next += 1;
    } else if (Array.isArray(x)) {
      for (let k = 0; k < x.length; ++k) keep(x, k);
    } else if (x !== null && typeof x === 'object') {
      for (const member in x) {
        const first = member.charCodeAt(0);
        if ((first >= 48 && first <= 57 && indexKey.test(member)) || member === '__proto__') inOrder = false;
        else keep(x, member);
      }
    }
  };
  const root = [value];
  keep(root, 0);
  return inOrder && next === texts.length ? root[0] : readJson(text);
}

const blanks = /[ \t\n\r]*/y;
const numberToken = /-?(?:0|[1-9]\d*)(?:\.\d+)?(?:[eE][+-]?\d+)?/y;
const stringToken = /"(?:[^"\\\u0000-\u001f]|\\(?:["\\/bfnrt]|u[0-9a-fA-F]{4}))*"/y;

// The reader for what the scan cannot pair (index-like or repeated keys,
// which the core never writes): JSON's grammar, strings decoded by
// JSON.parse itself.
export function readJson(text) {
  let at = 0;
  const fail = () => {
    throw new SyntaxError(`JSON: unexpected ${at < text.length ? JSON.stringify(text[at]) : 'end'} at ${at}`);
  };
  const skip = () => {
    blanks.lastIndex = at;
    blanks.exec(text);
    at = blanks.lastIndex;
  };
  const token = (pattern) => {
    pattern.lastIndex = at;
    const match = pattern.exec(text);
    if (!match) fail();
    at = pattern.lastIndex;
    return match[0];
  };
  const expect = (c) => {
    skip();
    if (text[at] !== c) fail();
    at += 1;
  };
  // Reads a list of values up to `close`; each() reads one.
  const list = (close, each) => {
    at += 1;
    skip();
    if (text[at] === close) {
      at += 1;
      return;
    }
    for (;;) {
      each();
      skip();
      if (text[at] === close) {
        at += 1;
        return;
      }
      expect(',');
    }
  };
  const value = () => {
    skip();
    const c = text[at];
    if (c === '{') {
      const object = {};
      const keys = [];
      list('}', () => {
        skip();
        const key = JSON.parse(token(stringToken));
        expect(':');
        // As JSON.parse does: "__proto__" is a member like any other.
        Object.defineProperty(object, key, { value: value(), enumerable: true, writable: true, configurable: true });
        keys.push(key);
      });
      if (keys.some((key) => indexKey.test(key))) Object.defineProperty(object, writtenOrder, { value: [...new Set(keys)] });
      return object;
    }
    if (c === '[') {
      const array = [];
      list(']', () => array.push(value()));
      return array;
    }
    if (c === '"') return JSON.parse(token(stringToken));
    for (const [word, meaning] of [['true', true], ['false', false], ['null', null]]) {
      if (text.startsWith(word, at)) {
        at += word.length;
        return meaning;
      }
    }
    const digits = token(numberToken);
    return new Num(Number(digits), digits);
  };
  const result = value();
  skip();
  if (at !== text.length) fail();
  return result;
}

// Puts beside each number of `shown` (the answer rounded for show) the full
// text and exact value of the number at the same place in `full`.
export function pairFull(shown, full) {
  if (shown instanceof Num) {
    if (full instanceof Num) {
      shown.full = full.text;
      shown.value = full.value;
    }
  } else if (Array.isArray(shown)) {
    if (Array.isArray(full)) for (let k = 0; k < shown.length; ++k) pairFull(shown[k], full[k]);
  } else if (shown !== null && typeof shown === 'object' && full !== null && typeof full === 'object') {
    for (const key of Object.keys(shown)) pairFull(shown[key], full[key]);
  }
}

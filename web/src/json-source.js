// JSON read with every number's text as written. The core writes each number
// as the digits the user is to see; JavaScript would print some doubles with
// other digits (2.7630683521479 stays, 1e-5 does not read back as 0.00001),
// so the page shows the core's text and keeps the double for drawing only.
// Chromium hands a reviver each number's source; elsewhere (node before 21)
// a small reader of our own does the same.

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

function keepSource(key, value, context) {
  return typeof value === 'number' ? new Num(value, context.source) : value;
}

function engineKeepsSource() {
  let kept = false;
  try {
    JSON.parse('[1.50]', (key, value, context) => {
      if (context?.source === '1.50') kept = true;
      return value;
    });
  } catch {
    kept = false;
  }
  return kept;
}

const native = engineKeepsSource();

// The value of a JSON text, every number a Num. Throws SyntaxError on text
// that is not JSON.
export function parseKeeping(text) {
  return native ? JSON.parse(text, keepSource) : readJson(text);
}

const blanks = /[ \t\n\r]*/y;
const numberToken = /-?(?:0|[1-9]\d*)(?:\.\d+)?(?:[eE][+-]?\d+)?/y;
const stringToken = /"(?:[^"\\\u0000-\u001f]|\\(?:["\\/bfnrt]|u[0-9a-fA-F]{4}))*"/y;

// The reader where the engine gives no source: JSON's grammar, strings
// decoded by JSON.parse itself.
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
      list('}', () => {
        skip();
        const key = JSON.parse(token(stringToken));
        expect(':');
        // As JSON.parse does: "__proto__" is a member like any other.
        Object.defineProperty(object, key, { value: value(), enumerable: true, writable: true, configurable: true });
      });
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

// The core's answer text read with its tables' rows left as text until they
// are wanted. The core writes a table's rows a line each, indented, inside
// the brackets of its array; a reach of 1,000 sections answers with some
// 100,000 rows (every section's points, for its drawing), 6 MB that take half
// a second to read whole, while the page shows forty rows and one section.
// Each record is read without its rows, and a row is read when asked for.

import { Num, keysOf, pairFull, parseKeeping } from './json-source.js';

// Stands for a table's rows in the record read without them: no text the
// core writes starts with a NUL.
const marker = '\u0000rows ';

// A table's rows: length, at(k) (the row read, each number a Num), and,
// when the answer is rounded for show, the full rows paired with them.
export class Rows {
  // block: the rows' lines as the core wrote them, one a row ("  {...},");
  // read: rows already read (a table written on one line).
  constructor(block, read = []) {
    this.block = block;
    this.read = read;
    this.starts = block === null ? null : lineStarts(block);
    this.length = block === null ? read.length : this.starts.length;
    this.full = null;
  }

  static of(array) {
    return new Rows(null, array);
  }

  at(k) {
    let row = this.read[k];
    if (row === undefined) {
      row = parseKeeping(this.text(k));
      if (this.full) pairFull(row, this.full.at(k));
      this.read[k] = row;
    }
    return row;
  }

  // Row k's JSON text, for finding rows without reading them.
  text(k) {
    if (this.block === null) return null;
    const end = k + 1 < this.length ? this.starts[k + 1] - 1 : this.block.length;
    return this.block.slice(this.starts[k] + 2, this.block.charCodeAt(end - 1) === 44 ? end - 1 : end);
  }
}

function lineStarts(block) {
  const starts = [0];
  for (let at = block.indexOf('\n'); at >= 0; at = block.indexOf('\n', at + 1)) starts.push(at + 1);
  return starts;
}

// Where a table's rows start ("[" ending a line, the next a row) and end (at
// the line "]..." after them).
const blockStart = '[\n  {';
const blockEnd = '\n]';

// The answer's text with each block of rows standing as one marker string
// in its array, and the blocks.
function cutRows(text) {
  const blocks = [];
  const kept = [];
  let from = 0;
  for (let at = text.indexOf(blockStart); at >= 0; at = text.indexOf(blockStart, from)) {
    const end = text.indexOf(blockEnd, at);
    if (end < 0) break;
    kept.push(text.slice(from, at + 1), JSON.stringify(`${marker}${blocks.length}`));
    blocks.push(text.slice(at + 2, end));
    from = end + 1;
  }
  kept.push(text.slice(from));
  return { skeleton: kept.join(''), blocks };
}

function placeRows(value, blocks) {
  if (Array.isArray(value)) {
    if (value.length === 1 && typeof value[0] === 'string' && value[0].startsWith(marker)) {
      return new Rows(blocks[Number(value[0].slice(marker.length))]);
    }
    for (let k = 0; k < value.length; ++k) value[k] = placeRows(value[k], blocks);
  } else if (value !== null && typeof value === 'object' && !(value instanceof Num)) {
    for (const key of keysOf(value)) value[key] = placeRows(value[key], blocks);
  }
  return value;
}

// The JSON values of an answer: a record a line (a circle's two depths are
// two), or a table alone as one array. Each starts a line; a table's rows
// inside it are indented, and strings hold no line ends.
export function readRecords(text) {
  const { skeleton, blocks } = cutRows(text);
  const values = [];
  for (const piece of skeleton.split(/\n(?=[[{])/)) {
    if (piece.trim() !== '') values.push(placeRows(parseKeeping(piece), blocks));
  }
  return values;
}

// pairFull for answers whose tables are Rows: paired row by row when read.
export function pairRecords(shown, full) {
  if (shown instanceof Rows) {
    if (full instanceof Rows) shown.full = full;
  } else if (Array.isArray(shown)) {
    if (Array.isArray(full)) for (let k = 0; k < shown.length; ++k) pairRecords(shown[k], full[k]);
  } else if (shown !== null && typeof shown === 'object' && !(shown instanceof Num)) {
    if (full !== null && typeof full === 'object') for (const key of Object.keys(shown)) pairRecords(shown[key], full[key]);
  } else {
    pairFull(shown, full);
  }
}

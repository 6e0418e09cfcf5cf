// Surveyed points as people paste them (spreadsheet columns apart by tabs,
// CSV lines, or the command line's "x,z[,n] x,z …") turned into rows of cell
// texts, and rows into the core's points text. The cells stay as typed: the
// core reads the numbers and names the point it cannot read.

import { inSlices } from './slices.js';

// Full-width separators, as a Chinese input method types them.
const wide = { '，': ',', '；': ';', '　': ' ' };

// A spreadsheet copies a cell with its digit grouping ("1,250.5"); any other
// comma inside a cell is a decimal comma ("0,035"). A leading 0 is never grouped.
const grouped = /^[+-]?[1-9]\d{0,2}(,\d{3})+(\.\d*)?$/;

function tabCell(cell) {
  const text = cell.trim();
  if (!text.includes(',')) return text;
  return grouped.test(text) ? text.replaceAll(',', '') : text.replaceAll(',', '.');
}

// Points apart by blanks or ';', a point's values apart by commas.
function commaPoints(text) {
  return text.replace(/\s*,\s*/g, ',').trim().split(/[\s;]+/).filter(Boolean).map((point) => point.split(','));
}

// A line without tabs holds points apart by blanks or ';', a point's values
// apart by commas; a line without commas either is one point in columns
// apart by blanks (a text file's columns).
function lineRows(line) {
  if (line.includes('\t')) return [line.split('\t').map(tabCell)];
  if (!line.includes(',')) return [line.trim().split(/[\s;]+/)];
  return commaPoints(line);
}

// Where a piece of a long line of points may end: after a run of blanks or
// ';' that does not touch a comma ("1 , 2" is one point), at or after `from`.
function pieceEnd(line, from) {
  const blanks = /[\s;]+/g;
  blanks.lastIndex = from;
  for (let run = blanks.exec(line); run; run = blanks.exec(line)) {
    const before = line[run.index - 1];
    const end = run.index + run[0].length;
    if (before !== ',' && !/[\s;]/.test(before) && line[end] !== ',') return end;
  }
  return line.length;
}

// Cells with no digit at all make the first row a header (起点距, 高程, 糙率).
const isHeader = (cells) => !cells.some((cell) => /\d/.test(cell));

// Rows of [station, elevation, n?] texts, blank lines, a header row and
// empty trailing cells (a missing n) left out.
export function readPoints(text) {
  const reader = new PointsReader(text);
  reader.read(Infinity);
  return reader.rows;
}

// readPoints and pointsText a slice at a time (see inSlices), leaving the
// page answering through a 200,000-line paste: {rows, text}, or null when
// wanted() turns false (a newer text came).
export async function readPointsInSteps(source, { pause, wanted, budget } = {}) {
  const reader = new PointsReader(source);
  const pieces = [];
  let written = 0;
  const step = () => {
    reader.read(8 * 1024);
    if (reader.rows.length > written) pieces.push(pointsText(reader.rows.slice(written)));
    written = reader.rows.length;
    return reader.done;
  };
  if (!reader.done && !(await inSlices(step, { pause, wanted, budget }))) return null;
  return { rows: reader.rows, text: pieces.join(' ') };
}

// A line of points longer than this (the command line's one-line form of a
// long survey) is read a piece of about `piece` characters at a time.
const longLine = 16 * 1024;
const piece = 8 * 1024;

class PointsReader {
  constructor(text) {
    this.text = String(text ?? '');
    this.at = 0;
    this.rows = [];
    this.first = true;
    // The long line being read, and how far.
    this.long = null;
    this.done = this.text.length === 0;
  }

  // Lines, or pieces of a long line, until about `chars` characters are read.
  read(chars) {
    const lineEnd = /\r\n|\n|\r/g;
    for (let read = 0; read < chars && !this.done;) {
      if (this.long) {
        read += this.readPiece();
        continue;
      }
      const start = this.at;
      lineEnd.lastIndex = this.at;
      const end = lineEnd.exec(this.text);
      const line = this.text.slice(this.at, end ? end.index : this.text.length).replace(/[，；　]/g, (c) => wide[c]);
      this.at = end ? lineEnd.lastIndex : this.text.length;
      if (line.length > longLine && !line.includes('\t') && line.includes(',')) this.long = { line, at: 0 };
      else this.take(lineRows(line));
      this.done = this.at >= this.text.length && !this.long;
      read += this.long ? 0 : this.at - start;
    }
  }

  // One piece of the long line; gives its length.
  readPiece() {
    const { line, at } = this.long;
    const end = pieceEnd(line, at + piece);
    this.take(commaPoints(line.slice(at, end)));
    this.long.at = end;
    if (end >= line.length) {
      this.long = null;
      this.done = this.at >= this.text.length;
    }
    return end - at;
  }

  take(rows) {
    for (const cells of rows) {
      while (cells.length && cells[cells.length - 1] === '') cells.pop();
      if (!cells.length) continue;
      const header = this.first && isHeader(cells);
      this.first = false;
      if (!header) this.rows.push(cells);
    }
  }
}

// The core's text: a point's values apart by commas, points by blanks.
export function pointsText(rows) {
  return rows.map((cells) => cells.join(',')).join(' ');
}

// The rows as spreadsheet lines, for the paste box after the table is edited.
export function rowsText(rows) {
  return rows.map((cells) => {
    const kept = cells.slice();
    while (kept.length && !kept[kept.length - 1]) kept.pop();
    return kept.join('\t');
  }).join('\n');
}

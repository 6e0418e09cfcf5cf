// A river reach as the page's table holds it: one row a section, its cells
// the texts typed under the core's reach-file columns (catalog.reachColumns:
// each column's key and the Chinese name a header may use). Read from a CSV
// file, a spreadsheet's copy or a JSON reach file; written as the JSON file
// the core reads, and as CSV to save. Cells stay as typed: the core reads the numbers and names
// the cell it cannot read.

import { Num, keysOf, parseKeeping } from './json-source.js';

// The column a header cell names (its key or its Chinese name), or undefined.
function columnOf(columns, name) {
  const text = name.trim().replace(/^\uFEFF/, '');
  const k = columns.findIndex((c) => c.key === text || c.zh === text);
  return k < 0 ? undefined : k;
}

// Cells with no digit at all make the first row a header.
const isHeader = (cells) => cells.some((cell) => cell.trim() !== '') && !cells.some((cell) => /\d/.test(cell));

// The records of delimited text as rows of cells, quotes respected (a
// doubled quote inside quotes is one), blank lines left out; null where a
// quote stands inside an unquoted cell.
function records(text, delimiter) {
  const d = delimiter === '\t' ? '\\t' : ',';
  const cell = new RegExp(`(?: *"((?:[^"]|"")*)" *|([^"${d}\\r\\n]*))(${d}|\\r\\n|\\n|\\r|$)`, 'y');
  const rows = [];
  let row = [];
  for (let at = 0; at < text.length;) {
    cell.lastIndex = at;
    const match = cell.exec(text);
    if (!match) return null;
    row.push((match[1] !== undefined ? match[1].replace(/""/g, '"') : match[2]).trim());
    at = cell.lastIndex;
    if (match[3] === delimiter && at === text.length) row.push('');
    if (match[3] !== delimiter) {
      if (row.some((c) => c !== '')) rows.push(row);
      row = [];
      if (match[3] === '') break;
    }
  }
  if (row.some((c) => c !== '')) rows.push(row);
  return rows;
}

// Rows of cell texts from CSV or a spreadsheet's tab-separated copy:
// {header: column indices or null (no header row), rows: [[text]], unknown:
// whether a header cell names no column}, or null when the text is not CSV.
export function readTable(text, columns) {
  const source = String(text ?? '').replace(/^\uFEFF/, '');
  const firstEnd = source.search(/\r|\n/);
  const delimiter = (firstEnd < 0 ? source : source.slice(0, firstEnd)).includes('\t') ? '\t' : ',';
  const read = records(source, delimiter);
  if (!read) return null;
  if (!read.length || !isHeader(read[0])) return { header: null, rows: read, unknown: false };
  const header = read[0].map((name) => columnOf(columns, name));
  const unknown = read[0].some((name, k) => name !== '' && header[k] === undefined);
  return { header, rows: read.slice(1), unknown };
}

// The table's rows (a text per column, '' for none) from what readTable read
// with a header.
export function rowsByHeader({ header, rows }, columns) {
  return rows.map((cells) => {
    const row = columns.map(() => '');
    cells.forEach((cell, k) => {
      if (header[k] !== undefined) row[header[k]] = cell;
    });
    return row;
  });
}

// A JSON value's text as a cell holds it: numbers as written; a list of
// flows apart by ';'; points [[x, z, n], [x, z]] as "x,z,n x,z".
function cellText(value, key) {
  if (value === null || value === undefined) return '';
  if (value instanceof Num) return value.text;
  if (typeof value === 'string') return value;
  if (Array.isArray(value)) {
    if (key === 'points') return value.map((point) => (Array.isArray(point) ? point.map((v) => cellText(v)).join(',') : cellText(point))).join(' ');
    return value.map((v) => cellText(v)).join(';');
  }
  return String(value);
}

// A JSON reach file: {rows, settings: {flows, downstream, upstream,
// friction}}, or null when it is not one the table can hold (the core then
// says why).
export function readJsonReach(text, columns) {
  let root;
  try {
    root = parseKeeping(String(text).replace(/^\uFEFF/, ''));
  } catch {
    return null;
  }
  if (root === null || typeof root !== 'object' || Array.isArray(root) || !Array.isArray(root.sections)) return null;
  const settings = {};
  for (const key of keysOf(root)) {
    if (key === 'sections') continue;
    if (!['flows', 'downstream', 'upstream', 'friction'].includes(key)) return null;
    settings[key] = cellText(root[key], key);
  }
  const rows = [];
  for (const section of root.sections) {
    if (section === null || typeof section !== 'object' || Array.isArray(section)) return null;
    const row = columns.map(() => '');
    for (const key of keysOf(section)) {
      const k = columnOf(columns, key);
      if (k === undefined) return null;
      row[k] = cellText(section[key], columns[k].key);
    }
    rows.push(row);
  }
  return { rows, settings };
}

const csvCell = (text) => (/[",\r\n]/.test(text) ? `"${text.replace(/"/g, '""')}"` : text);

export const isBlank = (row) => row.every((cell) => !cell || !cell.trim());

// The reach as a CSV file, for saving: the header, then a line a row, blank rows left out.
export function reachCsv(rows, columns) {
  const lines = [columns.map((c) => c.key).join(',')];
  for (const row of rows) if (!isBlank(row)) lines.push(row.map((cell) => csvCell(cell ?? '')).join(','));
  return `${lines.join('\n')}\n`;
}

// The reach as the core reads it: a JSON file whose sections hold the cells
// as typed (the core reads a text as it reads a CSV cell), blank rows left
// out; {text, rowOf}, rowOf[k] the table's row of section k + 1 (as the
// core's messages count them).
export function reachJson(rows, columns) {
  const sections = [];
  const rowOf = [];
  rows.forEach((row, k) => {
    if (isBlank(row)) return;
    const section = {};
    columns.forEach((column, c) => {
      if (row[c]?.trim()) section[column.key] = row[c];
    });
    sections.push(JSON.stringify(section));
    rowOf.push(k);
  });
  return { text: `{"sections": [\n${sections.join(',\n')}\n]}\n`, rowOf };
}

// The table's row of a problem the core placed at a section, or -1.
export function problemRow(problem, rowOf) {
  return Number.isInteger(problem.row) ? rowOf[problem.row - 1] ?? -1 : -1;
}

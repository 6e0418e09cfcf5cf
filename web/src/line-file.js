// A canal line as the page's table holds it: one row a node, its cells the
// texts typed under the core's line-file columns (catalog.lineColumns). Sent
// to the core as the CSV file it reads, and kept or saved as a project: the
// rows and the settings in one JSON file with its version. Cells stay as
// typed: the core reads the numbers and names the row and column it cannot read.

import { Num, keysOf, parseKeeping } from './json-source.js';
import { isBlank } from './reach-file.js';

// What a project file says it is, and the version this page writes and reads.
export const projectKind = 'channelflow-line';
export const projectVersion = 1;

const csvCell = (text) => (/[",\r\n]/.test(text) ? `"${text.replace(/"/g, '""')}"` : text);

// The columns any row fills, in the columns' order.
function usedColumns(rows, columns) {
  return columns.map((_, c) => c).filter((c) => rows.some((row) => row[c]?.trim()));
}

// The line as the core reads it: a CSV of the columns in use, blank rows left
// out. {text, rowOf}: rowOf[k] is the table's row of the file's record k + 2
// (the header is record 1, as the core's messages count them).
export function lineCsv(rows, columns) {
  const used = usedColumns(rows, columns);
  const lines = [used.map((c) => columns[c].key).join(',')];
  const rowOf = [];
  rows.forEach((row, k) => {
    if (isBlank(row)) return;
    lines.push(used.map((c) => csvCell(row[c]?.trim() ?? '')).join(','));
    rowOf.push(k);
  });
  return { text: `${lines.join('\n')}\n`, rowOf };
}

// The table's row of a problem the core placed at a record of the file, or -1.
export function lineProblemRow(problem, rowOf) {
  return Number.isInteger(problem.row) ? rowOf[problem.row - 2] ?? -1 : -1;
}

// A project: the settings (texts by the question's option names) and the
// nodes, each with its filled cells by column key.
export function projectText(rows, columns, settings) {
  const nodes = rows.filter((row) => !isBlank(row)).map((row) => {
    const node = {};
    columns.forEach((column, c) => {
      if (row[c]?.trim()) node[column.key] = row[c];
    });
    return node;
  });
  return `${JSON.stringify({ kind: projectKind, version: projectVersion, settings, nodes }, null, 1)}\n`;
}

function cellText(value) {
  if (value instanceof Num) return value.text;
  return typeof value === 'string' ? value : null;
}

// A project file read back: {rows, settings} or {problem}, the page's word
// for why it cannot be opened (not a project, or one from a later page).
// settingKeys: the settings this page knows; others are refused, not dropped.
export function readProject(text, columns, settingKeys) {
  let root;
  try {
    root = parseKeeping(String(text).replace(/^\uFEFF/, ''));
  } catch {
    return { problem: 'notAProject' };
  }
  if (root === null || typeof root !== 'object' || Array.isArray(root) || root.kind !== projectKind || !Array.isArray(root.nodes)) {
    return { problem: 'notAProject' };
  }
  const version = root.version instanceof Num ? root.version.value : NaN;
  if (!Number.isInteger(version) || version < 1) return { problem: 'notAProject' };
  if (version > projectVersion) return { problem: 'projectTooNew' };
  const settings = {};
  const given = root.settings ?? {};
  if (typeof given !== 'object' || Array.isArray(given)) return { problem: 'notAProject' };
  for (const key of keysOf(given)) {
    const value = cellText(given[key]);
    if (!settingKeys.includes(key) || value === null) return { problem: 'notAProject' };
    settings[key] = value;
  }
  const rows = [];
  for (const node of root.nodes) {
    if (node === null || typeof node !== 'object' || Array.isArray(node)) return { problem: 'notAProject' };
    const row = columns.map(() => '');
    for (const key of keysOf(node)) {
      const c = columns.findIndex((column) => column.key === key);
      const value = cellText(node[key]);
      if (c < 0 || value === null) return { problem: 'notAProject' };
      row[c] = value;
    }
    rows.push(row);
  }
  return { rows, settings };
}

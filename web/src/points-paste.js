// Surveyed points as people paste them (spreadsheet columns apart by tabs,
// CSV lines, or the command line's "x,z[,n] x,z …") turned into rows of cell
// texts, and rows into the core's points text. The cells stay as typed: the
// core reads the numbers and names the point it cannot read.

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

// A line without tabs holds points apart by blanks or ';', a point's values
// apart by commas; a line without commas either is one point in columns
// apart by blanks (a text file's columns).
function lineRows(line) {
  if (line.includes('\t')) return [line.split('\t').map(tabCell)];
  const tidy = line.replace(/\s*,\s*/g, ',').trim();
  if (!tidy.includes(',')) return [tidy.split(/[\s;]+/)];
  return tidy.split(/[\s;]+/).filter(Boolean).map((point) => point.split(','));
}

// Cells with no digit at all make the first row a header (起点距, 高程, 糙率).
const isHeader = (cells) => !cells.some((cell) => /\d/.test(cell));

// Rows of [station, elevation, n?] texts, blank lines, a header row and
// empty trailing cells (a missing n) left out.
export function readPoints(text) {
  const normal = String(text ?? '').replace(/[，；　]/g, (c) => wide[c]);
  const rows = [];
  let first = true;
  for (const line of normal.split(/\r\n|\n|\r/)) {
    if (!line.trim()) continue;
    for (const cells of lineRows(line)) {
      while (cells.length && cells[cells.length - 1] === '') cells.pop();
      if (!cells.length) continue;
      const header = first && isHeader(cells);
      first = false;
      if (!header) rows.push(cells);
    }
  }
  return rows;
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

// A batch in pieces: the text split into records (quotes respected), a
// spreadsheet's tab-separated paste turned into CSV, and the core's batch run
// chunk by chunk with the header repeated, so progress can be shown and the
// core never holds a 10 MB text at once.
//
// Each function here uses only the others and the platform, so the worker
// is made from their own source text (see batch-worker.js).

// The offsets just past each record of delimited text (line ends inside
// quotes do not end a record). A last record without a line end counts.
export function recordEnds(text) {
  const ends = [];
  let quoted = false;
  const n = text.length;
  for (let k = 0; k < n; ++k) {
    const c = text.charCodeAt(k);
    if (c === 34) quoted = !quoted;
    else if (!quoted && (c === 10 || c === 13)) {
      if (c === 13 && text.charCodeAt(k + 1) === 10) ++k;
      ends.push(k + 1);
    }
  }
  if (n && ends[ends.length - 1] !== n) ends.push(n);
  return ends;
}

// The cells of one record; a doubled quote inside quotes is one quote.
export function parseRecord(record, delimiter = ',') {
  const cells = [];
  let cell = '';
  let quoted = false;
  let k = 0;
  const line = record.replace(/(\r\n|\n|\r)$/, '');
  while (k < line.length) {
    const c = line[k];
    if (quoted) {
      if (c === '"' && line[k + 1] === '"') {
        cell += '"';
        k += 2;
        continue;
      }
      if (c === '"') quoted = false;
      else cell += c;
    } else if (c === '"') {
      quoted = true;
    } else if (c === delimiter) {
      cells.push(cell);
      cell = '';
    } else {
      cell += c;
    }
    ++k;
  }
  cells.push(cell);
  return cells;
}

export function csvCell(text) {
  return /[",\r\n]/.test(text) ? `"${text.replace(/"/g, '""')}"` : text;
}

// A spreadsheet's copy (cells by tabs, rows by line ends) as CSV. Text that
// is already CSV (its first line has no tab) is left as it is.
export function tabsToCsv(text) {
  const firstEnd = text.search(/\r|\n/);
  const firstLine = firstEnd < 0 ? text : text.slice(0, firstEnd);
  if (!firstLine.includes('\t')) return text;
  const ends = recordEnds(text);
  const out = [];
  let start = 0;
  for (const end of ends) {
    const record = text.slice(start, end);
    start = end;
    if (record.trim() === '') continue;
    out.push(parseRecord(record, '\t').map(csvCell).join(','));
  }
  return out.length ? `${out.join('\r\n')}\r\n` : '';
}

// Runs callBatch(csv) -> {ok, csv} | {ok: false, problems} over chunks of
// `chunkRows` rows, each with the header, and joins the answers with one
// header. Stops at the first refused chunk (a header the core cannot read is
// refused by the first). onProgress(rowsDone, rowsTotal) after each chunk;
// pause() between chunks when given (to keep a main thread responsive).
export async function runBatch(csv, callBatch, { chunkRows = 2000, onProgress = () => {}, pause = null } = {}) {
  const ends = recordEnds(csv);
  if (ends.length === 0) return { ok: true, csv: '' };
  const header = csv.slice(0, ends[0]);
  const headerLine = /[\r\n]$/.test(header) ? header : `${header}\r\n`;
  const total = ends.length - 1;
  // The answers' pieces, joined once at the end: appending to one string and
  // looking at its end each time would copy it whole at every chunk.
  const pieces = [];
  let row = 0;
  do {
    const last = Math.min(total, row + chunkRows);
    const body = csv.slice(ends[row], ends[last]);
    const answer = callBatch(headerLine + body);
    if (!answer.ok) return answer;
    let text = answer.csv;
    if (pieces.length) {
      const answerEnds = recordEnds(text);
      text = answerEnds.length ? text.slice(answerEnds[0]) : '';
      if (text && !/[\r\n]$/.test(pieces[pieces.length - 1])) pieces.push('\r\n');
    }
    if (text) pieces.push(text);
    row = last;
    onProgress(row, total);
    if (pause && row < total) await pause();
  } while (row < total);
  return { ok: true, csv: pieces.join('') };
}

// What the page shows of a batch's answer: its row count, how many rows have
// an error (a last cell that is not empty), and the text and record ends of
// the header and the first `shownRows` rows. The whole answer stays where it
// was made and leaves only as a file.
export function summarize(csv, shownRows) {
  const ends = recordEnds(csv);
  let errors = 0;
  for (let k = 1; k < ends.length; ++k) {
    let end = ends[k];
    while (end > ends[k - 1] && (csv.charCodeAt(end - 1) === 10 || csv.charCodeAt(end - 1) === 13)) --end;
    if (end > ends[k - 1] && csv.charCodeAt(end - 1) !== 44) ++errors;
  }
  const shown = Math.min(Math.max(0, ends.length - 1), shownRows);
  const kept = ends.slice(0, shown + 1);
  return { rows: Math.max(0, ends.length - 1), errors, text: csv.slice(0, kept[kept.length - 1] ?? 0), ends: kept };
}

// A canal line's answer as the page draws and lists it: the longitudinal
// profile (the bed, the three flows' levels and the bank tops along the
// stations, every structure shaded from its inlet to its outlet) with the
// bands the core names under it, and the notes of the nodes it could not
// compute. Every label and text is the core's.

import { ink } from './chart.js';

const bankInk = '#a08a5a';
const enlargedInk = '#0b4f8a';
const minimumInk = '#5aa7d6';

function columnLabel(table, key) {
  return table.columns[table.column(key)]?.label ?? key;
}

// record: the line's answer. {lines, spans, bands} for profileDrawing, or
// null when the answer has no profile.
export function lineProfile(record) {
  const profile = record.group('drawing')?.table('profile');
  if (!profile?.length) return null;
  const stations = profile.values('station');
  const series = (key, color, extra = {}) => ({
    key, label: columnLabel(profile, key), color, points: profile.values(key).map((z, k) => [stations[k], z]), ...extra,
  });
  const lines = [
    series('bed', ink.bed, { width: 2.4 }),
    series('top', bankInk, { dash: '6 3', width: 1.3 }),
    series('wse_min', minimumInk, { dash: '3 3', width: 1.3 }),
    series('wse_s', ink.water, { width: 2 }),
    series('wse_j', enlargedInk, { dash: '8 3', width: 1.4 }),
  ];
  const structures = record.group('structures')?.table('structures');
  const spans = [];
  for (let k = 0; k < (structures?.length ?? 0); ++k) {
    const row = structures.raw.at(k);
    spans.push({ key: `structure-${k + 1}`, from: row.station_in?.value, to: row.station_out?.value, label: structures.row(k).cells[structures.column('name')].text });
  }
  const bandRows = record.group('drawing').table('bands');
  const bands = [];
  for (let k = 0; k < (bandRows?.length ?? 0); ++k) {
    const key = bandRows.raw.at(k).key;
    if (profile.column(key) < 0) continue;
    bands.push({ key, label: columnLabel(profile, key), values: profile.cells(key).map((cell, j) => [stations[j], cell.text]) });
  }
  return { lines, spans: spans.filter((s) => Number.isFinite(s.from) && Number.isFinite(s.to)), bands };
}

// The nodes a flow has a note at: [{row, name, stake, text}], the core's texts.
export function lineNotes(flow) {
  const rows = flow.table('rows');
  const notes = [];
  const at = rows?.column('note') ?? -1;
  if (at < 0) return notes;
  for (let k = 0; k < rows.length; ++k) {
    // A row is read only when its text has a note: a string's own quotes
    // are escaped, so none but the note's can match.
    const text = rows.raw.text(k);
    if (text !== null && !text.includes('"note": "')) continue;
    const note = rows.raw.at(k).note;
    if (note === null || note === undefined) continue;
    const { cells } = rows.row(k);
    notes.push({ row: k, name: cells[rows.column('name')].text, stake: cells[rows.column('stake')].text, text: cells[at].text });
  }
  return notes;
}

// Whether a check's row failed: its verdict's term.
export function checkFailed(checks, k) {
  return checks.raw.at(k).verdict === 'fail';
}

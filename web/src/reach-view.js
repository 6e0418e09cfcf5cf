// A reach's answer as the page draws and lists it: a flow's longitudinal
// profile (the bed and bank levels of the reach's geometry, the flow's water
// surface, energy line and critical level, its jumps marked) with the bands
// of stations, bed and water levels, and the notes of the sections without
// an answer. Every label and text is the core's.

import { ink } from './chart.js';

const energyInk = '#7b4fa0';
const bankInk = '#a08a5a';

function columnLabel(table, key) {
  return table.columns[table.column(key)]?.label ?? key;
}

// Each row's [station, value] of a column, null where it has none.
function along(table, key, stations) {
  const values = table.values(key);
  return stations.map((x, k) => [x, values[k]]);
}

// The level of the bed at a station between two sections, read linearly.
export function bedAt(stations, beds, station) {
  let k = 0;
  while (k + 2 < stations.length && stations[k + 1] < station) ++k;
  const [x0, x1] = [stations[k], stations[k + 1] ?? stations[k]];
  const share = x1 > x0 ? (station - x0) / (x1 - x0) : 0;
  return beds[k] + share * ((beds[k + 1] ?? beds[k]) - beds[k]);
}

// flow: a flow's record (its sections and jumps tables); geometry: the
// reach's table of beds and banks; jumpWord: how a jump is named.
// {lines, marks, bands} for profileDrawing.
export function flowProfile(flow, geometry, jumpWord) {
  const sections = flow.table('sections');
  const stations = sections.values('station');
  const beds = sections.values('bed');
  const series = (table, key, color, extra = {}) => ({ key, label: columnLabel(table, key), color, points: along(table, key, stations), ...extra });
  const lines = [
    series(sections, 'bed', ink.bed, { width: 2.4 }),
    series(geometry, 'z_left', bankInk, { dash: '2 3', width: 1.2 }),
    series(geometry, 'z_right', bankInk, { dash: '6 3', width: 1.2 }),
    series(sections, 'wse', ink.water, { width: 2 }),
    series(sections, 'EG', energyInk, { dash: '7 4', width: 1.3 }),
    series(sections, 'wse_c', ink.critical, { dash: '3 3', width: 1.2 }),
  ];
  const marks = [];
  const jumps = flow.table('jumps');
  for (let k = 0; k < (jumps?.length ?? 0); ++k) {
    const row = jumps.raw.at(k);
    const station = row.station.value;
    const bed = bedAt(stations, beds, station);
    marks.push({ key: `jump-${k + 1}`, station, from: bed + row.h1.value, to: bed + row.h2.value, label: `${jumpWord} ${row.station.text}`, color: ink.critical });
  }
  const band = (key) => ({ key, label: columnLabel(sections, key), values: sections.cells(key).map((cell, k) => [stations[k], cell.text]) });
  return { lines, marks, bands: [band('station'), band('bed'), band('wse')] };
}

// The sections a flow has a note at: [{row, station, text}], the core's texts.
export function flowNotes(flow) {
  const sections = flow.table('sections');
  const at = sections.column('note');
  const stationAt = sections.column('station');
  const notes = [];
  if (at < 0) return notes;
  for (let k = 0; k < sections.length; ++k) {
    if (sections.raw.at(k).note === null || sections.raw.at(k).note === undefined) continue;
    const { cells } = sections.row(k);
    notes.push({ row: k, station: cells[stationAt].text, text: cells[at].text });
  }
  return notes;
}

// A table's row as the items of a results list.
export function rowItems(table, k) {
  const { cells } = table.row(k);
  return table.columns.map((column, c) => ({ key: column.key, label: column.label, unit: cells[c].kind === 'number' ? column.unit : '',
    kind: cells[c].kind, text: cells[c].text, full: cells[c].full }));
}

// An answer document as the panels take it. Every answer has one shape:
// records (usually one; a circle's two depths are two), each of items (a
// quantity and its cell), named groups (records of their own) and tables
// whose columns are quantities. A cell is a number (Num: the text shown, the
// full text, the value), a term shown in words, a text, a yes or no, a list
// of numbers, or absent. Labels and words come with the answer, in its
// language; the catalog names what a bare table leaves unnamed.

import { Num, keysOf } from './json-source.js';
import { Rows } from './answer-rows.js';

// Members of the last record that are about the answer, not items of it.
const aboutAnswer = new Set(['labels', 'words', 'formulas', 'report']);

export const absentCell = Object.freeze({ kind: 'absent', text: '', full: '', value: null });

// A table's rows are read as they are wanted: a 10,000-point profile draws
// the forty rows in view, and its curve takes the numbers alone.
export class Table {
  constructor(key, columns, rows, cell) {
    this.key = key;
    this.columns = columns;  // [{key, label, unit, symbol}]
    this.raw = rows;         // the rows as the core wrote them (Rows)
    this.cell = cell;
    this.length = rows.length;
  }

  column(key) {
    return this.columns.findIndex((c) => c.key === key);
  }

  // Row k: {cells: [a cell per column], error: its text or null}.
  row(k) {
    const row = this.raw.at(k);
    return { cells: this.columns.map((c) => this.cell(row[c.key])), error: typeof row.error === 'string' ? row.error : null };
  }

  // Whether row k is one the core could not answer.
  failed(k) {
    return typeof this.raw.at(k).error === 'string';
  }

  get rows() {
    this.all ??= Array.from({ length: this.length }, (_, k) => this.row(k));
    return this.all;
  }

  // A column's numbers, null where a row has none.
  values(key) {
    return Array.from({ length: this.length }, (_, k) => {
      const value = this.raw.at(k)[key];
      return value instanceof Num ? value.value : null;
    });
  }

  // A column's cells.
  cells(key) {
    return Array.from({ length: this.length }, (_, k) => this.cell(this.raw.at(k)[key]));
  }
}

export class Record {
  constructor() {
    this.items = [];   // [{key, label, unit, kind, text, full, value, values, term}]
    this.groups = [];  // [{key, label, record}]
    this.tables = [];
  }

  item(key) {
    return this.items.find((i) => i.key === key);
  }

  group(key) {
    return this.groups.find((g) => g.key === key)?.record;
  }

  table(key) {
    return this.tables.find((t) => t.key === key);
  }

  // An item's number, or undefined.
  value(key) {
    const item = this.item(key);
    return item?.kind === 'number' ? item.value : undefined;
  }

  // The text of each item that has one, by key: as shown, or in full (to
  // ask the core again with a value it gave).
  texts({ full = false } = {}) {
    const texts = {};
    for (const item of this.items) if (item.kind !== 'absent') texts[item.key] = full ? item.full : item.text;
    return texts;
  }
}

class Reader {
  constructor({ catalog, labels, words, language }) {
    this.catalog = catalog;
    this.labels = labels;
    this.words = words;
    this.language = language === 'en' ? 'en' : 'zh';
    this.system = 'si';
    this.termCells = new Map();
  }

  // "水深 h": the answer's label, else the catalog's name and symbol.
  label(key) {
    const given = this.labels[key];
    if (given !== undefined) return given;
    const entry = this.catalog?.quantityByKey.get(key) ?? this.catalog?.parameterByKey.get(key);
    if (!entry) return key;
    const name = entry.name[this.language];
    return entry.symbol && entry.symbol !== name ? `${name} ${entry.symbol}` : name;
  }

  symbol(key) {
    return (this.catalog?.quantityByKey.get(key) ?? this.catalog?.parameterByKey.get(key))?.symbol ?? '';
  }

  unit(key) {
    const kind = (this.catalog?.quantityByKey.get(key) ?? this.catalog?.parameterByKey.get(key))?.unit;
    return kind ? this.catalog.units[this.system]?.[kind] ?? '' : '';
  }

  // A term's words: the answer's, the catalog's, or a design row's name
  // (a bed or a soil, which the answer names by its key).
  termWords(key) {
    const given = this.words[key];
    if (given !== undefined && given !== key) return given;
    return this.catalog?.terms[key]?.[this.language] ?? this.catalog?.rowByKey.get(key)?.name[this.language] ?? given ?? key;
  }

  isTerm(text) {
    return text in this.words || (this.catalog !== null && text in this.catalog.terms);
  }

  termCell(key) {
    let cell = this.termCells.get(key);
    if (!cell) {
      const text = this.termWords(key);
      cell = { kind: 'term', term: key, text, full: text, value: null };
      this.termCells.set(key, cell);
    }
    return cell;
  }

  cell(value) {
    if (value instanceof Num) return value;
    if (value === null || value === undefined) return absentCell;
    if (typeof value === 'boolean') return { ...this.termCell(value ? 'yes' : 'no'), kind: 'flag', flag: value };
    if (typeof value === 'string') return this.isTerm(value) ? this.termCell(value) : { kind: 'text', text: value, full: value, value: null };
    if (Array.isArray(value) && value.every((v) => v instanceof Num)) {
      return {
        kind: 'list', text: value.map((v) => v.text).join(', '), full: value.map((v) => v.full).join(', '), value: null,
        values: value.map((v) => v.value), texts: value.map((v) => v.text),
      };
    }
    return { kind: 'text', text: String(value), full: String(value), value: null };
  }

  record(object) {
    const record = new Record();
    for (const key of keysOf(object)) {
      const value = object[key];
      if (aboutAnswer.has(key)) continue;
      if (value instanceof Rows) {
        record.tables.push(this.table(key, value));
      } else if (Array.isArray(value) && !(value.length && value.every((v) => v instanceof Num))) {
        record.tables.push(this.table(key, Rows.of(value)));
      } else if (value !== null && typeof value === 'object' && !(value instanceof Num) && !Array.isArray(value)) {
        record.groups.push({ key, label: this.label(key), record: this.record(value) });
      } else {
        const cell = this.cell(value);
        const measured = cell.kind === 'number' || cell.kind === 'list';
        record.items.push({
          key, label: this.label(key), unit: measured ? this.unit(key) : '', kind: cell.kind, text: cell.text, full: cell.full,
          value: cell.value, values: cell.values, texts: cell.texts, term: cell.term,
        });
      }
    }
    return record;
  }

  // Columns in the order the rows first name them. A row the core could not
  // answer has the leading cells it has and its error; every other row has
  // them all, so the first such row ends the search.
  table(key, rows) {
    const keys = [];
    const seen = new Set(['error']);
    for (let k = 0; k < rows.length; ++k) {
      const row = rows.at(k);
      for (const column in row) {
        if (!seen.has(column)) {
          seen.add(column);
          keys.push(column);
        }
      }
      if (!('error' in row)) break;
    }
    const columns = keys.map((column) => ({ key: column, label: this.label(column), unit: this.unit(column), symbol: this.symbol(column) }));
    return new Table(key, columns, rows, (value) => this.cell(value));
  }
}

// An answer's list of lines (a design's report is written a line an object, as a table's rows are).
function list(value) {
  if (value instanceof Rows) return Array.from({ length: value.length }, (_, k) => value.at(k));
  return Array.isArray(value) ? value : [];
}

// values: the answer's JSON values (rounded for show where asked, each
// number paired with its full text). context: {catalog, question, language,
// system}, the system taken when the answer does not say its own.
export function answerView(values, { catalog = null, question = '', language = 'zh', system = 'si' } = {}) {
  const last = values[values.length - 1];
  const table = (value) => Array.isArray(value) || value instanceof Rows;
  const about = last && !table(last) ? last : {};
  const reader = new Reader({ catalog, labels: about.labels ?? {}, words: about.words ?? {}, language });
  const units = values[0] && !table(values[0]) ? values[0].units : undefined;
  reader.system = units === 'us' || units === 'si' ? units : system;
  // A table alone (a rating table) is a record of that one table, named as the question.
  const records = values.map((value) => reader.record(table(value) ? { [question]: value } : value));
  return {
    ok: true,
    question,
    system: reader.system,
    records,
    record: records[0] ?? new Record(),
    formulas: list(about.formulas),
    report: list(about.report),
  };
}

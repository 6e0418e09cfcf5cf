// A structure's answer on the page: its flows side by side (a row per
// quantity, a column per flow: design, enlarged, minimum) and its other
// tables (a siphon's bends, a chute's profile). Every word and number is the
// core's; these only arrange them.

import { el } from './dom.js';
import { t, termText } from './i18n.js';
import { valueButton } from './results.js';
import { columnTitles, TableView } from './table-view.js';

// The flows a structure is computed at, in the order they are shown.
export const flowKeys = ['design', 'enlarged', 'minimum'];

// The tables shown otherwise: the checks as a list, the losses as a chart.
const shownElsewhere = new Set(['checks', 'losses']);

// {flows: [flow keys], rows: [{key, label, unit, cells}]}: a row per quantity
// in the order the flows first give them, a cell per flow (the item, or null
// where that flow has none).
export function flowRows(record) {
  const flows = flowKeys.map((key) => [key, record.group(key)]).filter(([, group]) => group);
  const rows = [];
  const byKey = new Map();
  flows.forEach(([, group], k) => {
    for (const item of group.items) {
      let row = byKey.get(item.key);
      if (!row) {
        row = { key: item.key, label: item.label, unit: item.unit, cells: flows.map(() => null) };
        byKey.set(item.key, row);
        rows.push(row);
      }
      row.cells[k] = item;
    }
  });
  return { flows: flows.map(([key]) => key), rows };
}

// The flows' table, or null for a structure computed at no flows of its own.
export function flowsTable(catalog, record) {
  const { flows, rows } = flowRows(record);
  if (!flows.length) return null;
  return el('table', { class: 'data flows', 'data-table': 'flows' },
    el('caption', { text: t('flows') }),
    el('thead', {}, el('tr', {}, el('th', { scope: 'col', text: t('quantity') }),
      flows.map((key) => el('th', { scope: 'col', 'data-flow': key, text: termText(catalog, key) })))),
    el('tbody', {}, rows.map((row) => el('tr', { 'data-row': row.key },
      el('th', { scope: 'row', text: row.unit ? `${row.label} (${row.unit})` : row.label }),
      row.cells.map((item, k) => el('td', { 'data-flow': flows[k] },
        item && item.kind !== 'absent' ? valueButton(row.key, item.text, item.full) : null))))));
}

// The flows as the clipboard's sections: a section per flow.
export function flowSections(catalog, record) {
  return flowKeys.filter((key) => record.group(key)).map((key) => ({
    title: termText(catalog, key),
    rows: record.group(key).items.map((item) => [item.label, item.text, item.unit, item.full]),
  }));
}

// The record's other tables, each in a view of its own (a long profile draws
// the rows in view).
export function otherTables(record) {
  return record.tables.filter((table) => !shownElsewhere.has(table.key)).map((table) => {
    const view = new TableView(table.key);
    view.show(columnTitles(table), table.length, (k) => table.row(k).cells);
    return view;
  });
}

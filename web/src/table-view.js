// A table of any length that draws only the rows in view, so a 10,000-row
// profile or a 100,000-row batch updates as fast as a short one. A click on
// a cell copies its text, in full where it is shown rounded.

import { el, clear } from './dom.js';
import { copyText } from './clipboard.js';

const rowHeight = 24;
const spare = 10;

// The first and last row to draw for a scroll position, rows `height` px tall.
export function visibleRange(scrollTop, viewHeight, count, height = rowHeight) {
  const first = Math.min(Math.max(0, Math.floor(scrollTop / height) - spare), Math.max(0, count - spare));
  const last = Math.min(count, Math.ceil((scrollTop + viewHeight) / height) + spare);
  return [first, Math.max(first, last)];
}

// An answer's table's column titles: "水深 h (m)".
export function columnTitles(table) {
  return table.columns.map((c) => (c.unit ? `${c.label} (${c.unit})` : c.label));
}

export class TableView {
  constructor(name) {
    this.head = el('thead');
    this.body = el('tbody');
    this.table = el('table', { class: 'data', 'data-table': name }, this.head, this.body);
    this.root = el('div', { class: 'table-scroll', tabindex: 0 }, this.table);
    this.count = 0;
    this.cells = () => [];
    this.root.addEventListener('scroll', () => {
      this.scrollTop = this.root.scrollTop;
      this.viewHeight = this.root.clientHeight;
      this.schedule();
    });
    this.body.addEventListener('click', (event) => {
      const cell = event.target.closest('td');
      if (cell && cell.textContent) copyText(cell.dataset.full ?? cell.textContent);
    });
    this.root.hidden = true;
  }

  // columns: header texts; count rows; cells(k): row k's cells, each a text
  // or {text, full} (an answer's cell); rowClass(k) an optional class (an error row).
  show(columns, count, cells, rowClass = () => '') {
    this.columns = columns;
    this.count = count;
    this.cells = cells;
    this.rowClass = rowClass;
    this.root.hidden = count === 0;
    this.head.replaceChildren(el('tr', {}, columns.map((c) => el('th', { scope: 'col', text: c }))));
    this.draw();
  }

  hide() {
    this.show([], 0, () => []);
  }

  schedule() {
    if (this.pending) return;
    this.pending = requestAnimationFrame(() => {
      this.pending = 0;
      this.draw();
    });
  }

  // The view's height is read on scrolling only: reading it while the page
  // is being rebuilt would force a layout in the middle of a keystroke.
  draw(view = this.viewHeight ?? 420) {
    const [first, last] = visibleRange(this.scrollTop ?? 0, view, this.count);
    const rows = [];
    if (first > 0) rows.push(spacer(first * rowHeight, this.columns.length));
    for (let k = first; k < last; ++k) {
      const cls = this.rowClass(k);
      rows.push(el('tr', { 'data-row': k, class: cls || undefined }, this.cells(k).map(cellNode)));
    }
    if (last < this.count) rows.push(spacer((this.count - last) * rowHeight, this.columns.length));
    this.body.replaceChildren(...rows);
  }

  // Every row, for printing (at most `limit`, evenly spread, last row kept).
  fullTable(limit = 400) {
    const picks = [];
    const stride = Math.max(1, Math.ceil(this.count / limit));
    for (let k = 0; k < this.count; k += stride) picks.push(k);
    if (this.count && picks[picks.length - 1] !== this.count - 1) picks.push(this.count - 1);
    return el('table', { class: 'data' }, el('thead', {}, el('tr', {}, this.columns.map((c) => el('th', { text: c })))),
      el('tbody', {}, picks.map((k) => el('tr', {}, this.cells(k).map((cell) => el('td', { text: textOf(cell) }))))));
  }

  clear() {
    clear(this.body);
  }
}

function textOf(cell) {
  return typeof cell === 'string' ? cell : cell.text;
}

function cellNode(cell) {
  const node = el('td', { text: textOf(cell) });
  if (typeof cell !== 'string' && cell.full !== cell.text) node.dataset.full = cell.full;
  return node;
}

// Heights go through the style object: a CSP without 'unsafe-inline' drops
// style attributes but not CSSOM changes.
export function spacer(height, span) {
  const cell = el('td', { colspan: Math.max(1, span) });
  cell.style.height = `${height}px`;
  return el('tr', { class: 'spacer', 'aria-hidden': 'true' }, cell);
}

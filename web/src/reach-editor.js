// The reach's sections as a table to edit: a row a section, a column each of
// the core's reach-file columns. Only the rows in view are drawn, so a reach
// of thousands of sections edits as fast as a short one. A spreadsheet's
// cells pasted into a cell fill the table from there, right and down; a
// paste with a header row is a whole reach (the panel takes it). The core's
// message about a cell marks that cell. A canal line's nodes are edited the
// same way, with a table name, words and a choice of columns shown of their own.

import { el } from './dom.js';
import { currentLanguage, t } from './i18n.js';
import { readTable } from './reach-file.js';
import { spacer, visibleRange } from './table-view.js';

// The rows are this tall (style.css), the view at most this high.
const rowHeight = 28;
const viewHeight = 300;

export class ReachEditor {
  // columns: catalog.reachColumns; onChange(): the rows changed;
  // onSelect(k): row k chosen; onWhole(text, read): a paste with a header
  // (as readTable read it) or one it could not read (null); name: the
  // table's; words: the chrome's keys of its buttons.
  constructor(columns, { onChange, onSelect, onWhole, name = 'reach-sections', words = { add: 'addSection', remove: 'removeSection' } }) {
    this.columns = columns;
    this.words = words;
    // The columns shown, by index: all until showColumns() chooses.
    this.shown = columns.map((_, c) => c);
    this.onChange = onChange;
    this.onSelect = onSelect;
    this.onWhole = onWhole;
    this.rows = [];
    this.selected = 0;
    // The core's messages by cell ("row:column"), a row's own at "row:".
    this.marks = new Map();
    this.head = el('thead');
    this.body = el('tbody');
    this.body.addEventListener('input', (event) => this.edited(event.target));
    this.body.addEventListener('paste', (event) => this.pasted(event));
    this.body.addEventListener('focusin', (event) => this.select(Number(event.target.dataset?.row)));
    this.body.addEventListener('click', (event) => {
      const remove = event.target.closest('[data-remove]');
      if (remove) this.removeRow(Number(remove.dataset.remove));
    });
    this.table = el('table', { class: `points reach-sections ${name}`, 'data-table': name }, this.head, this.body);
    this.scroll = el('div', { class: 'points-scroll reach-scroll' }, this.table);
    this.scroll.addEventListener('scroll', () => {
      this.scrollTop = this.scroll.scrollTop;
      this.viewHeight = this.scroll.clientHeight;
      if (!this.pending) this.pending = requestAnimationFrame(() => { this.pending = 0; this.draw(); });
    });
    this.addButton = el('button', { type: 'button', class: 'add-point', 'data-action': name === 'reach-sections' ? 'add-section' : 'add-row', onclick: () => this.addRow() });
    this.root = el('div', { class: 'reach-editor' }, this.scroll, this.addButton);
    this.scrollTop = 0;
  }

  // Replaces every row (a file opened, inputs restored), the first chosen and in view.
  setRows(rows) {
    this.rows = rows.map((row) => this.columns.map((_, c) => row[c] ?? ''));
    this.selected = 0;
    this.scroll.scrollTop = this.scrollTop = 0;
    this.draw();
  }

  cell(k, key) {
    return this.rows[k]?.[this.columns.findIndex((c) => c.key === key)] ?? '';
  }

  setCell(k, key, text) {
    const c = this.columns.findIndex((column) => column.key === key);
    if (!this.rows[k] || c < 0 || this.rows[k][c] === text) return;
    this.rows[k][c] = text;
    this.draw();
    this.onChange();
  }

  // The column's title: its Chinese name, or its key as an English file names it.
  title(column) {
    return currentLanguage() === 'en' ? column.key : column.zh;
  }

  relabel() {
    this.head.replaceChildren(el('tr', {}, el('th', { scope: 'col', text: '#' }),
      this.shown.map((c) => this.columns[c]).map((c) => el('th', { scope: 'col', 'data-column': c.key, title: c.key, text: this.title(c) })), el('th')));
    this.addButton.textContent = t(this.words.add);
    this.draw();
  }

  // Shows the columns of these indices (in the columns' order); the rows keep every cell.
  showColumns(indices) {
    const shown = this.columns.map((_, c) => c).filter((c) => indices.includes(c));
    if (shown.join() === this.shown.join()) return;
    this.shown = shown;
    this.relabel();
  }

  // problems: [{row, column, message}] in the table's rows; the marks are
  // redrawn with the rows in view.
  mark(problems) {
    const key = JSON.stringify(problems);
    if (key === this.marked) return;
    this.marked = key;
    this.marks = new Map();
    for (const { row, column, message } of problems) {
      const key = `${row}:${column ?? ''}`;
      const known = this.marks.get(key);
      this.marks.set(key, known && !known.split('；').includes(message) ? `${known}；${message}` : message);
    }
    this.draw();
  }

  draw() {
    const count = this.rows.length;
    const [first, last] = visibleRange(this.scrollTop, this.viewHeight ?? viewHeight, count, rowHeight);
    const typing = this.body.contains(document.activeElement) ? document.activeElement : null;
    const drawn = [];
    const span = this.shown.length + 2;
    if (first > 0) drawn.push(spacer(first * rowHeight, span));
    for (let k = first; k < last; ++k) drawn.push(this.rowNode(k));
    if (last < count) drawn.push(spacer((count - last) * rowHeight, span));
    this.table.setAttribute('aria-rowcount', count + 1);
    this.body.replaceChildren(...drawn);
    if (typing?.dataset.row !== undefined) {
      const again = this.body.querySelector(`input[data-row="${typing.dataset.row}"][data-column="${typing.dataset.column}"]`);
      if (again) {
        again.focus({ preventScroll: true });
        again.setSelectionRange(typing.selectionStart, typing.selectionEnd);
      }
    }
  }

  rowNode(k) {
    const own = this.marks.get(`${k}:`);
    const head = el('th', { scope: 'row', text: String(k + 1), title: own, class: own ? 'bad' : undefined });
    return el('tr', { 'aria-rowindex': k + 2, 'aria-selected': String(k === this.selected), 'data-row': k }, head,
      this.shown.map((c) => {
        const column = this.columns[c];
        const message = this.marks.get(`${k}:${column.key}`);
        return el('td', { 'data-column': column.key }, el('input', {
          type: 'text', value: this.rows[k][c], 'data-row': k, 'data-column': c, autocomplete: 'off', spellcheck: 'false',
          'aria-label': `${this.title(column)} ${k + 1}`, 'aria-invalid': message ? 'true' : undefined, title: message,
        }));
      }),
      el('td', {}, el('button', { type: 'button', class: 'remove-point', 'data-remove': k, 'aria-label': `${t(this.words.remove)} ${k + 1}`, text: '×' })));
  }

  select(k) {
    if (!Number.isInteger(k) || k === this.selected || !this.rows[k]) return;
    this.selected = k;
    for (const tr of this.body.querySelectorAll('tr[data-row]')) tr.setAttribute('aria-selected', String(Number(tr.dataset.row) === k));
    this.onSelect(k);
  }

  // Shows row k and chooses it.
  reveal(k) {
    this.scroll.scrollTop = this.scrollTop = Math.max(0, k * rowHeight - rowHeight);
    this.select(k);
    this.draw();
  }

  edited(input) {
    if (input.dataset.row === undefined) return;
    this.rows[Number(input.dataset.row)][Number(input.dataset.column)] = input.value;
    this.onChange();
  }

  // A spreadsheet's cells (tabs or lines) go into the table from this cell
  // on, overwriting, rows added as needed; cells with a header row are a reach.
  pasted(event) {
    const input = event.target;
    const text = event.clipboardData?.getData('text/plain') ?? '';
    if (input.dataset?.row === undefined || !/[\t\r\n]/.test(text.trim())) return;
    event.preventDefault();
    const read = readTable(text, this.columns);
    // Text that is not CSV goes to the panel as well, whose core says why.
    if (!read || read.header) {
      this.onWhole(text, read);
      return;
    }
    // Cells go into the columns shown, from the one pasted into rightwards.
    const [k0, s0] = [Number(input.dataset.row), this.shown.indexOf(Number(input.dataset.column))];
    read.rows.forEach((cells, r) => {
      const row = this.rows[k0 + r] ?? (this.rows[k0 + r] = this.columns.map(() => ''));
      cells.forEach((cell, j) => {
        if (s0 + j < this.shown.length) row[this.shown[s0 + j]] = cell;
      });
    });
    this.draw();
    this.onChange();
  }

  addRow() {
    this.rows.push(this.columns.map(() => ''));
    this.reveal(this.rows.length - 1);
    this.body.querySelector(`input[data-row="${this.rows.length - 1}"]`)?.focus();
    this.onChange();
  }

  removeRow(k) {
    this.rows.splice(k, 1);
    if (!this.rows.length) this.rows.push(this.columns.map(() => ''));
    if (this.selected >= this.rows.length) this.selected = this.rows.length - 1;
    this.draw();
    this.onChange();
    this.onSelect(this.selected);
  }
}

// The surveyed points: a box that takes a spreadsheet's columns pasted (or
// the command line's text typed) and a table to edit them point by point.
// Both show the same rows; the box's text is what the panel keeps and what
// the core's message about a point marks. The table draws only the rows in
// view, and a text too long for the box is read in slices, so that a paste
// of any length leaves the page answering.

import { el } from './dom.js';
import { parameterField } from './fields.js';
import { t, termText, unitText } from './i18n.js';
import { tooLongToShow } from './long-text.js';
import { readPoints, readPointsInSteps, pointsText, rowsText } from './points-paste.js';
import { inSlices } from './slices.js';
import { spacer, visibleRange } from './table-view.js';

const columns = ['station', 'elevation', 'roughness'];
// The table's rows are this tall (style.css), its view at most this high.
const rowHeight = 28;
const viewHeight = 260;
// A table longer than this goes back into the box in slices.
const rowsAtOnce = 5000;

export class PointsEditor {
  constructor(catalog, fields, system, { initial, onInput }) {
    this.catalog = catalog;
    this.system = system;
    this.onInput = onInput;
    this.field = fields.add(parameterField(catalog, 'points', system, {
      kind: 'textarea', initial, hint: () => this.hint(), onInput: () => this.read(),
    }));
    this.field.row.classList.add('wide');
    this.head = el('thead');
    this.body = el('tbody');
    this.body.addEventListener('input', (event) => this.cellEdited(event.target));
    this.body.addEventListener('paste', (event) => this.pastedInCell(event));
    this.body.addEventListener('click', (event) => {
      const remove = event.target.closest('[data-remove]');
      if (remove) this.removeRow(Number(remove.dataset.remove));
    });
    this.addButton = el('button', { type: 'button', class: 'add-point', onclick: () => this.addRow() });
    this.table = el('table', { class: 'points', 'data-table': 'points' }, this.head, this.body);
    this.scroll = el('div', { class: 'points-scroll' }, this.table);
    this.scroll.addEventListener('scroll', () => {
      this.scrollTop = this.scroll.scrollTop;
      this.viewHeight = this.scroll.clientHeight;
      if (!this.pending) this.pending = requestAnimationFrame(() => { this.pending = 0; this.drawRows(); });
    });
    this.root = el('div', { class: 'points-editor' }, this.field.row, this.scroll, this.addButton);
    this.rows = [];
    this.coreText = '';
    this.reading = 0;
    this.scrollTop = 0;
  }

  // The core's points text for what is in the box now.
  text() {
    return this.coreText;
  }

  hint() {
    return t('pointsHint').replace('{columns}', columns.map((key) => termText(this.catalog, key)).join(t('comma')));
  }

  // The box's text read into the table (unless redraw is false: after an
  // edit in the table, whose cursor must not jump) and into the core's text,
  // then the panel recomputes. A text the box shows whole is read at once,
  // and the panel told only when `changed` (a restored box is computed with
  // the rest of the panel); a longer one in slices, the panel told after.
  read({ redraw = true, changed = true } = {}) {
    const ticket = ++this.reading;
    const take = ({ rows, text }) => {
      if (redraw) {
        this.rows = rows;
        this.drawRows();
      }
      this.coreText = text;
    };
    if (this.field.aside === null) {
      const rows = readPoints(this.field.value);
      take({ rows, text: pointsText(rows) });
      if (changed) this.onInput();
      return;
    }
    readPointsInSteps(this.field.value, { wanted: () => this.reading === ticket }).then((read) => {
      if (!read) return;
      take(read);
      this.onInput();
    });
  }

  // The columns' names in the language and unit system now.
  columnNames() {
    const unit = unitText(this.catalog, 'length', this.system());
    return columns.map((key, c) => (c < 2 ? `${termText(this.catalog, key)} (${unit})` : termText(this.catalog, key)));
  }

  relabel() {
    this.head.replaceChildren(el('tr', {}, el('th', { scope: 'col', text: '#' }), this.columnNames().map((name) => el('th', { scope: 'col', text: name })), el('th')));
    this.addButton.textContent = t('addPoint');
  }

  // The rows in view and a few either side; the cell being typed in keeps
  // its cursor when it is drawn again.
  drawRows() {
    const names = this.columnNames();
    const count = this.rows.length;
    const [first, last] = visibleRange(this.scrollTop, this.viewHeight ?? viewHeight, count, rowHeight);
    const typing = this.body.contains(document.activeElement) ? document.activeElement : null;
    const drawn = [];
    if (first > 0) drawn.push(spacer(first * rowHeight, columns.length + 2));
    for (let k = first; k < last; ++k) {
      const cells = this.rows[k];
      drawn.push(el('tr', { 'aria-rowindex': k + 2 },
        el('th', { scope: 'row', text: String(k + 1) }),
        columns.map((key, c) => el('td', {}, el('input', {
          type: 'text', value: cells[c] ?? '', 'data-row': k, 'data-column': c, 'aria-label': `${names[c]} ${k + 1}`, autocomplete: 'off', spellcheck: 'false',
        }))),
        el('td', {}, el('button', { type: 'button', class: 'remove-point', 'data-remove': k, 'aria-label': `${t('removePoint')} ${k + 1}`, text: '×' }))));
    }
    if (last < count) drawn.push(spacer((count - last) * rowHeight, columns.length + 2));
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

  // A cell typed in: the box takes the table's rows, the table stays as it is.
  cellEdited(input) {
    if (input.dataset.row === undefined) return;
    const row = this.rows[Number(input.dataset.row)];
    row[Number(input.dataset.column)] = input.value;
    for (let c = 0; c < columns.length; ++c) row[c] ??= '';
    this.tableChanged(false);
  }

  // A spreadsheet's cells (tabs or lines) or a text too long for a cell go
  // into the table from that cell on, as a spreadsheet pastes: right and
  // down, overwriting, with rows added at the end as needed.
  async pastedInCell(event) {
    const input = event.target;
    const text = event.clipboardData?.getData('text/plain') ?? '';
    if (input.dataset?.row === undefined || !(/[\t\r\n]/.test(text.trim()) || tooLongToShow(text))) return;
    event.preventDefault();
    const ticket = ++this.reading;
    const wanted = () => this.reading === ticket;
    const read = await readPointsInSteps(text, { wanted });
    if (!read) return;
    const [k0, c0] = [Number(input.dataset.row), Number(input.dataset.column)];
    let r = 0;
    const step = () => {
      for (const end = Math.min(read.rows.length, r + 1000); r < end; ++r) {
        const row = this.rows[k0 + r] ?? (this.rows[k0 + r] = []);
        read.rows[r].forEach((cell, j) => { row[c0 + j] = cell; });
        for (let c = 0; c < columns.length; ++c) row[c] ??= '';
      }
      return r >= read.rows.length;
    };
    if (await inSlices(step, { wanted })) this.tableChanged(true);
  }

  addRow() {
    this.rows.push(['', '', '']);
    this.scrollTop = Math.max(0, this.rows.length * rowHeight - (this.viewHeight ?? viewHeight) + rowHeight);
    this.drawRows();
    this.scroll.scrollTop = this.scrollTop;
    this.body.querySelector(`input[data-row="${this.rows.length - 1}"]`).focus();
  }

  removeRow(k) {
    this.rows.splice(k, 1);
    this.tableChanged(true);
  }

  // The box follows the table, and the core's text the box.
  async tableChanged(redraw) {
    if (redraw) this.drawRows();
    if (this.rows.length <= rowsAtOnce) {
      this.field.value = rowsText(this.rows);
      this.read({ redraw: false });
      return;
    }
    const ticket = ++this.reading;
    const pieces = [];
    let k = 0;
    const step = () => {
      pieces.push(rowsText(this.rows.slice(k, k + 1000)));
      k += 1000;
      return k >= this.rows.length;
    };
    if (!(await inSlices(step, { wanted: () => this.reading === ticket }))) return;
    this.field.value = pieces.join('\n');
    this.read({ redraw: false });
  }
}

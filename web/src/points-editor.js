// The surveyed points: a box that takes a spreadsheet's columns pasted (or
// the command line's text typed) and a small table to edit them point by
// point. Both show the same rows; the box's text is what the panel keeps and
// what the core's message about a point marks.

import { el } from './dom.js';
import { Field, parameterField } from './fields.js';
import { t, termText, unitText } from './i18n.js';
import { readPoints, pointsText, rowsText } from './points-paste.js';

const columns = ['station', 'elevation', 'roughness'];

export class PointsEditor {
  constructor(catalog, fields, system, { initial, onInput }) {
    this.catalog = catalog;
    this.system = system;
    this.onInput = onInput;
    this.field = fields.add(parameterField(catalog, 'points', system, {
      kind: 'textarea', initial, hint: () => this.hint(), onInput: () => { this.fillTable(); onInput(); },
    }));
    this.field.row.classList.add('wide');
    this.head = el('thead');
    this.body = el('tbody');
    this.body.addEventListener('input', (event) => this.cellEdited(event.target));
    this.body.addEventListener('click', (event) => {
      const remove = event.target.closest('[data-remove]');
      if (remove) this.removeRow(Number(remove.dataset.remove));
    });
    this.addButton = el('button', { type: 'button', class: 'add-point', onclick: () => this.addRow() });
    this.root = el('div', { class: 'points-editor' }, this.field.row,
      el('div', { class: 'points-scroll' }, el('table', { class: 'points', 'data-table': 'points' }, this.head, this.body)),
      this.addButton);
    this.rows = [];
  }

  // The core's points text for what is in the box now.
  text() {
    return pointsText(readPoints(this.field.value));
  }

  hint() {
    return t('pointsHint').replace('{columns}', columns.map((key) => termText(this.catalog, key)).join(t('comma')));
  }

  // The box was typed in or restored: the table follows it.
  fillTable() {
    this.rows = readPoints(this.field.value).map((cells) => [0, 1, 2].map((c) => cells[c] ?? ''));
    this.drawRows();
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

  drawRows() {
    const names = this.columnNames();
    this.body.replaceChildren(...this.rows.map((cells, k) => el('tr', {},
      el('th', { scope: 'row', text: String(k + 1) }),
      cells.map((text, c) => el('td', {}, el('input', {
        type: 'text', value: text, 'data-row': k, 'data-column': c, 'aria-label': `${names[c]} ${k + 1}`, autocomplete: 'off', spellcheck: 'false',
      }))),
      el('td', {}, el('button', { type: 'button', class: 'remove-point', 'data-remove': k, 'aria-label': `${t('removePoint')} ${k + 1}`, text: '×' })))));
  }

  // A cell typed in: the box takes the table's rows, the table stays as it is
  // (so the cursor does not jump).
  cellEdited(input) {
    if (input.dataset.row === undefined) return;
    this.rows[Number(input.dataset.row)][Number(input.dataset.column)] = input.value;
    this.field.value = rowsText(this.rows);
    this.onInput();
  }

  addRow() {
    this.rows.push(['', '', '']);
    this.drawRows();
    this.body.querySelector(`input[data-row="${this.rows.length - 1}"]`).focus();
  }

  removeRow(k) {
    this.rows.splice(k, 1);
    this.field.value = rowsText(this.rows);
    this.drawRows();
    this.onInput();
  }
}

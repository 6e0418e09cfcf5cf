// What every panel shares: its boxes, the layout of inputs, results and
// pictures, recomputing as the user types, and keeping the inputs.

import { el } from './dom.js';
import { FieldSet } from './fields.js';
import { t } from './i18n.js';
import { panelCore, Pending } from './panel-core.js';
import * as store from './store.js';

export class Panel {
  constructor(ctx, definition) {
    this.ctx = { ...ctx, core: panelCore(ctx.core, () => this.update()) };
    this.definition = definition;
    this.key = definition.key;
    this.fields = new FieldSet();
    this.inputs = el('form', { class: 'inputs', autocomplete: 'off', onsubmit: (e) => e.preventDefault() });
    this.results = el('div', { class: 'results-area', 'aria-live': 'polite' });
    this.pictures = el('div', { class: 'pictures' });
    this.extra = el('div', { class: 'extra' });
    this.inputsHeading = el('h2');
    this.resultsHeading = el('h2');
    this.root = el('section', { class: 'panel', 'data-panel': this.key },
      el('div', { class: 'columns' },
        el('div', { class: 'column-inputs' }, this.inputsHeading, this.inputs),
        el('div', { class: 'column-results' }, this.resultsHeading, this.results)),
      this.pictures, this.extra);
    this.input = () => this.changed();
    // A long question's answer still on its way leaves the panel as it was.
    const update = this.update;
    this.update = () => {
      try {
        update.call(this);
        this.results.removeAttribute('aria-busy');
      } catch (error) {
        if (!(error instanceof Pending)) throw error;
        this.results.setAttribute('aria-busy', 'true');
      }
    };
  }

  // Called once the subclass has added its boxes.
  finish() {
    this.fields.restore(store.load(`inputs.${this.key}`, null));
    this.arrange();
    this.relabel();
  }

  arrange() {}

  changed() {
    this.arrange();
    this.update();
    store.save(`inputs.${this.key}`, this.fields.snapshot());
  }

  relabel() {
    this.inputsHeading.textContent = t('inputs');
    this.resultsHeading.textContent = t('results');
    this.fields.relabel();
  }

  // The language changed: labels and the core's texts both.
  languageChanged() {
    this.relabel();
    this.update();
  }

  // The digits to show changed: the core's texts only.
  precisionChanged() {
    this.update();
  }

  // One question to the core in the page's language and precision: the
  // answer's view, or {ok: false, problems}.
  ask(question, inputs) {
    return this.ctx.core.call(question, inputs, this.ctx.language(), this.ctx.digits());
  }

  // For the clipboard and the printed report: [{title, rows: [[label, shown, unit, full]]}],
  // the core's formulas, pictures and long tables.
  reportData() {
    return { sections: [], formulas: [], pictures: [], tables: [] };
  }

  inputRows() {
    const rows = [];
    for (const f of this.fields.fields.values()) {
      if (!f.shown || f.kind === 'checkbox' || f.input.disabled) continue;
      const text = f.kind === 'select' ? f.input.selectedOptions[0]?.textContent ?? f.value : f.shownValue;
      rows.push([f.label.textContent, text, '']);
    }
    return rows;
  }
}

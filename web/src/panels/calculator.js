// 计算器: the desktop window's five boxes and its 计算 button. The core's
// click reads the texts by the window's own rules and gives its digits or its
// error; the page only passes the texts and shows the answer.

import { el, clear } from '../dom.js';
import { Field } from '../fields.js';
import { parameterLabel, quantityLabel, t } from '../i18n.js';
import { Panel } from '../panel.js';
import { valueButton } from '../results.js';

const boxes = ['B', 'h', 'm', 'i', 'n'];
const initial = { B: '2', h: '1', m: '1', i: '0.001', n: '0.025' };

export class CalculatorPanel extends Panel {
  constructor(ctx, definition) {
    super(ctx, definition);
    const catalog = ctx.core.hasToolkit ? ctx.core.catalog() : null;
    // Without the toolkit's catalog the boxes are labelled by their symbols.
    this.label = (key) => (catalog ? parameterLabel(catalog, key, 'si') : key);
    this.resultLabel = (key) => (catalog ? quantityLabel(catalog, key, 'si') : key);
    for (const key of boxes) {
      const field = new Field(key, { label: () => this.label(key), initial: initial[key], onInput: this.input });
      this.inputs.append(this.fields.add(field).row);
    }
    this.button = el('button', { type: 'button', name: 'calculate', class: 'calculate', onclick: () => this.update() });
    this.inputs.append(this.button);
    this.message = el('p', { class: 'missing', role: 'status' });
    this.finish();
  }

  relabel() {
    super.relabel();
    this.button.textContent = t('calculate');
  }

  update() {
    const texts = boxes.map((key) => this.fields.get(key).value);
    const answer = this.ctx.core.click(...texts, this.ctx.language());
    this.answer = answer;
    clear(this.results);
    for (const key of boxes) this.fields.get(key).setProblem(null);
    const list = el('dl', { class: 'results' });
    for (const key of ['v', 'Q']) {
      list.append(el('div', { class: 'item' }, el('dt', { text: this.resultLabel(key) }),
        el('dd', {}, valueButton(key, answer.ok ? answer[key] : ''))));
    }
    this.results.append(list);
    if (!answer.ok) {
      // The core's message names the error's number ("错误 13：…").
      if (answer.field) this.fields.get(answer.field).setProblem(answer.message);
      this.message.textContent = answer.message;
      this.results.append(this.message);
    }
  }

  reportData() {
    const rows = boxes.map((key) => [this.label(key), this.fields.get(key).value, '']);
    const results = this.answer?.ok ? ['v', 'Q'].map((key) => [this.resultLabel(key), this.answer[key], '']) : [];
    return { sections: [{ title: t('inputs'), rows }, { title: t('results'), rows: results }], formulas: [], pictures: [], tables: [] };
  }
}

// 水跃: the sequent depth of a hydraulic jump in any section, and every
// quantity before and after it.

import { ChannelInputs, initialTexts } from '../channel.js';
import { parameterField } from '../fields.js';
import { t } from '../i18n.js';
import { Panel } from '../panel.js';
import { showResults, itemRows } from '../results.js';
import { jumpFormulas } from '../formulas.js';
import { itemTexts } from './uniform.js';

export class JumpPanel extends Panel {
  constructor(ctx, definition) {
    super(ctx, definition);
    const catalog = ctx.core.catalog();
    this.catalog = catalog;
    this.channel = new ChannelInputs(catalog, this.fields, { roughness: false, onInput: this.input });
    const system = () => this.channel.system();
    for (const key of ['Q', 'h1']) {
      this.fields.add(parameterField(catalog, key, system, { initial: key === 'Q' ? '15' : initialTexts[key], onInput: this.input }));
    }
    this.inputs.append(...this.channel.rows(), this.fields.get('Q').row, this.fields.get('h1').row);
    this.finish();
  }

  arrange() {
    this.channel.arrange();
  }

  update() {
    const response = this.ctx.core.call('jump', this.fields.texts(), this.ctx.language());
    this.response = response;
    this.fields.markProblems(response.ok ? [] : response.problems);
    showResults(this.results, this.catalog, response, this.channel.system());
  }

  reportData() {
    const system = this.channel.system();
    const sections = [{ title: t('inputs'), rows: this.inputRows() }];
    let formulas = [];
    if (this.response?.ok) {
      const items = this.response.results[0].items;
      sections.push({ title: t('results'), rows: itemRows(this.catalog, items, system).map((r) => [r.label, r.text, r.unit]) });
      formulas = jumpFormulas(system, itemTexts(items));
    }
    return { sections, formulas, pictures: [], tables: [] };
  }
}

// 水跃: the sequent depth of a hydraulic jump in any section, and every
// quantity before and after it.

import { initialTexts } from '../channel.js';
import { parameterField } from '../fields.js';
import { ChannelPanel } from '../channel-panel.js';
import { showResults } from '../results.js';
import { jumpFormulas } from '../formulas.js';
import { itemTexts } from './uniform.js';

export class JumpPanel extends ChannelPanel {
  constructor(ctx, definition) {
    super(ctx, definition, { roughness: false });
    const { catalog } = this;
    const system = () => this.channel.system();
    for (const key of ['Q', 'h1']) {
      this.fields.add(parameterField(catalog, key, system, { initial: key === 'Q' ? '15' : initialTexts[key], onInput: this.input }));
    }
    this.inputs.append(...this.channel.rows(), this.fields.get('Q').row, this.fields.get('h1').row);
    this.finish();
  }

  update() {
    const response = this.ctx.core.call('jump', this.fields.texts(), this.ctx.language());
    this.response = response;
    this.fields.markProblems(response.ok ? [] : response.problems);
    showResults(this.results, this.catalog, response, this.channel.system());
  }

  reportData() {
    const items = this.response?.ok ? this.response.results[0].items : null;
    const formulas = items ? jumpFormulas(this.channel.system(), itemTexts(items)) : [];
    return { sections: this.answerSections(items), formulas, pictures: [], tables: [] };
  }
}

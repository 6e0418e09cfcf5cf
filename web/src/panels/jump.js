// 水跃: the sequent depth of a hydraulic jump in any section, and every
// quantity before and after it.

import { initialTexts } from '../channel.js';
import { parameterField } from '../fields.js';
import { ChannelPanel } from '../channel-panel.js';
import { showResults } from '../results.js';
import { questionInputs, surveyKeys } from '../questions.js';

// The worked jump of the command line's help: 15 m³/s entering at 0.5 m.
const initial = { Q: '15' };

export class JumpPanel extends ChannelPanel {
  constructor(ctx, definition) {
    super(ctx, definition, { roughness: false });
    const { catalog } = this;
    const system = () => this.channel.system();
    const own = questionInputs(catalog, 'jump', surveyKeys(catalog));
    for (const { key, default: byDefault } of own) {
      this.fields.add(parameterField(catalog, key, system, { initial: initial[key] ?? initialTexts[key] ?? byDefault, onInput: this.input }));
    }
    this.inputs.append(...this.channel.rows(), ...own.map(({ key }) => this.fields.get(key).row));
    this.finish();
  }

  update() {
    const response = this.ask('jump', this.fields.texts());
    this.response = response;
    this.fields.markProblems(response.ok ? [] : response.problems);
    showResults(this.results, response);
  }

  reportData() {
    const formulas = this.response?.ok ? this.response.formulas : [];
    return { sections: this.answerSections(this.response), formulas, pictures: [], tables: [] };
  }
}

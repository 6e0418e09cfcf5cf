// 渠道设计: an irrigation canal sized by GB 50288-2018 as the command line's
// design does it: the Appendix E schemes with the chosen one, the checks, the
// section drawn to scale (SVG, PNG and DXF) and the printable 计算书.

import { el } from '../dom.js';
import { Field, parameterField } from '../fields.js';
import { currentLanguage, t, parameterLabel, termText, unitText } from '../i18n.js';
import { Panel } from '../panel.js';
import { showResults, resultSections } from '../results.js';
import { Picture, download } from '../picture.js';
import { liningOptions, soilOptions } from '../design-pickers.js';
import { designDrawing } from '../design-drawing.js';
import { schemesTable, checksList, checkRows, reportBody } from '../design-view.js';
import { outlineGeometry } from '../outline.js';
import { questionInputs } from '../questions.js';

// The command line's worked example: a 4th-grade canal of 10 m³/s in medium loam.
const initial = { Q: '10', i: '0.0002', m: '1.5', 'v-min': '0.3', 'v-max': '0.67', 'dxf-scale': '50' };
const initialChoices = { lining: 'earth-medium-average', soil: 'medium-loam', 'n-pick': 'middle' };
// The sizing picker chooses which one of α, β and B the trapezoid is given by.
const sizings = [['appendix-e', 'alpha'], ['beta', 'beta'], ['width', 'B']];
const picks = ['low', 'middle', 'high'];
// Where the design's inputs stand: a pick under what it picks from, the sizing
// picker before its three boxes. An input the question gains comes last; the
// drawing's scale stands by the drawing.
const layout = ['section', 'Q', 'i', 'lining', 'n-pick', 'n', 'm', 'r', 'sizing', 'alpha', 'beta', 'B',
  'v-min', 'v-max', 'soil', 'scour-pick', 'enlarge', 'min-ratio', 'freeboard', 'bend-radius'];
// Boxes of the page only, never sent with the design.
const pageOnly = ['sizing', 'dxf-scale'];

export class DesignPanel extends Panel {
  constructor(ctx, definition) {
    super(ctx, definition);
    const catalog = ctx.core.catalog();
    this.catalog = catalog;
    const system = () => 'si';
    const pickOptions = picks.map((value) => ({ value, text: () => termText(catalog, value) }));
    // The pickers' choices; every other input of the question is a box.
    const choices = {
      section: ['trapezoid', 'u'].map((key) => ({ value: key, text: () => catalog.sectionByKey.get(key).name[currentLanguage()] })),
      lining: liningOptions(catalog.design),
      soil: soilOptions(catalog.design),
      'n-pick': pickOptions,
      'scour-pick': pickOptions,
    };
    for (const { key, default: byDefault } of questionInputs(catalog, 'design')) {
      if (choices[key]) {
        this.fields.add(new Field(key, { kind: 'select', label: () => parameterLabel(catalog, key, 'si'), options: choices[key], onInput: this.input }));
      } else {
        this.fields.add(parameterField(catalog, key, system, { initial: initial[key] ?? '', placeholder: byDefault, onInput: this.input }));
      }
    }
    this.fields.add(new Field('sizing', {
      kind: 'select', label: () => catalog.quantityById.get('design-method').name[currentLanguage()], onInput: this.input,
      options: sizings.map(([term]) => ({ value: term, text: () => termText(catalog, term) })),
    }));
    for (const [key, value] of Object.entries(initialChoices)) this.fields.get(key).value = value;
    const placed = [...layout, ...[...this.fields.fields.keys()].filter((key) => !layout.includes(key) && key !== 'dxf-scale')];
    this.inputs.append(...placed.map((key) => this.fields.get(key).row));

    this.checksHeading = el('h3');
    this.checks = el('div', { class: 'design-checks' });
    this.items = el('div');
    this.results.append(this.checks, this.items);
    this.picture = new Picture('channelflow-design', () => t('section'));
    this.dxfButton = el('button', { type: 'button', class: 'save', 'data-save': 'dxf', onclick: () => this.saveDxf() });
    this.picture.actions.append(this.dxfButton, this.fields.get('dxf-scale').row);
    this.pictures.append(this.picture.root);
    this.schemes = el('div', { class: 'design-schemes' });
    this.extra.append(this.schemes);
    this.finish();
  }

  // The sizing picker's α, β or B; a U shape is checked as given, so takes none.
  arrange() {
    const u = this.fields.get('section').value === 'u';
    const sizing = this.fields.get('sizing').value;
    const lining = this.fields.get('lining').value !== '';
    this.fields.get('r').show(u);
    this.fields.get('sizing').show(!u);
    for (const [term, key] of sizings) this.fields.get(key).show(!u && sizing === term);
    this.fields.get('n-pick').show(lining);
    const n = this.fields.get('n');
    if (Boolean(n.hintText) !== lining) {
      n.hintText = lining ? () => t('nOverrides') : undefined;
      n.relabel();
    }
    this.fields.get('scour-pick').show(lining || this.fields.get('soil').value !== '');
  }

  relabel() {
    super.relabel();
    this.dxfButton.textContent = t('saveDxf');
    this.checksHeading.textContent = t('checks');
    this.picture.relabel();
  }

  designInputs() {
    const texts = this.fields.texts();
    for (const key of pageOnly) delete texts[key];
    return texts;
  }

  update() {
    const inputs = this.designInputs();
    const answer = this.ask('design', inputs);
    // The drawing's file is made as the inputs change, so that a scale it
    // cannot use marks its box at once, as any other box does.
    const dxf = answer.ok ? this.ctx.core.designDxf({ ...inputs, 'dxf-scale': this.fields.get('dxf-scale').value }, this.ctx.language()) : null;
    this.answer = answer;
    this.dxf = dxf?.ok ? dxf.dxf : null;
    const problems = [...(answer.ok ? [] : answer.problems), ...(dxf && !dxf.ok ? dxf.problems : [])];
    this.fields.markProblems(problems);
    this.dxfButton.disabled = !this.dxf;
    showResults(this.items, answer.ok ? answer : { ok: false, problems });
    const record = answer.ok ? answer.record : null;
    this.showTaken(record?.texts() ?? {});
    const checks = record?.table('checks');
    this.checks.replaceChildren(...(checks ? [this.checksHeading, checksList(this.catalog, checks)] : []));
    const schemes = record?.table('schemes');
    this.schemes.replaceChildren(...(schemes?.rows.length ? [schemesTable(this.catalog, schemes)] : []));
    const drawing = record?.group('drawing');
    const outline = drawing ? { ...outlineGeometry(drawing), section: drawing.item('section')?.term, m: drawing.value('m') ?? 0 } : null;
    this.picture.show(outline?.boundary.length ? designDrawing(outline, drawing.texts(), unitText(this.catalog, 'length', answer.system)) : null);
  }

  // The n a bed's row gave, under the bed's picker. Relabelling rewrites its
  // many options, so only when the words change.
  showTaken(texts) {
    const lining = this.fields.get('lining');
    const taken = lining.value && texts.n ? `${t('nTaken')} n = ${texts.n}` : '';
    if (taken === lining.hint.textContent) return;
    lining.hintText = () => taken;
    lining.relabel();
  }

  saveDxf() {
    if (this.dxf) download(new Blob([this.dxf], { type: 'application/dxf' }), 'channelflow-design.dxf');
  }

  reportData() {
    const sections = [{ title: t('inputs'), rows: this.inputRows() }];
    const { answer } = this;
    if (!answer?.ok) return { sections, formulas: [], pictures: [], tables: [] };
    sections.push(...resultSections(answer));
    const checks = answer.record.table('checks');
    if (checks) sections.push({ title: t('checks'), rows: checkRows(this.catalog, checks) });
    return {
      sections, formulas: [], tables: [],
      body: reportBody(this.catalog, answer),
      pictures: this.picture.drawing ? [this.picture.drawing] : [],
    };
  }
}

// 均匀流: any section and unit system, one unknown among Q, h, the section's
// size, i and n; every quantity of the report, a pipe's two depths and its
// capacity, and the cross-section drawn to scale.

import { initialTexts } from '../channel.js';
import { Field, parameterField } from '../fields.js';
import { t, parameterLabel } from '../i18n.js';
import { ChannelPanel } from '../channel-panel.js';
import { showResults } from '../results.js';
import { Picture } from '../picture.js';
import { sectionDrawing } from '../section-drawing.js';
import { ink } from '../chart.js';
import { outlineGeometry } from '../outline.js';
import { questionInputs, surveyKeys } from '../questions.js';

// The drawing's levels and dimensions from the outline (outlineGeometry) and
// the answer's record, its texts as shown.
export function sectionMarks(outline, record) {
  const texts = record.texts();
  const levels = [];
  const h = record.value('h');
  const hc = record.value('hc');
  const bottom = Math.min(...outline.boundary.map((p) => p[1]));
  if (h !== undefined) levels.push({ key: 'hn', z: bottom + h, name: 'N', color: ink.normal });
  if (hc !== undefined) levels.push({ key: 'hc', z: bottom + hc, name: 'K', color: ink.critical });
  const dims = [];
  const water = outline.water ?? [];
  const xs = outline.boundary.map((p) => p[0]);
  const right = Math.max(...xs);
  if (water.length === 2 && texts.h) {
    dims.push({ text: `h = ${texts.h}`, from: [right, bottom], to: [right, water[0][1]], offset: 22 });
  }
  if (water.length === 2 && texts.T) {
    const [a, b] = water[0][0] < water[1][0] ? water : [water[1], water[0]];
    dims.push({ text: `T = ${texts.T}`, from: b, to: a, offset: 14 });
  }
  const floor = outline.boundary.filter((p) => Math.abs(p[1] - bottom) < 1e-12);
  if (texts.B && floor.length >= 2) {
    const fx = floor.map((p) => p[0]);
    dims.push({ text: `B = ${texts.B}`, from: [Math.min(...fx), bottom], to: [Math.max(...fx), bottom], offset: 16 });
  }
  if (texts.diameter) {
    const top = Math.max(...outline.boundary.map((p) => p[1]));
    const left = Math.min(...xs);
    dims.push({ text: `D = ${texts.diameter}`, from: [left, top], to: [left, bottom], offset: 22 });
  }
  return { levels, dims };
}

export class UniformPanel extends ChannelPanel {
  constructor(ctx, definition) {
    super(ctx, definition);
    const { catalog } = this;
    const system = () => this.channel.system();
    // The solve's own inputs: the unknown's picker and a box for each of the rest.
    const own = questionInputs(catalog, 'solve', ['unknown', ...surveyKeys(catalog)]).map((input) => input.key);
    this.own = own;
    this.unknown = this.fields.add(new Field('unknown', { kind: 'select', label: () => parameterLabel(catalog, 'unknown', 'si'), options: [], onInput: this.input }));
    for (const key of own) this.fields.add(parameterField(catalog, key, system, { initial: initialTexts[key] ?? '', onInput: this.input }));
    this.inputs.append(this.unknown.row, ...this.channel.rows(), ...own.map((k) => this.fields.get(k).row),
      ...this.channel.roughnessRows());
    this.picture = new Picture('channelflow-section', () => t('section'));
    this.pictures.append(this.picture.root);
    this.finish();
  }

  // The unknown's choices follow the section (its size) and the roughness
  // (a composite n cannot be solved for).
  arrange() {
    super.arrange();
    const choices = ['Q', 'h', this.channel.sizeKey(), 'i', ...(this.channel.composed() ? [] : ['n'])];
    this.unknown.setOptions(choices.map((key) => ({ value: key, text: () => parameterLabel(this.catalog, key, this.channel.system()) })));
    const unknown = this.unknown.value;
    for (const key of [...this.own, ...this.channel.roughnessKeys, ...this.channel.sizeKeys]) this.fields.get(key).setDisabled(key === unknown);
  }

  update() {
    const inputs = { ...this.fields.texts(), unknown: this.unknown.value };
    const response = this.ask('solve', inputs);
    this.response = response;
    this.fields.markProblems(response.ok ? [] : response.problems);
    showResults(this.results, response);
    this.drawSection(inputs, response);
  }

  // The first answer's depth drawn in the section, asked in full.
  drawSection(inputs, response) {
    const h = response.ok ? response.record.item('h') : undefined;
    const answer = h?.kind === 'number' ? this.ask('outline', { ...inputs, h: h.full }) : null;
    const outline = answer?.ok ? outlineGeometry(answer.record) : null;
    if (!outline?.boundary.length) {
      this.picture.show(null);
      return;
    }
    const { levels, dims } = sectionMarks(outline, response.record);
    this.picture.show(sectionDrawing({ outline, levels, dims }));
  }

  reportData() {
    const formulas = this.response?.ok ? this.response.formulas : [];
    return { sections: this.answerSections(this.response), formulas, pictures: this.picture.drawing ? [this.picture.drawing] : [], tables: [] };
  }
}

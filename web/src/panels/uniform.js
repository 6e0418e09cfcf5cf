// 均匀流: any section and unit system, one unknown among Q, h, the section's
// size, i and n; every quantity of the report, a pipe's two depths and its
// capacity, and the cross-section drawn to scale.

import { initialTexts } from '../channel.js';
import { Field, parameterField } from '../fields.js';
import { t, parameterLabel } from '../i18n.js';
import { ChannelPanel } from '../channel-panel.js';
import { showResults, itemRows } from '../results.js';
import { Picture } from '../picture.js';
import { sectionDrawing } from '../section-drawing.js';
import { ink } from '../chart.js';
import { uniformFormulas } from '../formulas.js';

export function itemTexts(items) {
  const texts = {};
  for (const item of items) if (!item.none) texts[item.key] = item.text;
  return texts;
}

export function itemValue(items, key) {
  const item = items.find((i) => i.key === key && !i.none);
  return item && typeof item.value === 'number' ? item.value : undefined;
}

// The drawing's levels and dimensions from the outline and the results.
export function sectionMarks(outline, items) {
  const texts = itemTexts(items);
  const levels = [];
  const h = itemValue(items, 'h');
  const hc = itemValue(items, 'hc');
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
    this.unknown = this.fields.add(new Field('unknown', { kind: 'select', label: () => parameterLabel(catalog, 'unknown', 'si'), options: [], onInput: this.input }));
    for (const key of ['Q', 'h', 'i']) this.fields.add(parameterField(catalog, key, system, { initial: initialTexts[key], onInput: this.input }));
    this.inputs.append(this.unknown.row, ...this.channel.rows(), ...['Q', 'h', 'i'].map((k) => this.fields.get(k).row),
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
    for (const key of ['Q', 'h', 'i', 'n', ...this.channel.sizeKeys]) this.fields.get(key).setDisabled(key === unknown);
  }

  update() {
    const system = this.channel.system();
    const inputs = { ...this.fields.texts(), unknown: this.unknown.value };
    const language = this.ctx.language();
    const response = this.ctx.core.call('solve', inputs, language);
    this.response = response;
    this.fields.markProblems(response.ok ? [] : response.problems);
    showResults(this.results, this.catalog, response, system);
    this.drawSection(inputs, response, language);
  }

  drawSection(inputs, response, language) {
    if (!response.ok) {
      this.picture.show(null);
      return;
    }
    const items = response.results[0].items;
    const h = items.find((i) => i.key === 'h' && !i.none);
    const outline = h ? this.ctx.core.call('outline', { ...inputs, h: h.text }, language) : null;
    if (!outline?.ok || !outline.boundary?.length) {
      this.picture.show(null);
      return;
    }
    const { levels, dims } = sectionMarks(outline, items);
    this.picture.show(sectionDrawing({ outline, levels, dims }));
  }

  reportData() {
    const system = this.channel.system();
    const sections = [{ title: t('inputs'), rows: this.inputRows() }];
    let formulas = [];
    if (this.response?.ok) {
      this.response.results.forEach((result, k) => {
        const rows = itemRows(this.catalog, result.items, system).map((r) => [r.label, r.text, r.unit]);
        sections.push({ title: this.response.results.length > 1 ? t(k ? 'results2' : 'results1') : t('results'), rows });
      });
      formulas = uniformFormulas(this.channel.sectionKey(), system, itemTexts(this.response.results[0].items));
    }
    return { sections, formulas, pictures: this.picture.drawing ? [this.picture.drawing] : [], tables: [] };
  }
}

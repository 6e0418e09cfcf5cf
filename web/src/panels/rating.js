// 水位流量关系: the rating table over a range of depths and its curves (Q, v
// and Fr against h), with the normal and critical depths of a discharge
// marked when one is given.

import { initialTexts } from '../channel.js';
import { parameterField } from '../fields.js';
import { t, quantityLabel, quantityName } from '../i18n.js';
import { ChannelPanel } from '../channel-panel.js';
import { showResults } from '../results.js';
import { Picture } from '../picture.js';
import { TableView } from '../table-view.js';
import { lineChart, ink } from '../chart.js';
import { itemValue, itemTexts } from './uniform.js';

const curves = ['Q', 'v', 'Fr'];

// The chart's points of one column against h, skipping rows without numbers.
export function columnPoints(table, key) {
  const hAt = table.columns.indexOf('h');
  const at = table.columns.indexOf(key);
  const points = [];
  for (const row of table.rows) {
    if (!row.values) continue;
    const x = row.values[at];
    const y = row.values[hAt];
    if (Number.isFinite(x) && Number.isFinite(y)) points.push([x, y]);
  }
  return points;
}

// The table in its view: the core's columns, and a row it could not compute
// with its depth (and level) and the reason.
export function showRatingTable(view, catalog, table, system) {
  const columns = table.columns.map((key) => quantityLabel(catalog, key, system));
  const keys = table.columns.includes('wse') ? ['h', 'wse'] : ['h'];
  const blanks = new Array(table.columns.length - keys.length).fill('');
  view.show([...columns, t('why')], table.rows.length,
    (k) => (table.rows[k].error !== undefined ? [...keys.map((key) => table.rows[k][key]), ...blanks, table.rows[k].error] : [...table.rows[k].cells, '']),
    (k) => (table.rows[k].error !== undefined ? 'error' : ''));
}

// One column's curve against h, with horizontal lines at marked depths; null
// when no row has numbers.
export function ratingChart(catalog, table, key, system, lines) {
  const points = columnPoints(table, key);
  return points.length ? lineChart({
    series: [{ key, points, color: ink.water }], lines,
    axes: { x: quantityLabel(catalog, key, system), y: quantityLabel(catalog, 'h', system) },
    title: `${quantityName(catalog, 'h')} – ${quantityName(catalog, key)}`,
  }) : null;
}

export class RatingPanel extends ChannelPanel {
  constructor(ctx, definition) {
    super(ctx, definition);
    const { catalog } = this;
    const system = () => this.channel.system();
    this.fields.add(parameterField(catalog, 'h', system, { initial: '0.1:2:0.01', hint: () => t('range'), onInput: this.input }));
    this.fields.add(parameterField(catalog, 'i', system, { initial: initialTexts.i, onInput: this.input }));
    this.fields.add(parameterField(catalog, 'Q', system, { initial: '', hint: () => t('optionalQ'), onInput: this.input }));
    this.inputs.append(...this.channel.rows(), ...['h', 'i'].map((k) => this.fields.get(k).row), ...this.channel.roughnessRows(),
      this.fields.get('Q').row);
    this.pictureSet = curves.map((key) => new Picture(`channelflow-rating-${key}`, () => `${t('rating')} h–${key}`));
    this.pictures.append(...this.pictureSet.map((p) => p.root));
    this.table = new TableView('rating');
    this.extra.append(this.table.root);
    this.finish();
  }

  update() {
    const system = this.channel.system();
    const language = this.ctx.language();
    const texts = this.fields.texts();
    const { Q, ...range } = texts;
    const response = this.ctx.core.call('table', range, language);
    const marks = Q && Q.trim() ? this.ctx.core.call('solve', { ...range, h: '', Q, unknown: 'h' }, language) : null;
    this.response = response;
    this.marks = marks;
    const problems = [...(response.ok ? [] : response.problems), ...(marks && !marks.ok ? marks.problems : [])];
    this.fields.markProblems(problems);
    const summary = marks?.ok ? { ok: true, results: [{ items: marks.results[0].items.filter((i) => ['h', 'hc', 'Q'].includes(i.key)) }] } : null;
    if (!response.ok) showResults(this.results, this.catalog, { ok: false, problems }, system);
    else if (summary) showResults(this.results, this.catalog, summary, system);
    else this.results.replaceChildren();
    if (!response.ok) {
      this.table.hide();
      for (const p of this.pictureSet) p.show(null);
      return;
    }
    const table = response.table;
    showRatingTable(this.table, this.catalog, table, system);
    const items = marks?.ok ? marks.results[0].items : response.results?.[0]?.items ?? [];
    const lines = [];
    const markTexts = itemTexts(items);
    const hn = itemValue(items, marks?.ok ? 'h' : 'hn');
    const hc = itemValue(items, 'hc');
    if (hn !== undefined) lines.push({ key: 'hn', y: hn, color: ink.normal, text: `N–N  hn = ${marks?.ok ? markTexts.h : markTexts.hn}` });
    if (hc !== undefined) lines.push({ key: 'hc', y: hc, color: ink.critical, text: `K–K  hc = ${markTexts.hc}` });
    curves.forEach((key, k) => this.pictureSet[k].show(ratingChart(this.catalog, table, key, system, lines)));
  }

  reportData() {
    const marks = this.marks?.ok ? this.marks.results[0].items.filter((i) => ['h', 'hc'].includes(i.key)) : null;
    return {
      sections: this.answerSections(marks), formulas: [], pictures: this.pictureSet.filter((p) => p.drawing).map((p) => p.drawing),
      tables: this.response?.ok ? [this.table] : [],
    };
  }
}

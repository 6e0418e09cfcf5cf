// 水位流量关系: the rating table over a range of depths and its curves (Q, v
// and Fr against h), with the normal and critical depths of a discharge
// marked when one is given.

import { initialTexts } from '../channel.js';
import { parameterField } from '../fields.js';
import { t, quantityLabel, quantityName } from '../i18n.js';
import { ChannelPanel } from '../channel-panel.js';
import { showResults } from '../results.js';
import { Picture } from '../picture.js';
import { TableView, columnTitles } from '../table-view.js';
import { lineChart, ink } from '../chart.js';
import { questionInputs, surveyKeys } from '../questions.js';

const curves = ['Q', 'v', 'Fr'];
const hints = { h: () => t('range'), Q: () => t('optionalQ') };

// The chart's points of one column against h, skipping rows without numbers.
export function columnPoints(table, key) {
  const hs = table.values('h');
  const points = [];
  table.values(key).forEach((x, k) => {
    if (Number.isFinite(x) && Number.isFinite(hs[k])) points.push([x, hs[k]]);
  });
  return points;
}

// The table in its view: the core's columns with their units, and each
// row's error, if any, in a last column.
export function showRatingTable(view, table) {
  view.show([...columnTitles(table), t('why')], table.length, (k) => {
    const { cells, error } = table.row(k);
    return [...cells, error ?? ''];
  }, (k) => (table.failed(k) ? 'error' : ''));
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
    // The table's own inputs, and a discharge whose depths the curves mark.
    this.own = questionInputs(catalog, 'table', surveyKeys(catalog)).map((input) => input.key);
    for (const key of [...this.own, 'Q']) {
      const initial = key === 'h' ? '0.1:2:0.01' : key === 'Q' ? '' : initialTexts[key] ?? '';
      this.fields.add(parameterField(catalog, key, system, { initial, hint: hints[key], onInput: this.input }));
    }
    this.inputs.append(...this.channel.rows(), ...['h', ...this.own.filter((k) => k !== 'h')].map((k) => this.fields.get(k).row),
      ...this.channel.roughnessRows(), this.fields.get('Q').row);
    this.pictureSet = curves.map((key) => new Picture(`channelflow-rating-${key}`, () => `${t('rating')} h–${key}`));
    this.pictures.append(...this.pictureSet.map((p) => p.root));
    this.table = new TableView('rating');
    this.extra.append(this.table.root);
    this.finish();
  }

  update() {
    const system = this.channel.system();
    const { Q, ...range } = this.fields.texts();
    const response = this.ask('table', range);
    const marks = Q && Q.trim() ? this.ask('solve', { ...range, h: '', Q, unknown: 'h' }) : null;
    this.response = response;
    this.marks = marks;
    const problems = [...(response.ok ? [] : response.problems), ...(marks && !marks.ok ? marks.problems : [])];
    this.fields.markProblems(problems);
    const marked = marks?.ok ? marks.record.items.filter((i) => ['h', 'hc', 'Q'].includes(i.key)) : null;
    if (!response.ok) showResults(this.results, { ok: false, problems });
    else if (marked) showResults(this.results, { ok: true, records: [{ items: marked }] });
    else this.results.replaceChildren();
    const table = response.ok ? response.record.tables[0] : null;
    if (!table) {
      this.table.hide();
      for (const p of this.pictureSet) p.show(null);
      return;
    }
    showRatingTable(this.table, table);
    const lines = [];
    if (marks?.ok) {
      const { record } = marks;
      const texts = record.texts();
      if (record.value('h') !== undefined) lines.push({ key: 'hn', y: record.value('h'), color: ink.normal, text: `N–N  hn = ${texts.h}` });
      if (record.value('hc') !== undefined) lines.push({ key: 'hc', y: record.value('hc'), color: ink.critical, text: `K–K  hc = ${texts.hc}` });
    }
    curves.forEach((key, k) => this.pictureSet[k].show(ratingChart(this.catalog, table, key, system, lines)));
  }

  reportData() {
    const marked = this.marks?.ok ? { ok: true, records: [{ items: this.marks.record.items.filter((i) => ['h', 'hc'].includes(i.key)) }] } : null;
    return {
      sections: this.answerSections(marked), pictures: this.pictureSet.filter((p) => p.drawing).map((p) => p.drawing),
      formulas: [], tables: this.response?.ok ? [this.table] : [],
    };
  }
}

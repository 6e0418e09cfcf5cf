// 水面线: a gradually varied flow profile from a control depth, its table and
// a picture of the water surface over the bed with the normal-depth and
// critical-depth lines, against distance.

import { initialTexts } from '../channel.js';
import { parameterField } from '../fields.js';
import { t, quantityLabel, unitText } from '../i18n.js';
import { ChannelPanel } from '../channel-panel.js';
import { showResults } from '../results.js';
import { Picture } from '../picture.js';
import { TableView } from '../table-view.js';
import { extent, lineChart, ink } from '../chart.js';
import { profileFormulas } from '../formulas.js';
import { itemValue, itemTexts } from './uniform.js';

const own = ['Q', 'i', 'h0', 'to-h', 'length', 'steps'];

// The picture's lines in elevation: the bed falls by i per unit of x (x runs
// downstream), the water stands h above it, and the normal and critical depth
// lines run parallel to the bed.
export function profileSeries(points, slope, hn, hc) {
  const xAt = points.columns.indexOf('x');
  const hAt = points.columns.indexOf('h');
  const bed = (x) => -slope * x;
  const surface = points.rows.map((row) => [row[xAt], bed(row[xAt]) + row[hAt]]);
  const ends = extent(points.rows, xAt);
  const along = (depth) => ends.map((x) => [x, bed(x) + depth]);
  return {
    bed: along(0),
    surface,
    normal: Number.isFinite(hn) ? along(hn) : null,
    critical: Number.isFinite(hc) ? along(hc) : null,
  };
}

export class ProfilePanel extends ChannelPanel {
  constructor(ctx, definition) {
    super(ctx, definition);
    const { catalog } = this;
    const system = () => this.channel.system();
    for (const key of own) {
      const hint = key === 'to-h' || key === 'length' ? () => t('profileEnd') : undefined;
      this.fields.add(parameterField(catalog, key, system, { initial: key === 'Q' ? '15' : initialTexts[key], hint, onInput: this.input }));
    }
    this.inputs.append(...this.channel.rows(), ...this.channel.roughnessRows(), ...own.map((k) => this.fields.get(k).row));
    this.picture = new Picture('channelflow-profile', () => t('profile'));
    this.pictures.append(this.picture.root);
    this.table = new TableView('profile');
    this.extra.append(this.table.root);
    this.finish();
  }

  update() {
    const system = this.channel.system();
    const response = this.ctx.core.call('profile', this.fields.texts(), this.ctx.language());
    this.response = response;
    this.fields.markProblems(response.ok ? [] : response.problems);
    showResults(this.results, this.catalog, response, system);
    if (!response.ok || !response.points) {
      this.table.hide();
      this.picture.show(null);
      return;
    }
    const { points } = response;
    this.table.show(points.columns.map((key) => quantityLabel(this.catalog, key, system)), points.texts.length, (k) => points.texts[k]);
    const items = response.results[0].items;
    const slope = itemValue(items, 'i') ?? 0;
    const lines = profileSeries(points, slope, itemValue(items, 'hn'), itemValue(items, 'hc'));
    const texts = itemTexts(items);
    const series = [
      { key: 'bed', points: lines.bed, color: ink.bed, width: 2.4, label: t('bed') },
      { key: 'surface', points: lines.surface, color: ink.water, width: 2, label: t('waterSurface') },
    ];
    if (lines.normal) series.push({ key: 'hn', points: lines.normal, color: ink.normal, dash: '7 4', label: `${t('normalDepth')}  hn = ${texts.hn}` });
    if (lines.critical) series.push({ key: 'hc', points: lines.critical, color: ink.critical, dash: '7 4', label: `${t('criticalDepth')}  hc = ${texts.hc}` });
    this.picture.show(lineChart({
      width: 640, height: 340, series,
      axes: { x: quantityLabel(this.catalog, 'x', system), y: `${t('elevation')} (${unitText(this.catalog, 'length', system)})` },
    }));
  }

  reportData() {
    const items = this.response?.ok ? this.response.results[0].items : null;
    const formulas = items ? profileFormulas(this.channel.system(), itemTexts(items)) : [];
    return {
      sections: this.answerSections(items), formulas, pictures: this.picture.drawing ? [this.picture.drawing] : [],
      tables: items ? [this.table] : [],
    };
  }
}

// 水面线: a gradually varied flow profile from a control depth, its table and
// a picture of the water surface over the bed with the normal-depth and
// critical-depth lines, against distance.

import { initialTexts } from '../channel.js';
import { parameterField } from '../fields.js';
import { t, quantityLabel, unitText } from '../i18n.js';
import { ChannelPanel } from '../channel-panel.js';
import { showResults } from '../results.js';
import { Picture } from '../picture.js';
import { TableView, columnTitles } from '../table-view.js';
import { extent, lineChart, ink } from '../chart.js';
import { questionInputs, surveyKeys } from '../questions.js';

// The help's worked profile: 15 m³/s backed up from 1.5 m.
const initial = { Q: '15' };

// The picture's lines in elevation: the bed falls by i per unit of x (x runs
// downstream), the water stands h above it, and the normal and critical depth
// lines run parallel to the bed. xs, hs: the points' distances and depths.
export function profileSeries(xs, hs, slope, hn, hc) {
  const bed = (x) => -slope * x;
  const surface = xs.map((x, k) => [x, bed(x) + hs[k]]);
  const along = (depth) => extent(xs).map((x) => [x, bed(x) + depth]);
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
    const own = questionInputs(catalog, 'profile', surveyKeys(catalog));
    for (const { key, default: byDefault, oneOf } of own) {
      // Where the profile ends: a target depth or a length, one of the two.
      const hint = oneOf ? () => t('profileEnd') : undefined;
      this.fields.add(parameterField(catalog, key, system, { initial: initial[key] ?? initialTexts[key] ?? byDefault, hint, onInput: this.input }));
    }
    this.inputs.append(...this.channel.rows(), ...this.channel.roughnessRows(), ...own.map(({ key }) => this.fields.get(key).row));
    this.picture = new Picture('channelflow-profile', () => t('profile'));
    this.pictures.append(this.picture.root);
    this.table = new TableView('profile');
    this.extra.append(this.table.root);
    this.finish();
  }

  update() {
    const system = this.channel.system();
    const response = this.ask('profile', this.fields.texts());
    this.response = response;
    this.fields.markProblems(response.ok ? [] : response.problems);
    showResults(this.results, response);
    const points = response.ok ? response.record.table('points') : undefined;
    if (!points) {
      this.table.hide();
      this.picture.show(null);
      return;
    }
    this.table.show(columnTitles(points), points.length, (k) => points.row(k).cells);
    const { record } = response;
    const lines = profileSeries(points.values('x'), points.values('h'), record.value('i') ?? 0, record.value('hn'), record.value('hc'));
    const texts = record.texts();
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
    const answered = Boolean(this.response?.ok);
    return {
      sections: this.answerSections(this.response), formulas: answered ? this.response.formulas : [],
      pictures: this.picture.drawing ? [this.picture.drawing] : [], tables: answered ? [this.table] : [],
    };
  }
}

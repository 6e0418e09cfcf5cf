// 天然断面: a river or compound channel given by its surveyed points, pasted
// from a spreadsheet or edited point by point; the depth or the water level,
// one unknown among Q, h, i and n; every quantity of the report, the section
// with its segments coloured by n, and the rating curve.

import { unitsField } from '../channel.js';
import { Field, parameterField } from '../fields.js';
import { t, parameterLabel, termText, unitText } from '../i18n.js';
import { Panel } from '../panel.js';
import { showResults, resultSections } from '../results.js';
import { Picture } from '../picture.js';
import { TableView } from '../table-view.js';
import { extent, ink, niceTicks } from '../chart.js';
import { naturalDrawing } from '../natural-drawing.js';
import { PointsEditor } from '../points-editor.js';
import { outlineGeometry } from '../outline.js';
import { questionInputs } from '../questions.js';
import { showRatingTable, ratingChart } from './rating.js';

// A main channel between two floodplains, as a spreadsheet would hold it.
const compoundChannel = ['0\t103.5\t0.06', '25\t102.5', '30\t102\t0.035', '40\t100.5', '44\t100', '52\t100', '56\t100.5',
  '60\t102\t0.06', '90\t102.5', '100\t103.5'].join('\n');
const initial = { h: '2.6', wse: '102.6', Q: '60', i: '0.0004', n: '' };
// What a surveyed section's solve may find (its points have no size).
const unknowns = ['Q', 'h', 'i', 'n'];

// Some fifty depths from the lowest point to the lower end, on round steps:
// the rating's range when none is typed. given: 'h' or 'wse'.
export function autoRange(boundary, given) {
  const [bottom] = extent(boundary, 1);
  const top = Math.min(boundary[0][1], boundary[boundary.length - 1][1]);
  if (!(top > bottom)) return '';
  const { step } = niceTicks(0, top - bottom, 50);
  const last = Math.floor((top - bottom) / step + 1e-9) * step;
  const round = (v) => Number(v.toPrecision(12));
  const base = given === 'wse' ? bottom : 0;
  return `${round(base + step)}:${round(base + last)}:${round(step)}`;
}

export class NaturalPanel extends Panel {
  constructor(ctx, definition) {
    super(ctx, definition);
    const catalog = ctx.core.catalog();
    this.catalog = catalog;
    const system = () => this.system();
    const label = (key) => () => parameterLabel(catalog, key, system());
    this.unknown = this.fields.add(new Field('unknown', {
      kind: 'select', label: () => parameterLabel(catalog, 'unknown', 'si'), onInput: this.input,
      options: unknowns.map((key) => ({ value: key, text: label(key) })),
    }));
    this.units = unitsField(catalog, this.fields, () => { this.editor.relabel(); this.input(); });
    this.editor = new PointsEditor(catalog, this.fields, system, { initial: compoundChannel, onInput: this.input });
    this.given = this.fields.add(new Field('given', {
      kind: 'select', label: () => `${label('h')()} / ${label('wse')()}`, onInput: this.input,
      options: ['h', 'wse'].map((key) => ({ value: key, text: label(key) })),
    }));
    // The solve's own inputs, the depth or level (of which one is given) first, and the n of the points without one.
    const own = questionInputs(catalog, 'solve', ['unknown']).sort((a, b) => Boolean(b.oneOf) - Boolean(a.oneOf)).map((input) => input.key);
    this.own = [...own, 'n'];
    for (const key of this.own) {
      const hint = key === 'n' ? () => t('nForRest') : undefined;
      this.fields.add(parameterField(catalog, key, system, { initial: initial[key] ?? '', hint, onInput: this.input }));
    }
    this.range = this.fields.add(new Field('range', {
      label: () => `${t('rating')}${t('colon')}${label(this.given.value || 'h')()}`, hint: () => t('range'), onInput: this.input,
    }));
    this.inputs.append(this.unknown.row, this.units.row, this.editor.root, this.given.row,
      ...this.own.map((k) => this.fields.get(k).row), this.range.row);
    this.sectionPicture = new Picture('channelflow-natural-section', () => t('section'));
    this.ratingPicture = new Picture('channelflow-natural-rating', () => `${t('rating')} h–Q`);
    this.pictures.append(this.sectionPicture.root, this.ratingPicture.root);
    this.table = new TableView('natural-rating');
    this.extra.append(this.table.root);
    this.finish();
    this.editor.read({ changed: false });
  }

  system() {
    return this.units?.value || 'si';
  }

  arrange() {
    const unknown = this.unknown.value;
    const given = this.given.value || 'h';
    for (const key of ['h', 'wse']) this.fields.get(key).show(key === given);
    this.range.relabel();
    for (const key of this.own) this.fields.get(key).setDisabled(key === unknown || (unknown === 'h' && key === 'wse'));
  }

  relabel() {
    super.relabel();
    this.editor.relabel();
    this.editor.drawRows();
    for (const picture of [this.sectionPicture, this.ratingPicture]) picture.relabel();
  }

  update() {
    const system = this.system();
    const { points, given, range, ...rest } = this.fields.texts();
    const inputs = { ...rest, section: 'points', points: this.editor.text() };
    const response = this.ask('solve', inputs);
    this.response = response;
    const record = response.ok ? response.record : null;
    const solved = record ? record.texts({ full: true }) : {};
    const outlined = record ? this.ask('outline', this.channelInputs(inputs, solved, { h: solved.h })) : null;
    const outline = outlined?.ok ? outlineGeometry(outlined.record) : null;
    this.range.input.placeholder = outline?.boundary.length ? autoRange(outline.boundary, given) : '';
    const rangeText = range?.trim() ? range : this.range.input.placeholder;
    const rating = rangeText ? this.ask('table', this.channelInputs(inputs, solved, { [given]: rangeText })) : null;
    this.rating = rating;
    const rangeProblems = (rating && !rating.ok ? rating.problems : []).filter((p) => p.field === given).map((p) => ({ ...p, field: 'range' }));
    this.fields.markProblems([...(response.ok ? [] : response.problems), ...rangeProblems]);
    showResults(this.results, response);
    this.drawSection(outline, record);
    this.showRating(rating?.ok ? rating.record.tables[0] : null, record, system);
  }

  // The section's own inputs (points, units, n and i, solved ones included)
  // with the depth or range asked for.
  channelInputs(inputs, solved, depth) {
    const own = { section: 'points', points: inputs.points, units: inputs.units, i: inputs.i, n: inputs.n };
    for (const key of ['i', 'n']) if (inputs.unknown === key) own[key] = solved[key];
    return { ...own, ...depth };
  }

  // Every critical depth, with the core's text of each.
  criticalLevels(record, bottom) {
    const all = record?.item('hc_all');
    if (all?.kind !== 'list') return [];
    return all.values.map((hc, k) => ({ key: k ? `hc-${k + 1}` : 'hc', z: bottom + hc, depth: hc, text: all.texts[k], name: 'K', color: ink.critical }));
  }

  drawSection(outline, record) {
    if (!outline?.boundary.length) {
      this.sectionPicture.show(null);
      return;
    }
    const unit = unitText(this.catalog, 'length', this.system());
    const [bottom] = extent(outline.boundary, 1);
    this.sectionPicture.show(naturalDrawing({
      outline,
      levels: this.criticalLevels(record, bottom),
      words: {
        station: `${termText(this.catalog, 'station')} (${unit})`,
        elevation: `${termText(this.catalog, 'elevation')} (${unit})`,
        exaggerated: (factor) => t('exaggerated').replace('{n}', factor),
        n: (n) => `n = ${n}`,
      },
    }));
  }

  showRating(table, record, system) {
    if (!table) {
      this.table.hide();
      this.ratingPicture.show(null);
      return;
    }
    showRatingTable(this.table, table);
    const lines = [];
    const h = record?.value('h');
    if (h !== undefined) lines.push({ key: 'hn', y: h, color: ink.normal, text: `N–N  h = ${record.texts().h}` });
    for (const level of this.criticalLevels(record, 0)) {
      lines.push({ key: level.key, y: level.depth, color: ink.critical, text: `K–K  hc = ${level.text}` });
    }
    this.ratingPicture.show(ratingChart(this.catalog, table, 'Q', system, lines));
  }

  inputRows() {
    // The core's text of the points, unless it is too long to show.
    const points = this.editor.field.aside === null ? this.editor.text() : this.editor.field.shownValue;
    return super.inputRows().map((row) => (row[0] === this.editor.field.label.textContent ? [row[0], points, ''] : row));
  }

  reportData() {
    const sections = [{ title: t('inputs'), rows: this.inputRows() }, ...resultSections(this.response)];
    const pictures = [this.sectionPicture, this.ratingPicture].filter((p) => p.drawing).map((p) => p.drawing);
    return { sections, formulas: this.response?.ok ? this.response.formulas : [], pictures, tables: this.rating?.ok ? [this.table] : [] };
  }
}

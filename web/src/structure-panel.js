// A structure's panel, over one question of the core (siphon, aqueduct,
// culvert, tunnel, transition, gate, drop or chute): its boxes from the
// question table (structure-inputs.js), the flows side by side, the checks
// with their verdicts, the core's other items and tables, the section to
// scale (SVG, PNG and DXF), a siphon's losses by term and flow, and the
// core's 计算书 in print.

import { ChannelInputs } from './channel.js';
import { el } from './dom.js';
import { Field, parameterField } from './fields.js';
import { currentLanguage, parameterLabel, t, unitText } from './i18n.js';
import { Panel } from './panel.js';
import { Picture, download } from './picture.js';
import { showResults, itemRows } from './results.js';
import { checkRows, checksList, reportBody } from './design-view.js';
import { outlineGeometry } from './outline.js';
import { outlineDxf } from './outline-dxf.js';
import { lossBars, lossChart } from './loss-chart.js';
import { structureDrawing, structureMarks } from './structure-drawing.js';
import { flowSections, flowsTable, otherTables } from './structure-view.js';
import { familyOptions, formFamily, inputPlan, questionTexts, shownKeys } from './structure-inputs.js';
import * as store from './store.js';

// The drawing's scales on offer (1:N), so that no typed scale can be wrong.
const dxfScales = ['10', '20', '25', '50', '100', '200'];
// Boxes of the page only, never sent with the question.
const pageOnly = ['dxf-scale'];

export class StructurePanel extends Panel {
  // setup: {question, initial: texts by key (the worked example), choices:
  // narrower values by key, shows: {choice: {value: [keys it shows]}}}.
  constructor(ctx, definition, setup) {
    super(ctx, definition);
    const catalog = ctx.core.catalog();
    this.catalog = catalog;
    this.setup = setup;
    this.plan = inputPlan(catalog, setup.question, setup);
    const initial = setup.initial ?? {};
    // A chute takes a channel: its section's boxes come first, as the other channel panels have them.
    this.channel = catalog.questionByName.get(setup.question)?.channel ? new ChannelInputs(catalog, this.fields, { onInput: this.input }) : null;
    for (const entry of this.plan) this.fields.add(this.field(entry, initial));
    for (const [key, value] of Object.entries(initial)) this.fields.get(key).value = value;
    this.inputs.append(...(this.channel ? [...this.channel.rows(), ...this.channel.roughnessRows()] : []),
      ...this.plan.map((entry) => this.fields.get(entry.key).row));

    this.flows = el('div');
    this.checksHeading = el('h3');
    this.checks = el('div', { class: 'structure-checks' });
    this.items = el('div');
    this.tables = el('div');
    this.results.append(this.flows, this.checks, this.items, this.tables);
    this.section = new Picture(`channelflow-${setup.question}`, () => t('section'));
    const scale = this.fields.add(new Field('dxf-scale', {
      kind: 'select', label: () => parameterLabel(catalog, 'dxf-scale', 'si'), onInput: () => this.changed(),
      options: dxfScales.map((value) => ({ value, text: () => value })),
    }));
    scale.value = '50';
    this.dxfButton = el('button', { type: 'button', class: 'save', 'data-save': 'dxf', onclick: () => this.saveDxf() });
    this.section.actions.append(this.dxfButton, scale.row);
    this.losses = new Picture(`channelflow-${setup.question}-losses`, () => t('lossChart'));
    this.pictures.append(this.section.root, this.losses.root);
    this.finish();
  }

  system() {
    return this.channel?.system() ?? 'si';
  }

  field(entry, initial) {
    const { catalog } = this;
    const label = () => parameterLabel(catalog, entry.key, this.system());
    if (entry.kind === 'pick') {
      // Which one of the group to give: the one the example gives, else the first.
      const field = new Field(entry.key, {
        kind: 'select', onInput: this.input,
        label: () => entry.members.map((key) => catalog.parameterByKey.get(key)?.name[currentLanguage()] ?? key).join(' / '),
        options: entry.members.map((key) => ({ value: key, text: () => parameterLabel(catalog, key, this.system()) })),
      });
      field.value = entry.members.find((key) => initial[key]) ?? entry.members[0];
      return field;
    }
    if (entry.kind === 'select') {
      const field = new Field(entry.key, { kind: 'select', label, options: this.options(entry), onInput: this.input });
      field.value = entry.byDefault ?? '';
      return field;
    }
    const hint = entry.list ? () => t('listHint') : entry.key === 'g' ? () => t('gHint') : undefined;
    return parameterField(catalog, entry.key, () => this.system(), { placeholder: entry.byDefault, hint, onInput: this.input });
  }

  // A select's options as Field takes them; a form's, of the family its structure reads.
  options(entry) {
    const structure = this.setup.question === 'transition' ? this.fields.get('structure')?.value : this.setup.question;
    const options = familyOptions(entry.options, formFamily[structure]);
    return options.map((option) => ({ value: option.value, text: () => (option.name ? option.name[currentLanguage()] : t('noChoice')) }));
  }

  arrange() {
    this.channel?.arrange();
    for (const entry of this.plan) if (entry.options?.some((option) => option.family)) this.fields.get(entry.key).setOptions(this.options(entry));
    const shown = shownKeys(this.plan, this.setup, (key) => this.fields.get(key)?.value);
    for (const entry of this.plan) this.fields.get(entry.key).show(shown.has(entry.key));
  }

  relabel() {
    super.relabel();
    this.dxfButton.textContent = t('saveDxf');
    this.checksHeading.textContent = t('checks');
    this.section.relabel();
    this.losses.relabel();
  }

  update() {
    const answer = this.ask(this.setup.question, questionTexts(this.plan, this.fields.texts(), pageOnly));
    this.answer = answer;
    this.fields.markProblems(answer.ok ? [] : answer.problems);
    showResults(this.items, answer);
    const record = answer.ok ? answer.record : null;
    const flows = record ? flowsTable(this.catalog, record) : null;
    this.flows.replaceChildren(...(flows ? [flows] : []));
    const checks = record?.table('checks');
    this.checks.replaceChildren(...(checks ? [this.checksHeading, checksList(this.catalog, checks)] : []));
    this.tables.replaceChildren(...(record ? otherTables(record).map((view) => view.root) : []));
    this.drawSection(answer, record);
    const losses = record?.table('losses');
    const bars = losses ? lossBars(losses) : null;
    this.losses.show(bars?.terms.length ? lossChart(bars) : null);
  }

  drawSection(answer, record) {
    const drawing = record?.group('drawing');
    const outline = drawing ? outlineGeometry(drawing) : null;
    if (!outline?.boundary.length) {
      this.section.show(null);
      this.dxf = null;
      return;
    }
    const marks = structureMarks(outline, record, unitText(this.catalog, 'length', answer.system));
    this.section.show(structureDrawing(outline, marks));
    // The title names the design flow in ASCII, as the design's file does.
    const Q = record.group('design')?.texts().Q ?? record.texts().Q;
    this.dxf = outlineDxf(outline, marks, Q ? `Q=${Q} m3/s` : this.setup.question, Number(this.fields.get('dxf-scale').value));
  }

  saveDxf() {
    if (this.dxf) download(new Blob([this.dxf], { type: 'application/dxf' }), `channelflow-${this.setup.question}.dxf`);
  }

  reportData() {
    const sections = [{ title: t('inputs'), rows: this.inputRows() }];
    const { answer } = this;
    if (!answer?.ok) return { sections, formulas: [], pictures: [], tables: [] };
    const { record } = answer;
    sections.push({ title: t('results'), rows: itemRows(record.items) }, ...flowSections(this.catalog, record));
    const checks = record.table('checks');
    if (checks) sections.push({ title: t('checks'), rows: checkRows(this.catalog, checks) });
    return {
      sections, formulas: [], tables: [],
      body: answer.report.length ? reportBody(this.catalog, answer) : undefined,
      pictures: [this.section.drawing, this.losses.drawing].filter(Boolean),
    };
  }
}

// Panels of several structures behind one picker (涵洞与隧洞; 渐变段、节制闸、
// 跌水与陡坡): each structure's panel is built when first picked and keeps
// its own inputs. Speaks to the page as a panel does.
export class StructureFamily {
  // members: [{question, name: {zh, en}, ...the structure panel's setup}].
  constructor(ctx, definition, members) {
    this.ctx = ctx;
    this.definition = definition;
    this.members = members;
    this.built = new Map();
    this.storeKey = `pick.${definition.key}`;
    this.picker = new Field('structure-kind', {
      kind: 'select', label: () => t('structureKind'), onInput: () => this.pick(),
      options: members.map((member) => ({ value: member.question, text: () => member.name[currentLanguage()] })),
    });
    this.holder = el('div');
    this.root = el('section', { class: 'panel', 'data-panel': definition.key },
      el('form', { class: 'family-picker', autocomplete: 'off', onsubmit: (e) => e.preventDefault() }, this.picker.row), this.holder);
    const saved = store.load(this.storeKey, '');
    if (members.some((member) => member.question === saved)) this.picker.value = saved;
    this.show();
  }

  get current() {
    const member = this.members.find((m) => m.question === this.picker.value) ?? this.members[0];
    let panel = this.built.get(member.question);
    if (!panel) {
      panel = new StructurePanel(this.ctx, { key: member.question, name: member.name }, member);
      // One frame, the family's.
      panel.root.classList.remove('panel');
      this.built.set(member.question, panel);
      this.holder.append(panel.root);
    }
    return panel;
  }

  show() {
    const current = this.current;
    for (const panel of this.built.values()) panel.root.hidden = panel !== current;
    return current;
  }

  pick() {
    store.save(this.storeKey, this.picker.value);
    this.show().update();
  }

  update() {
    this.current.update();
  }

  languageChanged() {
    this.picker.relabel();
    for (const panel of this.built.values()) panel.languageChanged();
  }

  precisionChanged() {
    for (const panel of this.built.values()) panel.precisionChanged();
  }

  reportData() {
    return this.current.reportData();
  }
}


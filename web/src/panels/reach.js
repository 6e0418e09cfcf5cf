// 河道水面线: the water surface along a river reach of surveyed sections, as
// the command line's reach answers it. The reach is a table to edit (or a
// CSV or JSON file opened, or a spreadsheet's copy pasted), the chosen
// section's points a table of their own; the flows, boundaries and friction
// slope are the question's inputs. Per flow: its results and notes, a table
// of every section, the longitudinal profile with its jumps, and the chosen
// section with its water surface.

import { el } from '../dom.js';
import { Field, FieldSet, parameterField } from '../fields.js';
import { unitsField } from '../channel.js';
import { currentLanguage, t, parameterLabel, termText, unitText } from '../i18n.js';
import { Panel } from '../panel.js';
import { Pending, longestAtOnce } from '../panel-core.js';
import { itemList, itemRows, missing, resultSections, showResults } from '../results.js';
import { Picture, download } from '../picture.js';
import { TableView, columnTitles } from '../table-view.js';
import { ink } from '../chart.js';
import { profileDrawing } from '../profile-drawing.js';
import { naturalDrawing } from '../natural-drawing.js';
import { outlineGeometry } from '../outline.js';
import { PointsEditor } from '../points-editor.js';
import { questionInputs } from '../questions.js';
import { ReachEditor } from '../reach-editor.js';
import { isBlank, problemRow, reachCsv, reachJson, readJsonReach, readTable, rowsByHeader } from '../reach-file.js';
import { flowNotes, flowProfile, rowItems } from '../reach-view.js';
import { askInBackground } from '../batch-worker.js';
import * as store from '../store.js';

// The README's short reach: a trapezoid falling 1 in 1,000, two flows.
const example = ['station,points,Q,downstream', '0,"0,104.2,0.03 4,100.2 14,100.2 18,104.2",20;35,',
  '100,"0,104.1,0.03 4,100.1 14,100.1 18,104.1",,', '200,"0,104,0.03 4,100 14,100 18,104",,wse=101.6'].join('\n');
// Files larger than this are refused (the core takes at most 20,000 sections).
const largestFile = 64 * 1024 * 1024;
// A reach larger than this is not kept between visits (storage holds a few MB).
const largestKept = 2 * 1024 * 1024;
const rowsKey = 'reach.rows';

// "流量组 120": a flow's group as its items name it.
function flowTitle(flow) {
  const name = flow.record.item('flow');
  return name ? `${name.label} ${name.text}` : flow.key;
}

export class ReachPanel extends Panel {
  constructor(ctx, definition) {
    super(ctx, definition);
    const catalog = ctx.core.catalog();
    this.catalog = catalog;
    this.columns = catalog.reachColumns;
    const system = () => this.system();
    for (const { key, default: byDefault, choices } of questionInputs(catalog, 'reach', ['file'])) {
      if (key === 'units') {
        unitsField(catalog, this.fields, () => { this.pointsEditor.relabel(); this.input(); });
      } else if (choices?.length) {
        const field = new Field(key, { kind: 'select', label: () => parameterLabel(catalog, key, 'si'), onInput: this.input,
          options: choices.map((value) => ({ value, text: () => termText(catalog, value) })) });
        field.value = byDefault;
        this.fields.add(field);
      } else {
        const hint = () => t(key === 'flows' ? 'flowsHint' : 'boundaryHint');
        this.fields.add(parameterField(catalog, key, system, { hint, onInput: this.input }));
      }
    }
    this.editor = new ReachEditor(this.columns, {
      onChange: () => this.rowsChanged(),
      onSelect: (k) => this.sectionChosen(k),
      onWhole: (text, read) => this.opened(text, read),
    });
    this.file = el('input', { type: 'file', name: 'reach-file', accept: '.csv,.json,.txt,text/csv,application/json,text/plain' });
    this.file.addEventListener('change', () => this.openFile());
    this.fileLabel = el('label', { class: 'open-file' }, el('span'), this.file);
    this.saveButton = el('button', { type: 'button', 'data-action': 'save-reach', onclick: () => this.saveReach() });
    this.sectionsHeading = el('h2');
    this.sectionsHint = el('p', { class: 'hint' });
    this.fileProblem = el('div', { class: 'reach-file-problem' });
    this.root.prepend(el('div', { class: 'reach-area' }, this.sectionsHeading, this.sectionsHint,
      el('div', { class: 'reach-actions' }, this.fileLabel, this.saveButton), this.fileProblem, this.editor.root));
    // The chosen section's points, edited as the natural channel's are.
    this.pointsHeading = el('h3');
    this.pointsEditor = new PointsEditor(catalog, new FieldSet(), system, { initial: '', onInput: () => this.pointsEdited() });
    this.inputs.append(...[...this.fields.fields.values()].map((f) => f.row), this.pointsHeading, this.pointsEditor.root);

    // Which flow and which section the pictures and the table show (the page's own, never sent).
    this.flowPick = new Field('flow', { kind: 'select', label: () => this.flows?.[0]?.record.item('flow')?.label ?? catalog.quantityByKey.get('Q').name[currentLanguage()],
      onInput: () => this.update() });
    this.sectionPick = new Field('section', { kind: 'select', label: () => t('section'), onInput: () => this.editor.reveal(Number(this.sectionPick.value)) });
    this.profilePicture = new Picture('channelflow-reach-profile', () => t('longProfile'));
    this.sectionPicture = new Picture('channelflow-reach-section', () => t('section'));
    this.pictures.append(el('div', { class: 'reach-picks' }, this.flowPick.row, this.sectionPick.row), this.profilePicture.root, this.sectionPicture.root);
    this.flowHeading = el('h3');
    this.table = new TableView('reach-flow');
    this.jumps = new TableView('reach-jumps');
    this.extra.append(this.flowHeading, this.table.root, this.jumps.root);

    this.version = 0;
    this.editor.setRows(this.keptRows() ?? rowsByHeader(readTable(example, this.columns), this.columns));
    this.finish();
    this.showPoints(0);
    // What was typed in the last moment before the page closes is kept too.
    addEventListener('pagehide', () => this.keep());
  }

  system() {
    return this.fields.get('units')?.value || 'si';
  }

  relabel() {
    super.relabel();
    this.sectionsHeading.textContent = t('reachSections');
    this.sectionsHint.textContent = t('sectionsHint');
    this.fileLabel.firstChild.textContent = t('openReach');
    this.saveButton.textContent = t('saveReach');
    this.editor.relabel();
    this.pointsEditor.field.relabel();
    this.pointsEditor.relabel();
    this.pointsEditor.drawRows();
    this.pointsHeading.textContent = t('sectionPoints').replace('{n}', this.editor.selected + 1);
    for (const field of [this.flowPick, this.sectionPick]) field.relabel();
    for (const picture of [this.profilePicture, this.sectionPicture]) picture.relabel();
  }

  // The rows changed: computed again, and kept a moment after the typing stops.
  rowsChanged() {
    this.version += 1;
    this.update();
    clearTimeout(this.keeping);
    this.keeping = setTimeout(() => this.keep(), 400);
    const k = this.editor.selected;
    if (this.editor.cell(k, 'points') !== this.pointsEditor.text()) this.showPoints(k);
  }

  // The reach is kept as the text the core reads (its sections' cells under
  // their columns' keys): one string, which storage takes in a few ms.
  keep() {
    clearTimeout(this.keeping);
    const { text } = this.reachText();
    store.save(rowsKey, text.length <= largestKept ? text : null);
  }

  keptRows() {
    const kept = store.load(rowsKey, null);
    const read = typeof kept === 'string' ? readJsonReach(kept, this.columns) : null;
    return read?.rows.length ? read.rows : null;
  }

  sectionChosen(k) {
    this.showPoints(k);
    this.pointsHeading.textContent = t('sectionPoints').replace('{n}', k + 1);
    this.update();
  }

  showPoints(k) {
    this.pointsEditor.field.value = this.editor.cell(k, 'points');
    this.pointsEditor.read({ changed: false });
  }

  pointsEdited() {
    this.editor.setCell(this.editor.selected, 'points', this.pointsEditor.text());
  }

  async openFile() {
    const file = this.file.files?.[0];
    this.file.value = '';
    if (!file) return;
    if (file.size > largestFile) {
      this.fileProblem.replaceChildren(missing([{ message: t('tooLarge') }]));
      return;
    }
    this.opened(new TextDecoder('utf-8').decode(await file.arrayBuffer()));
  }

  // A whole reach (a file, or a paste with its header): its rows replace the
  // table's and its settings the boxes'. One the table cannot hold is left
  // to the core, whose message says why; the table stays as it was.
  opened(text, read = null) {
    const json = !read && /^\s*\{/.test(text.replace(/^\uFEFF/, '')) ? readJsonReach(text, this.columns) : null;
    const table = json ? null : read ?? readTable(text, this.columns);
    const friction = json?.settings.friction;
    const unknownFriction = friction !== undefined && !this.fields.get('friction')?.options.some((o) => o.value === friction);
    if (json ? unknownFriction : !table?.header || table.unknown) {
      this.refused(text);
      return;
    }
    this.fileProblem.replaceChildren();
    this.editor.setRows(json ? json.rows : rowsByHeader(table, this.columns));
    for (const key of ['flows', 'downstream', 'upstream', 'friction']) {
      const value = json?.settings[key];
      if (value !== undefined || this.fields.get(key)?.kind !== 'select') this.fields.get(key).value = value ?? '';
    }
    store.save(`inputs.${this.key}`, this.fields.snapshot());
    this.version += 1;
    this.showPoints(0);
    // The table shows first; the reach is computed in a task of its own.
    setTimeout(() => this.rowsChanged());
  }

  // Why the core cannot read a file, asked in the background (a file may be long).
  async refused(text) {
    const core = this.ctx.core;
    const answer = await askInBackground(core, core.request('reach', { file: text }, this.ctx.language()));
    this.fileProblem.replaceChildren(answer.ok ? '' : missing(answer.problems));
  }

  saveReach() {
    download(new Blob(['\uFEFF', reachCsv(this.editor.rows, this.columns)], { type: 'text/csv;charset=utf-8' }), 'channelflow-reach.csv');
  }

  // The reach as the core reads it, made again only when the rows change.
  reachText() {
    if (this.written?.version !== this.version) this.written = { version: this.version, ...reachJson(this.editor.rows, this.columns) };
    return this.written;
  }

  update() {
    const { text, rowOf } = this.reachText();
    const response = this.ask('reach', { ...this.fields.texts(), file: text });
    this.response = response;
    this.rowOf = rowOf;
    this.markProblems(response.ok ? [] : response.problems);
    showResults(this.results, response);
    this.flows = response.ok ? response.record.group('flows')?.groups ?? [] : [];
    this.geometry = response.ok ? response.record.table('geometry') : null;
    this.summaries = this.flows.map((flow) => this.flowSummary(flow));
    this.results.append(...this.summaries);
    this.flowPick.setOptions(this.flows.map((flow) => ({ value: flow.key, text: () => flow.record.item('flow')?.text ?? flow.key })));
    this.flowPick.show(this.flows.length > 1);
    this.flowPick.relabel();
    this.drawFlow();
    // What reads every row (the notes, the pictures) waits, for a long
    // reach, for tasks after the one that shows its tables.
    const steps = [() => this.showNotes(), () => this.pickSections(), () => this.drawProfile(), () => this.drawSection()];
    clearTimeout(this.drawing);
    if (text.length <= longestAtOnce) {
      for (const step of steps) step();
      return;
    }
    const next = () => {
      this.drawing = setTimeout(() => {
        try {
          steps.shift()();
        } catch (error) {
          if (!(error instanceof Pending)) throw error;
          return;
        }
        if (steps.length) next();
      });
    };
    next();
  }

  showNotes() {
    this.flows.forEach((flow, k) => {
      const notes = flowNotes(flow.record);
      if (!notes.length) return;
      this.summaries[k].append(el('ul', { class: 'reach-notes' }, notes.map((note) => el('li', { 'data-row': note.row, text: `${note.station}${t('colon')}${note.text}` }))));
    });
  }

  // Each problem on the cell, the box or the end row it was written in; all
  // of them listed with the results.
  markProblems(problems) {
    const cells = [];
    const boxes = [];
    const lastRow = this.rowOf.length ? this.rowOf[this.rowOf.length - 1] : -1;
    const ends = { downstream: [lastRow, 'downstream'], upstream: [this.rowOf[0] ?? -1, 'upstream'], flows: [this.rowOf[0] ?? -1, 'Q'] };
    for (const p of problems) {
      const row = problemRow(p, this.rowOf);
      const end = ends[p.field];
      if (row >= 0) {
        const column = this.columns.some((c) => c.key === p.cell?.field) ? p.cell.field : null;
        cells.push({ row, column, message: p.cell?.message ?? p.message });
      } else if (end && !this.fields.get(p.field)?.value.trim() && end[0] >= 0) {
        cells.push({ row: end[0], column: end[1], message: p.message });
      } else {
        boxes.push(p);
      }
    }
    this.editor.mark(cells);
    this.fields.markProblems(boxes);
    const own = cells.find((c) => c.row === this.editor.selected && c.column === 'points');
    this.pointsEditor.field.setProblem(own?.message ?? null);
  }

  // A flow's items and its jumps (the notes of its sections without an answer follow).
  flowSummary(flow) {
    const { record } = flow;
    const part = el('section', { class: 'answer', 'data-flow': flow.key }, el('h3', { text: flowTitle(flow) }),
      itemList(record.items.filter((item) => item.key !== 'flow')));
    const jumps = record.table('jumps');
    for (let k = 0; k < (jumps?.length ?? 0); ++k) {
      part.append(el('h3', { text: t('jumpMark') }), itemList(rowItems(jumps, k)));
    }
    return part;
  }

  // The section picker lists the table's sections by number, name and station.
  pickSections() {
    const options = [];
    this.editor.rows.forEach((row, k) => {
      if (isBlank(row)) return;
      const text = [`${k + 1}.`, this.editor.cell(k, 'name'), this.editor.cell(k, 'station')].filter(Boolean).join(' ');
      options.push({ value: String(k), text: () => text });
    });
    const key = options.map((o) => o.text()).join('\n');
    if (key !== this.pickedKey) {
      this.pickedKey = key;
      this.sectionPick.setOptions(options);
    }
    this.sectionPick.value = String(this.editor.selected);
  }

  chosenFlow() {
    return this.flows.find((flow) => flow.key === this.flowPick.value) ?? this.flows[0];
  }

  drawFlow() {
    const flow = this.chosenFlow();
    const sections = flow?.record.table('sections');
    if (!sections || !this.geometry) {
      this.flowHeading.textContent = '';
      this.table.hide();
      this.jumps.hide();
      return;
    }
    this.flowHeading.textContent = flowTitle(flow);
    const note = sections.column('note');
    this.table.show(columnTitles(sections), sections.length, (k) => sections.row(k).cells, (k) => (sections.row(k).cells[note]?.text ? 'error' : ''));
    const jumps = flow.record.table('jumps');
    if (jumps?.length) this.jumps.show(columnTitles(jumps), jumps.length, (k) => jumps.row(k).cells);
    else this.jumps.hide();
  }

  drawProfile() {
    const flow = this.chosenFlow();
    const sections = flow?.record.table('sections');
    if (!sections || !this.geometry) {
      this.profilePicture.show(null);
      return;
    }
    const unit = unitText(this.catalog, 'length', this.response.system);
    const station = sections.columns[sections.column('station')];
    this.profilePicture.show(profileDrawing({
      ...flowProfile(flow.record, this.geometry, t('jumpMark')),
      words: { station: `${station.label} (${unit})`, elevation: `${t('elevation')} (${unit})` },
    }));
  }

  // The chosen section with the chosen flow's surface, its critical level and its banks.
  drawSection() {
    const k = this.editor.selected;
    const s = this.rowOf?.indexOf(k) ?? -1;
    const flow = this.chosenFlow();
    const sections = flow?.record.table('sections');
    const depth = s >= 0 && sections ? sections.row(s).cells[sections.column('h')] : null;
    if (!depth || depth.kind !== 'number') {
      this.sectionPicture.show(null);
      return;
    }
    const system = this.response.system;
    const outlined = this.ask('outline', { section: 'points', points: this.editor.cell(k, 'points'), n: this.editor.cell(k, 'n'), h: depth.full, units: system });
    if (!outlined.ok) {
      this.sectionPicture.show(null);
      return;
    }
    const row = sections.raw.at(s);
    const bank = this.geometry.raw.at(s);
    const unit = unitText(this.catalog, 'length', system);
    this.sectionPicture.show(naturalDrawing({
      outline: outlineGeometry(outlined.record),
      levels: [{ key: 'wse_c', z: row.wse_c?.value, name: 'K', color: ink.critical }, { key: 'EG', z: row.EG?.value, name: 'E', color: '#7b4fa0' }],
      banks: [{ key: 'left', x: bank.left_bank.value, z: bank.z_left.value, text: t('leftBank') }, { key: 'right', x: bank.right_bank.value, z: bank.z_right.value, text: t('rightBank') }],
      words: {
        station: `${termText(this.catalog, 'station')} (${unit})`,
        elevation: `${termText(this.catalog, 'elevation')} (${unit})`,
        exaggerated: (factor) => t('exaggerated').replace('{n}', factor),
        n: (n) => `n = ${n}`,
      },
    }));
  }

  // The reach as the core read it and every flow's table, printed; the chosen flow's copied.
  reportData() {
    const answered = Boolean(this.response?.ok);
    const sections = [{ title: t('inputs'), rows: this.inputRows() }, ...resultSections(this.response)];
    for (const flow of answered ? this.flows : []) sections.push({ title: flowTitle(flow), rows: itemRows(flow.record.items.filter((item) => item.key !== 'flow')) });
    const tables = [];
    const titled = (title, table) => ({
      fullTable: () => {
        const view = new TableView('print');
        view.show(columnTitles(table), table.length, (k) => table.row(k).cells);
        return el('div', { class: 'report-reach-table' }, el('h2', { text: title }), view.fullTable());
      },
    });
    if (answered) {
      tables.push(titled(t('reachSections'), this.geometry));
      for (const flow of this.flows) {
        tables.push(titled(flowTitle(flow), flow.record.table('sections')));
        if (flow.record.table('jumps')?.length) tables.push(titled(`${flowTitle(flow)} ${t('jumpMark')}`, flow.record.table('jumps')));
      }
    }
    const flow = answered ? this.chosenFlow() : null;
    const table = flow?.record.table('sections');
    const copied = table ? [{ title: flowTitle(flow), columns: columnTitles(table),
      rows: Array.from({ length: table.length }, (_, k) => table.row(k).cells.map((cell) => cell.full)) }] : [];
    const pictures = [this.profilePicture, this.sectionPicture].filter((p) => p.drawing).map((p) => p.drawing);
    return { sections, formulas: answered ? this.response.formulas : [], pictures, tables, copied };
  }
}

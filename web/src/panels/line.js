// 渠线水面线: a canal line's water levels from head to tail for its three
// flows, as the command line's line answers it. The nodes are a table to
// edit (or a CSV line file or a project opened, or a spreadsheet's copy
// pasted); the known level, the friction convention and the rest are the
// question's inputs. Results: each flow's table, the structures with their
// losses, the checks, the adopted values, the notes of nodes not computed,
// and the longitudinal profile with its bands, saved as SVG, PNG or the
// core's DXF. The line and its settings save to a project file and are kept.

import { el } from '../dom.js';
import { Field, parameterField } from '../fields.js';
import { t, parameterLabel, termText, unitText } from '../i18n.js';
import { Panel } from '../panel.js';
import { Pending, longestAtOnce } from '../panel-core.js';
import { missing, resultSections, showResults } from '../results.js';
import { Picture, download } from '../picture.js';
import { TableView, columnTitles } from '../table-view.js';
import { profileDrawing } from '../profile-drawing.js';
import { questionInputs } from '../questions.js';
import { ReachEditor } from '../reach-editor.js';
import { readTable, rowsByHeader, reachCsv } from '../reach-file.js';
import { lineCsv, lineProblemRow, projectText, readProject } from '../line-file.js';
import { checkFailed, lineNotes, lineProfile } from '../line-view.js';
import { reportBody } from '../design-view.js';
import { askInBackground } from '../batch-worker.js';
import * as store from '../store.js';

// The README's worked line (docs/canal.csv), shown until the user has a line of their own.
const example = `name,kind,station,x,y,Rc,section,B,m,D,H,n,i,Q,Qmin,v-min,v-max,L,inlet-zeta,gate-slots,bend,inlet-crown,outlet-crown,trough,barrel,loss,hold
渠首,start,K0+000,0,0,,trapezoid,2.0,1.5,,,0.017,1/3000,4,2,0.3,1.8,,,,,,,,,,
1#倒虹吸进口,siphon-in,K0+280,,,,,,,1.8,,0.014,,,,,,150,0.2,1,4.5:28;4.5:28,1267.10,1266.75,,,0.40,
1#倒虹吸出口,siphon-out,K0+410
IP1,ip,,600,200,60
1#分水口,offtake,K0+930,,,,,,,,,,,3.2,1.6
1#渡槽进口,aqueduct-in,K1+150,,,,,2.0,,,,0.014,1/1000,,,,,,,,,,,rectangle,,0.30,
1#渡槽出口,aqueduct-out,K1+270
IP2,ip,,1500,120,50
1#节制闸,gate,K1+785,,,,,,,,,,,,,,,,,,,,,,,0.05,design
1#隧洞进口,tunnel-in,K1+955,,,,arch,2.0,,,2.4,0.015,1/1500
1#隧洞出口,tunnel-out,K2+295
IP3,ip,,2300,500,50
1#涵洞进口,culvert-in,K2+720,,,,,1.6,,,1.95,,1/1000,,,,,,,,,,,,rectangle,,
1#涵洞出口,culvert-out,K2+765
渠尾,node,,3000,480`;
const exampleSettings = { level: '1268.5' };
// Files larger than this are refused (a line of 100,000 nodes is some 10 MB).
const largestFile = 16 * 1024 * 1024;
const largestKept = 2 * 1024 * 1024;
const projectKey = 'line.project';
// The columns always shown; the others once a row fills them, or all on request.
const basicColumns = ['name', 'kind', 'station', 'x', 'y', 'Rc', 'section', 'B', 'm', 'n', 'i', 'Q', 'loss'];
// The page's own boxes, never sent with the question: where the level is
// known, and the drawing's scales (sent with the DXF only).
const pageOnly = ['known', 'dxf-scale', 'dxf-vscale'];
const dxfOnly = ['dxf-scale', 'dxf-vscale'];
// The line's friction conventions: the channel's, and practice's uniform h_f = i·L.
const lineFriction = (choices) => [...choices, ...(choices.includes('uniform') ? [] : ['uniform'])];

function flowTitle(flow) {
  return flow.record.item('flow')?.text ?? flow.key;
}

export class LinePanel extends Panel {
  constructor(ctx, definition) {
    super(ctx, definition);
    const catalog = ctx.core.catalog();
    this.catalog = catalog;
    this.columns = catalog.lineColumns ?? [];
    const system = () => 'si';
    this.settingKeys = questionInputs(catalog, 'line', ['file']).map((input) => input.key);
    // Where the level is known: at the head (顺推) or a control level (逆推).
    const known = this.fields.add(new Field('known', { kind: 'select', label: () => t('knownLevel'), onInput: this.input,
      options: ['level', 'control-level'].map((value) => ({ value, text: () => parameterLabel(catalog, value, 'si') })) }));
    known.value = 'level';
    for (const { key, default: byDefault, choices } of questionInputs(catalog, 'line', ['file'])) {
      if (key === 'friction') {
        const field = new Field(key, { kind: 'select', label: () => parameterLabel(catalog, key, 'si'), onInput: this.input,
          options: lineFriction(choices).map((value) => ({ value, text: () => termText(catalog, value) })) });
        field.value = byDefault;
        this.fields.add(field);
      } else {
        this.fields.add(parameterField(catalog, key, system, { placeholder: byDefault, onInput: this.input }));
      }
    }
    this.editor = new ReachEditor(this.columns, {
      name: 'line-nodes', words: { add: 'addNode', remove: 'removeNode' },
      onChange: () => this.rowsChanged(), onSelect: () => {}, onWhole: (text, read) => this.opened(text, read),
    });
    this.file = el('input', { type: 'file', name: 'line-file', accept: '.csv,.json,.txt,text/csv,application/json,text/plain' });
    this.file.addEventListener('change', () => this.openFile());
    this.fileLabel = el('label', { class: 'open-file' }, el('span'), this.file);
    this.saveProjectButton = el('button', { type: 'button', 'data-action': 'save-project', onclick: () => this.saveProject() });
    this.saveCsvButton = el('button', { type: 'button', 'data-action': 'save-line', onclick: () => this.saveCsv() });
    this.allColumns = new Field('all-columns', { kind: 'checkbox', label: () => t('allColumns'), onInput: () => this.chooseColumns() });
    this.nodesHeading = el('h2');
    this.nodesHint = el('p', { class: 'hint' });
    this.fileProblem = el('div', { class: 'reach-file-problem' });
    this.root.prepend(el('div', { class: 'reach-area' }, this.nodesHeading, this.nodesHint,
      el('div', { class: 'reach-actions' }, this.fileLabel, this.saveProjectButton, this.saveCsvButton, this.allColumns.row),
      this.fileProblem, this.editor.root));
    const settings = [...this.fields.fields.values()].filter((f) => !dxfOnly.includes(f.key));
    this.inputs.append(...settings.map((f) => f.row));
    this.items = el('div');
    this.notes = el('div', { class: 'line-notes' });
    this.results.append(this.items, this.notes);

    this.profilePicture = new Picture('channelflow-line-profile', () => t('longProfile'));
    this.dxfButton = el('button', { type: 'button', class: 'save', 'data-save': 'dxf', onclick: () => this.saveDxf() });
    this.profilePicture.actions.append(this.dxfButton, ...dxfOnly.map((key) => this.fields.get(key).row));
    this.flowPick = new Field('flow', { kind: 'select', label: () => t('flowShown'), onInput: () => this.drawFlow() });
    this.pictures.append(this.profilePicture.root);
    this.flowHeading = el('h3');
    this.flowTable = new TableView('line-flow');
    this.tables = ['structures', 'checks', 'adopted', 'segments', 'plan'].map((key) => ({ key, heading: el('h3'), view: new TableView(`line-${key}`) }));
    this.extra.append(el('div', { class: 'reach-picks' }, this.flowPick.row), this.flowHeading, this.flowTable.root,
      ...this.tables.flatMap((table) => [table.heading, table.view.root]));

    this.version = 0;
    const kept = this.keptProject();
    this.editor.setRows(kept?.rows ?? rowsByHeader(readTable(example, this.columns), this.columns));
    this.chooseColumns();
    if (!kept && !store.load(`inputs.${this.key}`, null)) this.fields.restore(exampleSettings);
    this.finish();
    addEventListener('pagehide', () => this.keep());
  }

  relabel() {
    super.relabel();
    this.nodesHeading.textContent = t('lineNodes');
    this.nodesHint.textContent = t('nodesHint');
    this.fileLabel.firstChild.textContent = t('openLine');
    this.saveProjectButton.textContent = t('saveProject');
    this.saveCsvButton.textContent = t('saveLine');
    this.dxfButton.textContent = t('saveDxf');
    this.allColumns.relabel();
    this.flowPick.relabel();
    this.editor.relabel();
    this.profilePicture.relabel();
    for (const table of this.tables) table.heading.textContent = t(`line-${table.key}`);
  }

  arrange() {
    const control = this.fields.get('known').value === 'control-level';
    this.fields.get('level').show(!control);
    for (const key of ['control-level', 'control-at']) this.fields.get(key).show(control);
  }

  // The basic columns and those any row fills; every column when asked.
  chooseColumns() {
    const used = this.columns.map((column, c) => (this.allColumns.value || basicColumns.includes(column.key)
      || this.editor.rows.some((row) => row[c]?.trim()) ? c : -1)).filter((c) => c >= 0);
    this.editor.showColumns(used);
  }

  settings() {
    const texts = this.fields.texts();
    for (const key of pageOnly) delete texts[key];
    return texts;
  }

  rowsChanged() {
    this.version += 1;
    this.update();
    clearTimeout(this.keeping);
    this.keeping = setTimeout(() => this.keep(), 400);
  }

  changed() {
    super.changed();
    clearTimeout(this.keeping);
    this.keeping = setTimeout(() => this.keep(), 400);
  }

  // The rows and settings kept as the project file's text, in one string.
  keep() {
    clearTimeout(this.keeping);
    const text = projectText(this.editor.rows, this.columns, this.projectSettings());
    store.save(projectKey, text.length <= largestKept ? text : null);
  }

  keptProject() {
    const kept = store.load(projectKey, null);
    const read = typeof kept === 'string' ? readProject(kept, this.columns, this.settingKeys) : null;
    return read?.rows?.length ? read : null;
  }

  projectSettings() {
    const texts = this.fields.texts();
    delete texts.known;
    return Object.fromEntries(Object.entries(texts).filter(([, value]) => value.trim() !== ''));
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

  // A whole line (a CSV file, a project, a paste with its header): its rows
  // replace the table's, a project's settings the boxes'. One the table
  // cannot hold is left to the core, whose message says why; the table
  // stays as it was.
  opened(text, read = null) {
    const json = !read && /^\s*\{/.test(text.replace(/^\uFEFF/, ''));
    if (json) {
      const project = readProject(text, this.columns, this.settingKeys);
      if (project.problem) {
        this.fileProblem.replaceChildren(missing([{ message: t(project.problem) }]));
        return;
      }
      for (const key of this.settingKeys) {
        const field = this.fields.get(key);
        if (field.kind !== 'select' || project.settings[key] !== undefined) field.value = project.settings[key] ?? '';
      }
      this.fields.get('known').value = project.settings['control-level'] !== undefined && project.settings.level === undefined ? 'control-level' : 'level';
      this.arrange();
      store.save(`inputs.${this.key}`, this.fields.snapshot());
      this.setRows(project.rows);
      return;
    }
    const table = read ?? readTable(text, this.columns);
    if (!table?.header || table.unknown) {
      this.refused(text);
      return;
    }
    this.setRows(rowsByHeader(table, this.columns));
  }

  setRows(rows) {
    this.fileProblem.replaceChildren();
    this.editor.setRows(rows);
    this.chooseColumns();
    this.version += 1;
    // The table shows first; the line is computed in a task of its own.
    setTimeout(() => this.rowsChanged());
  }

  // Why the core cannot read a file, asked in the background (a file may be long).
  async refused(text) {
    const core = this.ctx.core;
    const answer = await askInBackground(core, core.request('line', { ...this.settings(), file: text }, this.ctx.language()));
    this.fileProblem.replaceChildren(answer.ok ? '' : missing(answer.problems));
  }

  saveProject() {
    download(new Blob([projectText(this.editor.rows, this.columns, this.projectSettings())], { type: 'application/json' }), 'channelflow-line.json');
  }

  saveCsv() {
    download(new Blob(['\uFEFF', reachCsv(this.editor.rows, this.columns)], { type: 'text/csv;charset=utf-8' }), 'channelflow-line.csv');
  }

  // The drawing's file from the core, made when asked (a long line's takes
  // as long as its answer); a scale it cannot use marks its box.
  saveDxf() {
    const { text } = this.lineText();
    const inputs = { ...this.settings(), file: text };
    for (const key of dxfOnly) inputs[key] = this.fields.get(key).value;
    const answer = this.ctx.core.lineDxf(inputs, this.ctx.language());
    this.fields.get('dxf-scale').setProblem(null);
    this.fields.get('dxf-vscale').setProblem(null);
    if (!answer.ok) {
      const rest = this.fields.markProblems(answer.problems.filter((p) => dxfOnly.includes(p.field)));
      this.fileProblem.replaceChildren(...(rest.length ? [missing(rest)] : []));
      return;
    }
    download(new Blob([answer.dxf], { type: 'application/dxf' }), 'channelflow-line.dxf');
  }

  // The line as the core reads it, made again only when the rows change.
  lineText() {
    if (this.written?.version !== this.version) this.written = { version: this.version, ...lineCsv(this.editor.rows, this.columns) };
    return this.written;
  }

  update() {
    const { text, rowOf } = this.lineText();
    const response = this.ask('line', { ...this.settings(), file: text });
    this.response = response;
    this.rowOf = rowOf;
    this.markProblems(response.ok ? [] : response.problems);
    showResults(this.items, response);
    const record = response.ok ? response.record : null;
    this.flows = record?.group('flows')?.groups ?? [];
    this.flowPick.setOptions(this.flows.map((flow) => ({ value: flow.key, text: () => flowTitle(flow) })));
    this.drawFlow();
    for (const table of this.tables) {
      const data = record?.table(table.key) ?? record?.group(table.key)?.table(table.key);
      table.heading.hidden = !data?.length;
      if (!data?.length) {
        table.view.hide();
        continue;
      }
      table.view.show(columnTitles(data), data.length, (k) => data.row(k).cells, table.key === 'checks' ? (k) => (checkFailed(data, k) ? 'error' : '') : undefined);
    }
    // A long line's notes and drawing follow in tasks of their own, so that
    // its tables show (and are laid out and painted) first.
    const steps = [() => this.showNotes(), () => this.drawProfile()];
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

  // Each problem on the cell or the box it was written in; all of them listed with the results.
  markProblems(problems) {
    const cells = [];
    const boxes = [];
    for (const p of problems) {
      const row = lineProblemRow(p, this.rowOf);
      if (row >= 0) {
        const column = this.columns.some((c) => c.key === p.cell?.field) ? p.cell.field : null;
        cells.push({ row, column, message: p.cell?.message ?? p.message });
      } else {
        boxes.push(p);
      }
    }
    this.editor.mark(cells);
    this.fields.markProblems(boxes);
  }

  chosenFlow() {
    return this.flows.find((flow) => flow.key === this.flowPick.value) ?? this.flows[0];
  }

  drawFlow() {
    const flow = this.chosenFlow();
    const rows = flow?.record.table('rows');
    if (!rows) {
      this.flowHeading.textContent = '';
      this.flowTable.hide();
      return;
    }
    this.flowHeading.textContent = flowTitle(flow);
    const note = rows.column('note');
    this.flowTable.show(columnTitles(rows), rows.length, (k) => rows.row(k).cells, (k) => (rows.row(k).cells[note]?.kind === 'absent' ? '' : 'error'));
  }

  // The nodes each flow could not compute, by the flow's name.
  showNotes() {
    const parts = [];
    for (const flow of this.flows) {
      const notes = lineNotes(flow.record);
      if (!notes.length) continue;
      parts.push(el('h3', { text: flowTitle(flow) }), el('ul', { class: 'reach-notes' },
        notes.map((note) => el('li', { 'data-row': note.row, text: `${note.name} ${note.stake}${t('colon')}${note.text}` }))));
    }
    this.notes.replaceChildren(...parts);
  }

  drawProfile() {
    const profile = this.response.ok ? lineProfile(this.response.record) : null;
    this.dxfButton.disabled = !profile;
    if (!profile) {
      this.profilePicture.show(null);
      return;
    }
    const unit = unitText(this.catalog, 'length', 'si');
    this.profilePicture.show(profileDrawing({
      ...profile,
      scales: 'fit',
      words: {
        station: `${termText(this.catalog, 'station')} (${unit})`,
        elevation: `${termText(this.catalog, 'elevation')} (${unit})`,
        scales: (horizontal, vertical) => t('drawnScales').replace('{h}', horizontal).replace('{v}', vertical),
      },
    }));
  }

  // The core's 计算书 with the profile printed; the results, each flow's
  // table, the structures and the checks copied.
  reportData() {
    const answered = Boolean(this.response?.ok);
    const sections = [{ title: t('inputs'), rows: this.inputRows() }, ...resultSections(this.response)];
    if (!answered) return { sections, formulas: [], pictures: [], tables: [] };
    const copied = [];
    const copy = (title, table) => copied.push({ title, columns: columnTitles(table),
      rows: Array.from({ length: table.length }, (_, k) => table.row(k).cells.map((cell) => cell.full)) });
    for (const flow of this.flows) copy(flowTitle(flow), flow.record.table('rows'));
    for (const key of ['structures', 'checks', 'adopted']) {
      const table = this.response.record.group(key)?.table(key);
      if (table?.length) copy(t(`line-${key}`), table);
    }
    return {
      sections, formulas: [], tables: [], copied,
      body: this.response.report.length ? reportBody(this.catalog, this.response) : undefined,
      pictures: this.profilePicture.drawing ? [this.profilePicture.drawing] : [],
    };
  }

  inputRows() {
    return [...super.inputRows(), [t('lineNodes'), String(this.rowOf?.length ?? 0), '']];
  }
}

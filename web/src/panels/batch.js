// 批量: many channels at once. Paste from a spreadsheet or open a CSV file;
// the core's batch answers every row (a bad row keeps its place with its
// reason in the error column), shown as a table and saved as CSV.

import { el } from '../dom.js';
import { t } from '../i18n.js';
import { Panel } from '../panel.js';
import { missing } from '../results.js';
import { TableView } from '../table-view.js';
import { download } from '../picture.js';
import { runInBackground } from '../batch-worker.js';
import { parseRecord } from '../batch-run.js';
import { preview, tooLongToShow } from '../long-text.js';

// Larger inputs are refused with a message rather than risk the tab.
export const largestInput = 64 * 1024 * 1024;
const exampleCsv = 'B,h,m,i,n\n2,1,1,0.001,0.025\n3,1.5,1.5,0.0005,0.02\n2,1,1,0,0.025\n';

export class BatchPanel extends Panel {
  constructor(ctx, definition) {
    super(ctx, definition);
    this.box = el('textarea', { name: 'csv', rows: 8, spellcheck: 'false', wrap: 'off' });
    this.boxLabel = el('label');
    this.box.id = 'batch-csv';
    this.boxLabel.htmlFor = this.box.id;
    this.file = el('input', { type: 'file', name: 'file', accept: '.csv,.txt,.tsv,text/csv,text/plain' });
    this.fileLabel = el('label', {}, el('span'), this.file);
    this.progress = el('progress', { max: 1, value: 0, hidden: true });
    this.status = el('p', { class: 'status', role: 'status' });
    this.downloadButton = el('button', { type: 'button', name: 'download', disabled: true, onclick: () => this.save() });
    this.inputs.append(el('div', { class: 'field' }, this.boxLabel, this.box), el('div', { class: 'field' }, this.fileLabel),
      this.progress, this.status, this.downloadButton);
    this.table = new TableView('batch');
    this.extra.append(this.table.root);
    this.aside = null;
    this.box.value = exampleCsv;
    this.box.addEventListener('paste', (event) => this.pasted(event));
    this.box.addEventListener('input', () => {
      this.aside = null;
      clearTimeout(this.typing);
      this.typing = setTimeout(() => this.run({ text: this.box.value }), 250);
    });
    this.file.addEventListener('change', () => this.opened());
    this.relabel();
  }

  relabel() {
    super.relabel();
    this.boxLabel.textContent = t('pasteHere');
    this.fileLabel.firstChild.textContent = t('openFile');
    this.downloadButton.textContent = t('downloadCsv');
  }

  languageChanged() {
    this.relabel();
    if (this.lastInput) this.run(this.lastInput);
  }

  update() {
    if (!this.lastInput) this.run({ text: this.box.value });
  }

  pasted(event) {
    // Pasted text too long for the box is kept aside, the box showing its start.
    const text = event.clipboardData?.getData('text/plain') ?? '';
    if (!tooLongToShow(text)) return;
    event.preventDefault();
    if (text.length > largestInput) {
      this.refuse();
      return;
    }
    this.aside = text;
    this.box.value = preview(text);
    this.run({ text });
  }

  async opened() {
    const file = this.file.files?.[0];
    if (!file) return;
    if (file.size > largestInput) {
      this.refuse();
      return;
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    this.run({ bytes });
  }

  refuse() {
    this.status.textContent = t('tooLarge');
    this.progress.hidden = true;
  }

  async run(input) {
    this.lastInput = input;
    const ticket = (this.ticket ?? 0) + 1;
    this.ticket = ticket;
    this.progress.hidden = false;
    this.progress.value = 0;
    this.status.textContent = t('running');
    this.downloadButton.disabled = true;
    const result = await runInBackground(this.ctx.core, input, this.ctx.language(), (done, total) => {
      if (this.ticket !== ticket) return;
      this.progress.max = Math.max(1, total);
      this.progress.value = done;
      this.status.textContent = `${t('running')} ${done} / ${total} ${t('rows')}`;
    });
    if (this.ticket !== ticket) return;
    this.progress.hidden = true;
    this.show(result);
  }

  show(result) {
    this.results.replaceChildren();
    // A header the core cannot use is the CSV's problem: the box is marked, its message said.
    const refused = result.failed ? [{ field: '', message: result.failed }] : result.answer?.ok ? [] : result.answer?.problems ?? [];
    if (refused.some((p) => p.field === 'csv')) this.box.setAttribute('aria-invalid', 'true');
    else this.box.removeAttribute('aria-invalid');
    if (result.failed || !result.answer?.ok) {
      this.output = null;
      this.table.hide();
      this.status.textContent = '';
      this.results.append(missing(refused));
      return;
    }
    const { text, ends, rows, errors, file } = result;
    this.output = file;
    const record = (k) => parseRecord(text.slice(k ? ends[k - 1] : 0, ends[k]));
    const header = ends.length ? record(0) : [];
    const errorAt = header.lastIndexOf('error');
    const shown = Math.max(0, ends.length - 1);
    this.table.show(header, shown, (k) => record(k + 1), (k) => (errorAt >= 0 && record(k + 1)[errorAt] ? 'error' : ''));
    let status = `${t('done')}${t('colon')}${rows} ${t('rows')}`;
    if (errors) status += t('comma') + t('errorRows').replace('{n}', errors);
    if (shown < rows) status += t('comma') + t('shownRows').replace('{n}', shown);
    this.status.textContent = status;
    this.downloadButton.disabled = rows === 0;
  }

  save() {
    if (this.output) download(this.output, 'channelflow-batch.csv');
  }

  reportData() {
    return { sections: [], formulas: [], pictures: [], tables: this.output ? [this.table] : [] };
  }
}

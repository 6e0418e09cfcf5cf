// The page: loads the core, builds the tabs from the panel list, switches the
// language and the digits shown, copies and prints. <html data-ready> tells that the core is
// loaded and the first panel's results are drawn.

import { el } from './dom.js';
import { loadCore, pageWasm } from './core.js';
import { currentLanguage, setLanguage, t } from './i18n.js';
import { availablePanels } from './panels/index.js';
import { copyReport, fillReport } from './report.js';
import * as store from './store.js';

const html = document.documentElement;

// The digits the results show, as the core reads them: in full (as it keeps
// them), to engineering precision, or to a count of decimals.
const precisions = [
  ['full', () => t('digitsFull')],
  ['eng', () => t('digitsEng')],
  ...['2', '3', '4'].map((n) => [n, () => t('digitsPlaces').replace('{n}', n)]),
];

function applyLanguage(language) {
  setLanguage(language);
  html.lang = language === 'en' ? 'en' : 'zh-CN';
  document.title = t('title');
}

async function start() {
  applyLanguage(store.load('language', 'zh'));
  const status = el('p', { class: 'loading', role: 'status', text: t('loading') });
  const main = document.getElementById('app');
  main.append(status);
  let core;
  try {
    core = await loadCore(globalThis.createChannelflowCore, { wasmBinary: await pageWasm() });
  } catch (error) {
    status.textContent = `${t('loadFailed')}: ${error?.message ?? error}`;
    console.error(error);
    return;
  }
  status.remove();

  let digits = store.load('digits', 'full');
  if (!precisions.some(([value]) => value === digits)) digits = 'full';
  const ctx = { core, language: currentLanguage, digits: () => digits };
  const definitions = availablePanels(core);
  const heading = el('h1');
  const languageButton = el('button', { type: 'button', class: 'language', 'data-action': 'language' });
  const copyButton = el('button', { type: 'button', 'data-action': 'copy' });
  const printButton = el('button', { type: 'button', 'data-action': 'print' });
  const digitsPicker = el('select', { name: 'digits', id: 'page-digits', hidden: !core.hasToolkit },
    precisions.map(([value]) => el('option', { value })));
  digitsPicker.value = digits;
  const digitsLabel = el('label', { for: digitsPicker.id, class: 'digits', hidden: !core.hasToolkit });
  const note = el('p', { class: 'note', hidden: core.hasToolkit });
  const tabs = el('div', { class: 'tabs', role: 'tablist' });
  const printArea = el('article', { class: 'print-report', id: 'print-report' });
  main.append(el('header', {}, heading, el('div', { class: 'actions' }, digitsLabel, digitsPicker, copyButton, printButton, languageButton)), note, tabs);

  const entries = definitions.map((definition) => {
    const tab = el('button', { type: 'button', role: 'tab', id: `tab-${definition.key}`, 'data-panel': definition.key });
    tabs.append(tab);
    return { definition, tab, panel: null };
  });
  let active = null;

  // Panels are built when first shown, so a start costs one panel.
  const ensure = (entry) => {
    if (!entry.panel) {
      entry.panel = new entry.definition.Panel(ctx, entry.definition);
      entry.panel.root.setAttribute('role', 'tabpanel');
      entry.panel.root.setAttribute('aria-labelledby', entry.tab.id);
      entry.tab.setAttribute('aria-controls', (entry.panel.root.id = `panel-${entry.definition.key}`));
      main.insertBefore(entry.panel.root, printArea);
      entry.panel.update();
    }
    return entry.panel;
  };

  const show = (entry) => {
    active = entry;
    for (const other of entries) {
      const selected = other === entry;
      other.tab.setAttribute('aria-selected', String(selected));
      other.tab.tabIndex = selected ? 0 : -1;
      if (other.panel) other.panel.root.hidden = !selected;
    }
    ensure(entry).root.hidden = false;
    store.save('panel', entry.definition.key);
  };

  const relabel = () => {
    heading.textContent = t('title');
    languageButton.textContent = t('switchLanguage');
    copyButton.textContent = t('copyResults');
    printButton.textContent = t('printReport');
    note.textContent = t('noToolkit');
    digitsLabel.textContent = t('digits');
    precisions.forEach(([, text], k) => { digitsPicker.options[k].textContent = text(); });
    for (const entry of entries) entry.tab.textContent = entry.definition.name[currentLanguage()];
  };

  tabs.addEventListener('click', (event) => {
    const entry = entries.find((e) => e.tab === event.target.closest('[role=tab]'));
    if (entry) show(entry);
  });
  tabs.addEventListener('keydown', (event) => {
    const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
    if (!step) return;
    const next = entries[(entries.indexOf(active) + step + entries.length) % entries.length];
    show(next);
    next.tab.focus();
  });
  languageButton.addEventListener('click', () => {
    applyLanguage(currentLanguage() === 'zh' ? 'en' : 'zh');
    store.save('language', currentLanguage());
    relabel();
    for (const entry of entries) entry.panel?.languageChanged();
  });
  digitsPicker.addEventListener('change', () => {
    digits = digitsPicker.value;
    store.save('digits', digits);
    for (const entry of entries) entry.panel?.precisionChanged();
  });
  copyButton.addEventListener('click', () => copyReport(active.panel));
  printButton.addEventListener('click', () => {
    fillReport(printArea, active.panel, active.definition.name[currentLanguage()]);
    window.print();
  });
  window.addEventListener('beforeprint', () => fillReport(printArea, active.panel, active.definition.name[currentLanguage()]));

  main.append(printArea);
  relabel();
  const saved = entries.find((e) => e.definition.key === store.load('panel', ''));
  show(saved ?? entries[0]);
  html.setAttribute('data-ready', '');
  performance.mark('channelflow-ready');
}

start();

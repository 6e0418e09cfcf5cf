// A list of the core's results: each item's label, its text as the core
// wrote it (rounded when the user asked for fewer digits; a button that
// copies the full text), and its unit.

import { el, clear } from './dom.js';
import { currentLanguage, t } from './i18n.js';
import { copyText } from './clipboard.js';

// shown: the text on the page; full: what a copy gives (the same unless rounded).
export function valueButton(key, shown, full = shown) {
  const button = el('button', { type: 'button', class: 'value', 'data-key': key, text: shown, title: full });
  button.dataset.full = full;
  button.addEventListener('click', () => {
    copyText(button.dataset.full);
    flash(button);
  });
  return button;
}

function flash(button) {
  button.dataset.copied = t('copied');
  setTimeout(() => { delete button.dataset.copied; }, 900);
}

// The rows of a record's items as [label, shown, unit, full], for the
// clipboard (which takes the full text) and the printed report (the shown).
export function itemRows(items) {
  return items.map((item) => [item.label, item.text, item.unit, item.full]);
}

export function itemList(items) {
  return el('dl', { class: 'results' }, items.map((item) => el('div', { class: item.kind === 'absent' ? 'item none' : 'item' },
    el('dt', { text: item.label }),
    el('dd', {}, valueButton(item.key, item.text, item.full), item.unit ? el('span', { class: 'unit', text: item.unit }) : null))));
}

// Shows each record's items (an answer view, or a list of items) or, when
// the core refused the question, why they are missing.
export function showResults(container, answer) {
  clear(container);
  if (!answer.ok) {
    container.append(missing(answer.problems));
    return;
  }
  const records = answer.records;
  if (records.length === 1) {
    container.append(itemList(records[0].items));
    return;
  }
  records.forEach((record, k) => {
    container.append(el('section', { class: 'answer', 'data-answer': k + 1 },
      el('h3', { text: t(k === 0 ? 'results1' : 'results2') }), itemList(record.items)));
  });
}

// The results of records (or just their items) for the clipboard and the print.
export function resultSections(answer, title = t('results')) {
  if (!answer?.ok) return [];
  const many = answer.records.length > 1;
  return answer.records.map((record, k) => ({ title: many ? t(k ? 'results2' : 'results1') : title, rows: itemRows(record.items) }));
}

export function missing(problems) {
  return el('div', { class: 'missing', role: 'status', lang: currentLanguage() === 'en' ? 'en' : 'zh-CN' },
    problems.map((p) => el('p', { text: p.message, 'data-code': p.code || undefined })));
}

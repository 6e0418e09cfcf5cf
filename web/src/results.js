// A list of the core's results: each quantity's name and symbol, its text
// exactly as the core wrote it (a button that copies it), and its unit.

import { el, clear } from './dom.js';
import { currentLanguage, unitText, t } from './i18n.js';
import { copyText } from './clipboard.js';

export function valueButton(key, text) {
  const button = el('button', { type: 'button', class: 'value', 'data-key': key, text, title: text });
  button.addEventListener('click', () => {
    copyText(button.textContent);
    flash(button);
  });
  return button;
}

function flash(button) {
  button.dataset.copied = t('copied');
  setTimeout(() => { delete button.dataset.copied; }, 900);
}

// The rows of one result as [label, text, unit], for the list, the clipboard
// and the printed report alike.
export function itemRows(catalog, items, system) {
  return items.map((item) => {
    // An input given back is named as the parameter it is.
    const q = catalog.quantityById.get(item.id) ?? catalog.quantityByKey.get(item.key) ?? catalog.parameterByKey.get(item.key);
    const unit = item.none || item.term || !q ? '' : unitText(catalog, q.unit, system);
    const label = q ? [q.name[currentLanguage()], q.symbol].filter((s, k) => s && (k === 0 || s !== q.name[currentLanguage()])).join(' ') : item.key;
    return { key: item.key, label, text: item.text ?? '', unit, none: Boolean(item.none) };
  });
}

// Shows results (an array of {items}) or, when the core refused the
// question, why they are missing.
export function showResults(container, catalog, response, system) {
  clear(container);
  if (!response.ok) {
    container.append(missing(response.problems));
    return;
  }
  const many = response.results.length > 1;
  response.results.forEach((result, k) => {
    const rows = itemRows(catalog, result.items, system);
    const list = el('dl', { class: 'results' }, rows.map((row) => el('div', { class: row.none ? 'item none' : 'item' },
      el('dt', { text: row.label }),
      el('dd', {}, valueButton(row.key, row.text), row.unit ? el('span', { class: 'unit', text: row.unit }) : null))));
    if (many) {
      container.append(el('section', { class: 'answer', 'data-answer': k + 1 },
        el('h3', { text: t(k === 0 ? 'results1' : 'results2') }), list));
    } else {
      container.append(list);
    }
  });
}

export function missing(problems) {
  return el('div', { class: 'missing', role: 'status', lang: currentLanguage() === 'en' ? 'en' : 'zh-CN' },
    problems.map((p) => el('p', { text: p.message })));
}

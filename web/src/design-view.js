// A canal design's answer on the page and in print: the Appendix E schemes
// with the chosen one marked, the checks with their verdicts, and the core's
// calculation report laid out line by line. Every word and number is the
// core's; these only arrange them.

import { el } from './dom.js';
import { currentLanguage, t, termText, unitText } from './i18n.js';

// A column's header as the report prints it, "B(m)", its full name for those who ask.
function columnHeader(catalog, key) {
  const q = catalog.quantityByKey.get(key);
  const unit = q ? unitText(catalog, q.unit, 'si') : '';
  const symbol = q?.symbol || key;
  return el('th', { scope: 'col', title: q?.name[currentLanguage()], text: unit ? `${symbol}(${unit})` : symbol });
}

// The chosen row says so in words (read aloud with its row) and is marked
// aria-current; a scheme beyond Table E.0.2 says that too.
export function schemesTable(catalog, schemes) {
  const rows = schemes.texts.map((texts, k) => {
    const chosen = k === schemes.chosen;
    const marks = [chosen ? termText(catalog, 'chosen') : '', schemes.inTable[k] ? '' : termText(catalog, 'outside-table')].filter(Boolean);
    return el('tr', { 'data-scheme': k, class: chosen ? 'chosen' : undefined, 'aria-current': chosen ? 'true' : undefined },
      el('th', { scope: 'row', text: texts[0] }),
      texts.slice(1).map((text) => el('td', { text })),
      el('td', { class: 'mark', text: marks.join(t('comma')) }));
  });
  return el('table', { class: 'data schemes', 'data-table': 'schemes' },
    el('caption', { text: t('schemes') }),
    el('thead', {}, el('tr', {}, schemes.columns.map((key) => columnHeader(catalog, key)), el('th', { scope: 'col', text: '' }))),
    el('tbody', {}, rows));
}

// ok: true (满足), false (不满足) or null (未校核), each in the core's words.
export function checksList(checks) {
  const verdict = (ok) => (ok === true ? 'pass' : ok === false ? 'fail' : 'not-checked');
  return el('ul', { class: 'checks', 'data-list': 'checks' }, checks.map((check) => el('li', { 'data-check': check.key, 'data-verdict': verdict(check.ok) },
    el('span', { class: 'verdict', text: check.statusText }),
    el('span', { class: 'check-name', text: `${check.name}${t('colon')}` }),
    el('span', { class: 'check-message', text: check.message }))));
}

// The report's lines as the printed 计算书: the schemes and checks lines
// stand for their tables, which come from the same answer.
export function reportBody(catalog, answer) {
  const body = el('div', { class: 'design-report' });
  for (const line of answer.report) {
    if (line.kind === 'title') body.append(el('p', { class: 'report-subtitle', text: line.text }));
    else if (line.kind === 'heading') body.append(el('h2', { text: line.text }));
    else if (line.kind === 'schemes') body.append(schemesTable(catalog, answer.schemes));
    else if (line.kind === 'checks') body.append(checksList(answer.checks));
    else body.append(el('p', { class: `report-${line.kind}`, text: line.text }));
  }
  return body;
}

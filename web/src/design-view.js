// A canal design's answer on the page and in print: the Appendix E schemes
// with the chosen one marked, the checks with their verdicts, and the core's
// calculation report laid out line by line. Every word and number is the
// core's; these only arrange them.

import { el } from './dom.js';
import { t, termText } from './i18n.js';

// The flags of a scheme, said by a mark at the row's end rather than as columns.
const flags = ['chosen', 'in_table'];

// A column's header as the report prints it, "B(m)", its full name for those who ask.
function columnHeader(column) {
  const symbol = column.symbol || column.key;
  return el('th', { scope: 'col', title: column.label, text: column.unit ? `${symbol}(${column.unit})` : symbol });
}

// The chosen row says so in words (read aloud with its row) and is marked
// aria-current; a scheme beyond Table E.0.2 says that too.
export function schemesTable(catalog, table) {
  const [chosenAt, inTableAt] = flags.map((key) => table.column(key));
  const shown = table.columns.map((column, k) => k).filter((k) => k !== chosenAt && k !== inTableAt);
  const rows = table.rows.map((row, k) => {
    const chosen = row.cells[chosenAt]?.flag === true;
    const outside = row.cells[inTableAt]?.flag === false;
    const marks = [chosen ? termText(catalog, 'chosen') : '', outside ? termText(catalog, 'outside-table') : ''].filter(Boolean);
    const [first, ...rest] = shown.map((at) => row.cells[at].text);
    return el('tr', { 'data-scheme': k, class: chosen ? 'chosen' : undefined, 'aria-current': chosen ? 'true' : undefined },
      el('th', { scope: 'row', text: first }),
      rest.map((text) => el('td', { text })),
      el('td', { class: 'mark', text: marks.join(t('comma')) }));
  });
  return el('table', { class: 'data schemes', 'data-table': 'schemes' },
    el('caption', { text: t('schemes') }),
    el('thead', {}, el('tr', {}, shown.map((at) => columnHeader(table.columns[at])), el('th', { scope: 'col', text: '' }))),
    el('tbody', {}, rows));
}

// Each check as {key, name, verdict, clause, message}. A design's table says
// its verdict by a yes or no (ok: pass, fail or not-checked), a structure's
// by a term of its own (verdict: pass, fail or not-applicable) with its clause.
export function checks(table) {
  const [keyAt, okAt, verdictAt, clauseAt, messageAt] = ['key', 'ok', 'verdict', 'clause', 'message'].map((key) => table.column(key));
  return table.rows.map((row) => {
    const ok = row.cells[okAt];
    const verdict = verdictAt >= 0 ? row.cells[verdictAt].term : undefined;
    return {
      key: row.cells[keyAt]?.term ?? '',
      name: row.cells[keyAt]?.text ?? '',
      verdict: verdict ?? (ok?.kind === 'flag' ? (ok.flag ? 'pass' : 'fail') : 'not-checked'),
      clause: row.cells[clauseAt]?.text ?? '',
      message: row.cells[messageAt]?.text ?? '',
    };
  });
}

// Each verdict in the core's words.
export function checksList(catalog, table) {
  return el('ul', { class: 'checks', 'data-list': 'checks' }, checks(table).map((check) => el('li', { 'data-check': check.key, 'data-verdict': check.verdict },
    el('span', { class: 'verdict', text: termText(catalog, check.verdict) }),
    el('span', { class: 'check-name', text: check.name }),
    check.clause ? el('span', { class: 'check-clause', text: check.clause }) : null,
    t('colon'),
    el('span', { class: 'check-message', text: check.message }))));
}

// The checks as the clipboard's rows: name, verdict, message.
export function checkRows(catalog, table) {
  return checks(table).map((check) => [check.name, termText(catalog, check.verdict), check.message]);
}

// The report's lines as the printed 计算书. Its table of schemes (lines of
// tab-separated cells) is printed as the answer's schemes table, with the
// chosen row marked and the digits the page shows.
export function reportBody(catalog, answer) {
  const body = el('div', { class: 'design-report' });
  let schemes = answer.record.table('schemes');
  // Where the current run of tabbed lines goes: a table of its own, or none
  // when the schemes table stands for it.
  let tabbed;
  for (const line of answer.report) {
    if (line.text.includes('\t')) {
      if (tabbed === undefined) {
        tabbed = schemes ? null : el('table', { class: 'data' });
        body.append(tabbed ?? schemesTable(catalog, schemes));
        schemes = undefined;
      }
      tabbed?.append(el('tr', {}, line.text.split('\t').map((text) => el('td', { text }))));
      continue;
    }
    tabbed = undefined;
    if (line.kind === 'plain') body.append(el('p', { class: 'report-subtitle', text: line.text }));
    else if (line.kind === 'heading') body.append(el('h2', { text: line.text }));
    else body.append(el('p', { class: `report-${line.kind}`, text: line.text }));
  }
  return body;
}

// The printed report (计算书) of the panel in view and the same content on
// the clipboard: inputs, results, the core's formulas with its numbers, pictures.

import { el, clear, uniqueId } from './dom.js';
import { t, currentLanguage } from './i18n.js';
import { copyTable } from './clipboard.js';

// The rows that go to the clipboard: a heading row per group, then label,
// text and unit. A row is [label, shown, unit, full]: a value shown rounded
// goes on the clipboard in full.
export function clipboardRows(data) {
  const rows = [];
  for (const section of data.sections) {
    if (!section.rows.length) continue;
    rows.push([section.title, '', '']);
    rows.push(...section.rows.map(([label, shown, unit, full]) => [label, full ?? shown, unit]));
  }
  // Tables a panel copies whole ({title, columns, rows} of full texts).
  for (const table of data.copied ?? []) rows.push([table.title], table.columns, ...table.rows);
  return rows;
}

// A copy with ids of its own: a url(#id) in the copy would otherwise name
// the original's clip path, which the print hides with its panel, and the
// water would fill the section to the top of its banks.
export function copyDrawing(drawing) {
  const copy = drawing.cloneNode(true);
  for (const node of copy.querySelectorAll('[id]')) {
    const id = node.id;
    node.id = uniqueId(id);
    for (const user of copy.querySelectorAll(`[clip-path="url(#${id})"]`)) user.setAttribute('clip-path', `url(#${node.id})`);
  }
  return copy;
}

export function copyReport(panel) {
  return copyTable(clipboardRows(panel.reportData()));
}

export function fillReport(area, panel, title) {
  const data = panel.reportData();
  clear(area);
  area.append(el('h1', { text: `${t('reportTitle')}：${title}` }));
  area.append(el('p', { class: 'report-date', text: `${t('reportDate')}：${new Date().toLocaleDateString(currentLanguage() === 'en' ? 'en' : 'zh-CN')}` }));
  // A panel whose core writes a calculation report of its own (a design)
  // prints that in place of the tables of inputs and results.
  if (data.body) area.append(data.body);
  for (const section of data.body ? [] : data.sections) {
    if (!section.rows.length) continue;
    area.append(el('h2', { text: section.title }));
    area.append(el('table', { class: 'report-table' }, section.rows.map((row) => el('tr', {},
      el('th', { scope: 'row', text: row[0] }), el('td', { text: row[1] }), el('td', { text: row[2] })))));
  }
  if (data.formulas.length) {
    area.append(el('h2', { text: t('formulas') }));
    area.append(el('ol', { class: 'formulas' }, data.formulas.map((line) => el('li', { text: line }))));
  }
  if (data.pictures.length) {
    area.append(el('h2', { text: t('pictures') }));
    for (const picture of data.pictures) area.append(el('div', { class: 'report-picture' }, copyDrawing(picture)));
  }
  for (const table of data.tables) area.append(table.fullTable());
}

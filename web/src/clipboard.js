// Copying: one value as plain text, or a table as HTML and tab-separated
// text, so it pastes into a spreadsheet or a word processor as a table.

import { el } from './dom.js';

// Puts the given types on the clipboard from inside a user's click. The copy
// event lets a page set several types at once and needs no permission.
function copyTypes(types) {
  let done = false;
  const onCopy = (event) => {
    for (const [type, data] of Object.entries(types)) event.clipboardData.setData(type, data);
    event.preventDefault();
    done = true;
  };
  document.addEventListener('copy', onCopy);
  try {
    document.execCommand('copy');
  } finally {
    document.removeEventListener('copy', onCopy);
  }
  if (!done && navigator.clipboard?.writeText) navigator.clipboard.writeText(types['text/plain']).catch(() => {});
  return done;
}

export function copyText(text) {
  return copyTypes({ 'text/plain': text });
}

// Tab-separated lines; a tab or line break inside a cell becomes a space.
export function tableToTsv(rows) {
  return rows.map((row) => row.map((cell) => String(cell).replace(/[\t\r\n]+/g, ' ')).join('\t')).join('\r\n');
}

// The same rows as an HTML table, built through the DOM so every cell is text.
export function tableToHtml(rows) {
  const table = el('table', {}, rows.map((row) => el('tr', {}, row.map((cell) => el('td', { text: String(cell) })))));
  return `<meta charset="utf-8">${table.outerHTML}`;
}

export function copyTable(rows) {
  return copyTypes({ 'text/plain': tableToTsv(rows), 'text/html': tableToHtml(rows) });
}

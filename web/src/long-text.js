// Text too long for a box to show. A box lays its whole text out as the text
// changes, in the same task as a paste: a 2,000-line survey pasted into a box
// of a few rows holds the tab 80 ms on its own (a forced layout of 30 µs a
// line), a 200,000-line one seven seconds, and a single line costs about
// 0.4 ms a kilobyte. Past these limits a box shows the text's start and the
// page keeps the whole beside it (the points' table shows every row).
export const shownLines = 500;
export const shownChars = 32 * 1024;
// Of a text kept aside, the box shows this much.
const previewLines = 20;
const previewChars = 2000;

// Whether the text is over the limits; stops counting at the limit.
export function tooLongToShow(text) {
  if (text.length > shownChars) return true;
  let lines = 1;
  for (let at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1)) {
    if (++lines > shownLines) return true;
  }
  // A file from an old Mac ends its lines with a lone CR.
  return !text.includes('\n') && text.split('\r', shownLines + 1).length > shownLines;
}

// The text's start as a box shows it, with "…" where it was cut.
export function preview(text, multiline = true) {
  const start = text.slice(0, previewChars);
  if (!multiline) return `${start.replace(/\r\n|\n|\r/g, ' ')}…`;
  return `${start.split(/\r\n|\n|\r/).slice(0, previewLines).join('\n')}\n…`;
}

// A designed canal's section to scale: the bank up to the canal depth H, the
// design water level, the enlarged flow's level dashed, and the dimensions an
// engineer checks (h, hj and H on the right, Fb on the left, b along the
// bed) with the side slope 1:m. The core's 15-digit texts are longer than a
// shallow canal is tall, so the dimensions carry their symbols and a legend
// under the drawing their values.

import { ink } from './chart.js';
import { t } from './i18n.js';
import { sectionDrawing } from './section-drawing.js';

// outline: the design answer's outline; texts: its items' texts by key;
// unit: the length unit's text.
export function designMarks(outline, texts, unit) {
  const xs = outline.boundary.map((p) => p[0]);
  const zs = outline.boundary.map((p) => p[1]);
  const [left, right] = [Math.min(...xs), Math.max(...xs)];
  const [bottom, top] = [Math.min(...zs), Math.max(...zs)];
  const level = outline.water?.[0]?.[1];
  const enlarged = outline.waterEnlarged?.[0]?.[1];
  const surfaces = Number.isFinite(enlarged) ? [{ key: 'hj', points: outline.waterEnlarged, dash: '6 4' }] : [];
  const dims = [];
  const legend = [];
  const measure = (key, from, to, offset, line) => {
    if (!texts[key]) return;
    dims.push({ text: key === 'B' ? 'b' : key, from, to, offset, textAt: offset + 8 });
    const text = `${key === 'B' ? 'b' : key} = ${texts[key]} ${unit}`;
    legend.push({ key, text: line ? `${line.name}  ${text}` : text, line });
  };
  // Upwards on the right, so each sits right of the section, the next further out.
  if (Number.isFinite(level)) measure('h', [right, bottom], [right, level], 18, { color: ink.water, name: t('designLevel') });
  if (Number.isFinite(enlarged)) {
    measure('hj', [right, bottom], [right, enlarged], 36, { color: ink.water, dash: '6 4', name: t('enlargedLevel') });
    // Downwards on the left, so it sits left of the bank.
    measure('Fb', [left, top], [left, enlarged], 18);
  }
  measure('H', [right, bottom], [right, top], 54);
  const floor = outline.boundary.filter((p) => Math.abs(p[1] - bottom) <= 1e-9 * Math.max(1, top - bottom));
  const notes = [];
  if (outline.section === 'trapezoid' && floor.length >= 2) {
    const fx = floor.map((p) => p[0]);
    measure('B', [Math.min(...fx), bottom], [Math.max(...fx), bottom], 16);
  }
  if (outline.section === 'u' && texts.r) legend.push({ key: 'r', text: `r = ${texts.r} ${unit}` });
  // 1:m beside the right bank, halfway up its last (straight) segment.
  const [foot, corner] = outline.boundary.slice(-2);
  if (outline.m > 0 && texts.m && foot) {
    notes.push({ key: 'm', text: `1:${texts.m}`, at: [(corner[0] + foot[0]) / 2, (corner[1] + foot[1]) / 2], dx: 8, dy: 4 });
  }
  return { surfaces, dims, notes, legend };
}

export function designDrawing(outline, texts, unit) {
  return sectionDrawing({ outline, ...designMarks(outline, texts, unit), width: 560, height: 280, margin: 72 });
}

// A structure's section to scale from the drawing of its answer: the barrel,
// trough, culvert or tunnel, the design flow's water (a siphon's barrels run
// full), the enlarged flow's level dashed, h and hj up the right, the height
// (H, or a pipe's D) up the left and the width B along the bottom. The core's
// texts are longer than a small section is wide, so the dimensions carry
// their symbols and a legend under the drawing their values.

import { extent, ink } from './chart.js';
import { t } from './i18n.js';
import { sectionDrawing } from './section-drawing.js';

// outline: outlineGeometry of the drawing; record: the answer's record (its
// size items and the flows' depths); unit: the length unit's text. Each
// dimension keeps its value's text for the DXF.
export function structureMarks(outline, record, unit) {
  const texts = record.texts();
  const depth = (flow) => record.group(flow)?.texts().h;
  const [left, right] = extent(outline.boundary, 0);
  const [bottom, top] = extent(outline.boundary, 1);
  const level = outline.water?.[0]?.[1];
  const enlarged = outline.waterEnlarged?.[0]?.[1];
  const surfaces = [];
  const dims = [];
  const legend = [];
  const measure = (text, value, from, to, offset, line) => {
    dims.push({ text, value, from, to, offset, textAt: offset + 8 });
    legend.push({ key: text, text: line ? `${line.name}  ${text} = ${value} ${unit}` : `${text} = ${value} ${unit}`, line });
  };
  if (Number.isFinite(level) && depth('design')) {
    measure('h', depth('design'), [right, bottom], [right, level], 18, { color: ink.water, name: t('designLevel') });
  }
  if (Number.isFinite(enlarged) && depth('enlarged')) {
    surfaces.push({ key: 'hj', points: outline.waterEnlarged, dash: '6 4' });
    measure('hj', depth('enlarged'), [right, bottom], [right, enlarged], 36, { color: ink.water, dash: '6 4', name: t('enlargedLevel') });
  }
  // Downwards on the left, so it reads beside the wall.
  if (texts.H) measure('H', texts.H, [left, top], [left, bottom], 18);
  else if (texts.diameter) measure('D', texts.diameter, [left, top], [left, bottom], 18);
  if (texts.B) measure('B', texts.B, [left, bottom], [right, bottom], 16);
  for (const key of ['r', 'Ra']) if (texts[key]) legend.push({ key, text: `${key} = ${texts[key]} ${unit}` });
  return { surfaces, dims, legend };
}

export function structureDrawing(outline, marks) {
  return sectionDrawing({ outline, ...marks, width: 560, height: 300, margin: 72 });
}

// The cross-section to scale: the core's boundary polyline, the water below
// the surface, the normal (N–N) and critical (K–K) depth lines and the
// dimensions, each labelled with the core's own text.

import { svg, uniqueId } from './dom.js';
import { extent, ink, pathData } from './chart.js';

// Fits the outline's points into the box with one scale for x and z (so the
// drawing is to scale), z upwards. Returns the mapping and the scale.
export function fitOutline(points, width, height, margin) {
  const [x0, x1] = extent(points, 0);
  const [z0, z1] = extent(points, 1);
  const scale = Math.min((width - 2 * margin) / (x1 - x0 || 1), (height - 2 * margin) / (z1 - z0 || 1));
  const left = (width - (x1 - x0) * scale) / 2;
  const bottom = (height + (z1 - z0) * scale) / 2;
  return { scale, map: ([x, z]) => [left + (x - x0) * scale, bottom - (z - z0) * scale], z0, x0, x1 };
}

// outline: {boundary, water}; marks: {h, hc} numbers with their texts;
// dims: [{text, from: [x, z], to: [x, z], side}] in the outline's coordinates;
// surfaces: further water levels drawn between their own two points
// [{key, points, color, dash, label}]; notes: free labels [{text, at: [x, z], dx, dy, anchor}];
// legend: lines under the drawing [{text, line: {color, dash}}], for texts
// too long to stand beside what they name: a line's sample and text to a row,
// plain texts two to a row.
export function sectionDrawing({ outline, levels = [], dims = [], surfaces = [], notes = [], legend = [], width = 420, height = 300, margin = 46 }) {
  const drawn = height;
  const places = legendPlaces(legend);
  height += places.length ? (places[places.length - 1].row + 1.5) * legendRow : 0;
  const waterZ = outline.water?.[0]?.[1];
  const points = [...outline.boundary, ...(outline.water ?? []), ...levels.filter((l) => Number.isFinite(l.z)).map((l) => [outline.boundary[0][0], l.z])];
  const { map } = fitOutline(points, width, drawn, margin);
  const font = { 'font-family': 'sans-serif', 'font-size': 11, fill: ink.axis };
  const root = svg('svg', { xmlns: 'http://www.w3.org/2000/svg', viewBox: `0 0 ${width} ${height}`, width, height, role: 'img' });
  root.append(svg('rect', { x: 0, y: 0, width, height, fill: '#fff' }));
  const boundary = outline.boundary.map(map);
  if (Number.isFinite(waterZ)) {
    const clipId = uniqueId('water-clip');
    const [, top] = map([0, waterZ]);
    root.append(svg('clipPath', { id: clipId }, svg('rect', { x: 0, y: top, width, height: height - top })));
    root.append(svg('path', { d: `${pathData(boundary)}Z`, fill: ink.fill, stroke: 'none', 'clip-path': `url(#${clipId})`, 'data-part': 'water' }));
    root.append(svg('path', { d: pathData(outline.water.map(map)), stroke: ink.water, 'stroke-width': 1.6, fill: 'none', 'data-part': 'surface' }));
    const [wx, wy] = map(outline.water[outline.water.length - 1]);
    root.append(svg('path', { d: `M${wx - 16} ${wy - 9}h10l-5 8z`, fill: ink.water }));
  }
  root.append(svg('path', { d: pathData(boundary), fill: 'none', stroke: ink.bed, 'stroke-width': 2.4, 'stroke-linejoin': 'round', 'data-part': 'boundary' }));
  const [bx0, bx1] = extent(outline.boundary, 0);
  for (const level of levels) {
    if (!Number.isFinite(level.z)) continue;
    const [xa, y] = map([bx0, level.z]);
    const [xb] = map([bx1, level.z]);
    root.append(svg('line', { x1: xa - 8, x2: xb + 8, y1: y, y2: y, stroke: level.color, 'stroke-dasharray': '7 4', 'stroke-width': 1.2, 'data-line': level.key }));
    root.append(svg('text', { x: xa - 10, y: y + 4, 'text-anchor': 'end', ...font, fill: level.color, text: level.name }));
    root.append(svg('text', { x: xb + 10, y: y + 4, ...font, fill: level.color, text: level.name }));
  }
  for (const surface of surfaces) {
    const [[xa, ya], [xb, yb]] = surface.points.map(map);
    root.append(svg('line', { x1: xa, y1: ya, x2: xb, y2: yb, stroke: surface.color ?? ink.water, 'stroke-width': 1.4,
      'stroke-dasharray': surface.dash, 'data-line': surface.key }));
    if (surface.label) root.append(svg('text', { x: xa + 4, y: ya - 4, ...font, fill: surface.color ?? ink.water, text: surface.label }));
  }
  for (const dim of dims) root.append(dimension(map(dim.from), map(dim.to), dim.text, dim.offset ?? 16, font, dim.textAt));
  for (const note of notes) {
    const [x, y] = map(note.at);
    root.append(svg('text', { x: x + (note.dx ?? 0), y: y + (note.dy ?? 0), 'text-anchor': note.anchor ?? 'start', ...font, 'data-note': note.key, text: note.text }));
  }
  legend.forEach((entry, k) => {
    const x = 16 + places[k].column * (width / 2);
    const y = drawn + places[k].row * legendRow + legendRow / 2;
    const group = svg('g', { 'data-legend': entry.key });
    if (entry.line) group.append(svg('line', { x1: x, x2: x + 24, y1: y - 4, y2: y - 4, stroke: entry.line.color, 'stroke-width': 1.6, 'stroke-dasharray': entry.line.dash }));
    group.append(svg('text', { x: entry.line ? x + 30 : x, y, ...font, text: entry.text }));
    root.append(group);
  });
  return root;
}

const legendRow = 18;

export function legendPlaces(legend) {
  const places = [];
  let row = 0;
  let column = 0;
  for (const entry of legend) {
    if (entry.line || column > 1) {
      if (column > 0) row += 1;
      column = 0;
    }
    places.push({ row, column });
    if (entry.line) row += 1;
    else column += 1;
  }
  return places;
}

// A dimension line offset from the measured segment, with ticks and its text
// (textAt pixels from the segment; half the offset beyond the line unless given).
function dimension([ax, ay], [bx, by], text, offset, font, textAt = offset * 1.5) {
  const dx = bx - ax;
  const dy = by - ay;
  const length = Math.hypot(dx, dy) || 1;
  const [nx, ny] = [(-dy / length) * offset, (dx / length) * offset];
  const [pax, pay, pbx, pby] = [ax + nx, ay + ny, bx + nx, by + ny];
  const group = svg('g', { 'data-dimension': text, stroke: ink.axis, 'stroke-width': 0.8 });
  group.append(svg('line', { x1: ax, y1: ay, x2: pax + nx * 0.2, y2: pay + ny * 0.2 }));
  group.append(svg('line', { x1: bx, y1: by, x2: pbx + nx * 0.2, y2: pby + ny * 0.2 }));
  group.append(svg('line', { x1: pax, y1: pay, x2: pbx, y2: pby }));
  for (const [x, y] of [[pax, pay], [pbx, pby]]) {
    group.append(svg('line', { x1: x - 3, y1: y + 3, x2: x + 3, y2: y - 3, 'stroke-width': 1.4 }));
  }
  const beyond = textAt / offset - 1;
  const [mx, my] = [(pax + pbx) / 2 + nx * beyond, (pay + pby) / 2 + ny * beyond];
  const vertical = Math.abs(dy) > Math.abs(dx);
  group.append(svg('text', { x: mx, y: my + 4, 'text-anchor': 'middle', ...font, stroke: 'none',
    transform: vertical ? `rotate(-90 ${mx} ${my})` : undefined, text }));
  return group;
}

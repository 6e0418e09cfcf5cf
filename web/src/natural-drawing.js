// A surveyed cross-section drawn from the core's outline: the bed's segments
// coloured by their n (with a legend), the water under every wet stretch of
// the surface, the dashed lines that divide the parts, the critical depths,
// and station and elevation scales. A river is far wider than it is deep, so
// heights are exaggerated by a round factor the drawing states.

import { svg, uniqueId } from './dom.js';
import { extent, ink, niceTicks, pathData, tickText } from './chart.js';

// Told apart from each other, from the water's blue and the critical red.
const roughnessInk = ['#3f7f3f', '#8a6d3b', '#7b4fa0', '#d0812b', '#4d6b7f', '#a0406a', '#2e9c8f', '#5c5c5c'];
const factors = [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000];

// The largest round factor that keeps the heights inside the frame.
export function exaggeration(span, rise, plotW, plotH) {
  const natural = (rise * plotW) / (span || 1);
  return factors.filter((f) => natural * f <= plotH).pop() ?? 1;
}

// One colour per n, in the order the segments first meet them.
export function roughnessColours(segments) {
  const colours = new Map();
  for (const s of segments) {
    if (!colours.has(s.n)) colours.set(s.n, roughnessInk[colours.size % roughnessInk.length]);
  }
  return colours;
}

// outline: outlineGeometry()'s {boundary, segments, surface, dividers}; levels:
// [{key, z, name, color}]; banks: points named above them [{key, x, z, text}];
// words: {station, elevation, exaggerated(f), n(value)}.
export function naturalDrawing({ outline, levels = [], banks = [], words, width = 580, height = 330 }) {
  const colours = roughnessColours(outline.segments ?? []);
  const legendRows = Math.ceil(colours.size / 5);
  const margin = { left: 62, right: 18, top: banks.length ? 40 : 22, bottom: 46 + 16 * legendRows };
  const plotW = width - margin.left - margin.right;
  const plotH = height - margin.top - margin.bottom;
  const zs = [...outline.boundary.map((p) => p[1]), ...levels.map((l) => l.z).filter(Number.isFinite)];
  const [x0, x1] = extent(outline.boundary, 0);
  const [z0, z1] = extent(zs);
  const factor = exaggeration(x1 - x0, z1 - z0, plotW, plotH);
  const scale = Math.min(plotW / (x1 - x0 || 1), plotH / ((z1 - z0) * factor || 1));
  const left = margin.left + (plotW - (x1 - x0) * scale) / 2;
  const base = margin.top + (plotH + (z1 - z0) * scale * factor) / 2;
  const map = ([x, z]) => [left + (x - x0) * scale, base - (z - z0) * scale * factor];
  const font = { 'font-family': 'sans-serif', 'font-size': 11, fill: ink.axis };
  const root = svg('svg', { xmlns: 'http://www.w3.org/2000/svg', viewBox: `0 0 ${width} ${height}`, width, height, role: 'img' });
  root.append(svg('rect', { x: 0, y: 0, width, height, fill: '#fff' }));
  scales(root, { x0, x1, z0, z1, map, left, base, margin, plotW, plotH, font, words });
  const boundary = outline.boundary.map(map);
  const surface = outline.surface ?? [];
  if (surface.length) {
    const clipId = uniqueId('river-clip');
    const [, top] = map([x0, surface[0][1]]);
    root.append(svg('clipPath', { id: clipId }, svg('rect', { x: 0, y: top, width, height: height - top })));
    root.append(svg('path', { d: `${pathData(boundary)}Z`, fill: ink.fill, stroke: 'none', 'clip-path': `url(#${clipId})`, 'data-part': 'water' }));
  }
  for (const [xa, za, xb, zb] of outline.dividers ?? []) {
    const [ax, ay] = map([xa, za]);
    const [bx, by] = map([xb, zb]);
    root.append(svg('line', { x1: ax, y1: ay, x2: bx, y2: by, stroke: '#555', 'stroke-dasharray': '4 3', 'data-part': 'divider' }));
  }
  for (const [xa, z, xb] of surface) {
    const [ax, y] = map([xa, z]);
    const [bx] = map([xb, z]);
    root.append(svg('line', { x1: ax, y1: y, x2: bx, y2: y, stroke: ink.water, 'stroke-width': 1.6, 'data-part': 'surface' }));
  }
  if (surface.length) {
    const widest = surface.reduce((a, b) => (b[2] - b[0] > a[2] - a[0] ? b : a));
    const [wx, wy] = map([(widest[0] + widest[2]) / 2, widest[1]]);
    root.append(svg('path', { d: `M${(wx - 5).toFixed(1)} ${(wy - 9).toFixed(1)}h10l-5 8z`, fill: ink.water }));
  }
  for (const [n, colour] of colours) {
    const d = outline.segments.filter((s) => s.n === n).map((s) => pathData([boundary[s.from], boundary[s.to]])).join('');
    root.append(svg('path', { d, fill: 'none', stroke: colour, 'stroke-width': 2.6, 'stroke-linecap': 'round', 'data-part': 'segment', 'data-n': n ?? '' }));
  }
  for (const level of levels) {
    if (!Number.isFinite(level.z)) continue;
    const [xa, y] = map([x0, level.z]);
    const [xb] = map([x1, level.z]);
    root.append(svg('line', { x1: xa, x2: xb, y1: y, y2: y, stroke: level.color, 'stroke-dasharray': '7 4', 'stroke-width': 1.1, 'data-line': level.key }));
    root.append(svg('text', { x: xb + 3, y: y + 4, ...font, fill: level.color, text: level.name }));
  }
  for (const bank of banks) {
    const [x, y] = map([bank.x, bank.z]);
    const group = svg('g', { 'data-bank': bank.key });
    group.append(svg('line', { x1: x, x2: x, y1: y - 4, y2: y - 18, stroke: ink.axis, 'stroke-width': 1 }));
    group.append(svg('path', { d: `M${x.toFixed(1)} ${(y - 2).toFixed(1)}l-4 -6h8z`, fill: ink.axis }));
    group.append(svg('text', { x, y: y - 21, 'text-anchor': 'middle', ...font, text: bank.text }));
    root.append(group);
  }
  legend(root, colours, { x: margin.left, y: height - 16 * legendRows + 2, font, words });
  if (factor > 1) root.append(svg('text', { x: width - margin.right, y: 14, 'text-anchor': 'end', ...font, text: words.exaggerated(factor) }));
  return root;
}

// Station along the foot, elevation up the side, round ticks on both.
function scales(root, { x0, x1, z0, z1, map, left, base, margin, plotW, plotH, font, words }) {
  const xt = niceTicks(x0, x1, 6);
  const zt = niceTicks(z0, z1, 4);
  const foot = margin.top + plotH + 6;
  const side = margin.left - 6;
  const axis = { stroke: ink.axis, 'stroke-width': 0.8 };
  root.append(svg('line', { x1: left, x2: map([x1, 0])[0], y1: foot, y2: foot, ...axis }));
  root.append(svg('line', { x1: side, x2: side, y1: map([0, z1])[1], y2: base, ...axis }));
  for (const v of xt.ticks.filter((x) => x >= x0 - 1e-9 && x <= x1 + 1e-9)) {
    const [x] = map([v, 0]);
    root.append(svg('line', { x1: x, x2: x, y1: foot, y2: foot + 4, ...axis }));
    root.append(svg('text', { x, y: foot + 15, 'text-anchor': 'middle', ...font, text: tickText(v, xt.step) }));
  }
  for (const v of zt.ticks.filter((z) => z >= z0 - 1e-9 && z <= z1 + 1e-9)) {
    const [, y] = map([0, v]);
    root.append(svg('line', { x1: side - 4, x2: side, y1: y, y2: y, ...axis }));
    root.append(svg('text', { x: side - 6, y: y + 4, 'text-anchor': 'end', ...font, text: tickText(v, zt.step) }));
  }
  root.append(svg('text', { x: margin.left + plotW / 2, y: foot + 30, 'text-anchor': 'middle', ...font, text: words.station }));
  root.append(svg('text', { x: 12, y: margin.top + plotH / 2, 'text-anchor': 'middle', ...font,
    transform: `rotate(-90 12 ${margin.top + plotH / 2})`, text: words.elevation }));
}

function legend(root, colours, { x, y, font, words }) {
  let k = 0;
  for (const [n, colour] of colours) {
    const lx = x + (k % 5) * 110;
    const ly = y + Math.floor(k / 5) * 16;
    root.append(svg('line', { x1: lx, x2: lx + 20, y1: ly - 4, y2: ly - 4, stroke: colour, 'stroke-width': 3 }));
    root.append(svg('text', { x: lx + 25, y: ly, ...font, text: words.n(n), 'data-legend': n ?? '' }));
    k += 1;
  }
}

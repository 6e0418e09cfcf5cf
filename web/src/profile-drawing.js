// A longitudinal profile as SVG built from data: named lines of elevations
// along the stations (a gap where a line has no value), marks standing at a
// station (a hydraulic jump, a structure), and under the plot the bands of a
// Chinese longitudinal drawing: rows of values written upright at their
// stations (桩号, 渠底高程, 设计水位, ...), each row named at its left.
// Heights are scaled on their own, so the elevation axis states them; given
// two scales (a canal's profile is drawn 1:N along and 1:M up), the frame is
// sized to them and they are written under it. Spans shade a stretch of
// stations (a structure from its inlet to its outlet) and name it.

import { svg } from './dom.js';
import { extent, ink, niceTicks, pathData, thin, tickText } from './chart.js';

const font = { 'font-family': 'sans-serif', 'font-size': 11, fill: ink.axis };
// A band's text is this many pixels apart at least; about this wide a character.
const bandPitch = 13;

// About how wide a text is drawn: a Chinese character twice a Latin one.
export function textWidth(text) {
  let width = 0;
  for (const c of String(text)) width += c.codePointAt(0) > 0x2e80 ? 11.5 : 6.4;
  return width;
}

// The runs of finite values of a line, as separate polylines.
export function runs(points) {
  const out = [];
  let run = [];
  for (const [x, z] of points) {
    if (Number.isFinite(x) && Number.isFinite(z)) {
      run.push([x, z]);
    } else if (run.length) {
      out.push(run);
      run = [];
    }
  }
  if (run.length) out.push(run);
  return out;
}

// The values of a band that fit: each at least `pitch` pixels after the one
// before, the last always kept (it ends the reach). values: [[station, text]].
export function bandPicks(values, map, pitch = bandPitch) {
  const picks = [];
  for (const value of values) {
    const x = map(value[0]);
    if (!Number.isFinite(x)) continue;
    if (picks.length && x - picks[picks.length - 1].x < pitch) continue;
    picks.push({ x, value });
  }
  const end = values[values.length - 1];
  if (end && picks.length && picks[picks.length - 1].value !== end) {
    while (picks.length && map(end[0]) - picks[picks.length - 1].x < pitch) picks.pop();
    picks.push({ x: map(end[0]), value: end });
  }
  return picks.map((p) => p.value);
}

// Pixels a millimetre of a drawing at 96 pixels an inch.
const pixelsPerMm = 96 / 25.4;

// The round scale 1:N (N of 1, 2, 2.5 or 5 times a power of ten) that draws
// `span` metres within `mm` millimetres, as large as fits.
export function roundScale(span, mm) {
  const least = (Math.max(span, 1e-9) * 1000) / mm;
  for (let power = 10 ** Math.floor(Math.log10(least)); ; power *= 10) {
    for (const step of [1, 2, 2.5, 5]) if (step * power >= least * (1 - 1e-12)) return step * power;
  }
}

// lines: [{key, points: [[station, z]], color, width, dash, label}];
// marks: [{key, station, from, to, label, color}] upright from one elevation to another;
// spans: [{key, from, to, label}] stretches of stations shaded and named;
// bands: [{key, label, values: [[station, text]]}]; words: {station, elevation, scales(h, v)};
// scales: {horizontal, vertical}, each N of 1:N, or 'fit' to choose round ones for the frame.
export function profileDrawing({ lines, marks = [], spans = [], bands = [], words, width = 760, height = 340, scales = null }) {
  const labelled = lines.filter((l) => l.label);
  const legendRows = Math.ceil(labelled.reduce((sum, l) => sum + 34 + textWidth(l.label), 0) / (width - 80));
  const bandHeights = bands.map((band) => Math.max(22, 10 + Math.max(0, ...band.values.map(([, text]) => textWidth(text)))));
  const bandsHeight = bandHeights.reduce((a, b) => a + b, 0);
  const labelWidth = Math.max(0, ...bands.map((band) => textWidth(band.label)));
  const margin = { left: Math.max(62, labelWidth + 14), right: 16, top: 14, bottom: 42 };
  let plotH = height - margin.top - margin.bottom;
  let plotW = width - margin.left - margin.right;
  const xs = [...lines.flatMap((l) => l.points.map((p) => p[0])), ...marks.map((m) => m.station), ...bands.flatMap((b) => b.values.map((v) => v[0]))];
  const zs = [...lines.flatMap((l) => l.points.map((p) => p[1])), ...marks.flatMap((m) => [m.from, m.to])];
  const [x0, x1] = extent(xs);
  const yt = niceTicks(...extent(zs), 5);
  const [z0, z1] = [yt.ticks[0] ?? 0, yt.ticks[yt.ticks.length - 1] ?? 1];
  let scaled = null;
  if (scales) {
    scaled = scales === 'fit'
      ? { horizontal: roundScale(x1 - x0, plotW / pixelsPerMm), vertical: roundScale(z1 - z0, plotH / pixelsPerMm) }
      : scales;
    plotW = ((x1 - x0) * 1000 * pixelsPerMm) / scaled.horizontal;
    plotH = ((z1 - z0) * 1000 * pixelsPerMm) / scaled.vertical;
    width = margin.left + plotW + margin.right;
    height = margin.top + plotH + margin.bottom;
  }
  const total = height + bandsHeight + (legendRows ? legendRows * 16 + 8 : 0);
  const sx = (x) => margin.left + ((x - x0) / (x1 - x0 || 1)) * plotW;
  const sy = (z) => margin.top + plotH - ((z - z0) / (z1 - z0 || 1)) * plotH;
  const root = svg('svg', { xmlns: 'http://www.w3.org/2000/svg', viewBox: `0 0 ${width} ${total}`, width, height: total, role: 'img' });
  root.append(svg('rect', { x: 0, y: 0, width, height: total, fill: '#fff' }));
  const xt = niceTicks(x0, x1, 8);
  for (const v of xt.ticks.filter((x) => x >= x0 - 1e-9 && x <= x1 + 1e-9)) {
    root.append(svg('line', { x1: sx(v), x2: sx(v), y1: margin.top, y2: margin.top + plotH, stroke: ink.grid }));
    root.append(svg('text', { x: sx(v), y: margin.top + plotH + 14, 'text-anchor': 'middle', ...font, text: tickText(v, xt.step) }));
  }
  for (const v of yt.ticks) {
    root.append(svg('line', { x1: margin.left, x2: margin.left + plotW, y1: sy(v), y2: sy(v), stroke: ink.grid }));
    root.append(svg('text', { x: margin.left - 4, y: sy(v) + 4, 'text-anchor': 'end', ...font, text: tickText(v, yt.step) }));
  }
  root.append(svg('rect', { x: margin.left, y: margin.top, width: plotW, height: plotH, fill: 'none', stroke: ink.axis }));
  root.append(svg('text', { x: margin.left + plotW / 2, y: margin.top + plotH + 32, 'text-anchor': 'middle', ...font, text: words.station }));
  if (scaled) {
    root.append(svg('text', { x: margin.left + plotW, y: margin.top + plotH + 32, 'text-anchor': 'end', ...font, 'data-scales': `${scaled.horizontal}:${scaled.vertical}`,
      text: words.scales(scaled.horizontal, scaled.vertical) }));
  }
  spans.forEach((span, k) => drawSpan(root, span, { sx, top: margin.top, height: plotH, row: k % 2 }));
  root.append(svg('text', { x: 12, y: margin.top + plotH / 2, 'text-anchor': 'middle', ...font,
    transform: `rotate(-90 12 ${margin.top + plotH / 2})`, text: words.elevation }));
  for (const line of lines) {
    const d = runs(line.points).map((run) => pathData(thin(run, Math.round(plotW)).map(([x, z]) => [sx(x), sy(z)]))).join('');
    root.append(svg('path', { d, fill: 'none', stroke: line.color, 'stroke-width': line.width ?? 1.6,
      'stroke-dasharray': line.dash, 'stroke-linejoin': 'round', 'data-line': line.key }));
  }
  for (const mark of marks) drawMark(root, mark, sx, sy, margin.top);
  let top = height;
  bands.forEach((band, k) => {
    drawBand(root, band, { top, height: bandHeights[k], left: margin.left, right: margin.left + plotW, sx });
    top += bandHeights[k];
  });
  if (bands.length) root.append(svg('line', { x1: 4, x2: margin.left + plotW, y1: top, y2: top, stroke: ink.axis, 'stroke-width': 0.8 }));
  legend(root, labelled, { x: margin.left, y: top + 18, width });
  return root;
}

// A span: its stretch shaded over the plot's height, its name at the top
// (every other one a line lower, so that neighbours do not overwrite).
function drawSpan(root, span, { sx, top, height, row }) {
  const [a, b] = [sx(span.from), sx(span.to)];
  const group = svg('g', { 'data-span': span.key, 'data-from': span.from, 'data-to': span.to });
  group.append(svg('rect', { x: Math.min(a, b), y: top, width: Math.max(1.5, Math.abs(b - a)), height, fill: '#e3ebf4', 'fill-opacity': 0.8 }));
  group.append(svg('text', { x: Math.min(a, b) + 2, y: top + 11 + 12 * row, ...font, 'font-size': 10, text: span.label }));
  root.append(group);
}

// A mark: an upright line from one level to the other with its label above.
function drawMark(root, mark, sx, sy, top) {
  const x = sx(mark.station);
  const [a, b] = [sy(mark.from), sy(mark.to)];
  const color = mark.color ?? ink.critical;
  const group = svg('g', { 'data-mark': mark.key, 'data-station': mark.station });
  group.append(svg('line', { x1: x, x2: x, y1: a, y2: b, stroke: color, 'stroke-width': 2.2 }));
  group.append(svg('path', { d: `M${x.toFixed(1)} ${(Math.min(a, b) - 2).toFixed(1)}l-4 -7h8z`, fill: color }));
  const y = Math.max(top + 10, Math.min(a, b) - 12);
  group.append(svg('text', { x: x + 5, y, ...font, fill: color, text: mark.label }));
  root.append(group);
}

function drawBand(root, band, { top, height, left, right, sx }) {
  const group = svg('g', { 'data-band': band.key });
  group.append(svg('line', { x1: 4, x2: right, y1: top, y2: top, stroke: ink.axis, 'stroke-width': 0.8 }));
  group.append(svg('line', { x1: left, x2: left, y1: top, y2: top + height, stroke: ink.axis, 'stroke-width': 0.8 }));
  group.append(svg('text', { x: 8, y: top + height / 2 + 4, ...font, text: band.label }));
  for (const [station, text] of bandPicks(band.values, sx)) {
    const x = sx(station) + 4;
    const y = top + height - 5;
    group.append(svg('text', { x, y, ...font, transform: `rotate(-90 ${x.toFixed(1)} ${y.toFixed(1)})`, text: String(text) }));
  }
  root.append(group);
}

function legend(root, lines, { x, y, width }) {
  let lx = x;
  let ly = y;
  for (const line of lines) {
    const widthOf = 34 + textWidth(line.label);
    if (lx + widthOf > width && lx > x) {
      lx = x;
      ly += 16;
    }
    root.append(svg('line', { x1: lx, x2: lx + 20, y1: ly - 4, y2: ly - 4, stroke: line.color, 'stroke-width': 2, 'stroke-dasharray': line.dash }));
    root.append(svg('text', { x: lx + 25, y: ly, ...font, text: line.label, 'data-legend': line.key }));
    lx += widthOf;
  }
}

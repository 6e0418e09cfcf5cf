// Line charts as SVG built from data: axes with round ticks, any number of
// polylines, and labelled horizontal lines (the normal and critical depths).
// Styles are attributes, so a saved file looks as the page does.

import { svg } from './dom.js';

export const ink = { axis: '#333', grid: '#ddd', bed: '#6b4f2a', water: '#1f6fb2', normal: '#2a8a3e', critical: '#c0392b', fill: '#cfe6f7' };

// Round tick values covering [min, max]: steps of 1, 2 or 5 times a power of ten.
export function niceTicks(min, max, count = 5) {
  if (!Number.isFinite(min) || !Number.isFinite(max)) return { step: 1, ticks: [] };
  if (min === max) {
    const pad = Math.abs(min) > 0 ? Math.abs(min) * 0.1 : 1;
    return niceTicks(min - pad, max + pad, count);
  }
  const raw = (max - min) / Math.max(1, count);
  const power = 10 ** Math.floor(Math.log10(raw));
  const step = [1, 2, 5, 10].map((f) => f * power).find((s) => s >= raw * 0.999);
  const first = Math.floor(min / step + 1e-9) * step;
  const ticks = [];
  for (let v = first; v <= max + step * 1e-6; v += step) ticks.push(Number(v.toPrecision(12)));
  if (ticks[ticks.length - 1] < max) ticks.push(Number((ticks[ticks.length - 1] + step).toPrecision(12)));
  return { step, ticks };
}

// The axis label of a tick: as many decimals as its step needs.
export function tickText(value, step) {
  const decimals = Math.max(0, -Math.floor(Math.log10(step) + 1e-9));
  const abs = Math.abs(value);
  if (abs !== 0 && (abs >= 1e6 || abs < 1e-4)) return value.toExponential(1);
  return value.toFixed(Math.min(decimals, 10));
}

// At most two points per pixel column (its lowest and highest, in order), so
// a 10,000-point curve draws as fast as a 500-point one and looks the same.
export function thin(points, columns) {
  if (points.length <= columns * 2) return points;
  const [x0, x1] = extent(points, 0);
  const width = (x1 - x0) / columns || 1;
  const out = [];
  let column = null;
  let low = null;
  let high = null;
  const flush = () => {
    if (low === null) return;
    if (low === high) out.push(low);
    else out.push(...(low[2] < high[2] ? [low, high] : [high, low]));
  };
  points.forEach((p, k) => {
    const c = Math.min(columns - 1, Math.floor((p[0] - x0) / width));
    if (c !== column) {
      flush();
      column = c;
      low = high = [p[0], p[1], k];
      return;
    }
    if (p[1] < low[1]) low = [p[0], p[1], k];
    if (p[1] > high[1]) high = [p[0], p[1], k];
  });
  flush();
  return out.map(([x, y]) => [x, y]);
}

// The least and greatest finite value, of the values or of column `at` of
// rows of points (without copying a 10,000-point curve into a new array).
export function extent(values, at = -1) {
  let lo = Infinity;
  let hi = -Infinity;
  for (const item of values) {
    const v = at < 0 ? item : item[at];
    if (!Number.isFinite(v)) continue;
    if (v < lo) lo = v;
    if (v > hi) hi = v;
  }
  return [lo, hi];
}

function widest(extents) {
  return [Math.min(...extents.map((e) => e[0])), Math.max(...extents.map((e) => e[1]))];
}

// A path's d attribute for points already in pixels.
export function pathData(points) {
  let d = '';
  for (let k = 0; k < points.length; ++k) {
    d += `${k ? 'L' : 'M'}${points[k][0].toFixed(1)} ${points[k][1].toFixed(1)}`;
  }
  return d;
}

// series: [{points: [[x, y]], color, width, dash, label}]; lines: [{y, text,
// color}] horizontal lines across the plot; axes: {x, y} labels.
export function lineChart({ width = 420, height = 280, series, lines = [], axes, title, extraY = [] }) {
  const labelled = series.filter((s) => s.label);
  const legendHeight = labelled.length ? 15 * Math.ceil(labelled.reduce((sum, s) => sum + 34 + s.label.length * 7, 0) / (width - 70)) + 6 : 0;
  const margin = { left: 58, right: 14, top: title ? 26 : 12, bottom: 40 + legendHeight };
  const plotW = width - margin.left - margin.right;
  const plotH = height - margin.top - margin.bottom;
  const [xMin, xMax] = widest(series.map((s) => extent(s.points, 0)));
  const [yMin, yMax] = widest([...series.map((s) => extent(s.points, 1)), extent([...lines.map((l) => l.y), ...extraY])]);
  const xt = niceTicks(xMin, xMax, 5);
  const yt = niceTicks(yMin, yMax, 5);
  const [x0, x1] = [xt.ticks[0] ?? 0, xt.ticks[xt.ticks.length - 1] ?? 1];
  const [y0, y1] = [yt.ticks[0] ?? 0, yt.ticks[yt.ticks.length - 1] ?? 1];
  const sx = (x) => margin.left + ((x - x0) / (x1 - x0 || 1)) * plotW;
  const sy = (y) => margin.top + plotH - ((y - y0) / (y1 - y0 || 1)) * plotH;
  const font = { 'font-family': 'sans-serif', 'font-size': 11, fill: ink.axis };
  const root = svg('svg', { xmlns: 'http://www.w3.org/2000/svg', viewBox: `0 0 ${width} ${height}`, width, height, role: 'img' });
  root.append(svg('rect', { x: 0, y: 0, width, height, fill: '#fff' }));
  if (title) root.append(svg('text', { x: margin.left, y: 16, ...font, 'font-size': 13, text: title }));
  for (const v of xt.ticks) {
    root.append(svg('line', { x1: sx(v), x2: sx(v), y1: margin.top, y2: margin.top + plotH, stroke: ink.grid }));
    root.append(svg('text', { x: sx(v), y: margin.top + plotH + 14, 'text-anchor': 'middle', ...font, text: tickText(v, xt.step) }));
  }
  for (const v of yt.ticks) {
    root.append(svg('line', { x1: margin.left, x2: margin.left + plotW, y1: sy(v), y2: sy(v), stroke: ink.grid }));
    root.append(svg('text', { x: margin.left - 4, y: sy(v) + 4, 'text-anchor': 'end', ...font, text: tickText(v, yt.step) }));
  }
  root.append(svg('rect', { x: margin.left, y: margin.top, width: plotW, height: plotH, fill: 'none', stroke: ink.axis }));
  root.append(svg('text', { x: margin.left + plotW / 2, y: height - legendHeight - 6, 'text-anchor': 'middle', ...font, text: axes.x }));
  root.append(svg('text', { x: 12, y: margin.top + plotH / 2, 'text-anchor': 'middle', ...font,
    transform: `rotate(-90 12 ${margin.top + plotH / 2})`, text: axes.y }));
  for (const line of lines) {
    root.append(svg('line', { x1: margin.left, x2: margin.left + plotW, y1: sy(line.y), y2: sy(line.y), stroke: line.color,
      'stroke-dasharray': '6 4', 'stroke-width': 1.2, 'data-line': line.key }));
    root.append(svg('text', { x: margin.left + plotW - 4, y: sy(line.y) - 4, 'text-anchor': 'end', ...font, fill: line.color, text: line.text }));
  }
  for (const s of series) {
    const points = thin(s.points, Math.round(plotW)).map(([x, y]) => [sx(x), sy(y)]);
    root.append(svg('path', { d: pathData(points), fill: 'none', stroke: s.color, 'stroke-width': s.width ?? 1.6,
      'stroke-dasharray': s.dash, 'data-series': s.key }));
  }
  // The legend runs in lines under the axis label.
  let lx = margin.left;
  let ly = height - legendHeight + 14;
  for (const s of series.filter((item) => item.label)) {
    const widthOf = 34 + s.label.length * 7;
    if (lx + widthOf > width && lx > margin.left) {
      lx = margin.left;
      ly += 15;
    }
    root.append(svg('line', { x1: lx, x2: lx + 18, y1: ly - 4, y2: ly - 4, stroke: s.color, 'stroke-width': 2, 'stroke-dasharray': s.dash }));
    root.append(svg('text', { x: lx + 22, y: ly, ...font, text: s.label }));
    lx += widthOf;
  }
  return root;
}

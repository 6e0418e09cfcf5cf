// A siphon's head losses as bars from its losses table: a group per term
// (inlet, gate slots, trash rack, bends, outlet, bypass, friction), a bar
// per flow in each. A term that costs nothing at every flow is not in the
// siphon and is left out. SVG built from data, styles as attributes, so a
// saved file looks as the page does.

import { svg } from './dom.js';
import { ink, niceTicks, tickText } from './chart.js';

export const flowInk = { design: ink.water, enlarged: '#d9822b', minimum: ink.normal };

// {flows: [{key, text}], terms: [{key, text, bars: [{flow, value, text}]}],
// axis: the loss column's label and unit}.
export function lossBars(table) {
  const [flowAt, termAt, lossAt] = ['flow', 'term', 'h_loss'].map((key) => table.column(key));
  const flows = [];
  const terms = [];
  for (const { cells } of table.rows) {
    const [flow, term, loss] = [cells[flowAt], cells[termAt], cells[lossAt]];
    if (!flows.some((f) => f.key === flow.term)) flows.push({ key: flow.term, text: flow.text });
    let entry = terms.find((e) => e.key === term.term);
    if (!entry) terms.push((entry = { key: term.term, text: term.text, bars: [] }));
    entry.bars.push({ flow: flow.term, value: loss.value, text: loss.text });
  }
  const column = table.columns[lossAt];
  return {
    flows,
    terms: terms.filter((entry) => entry.bars.some((bar) => bar.value > 0)),
    axis: column.unit ? `${column.label} (${column.unit})` : column.label,
  };
}

export function lossChart({ flows, terms, axis }, { width = 560, height = 300 } = {}) {
  const margin = { left: 58, right: 14, top: 30, bottom: 34 };
  const plotW = width - margin.left - margin.right;
  const plotH = height - margin.top - margin.bottom;
  const highest = Math.max(0, ...terms.flatMap((entry) => entry.bars.map((bar) => bar.value ?? 0)));
  const { step, ticks } = niceTicks(0, highest, 5);
  const top = ticks[ticks.length - 1] || 1;
  const y = (value) => margin.top + plotH - (value / top) * plotH;
  const band = plotW / Math.max(1, terms.length);
  const barWidth = (band * 0.8) / Math.max(1, flows.length);
  const font = { 'font-family': 'sans-serif', 'font-size': 11, fill: ink.axis };
  const root = svg('svg', { xmlns: 'http://www.w3.org/2000/svg', viewBox: `0 0 ${width} ${height}`, width, height, role: 'img' });
  root.append(svg('rect', { x: 0, y: 0, width, height, fill: '#fff' }));
  for (const value of ticks) {
    root.append(svg('line', { x1: margin.left, x2: margin.left + plotW, y1: y(value), y2: y(value), stroke: ink.grid }));
    root.append(svg('text', { x: margin.left - 4, y: y(value) + 4, 'text-anchor': 'end', ...font, text: tickText(value, step) }));
  }
  terms.forEach((entry, k) => {
    const start = margin.left + k * band + band * 0.1;
    const group = svg('g', { 'data-term': entry.key });
    flows.forEach((flow, f) => {
      const bar = entry.bars.find((b) => b.flow === flow.key);
      if (!bar || !Number.isFinite(bar.value)) return;
      group.append(svg('rect', { x: start + f * barWidth, y: y(bar.value), width: barWidth * 0.92, height: y(0) - y(bar.value),
        fill: flowInk[flow.key] ?? ink.axis, 'data-flow': flow.key }, svg('title', { text: `${entry.text} · ${flow.text}: ${bar.text}` })));
    });
    group.append(svg('text', { x: margin.left + (k + 0.5) * band, y: margin.top + plotH + 15, 'text-anchor': 'middle', ...font, text: entry.text }));
    root.append(group);
  });
  root.append(svg('line', { x1: margin.left, x2: margin.left + plotW, y1: y(0), y2: y(0), stroke: ink.axis }));
  root.append(svg('text', { x: 12, y: margin.top + plotH / 2, 'text-anchor': 'middle', ...font,
    transform: `rotate(-90 12 ${margin.top + plotH / 2})`, text: axis }));
  // The flows' legend along the top.
  let x = margin.left;
  for (const flow of flows) {
    root.append(svg('rect', { x, y: 9, width: 12, height: 10, fill: flowInk[flow.key] ?? ink.axis }));
    root.append(svg('text', { x: x + 16, y: 18, ...font, text: flow.text }));
    x += 28 + flow.text.length * 12;
  }
  return root;
}

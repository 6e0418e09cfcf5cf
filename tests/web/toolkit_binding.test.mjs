// The toolkit's JSON binding in channelflow_core.js, run by node's test runner:
//   CHANNELFLOW_CORE=build/wasm/web/channelflow_core.js node --test tests/web/toolkit_binding.test.mjs
// The digits are the command line's (the toolkit table proves that for every
// build); here, what a page relies on: the shape of the answers, problems
// tied to their fields, both languages, and requests it cannot read.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { test } from 'node:test';

const createChannelflowCore = createRequire(import.meta.url)(process.env.CHANNELFLOW_CORE);
const core = await createChannelflowCore();
const call = (command, inputs, language = 'zh') => JSON.parse(core.call(JSON.stringify({ command, inputs, language })));
const trapezoid = { B: '2', m: '1', i: '0.001', n: '0.025' };
const item = (answer, key, k = 0) => answer.results[k].items.find((i) => i.key === key);

test('the catalog names every section, parameter and quantity in both languages', () => {
  const catalog = JSON.parse(core.catalog());
  assert.deepEqual(catalog.sections.map((s) => s.key), ['trapezoid', 'circle', 'u', 'parabola', 'points', 'arch', 'horseshoe']);
  assert.deepEqual(catalog.sections[4].parameters, ['points', 'wse']);
  assert.equal(catalog.parameters.find((p) => p.key === 'points').limit, 'text');
  for (const entry of [...catalog.parameters, ...catalog.quantities]) {
    assert.ok(entry.name.zh && entry.name.en, entry.key);
    assert.ok(entry.unit in catalog.units.si && entry.unit in catalog.units.us, entry.key);
  }
  assert.equal(new Set(catalog.quantities.map((q) => q.id)).size, catalog.quantities.length);
  assert.equal(catalog.units.us.length, 'ft');
});

test('answers carry the command line texts and their values', () => {
  const report = call('report', { ...trapezoid, h: '1' }, 'en');
  assert.equal(report.ok, true);
  assert.deepEqual(item(report, 'Q'), { id: 'Q', key: 'Q', value: 2.7630683521479, text: '2.7630683521479' });
  assert.equal(item(report, 'regime').text, 'subcritical');
  const pipe = call('solve', { section: 'circle', D: '1', Q: '1.1', i: '0.002', n: '0.013', h: '0.3', unknown: 'h' });
  assert.equal(pipe.results.length, 2);
  assert.equal(item(pipe, 'h', 0).text, '0.845066875390807');
  assert.ok(item(pipe, 'Qmax', 1).value > 1.1);
  const rating = call('table', { ...trapezoid, h: '0.5:1.5:0.5' });
  assert.deepEqual(rating.table.rows[1].cells, ['1', '3', '0.921022784049301', '2.7630683521479', '0.339609166820746', '缓流']);
  const profile = call('profile', { ...trapezoid, Q: '2', h0: '2', 'to-h': '1.5', steps: '4' });
  assert.equal(profile.points.lines.length, 5);
  assert.equal(profile.points.lines[0].split('\t')[1], '2');
  const outline = call('outline', { ...trapezoid, h: '1' });
  assert.deepEqual(outline.water, [[-2, 1], [2, 1]]);
  const batch = call('batch', { csv: 'B,h,m,i,n\n2,1,1,0.001,0.025\n' });
  assert.match(batch.csv, /^B,h,m,i,n,A,.*\n2,1,1,0.001,0.025,3,/);
});

test('every input at fault is named, in the language asked for', () => {
  const answer = call('report', { ...trapezoid, B: '-1', h: '一' }, 'en');
  assert.equal(answer.ok, false);
  assert.deepEqual(answer.problems.map((p) => [p.field, p.code]), [['B', 'negative'], ['h', 'not-a-number']]);
  assert.equal(answer.problems[1].message, 'Depth h: "一" is not a number');
  assert.equal(call('report', trapezoid).problems[0].message, '缺少 h');
  assert.equal(call('frobnicate', {}).ok, false);
  assert.equal(JSON.parse(core.call('not json')).ok, false);
});

test('a canal design: items, the schemes as a table, the checks, the report and the section to draw', () => {
  const canal = { Q: '10', i: '0.0002', lining: 'earth-medium-average', soil: 'medium-loam', m: '1.5' };
  const answer = call('design', { ...canal, alpha: '1.04' });
  assert.equal(answer.ok, true);
  assert.equal(item(answer, 'method').term, 'appendix-e');
  assert.equal(item(answer, 'lining').text, '土渠，流量 1～20 m³/s，平整顺直，养护一般');
  assert.equal(item(answer, 'h').text, '1.80310759448773');
  assert.deepEqual(answer.schemes.columns, ['alpha', 'eta', 'beta', 'B', 'h', 'A', 'v', 'increase']);
  assert.equal(answer.schemes.chosen, 4);
  assert.equal(answer.schemes.texts[4][3], '5.76638203568067');
  assert.deepEqual(answer.checks.map((c) => [c.key, c.ok]).slice(3, 5), [['min-depth', true], ['side-slope', true]]);
  assert.equal(answer.report[0].kind, 'title');
  assert.ok(answer.report.some((line) => line.kind === 'schemes'));
  assert.equal(answer.outline.boundary.length, 4);
  assert.ok(answer.outline.waterEnlarged[1][1] > answer.outline.water[1][1]);
  assert.equal(answer.outline.H, item(answer, 'H').value);
  const english = call('design', canal, 'en');
  assert.match(english.report.find((line) => line.kind === 'heading').text, /^1 Design data$/);
  const dxf = call('design-dxf', { ...canal, 'dxf-scale': '100' });
  assert.match(dxf.dxf, /\nDIMENSIONS\n[\s\S]*\nEOF\n$/);
  const bad = call('design', { ...canal, soil: 'loam' });
  assert.deepEqual(bad.problems.map((p) => [p.field, p.code]), [['soil', 'unknown-soil']]);
});

test('the catalog carries the design tables for pickers', () => {
  const { design } = JSON.parse(core.catalog());
  const trowelled = design.roughness.find((row) => row.key === 'concrete-trowelled');
  assert.deepEqual(trowelled.n, [0.012, 0.013]);
  assert.equal(trowelled.name.zh, '混凝土，抹光的水泥砂浆面');
  assert.equal(design.scour.find((row) => row.key === 'coarse-sand').cells[1].text, '0.57～0.65');
  assert.ok(design.soils.some((soil) => soil.key === 'sandy-loam' && soil.sideSlope && !soil.scour));
  assert.equal(design.enlargement[0].larger, 35);
});

// A main channel of n 0.03 between floodplains of n 0.06, stations and elevations as surveyed.
const compound = { section: 'points', points: '0,103,0.06 30,102,0.06 40,100.2,0.03 45,100 55,100.1 60,102,0.06 100,103.2', i: '0.0005' };

test('a surveyed section answers every command, its drawing coloured by n', () => {
  const report = call('report', { ...compound, wse: '102.5' });
  assert.equal(report.ok, true);
  assert.equal(item(report, 'h').text, '2.5');
  assert.ok(item(report, 'alpha').value > 1);
  assert.ok(Array.isArray(item(report, 'hc_all').values));
  assert.equal(item(report, 'n_parts').text, '0.06, 0.03, 0.06');
  const rating = call('table', { ...compound, wse: '102:103.5:0.5' });
  assert.deepEqual(rating.table.columns, ['h', 'wse', 'A', 'v', 'Q', 'Fr', 'regime']);
  assert.equal(rating.table.rows[0].cells[1], '102');
  assert.match(rating.table.rows[3].error, /103/);
  const outline = call('outline', { ...compound, h: '2.5' });
  assert.deepEqual(outline.boundary[0], [0, 103]);
  assert.deepEqual(outline.segments.map((s) => s.n), [0.06, 0.06, 0.03, 0.03, 0.03, 0.06]);
  assert.deepEqual(outline.dividers, [[40, 100.2, 40, 102.5], [60, 102, 60, 102.5]]);
  assert.equal(outline.surface.length, 1);
  assert.equal(item(call('solve', { ...compound, Q: '60' }), 'unknown').text, 'h');
  assert.equal(item(call('jump', { section: 'points', points: compound.points, Q: '60', h1: '0.6' }), 'hc_rule').term, 'least-energy');
  assert.equal(call('profile', { ...compound, Q: '60', h0: '2.9', 'to-h': '2.6', steps: '3' }).points.lines.length, 4);
  const bad = call('report', { ...compound, points: '0,5 a,0 10,5', h: '1' }, 'en');
  assert.deepEqual(bad.problems.map((p) => [p.field, p.code]), [['points', 'point-value']]);
  assert.equal(bad.problems[0].message, 'The station of point 2 of points, "a", is not a number');
});

// The toolkit's binding in channelflow_core.js, read as the page reads it
// (web/src/core.js), by node's test runner:
//   CHANNELFLOW_CORE=build/wasm/web/channelflow_core.js node --test tests/web/toolkit_binding.test.mjs
// The digits are the command line's (the toolkit table proves that for every
// build); here, what a page relies on: a status line, the answer as the
// command line's JSON writes it and the same rounded, problems tied to their
// fields in the language asked, the batch and DXF services, the catalog.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { test } from 'node:test';
import { loadCore, separator } from '../../web/src/core.js';
import { outlineGeometry } from '../../web/src/outline.js';

const createChannelflowCore = createRequire(import.meta.url)(process.env.CHANNELFLOW_CORE);
const core = await loadCore(createChannelflowCore);
const raw = (request) => core.module.call(JSON.stringify(request)).split(separator);
const trapezoid = { B: '2', m: '1', i: '0.001', n: '0.025' };
const problems = (answer) => answer.problems.map((p) => [p.field, p.code]);

test('the catalog names every section, parameter, quantity and question, the design rows by the roughness answer\'s keys', () => {
  const catalog = core.catalog();
  assert.deepEqual(catalog.sections.map((s) => s.key), ['trapezoid', 'circle', 'u', 'parabola', 'points', 'arch', 'horseshoe']);
  assert.deepEqual(catalog.sections[4].parameters, ['points', 'wse']);
  for (const entry of [...catalog.parameters, ...catalog.quantities]) {
    assert.ok(entry.name.zh && entry.name.en, entry.key);
    assert.ok(entry.unit in catalog.units.si && entry.unit in catalog.units.us, entry.key);
  }
  for (const question of catalog.questions) {
    for (const input of question.inputs) assert.ok(catalog.parameterByKey.has(input.key), `${question.name} ${input.key}`);
  }
  assert.deepEqual(catalog.questionByName.get('profile').inputs.filter((i) => i.oneOf).map((i) => i.key), ['to-h', 'length']);
  assert.ok(catalog.channelInputs.some((i) => i.key === 'n-wall'));
  // A choice's values, and the forms a structure's boxes offer by family.
  assert.deepEqual(catalog.questionByName.get('culvert').inputs.find((i) => i.key === 'barrel').choices, ['rectangle', 'circle', 'arch']);
  assert.deepEqual(catalog.structureForms.transitions.filter((f) => f.family === 'culvert').map((f) => f.key), ['warped', 'splayed-wall', 'arc-wall']);
  assert.equal(catalog.structureForms.entrances.find((f) => f.key === 'not-rounded').name.zh, '进口没有修圆');
  const trowelled = catalog.design.roughness.find((row) => row.key === 'concrete-trowelled');
  assert.deepEqual([trowelled.n_low.text, trowelled.n_high.text, trowelled.n_escape], ['0.012', '0.013', null]);
});

test('a response is a status line, the answer as the command line writes it, and with digits the same rounded', () => {
  const [status, answer, rounded, ...rest] = raw({ question: 'report', inputs: { ...trapezoid, h: '1' }, language: 'en', digits: 'eng' });
  assert.equal(status, '{"ok": true}');
  assert.match(answer, /^\{"section": "trapezoid", "units": "si", "B": 2, .*"Q": 2.7630683521479, .*"regime": "subcritical", /);
  assert.match(answer, /"labels": \{.*"Q": "Discharge Q".*\}, "words": \{.*"subcritical": "subcritical"\}\}\n$/);
  assert.match(rounded, /"Q": 2.763, /);
  assert.deepEqual(rest, []);
  assert.equal(raw({ question: 'report', inputs: { ...trapezoid, h: '1' }, language: 'zh' }).length, 2, 'in full, no second answer');
  const shown = core.call('report', { ...trapezoid, h: '1' }, 'zh', 'eng').record.item('Q');
  assert.deepEqual([shown.text, shown.full, shown.label, shown.unit], ['2.763', '2.7630683521479', '流量 Q', 'm³/s']);
});

test('every question\'s answer as the page reads it', () => {
  const pipe = core.call('solve', { section: 'circle', D: '1', Q: '1.1', i: '0.002', n: '0.013', unknown: 'h' }, 'zh');
  assert.deepEqual(pipe.records.map((r) => r.item('h').text), ['0.845066875390807', '0.996341473609621']);
  assert.ok(pipe.records[1].value('Qmax') > 1.1);
  const rating = core.call('table', { section: 'circle', D: '1', i: '0.001', n: '0.013', h: '0.5:1.5:0.5' }, 'en');
  const table = rating.record.tables[0];
  assert.deepEqual(table.columns.map((c) => c.key), ['h', 'A', 'v', 'Q', 'Fr', 'regime']);
  assert.deepEqual(table.rows[1].cells.slice(4).map((c) => [c.kind, c.text]), [['absent', ''], ['term', 'running full']], 'a full pipe has no Froude number');
  assert.equal(table.rows[2].error, 'Depth h cannot exceed the diameter D');
  const profile = core.call('profile', { ...trapezoid, Q: '2', h0: '2', 'to-h': '1.5', steps: '4' }, 'zh');
  assert.equal(profile.record.table('points').rows.length, 5);
  assert.equal(profile.record.table('points').rows[0].cells[1].text, '2');
  assert.ok(profile.formulas.length > 0);
  assert.deepEqual(outlineGeometry(core.call('outline', { ...trapezoid, h: '1' }, 'zh').record).water, [[-2, 1], [2, 1]]);
  const jump = core.call('jump', { B: '3', m: '0', Q: '15', h1: '0.5' }, 'en');
  assert.equal(jump.record.item('jump_type').text, 'steady jump');
  assert.match(jump.formulas.join('\n'), /g = 9.80665/);
  const us = core.call('report', { ...trapezoid, h: '1', units: 'us' }, 'zh');
  assert.equal(us.system, 'us');
  assert.match(us.formulas.find((line) => line.startsWith('Fr')), /g = 32.1740485564304:/);
});

test('every input at fault is named, in the language asked for', () => {
  const answer = core.call('report', { ...trapezoid, B: '-1', h: '一' }, 'en');
  assert.deepEqual(problems(answer), [['B', 'negative'], ['h', 'not-a-number']]);
  assert.equal(answer.problems[1].message, 'Depth h: "一" is not a number');
  assert.equal(core.call('report', trapezoid, 'zh').problems[0].message, '缺少 h');
  assert.deepEqual(problems(core.call('frobnicate', {}, 'en')), [['question', 'unknown-question']]);
  assert.equal(JSON.parse(core.module.call('not json')).ok, false);
  assert.deepEqual(problems(core.call('report', { ...trapezoid, h: '1' }, 'en', 'lots')), [['digits', 'precision-syntax']]);
});

test('a canal design: items, the schemes and checks as tables, the report, the drawing and its DXF', () => {
  const canal = { Q: '10', i: '0.0002', lining: 'earth-medium-average', soil: 'medium-loam', m: '1.5' };
  const answer = core.call('design', { ...canal, alpha: '1.04' }, 'zh');
  const { record } = answer;
  assert.equal(record.item('method').term, 'appendix-e');
  assert.equal(record.item('lining').text, '土渠，流量 1～20 m³/s，平整顺直，养护一般', 'a bed is named by its row');
  assert.equal(record.item('h').text, '1.80310759448773');
  const schemes = record.table('schemes');
  assert.deepEqual(schemes.columns.map((c) => c.key), ['alpha', 'eta', 'beta', 'B', 'h', 'A', 'v', 'increase', 'chosen', 'in_table']);
  assert.equal(schemes.rows.findIndex((row) => row.cells[8].flag), 4);
  assert.equal(schemes.rows[4].cells[3].text, '5.76638203568067');
  const checks = record.table('checks');
  assert.deepEqual(checks.rows.slice(3, 5).map((row) => [row.cells[0].term, row.cells[1].flag]), [['min-depth', true], ['side-slope', true]]);
  assert.equal(answer.report[0].kind, 'plain');
  const drawing = record.group('drawing');
  assert.equal(outlineGeometry(drawing).boundary.length, 4);
  assert.ok(outlineGeometry(drawing).waterEnlarged[1][1] > outlineGeometry(drawing).water[1][1]);
  assert.equal(drawing.value('H'), record.value('H'));
  assert.equal(core.call('design', canal, 'en').report.find((line) => line.kind === 'heading').text, '1 Design data');
  assert.match(core.designDxf({ ...canal, 'dxf-scale': '100' }, 'zh').dxf, /\nDIMENSIONS\n[\s\S]*\nEOF\n$/);
  assert.deepEqual(problems(core.designDxf({ ...canal, 'dxf-scale': '0' }, 'en')), [['dxf-scale', 'not-positive']]);
  assert.deepEqual(problems(core.call('design', { ...canal, soil: 'loam' }, 'zh')), [['soil', 'unknown-soil']]);
});

test('a batch in English: its rows\' errors and terms English, a missing column a problem with its field and code', () => {
  const answer = core.batch('B,h,m,i,n\n2,1,1,0.001,0.025\n2,1,1,-0.001,0.025\n', 'en');
  assert.deepEqual([answer.ok, answer.rows, answer.failed], [true, 2, 1]);
  const [header, first, second] = answer.csv.split('\n');
  assert.equal(first.split(',')[header.split(',').indexOf('regime')], 'subcritical');
  assert.match(second, /,Bed slope i must be greater than zero: a flat or adverse bed has no uniform flow$/);
  const refused = core.batch('B,h,m,i\n2,1,1,0.001\n', 'en');
  assert.deepEqual(refused.problems.map((p) => [p.field, p.code, p.message]),
    [['csv', 'column-missing-bhmin', 'The header lacks column n (it needs B, h, m, i and n)']]);
  assert.match(core.batch('B,h,m,i\n2,1,1,0.001\n', 'zh').problems[0].message, /^表头缺少列 n/);
});

// A main channel of n 0.03 between floodplains of n 0.06, stations and elevations as surveyed.
const compound = { section: 'points', points: '0,103,0.06 30,102,0.06 40,100.2,0.03 45,100 55,100.1 60,102,0.06 100,103.2', i: '0.0005' };

test('a surveyed section answers every question, its drawing coloured by n', () => {
  const { record } = core.call('report', { ...compound, wse: '102.5' }, 'zh');
  assert.equal(record.item('h').text, '2.5');
  assert.ok(record.value('alpha') > 1);
  assert.deepEqual([record.item('hc_all').kind, record.item('n_parts').text], ['list', '0.06, 0.03, 0.06']);
  const rating = core.call('table', { ...compound, wse: '102:103.5:0.5' }, 'zh').record.tables[0];
  assert.deepEqual(rating.columns.map((c) => c.key), ['h', 'wse', 'A', 'v', 'Q', 'Fr', 'regime']);
  assert.equal(rating.rows[0].cells[1].text, '102');
  assert.match(rating.rows[3].error, /103/);
  const outline = outlineGeometry(core.call('outline', { ...compound, h: '2.5' }, 'zh').record);
  assert.deepEqual(outline.boundary[0], [0, 103]);
  assert.deepEqual(outline.segments.map((s) => s.n), ['0.06', '0.06', '0.03', '0.03', '0.03', '0.06']);
  assert.deepEqual(outline.dividers, [[40, 100.2, 40, 102.5], [60, 102, 60, 102.5]]);
  assert.equal(outline.surface.length, 1);
  assert.equal(core.call('solve', { ...compound, Q: '60' }, 'zh').record.item('unknown').text, 'h');
  assert.equal(core.call('jump', { section: 'points', points: compound.points, Q: '60', h1: '0.6' }, 'zh').record.item('hc_rule').term, 'least-energy');
  assert.equal(core.call('profile', { ...compound, Q: '60', h0: '2.9', 'to-h': '2.6', steps: '3' }, 'zh').record.table('points').rows.length, 4);
  const bad = core.call('report', { ...compound, points: '0,5 a,0 10,5', h: '1' }, 'en');
  assert.deepEqual(problems(bad), [['points', 'point-value']]);
  assert.equal(bad.problems[0].message, 'The station of point 2 of points, "a", is not a number');
});

test('a reach: a picker\'s choices and the file\'s columns in the catalog, a bad cell named by its section and column', () => {
  const catalog = core.catalog();
  const friction = catalog.questionByName.get('reach').inputs.find((i) => i.key === 'friction');
  assert.deepEqual([friction.choices[0], friction.choices.length], ['average-conveyance', 6]);
  assert.deepEqual(catalog.reachColumns.slice(0, 3), [{ key: 'station', zh: '桩号' }, { key: 'name', zh: '名称' }, { key: 'points', zh: '测点' }]);
  const section = (station, extra = {}) => ({ station, points: '0,104,0.03 4,100 14,100 18,104', ...extra });
  const file = JSON.stringify({ sections: [section('0', { Q: '20' }), section('100', { L_channel: '-5' }), section('200', { downstream: 'wse=101.6' })] });
  const bad = core.call('reach', { file }, 'en');
  assert.deepEqual(bad.problems.map((p) => [p.field, p.row, p.cell.field, p.cell.message]), [['file', 2, 'L_channel', 'L_channel must be greater than zero']]);
  assert.equal(bad.problems[0].message, 'file, section 2: L_channel must be greater than zero');
  const settings = core.call('reach', { file: file.replace('-5', '5'), downstream: 'x' }, 'en');
  assert.equal(settings.problems[0].row, undefined, 'an input of its own is no section\'s');
});

test('a canal line: the file\'s columns in the catalog, a bad cell named by its record and column, its profile as DXF', () => {
  const columns = core.catalog().lineColumns;
  assert.deepEqual([columns.length, columns[0], columns[2]], [52, { key: 'name', zh: '名称' }, { key: 'station', zh: '桩号' }]);
  const file = 'name,kind,station,B,m,n,i,Q\nhead,start,0,2,1.5,0.017,1/3000,4\ntail,node,1000,,,,,\n';
  const line = { file, level: '100' };
  assert.equal(core.call('line', line, 'zh').record.group('drawing').table('profile').length, 2);
  const bad = core.call('line', { ...line, file: file.replace('1000', 'K1+x') }, 'en');
  assert.deepEqual(bad.problems.map((p) => [p.field, p.row, p.cell?.field]), [['file', 3, 'station']]);
  assert.match(core.lineDxf({ ...line, 'dxf-scale': '1000' }, 'zh').dxf, /\nEOF\n$/);
  assert.deepEqual(problems(core.lineDxf({ ...line, 'dxf-vscale': '0' }, 'en')), [['dxf-vscale', 'not-positive']]);
});

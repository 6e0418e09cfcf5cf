// The page's own logic over the core's answers: the adapter and its reading
// of answers, labels, the pictures' geometry and the pickers.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { Core, indexCatalog, loadCore, readRecords } from '../../web/src/core.js';
import { answerView } from '../../web/src/answer-view.js';
import { Num, pairFull, parseKeeping, readJson } from '../../web/src/json-source.js';
import { chromeKeys, parameterLabel, quantityLabel, setLanguage } from '../../web/src/i18n.js';
import { niceTicks, thin, tickText } from '../../web/src/chart.js';
import { sectionMarks } from '../../web/src/panels/uniform.js';
import { columnPoints } from '../../web/src/panels/rating.js';
import { profileSeries } from '../../web/src/panels/profile.js';
import { liningOptions, soilOptions } from '../../web/src/design-pickers.js';
import { designMarks } from '../../web/src/design-drawing.js';
import { legendPlaces } from '../../web/src/section-drawing.js';
import { outlineGeometry } from '../../web/src/outline.js';
import { autoRange } from '../../web/src/panels/natural.js';
import { readPoints, readPointsInSteps, pointsText, rowsText } from '../../web/src/points-paste.js';
import { preview, shownChars, shownLines, tooLongToShow } from '../../web/src/long-text.js';
import { panelCore, Pending } from '../../web/src/panel-core.js';
import { exaggeration } from '../../web/src/natural-drawing.js';
import { familyOptions, formFamily, inputPlan, questionTexts, shownKeys } from '../../web/src/structure-inputs.js';
import { flowRows } from '../../web/src/structure-view.js';
import { lossBars } from '../../web/src/loss-chart.js';
import { structureMarks } from '../../web/src/structure-drawing.js';
import { dxfNumber, outlineDxf } from '../../web/src/outline-dxf.js';
import { problemRow, reachJson, readJsonReach, readTable, rowsByHeader } from '../../web/src/reach-file.js';
import { bandPicks, roundScale, runs } from '../../web/src/profile-drawing.js';
import { lineCsv, lineProblemRow, projectText, readProject } from '../../web/src/line-file.js';
import { lineNotes, lineProfile } from '../../web/src/line-view.js';
import { flowNotes, flowProfile } from '../../web/src/reach-view.js';
import { fakeCatalog, fakeToolkit, fakeClick } from './fake-core.js';

const catalog = indexCatalog(fakeCatalog);
// An answer's view from the core's JSON lines, as Core.read makes it.
const view = (json, question = 'solve') => answerView(readRecords(json), { catalog, question, language: 'en' });

test('the adapter asks for what is typed: blanks left out, digits only when fewer are asked for', () => {
  const sent = [];
  const core = new Core({}, { catalog: () => JSON.stringify(fakeCatalog), call: (json) => { sent.push(JSON.parse(json)); return '{"ok": true}\u001e{}\n'; } });
  core.call('report', { B: ' 2.5m', h: '', m: '  ', n: '0.025' }, 'en');
  core.call('report', { B: '2' }, 'zh', 'eng');
  core.call('report', { B: '2' }, 'zh', 'full');
  assert.deepEqual(sent, [
    { question: 'report', inputs: { B: ' 2.5m', n: '0.025' }, language: 'en' },
    { question: 'report', inputs: { B: '2' }, language: 'zh', digits: 'eng' },
    { question: 'report', inputs: { B: '2' }, language: 'zh' },
  ]);
});

test('a refusal keeps the core\'s problems; a click error names its box and speaks the page\'s language', () => {
  const problems = [{ field: 'B', code: 'negative', usage: false, message: 'no' }];
  const core = new Core({ click: (...texts) => (texts[4] === 'abc' ? { ok: false, error: 13, message: 'm13', english: 'e13', field: 'n' } : { ok: false, error: 11, message: 'm11', english: 'e11', field: '' }) },
    { catalog: () => JSON.stringify(fakeCatalog), call: () => JSON.stringify({ ok: false, problems }) });
  assert.deepEqual(core.call('report', {}, 'zh'), { ok: false, problems });
  assert.equal(core.click('2', '1', '1', '0.001', 'abc').field, 'n');
  assert.equal(core.click('', '', '', '', '0').field, '');
  assert.equal(core.click('', '', '', '', '0', 'en').message, 'e11');
});

test('a module without the toolkit offers the click alone', async () => {
  assert.equal((await loadCore(async () => ({ click: fakeClick }))).hasToolkit, false);
  const whole = await loadCore(async () => ({ click: fakeClick, ...fakeToolkit() }));
  assert.equal(whole.catalog().sectionByKey.get('circle').parameters[0], 'D');
});

test('every number keeps the text the core wrote, read by the engine or by our own reader', () => {
  const rows = [
    ['15 digits', '{"Q": 2.7630683521479}', (v) => v.Q, '2.7630683521479'],
    ['a small number without an exponent', '[0.0000368446039327178]', (v) => v[0], '0.0000368446039327178'],
    ['an exponent', '{"x": [1E-7]}', (v) => v.x[0], '1E-7'],
    ['zeros a rounding keeps', '[{"h": 1.000}]', (v) => v[0].h, '1.000'],
    ['negative zero', '{"z": -0.0}', (v) => v.z, '-0.0'],
    ['keys the engine lists out of order', '{"b": [{"2": 1.0, "1": 2.50}]}', (v) => v.b[0][2], '1.0'],
    ['escaped quotes and backslashes in strings', String.raw`{"a\\": "1", "b\\\"": ["x\"9\\", 2.50]}`, (v) => v['b\\"'][1], '2.50'],
    ['a key named twice', '{"a": 1.0, "a": 2.50, "c": 3.0}', (v) => v.c, '3.0'],
  ];
  for (const [name, json, at, text] of rows) {
    for (const [how, parse] of [['parseKeeping', parseKeeping], ['readJson', readJson]]) {
      const number = at(parse(json));
      assert.ok(number instanceof Num, `${name}, ${how}`);
      assert.equal(number.text, text, `${name}, ${how}`);
      assert.equal(number.value, Number(text), `${name}, ${how}`);
    }
  }
  const words = '{"a\\"b": "x\\u001e\\n", "__proto__": [true, false, null], "e": {}}';
  const plain = (v) => JSON.parse(JSON.stringify(v, (key, x) => (x instanceof Num ? x.value : x)));
  assert.deepEqual(plain(readJson(words)), JSON.parse(words), 'strings, literals and keys as JSON.parse reads them');
  for (const bad of ['', '{"a": 1,}', '[1] 2', '01', '{"a" 1}', '"\t"']) assert.throws(() => readJson(bad), SyntaxError, JSON.stringify(bad));
});

test('a rounded answer shows the rounded texts and keeps the full ones, place by place', () => {
  const full = parseKeeping('{"Q": 2.7630683521479, "hc_all": [0.52806, 1.25], "t": [{"h": 0.5, "Fr": null}]}');
  const shown = parseKeeping('{"Q": 2.763, "hc_all": [0.528, 1.250], "t": [{"h": 0.500, "Fr": null}]}');
  pairFull(shown, full);
  assert.deepEqual([shown.Q.text, shown.Q.full, shown.Q.value], ['2.763', '2.7630683521479', 2.7630683521479]);
  assert.deepEqual(shown.hc_all.map((n) => [n.text, n.full]), [['0.528', '0.52806'], ['1.250', '1.25']]);
  assert.deepEqual([shown.t[0].h.text, shown.t[0].h.full], ['0.500', '0.5']);
  const core = new Core({}, fakeToolkit());
  const answer = core.call('solve', { B: '2', m: '1', Q: '3', i: '0.001', n: '0.025', unknown: 'h' }, 'en', 'eng');
  const Q = answer.record.item('Q');
  assert.deepEqual([Q.text, Q.full, Q.value, Q.unit], ['3.000', '3', 3, 'm³/s']);
  assert.equal(answer.record.item('regime').text, 'subcritical');
});

test('an answer reads as records of items, groups and tables, every term in words and every cell\'s kind kept', () => {
  const design = { design: { roughness: [{ key: 'earth-a', name: { zh: '土渠甲', en: 'earth A' } }], soils: [] } };
  const withRows = indexCatalog({ ...fakeCatalog, ...design });
  const json = [
    '{"unknown": "h", "h": 0.8, "regime": "subcritical", "lining": "earth-a", "reached": false, "Fr": null, "hc_all": [0.5, 0.7], "drawing": {"B": 2, "boundary": [',
    '  {"x": -1, "z": 0},',
    '  {"x": 1, "z": 0}',
    ']}}',
    '{"unknown": "h", "h": 0.9, "regime": "subcritical", "formulas": ["R = A / P"], "labels": {"h": "Depth h"}, "words": {"subcritical": "calm", "earth-a": "earth-a"}}',
    '',
  ].join('\n');
  const answer = answerView(readRecords(json), { catalog: withRows, question: 'solve', language: 'en' });
  assert.equal(answer.records.length, 2, 'a record a line');
  const { record } = answer;
  const kinds = Object.fromEntries(record.items.map((item) => [item.key, [item.kind, item.text]]));
  assert.deepEqual(kinds, {
    unknown: ['text', 'h'], h: ['number', '0.8'], regime: ['term', 'calm'], lining: ['term', 'earth A'],
    reached: ['flag', 'no'], Fr: ['absent', ''], hc_all: ['list', '0.5, 0.7'],
  });
  assert.equal(record.item('h').label, 'Depth h', 'the answer\'s label');
  assert.equal(record.item('Fr').label, 'Froude number Fr', 'else the catalog\'s');
  assert.deepEqual(record.item('hc_all').values, [0.5, 0.7]);
  assert.deepEqual(outlineGeometry(record.group('drawing')).boundary, [[-1, 0], [1, 0]]);
  assert.deepEqual(answer.formulas, ['R = A / P']);
  const rating = view('[\n  {"h": 0, "error": "no depth"},\n  {"h": 1, "Q": 2, "Fr": null, "regime": "full"}\n]\n', 'table');
  const table = rating.record.table('table');
  assert.deepEqual(table.columns.map((c) => [c.key, c.unit]), [['h', 'm'], ['Q', 'm³/s'], ['Fr', ''], ['regime', '']]);
  assert.deepEqual(table.rows.map((row) => [row.cells.map((c) => c.text), row.error]), [[['0', '', '', ''], 'no depth'], [['1', '2', '', 'running full'], null]]);
});

test('a surveyed section\'s outline: each segment\'s n as written, the wet stretches and the dividing lines', () => {
  const { record } = view('{"boundary": [\n  {"x": 0, "z": 5},\n  {"x": 10, "z": 1},\n  {"x": 20, "z": 5}\n], "segments": [\n  {"n": 0.030},\n  {"n": null}\n], '
    + '"surface": [\n  {"from": 2, "to": 18, "z": 4}\n], "dividers": [\n  {"x": 10, "z": 1, "top": 4}\n]}\n', 'outline');
  const outline = outlineGeometry(record);
  assert.deepEqual(outline.segments, [{ from: 0, to: 1, n: '0.030' }, { from: 1, to: 2, n: null }]);
  assert.deepEqual(outline.surface, [[2, 4, 18]]);
  assert.deepEqual(outline.dividers, [[10, 1, 10, 4]]);
});

test('both languages have every word of the page', () => {
  const { zh, en } = chromeKeys();
  assert.deepEqual([...en].sort(), [...zh].sort());
});

test('labels carry the catalog\'s name, symbol and the unit of the system', () => {
  const catalog = indexCatalog(fakeCatalog);
  const rows = [
    ['zh', 'B', 'si', '下底宽 B (m)'],
    ['en', 'B', 'us', 'Bottom width B (ft)'],
    ['en', 'Q', 'us', 'Discharge Q (ft³/s)'],
    ['zh', 'i', 'si', '渠底坡度 i'],
  ];
  for (const [language, key, system, label] of rows) {
    setLanguage(language);
    assert.equal(parameterLabel(catalog, key, system), label);
  }
  setLanguage('zh');
  const shared = indexCatalog({ ...fakeCatalog, quantities: [...fakeCatalog.quantities,
    { id: 'normal-h', key: 'h', symbol: 'h', name: { zh: '正常水深', en: 'Normal depth' }, unit: 'length' }] });
  assert.equal(quantityLabel(shared, 'h', 'si'), '水深 h (m)', 'a key two quantities share names the plain one');
});

test('axis ticks are round and cover the data', () => {
  const rows = [
    [0, 2, 5, 0.5, 0, 2],
    [0.27, 0.36, 5, 0.02, 0.26, 0.36],
    [-500, 0, 5, 100, -500, 0],
    [3, 3, 5, 0.2, 2.6, 3.4],
  ];
  for (const [min, max, count, step, first, last] of rows) {
    const { step: s, ticks } = niceTicks(min, max, count);
    assert.equal(s, step, `${min}..${max}`);
    assert.equal(ticks[0], first);
    assert.equal(ticks[ticks.length - 1], last);
  }
  assert.equal(tickText(0.26, 0.02), '0.26');
  assert.equal(tickText(-300, 100), '-300');
});

test('thinning a long curve keeps each column\'s extremes in order and bounds the count', () => {
  const points = Array.from({ length: 10001 }, (_, k) => [k, Math.sin(k / 50) + (k === 5000 ? 9 : 0)]);
  const thinned = thin(points, 500);
  assert.ok(thinned.length <= 1000);
  assert.ok(thinned.some(([x, y]) => x === 5000 && y > 8));
  assert.deepEqual(thinned[0], points[0]);
  assert.ok(thinned.every((p, k) => k === 0 || p[0] >= thinned[k - 1][0]));
  assert.equal(thin(points.slice(0, 10), 500).length, 10);
});

test('the section drawing marks N–N at h and K–K at hc above the lowest point, with B along the floor', () => {
  const outline = { boundary: [[-3, 2], [-1, 0.5], [1, 0.5], [3, 2]], water: [[-2, 1.5], [2, 1.5]] };
  const { record } = view('{"B": 2, "h": 1, "T": 4, "hc": 0.5}\n');
  const { levels, dims } = sectionMarks(outline, record);
  assert.deepEqual(levels.map((l) => [l.key, l.z]), [['hn', 1.5], ['hc', 1]]);
  assert.deepEqual(dims.map((d) => d.text), ['h = 1', 'T = 4', 'B = 2']);
  assert.deepEqual(dims[2].from, [-1, 0.5]);
});

test('curves skip the rows the core could not compute', () => {
  const table = view('[\n  {"h": 0.5, "Q": 3},\n  {"h": 0, "error": "no"},\n  {"h": 1, "Q": 6}\n]\n', 'table').record.tables[0];
  assert.deepEqual(columnPoints(table, 'Q'), [[3, 0.5], [6, 1]]);
});

test('a profile stands on a bed falling downstream, with normal and critical lines parallel to it', () => {
  const lines = profileSeries([0, -100], [2, 1.5], 0.001, 1.2, 0.8);
  assert.deepEqual(lines.surface, [[0, 2], [-100, 1.6]]);
  assert.deepEqual(lines.normal, [[-100, 1.3], [0, 1.2]]);
  assert.equal(profileSeries([0, -100], [2, 1.5], 0, undefined, 0.8).normal, null);
});

test('the design pickers group rows as their tables do, after a choice of none', () => {
  const text = (zh, en) => ({ zh, en });
  const n = (low, high) => ({ n_low: new Num(Number(low), low), n_high: new Num(Number(high), high) });
  const design = {
    roughness: [
      { key: 'earth-a', table: 'B.0.1', group: text('土渠', 'earth canal'), name: text('土渠甲', 'earth A'), ...n('0.0225', '0.0225') },
      { key: 'earth-b', table: 'B.0.1', group: text('土渠', 'earth canal'), name: text('土渠乙', 'earth B'), ...n('0.020', '0.025') },
      { key: 'concrete', table: 'B.0.3', group: text('混凝土', 'concrete'), name: text('混凝土', 'concrete'), ...n('0.014', '0.017') },
    ],
    scour: [{ key: 'clay', table: 'C.0.1', group: text('', '') }, { key: 'granite', table: 'C.0.3', group: text('', '') }],
    soils: [{ key: 'clay', name: text('黏土', 'clay'), scour: true }, { key: 'granite', name: text('花岗岩', 'granite'), scour: true },
      { key: 'sand', name: text('沙土', 'sand'), scour: false }],
  };
  setLanguage('en');
  const linings = liningOptions(design);
  assert.deepEqual(linings.map((o) => [o.value, o.group?.text() ?? null]),
    [['', null], ['earth-a', 'B.0.1 earth canal'], ['earth-b', 'B.0.1 earth canal'], ['concrete', 'B.0.3 concrete']]);
  assert.deepEqual(linings.slice(1).map((o) => o.text()), ['earth A（n = 0.0225）', 'earth B（n = 0.020～0.025）', 'concrete（n = 0.014～0.017）']);
  const soils = soilOptions(design);
  assert.deepEqual(soils.map((o) => o.group?.text() ?? null), [null, 'C.0.1', 'C.0.3', 'Other soils of Table 6.4.4 (side slope only)']);
  setLanguage('zh');
  assert.equal(soils[3].text(), '沙土');
});

// The worked canal's outline as the core answers it.
const canal = {
  boundary: [[-6.66, 2.96], [-2.22, 0], [2.22, 0], [6.66, 2.96]], water: [[-5.23, 2.01], [5.23, 2.01]],
  waterEnlarged: [[-5.53, 2.21], [5.53, 2.21]], section: 'trapezoid', m: 1.5,
};
const canalTexts = { h: '2.01', hj: '2.21', Fb: '0.75', H: '2.96', B: '4.44', m: '1.5' };

test('a design drawing measures h, hj and H up the right, Fb down the left and b along the bed, its values in the legend', () => {
  const { dims, legend, notes, surfaces } = designMarks(canal, canalTexts, 'm');
  const rows = [
    ['h', [6.66, 0], [6.66, 2.01]],
    ['hj', [6.66, 0], [6.66, 2.21]],
    ['Fb', [-6.66, 2.96], [-6.66, 2.21]],
    ['H', [6.66, 0], [6.66, 2.96]],
    ['b', [-2.22, 0], [2.22, 0]],
  ];
  assert.deepEqual(dims.map((d) => [d.text, d.from, d.to]), rows);
  assert.ok(dims[0].offset < dims[1].offset && dims[1].offset < dims[3].offset, 'the right side\'s dimensions do not cross');
  assert.deepEqual(legend.map((l) => l.text.replace(/^.*  /, '')), ['h = 2.01 m', 'hj = 2.21 m', 'Fb = 0.75 m', 'H = 2.96 m', 'b = 4.44 m']);
  assert.equal(legend[1].line.dash, surfaces[0].dash, 'the legend draws the enlarged level as the drawing does');
  assert.deepEqual(notes.map((n) => [n.text, n.at]), [['1:1.5', [4.44, 1.48]]]);
  const u = designMarks({ ...canal, section: 'u', m: 0 }, { ...canalTexts, r: '0.8' }, 'm');
  assert.ok(!u.dims.some((d) => d.text === 'b'), 'a U shape has no flat bed to measure');
  assert.equal(u.legend[u.legend.length - 1].text, 'r = 0.8 m');
  assert.equal(u.notes.length, 0, 'no 1:m on vertical walls');
});

test('a legend gives a level\'s line a row of its own and plain texts two to a row', () => {
  const rows = [
    [[{ line: {} }, { line: {} }, {}, {}, {}], [[0, 0], [1, 0], [2, 0], [2, 1], [3, 0]]],
    [[{}, { line: {} }, {}], [[0, 0], [1, 0], [2, 0]]],
    [[{}, {}, {}], [[0, 0], [0, 1], [1, 0]]],
  ];
  for (const [legend, places] of rows) assert.deepEqual(legendPlaces(legend).map((p) => [p.row, p.column]), places);
});

test('pasted points become the core\'s text, whatever the spreadsheet or file held, read at once or in slices', async () => {
  const rows = [
    ['tabs, a header, a missing n, blank and CRLF lines', '起点距\t高程\t糙率\r\n0\t103.5\t0.06\r\n\r\n25\t102.5\t\n30\t102\t0.035\n', '0,103.5,0.06 25,102.5 30,102,0.035'],
    ['CSV with blanks after commas and an empty n', 'station, elevation, n\n0, 103.5, 0.06\n25,102.5,\n', '0,103.5,0.06 25,102.5'],
    ['the command line\'s text, points apart by blanks or ;', '0,103.5,0.06 25,102.5;30,102,0.035', '0,103.5,0.06 25,102.5 30,102,0.035'],
    ['columns apart by blanks', '0  103.5 0.06\n25 102.5', '0,103.5,0.06 25,102.5'],
    ['full-width commas and semicolons', '0，5；10，0', '0,5 10,0'],
    ['grouped digits and decimal commas in cells', '1,250.5\t0,035\t103,5', '1250.5,0.035,103.5'],
    ['a first row with digits is data, not a header', 'x1\t5\n10\t0', 'x1,5 10,0'],
    ['a bad cell reaches the core as typed', '0\t5\na\t0', '0,5 a,0'],
    ['nothing', ' \n\t\n', ''],
  ];
  // The command line's one-line form of a long survey is read in pieces, cut
  // only where no comma is near ("1 , 2" is one point).
  const points = Array.from({ length: 6000 }, (_, k) => [`${k}`, `${k % 7}`, k % 3 ? '' : '0.03'].filter(Boolean));
  for (const [name, point, apart] of [['blanks around commas', ' , ', '  '], ['semicolons', ',', ' ; ']]) {
    rows.push([`a long line, ${name}`, points.map((p) => p.join(point)).join(apart), pointsText(points)]);
  }
  for (const [name, text, core] of rows) {
    assert.equal(pointsText(readPoints(text)), core, name);
    const stepped = await readPointsInSteps(text, { pause: async () => {}, budget: 0 });
    assert.equal(stepped.text, core, `${name}, in slices`);
    assert.deepEqual(stepped.rows, readPoints(text), `${name}, in slices`);
  }
  let newer = false;
  assert.equal(await readPointsInSteps(rows[0][1], { pause: async () => { newer = true; }, wanted: () => !newer }), null, 'a newer text stops the reading');
  const edited = [['0', '103.5', '0.06'], ['25', '102.5', ''], ['', '', '']];
  assert.equal(rowsText(edited), '0\t103.5\t0.06\n25\t102.5\n');
  assert.deepEqual(readPoints(rowsText(edited)), [['0', '103.5', '0.06'], ['25', '102.5']]);
});

test('a box shows a text whole up to its limits, and the start of a longer one', () => {
  const lines = (n, end = '\n') => Array.from({ length: n }, (_, k) => `${k}\t1`).join(end);
  const rows = [
    ['lines at the limit', lines(shownLines), false],
    ['a line more', lines(shownLines + 1), true],
    ['lines ended by CR alone', lines(shownLines + 1, '\r'), true],
    ['one line at the limit', 'x'.repeat(shownChars), false],
    ['one character more', 'x'.repeat(shownChars + 1), true],
  ];
  for (const [name, text, long] of rows) assert.equal(tooLongToShow(text), long, name);
  assert.equal(preview(lines(30)), `${lines(20)}\n…`);
  assert.equal(preview('1\t2\n3', false), '1\t2 3…');
});

test('a long question goes to the worker: the update stops until the answer, which is asked once and kept', async () => {
  const asked = [];
  const core = {
    request: (question, inputs, language, digits) => ({ question, inputs, language, digits }),
    call: (question, inputs) => { asked.push(question); return { ok: true, text: inputs.points.slice(0, 3) }; },
    click: () => ({ ok: true }),
  };
  let redrawn = 0;
  let answered;
  const shown = panelCore(core, () => { redrawn += 1; answered(); });
  const long = { points: '0,1 '.repeat(5000) };
  assert.equal(shown.call('solve', { points: '0,1' }, 'zh').text, '0,1', 'a short question is answered at once');
  const redraw = new Promise((resolve) => { answered = resolve; });
  assert.throws(() => shown.call('solve', long, 'zh'), Pending);
  assert.throws(() => shown.call('outline', long, 'zh'), Pending, 'one question at a time');
  await redraw;
  assert.equal(redrawn, 1);
  assert.equal(shown.call('solve', { ...long }, 'zh').text, '0,1');
  assert.throws(() => shown.call('solve', long, 'en'), Pending, 'another language is another question');
  assert.throws(() => shown.call('solve', long, 'zh', 'eng'), Pending, 'and other digits');
  assert.deepEqual(asked, ['solve', 'solve']);
});

test('a rating without a typed range runs on round steps from the lowest point to the lower end', () => {
  const river = [[0, 103.5], [44, 100], [52, 100], [100, 103.2]];
  assert.equal(autoRange(river, 'h'), '0.1:3.2:0.1');
  assert.equal(autoRange(river, 'wse'), '100.1:103.2:0.1');
  assert.equal(autoRange([[0, 1], [5, 1], [10, 1]], 'h'), '');
});

test('heights are exaggerated by the largest round factor that fits the frame', () => {
  const rows = [[100, 3.5, 560, 220, 10], [10, 2, 400, 200, 2], [10, 20, 400, 200, 1]];
  for (const [span, rise, w, h, factor] of rows) assert.equal(exaggeration(span, rise, w, h), factor, `${span}×${rise}`);
});

test('a structure\'s boxes follow its question: a picker before each exclusive group, a blank where a choice has no default, forms by family', () => {
  const plan = inputPlan(catalog, 'siphon');
  const entry = (key) => plan.find((e) => e.key === key);
  assert.deepEqual(plan.map((e) => e.key), ['Q', 'one-of-1', 'Qj', 'enlarge', 'one-of-2', 'D', 'B', 'L', 'n', 'entrance', 'inlet-zeta', 'bend',
    'one-of-3', 'outlet-ratio', 'outlet-zeta', 'outlet-rule', 'inlet-form', 'v1']);
  assert.deepEqual(entry('one-of-2').members, ['D', 'B']);
  const rows = [
    ['an entrance by its table\'s name', entry('entrance').options, [['', null], ['not-rounded', '进口没有修圆']]],
    ['a rule with a default has no blank', entry('outlet-rule').options, [['printed', '按表印刷值'], ['expansion', '突然扩大']]],
    ['a siphon\'s forms', familyOptions(entry('inlet-form').options, formFamily.siphon), [['', null], ['reverse-warped', '反弯扭曲面']]],
    ['a tunnel borrows the aqueduct\'s', familyOptions(entry('inlet-form').options, formFamily.tunnel), [['', null], ['arc-wall', '圆弧直墙']]],
  ];
  for (const [name, options, expected] of rows) assert.deepEqual(options.map((o) => [o.value, o.name?.zh ?? null]), expected, name);
  assert.equal(entry('bend').list, true, 'the bends are a list');
});

test('only the picked one of exclusive inputs and what its choice shows are shown; a choice at its default and the page\'s boxes are not asked', () => {
  const setup = { shows: { 'one-of-3': { 'outlet-ratio': ['outlet-rule'] } } };
  const plan = inputPlan(catalog, 'siphon', setup);
  const grouped = ['Qj', 'enlarge', 'D', 'B', 'outlet-ratio', 'outlet-zeta', 'outlet-rule'];
  const rows = [
    [{ 'one-of-1': 'enlarge', 'one-of-2': 'D', 'one-of-3': 'outlet-zeta' }, ['enlarge', 'D', 'outlet-zeta']],
    [{ 'one-of-1': 'Qj', 'one-of-2': 'B', 'one-of-3': 'outlet-ratio' }, ['Qj', 'B', 'outlet-ratio', 'outlet-rule']],
  ];
  for (const [values, shown] of rows) assert.deepEqual(grouped.filter((key) => shownKeys(plan, setup, (k) => values[k]).has(key)), shown);
  const texts = { Q: '2', 'one-of-1': 'enlarge', enlarge: '20', 'outlet-rule': 'printed', entrance: 'not-rounded', 'dxf-scale': '50' };
  assert.deepEqual(questionTexts(plan, texts, ['dxf-scale']), { Q: '2', enlarge: '20', entrance: 'not-rounded' });
  assert.deepEqual(questionTexts(plan, { 'outlet-rule': 'expansion' }), { 'outlet-rule': 'expansion' }, 'a choice away from its default is asked');
});

test('a siphon\'s flows stand side by side, a quantity a flow lacks left blank; its chart a bar per flow in each term that costs something', () => {
  const core = new Core({}, fakeToolkit());
  const answer = core.call('siphon', { Q: '2', Qj: '2.4', D: '1.2', L: '150', n: '0.014', bend: '3.6:30;3.6:30', v1: '0.8' }, 'en');
  const { flows, rows } = flowRows(answer.record);
  assert.deepEqual(flows, ['design', 'enlarged']);
  const dZ = rows.find((row) => row.key === 'dZ');
  assert.deepEqual([dZ.label, dZ.unit, dZ.cells[0].full, dZ.cells[1]], ['Total fall ΔZ', 'm', answer.record.group('design').item('dZ').full, null]);
  const bars = lossBars(answer.record.table('losses'));
  assert.deepEqual(bars.flows.map((f) => f.text), ['design flow', 'enlarged flow']);
  assert.deepEqual(bars.terms.map((term) => term.key), ['inlet', 'bends', 'outlet', 'friction'], 'the rack costs nothing');
  assert.deepEqual(bars.terms[1].bars.map((bar) => bar.flow), ['design', 'enlarged']);
  assert.equal(bars.axis, 'Head loss h (m)');
});

test('a structure\'s section measures h and hj up the right, H down the left and B along the bottom; its DXF draws them at 1:N in ASCII', () => {
  const json = '{"B": 2, "H": 1.53, "design": {"h": 1.2}, "enlarged": {"h": 1.43}, "drawing": {"boundary": [{"x": -1, "z": 1.53}, {"x": -1, "z": 0}, '
    + '{"x": 1, "z": 0}, {"x": 1, "z": 1.53}], "water": [{"x": -1, "z": 1.2}, {"x": 1, "z": 1.2}], "water_enlarged": [{"x": -1, "z": 1.43}, {"x": 1, "z": 1.43}]}}\n';
  const { record } = view(json, 'aqueduct');
  const outline = outlineGeometry(record.group('drawing'));
  const marks = structureMarks(outline, record, 'm');
  assert.deepEqual(marks.dims.map((d) => [d.text, d.from, d.to]), [
    ['h', [1, 0], [1, 1.2]], ['hj', [1, 0], [1, 1.43]], ['H', [-1, 1.53], [-1, 0]], ['B', [-1, 0], [1, 0]],
  ]);
  assert.deepEqual(marks.legend.map((l) => l.text.replace(/^.*  /, '')), ['h = 1.2 m', 'hj = 1.43 m', 'H = 1.53 m', 'B = 2 m']);
  const dxf = outlineDxf(outline, marks, 'Q=3.619 m3/s', 50);
  assert.doesNotMatch(dxf, /[^\x00-\x7f]/, 'ASCII only');
  for (const part of ['  0\nLINE\n  8\nOUTLINE\n 10\n-20\n 20\n30.6\n', '  8\nWATER\n  6\nDASHED\n', 'hj=1.43', 'B=2', 'Q=3.619 m3/s  1:50']) assert.ok(dxf.includes(part), part);
  assert.ok(dxf.endsWith('  0\nENDSEC\n  0\nEOF\n'));
  const numbers = [[-7.34788079488412e-17 * 20, '0'], [0.0005, '0.001'], [1.0005, '1'], [30.6, '30.6']];
  for (const [x, text] of numbers) assert.equal(dxfNumber(x), text, `${x}: rounded from the double's exact value`);
});

test('a reach reads from CSV, a spreadsheet\'s rows or JSON, cells as typed; what the table cannot hold is left to the core', () => {
  const columns = catalog.reachColumns;
  const cells = (row) => Object.fromEntries(columns.map((c, k) => [c.key, row[k]]).filter(([, cell]) => cell !== ''));
  const csv = (text) => {
    const read = readTable(text, columns);
    return read && { unknown: read.unknown, rows: read.header ? rowsByHeader(read, columns).map(cells) : read.rows };
  };
  const rows = [
    ['Chinese header, quoted points, a blank line, CRLF', csv('\uFEFF桩号,测点,流量\r\n0,"0,5,0.03 10,1",20;35\r\n\r\n100 , "0,4 ""a""",\r\n'),
      { unknown: false, rows: [{ station: '0', points: '0,5,0.03 10,1', Q: '20;35' }, { station: '100', points: '0,4 "a"' }] }],
    ['a spreadsheet\'s rows without a header keep their empty cells', csv('0\t\t0.03\n5\tx\t'), { unknown: false, rows: [['0', '', '0.03'], ['5', 'x', '']] }],
    ['a header the table has no column for', csv('station,width\n0,5\n'), { unknown: true, rows: [{ station: '0' }] }],
    ['a quote inside an unquoted cell', csv('station,points\n0,5"\n'), null],
    ['JSON: points and flows as arrays, numbers as written, the settings', (() => {
      const read = readJsonReach('{"flows": [20, 35.0], "downstream": "wse=101.6", "sections": [{"station": 0, "points": [[0, 104.20, 0.03], [4, 100.2]], "Q": [20, 35]}, {"station": "100.50"}]}', columns);
      return { settings: read.settings, rows: read.rows.map(cells) };
    })(), { settings: { flows: '20;35.0', downstream: 'wse=101.6' }, rows: [{ station: '0', points: '0,104.20,0.03 4,100.2', Q: '20;35' }, { station: '100.50' }] }],
    ['JSON with a member the table has no column for', readJsonReach('{"sections": [{"station": 0, "width": 5}]}', columns), null],
  ];
  for (const [name, got, expected] of rows) assert.deepEqual(got, expected, name);

  // The core's sections count the rows that hold something, as its messages do.
  const table = [['0', 'XS1'], ['', ''], ['100', ' ']].map((row) => columns.map((_, k) => row[k] ?? ''));
  const { text, rowOf } = reachJson(table, columns);
  assert.deepEqual(JSON.parse(text).sections, [{ station: '0', name: 'XS1' }, { station: '100' }]);
  assert.deepEqual([problemRow({ row: 2 }, rowOf), problemRow({ row: 3 }, rowOf), problemRow({}, rowOf)], [2, -1, -1]);
});

test('a reach\'s answer: flows in the order given, rows read when wanted and paired with their full texts, each problem at its cell', () => {
  const core = new Core({}, fakeToolkit());
  const file = JSON.stringify({ sections: [
    { station: '0', points: '0,5,0.03 1,2.5 9,2.5 10,5', Q: '380;120', upstream: 'critical' },
    { station: '100', points: '0,5 1,0.9 9,0.9 10,5', downstream: 'wse=2' }] });
  const answer = core.call('reach', { file }, 'zh', 'eng');
  const flows = answer.record.group('flows').groups;
  assert.deepEqual(flows.map((flow) => flow.key), ['380', '120']);
  const sections = flows[0].record.table('sections');
  assert.deepEqual(Object.keys(sections.raw.read), ['0'], 'no row read before it is wanted but the one that names the columns');
  const wse = sections.row(1).cells[sections.column('wse')];
  assert.deepEqual([wse.text, wse.full], ['2.000', '2']);
  assert.deepEqual(flowNotes(flows[0].record).map((note) => [note.row, note.station]), [[0, '0.000']], 'the first section stays dry');

  const profile = flowProfile(flows[1].record, answer.record.table('geometry'), '水跃');
  assert.deepEqual(profile.lines.map((line) => line.key), ['bed', 'z_left', 'z_right', 'wse', 'EG', 'wse_c']);
  assert.deepEqual(profile.lines[3].points, [[0, null], [100, 2]]);
  const [mark] = profile.marks;
  assert.equal(mark.station, 50);
  assert.ok(Math.abs(mark.from - (1.7 + 0.5)) < 1e-12 && Math.abs(mark.to - (1.7 + 1.2)) < 1e-12, 'h1 and h2 above the bed at the jump');
  assert.equal(mark.label, '水跃 50.000');
  assert.deepEqual(profile.bands.map((band) => band.values[1]), [[100, '100.000'], [100, '0.900'], [100, '2.000']]);

  const refused = core.call('reach', { file: file.replace('"100"', '"x"') }, 'en');
  assert.deepEqual(refused.problems.map((p) => [p.row, p.cell.field, p.cell.message]), [[2, 'station', 'station: "x" is not a number']]);
});

test('a profile\'s line breaks where it has no value; a band writes the values that fit, its last one always', () => {
  assert.deepEqual(runs([[0, 1], [1, null], [2, 3], [3, 4], [4, NaN]]), [[[0, 1]], [[2, 3], [3, 4]]]);
  const values = (...xs) => xs.map((x) => [x, String(x)]);
  const rows = [
    ['room for all', values(0, 3, 6), [0, 3, 6]],
    ['too close ones left out', values(0, 1, 2, 100), [0, 100]],
    ['the last taken before the one it crowds', values(0, 3, 4), [0, 4]],
  ];
  for (const [name, given, kept] of rows) assert.deepEqual(bandPicks(given, (x) => 5 * x).map(([x]) => x), kept, name);
});

test('a canal line goes to the core as CSV of the columns in use, its problems placed back at the table\'s rows', () => {
  const columns = catalog.lineColumns;
  const row = (cells) => columns.map((c) => cells[c.key] ?? '');
  const rows = [row({ name: '渠首', kind: 'start', station: 'K0+000', B: '2' }), row({}), row({ name: 'a, "b"', station: '100', loss: ' 0.4 ' })];
  const { text, rowOf } = lineCsv(rows, columns);
  assert.equal(text, 'name,kind,station,B,loss\n渠首,start,K0+000,2,\n"a, ""b""",,100,,0.4\n');
  assert.deepEqual(rowOf, [0, 2]);
  // The core counts the header as record 1.
  const placed = [[{ row: 2 }, 0], [{ row: 3 }, 2], [{ row: 4 }, -1], [{ field: 'level' }, -1]];
  for (const [problem, want] of placed) assert.equal(lineProblemRow(problem, rowOf), want, JSON.stringify(problem));
});

test('a project saves the line and its settings and opens again; a file that is not one, or is from a later page, is refused', () => {
  const columns = catalog.lineColumns;
  const keys = ['level', 'friction', 'g'];
  const rows = [columns.map((c) => (c.key === 'name' ? '渠首' : c.key === 'i' ? '1/3000' : '')), columns.map((c) => (c.key === 'B' ? '2.50' : ''))];
  const text = projectText([...rows, columns.map(() => ' ')], columns, { level: '1268.50', friction: 'uniform' });
  assert.deepEqual(readProject(text, columns, keys), { rows, settings: { level: '1268.50', friction: 'uniform' } });
  const cases = [
    ['not JSON', 'name,kind', 'notAProject'],
    ['another kind', '{"kind": "channelflow-reach", "version": 1, "nodes": []}', 'notAProject'],
    ['a later version', '{"kind": "channelflow-line", "version": 2, "nodes": []}', 'projectTooNew'],
    ['no version', '{"kind": "channelflow-line", "nodes": []}', 'notAProject'],
    ['an unknown column', '{"kind": "channelflow-line", "version": 1, "nodes": [{"colour": "red"}]}', 'notAProject'],
    ['an unknown setting', '{"kind": "channelflow-line", "version": 1, "settings": {"units": "us"}, "nodes": []}', 'notAProject'],
  ];
  for (const [name, file, problem] of cases) assert.equal(readProject(file, columns, keys).problem, problem, name);
  // A number written bare keeps its text.
  assert.equal(readProject('{"kind": "channelflow-line", "version": 1, "nodes": [{"B": 2.50}]}', columns, keys).rows[0][columns.findIndex((c) => c.key === 'B')], '2.50');
});

test('a line\'s profile: five lines, each structure a span from inlet to outlet, the bands the core names; a node not computed has its note', () => {
  const csv = 'name,kind,station,B\nA,start,K0+000,2\nS,siphon-in,K0+100,\nT,siphon-out,K0+250,\nstop,node,400,\nE,node,500,\n';
  const answer = new Core({}, fakeToolkit()).call('line', { file: csv, level: '100' }, 'zh');
  const { lines, spans, bands } = lineProfile(answer.record);
  assert.deepEqual(lines.map((l) => l.key), ['bed', 'top', 'wse_min', 'wse_s', 'wse_j']);
  assert.deepEqual(lines[3].points.slice(3), [[400, 99.6], [500, null]]);
  assert.deepEqual(spans.map((s) => [s.label, s.from, s.to]), [['S', 100, 250]]);
  assert.deepEqual(bands.map((b) => b.key), ['stake', 'bed', 'wse_s', 'wse_j', 'top']);
  assert.deepEqual(bands[0].values[2], [250, 'K0+250.000']);
  assert.equal(bands[0].label, '桩号');
  const design = answer.record.group('flows').groups[0].record;
  assert.deepEqual(lineNotes(design).map((n) => [n.row, n.name, n.stake]), [[4, 'E', 'K0+500.000']]);
});

test('a drawing\'s scale is the round 1:N that fits its span, the largest such', () => {
  const cases = [[3120, 172, 20000], [5, 74, 100], [1.7, 74, 25], [100, 100, 1000], [0.2, 74, 5]];
  for (const [span, mm, want] of cases) assert.equal(roundScale(span, mm), want, `${span} m in ${mm} mm`);
});

// A stand-in for the core module, for the page's unit tests under node.
// It speaks the module's protocol (catalog(), call(request), batch(csv,
// language), designDxf(request): a status line, then the answer as the
// command line's JSON writes it, then the same rounded when digits are
// asked) with rough formulas: its numbers are plausible, not right, and
// never shipped.

const g = { si: 9.80665, us: 9.80665 / 0.3048 };
const manning = { si: 1, us: 1 / 0.3048 ** (1 / 3) };
const separator = '\u001e';

const parameterRows = [
  // key       zh              en                    unit         limit
  ['section', '断面形状', 'Section', 'none', 'term'],
  ['units', '单位制', 'Units', 'none', 'term'],
  ['B', '下底宽', 'Bottom width', 'length', 'nonNegative'],
  ['m', '边坡系数', 'Side slope', 'none', 'nonNegative'],
  ['m1', '左边坡系数', 'Left side slope', 'none', 'nonNegative'],
  ['m2', '右边坡系数', 'Right side slope', 'none', 'nonNegative'],
  ['D', '管径', 'Diameter', 'length', 'positive'],
  ['r', '底部半径', 'Bottom radius', 'length', 'positive'],
  ['p', '抛物线参数', 'Parabola parameter', 'length', 'positive'],
  ['h', '水深', 'Depth', 'length', 'positive'],
  ['i', '渠底坡度', 'Bed slope', 'none', 'positive'],
  ['n', '粗糙系数', 'Roughness', 'none', 'positive'],
  ['n-bed', '渠底粗糙系数', 'Bed roughness', 'none', 'positive'],
  ['n-wall', '边壁粗糙系数', 'Wall roughness', 'none', 'positive'],
  ['Q', '流量', 'Discharge', 'discharge', 'positive'],
  ['h0', '控制断面水深', 'Control depth', 'length', 'positive'],
  ['h1', '给定水深', 'Given depth', 'length', 'positive'],
  ['to-h', '目标水深', 'Target depth', 'length', 'positive'],
  ['length', '推算距离', 'Length', 'length', 'positive'],
  ['steps', '步数', 'Steps', 'none', 'positive'],
  ['unknown', '未知量', 'Unknown', 'none', 'choice'],
  // An inverted siphon's, enough for its panel.
  ['Qj', '加大流量', 'Enlarged flow', 'discharge', 'positive'],
  ['enlarge', '加大百分数', 'Enlargement', 'none', 'positive'],
  ['L', '长度', 'Length', 'length', 'positive'],
  ['entrance', '进口形式', 'Entrance form', 'none', 'choice'],
  ['inlet-zeta', '进口局部损失系数', 'Entrance coefficient', 'none', 'nonNegative'],
  ['bend', '弯道 R:θ', 'Bends R:θ', 'none', 'list'],
  ['outlet-ratio', '出口面积比', 'Outlet area ratio', 'none', 'positive'],
  ['outlet-zeta', '出口局部损失系数', 'Outlet coefficient', 'none', 'nonNegative'],
  ['outlet-rule', '出口系数取法', 'Outlet rule', 'none', 'choice'],
  ['inlet-form', '进口渐变段形式', 'Inlet transition form', 'none', 'choice'],
  ['v1', '上游渠道流速', 'Upstream canal velocity', 'velocity', 'nonNegative'],
  ['file', '河段文件', 'Reach file', 'none', 'term'],
  ['flows', '流量', 'Flows', 'discharge', 'term'],
  ['downstream', '下游边界条件', 'Downstream boundary', 'none', 'term'],
  ['upstream', '上游边界条件', 'Upstream boundary', 'none', 'term'],
  ['friction', '平均摩阻坡度取法', 'Mean friction slope', 'none', 'choice'],
  // A canal line's.
  ['level', '渠首水位', 'Level at the head', 'length', 'term'],
  ['control-level', '控制水位', 'Control level', 'length', 'term'],
  ['control-at', '控制水位所在的节制闸', 'Gate of the control level', 'none', 'term'],
  ['g', '重力加速度', 'Gravity', 'none', 'positive'],
  ['dxf-scale', '水平比例 1:N', 'Horizontal scale 1:N', 'none', 'positive'],
  ['dxf-vscale', '竖直比例 1:N', 'Vertical scale 1:N', 'none', 'positive'],
];

const quantityRows = [
  // key      symbol   zh                en                  unit
  ['unknown', '', '所求量', 'Unknown', 'none'],
  ['diameter', 'D', '管径', 'Diameter', 'length'],
  ['h', 'h', '水深', 'Depth', 'length'],
  ['A', 'A', '过水断面面积', 'Flow area', 'area'],
  ['P', 'P', '湿周', 'Wetted perimeter', 'length'],
  ['R', 'R', '水力半径', 'Hydraulic radius', 'length'],
  ['T', 'T', '水面宽', 'Top width', 'length'],
  ['D', 'D', '水力深度', 'Hydraulic depth', 'length'],
  ['C', 'C', '谢才系数', 'Chezy coefficient', 'chezy'],
  ['v', 'v', '流速', 'Velocity', 'velocity'],
  ['Q', 'Q', '流量', 'Discharge', 'discharge'],
  ['Fr', 'Fr', '弗劳德数', 'Froude number', 'none'],
  ['regime', '', '流态', 'Regime', 'none'],
  ['hc', 'hc', '临界水深', 'Critical depth', 'length'],
  ['vc', 'vc', '临界流速', 'Critical velocity', 'velocity'],
  ['ic', 'ic', '临界坡度', 'Critical slope', 'none'],
  ['E', 'E', '断面比能', 'Specific energy', 'length'],
  ['tau0', 'τ0', '床面切应力', 'Bed shear stress', 'stress'],
  ['Qmax', 'Qmax', '最大过流能力', 'Greatest capacity', 'discharge'],
  ['hmax', 'hmax', '最大流量时水深', 'Depth of greatest capacity', 'length'],
  ['Qfull', 'Qfull', '满管流量', 'Full-pipe discharge', 'discharge'],
  ['hn', 'hn', '正常水深', 'Normal depth', 'length'],
  ['h1', 'h1', '跃前水深', 'Depth before', 'length'],
  ['v1', 'v1', '跃前流速', 'Velocity before', 'velocity'],
  ['Fr1', 'Fr1', '跃前弗劳德数', 'Froude number before', 'none'],
  ['h2', 'h2', '跃后水深', 'Sequent depth', 'length'],
  ['v2', 'v2', '跃后流速', 'Velocity after', 'velocity'],
  ['Fr2', 'Fr2', '跃后弗劳德数', 'Froude number after', 'none'],
  ['dE', 'ΔE', '能量损失', 'Energy loss', 'length'],
  ['jump_type', '', '水跃类型', 'Jump type', 'none'],
  ['profile_type', '', '水面线类型', 'Profile type', 'none'],
  ['direction', '', '推算方向', 'Direction', 'none'],
  ['x', 'x', '距离', 'Distance', 'length'],
  ['Sf', 'Sf', '摩阻坡度', 'Friction slope', 'none'],
  ['hf', 'hf', '沿程水头损失', 'Friction loss', 'length'],
  ['hj', 'hj', '局部水头损失', 'Local losses', 'length'],
  ['dZ', 'ΔZ', '总水面落差', 'Total fall', 'length'],
  ['h_loss', 'h', '水头损失', 'Head loss', 'length'],
  ['station', 'station', '桩号', 'Station', 'length'],
  ['bed', 'zb', '河底高程', 'Bed level', 'length'],
  ['wse', 'wse', '水位', 'Water-surface elevation', 'length'],
  ['EG', 'EG', '能量线高程', 'Energy grade level', 'length'],
  ['wse_c', 'zc', '临界水位', 'Critical level', 'length'],
  ['z_left', 'zL', '左岸高程', 'Left bank\'s level', 'length'],
  ['z_right', 'zR', '右岸高程', 'Right bank\'s level', 'length'],
  ['flow', '', '流量组', 'Flow', 'none'],
  ['count', '', '断面数', 'Sections', 'none'],
  ['computed', '', '推算的水面线', 'Profiles computed', 'none'],
  ['note', '', '说明', 'Note', 'none'],
  ['stake', '', '桩号', 'Stake', 'none'],
  ['wse_s', 'Zs', '设计水位', 'Design level', 'length'],
  ['wse_j', 'Zj', '加大水位', 'Enlarged level', 'length'],
  ['wse_min', 'Zmin', '最小水位', 'Least level', 'length'],
  ['top', 'Zt', '堤顶高程', 'Bank top', 'length'],
  ['station_in', '', '进口桩号', 'Inlet station', 'length'],
  ['station_out', '', '出口桩号', 'Outlet station', 'length'],
  ['dZ_s', 'ΔZs', '设计流量水位差', 'Fall, design flow', 'length'],
];

const terms = {
  subcritical: { zh: '缓流', en: 'subcritical' },
  critical: { zh: '临界流', en: 'critical' },
  supercritical: { zh: '急流', en: 'supercritical' },
  strong: { zh: '强水跃', en: 'strong jump' },
  steady: { zh: '稳定水跃', en: 'steady jump' },
  upstream: { zh: '向上游', en: 'upstream' },
  downstream: { zh: '向下游', en: 'downstream' },
  si: { zh: '国际单位制', en: 'SI' },
  us: { zh: '英制单位', en: 'US customary' },
  full: { zh: '满管', en: 'running full' },
  yes: { zh: '是', en: 'yes' },
  no: { zh: '否', en: 'no' },
  trapezoid: { zh: '梯形', en: 'trapezoid' },
  design: { zh: '设计流量', en: 'design flow' },
  enlarged: { zh: '加大流量', en: 'enlarged flow' },
  inlet: { zh: '进口', en: 'inlet' },
  rack: { zh: '拦污栅', en: 'trash rack' },
  bends: { zh: '弯道', en: 'bends' },
  outlet: { zh: '出口', en: 'outlet' },
  friction: { zh: '沿程', en: 'friction' },
  printed: { zh: '按表印刷值', en: 'as printed' },
  expansion: { zh: '突然扩大', en: 'sudden expansion' },
  pass: { zh: '满足', en: 'pass' },
  fail: { zh: '不满足', en: 'fail' },
  'siphon-velocity': { zh: '管内流速', en: 'velocity in the barrels' },
  'average-conveyance': { zh: '平均流量模数法', en: 'average conveyance' },
  'mean-slope': { zh: '两端摩阻坡度的平均值', en: 'mean of the two slopes' },
  mixed: { zh: '混合流', en: 'mixed' },
  'not-given': { zh: '未给出', en: 'not given' },
  uniform: { zh: '均匀流', en: 'uniform flow' },
  minimum: { zh: '最小流量', en: 'least flow' },
  siphon: { zh: '倒虹吸', en: 'inverted siphon' },
  'canal-velocity': { zh: '渠道流速', en: 'canal velocity' },
};

const sections = [
  { key: 'trapezoid', name: { zh: '梯形', en: 'Trapezoid' }, parameters: ['B', 'm', 'm1', 'm2'] },
  { key: 'circle', name: { zh: '圆形', en: 'Circle' }, parameters: ['D'] },
  { key: 'u', name: { zh: 'U形', en: 'U-shaped' }, parameters: ['r', 'm'] },
  { key: 'parabola', name: { zh: '抛物线形', en: 'Parabola' }, parameters: ['p'] },
];

const units = {
  si: { length: 'm', area: 'm²', discharge: 'm³/s', velocity: 'm/s', stress: 'Pa', chezy: 'm^0.5/s', momentum: 'm³', none: '' },
  us: { length: 'ft', area: 'ft²', discharge: 'ft³/s', velocity: 'ft/s', stress: 'lb/ft²', chezy: 'ft^0.5/s', momentum: 'ft³', none: '' },
};

const input = (key, required = false, byDefault = '', oneOf = 0, choices = []) => ({ key, required, default: byDefault, oneOf, choices });
const questions = [
  { name: 'report', channel: true, inputs: [input('h', false, '', 1), input('i', true)] },
  { name: 'solve', channel: true, inputs: [input('Q'), input('h', false, '', 1), input('i'), input('unknown')] },
  { name: 'table', channel: true, inputs: [input('i', true), input('h')] },
  { name: 'jump', channel: true, inputs: [input('Q', true), input('h1', true)] },
  { name: 'profile', channel: true, inputs: [input('Q', true), input('i', true), input('h0', true), input('to-h', false, '', 1),
    input('length', false, '', 1), input('steps', false, '100')] },
  { name: 'outline', channel: true, inputs: [input('h')] },
  { name: 'siphon', channel: false, inputs: [input('Q', true), input('Qj', false, '', 1), input('enlarge', false, '', 1), input('D', false, '', 2),
    input('B', false, '', 2), input('L', true), input('n', true), input('entrance', false, '', 0, ['not-rounded']), input('inlet-zeta'), input('bend'),
    input('outlet-ratio', false, '', 3), input('outlet-zeta', false, '', 3), input('outlet-rule', false, 'printed', 0, ['printed', 'expansion']),
    input('inlet-form'), input('v1')] },
  { name: 'reach', channel: false, inputs: [input('file', true), input('flows'), input('downstream'), input('upstream'),
    input('friction', false, 'average-conveyance', 0, ['average-conveyance', 'mean-slope']), input('units', false, 'si', 0, ['si', 'us'])] },
  { name: 'line', channel: false, inputs: [input('file', true), input('level', false, '', 1), input('control-level', false, '', 1), input('control-at'),
    input('friction', false, 'mean-slope', 0, ['average-conveyance', 'mean-slope']), input('g', false, '9.80665'), input('dxf-scale', false, '5000'),
    input('dxf-vscale', false, '100')] },
];

// The named forms a structure takes, by family.
const structureForms = {
  entrances: [{ key: 'not-rounded', name: { zh: '进口没有修圆', en: 'not rounded' } }],
  transitions: [
    { family: 'aqueduct', table: 'K.1.2', key: 'arc-wall', name: { zh: '圆弧直墙', en: 'quarter-circle and straight wall' } },
    { family: 'siphon', table: 'L.1.2', key: 'reverse-warped', name: { zh: '反弯扭曲面', en: 'reverse warped surface' } },
  ],
};

const reachColumns = [['station', '桩号'], ['name', '名称'], ['points', '测点'], ['n', '糙率'], ['left_bank', '左岸'], ['right_bank', '右岸'],
  ['L_left', '左滩长'], ['L_channel', '主槽长'], ['L_right', '右滩长'], ['contraction', '收缩系数'], ['expansion', '扩散系数'],
  ['Q', '流量'], ['downstream', '下游边界'], ['upstream', '上游边界']].map(([key, zh]) => ({ key, zh }));

const lineColumns = [['name', '名称'], ['kind', '类型'], ['station', '桩号'], ['x', 'X坐标'], ['y', 'Y坐标'], ['Rc', '转弯半径'], ['B', '底宽'],
  ['m', '边坡系数'], ['n', '糙率'], ['i', '比降'], ['Q', '设计流量'], ['D', '直径'], ['L', '长度'], ['loss', '水头损失']].map(([key, zh]) => ({ key, zh }));

export const fakeCatalog = {
  sections,
  questions,
  channelInputs: ['section', 'units', 'B', 'm', 'm1', 'm2', 'D', 'r', 'p', 'n', 'n-bed', 'n-wall'].map((key) => input(key)),
  parameters: parameterRows.map(([key, zh, en, unit, limit]) => ({ key, symbol: ['term', 'choice'].includes(limit) ? '' : key, name: { zh, en }, unit, limit })),
  quantities: quantityRows.map(([key, symbol, zh, en, unit]) => ({ id: key, key, symbol, name: { zh, en }, unit })),
  units,
  terms,
  structureForms,
  reachColumns,
  lineColumns,
};

const parameterByKey = new Map(fakeCatalog.parameters.map((p) => [p.key, p]));
const quantityByKey = new Map(fakeCatalog.quantities.map((q) => [q.key, q]));

export function text(x) {
  return String(Number(x.toPrecision(15)));
}

class Problems extends Error {
  constructor(problems) {
    super('problems');
    this.problems = problems;
  }
}

function problem(field, code, language) {
  const p = parameterByKey.get(field);
  const label = `${p.name[language]} ${p.symbol}`;
  const messages = {
    notNumber: { zh: `${label} 不是有效的数字`, en: `${label} is not a number` },
    negative: { zh: `${label} 不能为负`, en: `${label} cannot be negative` },
    notPositive: { zh: `${label} 必须大于零`, en: `${label} must be greater than zero` },
    missing: { zh: `缺少 ${label}`, en: `${label} is missing` },
  };
  return { field, code, message: messages[code][language] };
}

function readNumbers(inputs, keys, language, optional = []) {
  const values = {};
  const problems = [];
  for (const key of keys) {
    const raw = inputs[key];
    if (raw === undefined || raw.trim() === '') {
      if (!optional.includes(key)) problems.push(problem(key, 'missing', language));
      continue;
    }
    const value = Number(raw.trim());
    const limit = parameterByKey.get(key).limit;
    if (!Number.isFinite(value)) problems.push(problem(key, 'notNumber', language));
    else if (limit === 'nonNegative' && value < 0) problems.push(problem(key, 'negative', language));
    else if (limit === 'positive' && value <= 0) problems.push(problem(key, 'notPositive', language));
    else values[key] = value;
  }
  if (problems.length) throw new Problems(problems);
  return values;
}

// The channel as a set of functions of depth (rough, see the top).
function channel(inputs, language, { depth = true } = {}) {
  const section = inputs.section || 'trapezoid';
  const system = inputs.units || 'si';
  const shape = { trapezoid: ['B'], circle: ['D'], u: ['r'], parabola: ['p'] }[section];
  const slopes = section === 'trapezoid' && inputs.m1 !== undefined ? ['m1', 'm2'] : [];
  const roughness = inputs['n-bed'] !== undefined ? ['n-bed', 'n-wall'] : ['n'];
  const takesM = (section === 'trapezoid' || section === 'u') && !slopes.length;
  const v = readNumbers(inputs, [...shape, ...slopes, ...(takesM ? ['m'] : [])], language, ['m']);
  const m = slopes.length ? (v.m1 + v.m2) / 2 : (v.m ?? 0);
  const n = depth ? readNumbers(inputs, roughness, language) : {};
  const nValue = n.n ?? (n['n-bed'] + n['n-wall']) / 2;
  const size = v.B ?? v.D ?? v.r ?? v.p;
  const area = (h) => {
    if (section === 'circle') {
      const t = 2 * Math.acos(1 - (2 * Math.min(h, size)) / size);
      return (size * size * (t - Math.sin(t))) / 8;
    }
    if (section === 'parabola') return (4 / 3) * h * Math.sqrt(2 * size * h);
    if (section === 'u') return (Math.PI * size * size) / 2 + 2 * size * Math.max(h - size, 0);
    return (size + m * h) * h;
  };
  const perimeter = (h) => {
    if (section === 'circle') return size * Math.acos(1 - (2 * Math.min(h, size)) / size);
    if (section === 'parabola') return 2 * Math.sqrt(2 * size * h) + h;
    if (section === 'u') return Math.PI * size + 2 * Math.max(h - size, 0);
    return size + 2 * h * Math.sqrt(1 + m * m);
  };
  const top = (h) => {
    if (section === 'circle') return 2 * Math.sqrt(Math.max(h * (size - h), 1e-9));
    if (section === 'parabola') return 2 * Math.sqrt(2 * size * h);
    if (section === 'u') return 2 * size;
    return size + 2 * m * h;
  };
  const flow = (h, i) => {
    const A = area(h);
    const P = perimeter(h);
    const R = A / P;
    const C = (manning[system] * R ** (1 / 6)) / nValue;
    const vel = C * Math.sqrt(R * i);
    return { A, P, R, T: top(h), D: A / top(h), C, v: vel, Q: vel * A };
  };
  const critical = (Q) => bisect((h) => (Q * Q * top(h)) / (g[system] * area(h) ** 3) - 1, 1e-6, 100 * size, -1);
  const normal = (Q, i) => bisect((h) => flow(h, i).Q - Q, 1e-6, section === 'circle' ? size * 0.938 : 100 * size, 1);
  return { section, system, size, m, values: v, n, nValue, area, perimeter, top, flow, critical, normal, shape: shape[0] };
}

function bisect(f, lo, hi, sign) {
  for (let k = 0; k < 200; ++k) {
    const mid = (lo + hi) / 2;
    if (f(mid) * sign < 0) lo = mid;
    else hi = mid;
  }
  return (lo + hi) / 2;
}

// A record's members: numbers, term keys, lists and tables, in the order written.
function flowMembers(ch, h, i) {
  const f = ch.flow(h, i);
  const Fr = f.v / Math.sqrt(g[ch.system] * f.D);
  const members = { section: ch.section, units: ch.system };
  // As the command line's JSON: a circle's diameter is "diameter", D being the hydraulic depth.
  for (const [key, value] of Object.entries(ch.values)) members[key === 'D' ? 'diameter' : key] = value;
  Object.assign(members, { h, i, n: ch.nValue });
  for (const key of ['A', 'P', 'R', 'T', 'D', 'C', 'v', 'Q']) members[key] = f[key];
  Object.assign(members, { Fr, regime: Fr < 1 ? 'subcritical' : 'supercritical', hc: ch.critical(f.Q) });
  members.E = h + (f.v * f.v) / (2 * g[ch.system]);
  members.tau0 = 1000 * g[ch.system] * f.R * i;
  if (ch.section === 'circle') Object.assign(members, { Qmax: ch.flow(0.938 * ch.size, i).Q, Qfull: ch.flow(ch.size, i).Q });
  return members;
}

// The core's formula lines, with g as the core computes it.
function formulas(members, system) {
  return [`A = (B + m·h)·h = ${text(members.A)}`, `Fr = v / √(g·D),  g = ${text(g[system])}:  ${text(members.Fr)}`];
}

function report(inputs, language) {
  const ch = channel(inputs, language);
  const { h, i } = readNumbers(inputs, ['h', 'i'], language);
  const members = flowMembers(ch, h, i);
  return [{ ...members, formulas: formulas(members, ch.system) }];
}

function solve(inputs, language) {
  const unknown = inputs.unknown || 'Q';
  if (unknown === 'Q') return report(inputs, language);
  const without = { ...inputs };
  delete without[unknown];
  const given = ['Q', 'h', 'i', 'n'].filter((k) => k !== unknown);
  if (unknown === 'h') {
    const ch = channel(without, language);
    const { Q, i } = readNumbers(inputs, ['Q', 'i'], language);
    const records = [{ unknown: 'h', ...flowMembers(ch, ch.normal(Q, i), i) }];
    if (ch.section === 'circle' && Q > ch.flow(ch.size, i).Q) {
      records.push({ unknown: 'h', ...flowMembers(ch, bisect((d) => Q - ch.flow(d, i).Q, 0.938 * ch.size, ch.size, 1), i) });
    }
    return records;
  }
  readNumbers(inputs, given.filter((k) => k !== 'n' || inputs['n-bed'] === undefined), language);
  // Any other unknown: answer with the channel as given (the fake does not solve for it).
  return report({ ...inputs, [unknown]: unknown === 'i' ? '0.001' : unknown === 'n' ? '0.025' : '2' }, language);
}

// A rating table: the answer is the table alone; a full pipe has no Froude number.
function table(inputs, language) {
  const ch = channel(inputs, language);
  const { i } = readNumbers(inputs, ['i'], language);
  const parts = (inputs.h || '').split(':').map((part) => Number(part));
  if (parts.length !== 3 || parts.some((x) => !Number.isFinite(x)) || parts[2] <= 0 || parts[1] < parts[0]) {
    throw new Problems([problem('h', 'notNumber', language)]);
  }
  const [from, to, step] = parts;
  const rows = [];
  for (let k = 0; from + k * step <= to * (1 + 1e-12) && k < 100001; ++k) {
    const h = from + k * step;
    if (h <= 0) {
      rows.push({ h, error: problem('h', 'notPositive', language).message });
      continue;
    }
    const f = ch.flow(h, i);
    const full = ch.section === 'circle' && h >= ch.size;
    const Fr = f.v / Math.sqrt(g[ch.system] * f.D);
    rows.push({ h, A: f.A, v: f.v, Q: f.Q, Fr: full ? null : Fr, regime: full ? 'full' : Fr < 1 ? 'subcritical' : 'supercritical' });
  }
  return [rows];
}

function jump(inputs, language) {
  const ch = channel(inputs, language, { depth: false });
  const { Q, h1 } = readNumbers(inputs, ['Q', 'h1'], language);
  const A1 = ch.area(h1);
  const v1 = Q / A1;
  const Fr1 = v1 / Math.sqrt((g[ch.system] * A1) / ch.top(h1));
  const h2 = (h1 / 2) * (Math.sqrt(1 + 8 * Fr1 * Fr1) - 1);
  const v2 = Q / ch.area(h2);
  return [{
    Q, hc: ch.critical(Q), h1, v1, Fr1, h2, v2, Fr2: v2 / Math.sqrt((g[ch.system] * ch.area(h2)) / ch.top(h2)),
    dE: (h2 - h1) ** 3 / (4 * h1 * h2), jump_type: Fr1 > 9 ? 'strong' : 'steady',
  }];
}

function profile(inputs, language) {
  const ch = channel(inputs, language);
  const v = readNumbers(inputs, ['Q', 'i', 'h0', 'to-h', 'length', 'steps'], language, ['to-h', 'length', 'steps']);
  const steps = Math.round(v.steps ?? 100);
  const hn = ch.normal(v.Q, v.i);
  const end = v['to-h'] ?? hn + (v.h0 - hn) * 0.05;
  const length = v.length ?? 1000;
  const points = [];
  for (let k = 0; k <= steps; ++k) {
    const h = v.h0 + ((end - v.h0) * k) / steps;
    const A = ch.area(h);
    const vel = v.Q / A;
    const R = A / ch.perimeter(h);
    points.push({ x: (-length * k) / steps, h, A, v: vel, E: h + (vel * vel) / (2 * g[ch.system]),
      Fr: vel / Math.sqrt((g[ch.system] * A) / ch.top(h)), Sf: (ch.nValue * vel) ** 2 / R ** (4 / 3) });
  }
  return [{ i: v.i, hc: ch.critical(v.Q), hn, direction: 'upstream', reached_critical: false, points }];
}

function outline(inputs, language) {
  const ch = channel(inputs, language, { depth: false });
  const { h } = readNumbers(inputs, ['h'], language);
  const boundary = [];
  if (ch.section === 'circle') {
    for (let k = 0; k <= 64; ++k) {
      const a = (2 * Math.PI * k) / 64;
      boundary.push({ x: (ch.size / 2) * Math.sin(a), z: ch.size / 2 - (ch.size / 2) * Math.cos(a) });
    }
  } else {
    const height = Math.max(h * 1.3, ch.size * 0.2);
    const half = ch.top(height) / 2;
    const bottom = ch.section === 'trapezoid' ? ch.size / 2 : 0;
    boundary.push({ x: -half, z: height }, { x: -bottom, z: 0 }, { x: bottom, z: 0 }, { x: half, z: height });
  }
  const half = ch.top(Math.min(h, ch.section === 'circle' ? ch.size : h)) / 2;
  return [{ boundary, water: [{ x: -half, z: h }, { x: half, z: h }] }];
}

// A siphon of one round barrel at its design flow and, when given, its
// enlarged flow: each flow's losses by term (the rack's nothing), a check of
// its velocity, its barrel running full and a report line.
function siphon(inputs, language) {
  const v = readNumbers(inputs, ['Q', 'Qj', 'D', 'L', 'n', 'inlet-zeta', 'v1'], language, ['Qj', 'inlet-zeta', 'v1']);
  const bends = (inputs.bend ?? '').split(';').filter((item) => item.trim() !== '');
  if (bends.some((item) => !/^[\d.]+:[\d.]+$/.test(item.trim()))) throw new Problems([problem('bend', 'notNumber', language)]);
  const area = (Math.PI * v.D * v.D) / 4;
  const friction = (2 * g.si * v.L * v.n * v.n) / (v.D / 4) ** (4 / 3);
  const zeta = { inlet: v['inlet-zeta'] ?? 0.5, rack: 0, bends: 0.2 * bends.length, outlet: 0.36 };
  const record = { g: g.si, diameter: v.D, L: v.L, n: v.n, A: area };
  const losses = [];
  const checks = [];
  for (const [flow, Q] of [['design', v.Q], ['enlarged', v.Qj]]) {
    if (Q === undefined) continue;
    const vel = Q / area;
    const head = (vel * vel) / (2 * g.si);
    const sum = zeta.inlet + zeta.rack + zeta.bends + zeta.outlet;
    record[flow] = { Q, v: vel, hf: friction * head, hj: sum * head };
    if (flow === 'design' && v.v1 !== undefined) record[flow].dZ = (friction + sum + 1) * head - (v.v1 * v.v1) / (2 * g.si);
    for (const [term, z] of [...Object.entries(zeta), ['friction', friction]]) losses.push({ flow, term, zeta: z, h_loss: z * head });
    if (flow === 'design') {
      checks.push({ key: 'siphon-velocity', clause: '10.3.2', verdict: vel >= 1.5 && vel <= 2.5 ? 'pass' : 'fail', value: vel, message: `v = ${text(vel)} m/s` });
    }
  }
  const boundary = [];
  for (let k = 0; k <= 32; ++k) boundary.push({ x: (v.D / 2) * Math.sin((Math.PI * k) / 16), z: v.D / 2 + (v.D / 2) * Math.cos((Math.PI * k) / 16) });
  record.drawing = { boundary, water: [{ x: 0, z: v.D }, { x: 0, z: v.D }] };
  Object.assign(record, { losses, checks, report: [{ kind: 'heading', text: language === 'en' ? '1 Design conditions' : '1 设计条件' }] });
  return [record];
}

// A reach from its JSON file: sections of surveyed points, a level at the
// downstream end rising 1 in 1,000 upstream; with an upstream boundary too,
// a jump between the first two sections. A section the level stays below
// has no answer and a note. Each cell the fake cannot read is a problem at
// its section, as the core places them.
function reach(inputs, language) {
  const say = (zh, en) => (language === 'en' ? en : zh);
  let file;
  try {
    file = JSON.parse(inputs.file ?? '');
  } catch {
    throw new Problems([{ field: 'file', code: 'json-syntax', message: say('file 不是有效的 JSON', 'file is not JSON') }]);
  }
  const problems = [];
  const sections = (file.sections ?? []).map((section, k) => {
    const at = (field, code, zh, en) => problems.push({ field: 'file', code: 'reach-section', row: k + 1,
      message: say(`file 的第 ${k + 1} 个断面：${zh}`, `file, section ${k + 1}: ${en}`), cell: { field, code, message: say(zh, en) } });
    const station = Number(section.station);
    if (!Number.isFinite(station)) at('station', 'not-a-number', `station "${section.station}" 不是有效的数字`, `station: "${section.station}" is not a number`);
    if (section.L_channel !== undefined && !(Number(section.L_channel) > 0)) at('L_channel', 'not-positive', 'L_channel 必须大于零', 'L_channel must be greater than zero');
    const points = String(section.points ?? '').trim().split(/\s+/).map((point) => point.split(',').map(Number));
    if (points.length < 2 || points.some((p) => p.length < 2 || p.some((v) => !Number.isFinite(v)))) at('points', 'not-a-number', 'points 不是有效的测点', 'points are not points');
    const n = Number(section.n ?? points[0][2] ?? 0.03);
    return { station, name: section.name ?? null, points, n, bed: Math.min(...points.map((p) => p[1])), Q: section.Q, downstream: section.downstream, upstream: section.upstream };
  });
  if (problems.length) throw new Problems(problems);
  const last = sections[sections.length - 1];
  const downstream = inputs.downstream ?? last.downstream;
  const upstream = inputs.upstream ?? sections[0].upstream;
  const level = /^wse=/.test(downstream ?? '') ? Number(downstream.slice(4)) : last.bed + 1.5;
  if (!(level > last.bed)) throw new Problems([{ field: 'downstream', code: 'level-below-bottom', message: say(`下游边界条件 必须高于断面最低点的高程 ${text(last.bed)} m`, `downstream must be above the section's lowest point ${text(last.bed)} m`) }]);
  const flows = new Map();
  for (const name of String(inputs.flows ?? sections[0].Q ?? '').split(/[;\s]+/).filter(Boolean)) {
    const Q = Number(name);
    const rows = sections.map((section) => {
      const wse = level + 0.001 * (last.station - section.station);
      const h = wse - section.bed;
      const hc = 0.4 * h;
      if (!(h > 0)) return { station: section.station, bed: section.bed, wse: null, h: null, EG: null, hc: null, wse_c: null, Q, note: say('此断面没有满足能量方程的水深', 'no depth balances the energy here') };
      return { station: section.station, bed: section.bed, wse, h, EG: wse + 0.1, hc, wse_c: section.bed + hc, Q, note: null };
    });
    const flow = { flow: name, Q, computed: upstream ? 'mixed' : 'subcritical', downstream: downstream ?? null, upstream: upstream ?? null, sections: rows };
    if (upstream) flow.jumps = [{ station: (sections[0].station + sections[1].station) / 2, from: sections[0].station, to: sections[1].station, h1: 0.5, h2: 1.2, Fr1: 2.1 }];
    flows.set(name, flow);
  }
  const geometry = sections.map((section, k) => ({ station: section.station, name: section.name, bed: section.bed, left_bank: section.points[0][0],
    right_bank: section.points[section.points.length - 1][0], z_left: section.points[0][1], z_right: section.points[section.points.length - 1][1],
    L_channel: k + 1 < sections.length ? sections[k + 1].station - section.station : null }));
  const points = sections.flatMap((section) => section.points.map(([x, z]) => ({ station: section.station, x, z, n: section.n })));
  return [{ units: inputs.units ?? 'si', friction: inputs.friction ?? 'average-conveyance', count: sections.length, flows, drawing: { points }, geometry }];
}

// A canal line from its CSV: every flow's level falls 1 in 1,000 from the
// level at the head, the bed 1 m below the design level; an inlet and the
// outlet after it are a structure. A cell the fake cannot read is a problem
// at its record (the header is record 1), as the core places them; a row
// after a node named "stop" is not computed and says so.
function line(inputs, language) {
  const say = (zh, en) => (language === 'en' ? en : zh);
  const [header, ...records] = String(inputs.file ?? '').split('\n').filter((l) => l.trim() !== '').map((l) => l.split(',').map((c) => c.trim()));
  const level = Number(inputs.level);
  if (!Number.isFinite(level)) throw new Problems([{ field: 'level', code: 'not-a-number', message: say('level 不是有效的数字', 'level is not a number') }]);
  const station = (text) => {
    const stake = /^K(\d+)\+(\d+(\.\d*)?)$/.exec(text ?? '');
    return stake ? 1000 * Number(stake[1]) + Number(stake[2]) : Number(text);
  };
  const problems = [];
  let stopped = false;
  const nodes = records.map((cells, k) => {
    const node = Object.fromEntries(header.map((key, c) => [key, cells[c] ?? '']));
    const at = station(node.station);
    for (const key of ['station', 'B', 'n']) {
      if (node[key] && !Number.isFinite(key === 'station' ? at : Number(node[key]))) {
        problems.push({ field: 'file', code: 'reach-row', row: k + 2, message: say(`file 第 ${k + 2} 行：${key} 不是有效的数字`, `file, row ${k + 2}: ${key} is not a number`),
          cell: { field: key, code: 'not-a-number', message: say(`${key} 不是有效的数字`, `${key} is not a number`) } });
      }
    }
    const computed = !stopped;
    if (node.name === 'stop') stopped = true;
    return { ...node, at, computed };
  });
  if (problems.length) throw new Problems(problems);
  const stake = (x) => `K${Math.floor(x / 1000)}+${(x % 1000).toFixed(3).padStart(7, '0')}`;
  const levels = (node, rise) => (node.computed ? level - 0.001 * node.at + rise : null);
  const flows = new Map(['design', 'enlarged', 'minimum'].map((flow, f) => [flow, { flow, rows: nodes.map((node) => ({
    name: node.name, kind: node.kind, station: node.at, stake: stake(node.at), Q: 4 - f, h: node.computed ? 1 : null, wse: levels(node, [0, 0.2, -0.3][f]),
    bed: levels(node, -1), top: levels(node, 0.7), note: node.computed ? null : say('此节点无法计算', 'this node cannot be computed'),
  })) }]));
  const structures = [];
  nodes.forEach((node, k) => {
    if (/-in$/.test(node.kind) && nodes[k + 1]) structures.push({ name: node.name, structure: node.kind.slice(0, -3), station_in: node.at, station_out: nodes[k + 1].at, dZ_s: 0.3 });
  });
  const profile = nodes.map((node) => ({ station: node.at, stake: stake(node.at), name: node.name, kind: node.kind, bed: levels(node, -1),
    wse_s: levels(node, 0), wse_j: levels(node, 0.2), wse_min: levels(node, -0.3), top: levels(node, 0.7) }));
  const checks = nodes.map((node) => ({ name: node.name, station: node.at, flow: 'design', key: 'canal-velocity', verdict: node.kind === 'siphon-in' ? 'fail' : 'pass' }));
  return [{ nodes: nodes.length, level, friction: inputs.friction ?? 'mean-slope', segments: [{ name: nodes[0]?.name ?? '', station: 0, Q: 4 }], flows,
    structures: { structures }, checks: { checks }, adopted: { adopted: [] },
    drawing: { profile, bands: ['stake', 'bed', 'wse_s', 'wse_j', 'top'].map((key) => ({ key })) } }];
}

const questionAnswers = { report, solve, table, jump, profile, outline, reach, siphon, line };

// Rounded for show as "eng" asks, by the unit of each quantity; rough, like the rest.
function engText(key, value) {
  const unit = quantityByKey.get(key)?.unit ?? 'none';
  if (unit === 'none') return text(Number(value.toPrecision(4)));
  return value.toFixed(unit === 'stress' || unit === 'chezy' ? 2 : 3);
}

// The command line's JSON: members in order, a table's rows a line each;
// the last record carries the labels and words of what the answer used.
function writeJson(records, language, shown) {
  const labels = {};
  const words = {};
  const write = (value, key) => {
    if (typeof value === 'number') return shown(key, value);
    if (typeof value === 'string') {
      if (terms[value]) words[value] = terms[value][language];
      return JSON.stringify(value);
    }
    if (value === null || typeof value === 'boolean') return JSON.stringify(value);
    if (Array.isArray(value) && value.every((v) => typeof v === 'string')) return JSON.stringify(value);
    if (Array.isArray(value) && value.every((v) => typeof v === 'number')) return `[${value.map((v) => shown(key, v)).join(', ')}]`;
    if (Array.isArray(value)) return value.length ? `[\n  ${value.map((row) => write(row)).join(',\n  ')}\n]` : '[]';
    // A Map keeps members named by numbers in the order given, as the core writes them.
    return `{${(value instanceof Map ? [...value] : Object.entries(value)).map(([member, v]) => {
      const q = quantityByKey.get(member);
      if (q && !(member in labels)) labels[member] = q.symbol && q.symbol !== q.name[language] ? `${q.name[language]} ${q.symbol}` : q.name[language];
      return `${JSON.stringify(member)}: ${write(v, member)}`;
    }).join(', ')}}`;
  };
  return records.map((record, k) => {
    if (Array.isArray(record)) return `${write(record)}\n`;
    const body = write(record);
    if (k + 1 < records.length) return `${body}\n`;
    return `${body.slice(0, -1)}, "labels": ${JSON.stringify(labels)}, "words": ${JSON.stringify(words)}}\n`;
  }).join('');
}

function refusal(problems) {
  return JSON.stringify({ ok: false, problems: problems.map((p) => ({ usage: false, ...p })) });
}

export function fakeCall(requestJson) {
  let request;
  try {
    request = JSON.parse(requestJson);
  } catch {
    return refusal([{ field: 'question', code: 'unknown-question', message: '没有名为 "" 的问题' }]);
  }
  const language = request.language === 'en' ? 'en' : 'zh';
  const answer = questionAnswers[request.question];
  if (!answer) return refusal([{ field: 'question', code: 'unknown-question', message: `没有名为 "${request.question}" 的问题` }]);
  try {
    const records = answer(request.inputs || {}, language);
    const parts = ['{"ok": true}', writeJson(records, language, (key, value) => text(value))];
    if (request.digits && request.digits !== 'full') parts.push(writeJson(records, language, engText));
    return parts.join(separator);
  } catch (error) {
    if (error instanceof Problems) return refusal(error.problems);
    throw error;
  }
}

// Adds Q and an error column to each row; a header without n is refused
// with the core's code. Rough, like the rest.
export function fakeBatch(csv, language) {
  const lines = csv.split(/\r\n|\n|\r/).filter((line) => line !== '');
  if (!lines.length) return `{"ok": true, "rows": 0, "failed": 0}${separator}`;
  const header = lines[0].split(',').map((cell) => cell.trim());
  if (!header.includes('n')) {
    return refusal([{ field: 'csv', code: 'column-missing-bhmin', usage: true,
      message: language === 'en' ? 'The header lacks column n (it needs B, h, m, i and n)' : '表头缺少列 n（应含 B,h,m,i,n）' }]);
  }
  const out = [[...header, 'Q', 'error'].join(',')];
  let failed = 0;
  for (const line of lines.slice(1)) {
    const cells = line.split(',');
    const value = Object.fromEntries(header.map((key, k) => [key, Number(cells[k])]));
    const ok = ['B', 'h', 'm', 'i', 'n'].every((k) => Number.isFinite(value[k])) && value.i > 0 && value.n > 0;
    const Q = ok ? ((value.B + value.m * value.h) * value.h) ** (5 / 3) * Math.sqrt(value.i) / value.n / (value.B + 2 * value.h) ** (2 / 3) : 0;
    if (!ok) failed += 1;
    out.push([...cells, ok ? text(Q) : '', ok ? '' : (language === 'en' ? 'bad row' : '此行有误')].join(','));
  }
  return `{"ok": true, "rows": ${lines.length - 1}, "failed": ${failed}}${separator}${out.join('\n')}\n`;
}

export function fakeDesignDxf() {
  return `{"ok": true}${separator}  0\nSECTION\n  0\nEOF\n`;
}

// A line's DXF, or the problem of a scale that is not a number.
export function fakeLineDxf(requestJson) {
  const { inputs } = JSON.parse(requestJson);
  if (inputs['dxf-scale'] !== undefined && !(Number(inputs['dxf-scale']) > 0)) {
    return refusal([{ field: 'dxf-scale', code: 'not-positive', message: 'dxf-scale 必须大于零' }]);
  }
  return `{"ok": true}${separator}  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n`;
}

// The toolkit half of a module: what the page's adapter looks for.
export function fakeToolkit() {
  return { catalog: () => JSON.stringify(fakeCatalog), call: fakeCall, batch: fakeBatch, designDxf: fakeDesignDxf, lineDxf: fakeLineDxf };
}

// The click half, for pages and tests built without the real module.
export function fakeClick(B, h, m, i, n) {
  const read = (s) => Number(s.replace(/\s/g, '') || 0);
  if (!/^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$/.test(n)) return { ok: false, error: 13, message: '错误 13：文本不是有效的数字' };
  const [b, d, s, j, r] = [read(B), read(h), read(m), read(i), Number(n)];
  const A = (b + s * d) * d;
  const P = b + 2 * d * Math.sqrt(1 + s * s);
  if (P === 0 || r === 0) return { ok: false, error: 11, message: '错误 11：除数为零' };
  const v = ((A / P) ** (2 / 3) * Math.sqrt(j)) / r;
  return { ok: true, v: text(v), Q: text(v * A) };
}

export { quantityByKey };

// The page's own words (tabs, buttons, headings) in both languages, the
// current language, and the labels made from the core's catalog.

const chrome = {
  zh: {
    title: '渠道水力计算工具箱',
    switchLanguage: 'English',
    loading: '正在载入计算核心…',
    loadFailed: '计算核心无法载入',
    calculate: '计算',
    copyResults: '复制结果',
    printReport: '打印计算书',
    copied: '已复制',
    inputs: '输入',
    results: '结果',
    formulas: '计算公式',
    pictures: '图',
    asymmetric: '两侧边坡不同（m1、m2）',
    composite: '渠底与边壁糙率不同（n-bed、n-wall）',
    range: '起:止:步长',
    optionalQ: '可选：标出正常水深与临界水深',
    profileEnd: '填目标水深或推算距离之一',
    saveSvg: '保存 SVG',
    savePng: '保存 PNG',
    section: '横断面',
    rating: '水位流量关系曲线',
    profile: '水面线',
    bed: '渠底',
    elevation: '高程',
    waterSurface: '水面',
    normalDepth: '正常水深线 N–N',
    criticalDepth: '临界水深线 K–K',
    pasteHere: '从电子表格粘贴（制表符分隔）或输入 CSV',
    openFile: '打开 CSV 文件',
    downloadCsv: '下载 CSV',
    rows: '行',
    running: '正在计算',
    done: '完成',
    colon: '：',
    comma: '，',
    errorRows: '其中 {n} 行有错误',
    shownRows: '表中列出前 {n} 行，全部见下载的 CSV',
    tooLarge: '文件太大：请分成不超过 64 MB 的几份',
    pasted: '已粘贴',
    reportTitle: '水力计算书',
    reportDate: '计算日期',
    noToolkit: '此版本的计算核心只提供计算器',
    why: '原因',
    results1: '第一解',
    results2: '第二解',
    noLining: '不选：直接填糙率 n',
    noSoil: '不选',
    sideSlopeSoils: '表 6.4.4 其他土质（只校核边坡）',
    nTaken: '采用',
    nOverrides: '可不填：不填则按所选渠床取值',
    schemes: '实用经济断面方案（附录 E）',
    checks: '校核',
    designLevel: '设计水位',
    enlargedLevel: '加大水位',
    saveDxf: '保存 DXF',
    pointsHint: '每行一点：{columns}（可省）；可从电子表格粘贴，表头行可留',
    addPoint: '添加测点',
    removePoint: '删除测点',
    nForRest: '用于测点未给出糙率的测段',
    exaggerated: '高程放大 {n} 倍',
    digits: '显示精度',
    digitsFull: '全部位数',
    digitsEng: '工程精度',
    digitsPlaces: '{n} 位小数',
    flows: '各流量的结果',
    quantity: '项目',
    lossChart: '水头损失（按项与流量）',
    noChoice: '不选',
    listHint: '多项以分号分隔',
    gHint: '手册与计算表多用 9.81',
    structureKind: '计算内容',
    reachSections: '断面（自上游至下游）',
    sectionsHint: '每行一个断面；可从电子表格粘贴，带表头行时替换整个河段',
    addSection: '添加断面',
    removeSection: '删除断面',
    openReach: '打开河段文件（CSV 或 JSON）',
    saveReach: '保存河段文件 CSV',
    flowsHint: '可不填：不填则用表中的 Q 列；多个流量以 ; 分隔',
    boundaryHint: 'wse=水位、normal=坡度、critical 或 rating=水位:流量 …；不填则用表中的',
    sectionPoints: '第 {n} 个断面的测点',
    longProfile: '纵断面图',
    jumpMark: '水跃',
    leftBank: '左岸',
    rightBank: '右岸',
    lineNodes: '节点（自渠首至渠尾）',
    nodesHint: '每行一个节点，列名同渠线文件；可从电子表格粘贴，带表头行时替换整条渠线',
    addNode: '添加节点',
    removeNode: '删除节点',
    allColumns: '显示全部列',
    openLine: '打开渠线文件（CSV）或项目（JSON）',
    saveProject: '保存项目',
    saveLine: '保存渠线文件 CSV',
    knownLevel: '已知水位',
    flowShown: '成果表',
    drawnScales: '水平 1:{h}，竖直 1:{v}',
    notAProject: '此文件不是渠线项目',
    projectTooNew: '此项目由较新版本保存，请更新本页',
    'line-structures': '建筑物',
    'line-checks': '校核',
    'line-adopted': '采用值',
    'line-segments': '流量段',
    'line-plan': '平面交点',
  },
  en: {
    title: 'Channel hydraulics toolkit',
    switchLanguage: '中文',
    loading: 'Loading the calculation core…',
    loadFailed: 'The calculation core could not be loaded',
    calculate: 'Calculate',
    copyResults: 'Copy results',
    printReport: 'Print report',
    copied: 'Copied',
    inputs: 'Inputs',
    results: 'Results',
    formulas: 'Formulas',
    pictures: 'Pictures',
    asymmetric: 'Unequal side slopes (m1, m2)',
    composite: 'Different bed and wall roughness (n-bed, n-wall)',
    range: 'from:to:step',
    optionalQ: 'optional: marks the normal and critical depths',
    profileEnd: 'give a target depth or a length',
    saveSvg: 'Save SVG',
    savePng: 'Save PNG',
    section: 'Cross-section',
    rating: 'Rating curve',
    profile: 'Water surface profile',
    bed: 'Bed',
    elevation: 'Elevation',
    waterSurface: 'Water surface',
    normalDepth: 'Normal depth N–N',
    criticalDepth: 'Critical depth K–K',
    pasteHere: 'Paste from a spreadsheet (tab-separated) or type CSV',
    openFile: 'Open a CSV file',
    downloadCsv: 'Download CSV',
    rows: 'rows',
    running: 'Computing',
    done: 'Done',
    colon: ': ',
    comma: ', ',
    errorRows: '{n} with an error',
    shownRows: 'the first {n} listed here, all in the downloaded CSV',
    tooLarge: 'The file is too large: split it into parts of at most 64 MB',
    pasted: 'Pasted',
    reportTitle: 'Hydraulic calculation',
    reportDate: 'Date',
    noToolkit: 'This build of the core offers the calculator only',
    why: 'Why',
    results1: 'First answer',
    results2: 'Second answer',
    noLining: 'None: type n',
    noSoil: 'None',
    sideSlopeSoils: 'Other soils of Table 6.4.4 (side slope only)',
    nTaken: 'Taken:',
    nOverrides: 'optional: blank takes the bed\'s value',
    schemes: 'Practical economic sections (Appendix E)',
    checks: 'Checks',
    designLevel: 'Design water level',
    enlargedLevel: 'Enlarged flow level',
    saveDxf: 'Save DXF',
    pointsHint: 'a point a line: {columns} (optional); paste from a spreadsheet, a header row may stay',
    addPoint: 'Add a point',
    removePoint: 'Remove point',
    nForRest: 'for the segments whose points give none',
    exaggerated: 'heights exaggerated {n}×',
    digits: 'Digits shown',
    digitsFull: 'Full digits',
    digitsEng: 'Engineering',
    digitsPlaces: '{n} decimals',
    flows: 'Each flow\'s results',
    quantity: 'Quantity',
    lossChart: 'Head losses by term and flow',
    noChoice: 'None',
    listHint: 'items separated by semicolons',
    gHint: 'handbooks and workbooks take 9.81',
    structureKind: 'Calculation',
    reachSections: 'Sections (upstream first)',
    sectionsHint: 'a section a row; paste from a spreadsheet, with its header row to replace the whole reach',
    addSection: 'Add a section',
    removeSection: 'Remove section',
    openReach: 'Open a reach file (CSV or JSON)',
    saveReach: 'Save the reach as CSV',
    flowsHint: 'optional: blank takes the Q column; flows apart by ;',
    boundaryHint: 'wse=level, normal=slope, critical or rating=level:flow …; blank takes the table\'s',
    sectionPoints: 'Points of section {n}',
    longProfile: 'Longitudinal profile',
    jumpMark: 'jump',
    leftBank: 'left bank',
    rightBank: 'right bank',
    lineNodes: 'Nodes (head first)',
    nodesHint: 'a node a row, columns as in a line file; paste from a spreadsheet, with its header row to replace the whole line',
    addNode: 'Add a node',
    removeNode: 'Remove node',
    allColumns: 'Show every column',
    openLine: 'Open a line file (CSV) or a project (JSON)',
    saveProject: 'Save the project',
    saveLine: 'Save the line as CSV',
    knownLevel: 'Level known',
    flowShown: 'Results table',
    drawnScales: 'horizontal 1:{h}, vertical 1:{v}',
    notAProject: 'This file is not a canal line project',
    projectTooNew: 'This project was saved by a newer page: update this page',
    'line-structures': 'Structures',
    'line-checks': 'Checks',
    'line-adopted': 'Adopted values',
    'line-segments': 'Flow segments',
    'line-plan': 'Plan intersections',
  },
};

let language = 'zh';
const listeners = new Set();

export function currentLanguage() {
  return language;
}

export function setLanguage(next) {
  language = next === 'en' ? 'en' : 'zh';
  for (const listener of listeners) listener(language);
}

export function onLanguage(listener) {
  listeners.add(listener);
}

export function t(key) {
  return chrome[language][key] ?? chrome.zh[key] ?? key;
}

export function chromeKeys() {
  return { zh: Object.keys(chrome.zh), en: Object.keys(chrome.en) };
}

// "下底宽 B (m)": the catalog's name, symbol and the unit of the system.
export function parameterLabel(catalog, key, system) {
  const p = catalog.parameterByKey.get(key);
  if (!p) return key;
  return joinLabel(p.name[language], p.symbol, unitText(catalog, p.unit, system));
}

export function quantityLabel(catalog, key, system) {
  const q = catalog.quantityByKey.get(key);
  if (!q) return key;
  return joinLabel(q.name[language], q.symbol, unitText(catalog, q.unit, system));
}

export function quantityName(catalog, key) {
  const q = catalog.quantityByKey.get(key);
  return q ? joinLabel(q.name[language], q.symbol, '') : key;
}

export function unitText(catalog, kind, system) {
  return catalog.units[system === 'us' ? 'us' : 'si']?.[kind] ?? '';
}

export function termText(catalog, key) {
  return catalog.terms[key]?.[language] ?? key;
}

function joinLabel(name, symbol, unit) {
  let label = name;
  if (symbol && symbol !== name) label += ` ${symbol}`;
  if (unit) label += ` (${unit})`;
  return label;
}

// The formulas a printed report shows, with the core's own texts put in for
// the symbols. They are presentation only: every number comes from the core.
// A line: [formula, the same with numbers ({key} is the core's text), result key].

const g = { si: '9.80665', us: '32.174' };
const k = { si: '', us: '1.486·' };

const uniform = {
  trapezoid: [
    ['A = (B + m·h)·h', '({B} + {m}×{h})×{h}', 'A', (v) => v.m !== undefined],
    ['A = (B + (m1 + m2)·h/2)·h', '({B} + ({m1} + {m2})×{h}/2)×{h}', 'A', (v) => v.m1 !== undefined],
    ['P = B + 2h·√(1 + m²)', '{B} + 2×{h}×√(1 + {m}²)', 'P', (v) => v.m !== undefined],
    ['P = B + h·(√(1 + m1²) + √(1 + m2²))', '{B} + {h}×(√(1 + {m1}²) + √(1 + {m2}²))', 'P', (v) => v.m1 !== undefined],
  ],
  circle: [['θ = 2·arccos(1 − 2h/D),  A = D²·(θ − sin θ)/8,  P = D·θ/2', '', 'A']],
  u: [['A = π·r²/2 + …,  P = π·r + …', '', 'A']],
  parabola: [['x² = 2·p·y,  A = (2/3)·T·h', '', 'A']],
};

function common(system) {
  return [
    ['R = A / P', '{A} / {P}', 'R'],
    [`C = ${k[system]}R^(1/6) / n`, `${k[system]}{R}^(1/6) / {n}`, 'C'],
    ['v = C·√(R·i)', '{C}×√({R}×{i})', 'v'],
    ['Q = v·A', '{v}×{A}', 'Q'],
    [`Fr = v / √(g·D),  g = ${g[system]}`, `{v} / √(${g[system]}×{D})`, 'Fr'],
    [`E = h + v²/(2g)`, `{h} + {v}²/(2×${g[system]})`, 'E'],
  ];
}

// Fills one template from the texts by key; a missing text leaves the line
// without numbers.
export function fill(template, texts) {
  let missing = false;
  const out = template.replace(/\{([A-Za-z0-9_-]+)\}/g, (_, key) => {
    if (texts[key] === undefined || texts[key] === '') missing = true;
    return texts[key] ?? '';
  });
  return missing ? null : out;
}

export function formulaLines(rows, texts) {
  const lines = [];
  for (const [formula, numbers, result, when] of rows) {
    if (when && !when(texts)) continue;
    const filled = numbers ? fill(numbers, texts) : null;
    const value = texts[result];
    lines.push(filled && value !== undefined ? `${formula} = ${filled} = ${value}` : formula);
  }
  return lines;
}

export function uniformFormulas(section, system, texts) {
  return formulaLines([...(uniform[section] ?? []), ...common(system)], texts);
}

export function jumpFormulas(system, texts) {
  return formulaLines([
    ['M = Q²/(g·A) + A·yc', '', 'M'],
    ['M(h1) = M(h2)', '', 'h2'],
    ['Fr1 = v1 / √(g·A1/T1)', '', 'Fr1'],
    [`ΔE = E1 − E2`, '', 'dE'],
  ], texts);
}

export function profileFormulas(system, texts) {
  return formulaLines([
    ['dh/dx = (i − Sf) / (1 − Fr²)', '', 'x'],
    [`Sf = n²·v² / (${k[system] ? '1.486²·' : ''}R^(4/3))`, '', 'Sf'],
    ['Δx = (E2 − E1) / (i − S̄f)', '', 'x'],
  ], texts);
}

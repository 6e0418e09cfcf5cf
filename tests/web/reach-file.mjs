// A river reach of `count` sections of 100 surveyed points as its CSV file,
// the benchmark's (bench/reach_bench.cpp): sections 20 m apart falling 1 in
// 2000, but 3 in 100 from 8 km to 9 km, so the flow passes through critical
// depth and jumps back; for the page's test of a large reach.
export function riverReach(count = 1000) {
  const number = (x) => x.toFixed(2);
  const lines = ['station,points,left_bank,right_bank,Q,upstream,downstream'];
  let state = 12345;
  for (let k = 0; k < count; ++k) {
    const station = 20 * k;
    const bed = 130 - 0.0005 * station - (station > 8000 ? 0.0295 * (Math.min(station, 9000) - 8000) : 0);
    const points = [];
    for (let p = 0; p < 100; ++p) {
      state = (Math.imul(state, 1664525) + 1013904223) >>> 0;
      const noise = (state >>> 8) / 16777216 * 0.1 - 0.05;
      const x = 3 * p;
      const across = (x - 150) / 51;
      const z = x < 99 ? bed + 4.5 + (99 - x) * 0.02 : x > 201 ? bed + 4.6 + (x - 201) * 0.02 : bed + 4 * across * across;
      const n = { 0: ',0.06', 33: ',0.035', 67: ',0.07' }[p] ?? '';
      points.push(`${number(x)},${number(p === 0 || p === 99 ? z + 3 : z + noise)}${n}`);
    }
    const end = k === 0 ? ',300,critical,' : k === count - 1 ? ',,,normal=0.0005' : ',,,';
    lines.push(`${number(station)},"${points.join(' ')}",99,201${end}`);
  }
  return `${lines.join('\n')}\n`;
}

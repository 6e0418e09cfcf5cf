// A river of `count` surveyed points as a spreadsheet copies it: a header,
// cells apart by tabs, n given at the first point only. For the page's paste
// test and its benchmark.
export function riverSurvey(count) {
  const lines = ['起点距\t高程\t糙率'];
  for (let k = 0; k < count; ++k) {
    const z = (100 + Math.abs(k - count / 2) / (count / 8) + (k % 7) / 100).toFixed(3);
    lines.push(k ? `${k / 2}\t${z}` : `0\t${z}\t0.035`);
  }
  return lines.join('\n');
}

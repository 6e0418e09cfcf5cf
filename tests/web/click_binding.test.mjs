// channelflow_core.js as a page loads it, run by node's test runner:
//   CHANNELFLOW_CORE=build/wasm/web/channelflow_core.js \
//   CHANNELFLOW_CLICK_TABLE=build/wasm/tests/oracle node --test tests/web/click_binding.test.mjs
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { test } from 'node:test';

const createChannelflowCore = createRequire(import.meta.url)(process.env.CHANNELFLOW_CORE);
const core = await createChannelflowCore();

const ok = (v, Q) => ({ ok: true, v, Q });
const error = (code, message) => ({ ok: false, error: code, message: `错误 ${code}：${message}` });

test('a click answers as channelflow-cli does', () => {
  const rows = [
    [['2', '1', '1', '0.001', '0.025'], ok('0.921022784049301', '2.7630683521479')],
    [['2m', '1 m', '1', '0.001', ' 0.025 '], ok('0.921022784049301', '2.7630683521479')],
    [['0.001', '0.000001', '0', '1e-6', '2.5e-2'], ok('3.994675539782E-06', '3.994675539782E-15')],
    [['计算', '1', '1', '0.001', '0.025'], ok('0.632455532033676', '0.632455532033676')],
    [['-1', '1', '0', '0.001', '0.025'], error(5, '参数无效：负数不能取分数次幂')],
    [['1e308', '1e308', '1', '1', '0.001'], error(6, '溢出：结果超出数值范围')],
    [['', '', '', '', ''], error(11, '除数为零')],
    [['2', '1', '1', '0.001', 'abc'], error(13, '文本不是有效的数字')],
  ];
  for (const [boxes, expected] of rows) {
    const answer = core.click(...boxes);
    const { english, field, ...shown } = answer;
    assert.deepEqual(shown, expected, boxes.join(' | '));
    if (!answer.ok) {
      assert.match(english, new RegExp(`^Error ${answer.error}: `));
      assert.equal(field, answer.error === 13 ? 'n' : '');
    }
  }
});

// The click table's lines use \t, \n, \r and \\ for those characters.
const unescape = (field) => field.replace(/\\([tnr\\])/g, (_, c) => ({ t: '\t', n: '\n', r: '\r', '\\': '\\' })[c]);

test("the click table gives the oracle's answers", { skip: !process.env.CHANNELFLOW_CLICK_TABLE }, () => {
  const folder = process.env.CHANNELFLOW_CLICK_TABLE;
  const inputs = readFileSync(join(folder, 'click_input.txt'), 'utf8').split('\n');
  const expected = readFileSync(join(folder, 'click_expected.txt'), 'utf8').split('\n');
  let compared = 0;
  const differing = [];
  for (let k = 0; k < expected.length - 1; ++k) {
    const fields = inputs[k].replace(/\r$/, '').split('\t');
    if (fields.length !== 5) continue;  // the stream's own "error fields"
    const answer = core.click(...fields.map(unescape));
    const text = answer.ok ? `${answer.v}\t${answer.Q}` : `error ${answer.error}`;
    ++compared;
    if (text !== expected[k]) differing.push(`line ${k + 1}: ${JSON.stringify(inputs[k])} gave ${text}, not ${expected[k]}`);
  }
  assert.ok(compared > 100000, `only ${compared} lines compared`);
  assert.deepEqual(differing.slice(0, 10), [], `${differing.length} of ${compared} lines differ`);
});

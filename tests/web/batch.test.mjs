// Batches in pieces: records, spreadsheet pastes and the chunked run.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { recordEnds, parseRecord, tabsToCsv, runBatch, summarize } from '../../web/src/batch-run.js';
import { decodeBytes } from '../../web/src/batch-worker.js';
import { batchAnswer } from '../../web/src/core.js';
import { fakeBatch } from './fake-core.js';

test('records end at line ends outside quotes', () => {
  const rows = [
    ['a\nb\n', [2, 4]],
    ['a\r\nb\r\n', [3, 6]],
    ['a\rb', [2, 3]],
    ['"x\ny",1\nz', [8, 9]],
    ['', []],
  ];
  for (const [text, ends] of rows) assert.deepEqual(recordEnds(text), ends, JSON.stringify(text));
});

test('cells of a record', () => {
  const rows = [
    ['a,b,c\r\n', ',', ['a', 'b', 'c']],
    ['"a,b","say ""hi""",\n', ',', ['a,b', 'say "hi"', '']],
    ['1\t"two\nlines"\t3', '\t', ['1', 'two\nlines', '3']],
  ];
  for (const [record, delimiter, cells] of rows) assert.deepEqual(parseRecord(record, delimiter), cells);
});

test('a spreadsheet paste becomes CSV; CSV stays as it is', () => {
  assert.equal(tabsToCsv('B\th\n2,5\t1\n\n"a""b"\tx\n'), 'B,h\r\n"2,5",1\r\n"a""b",x\r\n');
  assert.equal(tabsToCsv('B,h\n1,2\n'), 'B,h\n1,2\n');
});

test('bytes that are not UTF-8 become U+FFFD and a byte order mark is dropped', () => {
  assert.equal(decodeBytes(new Uint8Array([0xef, 0xbb, 0xbf, 0x41, 0xff, 0xe6, 0xb0, 0xb4])), 'A\ufffd水');
});

test('a batch in chunks keeps one header, every row in order, and reports progress', async () => {
  const rows = Array.from({ length: 7 }, (_, k) => `${k}`);
  const input = `h\n${rows.join('\n')}`;
  const seen = [];
  const progress = [];
  const echo = (csv) => {
    seen.push(csv);
    return { ok: true, csv: csv.replace(/^h\r?\n/, 'h,out\r\n').replace(/^(\d+)$/gm, '$1,x') };
  };
  const answer = await runBatch(input, echo, { chunkRows: 3, onProgress: (done, total) => progress.push([done, total]) });
  assert.equal(answer.csv, 'h,out\r\n0,x\n1,x\n2,x\n3,x\n4,x\n5,x\n6,x');
  assert.deepEqual(progress, [[3, 7], [6, 7], [7, 7]]);
  assert.ok(seen.every((chunk) => chunk.startsWith('h\n')));
});

test('a refused chunk ends the batch with the core\'s problems', async () => {
  const refuse = () => ({ ok: false, problems: [{ field: '', message: 'header' }] });
  assert.deepEqual(await runBatch('x\n1\n', refuse), { ok: false, problems: [{ field: '', message: 'header' }] });
  assert.deepEqual(await runBatch('', refuse), { ok: true, csv: '' });
});

test('a summary counts rows and error rows and keeps the first rows only', () => {
  const csv = 'B,error\r\n1,\r\n2,"bad, row"\r\n3,\r\n4,no';
  assert.deepEqual(summarize(csv, 2), { rows: 4, errors: 2, text: 'B,error\r\n1,\r\n2,"bad, row"\r\n', ends: [9, 13, 27] });
  assert.deepEqual(summarize('', 5), { rows: 0, errors: 0, text: '', ends: [] });
});

test('the batch service answers its counts and CSV, or a header it cannot use as a problem with its field and code', () => {
  assert.deepEqual(batchAnswer(fakeBatch('B,h,m,i,n\n2,1,1,x,0.025\n', 'en')),
    { ok: true, rows: 1, failed: 1, csv: 'B,h,m,i,n,Q,error\n2,1,1,x,0.025,,bad row\n' });
  const refused = batchAnswer(fakeBatch('B,h,m,i\n1,1,1,1\n', 'en'));
  assert.deepEqual(refused.problems.map((p) => [p.field, p.code, p.message]),
    [['csv', 'column-missing-bhmin', 'The header lacks column n (it needs B, h, m, i and n)']]);
  assert.deepEqual(batchAnswer(fakeBatch('', 'zh')), { ok: true, rows: 0, failed: 0, csv: '' });
});

// The page's assembly: the module joiner and the inline blocks' policy.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import vm from 'node:vm';
import { bundle, assemble, inlineSafe, parseExports, parseImports, splitWasm } from '../../web/build.mjs';
import { gunzipped } from '../../web/src/core.js';

function files(table) {
  return (file) => {
    const name = file.slice(file.lastIndexOf('/') + 1);
    if (!(name in table)) throw new Error(`no ${name}`);
    return table[name];
  };
}

test('joined modules run in dependency order with renamed and namespace imports', () => {
  const read = files({
    'main.js': "import { twice as double } from './b.js';\nimport * as a from './a.js';\nexport const result = double(a.base) + a.offset;\n",
    'b.js': "import { base } from './a.js';\nexport function twice(x) {\n  return 2 * x + base - base;\n}\n",
    'a.js': 'export const base = 20;\nconst offset = 2;\nexport { offset };\n',
  });
  const { script, last } = bundle('/x/main.js', read);
  assert.equal(vm.runInNewContext(`${script}\n${last}.result`), 42);
});

test('an import cycle is refused', () => {
  const read = files({ 'a.js': "import { b } from './b.js';\nexport const a = 1;\n", 'b.js': "import { a } from './a.js';\nexport const b = 1;\n" });
  assert.throws(() => bundle('/x/a.js', read), /import cycle/);
});

test('imports and exports are read from the lines that declare them only', () => {
  const source = "import { a, b as c } from './m.js';\nexport async function f() {}\nexport class K {}\nconst s = 'export const no = 1';\n";
  assert.deepEqual(parseImports(source), [{ names: [['a', 'a'], ['b', 'c']], namespace: null, from: './m.js' }]);
  assert.deepEqual(parseExports(source), ['f', 'K']);
});

test('inline blocks cannot close their element or open a comment', () => {
  assert.equal(inlineSafe('"</script>" + "</STYLE" + "<!--"'), '"<\\/script>" + "<\\/STYLE" + "<\\!--"');
});

test('the policy names the hash of each block exactly as written into the page', () => {
  const core = 'var x = "$& $1 </script>";';
  const page = assemble({ template: '@CSP@|<style>@STYLE@</style><script>@CORE@</script><script>@APP@</script>', style: 'p{}', core, app: 'go()' });
  const [csp] = page.split('|');
  const written = page.match(/<script>(.*?)<\/script><script>/)[1];
  assert.equal(written, inlineSafe(core));
  const hash = (text) => `'sha256-${createHash('sha256').update(text).digest('base64')}'`;
  for (const block of [written, 'go()']) assert.ok(csp.includes(hash(block)), block);
  assert.ok(csp.includes(`style-src ${hash('p{}')}`));
  assert.match(csp, /default-src 'none'/);
  assert.doesNotMatch(csp, /unsafe-inline|'unsafe-eval'|connect-src/);
});

test('the module\'s WebAssembly leaves its script for a data block, gzipped; its loader\'s own prefix stays', async () => {
  const module = 'var p="data:application/octet-stream;base64,";var f="data:application/octet-stream;base64,AGFzbQEAAAA=";go(f)';
  const { core, wasm } = splitWasm(module);
  assert.equal(core, 'var p="data:application/octet-stream;base64,";var f="";go(f)');
  const bytes = await gunzipped(new Uint8Array(Buffer.from(wasm, 'base64')));
  assert.equal(Buffer.from(bytes).toString('base64'), 'AGFzbQEAAAA=');
  assert.deepEqual(await gunzipped(bytes), bytes, 'bytes that are not gzip pass as they are');
  assert.deepEqual(splitWasm('var x = 1'), { core: 'var x = 1', wasm: '' });
});

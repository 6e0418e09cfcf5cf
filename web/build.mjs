// Assembles the offline page: one HTML file holding the core module (with
// its WebAssembly inside), the page's ES modules joined into one script, and
// the style sheet, under a Content-Security-Policy that allows exactly these
// inline blocks (by their hashes) and nothing from any network.
//
//   node web/build.mjs [--module FILE] [--out FILE]
//
// --module   the core module (default build/wasm/web/channelflow_core.js)
// --out      the page (default build/wasm/web/channelflow.html)

import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join, relative, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(here, '..');
export const largestPage = 1024 * 1024;

// One module's imports: [{names: [[exported, local]] | null, namespace, from}].
export function parseImports(source) {
  const imports = [];
  const pattern = /^import\s+(?:\{([^}]*)\}|\*\s+as\s+(\w+))\s+from\s+'([^']+)';[ \t]*$/gm;
  for (const match of source.matchAll(pattern)) {
    const names = match[1]
      ? match[1].split(',').map((s) => s.trim()).filter(Boolean).map((s) => {
        const [exported, local] = s.split(/\s+as\s+/);
        return [exported, local ?? exported];
      })
      : null;
    imports.push({ names, namespace: match[2] ?? null, from: match[3] });
  }
  return imports;
}

export function parseExports(source) {
  const names = [];
  for (const match of source.matchAll(/^export\s+(?:async\s+)?(?:function\*?|class|const|let)\s+([A-Za-z_$][\w$]*)/gm)) names.push(match[1]);
  for (const match of source.matchAll(/^export\s*\{([^}]*)\};?[ \t]*$/gm)) {
    names.push(...match[1].split(',').map((s) => s.trim()).filter(Boolean));
  }
  return names;
}

// The module's body with its import lines and export keywords taken out.
export function stripModuleSyntax(source) {
  return source
    .replace(/^import\s+(?:\{[^}]*\}|\*\s+as\s+\w+)\s+from\s+'[^']+';[ \t]*$/gm, '')
    .replace(/^export\s*\{[^}]*\};?[ \t]*$/gm, '')
    .replace(/^export\s+(?=(?:async\s+)?(?:function|class|const|let)\b)/gm, '');
}

// Joins an entry module and everything it imports into one classic script:
// each module becomes a function scope that returns its exports, in an order
// where every module comes after those it imports.
export function bundle(entry, read = (file) => readFileSync(file, 'utf8')) {
  const order = [];
  const ids = new Map();
  const visiting = new Set();
  const visit = (file) => {
    if (ids.has(file)) return;
    if (visiting.has(file)) throw new Error(`import cycle through ${file}`);
    visiting.add(file);
    const source = read(file);
    const imports = parseImports(source).map((i) => ({ ...i, file: resolve(dirname(file), i.from) }));
    for (const i of imports) visit(i.file);
    visiting.delete(file);
    ids.set(file, `module${ids.size}`);
    order.push({ file, source, imports });
  };
  visit(resolve(entry));
  const parts = ['"use strict";'];
  for (const { file, source, imports } of order) {
    const lines = [`// ${relative(root, file)}`, `const ${ids.get(file)} = (() => {`];
    for (const i of imports) {
      if (i.namespace) lines.push(`const ${i.namespace} = ${ids.get(i.file)};`);
      else lines.push(`const { ${i.names.map(([e, l]) => (e === l ? e : `${e}: ${l}`)).join(', ')} } = ${ids.get(i.file)};`);
    }
    lines.push(stripModuleSyntax(source).trim());
    lines.push(`return { ${parseExports(source).join(', ')} };`, '})();');
    parts.push(lines.join('\n'));
  }
  return { script: parts.join('\n\n'), last: ids.get(resolve(entry)) };
}

// Text safe inside <script> or <style>: no end tag and no comment opener.
export function inlineSafe(text) {
  return text.replace(/<\/(script|style)/gi, '<\\/$1').replace(/<!--/g, '<\\!--');
}

export function sha256(text) {
  return `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;
}

export function policy({ scripts, styles }) {
  return [
    "default-src 'none'",
    `script-src ${scripts.map(sha256).join(' ')} 'wasm-unsafe-eval'`,
    `style-src ${styles.map(sha256).join(' ')}`,
    'img-src data: blob:',
    'worker-src blob:',
    "base-uri 'none'",
    "form-action 'none'",
  ].join('; ');
}

// The module's WebAssembly, which emscripten inlines as a base64 data: URL in
// a string of its script, taken out into a data block of its own: the HTML
// parser passes over a data block quickly, where a 400 KB string in a script
// is scanned again by the JavaScript parser at every start. The block holds
// the bytes gzipped (WebAssembly shrinks to about a third, and the browser's
// own DecompressionStream restores it in a few milliseconds); the page hands
// them to the module's factory (core.js, pageWasm). A module in any other
// form is left as it is.
export function splitWasm(module) {
  const match = /(["'])data:application\/octet-stream;base64,(AGFzbQ[A-Za-z0-9+/=]*)\1/.exec(module);
  if (!match) return { core: module, wasm: '' };
  const wasm = gzipSync(Buffer.from(match[2], 'base64'), { level: 9 }).toString('base64');
  return { core: module.slice(0, match.index) + '""' + module.slice(match.index + match[0].length), wasm };
}

export function assemble({ template, style, core, app, wasm = '' }) {
  const blocks = { style: inlineSafe(style), core: inlineSafe(core), app: inlineSafe(app) };
  const csp = policy({ scripts: [blocks.core, blocks.app], styles: [blocks.style] });
  // Replacements by function, so a '$' in the code is never a pattern.
  return template
    .replace('@CSP@', () => csp)
    .replace('@STYLE@', () => blocks.style)
    .replace('@WASM@', () => wasm)
    .replace('@CORE@', () => blocks.core)
    .replace('@APP@', () => blocks.app);
}

function options(argv) {
  const o = { module: join(root, 'build/wasm/web/channelflow_core.js'), out: join(root, 'build/wasm/web/channelflow.html') };
  for (let k = 0; k < argv.length; ++k) {
    if (argv[k] === '--module') o.module = argv[++k];
    else if (argv[k] === '--out') o.out = argv[++k];
    else throw new Error(`unknown option ${argv[k]}`);
  }
  return o;
}

function main() {
  const o = options(process.argv.slice(2));
  const src = join(here, 'src');
  let core;
  try {
    core = readFileSync(o.module, 'utf8');
  } catch {
    throw new Error(`${o.module} is missing: build the core module first (./dev web builds it and the page)`);
  }
  const page = assemble({
    template: readFileSync(join(src, 'page.html'), 'utf8'),
    style: readFileSync(join(src, 'style.css'), 'utf8'),
    ...splitWasm(core),
    app: bundle(join(src, 'main.js')).script,
  });
  const size = Buffer.byteLength(page);
  if (size > largestPage) throw new Error(`the page is ${size} bytes, over ${largestPage}`);
  mkdirSync(dirname(o.out), { recursive: true });
  writeFileSync(o.out, page);
  console.log(`${relative(process.cwd(), o.out)}: ${size} bytes`);
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  try {
    main();
  } catch (error) {
    console.error(`build: ${error.message}`);
    process.exit(1);
  }
}

// The offline page in headless chromium: start-up against a blank page, a
// keystroke to redrawn results and pictures, a pasted survey and reach, and the file's size.
//   node bench/web/page_bench.mjs [PAGE]   (./dev bench runs it)
import { writeFileSync, statSync, mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, openPage, pages, pageUrl } from '../../tests/web/browser.mjs';
import { riverSurvey } from '../../tests/web/river.mjs';
import { riverReach } from '../../tests/web/reach-file.mjs';
import { canalLine500 } from '../../tests/web/canal-line.mjs';

const runs = 15;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(1)} ms`;

const browser = await launch();
const context = await browser.newContext();
const blank = join(mkdtempSync(join(tmpdir(), 'channelflow-bench-')), 'blank.html');
writeFileSync(blank, '<!doctype html><title>blank</title>');
const shipped = process.argv[2] ?? pages.shipped;

// Navigation start to the page's ready mark, and to a blank page's load end.
async function startUp(file, ready) {
  const times = [];
  const page = await context.newPage();
  for (let k = 0; k < runs; ++k) {
    await page.goto(`${pageUrl(file)}?run=${k}`);
    if (ready) await page.waitForSelector('html[data-ready]');
    times.push(await page.evaluate((isReady) => (isReady
      ? performance.getEntriesByName('channelflow-ready')[0].startTime
      : performance.getEntriesByType('navigation')[0].loadEventEnd), ready));
  }
  await page.close();
  return median(times);
}

// Types one character into a box and times the handler (results and
// pictures redrawn in the DOM: the core's call, reading its JSON answer and
// the page's own work) and the browser's style, layout and paint after it.
async function keystroke(page, selector, texts) {
  return page.evaluate(async ({ selector: box, texts: values, count }) => {
    const input = document.querySelector(box);
    const runs = { handler: [], core: [], parse: [], render: [] };
    const total = (name) => performance.getEntriesByName(name).reduce((sum, e) => sum + e.duration, 0);
    for (let k = 0; k < count; ++k) {
      await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));
      performance.clearMeasures();
      const start = performance.now();
      input.value = values[k % values.length];
      input.dispatchEvent(new Event('input', { bubbles: true }));
      runs.handler.push(performance.now() - start);
      runs.core.push(total('channelflow-core'));
      runs.parse.push(total('channelflow-parse'));
      runs.render.push(await new Promise((resolve) => requestAnimationFrame(() => {
        const frame = performance.now();
        setTimeout(() => resolve(performance.now() - frame));
      })));
    }
    const mid = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length / 2)];
    return Object.fromEntries(Object.entries(runs).map(([key, values]) => [key, mid(values)]));
  }, { selector, texts, count: runs });
}

const split = (t) => `${ms(t.handler + t.render)} = core ${ms(t.core)} + JSON ${ms(t.parse)} + page ${ms(t.handler - t.core - t.parse)} + render ${ms(t.render)}`;

async function panelPage(file, tab, boxes) {
  const { page } = await openPage(context, file);
  await page.getByRole('tab', { name: tab, exact: true }).click();
  for (const [name, text] of Object.entries(boxes)) await page.locator(`[role=tabpanel]:not([hidden]) input[name="${name}"]`).fill(text);
  return page;
}

const blankLoad = await startUp(blank, false);
const pageReady = await startUp(shipped, true);
const probe = (await openPage(context, shipped)).page;
const calculator = await keystroke(probe, '[role=tabpanel]:not([hidden]) input[name=B]', ['2', '2.5', '3']);
const uniformPage = await panelPage(shipped, '均匀流', {});
const uniform = await keystroke(uniformPage, '[role=tabpanel]:not([hidden]) input[name=B]', ['2', '2.5', '3']);
const ratingPage = await panelPage(shipped, '水位流量关系', { h: '0.01:2:0.01', Q: '2.76' });
const rating = await keystroke(ratingPage, '[role=tabpanel]:not([hidden]) input[name=B]', ['2', '2.5', '3']);
const profilePage = await panelPage(shipped, '水面线', { steps: '10000' });
const profile = await keystroke(profilePage, '[role=tabpanel]:not([hidden]) input[name=B]', ['2', '2.5', '3']);
const designPage = await panelPage(shipped, '渠道设计', {});
const design = await keystroke(designPage, '[role=tabpanel]:not([hidden]) input[name=Q]', ['10', '12', '8']);
const siphonPage = await panelPage(shipped, '倒虹吸', {});
const siphon = await keystroke(siphonPage, '[role=tabpanel]:not([hidden]) input[name=Q]', ['2', '2.2', '1.8']);
// A 200-point river of three parts, pasted at once as from a spreadsheet.
const river = Array.from({ length: 200 }, (_, k) => [k, (Math.abs(k - 100) / 20 + (k % 7) / 50).toFixed(3), { 0: '0.06', 40: '0.035', 160: '0.06' }[k]]
  .filter((cell) => cell !== undefined).join('\t')).join('\n');
const naturalPage = await panelPage(shipped, '天然断面', { h: '3', i: '0.0004' });
await naturalPage.evaluate((text) => {
  const box = document.querySelector('[role=tabpanel]:not([hidden]) textarea[name=points]');
  box.value = text;
  box.dispatchEvent(new Event('input'));
}, river);
const natural = await keystroke(naturalPage, '[role=tabpanel]:not([hidden]) input[name=h]', ['3', '3.5', '4']);

// A survey pasted into 天然断面 by the keyboard, as a user pastes it: the
// longest task (the page frozen) and the time to the drawing or the core's
// refusal, each on a fresh page.
async function paste(count) {
  const pasteContext = await browser.newContext();
  await pasteContext.grantPermissions(['clipboard-read', 'clipboard-write']);
  const { page } = await openPage(pasteContext, shipped);
  await page.getByRole('tab', { name: '天然断面', exact: true }).click();
  await page.evaluate((text) => navigator.clipboard.writeText(text), riverSurvey(count));
  await page.evaluate(() => {
    window.longestTask = 0;
    new PerformanceObserver((list) => {
      for (const task of list.getEntries()) window.longestTask = Math.max(window.longestTask, task.duration);
    }).observe({ type: 'longtask' });
    document.querySelector('[role=tabpanel]:not([hidden]) textarea[name=points]')
      .addEventListener('paste', () => { window.pastedAt = performance.now(); }, { capture: true });
  });
  await page.locator('[role=tabpanel]:not([hidden]) textarea[name=points]').focus();
  await page.keyboard.press('Control+A');
  await page.keyboard.press('Control+V');
  const settled = await page.waitForFunction((rows) => {
    const shown = document.querySelector('[role=tabpanel]:not([hidden])');
    const done = shown.querySelector('table[data-table=points]').getAttribute('aria-rowcount') === String(rows)
      && !shown.querySelector('.results-area[aria-busy]') && shown.querySelector('.missing, figure svg');
    return done && performance.now() - window.pastedAt;
  }, count + 1, { timeout: 120000, polling: 10 });
  const figures = { settled: await settled.jsonValue(), longest: await page.evaluate(() => window.longestTask) };
  await pasteContext.close();
  return `longest task ${ms(figures.longest)} (target 100 ms), drawn or refused after ${ms(figures.settled)}`;
}
// A reach of 1,000 sections of 100 points pasted into 河道水面线 with its
// header, on a fresh page: the longest task and the time to its profile with the jump.
async function pasteReach() {
  const pasteContext = await browser.newContext();
  await pasteContext.grantPermissions(['clipboard-read', 'clipboard-write']);
  const { page } = await openPage(pasteContext, shipped);
  await page.getByRole('tab', { name: '河道水面线', exact: true }).click();
  await page.evaluate((text) => navigator.clipboard.writeText(text), riverReach(1000));
  const cell = '[role=tabpanel]:not([hidden]) table[data-table=reach-sections] input[data-row="0"][data-column="0"]';
  await page.evaluate((first) => {
    window.longestTask = 0;
    new PerformanceObserver((list) => {
      for (const task of list.getEntries()) window.longestTask = Math.max(window.longestTask, task.duration);
    }).observe({ type: 'longtask' });
    document.querySelector(first).addEventListener('paste', () => { window.pastedAt = performance.now(); }, { capture: true });
  }, cell);
  await page.locator(cell).focus();
  await page.keyboard.press('Control+V');
  const settled = await page.waitForFunction(() => document.querySelector('[role=tabpanel]:not([hidden]) svg [data-mark]')
    && performance.now() - window.pastedAt, null, { timeout: 120000, polling: 10 });
  const figures = { settled: await settled.jsonValue(), longest: await page.evaluate(() => window.longestTask) };
  await pasteContext.close();
  return `longest task ${ms(figures.longest)} (target 100 ms), drawn with its jump after ${ms(figures.settled)}`;
}

// A keystroke in a cell of a 500-node canal line (the core's benchmark's,
// 20 structures, three flows), to its profile drawn again: the line goes to
// the worker, so the page's longest task is timed too. Each value new, so
// that no answer kept from before is taken.
async function lineKeystrokes() {
  const { page } = await openPage(context, shipped);
  await page.getByRole('tab', { name: '渠线水面线', exact: true }).click();
  const shown = '[role=tabpanel]:not([hidden])';
  await page.locator(`${shown} input[name=level]`).fill('1000');
  await page.locator(`${shown} input[name=line-file]`).setInputFiles({ name: 'line500.csv', mimeType: 'text/csv', buffer: Buffer.from(canalLine500()) });
  await page.waitForFunction((panel) => document.querySelector(panel).querySelectorAll('table[data-table=line-nodes] tbody tr[data-row]').length > 0
    && document.querySelector(`${panel} [data-picture=channelflow-line-profile] svg`), shown, { timeout: 60000 });
  const figures = await page.evaluate(async ({ panel, count }) => {
    const root = document.querySelector(panel);
    const input = root.querySelector('table[data-table=line-nodes] td[data-column=B] input[data-row="0"]');
    let longest = 0;
    new PerformanceObserver((list) => {
      for (const task of list.getEntries()) longest = Math.max(longest, task.duration);
    }).observe({ type: 'longtask' });
    const drawn = [];
    for (let k = 0; k <= count; ++k) {
      await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));
      const before = root.querySelector('[data-picture=channelflow-line-profile] svg');
      const start = performance.now();
      input.value = (3 + (k + 1) / 1000).toFixed(3);
      input.dispatchEvent(new Event('input', { bubbles: true }));
      await new Promise((resolve) => {
        const poll = () => {
          const now = root.querySelector('[data-picture=channelflow-line-profile] svg');
          if (now && now !== before && !root.querySelector('.results-area[aria-busy]')) requestAnimationFrame(() => setTimeout(resolve));
          else setTimeout(poll, 1);
        };
        poll();
      });
      // The first keystroke also starts the worker and its core.
      if (k > 0) drawn.push(performance.now() - start);
    }
    return { drawn: drawn.sort((a, b) => a - b)[Math.floor(drawn.length / 2)], longest };
  }, { panel: shown, count: runs });
  await page.close();
  return `${ms(figures.drawn)} to the profile drawn again (target 50 ms), longest task ${ms(figures.longest)}`;
}
const line = await lineKeystrokes();

const pastes = [];
for (const count of [2000, 20000, 200000]) pastes.push([`paste, 天然断面 ${count} points`, await paste(count)]);
pastes.push(['paste, 河道水面线 1,000 sections of 100 points', await pasteReach()]);
await browser.close();

const rows = [
  ['page size', `${statSync(shipped).size} bytes (limit 1048576)`],
  ['blank page: navigation to load end', ms(blankLoad)],
  ['page: navigation to data-ready', `${ms(pageReady)} (${ms(pageReady - blankLoad)} more than blank; target ≤ 100 ms)`],
  ['keystroke, 计算器 (real click)', `${ms(calculator.handler)} + render ${ms(calculator.render)}`],
  ['keystroke, 均匀流 (solve, outline, drawing; target 16 ms)', split(uniform)],
  ['keystroke, 水位流量关系 200 points, 3 curves (16 ms)', split(rating)],
  ['keystroke, 水面线 10,000 steps (target 50 ms)', split(profile)],
  ['keystroke, 渠道设计 (design, its DXF, drawing; 16 ms)', split(design)],
  ['keystroke, 倒虹吸 (TV1 at 3 flows, drawing, DXF, bars)', split(siphon)],
  ['keystroke, 天然断面 200 points, rating of 50 depths', split(natural)],
  ['keystroke, 渠线水面线 500 nodes, 3 flows (worker)', line],
  ...pastes,
];
for (const [what, figure] of rows) console.log(`${what.padEnd(54)} ${figure}`);

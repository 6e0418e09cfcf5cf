// Debian's chromium driven by playwright-core, for the page's browser tests,
// its benchmark and its screenshots: a fresh profile each time, nothing that
// reaches out, and a record of every request and console message.

import { existsSync } from 'node:fs';
import { join, resolve, dirname } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { createRequire } from 'node:module';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const { chromium } = createRequire(join(root, 'web/package.json'))('playwright-core');

export const pages = {
  // The page as shipped, over the real core module.
  shipped: join(root, 'build/wasm/web/channelflow.html'),
};

export function pageUrl(file) {
  if (!existsSync(file)) throw new Error(`${file} is missing: run ./dev web`);
  return pathToFileURL(file).href;
}

// One browser for a run; each test takes a new context, whose storage starts
// empty. Playwright gives the browser a fresh --user-data-dir of its own and
// removes it on close.
export async function launch() {
  const browser = await chromium.launch({
    executablePath: process.env.CHANNELFLOW_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  return {
    browser,
    newContext: (options = {}) => browser.newContext({ viewport: { width: 1200, height: 900 }, acceptDownloads: true, ...options }),
    close: () => browser.close(),
  };
}

// A new tab that records what a test must check: console errors, page errors
// and requests for anything but the page itself and its own blob: and data: URLs.
export async function openPage(context, file, { ready = true } = {}) {
  const page = await context.newPage();
  const url = pageUrl(file);
  const record = { errors: [], requests: [] };
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warning') record.errors.push(message.text());
  });
  page.on('pageerror', (error) => record.errors.push(error.message));
  page.on('request', (request) => {
    const target = request.url();
    if (target !== url && !target.startsWith('blob:') && !target.startsWith('data:')) record.requests.push(target);
  });
  await page.goto(url);
  if (ready) await page.waitForSelector('html[data-ready]', { timeout: 15000 });
  return { page, record };
}

// Screenshots of the offline page, one per panel, into docs/:
//   node docs/screenshot-web.mjs [PAGE]      (after ./dev web)
// Panels the core does not offer yet are left out (see the README).
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { launch, openPage, pages } from '../tests/web/browser.mjs';

const docs = dirname(fileURLToPath(import.meta.url));
const shots = { 计算器: 'calculator', 均匀流: 'uniform', 水位流量关系: 'rating', 水跃: 'jump', 水面线: 'profile', 天然断面: 'natural', 河道水面线: 'reach', 渠线水面线: 'line', 批量: 'batch', 渠道设计: 'design',
  倒虹吸: 'siphon', 渡槽: 'aqueduct', 涵洞与隧洞: 'culvert-tunnel', '渐变段、节制闸、跌水与陡坡': 'structure-parts' };

const browser = await launch();
try {
  const context = await browser.newContext({ viewport: { width: 1100, height: 800 }, deviceScaleFactor: 1 });
  const { page } = await openPage(context, process.argv[2] ?? pages.shipped);
  for (const tab of await page.getByRole('tab').allTextContents()) {
    await page.getByRole('tab', { name: tab, exact: true }).click();
    await page.waitForTimeout(300);
    const file = join(docs, `web-${shots[tab] ?? tab}.png`);
    if (shots[tab] === 'reach') {
      // The README's reach, its pictures alone (the whole panel is three screens long).
      const reach = page.getByRole('tabpanel');
      await reach.locator('input[name=reach-file]').setInputFiles(join(docs, 'reach.csv'));
      await reach.locator('[data-flow="380"]').waitFor();
      await reach.locator('.pictures').screenshot({ path: file });
    } else if (shots[tab] === 'line') {
      // The README's line, its profile alone, its bands to 0.001 m as drawings write them.
      const line = page.getByRole('tabpanel');
      await page.locator('#page-digits').selectOption('3');
      await line.locator('input[name=level]').fill('1268.5');
      await line.locator('input[name=line-file]').setInputFiles(join(docs, 'canal.csv'));
      await line.locator('[data-picture=channelflow-line-profile] svg [data-span]').first().waitFor();
      await line.locator('[data-picture=channelflow-line-profile]').screenshot({ path: file });
      await page.locator('#page-digits').selectOption('full');
    } else {
      await page.screenshot({ path: file, fullPage: true });
    }
    console.log(file);
  }
} finally {
  await browser.close();
}

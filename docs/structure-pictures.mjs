// The README's pictures of the structure panels, as the page saves them
// (SVG), for the worked siphon (TV1) and aqueduct (TV2) the panels open with,
// at 工程精度:
//   node docs/structure-pictures.mjs [PAGE]      (after ./dev web)
import { writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { launch, openPage, pages } from '../tests/web/browser.mjs';

const docs = dirname(fileURLToPath(import.meta.url));
const pictures = [
  ['倒虹吸', 'channelflow-siphon', 'siphon-section.svg'],
  ['倒虹吸', 'channelflow-siphon-losses', 'siphon-losses.svg'],
  ['渡槽', 'channelflow-aqueduct', 'aqueduct-section.svg'],
];

const browser = await launch();
try {
  const { page } = await openPage(await browser.newContext(), process.argv[2] ?? pages.shipped);
  await page.locator('select[name=digits]').selectOption('eng');
  for (const [tab, picture, file] of pictures) {
    await page.getByRole('tab', { name: tab, exact: true }).click();
    const drawing = page.getByRole('tabpanel').locator(`figure[data-picture=${picture}] svg`);
    const text = await drawing.evaluate((node) => new XMLSerializer().serializeToString(node));
    writeFileSync(join(docs, file), `<?xml version="1.0" encoding="UTF-8"?>\n${text}\n`);
    console.log(join(docs, file));
  }
} finally {
  await browser.close();
}

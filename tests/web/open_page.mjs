// Opens a page file in chromium and prints the calculator's Q once the page
// is ready; fails on a console error or a request. For checking an installed
// page:  node tests/web/open_page.mjs /usr/share/channelflow/channelflow.html
import { launch, openPage } from './browser.mjs';

const browser = await launch();
try {
  const { page, record } = await openPage(await browser.newContext(), process.argv[2]);
  const q = await page.locator('[data-key=Q]').first().textContent();
  if (record.errors.length || record.requests.length) throw new Error(JSON.stringify(record));
  console.log(q);
} finally {
  await browser.close();
}

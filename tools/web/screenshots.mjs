// Takes the README's pictures of the page in headless Chromium: the puzzle
// example after Calc at a phone's 360x640 and the handheld's 240x268, and
// the hand-off at 360x640, into docs/.
//   node tools/web/screenshots.mjs
import path from 'node:path';
import { chromium } from '../../tests/web/node_modules/playwright-core/index.mjs';
import { pageDir, top } from '../../tests/web/engine.mjs';
import { serve } from './static-server.mjs';

const { server, url } = await serve(pageDir);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--hide-scrollbars'],
});
try {
  for (const [width, height, what] of [[360, 640, 'results'], [240, 268, 'results'], [360, 640, 'handoff']]) {
    const context = await browser.newContext({ viewport: { width, height } });
    const page = await context.newPage();
    await page.goto(url);
    await page.getByRole('button', { name: 'Calc' }).and(page.locator(':enabled')).waitFor();
    await page.waitForFunction(() => document.getElementById('script-name').textContent === 'puzzle.inp');
    // Scroll past the comments to the working lines, as a user would.
    await page.getByRole('textbox', { name: 'Script' }).evaluate((t) => {
      const line = t.value.slice(0, t.value.indexOf('VAR A')).split('\n').length - 1;
      t.scrollTop = line * parseFloat(getComputedStyle(t).lineHeight);
    });
    await page.getByRole('button', { name: 'Calc' }).click();
    let file = `web-${width}x${height}.png`;
    if (what === 'handoff') {
      await page.getByRole('button', { name: 'Hand-off' }).click();
      file = 'web-handoff.png';
    }
    await page.screenshot({ path: path.join(top, 'docs', file) });
    console.log(`docs/${file}`);
    await context.close();
  }
} finally {
  await browser.close();
  server.close();
}

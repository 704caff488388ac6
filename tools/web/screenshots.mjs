// Takes the README's pictures of the page in headless Chromium, into docs/:
// the puzzle example after Calc at a phone's 360x640 and the handheld's
// 240x268, the hand-off with the way from here at 360x640, Go on the way
// to the final with the phone's compass, and the page in the dark at 200 %
// text.
//   node tools/web/screenshots.mjs [FILE...]   (only those, e.g. web-go.png)
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
const pictures = [
  { file: 'web-360x640.png', width: 360, height: 640 },
  { file: 'web-240x268.png', width: 240, height: 268 },
  { file: 'web-handoff.png', width: 360, height: 640, handoff: true },
  { file: 'web-go.png', width: 360, height: 640, go: true },
  { file: 'web-dark-200.png', width: 360, height: 640, colorScheme: 'dark', fontSize: 32 },
];
const wanted = process.argv.slice(2);
try {
  for (const { file, width, height, handoff, go, colorScheme = 'light', fontSize } of pictures) {
    if (wanted.length > 0 && !wanted.includes(file)) continue;
    const context = await browser.newContext({
      viewport: { width, height }, colorScheme,
      // Near the final, for the way from here.
      geolocation: { latitude: 48.1921, longitude: 11.6311, accuracy: 6 },
      permissions: ['geolocation', 'accelerometer', 'gyroscope', 'magnetometer'],
    });
    const page = await context.newPage();
    if (go) {
      // A phone's wake lock, which headless Chromium refuses.
      await context.addInitScript(() => {
        Object.defineProperty(Navigator.prototype, 'wakeLock', { get: () => ({ request: async () => ({ release: async () => {} }) }) });
      });
      // A compass, the phone's top facing north-east (alpha counts the
      // other way round).
      const cdp = await context.newCDPSession(page);
      await cdp.send('Emulation.setSensorOverrideEnabled', { enabled: true, type: 'absolute-orientation' });
      const half = ((360 - 40) * Math.PI) / 360;
      await cdp.send('Emulation.setSensorOverrideReadings', {
        type: 'absolute-orientation', reading: { quaternion: { x: 0, y: 0, z: Math.sin(half), w: Math.cos(half) } },
      });
    }
    if (fontSize) {
      const cdp = await context.newCDPSession(page);
      await cdp.send('Page.setFontSizes', { fontSizes: { standard: fontSize } });
    }
    await page.goto(url);
    await page.getByRole('button', { name: 'Calc' }).and(page.locator(':enabled')).waitFor();
    await page.waitForFunction(() => document.getElementById('script-name').textContent === 'puzzle.inp');
    // Scroll past the comments to the working lines, as a user would.
    await page.getByRole('textbox', { name: 'Script' }).evaluate((t) => {
      const line = t.value.slice(0, t.value.indexOf('VAR A')).split('\n').length - 1;
      t.scrollTop = line * parseFloat(getComputedStyle(t).lineHeight);
    });
    await page.getByRole('button', { name: 'Calc' }).click();
    await page.getByRole('button', { name: 'Calc' }).and(page.locator(':enabled')).waitFor();
    if (handoff) {
      await page.getByRole('button', { name: 'Hand-off' }).click();
      await page.getByRole('button', { name: 'From here' }).click();
      await page.waitForFunction(() => document.getElementById('from-here').textContent.startsWith('From here'));
    }
    if (go) {
      await page.getByRole('button', { name: 'Hand-off' }).click();
      await page.getByRole('button', { name: 'Go' }).click();
      await page.locator('#go-arrow').waitFor();
    }
    await page.screenshot({ path: path.join(top, 'docs', file) });
    console.log(`docs/${file}`);
    await context.close();
  }
} finally {
  await browser.close();
  server.close();
}

// The page's layout on a phone's 360x640, the handheld's 240x268 and a
// desktop, in light and dark, at the browser's usual text size and at 150 %
// and 200 %: every command on the screen, the boxes usable, the key row
// showing that it scrolls. The screenshots go to build-web/screenshots/ for
// a person to look at.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import path from 'node:path';
import { top } from './engine.mjs';
import { calc, openPage, ready, scriptBox, startBrowser } from './browser.mjs';

const shots = process.env.ORBELIN_SCREENSHOTS ?? path.join(top, 'build-web/screenshots');
mkdirSync(shots, { recursive: true });

let session;
before(async () => {
  session = await startBrowser();
});
after(() => session?.close());

const commands = ['Calc', 'Load', 'Save', 'Hand-off', 'Done', 'Help'];

describe('the layout', () => {
  for (const [width, height] of [[360, 640], [240, 268], [1280, 800]]) {
    for (const [scale, colorScheme] of [[1, 'light'], [1.5, 'dark'], [2, 'light'], [2, 'dark']]) {
      if (width === 1280 && scale === 1.5) continue;
      const label = `${width}x${height}, text ${scale * 100} %, ${colorScheme}`;
      test(label, async () => {
        const { context, page, problems } = await openPage(session, { width, height, colorScheme, fontSize: 16 * scale });
        // The text follows the browser's font setting.
        const fontSize = await scriptBox(page).evaluate((t) => parseFloat(getComputedStyle(t).fontSize));
        assert.equal(fontSize, 14 * scale);
        await calc(page);
        // What the screen shows, and where the page scrolls to its end.
        // (A full-page picture would lose the text size.)
        const shot = path.join(shots, `${width}x${height}-${scale * 100}-${colorScheme}`);
        await page.screenshot({ path: `${shot}.png` });
        if (await page.evaluate(() => document.documentElement.scrollHeight > innerHeight)) {
          await page.evaluate(() => scrollTo(0, document.documentElement.scrollHeight));
          await page.screenshot({ path: `${shot}-end.png` });
          await page.evaluate(() => scrollTo(0, 0));
        }
        const layout = await page.evaluate((names) => {
          const doc = document.documentElement;
          const box = (el) => {
            const r = el.getBoundingClientRect();
            return { x: r.x, y: r.y + scrollY, right: r.right, bottom: r.bottom + scrollY, width: r.width, height: r.height };
          };
          const button = (name) => [...document.querySelectorAll('.commands button')]
            .find((b) => (b.getAttribute('aria-label') ?? b.textContent) === name);
          return {
            scrollWidth: doc.scrollWidth,
            scrollHeight: doc.scrollHeight,
            buttons: Object.fromEntries(names.map((n) => [n, box(button(n))])),
            script: box(document.getElementById('script')),
            results: box(document.getElementById('results')),
            line: parseFloat(getComputedStyle(document.getElementById('script')).lineHeight),
            keysOverflow: document.getElementById('keys').scrollWidth > document.getElementById('keys').clientWidth,
            arrow: getComputedStyle(document.getElementById('key-frame'), '::after').display,
            paper: getComputedStyle(document.getElementById('script')).backgroundColor,
          };
        }, commands);
        // Nothing off the sides: no sideways scrolling, every command whole.
        assert.ok(layout.scrollWidth <= width, `the page is ${layout.scrollWidth} px wide`);
        for (const name of commands) {
          const b = layout.buttons[name];
          assert.ok(b.x >= 0 && b.right <= width && b.y >= 0, `${name} at ${JSON.stringify(b)}`);
          assert.ok(b.height >= 24 && b.width >= 24, `${name} is big enough to tap`);
          // The commands are on the first screen.
          assert.ok(b.bottom <= height, `${name} below the screen`);
        }
        // Room for a few lines in each box; where the screen has too little
        // for them, the page scrolls to them.
        assert.ok(layout.script.height >= 3 * layout.line && layout.results.height >= 2.5 * layout.line, 'a few lines each');
        assert.ok(layout.script.width >= width - 16 && layout.results.y > layout.script.bottom);
        if (scale === 1) assert.ok(layout.scrollHeight <= height, 'no scrolling at the usual text size');
        // The key row shows that there is more of it.
        if (layout.keysOverflow) assert.equal(layout.arrow, 'flex', 'the arrow at the key row');
        const dark = colorScheme === 'dark';
        const [r, g, b] = layout.paper.match(/\d+/g).map(Number);
        assert.equal(r + g + b < 200, dark, `the box is ${layout.paper} in ${colorScheme}`);
        assert.deepEqual(problems, []);
        await context.close();
      });
    }
  }

  test('the key row scrolls, and says so at the side where more keys are', async () => {
    const { context, page } = await openPage(session);
    const frame = page.locator('#key-frame');
    assert.deepEqual(await frame.evaluate((f) => [f.classList.contains('more-before'), f.classList.contains('more-after')]), [false, true]);
    await page.locator('#keys').evaluate((k) => { k.scrollLeft = k.scrollWidth; });
    await page.waitForFunction(() => document.getElementById('key-frame').classList.contains('more-before'));
    assert.equal(await frame.evaluate((f) => f.classList.contains('more-after')), false);
    await context.close();
  });

  test('the text size follows the browser\'s font setting after a reload', async () => {
    const { context, page } = await openPage(session);
    const size = () => scriptBox(page).evaluate((t) => parseFloat(getComputedStyle(t).fontSize));
    const before = await size();
    const cdp = await context.newCDPSession(page);
    await cdp.send('Page.setFontSizes', { fontSizes: { standard: 24 } });
    await page.reload();
    await ready(page);
    assert.equal(await size(), (before * 24) / 16);
    await context.close();
  });
});

// A script of a megabyte with 77,000 errors on a phone: while its listing
// of 3.7 MB comes onto the page, every tap is answered at once.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { writeFileSync } from 'node:fs';
import path from 'node:path';
import { openPage, resultsText, startBrowser, stored } from './browser.mjs';

let session;
before(async () => {
  session = await startBrowser();
});
after(() => session?.close());

const ERRORS = 77000;
// Each line lacks its ';': an error at the start of the next.
const script = `VAR A;\n${'A = 12345 + 6\n'.repeat(ERRORS)}`;

// Runs `work` while Chromium traces the page; gives its result and, for
// the page's main thread (the one that builds the results view), the CPU
// time of its longest task and how much longer its tasks took than the CPU
// they used (1 on a machine with cores to spare).
async function traced(context, page, work) {
  const cdp = await context.newCDPSession(page);
  const events = [];
  cdp.on('Tracing.dataCollected', ({ value }) => events.push(...value));
  const complete = new Promise((resolve) => cdp.once('Tracing.tracingComplete', resolve));
  await cdp.send('Tracing.start', { categories: 'devtools.timeline,disabled-by-default-devtools.timeline', transferMode: 'ReportEvents' });
  const result = await work();
  await cdp.send('Tracing.end');
  await complete;
  await cdp.detach();
  const builder = events.find((e) => e.name === 'FunctionCall' && /\/(app|engine_client|results_view)\.js$/.test(e.args?.data?.url ?? ''));
  const tasks = events.filter((e) => e.ph === 'X' && e.name === 'RunTask' && e.pid === builder?.pid && e.tid === builder?.tid && e.tdur);
  const sum = (key) => tasks.reduce((total, e) => total + e[key], 0);
  return { result, longestTask: Math.round(Math.max(0, ...tasks.map((e) => e.tdur)) / 1000), stretch: sum('dur') / sum('tdur') };
}

describe('a heavy script', () => {
  test('a tap is answered within 100 ms while the listing of 77,000 errors is shown', async () => {
    const { context, page, problems } = await openPage(session, { hasTouch: true, isMobile: true });
    await page.locator('#script').evaluate((t, s) => {
      t.value = s;
      t.dispatchEvent(new Event('input', { bubbles: true }));
    }, script);
    await page.evaluate(() => {
      window.taps = [];
      document.addEventListener('pointerdown', (e) => window.taps.push({
        at: performance.now(), waited: performance.now() - e.timeStamp, wrap: !!e.target.closest('#wrap'),
      }), true);
      document.getElementById('wrap').addEventListener('click', () => window.wrapped++);
      // When the run's answer came and its listing was all there.
      const status = document.getElementById('status');
      new MutationObserver(() => {
        if (/^Compilation errors/.test(status.textContent)) window.answered ??= performance.now();
      }).observe(status, { childList: true, characterData: true, subtree: true });
    });
    // A first Calc lays the page out as it is after one: the errors listed
    // under the results take their room.
    await page.locator('#calc').tap();
    await page.waitForFunction(() => /^Compilation errors/.test(document.getElementById('status').textContent));
    await resultsText(page);
    const calc = await page.locator('#calc').boundingBox();
    const idle = await page.locator('#wrap').boundingBox();
    // A page that freezes makes every attempt slow; a machine busy with
    // other work now and then delays a tap by chance. So the page passes
    // with one attempt in which every tap was answered within 100 ms (on a
    // busy machine: in which no task of the page worked 100 ms) and none
    // waited a second.
    const attempts = [];
    for (let attempt = 0; attempt < 3 && !attempts.some((a) => a.passed); attempt++) {
      await page.evaluate(() => {
        window.taps = [];
        window.wrapped = 0;
        window.answered = undefined;
        window.shown = undefined;
        document.getElementById('status').textContent = '';
      });
      const { result: tapped, longestTask, stretch } = await traced(context, page, async () => {
        await page.touchscreen.tap(calc.x + calc.width / 2, calc.y + calc.height / 2);
        // Wrap moves a little while the progress shows: the taps go where
        // it is in both places.
        await page.locator('#progress').waitFor();
        const running = await page.locator('#wrap').boundingBox();
        const [top, bottom] = [Math.max(idle.y, running.y), Math.min(idle.y + idle.height, running.y + running.height)];
        const [left, right] = [Math.max(idle.x, running.x), Math.min(idle.x + idle.width, running.x + running.width)];
        assert.ok(bottom - top >= 4 && right - left >= 4, `Wrap at ${JSON.stringify(idle)} and ${JSON.stringify(running)}`);
        // Wrap, again and again, until the listing is all there.
        let n = 0;
        // (All there: in the results box, or in the view of blocks for a
        // long text once it is built.)
        while (!(await page.evaluate(() => {
          const long = document.getElementById('results-long');
          const all = long.hidden ? document.getElementById('results').value !== '' : !long.hasAttribute('aria-busy');
          if (window.answered && all) window.shown ??= performance.now();
          return window.shown !== undefined;
        }))) {
          await page.touchscreen.tap((left + right) / 2, (top + bottom) / 2);
          n++;
          await page.waitForTimeout(10);
        }
        return n;
      });
      const { taps, answered, shown, wrapped } = await page.evaluate(() => ({
        taps: window.taps.slice(1), answered: window.answered, shown: window.shown, wrapped: window.wrapped,
      }));
      assert.equal(taps.length, tapped);
      // Each tap was answered: Wrap took every one.
      assert.equal(taps.filter((t) => t.wrap).length, tapped);
      assert.equal(wrapped, tapped);
      const slow = taps.filter((t) => t.waited >= 100).map((t) => Math.round(t.waited));
      const frozen = slow.filter((waited) => waited >= 1000);
      // Taps while the listing came onto the page.
      const meanwhile = taps.filter((t) => t.at >= answered && t.at <= shown).length;
      // A machine so busy that the page's tasks take twice the time they
      // work: there the waits say little, and the work is what counts.
      const busy = stretch >= 2;
      const passed = meanwhile > 0 && frozen.length === 0 && (slow.length === 0 || (busy && longestTask < 100));
      attempts.push({ taps: taps.length, slow, meanwhile, longestTask, stretch: Number(stretch.toFixed(1)), passed });
    }
    assert.ok(attempts.some((a) => a.passed),
      `taps that waited 100 ms or more (ms), taps while the listing came, the longest task's CPU (ms), and how much longer tasks took than their CPU: ${JSON.stringify(attempts)}`);

    // All of it is there: the listing's last line counts the errors, the
    // list names the first 200 and how many more the listing marks.
    assert.equal(await page.locator('#status').textContent(), `Compilation errors: ${ERRORS}`);
    assert.match(await resultsText(page), new RegExp(`\\n *${ERRORS} syntax errors\\n$`));
    assert.equal(await page.locator('#diagnostics li').last().textContent(), `… and ${ERRORS - 200} more: the listing marks every one.`);
    // The listing opens at the first error.
    const top = await page.evaluate(() => {
      const long = document.getElementById('results-long');
      return Math.round(long.scrollTop / parseFloat(getComputedStyle(long).lineHeight));
    });
    assert.equal(top, 3);
    // The script is shown a part at a time: the caret went to the last
    // error, at the script's end, and a tap on the first error in the list
    // takes it back to the first part, to the error's place.
    const part = page.locator('#part-said');
    assert.match(await part.textContent(), /^Lines 76,\d{3}–77,002 of 77,002$/);
    await page.locator('#diagnostics li button').first().tap();
    assert.match(await part.textContent(), /^Lines 1–1,000 of 77,002$/);
    assert.equal(await page.locator('#script').evaluate((t) => t.selectionStart), 'VAR A;\nA = 12345 + 6\n'.length);
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('a 5 MB import comes in whole while every tap is answered', async () => {
    const { context, page, problems } = await openPage(session, { hasTouch: true, isMobile: true });
    const lines = 470000;
    const text = `VAR A;\n${'A = A + 1;\n'.repeat(lines)}WRITE 'end', A;\n`;
    // From a file, as a person picks it (Playwright would otherwise build
    // the file inside the page, which is work of its own).
    const file = path.join(session.work, 'big.inp');
    writeFileSync(file, text);
    await page.evaluate(() => {
      window.taps = [];
      document.addEventListener('pointerdown', (e) => window.taps.push(performance.now() - e.timeStamp), true);
    });
    const wrap = await page.locator('#wrap').boundingBox();
    const importing = page.locator('#import').setInputFiles(file);
    // Tap, again and again, until the import is said to be done.
    const started = Date.now();
    while (!/^Imported big\.inp/.test(await page.locator('#status').textContent())) {
      await page.touchscreen.tap(wrap.x + wrap.width / 2, wrap.y + wrap.height / 2);
      await page.waitForTimeout(20);
      assert.ok(Date.now() - started < 60000, 'the import never ended');
    }
    await importing;
    for (let i = 0; i < 5; i++) {
      await page.touchscreen.tap(wrap.x + wrap.width / 2, wrap.y + wrap.height / 2);
      await page.waitForTimeout(20);
    }
    const waits = (await page.evaluate(() => window.taps)).map(Math.round);
    console.log(`import of ${(text.length / 1e6).toFixed(1)} MB in ${Date.now() - started} ms; each tap waited (ms): ${waits.join(' ')}`);
    // Before the box took its text in parts, the browser froze for 8 s and
    // more laying out the whole text; a machine busy with other work may
    // delay a tap by some hundreds of milliseconds.
    assert.ok(waits.length > 5 && Math.max(...waits) < 1500, `taps waited ${waits.join(' ')} ms`);

    // All of it is stored, and the box shows it a part at a time.
    assert.equal((await stored(page, 'big.inp'))?.length, text.length);
    const part = page.locator('#part-said');
    assert.equal(await part.textContent(), 'Lines 1–1,000 of 470,003');
    const box = page.locator('#script');
    assert.ok(text.startsWith(await box.inputValue()));
    // The next part goes on where this one ended, with a few lines of it
    // again; what is typed there lands at its place in the whole text.
    await page.locator('#part-later').tap();
    assert.equal(await part.textContent(), 'Lines 981–1,980 of 470,003');
    await box.evaluate((t) => {
      t.focus();
      t.setSelectionRange(0, 0);
    });
    await page.keyboard.type('X');
    await page.locator('#done').tap();
    const offset = 'VAR A;\n'.length + 979 * 'A = A + 1;\n'.length; // the start of line 981
    const edited = await stored(page, 'big.inp');
    // (Compared in pieces: a difference in megabytes would print them all.)
    assert.equal(edited.length, text.length + 1);
    assert.equal(edited.slice(offset - 30, offset + 30), `${text.slice(offset - 30, offset)}X${text.slice(offset, offset + 29)}`);
    assert.ok(edited === `${text.slice(0, offset)}X${text.slice(offset)}`, 'the rest of the text changed');
    // Ctrl+End reaches the last line of the whole text.
    await box.focus();
    await page.keyboard.press('Control+End');
    assert.match(await box.inputValue(), /A = A \+ 1;\nWRITE 'end', A;\n$/);
    assert.match(await part.textContent(), /^Lines 469,\d{3}–470,003 of 470,003/);
    await page.locator('#part-earlier').tap();
    assert.match(await part.textContent(), /^Lines 468,\d{3}–469,\d{3} of 470,003/);
    assert.deepEqual(problems, []);
    await context.close();
  });
});

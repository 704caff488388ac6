// The page in Debian's Chromium, headless, used as a person uses it: by the
// controls' roles and names, the key row, the file dialogs and downloads.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { readdir, readFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';
import { pageDir, top } from './engine.mjs';
import { serve } from '../../tools/web/static-server.mjs';

const chromiumPath = process.env.ORBELIN_CHROMIUM ?? '/usr/bin/chromium';
// Nothing but the page: no sync, updates, field trials or QUIC probes.
const chromiumFlags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

let server;
let url;
let browser;
let work;

before(async () => {
  ({ server, url } = await serve(pageDir));
  work = mkdtempSync(path.join(tmpdir(), 'orbelin-web-'));
  // Playwright gives the browser a fresh --user-data-dir of its own.
  browser = await chromium.launch({ executablePath: chromiumPath, headless: true, args: chromiumFlags });
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(work, { recursive: true, force: true });
});

// A fresh browser profile (storage, service worker, cache) on the page, with
// every request the page makes recorded.
async function openPage({ width = 360, height = 640, ...options } = {}) {
  const context = await browser.newContext({ viewport: { width, height }, acceptDownloads: true, ...options });
  const page = await context.newPage();
  const requests = [];
  page.on('request', (r) => requests.push(r.url()));
  const problems = [];
  page.on('pageerror', (e) => problems.push(e.message));
  await page.goto(url);
  await ready(page);
  return { context, page, requests, problems };
}

async function ready(page) {
  await page.getByRole('button', { name: 'Calc' }).and(page.locator(':enabled')).waitFor();
  await page.waitForFunction(() => document.getElementById('script-name').textContent !== '');
}

// The label shows the script's name; some commands finish after the click
// returns (a dialog's close, a file's read), so the label is waited for.
async function assertName(page, name) {
  try {
    await page.waitForFunction((n) => document.getElementById('script-name').textContent === n, name, { timeout: 5000 });
  } catch {
    assert.equal(await page.locator('#script-name').textContent(), name);
  }
}

const scriptBox = (page) => page.getByRole('textbox', { name: 'Script' });
const resultsBox = (page) => page.getByRole('textbox', { name: 'Results' });

async function replaceScript(page, text) {
  await scriptBox(page).fill(text);
}

// Types a script as a phone user would: words from the keyboard, the hard
// characters from the key row, Enter for a line end.
async function typeWithKeys(page, parts) {
  const keys = page.getByRole('toolbar', { name: 'Keys' });
  for (const part of parts) {
    if (part === '\n') await page.keyboard.press('Enter');
    else if (part.startsWith('key:')) await keys.getByRole('button', { name: part.slice(4), exact: true }).click();
    else if (part.startsWith('keyword:')) await keys.getByRole('combobox', { name: 'Insert keyword' }).selectOption(part.slice(8));
    else await page.keyboard.type(part);
  }
}

describe('the page in Chromium', () => {
  test('a script typed with the key row runs with Calc', async () => {
    const { context, page, requests, problems } = await openPage();
    const box = scriptBox(page);
    for (const [attribute, value] of [['autocapitalize', 'off'], ['autocorrect', 'off'], ['spellcheck', 'false'], ['autocomplete', 'off']]) {
      assert.equal(await box.getAttribute(attribute), value, attribute);
    }
    await replaceScript(page, '');
    await box.focus();
    await typeWithKeys(page, [
      'VAR LAT, LON', 'key:Semicolon', '\n',
      'LAT ', 'key:Equals', ' ', 'key:°N', '48 12.345', 'key:Semicolon', '\n',
      'LON ', 'key:Equals', ' ', 'key:°E', '11 30.5', 'key:Semicolon', '\n',
      'WRITE ', 'keyword:WGPS', 'key:Opening parenthesis', 'LAT', 'key:Comma', ' LON',
      'key:Closing parenthesis', 'key:Semicolon', '\n',
      'WRITE ', 'key:Apostrophe', 'sum ', 'key:Apostrophe', 'key:Comma', ' ',
      'key:Opening parenthesis', '2 ', 'key:Plus', ' 3', 'key:Closing parenthesis', ' ', 'key:Times', ' 4 ',
      'key:Minus', ' 8 ', 'key:Divided by', ' 2 ', 'key:To the power', ' 2', 'key:Colon', '1', 'key:Semicolon',
    ]);
    assert.equal(await box.inputValue(),
      "VAR LAT, LON;\nLAT = °N 48 12.345;\nLON = °E 11 30.5;\nWRITE WGPS(LAT, LON);\nWRITE 'sum ', (2 + 3) * 4 - 8 / 2 ^ 2:1;");
    // The key row left the focus in the script box (the phone's keyboard stays up).
    assert.equal(await page.evaluate(() => document.activeElement.id), 'script');
    await page.getByRole('button', { name: 'Calc' }).click();
    // 2 ^ 2 first, then 8 / 4, 5 * 4 = 20, 20 - 2 = 18.
    assert.equal(await resultsBox(page).inputValue(), 'GPS: N 48 12.3450 E 11 30.5000\nsum 18.0\n');
    assert.equal(await page.locator('#status').textContent(), '');
    assert.deepEqual(problems, []);
    assert.deepEqual(requests.filter((r) => !r.startsWith(url)), [], 'requests beyond the page');
    await context.close();
  });

  test('a script with errors shows the listing, the caret and the diagnostics', async () => {
    const { context, page } = await openPage();
    const script = 'VAR A;\nA = 2\nWRITE A;\nA = 3\nWRITE A;\n';
    await replaceScript(page, script);
    await page.getByRole('button', { name: 'Calc' }).click();
    const listing = await resultsBox(page).inputValue();
    assert.equal(listing, [
      'Listing:', '',
      '    1  VAR A;',
      '    2  A = 2',
      '    3  WRITE A;',
      '*****  ^ ";" expected (E6)',
      '    4  A = 3',
      '    5  WRITE A;',
      '*****  ^ ";" expected (E6)',
      '', '',
      '    2 syntax errors', ''].join('\n'));
    assert.equal(await page.getByRole('status').textContent(), 'Compilation errors: 2');
    // The caret stands at the last error, in the focused script box.
    const caret = await scriptBox(page).evaluate((t) => [document.activeElement === t, t.selectionStart, t.selectionEnd]);
    assert.deepEqual(caret, [true, script.lastIndexOf('WRITE'), script.lastIndexOf('WRITE')]);
    const diagnostics = page.getByRole('region', { name: 'Diagnostics' }).getByRole('listitem');
    assert.deepEqual(await diagnostics.getByRole('button').allTextContents(),
      ['3:1: error: ";" expected (E6)', '5:1: error: ";" expected (E6)']);
    // Each with its hint in English, as the command line gives it.
    assert.deepEqual(await diagnostics.locator('.hint').allTextContents(), [
      "every statement ends with ';': one is missing at the end of line 2",
      "every statement ends with ';': one is missing at the end of line 4"]);
    // A diagnostic takes the caret to its own error.
    await diagnostics.first().getByRole('button').click();
    assert.equal(await scriptBox(page).evaluate((t) => t.selectionStart), script.indexOf('WRITE'));
    // Fixed, the next Calc shows results and no diagnostics.
    await replaceScript(page, 'VAR A;\nA = 2;\nWRITE A;\n');
    await page.getByRole('button', { name: 'Calc' }).click();
    assert.equal(await resultsBox(page).inputValue(), '2\n');
    assert.equal(await page.getByRole('region', { name: 'Diagnostics' }).count(), 0);
    await context.close();
  });

  test('one session for the page: the point and values carry over between presses', async () => {
    const { context, page } = await openPage();
    await replaceScript(page, 'GM1 = 41; OLAT = 50.5; OLON = 7.25;');
    await page.getByRole('button', { name: 'Calc' }).click();
    await replaceScript(page, 'WRITE GM1 + 1;');
    await page.getByRole('button', { name: 'Calc' }).click();
    assert.equal(await resultsBox(page).inputValue(), '42\n');
    await page.getByRole('button', { name: 'Hand-off' }).click();
    assert.equal(await page.locator('#handoff-text').textContent(), 'N 50° 30.000 E 007° 15.000');
    await context.close();
  });

  test('scripts are saved by name, survive a reload and a closed tab, load and delete', async () => {
    const { context, page } = await openPage();
    // The examples are there from the first visit.
    await assertName(page, 'puzzle.inp');
    await page.getByRole('button', { name: 'Save' }).click();
    await page.getByRole('textbox', { name: 'Name' }).fill('walk');
    await page.getByRole('dialog', { name: 'Save as' }).getByRole('button', { name: 'Save' }).click();
    await assertName(page, 'walk.inp');
    // Typed and never saved by hand: autosave keeps it.
    await replaceScript(page, 'VAR X;\n');
    await scriptBox(page).press('End');
    await page.keyboard.type('X = 7;');
    await page.reload();
    await ready(page);
    await assertName(page, 'walk.inp');
    assert.equal(await scriptBox(page).inputValue(), 'VAR X;\nX = 7;');
    // The tab closed without unload handlers, as when a phone kills it.
    await scriptBox(page).press('Control+End');
    await page.keyboard.type(' WRITE X;');
    await page.close({ runBeforeUnload: false });
    const again = await context.newPage();
    await again.goto(url);
    await ready(again);
    assert.equal(await scriptBox(again).inputValue(), 'VAR X;\nX = 7; WRITE X;');

    await again.getByRole('button', { name: 'Load' }).click();
    const list = again.getByRole('dialog', { name: 'Scripts' });
    const names = await list.getByRole('listitem').locator('.open').allTextContents();
    const examples = (await readdir(path.join(top, 'examples'))).filter((n) => n.endsWith('.inp'));
    assert.deepEqual(names, [...examples, 'walk.inp'].sort());
    await list.getByRole('button', { name: 'navigation.inp', exact: true }).click();
    await assertName(again, 'navigation.inp');
    const navigation = await readFile(path.join(top, 'examples/navigation.inp'), 'utf8');
    assert.equal(await scriptBox(again).inputValue(), navigation.replace(/\r\n/g, '\n'));

    await again.getByRole('button', { name: 'Load' }).click();
    await list.getByRole('button', { name: 'Delete walk.inp' }).click();
    assert.deepEqual(await list.getByRole('listitem').locator('.open').allTextContents(),
      examples.sort());
    await list.getByRole('button', { name: 'puzzle.inp', exact: true }).click();
    await again.getByRole('button', { name: 'Calc' }).click();
    assert.match(await resultsBox(again).inputValue(), /^A=1 B=1 C=2 D=3\n/);
    await context.close();
  });

  test('with the network cut, a reload still shows the page and Calc works', async () => {
    const { context, page } = await openPage();
    await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      if (!navigator.serviceWorker.controller) {
        await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
      }
    });
    await context.setOffline(true);
    await page.reload();
    await ready(page);
    await replaceScript(page, "WRITE 'offline ', SQRT(2):5;");
    await page.getByRole('button', { name: 'Calc' }).click();
    assert.equal(await resultsBox(page).inputValue(), 'offline 1.41421\n');
    // The help comes from the cache too.
    await page.getByRole('button', { name: 'Help' }).click();
    await page.getByRole('searchbox', { name: 'Search help' }).fill('OLAT');
    assert.ok((await page.locator('#help-entries h3').allTextContents()).some((t) => t.includes('OLAT')));
    await context.close();
  });

  test('a Windows-1252 .inp imports and exports byte for byte', async () => {
    const { context, page } = await openPage();
    const file = Buffer.from("VAR LAT;\r\nLAT = \xB0N 47 3.5; -- Gr\xFC\xDFe \x80\r\nWRITE 'Stra\xDFe', LAT:4;\r\n\0", 'latin1');
    await page.getByRole('button', { name: 'Load' }).click();
    await page.locator('#import').setInputFiles({ name: 'trail.inp', mimeType: 'application/octet-stream', buffer: file });
    await assertName(page, 'trail.inp');
    assert.equal(await scriptBox(page).inputValue(), "VAR LAT;\nLAT = °N 47 3.5; -- Grüße €\nWRITE 'Straße', LAT:4;\n");
    await page.getByRole('button', { name: 'Calc' }).click();
    assert.equal(await resultsBox(page).inputValue(), 'Straße47.0583\n');

    await page.getByRole('button', { name: 'Load' }).click();
    const [download] = await Promise.all([
      page.waitForEvent('download'),
      page.getByRole('button', { name: 'Export .inp' }).click(),
    ]);
    assert.equal(download.suggestedFilename(), 'trail.inp');
    const saved = path.join(work, 'exported.inp');
    await download.saveAs(saved);
    assert.deepEqual(readFileSync(saved), file);

    // The same script from a UTF-8 editor imports to the same text.
    await page.locator('#import').setInputFiles({
      name: 'trail-utf8.inp', mimeType: 'text/plain',
      buffer: Buffer.from("VAR LAT;\nLAT = °N 47 3.5; -- Grüße €\nWRITE 'Straße', LAT:4;\n", 'utf8'),
    });
    await assertName(page, 'trail-utf8.inp');
    assert.equal(await scriptBox(page).inputValue(), "VAR LAT;\nLAT = °N 47 3.5; -- Grüße €\nWRITE 'Straße', LAT:4;\n");
    await context.close();
  });

  test('the hand-off: geo: link, GPX for real GPX readers, text to copy; no point, no hand-off', async () => {
    const { context, page } = await openPage();
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: url });
    await page.getByRole('button', { name: 'Hand-off' }).click();
    const dialog = page.getByRole('dialog', { name: 'Hand-off' });
    assert.match(await dialog.textContent(), /Kein Punkt gesetzt\. No point set: a script sets one with OLAT/);
    assert.equal(await dialog.getByRole('link').count(), 0);
    await dialog.getByRole('button', { name: 'Close' }).click();

    // puzzle.inp writes its final as GPS: N 48 11.1230 E 11 38.6590 and
    // Decimal: 48.185383 11.644317, and hands it off.
    await page.getByRole('button', { name: 'Calc' }).click();
    assert.match(await resultsBox(page).inputValue(), /Final {2}GPS: N 48 11\.1230 E 11 38\.6590\nDecimal: 48\.185383 11\.644317\n/);
    await page.getByRole('button', { name: 'Hand-off' }).click();
    assert.equal(await dialog.locator('#handoff-text').textContent(), 'N 48° 11.123 E 011° 38.659');
    assert.equal(await dialog.getByRole('link', { name: 'Open in a map app' }).getAttribute('href'), 'geo:48.185383,11.644317');

    await dialog.getByRole('button', { name: 'Copy' }).click();
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Copied the coordinates');
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), 'N 48° 11.123 E 011° 38.659');

    const [download] = await Promise.all([
      page.waitForEvent('download'),
      dialog.getByRole('link', { name: 'GPX waypoint' }).click(),
    ]);
    assert.equal(download.suggestedFilename(), 'puzzle.gpx');
    const gpx = path.join(work, 'puzzle.gpx');
    await download.saveAs(gpx);
    const byGpxpy = execFileSync('/usr/bin/python3', [path.join(top, 'tests/web/gpx_read.py'), gpx], { encoding: 'utf8' });
    assert.equal(byGpxpy, '48.185383 11.644317 puzzle\n');
    const byGpsbabel = execFileSync('gpsbabel', ['-i', 'gpx', '-f', gpx, '-o', 'unicsv', '-F', '-'], { encoding: 'utf8' });
    assert.equal(byGpsbabel.trim().split('\n')[1], '1,48.185383,11.644317,"puzzle","N 48° 11.123 E 011° 38.659"');
    await context.close();
  });

  test('a point off the Earth is refused with the words the window uses', async () => {
    const { context, page } = await openPage();
    const dialog = page.getByRole('dialog', { name: 'Hand-off' });
    for (const [script, reason] of [['OLAT = 123.4; OLON = 11;', 'the latitude is 123.4, beyond ±90°'],
      ['OLAT = SQRT(0 - 1); OLON = 11;', 'the latitude is not a number (nan)']]) {
      await replaceScript(page, script);
      await page.getByRole('button', { name: 'Calc' }).click();
      await page.getByRole('button', { name: 'Hand-off' }).click();
      assert.equal(await dialog.locator('#handoff-message').textContent(),
        `The point set with OLAT and OLON is not a place on the Earth: ${reason}. Nothing was handed on.`);
      assert.equal(await dialog.getByRole('link').count(), 0);
      assert.equal(await dialog.getByRole('button', { name: 'Copy' }).isVisible(), false);
      await dialog.getByRole('button', { name: 'Close' }).click();
    }
    await context.close();
  });

  test('saving under the name of another stored script asks first', async () => {
    const { context, page } = await openPage();
    await assertName(page, 'puzzle.inp');
    const stored = () => page.evaluate(() => localStorage.getItem('orbelin.script:vigenere.inp'));
    const example = await stored();
    assert.ok(example.length > 0);
    await replaceScript(page, 'WRITE 1;');
    const question = page.getByRole('dialog', { name: /already exists/ });
    for (const answer of ['Cancel', 'Replace']) {
      await page.getByRole('button', { name: 'Save' }).click();
      await page.getByRole('textbox', { name: 'Name' }).fill('vigenere');
      await page.getByRole('button', { name: 'Save', exact: true }).last().click();
      assert.equal(await question.locator('#ask-text').textContent(), 'vigenere.inp already exists. Replace it?');
      await question.getByRole('button', { name: answer }).click();
      if (answer === 'Cancel') {
        await assertName(page, 'puzzle.inp');
        assert.equal(await stored(), example);
      }
    }
    await assertName(page, 'vigenere.inp');
    assert.equal(await stored(), 'WRITE 1;');
    await context.close();
  });

  test('the help is searchable', async () => {
    const { context, page } = await openPage();
    await page.getByRole('button', { name: 'Help' }).click();
    const search = page.getByRole('searchbox', { name: 'Search help' });
    const titles = () => page.locator('#help-entries h3').allTextContents();
    await page.locator('#help-entries h3').first().waitFor();
    const all = (await titles()).length;
    assert.ok(all >= 5);
    await search.fill('morse');
    const found = await titles();
    assert.ok(found.length > 0 && found.length < all);
    assert.match(found[0], /^MORSE/);
    await search.fill('E111');
    assert.match((await titles())[0], /^E111: /);
    await search.fill('olon');
    assert.match((await titles())[0], /^OLAT, OLON: /);
    await search.fill('no such word anywhere');
    assert.deepEqual(await page.locator('#help-entries li').allTextContents(), ['Nothing found.']);
    await context.close();
  });

  for (const [width, height] of [[360, 640], [240, 268], [1280, 800]]) {
    test(`the layout at ${width}x${height}: everything reachable, the boxes usable`, async () => {
      const { context, page } = await openPage({ width, height });
      const fits = await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth
        && document.documentElement.scrollHeight <= innerHeight);
      assert.ok(fits, 'the page needs no scrolling');
      for (const name of ['Calc', 'Load', 'Save', 'Hand-off', 'Done', 'Help']) {
        const box = await page.getByRole('button', { name, exact: true }).boundingBox();
        assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= width && box.y + box.height <= height, name);
        assert.ok(box.height >= 24 && box.width >= 24, `${name} is big enough to tap`);
      }
      const script = await scriptBox(page).boundingBox();
      const results = await resultsBox(page).boundingBox();
      const line = await scriptBox(page).evaluate((t) => parseFloat(getComputedStyle(t).lineHeight));
      assert.ok(script.height >= 3 * line && results.height >= 2.5 * line, 'room for a few lines each');
      assert.ok(script.width >= width - 16 && results.y > script.y + script.height);
      // The key row scrolls sideways where it does not fit.
      const keys = await page.getByRole('toolbar', { name: 'Keys' }).evaluate((k) => getComputedStyle(k).overflowX);
      assert.equal(keys, 'auto');
      await context.close();
    });
  }

  test('the text size follows the browser\'s font setting', async () => {
    const { context, page } = await openPage();
    const size = () => scriptBox(page).evaluate((t) => parseFloat(getComputedStyle(t).fontSize));
    const before = await size();
    const cdp = await context.newCDPSession(page);
    await cdp.send('Page.setFontSizes', { fontSizes: { standard: 24 } });
    await page.reload();
    await ready(page);
    assert.equal(await size(), (before * 24) / 16);
    await context.close();
  });

  test('the page installs as an app: manifest, icons, service worker', async () => {
    // Installing needs a profile of its own: an incognito context cannot.
    const profile = mkdtempSync(path.join(work, 'profile-'));
    const context = await chromium.launchPersistentContext(profile, {
      executablePath: chromiumPath, headless: true, args: chromiumFlags,
    });
    const page = await context.newPage();
    await page.goto(url);
    await ready(page);
    const manifest = await page.evaluate(async () => (await fetch(document.querySelector('link[rel=manifest]').href)).json());
    assert.equal(manifest.display, 'standalone');
    assert.equal(manifest.start_url, './');
    const sizes = manifest.icons.map((i) => i.sizes);
    assert.ok(sizes.includes('192x192') && sizes.includes('512x512'));
    for (const icon of manifest.icons) {
      const response = await page.request.get(new URL(icon.src, url).href);
      assert.equal(response.status(), 200, icon.src);
    }
    const scope = await page.evaluate(async () => (await navigator.serviceWorker.ready).scope);
    assert.equal(scope, url);
    const cdp = await context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    await context.close();
  });
});

// The calculator in Chromium: typing with the key row, Calc and what it
// shows, the session, the hand-off, the help, the layout and the app.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync } from 'node:fs';
import path from 'node:path';
import { chromium } from 'playwright-core';
import { top } from './engine.mjs';
import {
  assertName, assertSaid, calc, chromiumFlags, chromiumPath, openPage, ready, resultsBox, resultsText,
  scriptBox, startBrowser,
} from './browser.mjs';

let session;
before(async () => {
  session = await startBrowser();
});
after(() => session?.close());

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

const diagnosticsList = (page) => page.getByRole('region', { name: 'Diagnostics' }).getByRole('listitem');

describe('the calculator', () => {
  test('a script typed with the key row runs with Calc', async () => {
    const { context, page, requests, problems } = await openPage(session);
    const box = scriptBox(page);
    for (const [attribute, value] of [['autocapitalize', 'off'], ['autocorrect', 'off'], ['spellcheck', 'false'], ['autocomplete', 'off']]) {
      assert.equal(await box.getAttribute(attribute), value, attribute);
    }
    await box.fill('');
    await box.focus();
    await typeWithKeys(page, [
      'VAR LAT, LON', 'key:Semicolon', '\n',
      'LAT ', 'key:Equals', ' ', 'key:°N', '48 12.345', 'key:Semicolon', '\n',
      'LON ', 'key:Equals', ' ', 'key:°E', '11 30.5', 'key:Semicolon', '\n',
      'WRITE ', 'keyword:WGPS', 'key:Opening parenthesis', 'LAT', 'key:Comma', ' LON',
      'key:Closing parenthesis', 'key:Semicolon', '\n',
      'WRITE ', 'key:Apostrophe', 'sum ', 'key:Apostrophe', 'key:Comma', ' ',
      'key:Opening parenthesis', '2 ', 'key:Plus', ' 3', 'key:Closing parenthesis', ' ', 'key:Times', ' 4 ',
      'key:Minus', ' 8 ', 'key:Divided by', ' 2 ', 'key:To the power', ' 2', 'key:Colon', '1', 'key:Semicolon', '\n',
      'WRITE ', 'key:Degree sign', 'S 1 30', 'key:Colon', '2', 'key:Semicolon',
    ]);
    assert.equal(await box.inputValue(),
      "VAR LAT, LON;\nLAT = °N 48 12.345;\nLON = °E 11 30.5;\nWRITE WGPS(LAT, LON);\nWRITE 'sum ', (2 + 3) * 4 - 8 / 2 ^ 2:1;\nWRITE °S 1 30:2;");
    // The key row left the focus in the script box (the phone's keyboard stays up).
    assert.equal(await page.evaluate(() => document.activeElement.id), 'script');
    await calc(page);
    // 2 ^ 2 first, then 8 / 4, 5 * 4 = 20, 20 - 2 = 18.
    assert.equal(await resultsBox(page).inputValue(), 'GPS: N 48 12.3450 E 11 30.5000\nsum 18.0\n-1.50\n');
    assert.equal(await page.locator('#status').textContent(), '');
    assert.deepEqual(problems, []);
    assert.deepEqual(requests.filter((r) => !r.startsWith(session.url)), [], 'requests beyond the page');
    await context.close();
  });

  test('the key row inserts the puzzle tools, and Calc says what a refused input lacks', async () => {
    const { context, page } = await openPage(session);
    const box = scriptBox(page);
    await box.fill('');
    await box.focus();
    await typeWithKeys(page, [
      'WRITE ', 'keyword:AZSUM', 'key:Opening parenthesis', 'key:Apostrophe', 'Sankt Martin', 'key:Apostrophe',
      'key:Closing parenthesis', 'key:Comma', ' ', 'key:Apostrophe', ' ', 'key:Apostrophe', 'key:Comma', ' ',
      'keyword:NUM2ROM', 'key:Opening parenthesis', '1784', 'key:Closing parenthesis', 'key:Semicolon',
    ]);
    assert.equal(await box.inputValue(), "WRITE AZSUM('Sankt Martin'), ' ', NUM2ROM(1784);");
    await calc(page);
    // SANKT 65 + MARTIN 75; 1784 is MDCCLXXXIV.
    assert.equal(await resultsBox(page).inputValue(), '140 MDCCLXXXIV\n');
    // A refused numeral is an error with its hint, as on the command line.
    await box.fill("WRITE ROM2NUM('IIII');\n");
    await calc(page);
    assert.deepEqual(await diagnosticsList(page).getByRole('button').allTextContents(),
      ['1:22: error: Not a Roman numeral (E152)']);
    assert.deepEqual(await diagnosticsList(page).locator('.hint').allTextContents(),
      ['IIII is not a Roman numeral: I stands at most three times in a row; 4 is IV']);
    await context.close();
  });

  test('a coordinate pasted from a web page goes in as the language reads it', async () => {
    const { context, page, problems } = await openPage(session);
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: session.url });
    const box = scriptBox(page);
    await box.fill('VAR LAT;\nLAT = ');
    await box.focus();
    await page.keyboard.press('End');
    // No-break spaces and prime signs, as web pages write a coordinate.
    await page.evaluate(() => navigator.clipboard.writeText('N\u00a048°\u00a012\u2032 20.7\u2033'));
    await page.keyboard.press('Control+V');
    assert.equal(await box.inputValue(), 'VAR LAT;\nLAT = N 48° 12\' 20.7"');
    await page.keyboard.type(';\nWRITE LAT:5;');
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), '48.20575\n');
    assert.deepEqual(problems, []);
    await context.close();
  });

  // The cookbook's checksum of a computed final; CBP's end point checked with
  // GeographicLib (tests/golden/text/checksum_recipe.inp): N 48° 12.178
  // E 011° 34.523 on the GPS, digits 31 + 19. Then an exact centre that
  // sixteen digits do not fix to a millimetre is refused with its reason.
  test('a final\'s checksum as the GPS shows it, and an exact answer refused as not fixed', async () => {
    const { context, page } = await openPage(session);
    await scriptBox(page).fill('VAR LA, LO;\nCBP(N 48° 12.345, E 011° 34.567, 190, 315, LA, LO);\n' +
      "WRITE WGC(LA, LO), ' ', WGCQSUM(LA, LO);\n");
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), 'N 48° 12.178 E 011° 34.523 50\n');
    await scriptBox(page).fill('VAR LA, LO;\nCENTEREXACT(50, 9, 50.000001, 9.01, 50, 9.02, LA, LO);\n');
    await calc(page);
    assert.deepEqual(await diagnosticsList(page).getByRole('button').allTextContents(),
      ['2:54: error: not fixed to a millimetre (E122)']);
    assert.match(await diagnosticsList(page).locator('.hint').first().textContent(),
      /^the three points lie almost on one line, on a circle of .* km: at sixteen digits the answer is fixed only to about .*; spread the points around their circle$/);
    await context.close();
  });

  test('a script with errors shows the listing, the caret and the diagnostics', async () => {
    const { context, page } = await openPage(session);
    const script = 'VAR A;\nA = 2\nWRITE A;\nA = 3\nWRITE A;\n';
    await scriptBox(page).fill(script);
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), [
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
    assert.equal(await page.getByRole('status').first().textContent(), 'Compilation errors: 2');
    // The caret stands at the last error, in the focused script box.
    const caret = await scriptBox(page).evaluate((t) => [document.activeElement === t, t.selectionStart, t.selectionEnd]);
    assert.deepEqual(caret, [true, script.lastIndexOf('WRITE'), script.lastIndexOf('WRITE')]);
    assert.deepEqual(await diagnosticsList(page).getByRole('button').allTextContents(),
      ['3:1: error: ";" expected (E6)', '5:1: error: ";" expected (E6)']);
    // Each with its hint in English, as the command line gives it.
    assert.deepEqual(await diagnosticsList(page).locator('.hint').allTextContents(), [
      "every statement ends with ';': one is missing at the end of line 2",
      "every statement ends with ';': one is missing at the end of line 4"]);
    // A diagnostic takes the caret to its own error.
    await diagnosticsList(page).first().getByRole('button').click();
    assert.equal(await scriptBox(page).evaluate((t) => t.selectionStart), script.indexOf('WRITE'));
    // Fixed, the next Calc shows results and no diagnostics.
    await scriptBox(page).fill('VAR A;\nA = 2;\nWRITE A;\n');
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), '2\n');
    assert.equal(await page.getByRole('region', { name: 'Diagnostics' }).count(), 0);
    await context.close();
  });

  test('on a touch screen the error line is marked without the keyboard, far to the right too', async () => {
    const { context, page } = await openPage(session, { hasTouch: true, isMobile: true });
    // Line 31 holds the error, 150 columns in: far below and right of the view.
    const lines = ['VAR A;'];
    for (let i = 0; i < 29; i++) lines.push(`A = ${i};`);
    lines.push(`A = 1 + ${'1 + '.repeat(35)}1 WRITE A;`);
    const script = lines.join('\n');
    await scriptBox(page).fill(script);
    await page.evaluate(() => document.activeElement.blur());
    await page.getByRole('button', { name: 'Calc' }).tap();
    await page.getByRole('button', { name: 'Calc' }).and(page.locator(':enabled')).waitFor();
    assert.equal(await page.locator('#status').textContent(), 'Compilation errors: 1');
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    const state = await page.evaluate(() => {
      const box = document.getElementById('script');
      const band = document.getElementById('error-line').getBoundingClientRect();
      const frame = box.getBoundingClientRect();
      return {
        focused: document.activeElement === box,
        caret: box.selectionStart,
        band: { top: band.top - frame.top, height: band.height, hidden: document.getElementById('error-line').hidden },
        scrollTop: box.scrollTop,
        scrollLeft: box.scrollLeft,
        clientWidth: box.clientWidth,
        clientHeight: box.clientHeight,
        lineHeight: parseFloat(getComputedStyle(box).lineHeight),
      };
    });
    assert.equal(state.focused, false, 'the keyboard stays down');
    assert.equal(state.caret, script.lastIndexOf('WRITE'));
    // The band stands on line 31 as the box shows it now.
    assert.equal(state.band.hidden, false);
    const expectedTop = 30 * state.lineHeight - state.scrollTop;
    assert.ok(Math.abs(state.band.top - expectedTop) < state.lineHeight, `band at ${state.band.top}, line at ${expectedTop}`);
    assert.ok(state.band.top >= 0 && state.band.top + state.band.height <= state.clientHeight, 'the line is in view');
    // The error's column is in view.
    const column = lines.at(-1).indexOf('WRITE');
    const charWidth = await page.evaluate(() => {
      const c = document.createElement('canvas').getContext('2d');
      c.font = getComputedStyle(document.getElementById('script')).font;
      return c.measureText('0').width;
    });
    const x = column * charWidth;
    assert.ok(x >= state.scrollLeft && x <= state.scrollLeft + state.clientWidth, `column at ${x}, view ${state.scrollLeft}+${state.clientWidth}`);
    // Typing takes the mark away.
    await scriptBox(page).press('End');
    await page.keyboard.type(';');
    assert.equal(await page.locator('#error-line').isHidden(), true);
    await context.close();
  });

  test('warnings after a clean run are shown with the results', async () => {
    const { context, page } = await openPage(session);
    // A comment never closed: the run is clean, the rest of the text is cut.
    await scriptBox(page).fill("WRITE 'ok';\n(* never closed\nWRITE 'lost';");
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), 'ok\n');
    assert.equal(await page.locator('#status').textContent(), '1 warning: see below');
    const items = diagnosticsList(page);
    assert.equal(await items.count(), 1);
    assert.match(await items.first().getByRole('button').textContent(), /^2:1: warning: /);
    await context.close();
  });

  test('a script with 16,000 errors leaves the page usable', async () => {
    const { context, page, problems } = await openPage(session);
    const script = `VAR A;\n${'A = 1\n'.repeat(16000)}A = 2;`;
    await scriptBox(page).evaluate((t, s) => {
      t.value = s;
      t.dispatchEvent(new Event('input', { bubbles: true }));
    }, script);
    await calc(page);
    assert.equal(await page.locator('#status').textContent(), 'Compilation errors: 16000');
    // A list a person can read; the listing has every error.
    assert.equal(await diagnosticsList(page).count(), 201);
    assert.equal(await diagnosticsList(page).last().textContent(), '… and 15800 more: the listing marks every one.');
    assert.match(await resultsText(page), /16000 syntax errors\n$/);
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('one session for the page: the point and values carry over between presses', async () => {
    const { context, page } = await openPage(session);
    await scriptBox(page).fill('GM1 = 41; OLAT = 50.5; OLON = 7.25;');
    await calc(page);
    await scriptBox(page).fill('WRITE GM1 + 1;');
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), '42\n');
    await page.getByRole('button', { name: 'Hand-off' }).click();
    assert.equal(await page.locator('#handoff-text').textContent(), 'N 50° 30.000 E 007° 15.000');
    await context.close();
  });

  test('results wrap with a toggle and are copied with one tap', async () => {
    const { context, page } = await openPage(session);
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: session.url });
    await scriptBox(page).fill(`MARGIN = 0; WRITE '${'long '.repeat(30)}';`);
    await calc(page);
    const results = resultsBox(page);
    const wide = () => results.evaluate((t) => t.scrollWidth > t.clientWidth);
    assert.equal(await wide(), true);
    const wrap = page.getByRole('button', { name: 'Wrap' });
    await wrap.click();
    assert.equal(await wrap.getAttribute('aria-pressed'), 'true');
    assert.equal(await wide(), false);
    await wrap.click();
    assert.equal(await wide(), true);
    await page.getByRole('button', { name: 'Copy', exact: true }).click();
    await assertSaid(page, 'Copied the results');
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), `${'long '.repeat(30)}\n`);
    await context.close();
  });

  test('the hand-off: geo: link with a pin, GPX for real GPX readers, text to copy; no point, no hand-off', async () => {
    const { context, page } = await openPage(session);
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: session.url });
    await page.getByRole('button', { name: 'Hand-off' }).click();
    const dialog = page.getByRole('dialog', { name: 'Hand-off' });
    assert.match(await dialog.textContent(), /Kein Punkt gesetzt\. No point set: a script sets one with OLAT/);
    assert.equal(await dialog.getByRole('link').count(), 0);
    await dialog.getByRole('button', { name: 'Close' }).click();

    // puzzle.inp writes its final as GPS: N 48 11.1230 E 11 38.6590 and
    // Decimal: 48.185383 11.644317, and hands it off.
    await calc(page);
    assert.match(await resultsBox(page).inputValue(), /Final {2}GPS: N 48 11\.1230 E 11 38\.6590\nDecimal: 48\.185383 11\.644317\n/);
    await page.getByRole('button', { name: 'Hand-off' }).click();
    assert.equal(await dialog.locator('#handoff-message').textContent(), 'The point that puzzle.inp set with OLAT and OLON:');
    assert.equal(await dialog.locator('#handoff-text').textContent(), 'N 48° 11.123 E 011° 38.659');
    assert.equal(await dialog.getByRole('link', { name: 'Open in a map app' }).getAttribute('href'),
      'geo:48.185383,11.644317?q=48.185383,11.644317');

    await dialog.getByRole('button', { name: 'Copy' }).click();
    await assertSaid(page, 'Copied the coordinates', '#handoff-said');
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), 'N 48° 11.123 E 011° 38.659');

    const [download] = await Promise.all([
      page.waitForEvent('download'),
      dialog.getByRole('link', { name: 'GPX waypoint' }).click(),
    ]);
    assert.equal(download.suggestedFilename(), 'puzzle.gpx');
    const gpx = path.join(session.work, 'puzzle.gpx');
    await download.saveAs(gpx);
    const byGpxpy = execFileSync('/usr/bin/python3', [path.join(top, 'tests/web/gpx_read.py'), gpx], { encoding: 'utf8' });
    assert.equal(byGpxpy, '48.185383 11.644317 puzzle\n');
    const byGpsbabel = execFileSync('gpsbabel', ['-i', 'gpx', '-f', gpx, '-o', 'unicsv', '-F', '-'], { encoding: 'utf8' });
    assert.equal(byGpsbabel.trim().split('\n')[1], '1,48.185383,11.644317,"puzzle","N 48° 11.123 E 011° 38.659"');
    await context.close();
  });

  test('a point off the Earth is refused with the words the window uses', async () => {
    const { context, page } = await openPage(session);
    const dialog = page.getByRole('dialog', { name: 'Hand-off' });
    for (const [script, reason] of [['OLAT = 123.4; OLON = 11;', 'the latitude is 123.4, beyond ±90°'],
      ['OLAT = SQRT(0 - 1); OLON = 11;', 'the latitude is not a number (nan)']]) {
      await scriptBox(page).fill(script);
      await calc(page);
      await page.getByRole('button', { name: 'Hand-off' }).click();
      assert.equal(await dialog.locator('#handoff-message').textContent(),
        `The point set with OLAT and OLON is not a place on the Earth: ${reason}. Nothing was handed on.`);
      assert.equal(await dialog.getByRole('link').count(), 0);
      assert.equal(await dialog.getByRole('button', { name: 'Copy' }).isVisible(), false);
      await dialog.getByRole('button', { name: 'Close' }).click();
    }
    await context.close();
  });

  test('the help finds keywords, messages, the chapters and the page, without minding accents', async () => {
    const { context, page } = await openPage(session);
    await page.getByRole('button', { name: 'Help' }).click();
    const search = page.getByRole('searchbox', { name: 'Search help' });
    const titles = () => page.locator('#help-entries h3').allTextContents();
    await page.locator('#help-entries h3').first().waitFor();
    const all = (await titles()).length;
    assert.ok(all >= 5);
    for (const [query, first] of [
      ['morse', /^MORSE/], ['E111', /^E111: /], ['olon', /^OLAT, OLON: /],
      // Accents and case are ignored both ways.
      ['Vigenere', /^VIG/], ['VIGENÈRE', /Vig/i], ['gauss kruger', /GK|Gauss/],
      // The chapters' prose and the page's own use.
      ['comments', /^language: Comments$/], ['coordinate literals', /^language: Coordinate literals$/],
      ['here position', /^Page: Here/], ['paste coordinates', /^Page: Paste coordinates$/],
      ['cancel', /^Page: Calc and Cancel$/], ['try', /^Page: Try…/], ['how far', /Distance and bearing/],
      // The puzzle tools by their everyday names, German ones too.
      ['caesar', /^CAESAR: /], ['roman', /^ROM2NUM: /], ['prime', /^NTHPRIME: /],
      ['word value', /^AZSUM, ZASUM: /], ['Buchstabenwert', /^AZSUM, ZASUM: /], ['Quersumme', /^QSUM: /],
      // The exact constructions and the checksum of a final.
      ['exact arc intersection', /^BOGENSCHNITTEXACT: /], ['checksum', /^WGCQSUM: /],
    ]) {
      await search.fill(query);
      const found = await titles();
      assert.ok(found.length > 0 && found.length < all, query);
      assert.match(found[0], first, `${query}: ${found[0]}`);
    }
    await search.fill('xyzzy zzxq');
    assert.deepEqual(await page.locator('#help-entries li').allTextContents(), ['Nothing found.']);
    await context.close();
  });

  test('the help on a phone: Enter keeps it open, the keyboard scrolls the answers, code shows as code', async () => {
    const { context, page } = await openPage(session, { hasTouch: true, isMobile: true });
    await page.getByRole('button', { name: 'Help' }).click();
    const dialog = page.getByRole('dialog', { name: 'Help' });
    const search = page.getByRole('searchbox', { name: 'Search help' });
    await search.fill('write');
    // The keyboard's search key sends Enter: the answers stay, and the list
    // takes the keys.
    await search.press('Enter');
    assert.ok(await dialog.isVisible());
    assert.equal(await page.evaluate(() => document.activeElement.id), 'help-entries');
    const list = page.locator('#help-entries');
    const scrolled = () => list.evaluate((e) => e.scrollTop);
    assert.equal(await scrolled(), 0);
    await page.keyboard.press('PageDown');
    await page.waitForFunction(() => document.getElementById('help-entries').scrollTop > 0);
    // The entry's Markdown is rendered: code in <code>, examples in <pre>,
    // no backtick left in the text.
    const first = list.locator('li').first();
    assert.match(await first.locator('h3').textContent(), /^WRITE: /);
    assert.ok(await first.locator('code').count() > 0);
    assert.match(await first.locator('pre').first().textContent(), /^WRITE 'one third is '/);
    assert.ok(!(await first.textContent()).includes('`'));
    await context.close();
  });

  test('with the network cut, a reload still shows the page and Calc works', async () => {
    const { context, page } = await openPage(session);
    await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      if (!navigator.serviceWorker.controller) {
        await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
      }
    });
    await context.setOffline(true);
    await page.reload();
    await ready(page);
    await scriptBox(page).fill("WRITE 'offline ', SQRT(2):5;");
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), 'offline 1.41421\n');
    // The help and the examples come from the cache too.
    await page.getByRole('button', { name: 'Help' }).click();
    await page.getByRole('searchbox', { name: 'Search help' }).fill('OLAT');
    assert.ok((await page.locator('#help-entries h3').allTextContents()).some((t) => t.includes('OLAT')));
    await page.getByRole('button', { name: 'Close' }).last().click();
    await page.getByRole('button', { name: 'Load' }).click();
    await page.getByRole('dialog', { name: 'Scripts' }).getByRole('button', { name: 'navigation.inp', exact: true }).click();
    await assertName(page, 'navigation.inp');
    assert.match(await scriptBox(page).inputValue(), /^-- /);
    await context.close();
  });

  test('the page installs as an app: manifest, icons, service worker', async () => {
    // Installing needs a profile of its own: an incognito context cannot.
    const profile = mkdtempSync(path.join(session.work, 'profile-'));
    const context = await chromium.launchPersistentContext(profile, {
      executablePath: chromiumPath, headless: true, args: chromiumFlags,
    });
    const page = await context.newPage();
    await page.goto(session.url);
    await ready(page);
    const manifest = await page.evaluate(async () => (await fetch(document.querySelector('link[rel=manifest]').href)).json());
    assert.equal(manifest.display, 'standalone');
    assert.equal(manifest.start_url, './');
    const sizes = manifest.icons.map((i) => i.sizes);
    assert.ok(sizes.includes('192x192') && sizes.includes('512x512'));
    for (const icon of manifest.icons) {
      const response = await page.request.get(new URL(icon.src, session.url).href);
      assert.equal(response.status(), 200, icon.src);
    }
    const scope = await page.evaluate(async () => (await navigator.serviceWorker.ready).scope);
    assert.equal(scope, session.url);
    const cdp = await context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    await context.close();
  });
});

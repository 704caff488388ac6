// The page in the field: the phone's position into the script and to the
// point, sharing, a long Calc that can be cancelled, and the point and the
// results kept across a reload.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  assertSaid, calc, openPage, ready, resultsBox, scriptBox, startBrowser,
} from './browser.mjs';

let session;
before(async () => {
  session = await startBrowser();
});
after(() => session?.close());

const here = { latitude: 48.20575, longitude: 11.5083333, accuracy: 7.3 };
const inField = { geolocation: here, permissions: ['geolocation'] };
const handOff = (page) => page.getByRole('dialog', { name: 'Hand-off' });

describe('in the field', () => {
  test('Here inserts the phone\'s position as the language writes it, with its accuracy', async () => {
    const { context, page } = await openPage(session, inField);
    await scriptBox(page).fill('WRITE WGPS();');
    await scriptBox(page).evaluate((t) => t.setSelectionRange(11, 11));
    await page.getByRole('button', { name: 'Here' }).click();
    await assertSaid(page, 'Inserted your position (±8 m)');
    assert.equal(await scriptBox(page).inputValue(), 'WRITE WGPS(°N 48 12.345, °E 11 30.500 {±8 m});');
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), 'GPS: N 48 12.3450 E 11 30.5000\n');
    await context.close();
  });

  for (const [label, options, said] of [
    ['permission refused', { geolocation: here },
      'The page may not know where you are: allow the location for this page in the browser’s site settings, then try again.'],
    ['a browser without a location service', { init: () => { delete Navigator.prototype.geolocation; } },
      'This browser cannot tell where you are: it has no location service.'],
  ]) {
    test(`Here with ${label} says so, and the script stays as it was`, async () => {
      const { context, page } = await openPage(session, options);
      await scriptBox(page).fill('WRITE 1;');
      await page.getByRole('button', { name: 'Here' }).click();
      await assertSaid(page, said);
      assert.equal(await page.locator('#status').getAttribute('class'), 'error');
      assert.equal(await scriptBox(page).inputValue(), 'WRITE 1;');
      // The hand-off's distance says the same.
      await scriptBox(page).fill('OLAT = 48.3; OLON = 11.6;');
      await calc(page);
      await page.getByRole('button', { name: 'Hand-off' }).click();
      await handOff(page).getByRole('button', { name: 'From here' }).click();
      await assertSaid(page, said, '#from-here');
      await context.close();
    });
  }

  test('the hand-off gives the way from here to the point, as the engine\'s CP computes it', async () => {
    const { context, page } = await openPage(session, inField);
    // The same computation in the language, for the figures to hold it to.
    await scriptBox(page).fill(`VAR D, A;\nOLAT = 48.185383; OLON = 11.644317;\nCP(${here.latitude}, ${here.longitude}, 48.185383, 11.644317, D, A);\nWRITE D:3, ' ', A:3;`);
    await calc(page);
    const [distance, bearing] = (await resultsBox(page).inputValue()).trim().split(' ').map(Number);
    await page.getByRole('button', { name: 'Hand-off' }).click();
    await handOff(page).getByRole('button', { name: 'From here' }).click();
    const km = (distance / 1000).toFixed(2);
    await assertSaid(page, new RegExp(`^From here \\(±8 m\\): ${km.replace('.', '\\.')} km, bearing ${Math.round(bearing)}° \\([NESW]{1,3}\\)$`), '#from-here');
    // About 10.34 km a little south of east, by a flat estimate.
    assert.ok(Math.abs(distance - 10340) < 100 && Math.abs(bearing - 102.6) < 1.5, `${distance} m, ${bearing}°`);
    await context.close();
  });

  test('Share hands the point and the results to the phone\'s share sheet', async () => {
    const { context, page } = await openPage(session, {
      // A phone's share sheet, which records what it was given.
      init: () => {
        window.shared = [];
        navigator.share = async (data) => { window.shared.push(data); };
      },
    });
    await calc(page);
    await page.getByRole('button', { name: 'Share' }).click();
    await page.getByRole('button', { name: 'Hand-off' }).click();
    await handOff(page).getByRole('button', { name: 'Share' }).click();
    const shared = await page.evaluate(() => window.shared);
    assert.equal(shared.length, 2);
    assert.equal(shared[0].title, 'puzzle.inp – Orbelin');
    assert.match(shared[0].text, /^A=1 B=1 C=2 D=3\n/);
    assert.deepEqual(shared[1], {
      title: 'puzzle – Orbelin',
      text: 'N 48° 11.123 E 011° 38.659\ngeo:48.185383,11.644317?q=48.185383,11.644317',
    });
    await context.close();
  });

  test('a long Calc runs while the page stays usable, and Cancel stops it', async () => {
    const { context, page } = await openPage(session);
    await scriptBox(page).fill('OLAT = 50.5; OLON = 7.25; WRITE 1;');
    await calc(page);
    // Some sixteen megabytes of script, in long lines that the box shows
    // quickly: seconds of work for the engine. (The controls are found by
    // their ids here: Playwright's search by role would read the huge box on
    // every step.)
    await scriptBox(page).evaluate((t) => {
      t.value = `VAR A, B;\n${`${'CENTER(50,8,50.1,8.1,50,8.2,A,B);'.repeat(40)}\n`.repeat(12000)}WRITE A;`;
    });
    await page.locator('#calc').click();
    // Its seconds and Cancel (and a bar on a wider screen).
    const progress = page.locator('#progress');
    await progress.waitFor();
    await assertSaid(page, /^Calculating… \d+ s$/);
    assert.equal(await page.locator('#calc').isDisabled(), true);
    // The page answers while the engine works: the help opens and searches.
    await page.locator('#help').click();
    await page.locator('#help-search').fill('morse');
    await page.locator('#help-entries h3').first().waitFor();
    await page.locator('#help-dialog button[value=close]').click();
    assert.equal(await progress.isVisible(), true, 'the Calc was still running');
    await page.locator('#cancel').click();
    await assertSaid(page, 'Calc cancelled. The engine was started afresh: values, MARGIN, cipher keys and the Enigma machine are reset; the point is kept.');
    assert.equal(await progress.isVisible(), false);
    assert.equal(await resultsBox(page).inputValue(), '1\n');
    // A fresh engine: Calc works, the point is kept.
    await scriptBox(page).fill('WRITE 2;');
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), '2\n');
    await page.getByRole('button', { name: 'Hand-off' }).click();
    assert.equal(await handOff(page).locator('#handoff-text').textContent(), 'N 50° 30.000 E 007° 15.000');
    await context.close();
  });

  test('a reload keeps the point, which script set it, and the last results', async () => {
    const { context, page } = await openPage(session);
    await calc(page);
    const results = await resultsBox(page).inputValue();
    await scriptBox(page).fill('VAR A;\nA = 1\nWRITE A;');
    await calc(page);
    await page.reload();
    await ready(page);
    // The user's copy of the example, with its listing and diagnostics.
    assert.equal(await page.locator('#script-name').textContent(), 'puzzle.inp');
    assert.match(await resultsBox(page).inputValue(), /^Listing:\n/);
    assert.equal(await page.locator('#status').textContent(), 'Compilation errors: 1');
    assert.deepEqual(await page.getByRole('region', { name: 'Diagnostics' }).getByRole('button').allTextContents(),
      ['3:1: error: ";" expected (E6)']);
    await page.getByRole('button', { name: 'Hand-off' }).click();
    assert.equal(await handOff(page).locator('#handoff-message').textContent(), 'The point that puzzle.inp set with OLAT and OLON:');
    assert.equal(await handOff(page).locator('#handoff-text').textContent(), 'N 48° 11.123 E 011° 38.659');
    await handOff(page).getByRole('button', { name: 'Close' }).click();
    // The session goes on with the point: a script that sets only the
    // latitude keeps the longitude.
    await scriptBox(page).fill('OLAT = 50;');
    await calc(page);
    await page.reload();
    await ready(page);
    assert.equal(await resultsBox(page).inputValue(), '');
    await page.getByRole('button', { name: 'Hand-off' }).click();
    assert.equal(await handOff(page).locator('#handoff-text').textContent(), 'N 50° 00.000 E 011° 38.659');
    assert.notEqual(results, '');
    await context.close();
  });
});

// Try values in the page: the dialog lists the script's variables, runs
// every combination in a worker with progress and Cancel, lists the points
// that pass, hands one on and downloads them all as GPX.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { assertSaid, openPage, scriptBox, startBrowser } from './browser.mjs';

const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const final = readFileSync(path.join(top, 'examples/unknown_digits.inp'), 'latin1').replace(/\r\n/g, '\n').replace(/\0.*$/s, '');

let session;
before(async () => {
  session = await startBrowser();
});
after(() => session?.close());

const dialogOf = (page) => page.getByRole('dialog', { name: 'Try values' });

async function openTry(page, text) {
  await scriptBox(page).fill(text);
  await page.getByRole('button', { name: 'Try values' }).click();
  return dialogOf(page);
}

describe('Try values', () => {
  test('the cookbook\'s final: three points pass, nearest first, one goes to the hand-off, all to GPX', async () => {
    const { context, page, problems } = await openPage(session);
    const dialog = await openTry(page, final);
    // A field for each name of the VAR line.
    assert.deepEqual(await dialog.locator('#vary-fields label').allTextContents(),
      ['A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'LAT', 'LON', 'CHK']);
    for (const name of ['A', 'E', 'H']) await dialog.getByRole('textbox', { name, exact: true }).fill('0..9');
    await dialog.getByRole('textbox', { name: 'Keep only' }).fill('CHK=41');
    await dialog.getByRole('textbox', { name: 'Near' }).fill('N 48° 14.120 E 011° 29.870');
    await dialog.getByRole('textbox', { name: 'Within' }).fill('2mi');
    await dialog.getByRole('button', { name: 'Run' }).click();
    await assertSaid(page, /^1,000 combinations tried/, '#vary-said');
    assert.match(await dialog.locator('#vary-said').textContent(), /Dropped: 985 failed a condition, 12 beyond 3\.22 km/);
    // The same points as `orbelin vary` lists for the same search.
    assert.deepEqual(await dialog.getByRole('list', { name: 'Kept points' }).getByRole('button').allTextContents(), [
      'A=4 E=0 H=0 · N 48° 14.347 E 011° 30.500 · 886 m · Digit sum: 41',
      'A=3 E=0 H=1 · N 48° 13.347 E 011° 30.501 · 1.63 km · Digit sum: 41',
      'A=3 E=1 H=0 · N 48° 13.347 E 011° 31.500 · 2.48 km · Digit sum: 41',
    ]);

    const [download] = await Promise.all([
      page.waitForEvent('download'),
      dialog.getByRole('link', { name: 'GPX of all' }).click(),
    ]);
    const gpx = path.join(session.work, download.suggestedFilename());
    await download.saveAs(gpx);
    const byGpsbabel = execFileSync('gpsbabel', ['-i', 'gpx', '-f', gpx, '-o', 'unicsv', '-F', '-'], { encoding: 'utf8' });
    assert.deepEqual(byGpsbabel.trim().split('\n').slice(1).map((l) => l.split(',').slice(1, 4).join(',')), [
      '48.239117,11.508333,"A=4 E=0 H=0"', '48.222450,11.508350,"A=3 E=0 H=1"', '48.222450,11.525000,"A=3 E=1 H=0"']);

    await dialog.getByRole('button', { name: /^A=4 E=0 H=0/ }).click();
    const handOff = page.getByRole('dialog', { name: 'Hand-off' });
    assert.equal(await handOff.locator('#handoff-text').textContent(), 'N 48° 14.347 E 011° 30.500');
    assert.match(await handOff.locator('#handoff-message').textContent(), /with A=4 E=0 H=0 set with OLAT and OLON/);
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('mistakes in the fields are said, each naming its field, and nothing runs', async () => {
    const { context, page } = await openPage(session);
    const dialog = await openTry(page, 'VAR A, B;\nOLAT = 48 + A / 60; OLON = 11;\n');
    await dialog.getByRole('textbox', { name: 'A', exact: true }).fill('5..1');
    await dialog.getByRole('textbox', { name: 'Within' }).fill('far');
    await dialog.getByRole('button', { name: 'Run' }).click();
    await assertSaid(page, /'5\.\.1' is empty[\s\S]*Within: /, '#vary-said');
    assert.equal(await dialog.locator('#vary-said').getAttribute('class'), 'error');
    assert.equal(await dialog.getByRole('list', { name: 'Kept points' }).getByRole('listitem').count(), 0);
    // Too many combinations: refused before anything runs.
    await dialog.getByRole('textbox', { name: 'A', exact: true }).fill('1..100000');
    await dialog.getByRole('textbox', { name: 'B', exact: true }).fill('1..1000');
    await dialog.getByRole('textbox', { name: 'Within' }).fill('');
    await dialog.getByRole('button', { name: 'Run' }).click();
    await assertSaid(page, /100,000,000 combinations .* at most 10,000,000/, '#vary-said');
    await context.close();
  });

  test('a long search shows its progress and Cancel keeps what was found so far', async () => {
    const { context, page } = await openPage(session);
    const dialog = await openTry(page, 'VAR A, B, C;\nOLAT = 48 + A / 60; OLON = 11 + B / 60;\n');
    for (const name of ['A', 'B', 'C']) await dialog.getByRole('textbox', { name, exact: true }).fill('0..199');
    await dialog.getByRole('button', { name: 'Run' }).click();
    await assertSaid(page, /^[\d,]+ of 8,000,000 combinations/, '#vary-said');
    assert.equal(await dialog.getByRole('progressbar').isVisible(), true);
    // The page answers while the search runs.
    assert.equal(await page.evaluate(() => 1 + 1), 2);
    await dialog.getByRole('button', { name: 'Cancel' }).click();
    await assertSaid(page, /^Stopped after [\d,]+ of 8,000,000 combinations/, '#vary-said');
    assert.ok(await dialog.getByRole('list', { name: 'Kept points' }).getByRole('listitem').count() > 0);
    assert.equal(await dialog.getByRole('button', { name: 'Run' }).isVisible(), true);
    await context.close();
  });
});

// Text that is not stored is never dropped by opening another script: while
// the box holds it (the storage full, or a change of another tab not
// settled), Load, an example, New and Import ask first (Save, Discard,
// Cancel). Two tabs that store the same script at the same instant are a
// conflict, not a silent loss.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  assertName, assertSaid, fillStorage, loadDialog, openPage, saveAs, scriptBox, startBrowser, stored,
} from './browser.mjs';

let session;
before(async () => {
  session = await startBrowser();
});
after(() => session?.close());

const question = (page) => page.locator('#ask-dialog');
const answer = (page, button) => question(page).getByRole('button', { name: button, exact: true }).click();
const noteOf = (page) => page.locator('#note');

// Stores `text` under `name` from another tab that had not yet heard of
// this tab's last write: what a tab does that writes at the same instant.
async function writeFromAnotherTab(context, name, text) {
  const other = await context.newPage();
  // Any document of the page's origin shares its storage.
  await other.goto(new URL('manifest.webmanifest', session.url).href);
  await other.evaluate(([n, t]) => {
    localStorage.setItem(`orbelin.script:${n}`, t);
    localStorage.setItem(`orbelin.stamp:${n}`, 'othertab.1<');
  }, [name, text]);
  await other.close();
}

// The box holds walk.inp's text "WRITE 1; WRITE 2;", which is not stored.
const conditions = {
  async 'storage full'(page) {
    await fillStorage(page);
    await scriptBox(page).press('Control+End');
    await page.keyboard.type(' WRITE 2;');
    await assertSaid(page, /^Not saved: the browser’s storage is full\. walk\.inp/, '#note');
    return 'walk.inp is not stored: the browser’s storage is full. Save it before another script opens, or discard the changes?';
  },
  async 'conflict cancelled'(page, context) {
    await scriptBox(page).press('Control+End');
    await page.keyboard.type(' WRITE 2;');
    await page.waitForFunction(() => localStorage.getItem('orbelin.script:walk.inp') === 'WRITE 1; WRITE 2;');
    await writeFromAnotherTab(context, 'walk.inp', 'WRITE 3;');
    await question(page).waitFor();
    await answer(page, 'Cancel');
    await assertSaid(page, 'Not saved: walk.inp was changed in another tab. Done asks what to keep.', '#note');
    return 'walk.inp was changed in another tab, and the text in this tab is not stored. Save it before another script opens, or discard the changes?';
  },
};

// Each opens another script in the box, and names it.
const actions = {
  async Load(page) {
    const dialog = await loadDialog(page);
    await dialog.getByRole('list', { name: 'Yours' }).getByRole('button', { name: 'other.inp', exact: true }).click();
    return 'other.inp';
  },
  async example(page) {
    const dialog = await loadDialog(page);
    await dialog.getByRole('list', { name: 'Examples' }).getByRole('button', { name: 'navigation.inp', exact: true }).click();
    return 'navigation.inp';
  },
  async New(page) {
    const dialog = await loadDialog(page);
    await dialog.getByRole('button', { name: 'New' }).click();
    return 'script.inp';
  },
  async Import(page) {
    await loadDialog(page);
    await page.locator('#import').setInputFiles({ name: 'more.inp', mimeType: 'text/plain', buffer: Buffer.from('WRITE 4;') });
    return 'more.inp';
  },
};

describe('text that is not stored is asked about before another script opens', () => {
  for (const [condition, arrange] of Object.entries(conditions)) {
    for (const [action, act] of Object.entries(actions)) {
      test(`${condition}: ${action}`, async () => {
        const { context, page, problems } = await openPage(session);
        await scriptBox(page).fill('WRITE 0;');
        await saveAs(page, 'other');
        await scriptBox(page).fill('WRITE 1;');
        await saveAs(page, 'walk');
        await assertSaid(page, 'Saved as walk.inp');
        const asked = await arrange(page, context);
        const kept = async () => {
          await assertName(page, 'walk.inp');
          assert.equal(await scriptBox(page).inputValue(), 'WRITE 1; WRITE 2;');
          assert.equal(await noteOf(page).isVisible(), true, 'the note stays');
        };

        // Cancel: nothing opens, the box keeps its text and its note.
        await act(page);
        await question(page).waitFor();
        assert.equal(await question(page).locator('#ask-text').textContent(), asked);
        assert.deepEqual(await question(page).getByRole('button').allTextContents(), ['Save', 'Discard', 'Cancel']);
        await answer(page, 'Cancel');
        await kept();
        await page.keyboard.press('Escape');

        const opened = await act(page);
        if (condition === 'storage full') {
          // Save tries again; the storage is still full, so nothing opens.
          await answer(page, 'Save');
          await assertSaid(page, 'Still not saved: the browser’s storage is full. Export walk.inp to keep it, or discard it.');
          await kept();
          await page.keyboard.press('Escape');
          // Discard: the other script opens; walk.inp keeps the last text
          // that fitted.
          await act(page);
          await answer(page, 'Discard');
          await assertName(page, opened);
          assert.match(await stored(page, 'walk.inp'), /^WRITE 1;/);
          assert.notEqual(await stored(page, 'walk.inp'), 'WRITE 1; WRITE 2;');
        } else {
          // Save stores this tab's text over the other tab's, then opens.
          await answer(page, 'Save');
          await assertName(page, opened);
          assert.equal(await stored(page, 'walk.inp'), 'WRITE 1; WRITE 2;');
        }
        assert.deepEqual(problems, []);
        await context.close();
      });
    }
  }
});

describe('two tabs storing one script at the same instant', () => {
  test('the tab whose write was overwritten unseen asks, and keeps its text until answered', async () => {
    const { context, page } = await openPage(session);
    await scriptBox(page).fill('WRITE 1;');
    await saveAs(page, 'walk');
    await scriptBox(page).press('Control+End');
    await page.keyboard.type(' WRITE 2;');
    await page.waitForFunction(() => localStorage.getItem('orbelin.script:walk.inp') === 'WRITE 1; WRITE 2;');
    await writeFromAnotherTab(context, 'walk.inp', 'WRITE 1; WRITE 3;');
    await question(page).waitFor();
    assert.match(await question(page).locator('#ask-text').textContent(), /^walk\.inp was changed in another tab since this tab stored it\./);
    assert.equal(await scriptBox(page).inputValue(), 'WRITE 1; WRITE 2;');
    await answer(page, 'Keep This Tab’s');
    await page.waitForFunction(() => localStorage.getItem('orbelin.script:walk.inp') === 'WRITE 1; WRITE 2;');
    await context.close();
  });

  test('two real tabs typing at once: one of them asks; no edit is dropped unasked', async () => {
    const { context, page: a } = await openPage(session);
    await scriptBox(a).fill('WRITE 1;');
    await saveAs(a, 'walk');
    const b = await context.newPage();
    await b.goto(session.url);
    await assertName(b, 'walk.inp');
    // Each tab types one character at the same moment of the clock.
    const at = Date.now() + 400;
    const typeAt = (page, text) => page.evaluate(([when, t]) => {
      setTimeout(() => {
        const box = document.getElementById('script');
        box.value += t;
        box.dispatchEvent(new Event('input', { bubbles: true }));
      }, when - Date.now());
    }, [at, text]);
    await Promise.all([typeAt(a, 'A'), typeAt(b, 'B')]);
    await a.waitForTimeout(1500);
    const asking = [];
    for (const page of [a, b]) if (await question(page).isVisible()) asking.push(page);
    const texts = await Promise.all([a, b].map((p) => scriptBox(p).inputValue()));
    assert.ok(asking.length > 0, `nobody asks; the boxes hold ${JSON.stringify(texts)}`);
    // Each tab still holds its own edit while it asks.
    for (const page of asking) assert.match(await scriptBox(page).inputValue(), /^WRITE 1;[AB]$/);
    await context.close();
  });
});

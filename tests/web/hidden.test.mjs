// What the page hides is not on the screen, in every state: a control that
// shows while it should be hidden does nothing or the wrong thing (a GPX
// link to nothing reloads the page, Share without a share sheet, a blank
// third answer in a question).
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { calc, openPage, saveAs, scriptBox, startBrowser } from './browser.mjs';

let session;
before(async () => {
  session = await startBrowser();
});
after(() => session?.close());

// The ids of the elements with `hidden` that take room on the screen, and
// of all elements with `hidden`.
const hiddenState = (page) => page.evaluate(() => {
  const all = [...document.querySelectorAll('[hidden]')];
  const id = (el) => el.id || `${el.tagName.toLowerCase()}.${el.className}`;
  return { shown: all.filter((el) => el.getClientRects().length > 0).map(id), hidden: all.map(id) };
});

const noShare = () => {
  delete Navigator.prototype.share;
  delete Navigator.prototype.canShare;
};

// Each brings the page into a state and names elements that must be hidden
// in it (so that the check has something to look at).
const states = {
  async idle(page) {
    return ['progress', 'share-results'];
  },
  async 'a run going'(page) {
    await scriptBox(page).evaluate((t) => {
      t.value = `VAR A, B;\n${`${'CENTER(50,8,50.1,8.1,50,8.2,A,B);'.repeat(40)}\n`.repeat(4000)}`;
    });
    await page.locator('#calc').click();
    await page.locator('#progress').waitFor();
    return ['share-results'];
  },
  async 'no share API: the hand-off'(page) {
    await calc(page);
    await page.getByRole('button', { name: 'Hand-off' }).click();
    await page.locator('#handoff-point').waitFor();
    return ['share-point', 'share-results'];
  },
  async 'a one-answer question'(page) {
    await saveAs(page, 'walk');
    await scriptBox(page).fill('WRITE 1;');
    await saveAs(page, 'other');
    await saveAs(page, 'walk', null);
    await page.locator('#ask-dialog').waitFor();
    return ['ask-no'];
  },
  async 'Try values, before a search'(page) {
    await scriptBox(page).fill('VAR A; OLAT = 48 + A / 10; OLON = 11;');
    await page.getByRole('button', { name: 'Try values' }).click();
    return ['vary-cancel', 'vary-gpx', 'vary-progress'];
  },
  async 'Try values, a search running'(page) {
    await scriptBox(page).fill(`VAR A, B; ${'CENTER(50,8,50.1,8.1,50,8.2,A,B);'.repeat(200)}`);
    await page.getByRole('button', { name: 'Try values' }).click();
    await page.getByRole('textbox', { name: 'A', exact: true }).fill('0..99999');
    await page.getByRole('button', { name: 'Run' }).click();
    await page.locator('#vary-progress').waitFor();
    return ['vary-run', 'vary-gpx'];
  },
};

describe('nothing hidden is on the screen', () => {
  for (const [state, arrange] of Object.entries(states)) {
    test(state, async () => {
      const { context, page, problems } = await openPage(session, { init: noShare });
      const expected = await arrange(page);
      const { shown, hidden } = await hiddenState(page);
      for (const id of expected) assert.ok(hidden.includes(id), `${id} is not hidden`);
      assert.deepEqual(shown, []);
      assert.deepEqual(problems, []);
      await context.close();
    });
  }
});

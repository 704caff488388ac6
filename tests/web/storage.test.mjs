// The page keeps every script: saved as typed, across reloads and killed
// tabs, under names that never silently replace another; the examples as
// read-only templates; Delete with Undo; every script out into one archive
// and back; two tabs on one script; and a storage that is full or refused,
// where nothing claims a save that did not happen.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { readdir, readFile } from 'node:fs/promises';
import path from 'node:path';
import { top } from './engine.mjs';
import { buildZip, zipBomb } from './zip_samples.mjs';
import {
  assertName, assertSaid, calc, fillStorage, freeStorage, listed, loadDialog, openPage, ready, resultsBox,
  saveAs, scriptBox, startBrowser, stored,
} from './browser.mjs';

let session;
before(async () => {
  session = await startBrowser();
});
after(() => session?.close());

const exampleNames = (await readdir(path.join(top, 'examples'))).filter((n) => n.endsWith('.inp')).sort();
const bundled = async (name) => (await readFile(path.join(top, 'examples', name), 'utf8')).replace(/\r\n/g, '\n');
const note = (page) => page.getByRole('alert');
// The question the page asks, once it asks.
async function asked(page) {
  await page.locator('#ask-dialog').waitFor();
  return page.locator('#ask-text').textContent();
}

// Types at the end of the script box.
async function typeAtEnd(page, text) {
  await scriptBox(page).press('Control+End');
  await page.keyboard.type(text);
}

describe('keeping scripts', () => {
  test('scripts are saved as typed, survive a reload and a killed tab, and load', async () => {
    const { context, page } = await openPage(session);
    await assertName(page, 'puzzle.inp');
    await saveAs(page, 'walk');
    await assertName(page, 'walk.inp');
    await assertSaid(page, 'Saved as walk.inp');
    // Typed and never saved by hand: kept as typed.
    await scriptBox(page).fill('VAR X;\n');
    await typeAtEnd(page, 'X = 7;');
    await page.reload();
    await ready(page);
    await assertName(page, 'walk.inp');
    assert.equal(await scriptBox(page).inputValue(), 'VAR X;\nX = 7;');
    // The tab closed without unload handlers, as when a phone kills it.
    await typeAtEnd(page, ' WRITE X;');
    await page.close({ runBeforeUnload: false });
    const again = await context.newPage();
    await again.goto(session.url);
    await ready(again);
    assert.equal(await scriptBox(again).inputValue(), 'VAR X;\nX = 7; WRITE X;');

    const dialog = await loadDialog(again);
    assert.deepEqual(await listed(dialog, 'Yours'), ['walk.inp']);
    assert.deepEqual(await listed(dialog, 'Examples'), exampleNames);
    await dialog.getByRole('button', { name: 'navigation.inp', exact: true }).click();
    await assertName(again, 'navigation.inp');
    assert.equal(await scriptBox(again).inputValue(), await bundled('navigation.inp'));
    await context.close();
  });

  test('a long script: typing does not wait for the storage, and a killed tab loses nothing', async () => {
    const { context, page } = await openPage(session, {
      // Counts the writes of long texts.
      init: () => {
        window.longWrites = 0;
        const setItem = Storage.prototype.setItem;
        Storage.prototype.setItem = function (key, value) {
          if (String(value).length > 100000) window.longWrites++;
          return setItem.call(this, key, value);
        };
      },
    });
    await saveAs(page, 'big');
    const text = `VAR A;\n${'A = A + 1;\n'.repeat(300000)}`;
    await scriptBox(page).evaluate((t, s) => {
      t.value = s;
      t.dispatchEvent(new Event('input', { bubbles: true }));
    }, text);
    await page.waitForFunction((n) => localStorage.getItem('orbelin.script:big.inp')?.length === n, text.length);
    const writes = await page.evaluate(() => window.longWrites);
    await typeAtEnd(page, 'WRITE A;WRITE A;');
    // Stored when typing pauses, not on every key.
    assert.ok((await page.evaluate(() => window.longWrites)) - writes <= 2, 'written on every key');
    await page.close({ runBeforeUnload: false });
    const again = await context.newPage();
    await again.goto(session.url);
    await ready(again);
    // The box shows so long a script a part at a time, from its start.
    await scriptBox(again).press('Control+End');
    assert.equal((await scriptBox(again).inputValue()).slice(-20), `${text.slice(-4)}WRITE A;WRITE A;`);
    await context.close();
  });

  test('the examples are templates: a change makes the user\'s copy; hidden ones come back', async () => {
    const { context, page } = await openPage(session);
    await assertName(page, 'puzzle.inp');
    assert.equal(await page.locator('#script-kind').isVisible(), true);
    await scriptBox(page).fill('oops');
    await assertSaid(page, 'Your own copy: puzzle.inp. The example puzzle.inp stays as it was.');
    assert.equal(await page.locator('#script-kind').isVisible(), false);
    assert.equal(await stored(page, 'puzzle.inp'), 'oops');

    let dialog = await loadDialog(page);
    assert.deepEqual(await listed(dialog, 'Yours'), ['puzzle.inp']);
    await dialog.getByRole('list', { name: 'Examples' }).getByRole('button', { name: 'puzzle.inp', exact: true }).click();
    assert.equal(await scriptBox(page).inputValue(), await bundled('puzzle.inp'));
    assert.equal(await page.locator('#script-kind').isVisible(), true);
    // Done leaves an example as it is; the next change makes a second copy.
    await page.getByRole('button', { name: 'Done' }).click();
    await assertSaid(page, 'puzzle.inp is an example: it stays as it is, and a change makes your own copy.');
    await typeAtEnd(page, '\nWRITE 1;');
    await assertName(page, 'puzzle-2.inp');
    assert.equal(await stored(page, 'puzzle.inp'), 'oops');

    dialog = await loadDialog(page);
    await dialog.getByRole('button', { name: 'Hide vigenere.inp' }).click();
    await dialog.getByRole('button', { name: 'Hide morse.inp' }).click();
    assert.deepEqual(await listed(dialog, 'Examples'), exampleNames.filter((n) => n !== 'vigenere.inp' && n !== 'morse.inp'));
    await page.reload();
    await ready(page);
    dialog = await loadDialog(page);
    assert.equal((await listed(dialog, 'Examples')).includes('vigenere.inp'), false);
    await dialog.getByRole('button', { name: 'Restore examples' }).click();
    assert.deepEqual(await listed(dialog, 'Examples'), exampleNames);
    await context.close();
  });

  test('copies of the examples that an earlier version stored go; edited ones stay', async () => {
    const navigation = await bundled('navigation.inp');
    const { context, page } = await openPage(session, {
      initArg: navigation,
      init: (text) => {
        if (localStorage.getItem('orbelin.current') === null) {
          localStorage.setItem('orbelin.script:navigation.inp', text);
          localStorage.setItem('orbelin.script:puzzle.inp', 'oops');
          localStorage.setItem('orbelin.current', 'navigation.inp');
        }
      },
    });
    await page.waitForFunction(() => localStorage.getItem('orbelin.examples-are-templates') === '1');
    // The page opened navigation.inp; it is the example now.
    await assertName(page, 'navigation.inp');
    assert.equal(await scriptBox(page).inputValue(), navigation);
    assert.equal(await page.locator('#script-kind').isVisible(), true);
    const dialog = await loadDialog(page);
    assert.deepEqual(await listed(dialog, 'Yours'), ['puzzle.inp']);
    await context.close();
  });

  test('Delete offers Undo, also for the script in the box', async () => {
    const { context, page } = await openPage(session);
    await saveAs(page, 'walk');
    await scriptBox(page).fill('WRITE 1;');
    let dialog = await loadDialog(page);
    await dialog.getByRole('button', { name: 'Delete walk.inp' }).click();
    await assertSaid(page, 'Deleted walk.inp. Undo', '#load-said');
    assert.deepEqual(await listed(dialog, 'Yours'), []);
    assert.equal(await stored(page, 'walk.inp'), null);
    await assertName(page, 'script.inp');
    await dialog.getByRole('button', { name: 'Undo' }).click();
    await assertSaid(page, 'Restored walk.inp.', '#load-said');
    assert.deepEqual(await listed(dialog, 'Yours'), ['walk.inp']);
    await assertName(page, 'walk.inp');
    assert.equal(await scriptBox(page).inputValue(), 'WRITE 1;');
    await dialog.getByRole('button', { name: 'Close' }).click();
    assert.equal(await stored(page, 'walk.inp'), 'WRITE 1;');
    dialog = await loadDialog(page);
    assert.equal(await dialog.getByRole('button', { name: 'Undo' }).count(), 0);
    await context.close();
  });

  test('Export all puts every script into one zip, and Import takes it back', async () => {
    const { context, page } = await openPage(session);
    const scripts = {
      'a.inp': "WRITE 'Grüße';\n",
      // Ω has no Windows-1252 byte: the archive keeps it in UTF-8.
      'b.inp': "WRITE 'Ω';",
      'c d.inp': '',
    };
    for (const [name, text] of Object.entries(scripts)) {
      await saveAs(page, name);
      await assertName(page, name);
      await scriptBox(page).fill(text);
    }
    const dialog = await loadDialog(page);
    const [download] = await Promise.all([
      page.waitForEvent('download'),
      dialog.getByRole('button', { name: 'Export all' }).click(),
    ]);
    assert.equal(download.suggestedFilename(), 'orbelin-scripts.zip');
    const archive = path.join(session.work, 'all.zip');
    await download.saveAs(archive);
    // Python's zipfile reads it: the names and each file's bytes.
    const read = execFileSync('/usr/bin/python3', ['-c',
      'import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1])\nassert z.testzip() is None\n'
      + 'for i in z.infolist(): print(i.filename, z.read(i).hex())', archive], { encoding: 'utf8' });
    assert.deepEqual(read.trim().split('\n'), [
      `a.inp ${Buffer.from("WRITE 'Gr\xFC\xDFe';\r\n\0", 'latin1').toString('hex')}`,
      `b.inp ${Buffer.from("WRITE 'Ω';\0", 'utf8').toString('hex')}`,
      `c d.inp ${Buffer.from('\0').toString('hex')}`,
    ]);

    for (const name of Object.keys(scripts)) await dialog.getByRole('button', { name: `Delete ${name}` }).click();
    assert.deepEqual(await listed(dialog, 'Yours'), []);
    await page.locator('#import').setInputFiles(archive);
    await assertSaid(page, 'Imported 3 scripts: a.inp, b.inp, c d.inp.', '#load-said');
    for (const [name, text] of Object.entries(scripts)) assert.equal(await stored(page, name), text, name);
    // Again: nothing doubles.
    await page.locator('#import').setInputFiles(archive);
    await assertSaid(page, 'Imported 0 scripts. Already there: a.inp, b.inp, c d.inp.', '#load-said');
    assert.deepEqual(await listed(dialog, 'Yours'), Object.keys(scripts));
    await context.close();
  });

  // A zip bomb of 100 MB or of 1 GB (about 1 MB packed), honest about its
  // size or not, is refused with a sentence; the page stays whole and takes
  // the next archive; a damaged entry is named; an entry called ".." and a
  // file of NUL bytes come in under names and notes that say so.
  test('Import refuses zip bombs and damaged archives and says why', async () => {
    const { context, page, problems } = await openPage(session);
    await loadDialog(page);
    const importZip = (name, bytes) => page.locator('#import').setInputFiles(
      { name, mimeType: 'application/zip', buffer: Buffer.from(bytes) });
    await importZip('bomb.zip', zipBomb(100));
    await assertSaid(page, 'Not imported: bomb.zip: bomb.inp would unpack to 100 MB, more than the 16 MB a script may have.', '#load-said');
    await importZip('big.zip', zipBomb(1024, { lying: true }));
    await assertSaid(page, 'Not imported: big.zip: bomb.inp is damaged: it unpacks to more than the 1000 bytes its table of contents says.', '#load-said');
    await importZip('short.zip', buildZip([{ name: 'x.inp', bytes: Buffer.from('A = 12345;'), size: 5, packedSize: 5 }]));
    await assertSaid(page, 'Not imported: short.zip: x.inp is damaged: its check sum (CRC-32) does not match.', '#load-said');
    await importZip('offset.zip', buildZip([{ name: 'x.inp', bytes: Buffer.from('A = 1;'), offset: 0xFFFFFF00 }]));
    await assertSaid(page, 'Not imported: offset.zip: the table of contents points outside the archive for x.inp.', '#load-said');
    await importZip('odd.zip', buildZip([
      { name: '..', bytes: Buffer.from('WRITE 1;') },
      { name: 'zeros.inp', bytes: Buffer.alloc(64) },
    ]));
    await assertSaid(page, 'Imported 2 scripts: script.inp, zeros.inp. zeros.inp holds no text: its 64 bytes are all NUL bytes, so the script is empty.', '#load-said');
    assert.equal(await stored(page, 'script.inp'), 'WRITE 1;');
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('a Windows-1252 .inp imports and exports byte for byte', async () => {
    const { context, page } = await openPage(session);
    const file = Buffer.from("VAR LAT;\r\nLAT = \xB0N 47 3.5; -- Gr\xFC\xDFe \x80\r\nWRITE 'Stra\xDFe', LAT:4;\r\n\0", 'latin1');
    await loadDialog(page);
    await page.locator('#import').setInputFiles({ name: 'trail.inp', mimeType: 'application/octet-stream', buffer: file });
    await assertName(page, 'trail.inp');
    await assertSaid(page, 'Imported trail.inp as trail.inp.');
    assert.equal(await scriptBox(page).inputValue(), "VAR LAT;\nLAT = °N 47 3.5; -- Grüße €\nWRITE 'Straße', LAT:4;\n");
    await calc(page);
    assert.equal(await resultsBox(page).inputValue(), 'Straße47.0583\n');

    const dialog = await loadDialog(page);
    const [download] = await Promise.all([
      page.waitForEvent('download'),
      dialog.getByRole('button', { name: 'Export .inp' }).click(),
    ]);
    assert.equal(download.suggestedFilename(), 'trail.inp');
    const saved = path.join(session.work, 'exported.inp');
    await download.saveAs(saved);
    assert.deepEqual(readFileSync(saved), file);

    // The same script from a UTF-8 editor imports to the same text.
    await page.locator('#import').setInputFiles({
      name: 'trail-utf8.inp', mimeType: 'text/plain',
      buffer: Buffer.from("VAR LAT;\nLAT = °N 47 3.5; -- Grüße €\nWRITE 'Straße', LAT:4;\n", 'utf8'),
    });
    await assertName(page, 'trail-utf8.inp');
    assert.equal(await scriptBox(page).inputValue(), "VAR LAT;\nLAT = °N 47 3.5; -- Grüße €\nWRITE 'Straße', LAT:4;\n");

    // Characters that Windows-1252 lacks are asked about before Export.
    await scriptBox(page).fill("WRITE 'Ω';");
    await loadDialog(page);
    await page.getByRole('button', { name: 'Export .inp' }).click();
    assert.equal(await asked(page),
      "Windows-1252, the code of script files, has no Ω: saved, it becomes '?'.");
    await page.locator('#ask-dialog').getByRole('button', { name: 'Cancel' }).click();
    await context.close();
  });

  test('an import says what it left out, and a file that is no script comes in only when asked', async () => {
    const { context, page } = await openPage(session);
    await loadDialog(page);
    await page.locator('#import').setInputFiles({ name: 'tail.inp', mimeType: 'text/plain', buffer: Buffer.from('WRITE 1;\r\n\0WRITE 2;\r\n', 'latin1') });
    await assertName(page, 'tail.inp');
    assert.equal(await scriptBox(page).inputValue(), 'WRITE 1;\n');
    await assertSaid(page, 'Imported tail.inp as tail.inp. tail.inp has a NUL byte in line 2, where a script ends: '
      + 'only the text before it was taken, and the 10 bytes after it were left out.');

    const png = readFileSync(path.join(top, 'web/page/icon-192.png'));
    for (const answer of ['Cancel', 'Import Anyway']) {
      await loadDialog(page);
      await page.locator('#import').setInputFiles({ name: 'photo.png', mimeType: 'image/png', buffer: png });
      assert.match(await asked(page),
        /^photo\.png does not look like a script: \d+ of its \d+ bytes are control codes that no text holds\. Import it anyway\?$/);
      await page.locator('#ask-dialog').getByRole('button', { name: answer }).click();
    }
    await assertName(page, 'photo.png');
    // Among several files, one that is no script is left out and named.
    await loadDialog(page);
    await page.locator('#import').setInputFiles([
      { name: 'one.inp', mimeType: 'text/plain', buffer: Buffer.from('WRITE 1;') },
      { name: 'picture.png', mimeType: 'image/png', buffer: png },
    ]);
    await assertSaid(page, 'Imported 1 script: one.inp. Not scripts, left out: picture.png.', '#load-said');
    await context.close();
  });

  test('a file of hundreds of kilobytes is judged as a small one, alone or in an archive', async () => {
    const { context, page, problems } = await openPage(session);
    // More than the page judges itself (a worker does), in Windows-1252,
    // with text after a NUL.
    const lines = 'A = 1; -- Gr\xfc\xdfe\r\n'.repeat(20000);
    const taken = lines.replace(/\r\n/g, '\n').replace(/\xfc/g, 'ü').replace(/\xdf/g, 'ß');
    await loadDialog(page);
    // (From files: Playwright does not hand buffers this large to the page.)
    const file = (name, bytes) => {
      writeFileSync(path.join(session.work, name), bytes);
      return path.join(session.work, name);
    };
    await page.locator('#import').setInputFiles(file('big.inp', Buffer.from(`${lines}\0WRITE 2;\r\n`, 'latin1')));
    await assertSaid(page, 'Imported big.inp as big.inp. big.inp has a NUL byte in line 20001, where a script ends: '
      + 'only the text before it was taken, and the 10 bytes after it were left out.');
    assert.ok((await stored(page, 'big.inp')) === taken, 'big.inp is not stored as it was read');
    const png = readFileSync(path.join(top, 'web/page/icon-192.png'));
    await loadDialog(page);
    await page.locator('#import').setInputFiles(file('walks.zip',
      buildZip([{ name: 'walk.inp', bytes: Buffer.from(lines, 'latin1') }, { name: 'photo.png', bytes: png }])));
    await assertSaid(page, 'Imported 1 script: walk.inp. Not scripts, left out: photo.png.', '#load-said');
    assert.ok((await stored(page, 'walk.inp')) === taken, 'walk.inp is not stored as it was read');
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('saving under the name of another stored script asks first', async () => {
    const { context, page } = await openPage(session);
    await saveAs(page, 'walk');
    await scriptBox(page).fill('WRITE 0;');
    await saveAs(page, 'other');
    await scriptBox(page).fill('WRITE 1;');
    for (const answer of ['Cancel', 'Replace']) {
      await saveAs(page, 'walk');
      assert.equal(await asked(page), 'walk.inp already exists. Replace it?');
      await page.locator('#ask-dialog').getByRole('button', { name: answer }).click();
      if (answer === 'Cancel') {
        await assertSaid(page, 'Not saved: walk.inp is kept as it was.');
        await assertName(page, 'other.inp');
        assert.equal(await stored(page, 'walk.inp'), 'WRITE 0;');
      }
    }
    await assertName(page, 'walk.inp');
    assert.equal(await stored(page, 'walk.inp'), 'WRITE 1;');
    // An example's name is free: the example is no stored script.
    await saveAs(page, 'vigenere');
    await assertName(page, 'vigenere.inp');
    await context.close();
  });

  test('two tabs on one script: a change shows in the other, and neither overwrites the other unasked', async () => {
    const { context, page: a } = await openPage(session);
    // Long enough to be stored when typing pauses, so both tabs can hold
    // changes that are not stored yet (in lines few enough for the box to
    // show whole).
    const text = `VAR A;\n${`${'A = 1; '.repeat(10)}\n`.repeat(1200)}`;
    await saveAs(a, 'walk');
    await scriptBox(a).evaluate((t, s) => {
      t.value = s;
      t.dispatchEvent(new Event('input', { bubbles: true }));
    }, text);
    await a.getByRole('button', { name: 'Done' }).click();
    await assertSaid(a, 'Saved walk.inp');
    const b = await context.newPage();
    await b.goto(session.url);
    await ready(b);
    await assertName(b, 'walk.inp');

    // A changes, B has no changes of its own: B shows A's text.
    await typeAtEnd(a, 'WRITE 1;');
    await a.getByRole('button', { name: 'Done' }).click();
    await assertSaid(b, 'walk.inp was changed in another tab: this tab shows its text now.');
    assert.equal(await scriptBox(b).inputValue(), `${text}WRITE 1;`);

    // Both change it: the second to store asks.
    for (const [answer, kept] of [['Cancel', 'A'], ['Load Other Tab’s', 'A'], ['Keep This Tab’s', 'B']]) {
      await typeAtEnd(a, 'A');
      await typeAtEnd(b, 'B');
      await a.getByRole('button', { name: 'Done' }).click();
      // B hears of A's save and asks at once.
      const question = b.locator('#ask-dialog');
      await question.waitFor();
      assert.equal(await question.locator('#ask-text').textContent(),
        "walk.inp was changed in another tab since this tab stored it. Keep the text of this tab and replace the other, or load the other tab's text?");
      await question.getByRole('button', { name: answer }).click();
      // The page answers the tap first and stores a moment later.
      await a.waitForFunction((k) => localStorage.getItem('orbelin.script:walk.inp')?.at(-1) === k, kept,
        { timeout: 5000 }).catch(() => {});
      const storedText = await stored(a, 'walk.inp');
      assert.equal(storedText.at(-1), kept, answer);
      if (answer === 'Cancel') {
        // Undecided: B keeps its text, says it is not saved, and asks again.
        assert.equal((await scriptBox(b).inputValue()).at(-1), 'B');
        assert.equal(await note(b).textContent(), 'Not saved: walk.inp was changed in another tab. Done asks what to keep.');
        await b.getByRole('button', { name: 'Done' }).click();
        await question.getByRole('button', { name: 'Load Other Tab’s' }).click();
      }
      assert.equal(await note(b).isVisible(), false);
      await a.waitForFunction(() => document.getElementById('script').value === localStorage.getItem('orbelin.script:walk.inp'));
      assert.equal(await scriptBox(b).inputValue(), await stored(b, 'walk.inp'));
    }

    // Deleted in one tab: the other still has it, says so, and keeps it.
    const dialog = await loadDialog(a);
    await dialog.getByRole('button', { name: 'Delete walk.inp' }).click();
    await b.waitForFunction(() => document.getElementById('note').textContent !== '');
    assert.equal(await note(b).textContent(), 'walk.inp was deleted in another tab. This tab still has it: a change or Done stores it again.');
    await b.getByRole('button', { name: 'Done' }).click();
    await assertSaid(b, 'Saved walk.inp');
    assert.equal(await stored(b, 'walk.inp'), await scriptBox(b).inputValue());
    assert.equal(await note(b).isVisible(), false);
    await context.close();
  });
});

// The browser refuses the page its storage, as with cookies blocked.
const refuseStorage = () => {
  Object.defineProperty(window, 'localStorage', {
    get() { throw new DOMException('The operation is insecure.', 'SecurityError'); },
  });
};

describe('when the storage fails, nothing claims a save that did not happen', () => {
  const actions = {
    async type(page) {
      await typeAtEnd(page, ' WRITE 2;');
    },
    async Done(page) {
      await typeAtEnd(page, ' WRITE 2;');
      await page.getByRole('button', { name: 'Done' }).click();
      await assertSaid(page, /^(Not saved: walk\.inp\. See the note\.|walk\.inp is kept in this page only: the browser keeps no storage\.)$/);
    },
    async Save(page) {
      await typeAtEnd(page, ' WRITE 2;');
      await saveAs(page, 'other');
      await assertSaid(page, /^(Not saved as other\.inp: see the note\.|Named other\.inp, but kept in this page only: the browser keeps no storage\.)$/);
    },
    async Import(page) {
      await loadDialog(page);
      await page.locator('#import').setInputFiles({ name: 'more.inp', mimeType: 'text/plain', buffer: Buffer.from('WRITE 1; WRITE 2;') });
      await assertSaid(page, 'more.inp is in the box as more.inp, but not stored: see the note.');
    },
  };
  for (const condition of ['full', 'blocked']) {
    for (const [action, act] of Object.entries(actions)) {
      test(`${condition} storage: ${action}`, async () => {
        const { context, page, problems } = await openPage(session, condition === 'blocked' ? { init: refuseStorage } : {});
        await scriptBox(page).fill('WRITE 1;');
        await saveAs(page, 'walk');
        if (condition === 'full') {
          await assertSaid(page, 'Saved as walk.inp');
          await fillStorage(page);
        } else {
          // Said from the start, and Calc works.
          assert.equal(await note(page).textContent(),
            'This browser keeps no storage for this page: scripts are lost when it closes. Export them to keep them.');
        }
        await act(page);
        const said = await page.locator('#status').textContent();
        assert.doesNotMatch(said, /^(Saved|Imported)/);
        const box = await scriptBox(page).inputValue();
        assert.match(box, /WRITE 2;$/, 'the box keeps what was typed');
        assert.match(await note(page).textContent(), condition === 'full'
          ? /^Not saved: the browser’s storage is full\. (walk|other|more)\.inp \(1 KB\) is only in this box: delete scripts to make room, or export it\.$/
          : /keeps no storage/);
        // The note stays through a Calc, which works.
        await calc(page);
        assert.match(await resultsBox(page).inputValue(), /^1\n2\n$/);
        assert.equal(await note(page).isVisible(), true);
        assert.deepEqual(problems, []);
        if (condition === 'full') {
          assert.notEqual(await stored(page, await page.locator('#script-name').textContent()), box);
          // With room again, the next save succeeds and the note goes.
          await freeStorage(page);
          await page.getByRole('button', { name: 'Done' }).click();
          const name = await page.locator('#script-name').textContent();
          await assertSaid(page, `Saved ${name}`);
          assert.equal(await note(page).isVisible(), false);
          assert.equal(await stored(page, name), box);
        }
        await context.close();
      });
    }
  }
});

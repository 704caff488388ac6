// How the page arrives and is updated: the first visit downloads each file
// once (the service worker's copy is a "304 Not Modified" of what the page
// just loaded), and a new version is announced, taken with Reload.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pageDir } from './engine.mjs';
import { openPage, ready, startBrowser } from './browser.mjs';

// A copy of the page, which the second test changes as a new build would.
const dir = mkdtempSync(path.join(tmpdir(), 'orbelin-update-'));
let session;
before(async () => {
  cpSync(pageDir, dir, { recursive: true });
  session = await startBrowser(dir);
});
after(async () => {
  await session?.close();
  rmSync(dir, { recursive: true, force: true });
});

const controlled = (page) => page.evaluate(async () => {
  await navigator.serviceWorker.ready;
  if (!navigator.serviceWorker.controller) {
    await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
  }
});

test('the first visit downloads every file once', async () => {
  const start = session.served.length;
  const { context, page } = await openPage(session);
  await controlled(page);
  const bodies = new Map();
  for (const { path: file, status } of session.served.slice(start)) {
    if (status === 200) bodies.set(file, (bodies.get(file) ?? 0) + 1);
  }
  assert.deepEqual([...bodies].filter(([, n]) => n > 1), []);
  // The service worker holds them all.
  const files = readFileSync(path.join(dir, 'sw.js'), 'utf8').match(/^  '\.\/[^']*',$/gm).length;
  assert.equal(await page.evaluate(async () => (await (await caches.open((await caches.keys())[0])).keys()).length), files);
  await context.close();
});

test('a new version is announced, and Reload takes it', async () => {
  const { context, page } = await openPage(session);
  await controlled(page);
  const probe = () => page.evaluate(() => getComputedStyle(document.documentElement).getPropertyValue('--build').trim());
  assert.equal(await probe(), '');
  // A new build: a changed file, and so a new cache name.
  writeFileSync(path.join(dir, 'style.css'), `${readFileSync(path.join(dir, 'style.css'), 'utf8')}\n:root { --build: two; }\n`);
  const sw = path.join(dir, 'sw.js');
  writeFileSync(sw, readFileSync(sw, 'utf8').replace(/const CACHE = 'orbelin-[^']*'/, "const CACHE = 'orbelin-two'"));
  await page.reload();
  await ready(page);
  // The page the user has stays as it is, and says that there is a new one.
  const banner = page.getByText('Orbelin was updated.');
  await banner.waitFor();
  assert.equal(await probe(), '');
  await page.getByRole('button', { name: 'Reload' }).click();
  await page.waitForFunction(() => getComputedStyle(document.documentElement).getPropertyValue('--build').trim() === 'two');
  await ready(page);
  assert.equal(await banner.isVisible(), false);
  assert.deepEqual(await page.evaluate(() => caches.keys()), ['orbelin-two']);
  await context.close();
});

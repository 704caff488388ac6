// The page in Debian's Chromium, headless, for the tests that use it as a
// person does: by the controls' roles and names.
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';
import { pageDir } from './engine.mjs';
import { serve } from '../../tools/web/static-server.mjs';

export const chromiumPath = process.env.ORBELIN_CHROMIUM ?? '/usr/bin/chromium';
// Nothing but the page: no sync, updates, field trials or QUIC probes.
export const chromiumFlags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// Starts a server for `dir` (the built page) and a browser; `close()` ends both.
export async function startBrowser(dir = pageDir) {
  const { server, url, served } = await serve(dir);
  const work = mkdtempSync(path.join(tmpdir(), 'orbelin-web-'));
  // Playwright gives the browser a fresh --user-data-dir of its own.
  const browser = await chromium.launch({ executablePath: chromiumPath, headless: true, args: chromiumFlags });
  return {
    browser, url, served, work,
    async close() {
      await browser.close();
      server.close();
      rmSync(work, { recursive: true, force: true });
    },
  };
}

// A fresh browser profile (storage, service worker, cache) on the page, with
// every request the page makes and every uncaught error recorded. `init`
// runs in the page before its own scripts, with `initArg`.
export async function openPage(session, { width = 360, height = 640, init, initArg, fontSize, ...options } = {}) {
  const context = await session.browser.newContext({ viewport: { width, height }, acceptDownloads: true, ...options });
  if (init) await context.addInitScript(init, initArg);
  const page = await context.newPage();
  const requests = [];
  page.on('request', (r) => requests.push(r.url()));
  const problems = [];
  page.on('pageerror', (e) => problems.push(e.message));
  if (fontSize) {
    const cdp = await context.newCDPSession(page);
    await cdp.send('Page.setFontSizes', { fontSizes: { standard: fontSize } });
  }
  await page.goto(session.url);
  await ready(page);
  return { context, page, requests, problems };
}

export async function ready(page) {
  await page.getByRole('button', { name: 'Calc' }).and(page.locator(':enabled')).waitFor();
  await page.waitForFunction(() => document.getElementById('script-name').textContent !== '');
}

// The label shows the script's name; some commands finish after the click
// returns (a dialog's close, a file's read), so the label is waited for.
export async function assertName(page, name) {
  try {
    await page.waitForFunction((n) => document.getElementById('script-name').textContent === n, name, { timeout: 5000 });
  } catch {
    assert.equal(await page.locator('#script-name').textContent(), name);
  }
}

// Waits until the status line says `text` (a string or a RegExp).
export async function assertSaid(page, text, where = '#status') {
  const matches = (said) => (text instanceof RegExp ? text.test(said) : said === text);
  try {
    await page.waitForFunction(([w, source, flags, plain]) => {
      const said = document.querySelector(w).textContent;
      return source === null ? said === plain : new RegExp(source, flags).test(said);
    }, [where, text instanceof RegExp ? text.source : null, text instanceof RegExp ? text.flags : '', text], { timeout: 5000 });
  } catch {
    const said = await page.locator(where).textContent();
    assert.ok(matches(said), `${where} says ${JSON.stringify(said)}, not ${text}`);
  }
}

export const scriptBox = (page) => page.getByRole('textbox', { name: 'Script' });
export const resultsBox = (page) => page.getByRole('textbox', { name: 'Results' });
export const stored = (page, name) => page.evaluate((n) => localStorage.getItem(`orbelin.script:${n}`), name);

export async function calc(page) {
  await page.getByRole('button', { name: 'Calc' }).click();
  await page.getByRole('button', { name: 'Calc' }).and(page.locator(':enabled')).waitFor();
}

// Saves the box under `name` with Save; `answer` answers a question.
export async function saveAs(page, name, answer) {
  await page.getByRole('button', { name: 'Save', exact: true }).click();
  await page.getByRole('textbox', { name: 'Name' }).fill(name);
  await page.getByRole('dialog', { name: 'Save as' }).getByRole('button', { name: 'Save' }).click();
  if (answer) await page.locator('#ask-dialog').getByRole('button', { name: answer }).click();
  else await page.getByRole('dialog', { name: 'Save as' }).waitFor({ state: 'hidden' });
}

// Opens the Load dialog; returns it.
export async function loadDialog(page) {
  await page.getByRole('button', { name: 'Load' }).click();
  return page.getByRole('dialog', { name: 'Scripts' });
}

export const listed = (dialog, list) => dialog.getByRole('list', { name: list }).getByRole('listitem').locator('.open').allTextContents();

// Leaves the storage with no room at all.
export async function fillStorage(page) {
  await page.evaluate(() => {
    let n = 1 << 23;
    for (let i = 0; n > 0; i++) {
      try {
        localStorage.setItem(`filler${i}`, 'x'.repeat(n));
      } catch {
        n >>= 1;
      }
    }
  });
}

export const freeStorage = (page) => page.evaluate(() => {
  for (const key of Object.keys(localStorage)) if (key.startsWith('filler')) localStorage.removeItem(key);
});

// The results as the page shows them: in the results box, or for a long
// text in the view of blocks that stands in its place, once all of it is
// there.
export async function resultsText(page) {
  await page.waitForFunction(() => !document.getElementById('results-long').hasAttribute('aria-busy'));
  return page.evaluate(() => {
    const long = document.getElementById('results-long');
    return long.hidden ? document.getElementById('results').value : long.textContent;
  });
}

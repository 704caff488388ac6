// Measures the page, as a benchmark (not a test): what a server sends for it
// (raw, gzip, brotli), the time from navigation to the first Calc result in
// headless Chromium, a Calc of examples/puzzle.inp in the page beside
// `build/orbelin run` of the same script, a Calc of a 1 MB script (and its
// Cancel), and typing into a 5 MB script.
//   node tools/web/measure.mjs [ORBELIN]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';
import { chromium } from '../../tests/web/node_modules/playwright-core/index.mjs';
import { pageDir, top } from '../../tests/web/engine.mjs';
import { serve } from './static-server.mjs';

const orbelin = process.argv[2] ?? path.join(top, 'build/orbelin');
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const kb = (n) => `${(n / 1024).toFixed(1)} KB`;

// ---- Size
function files(dir, prefix = '') {
  return readdirSync(dir).flatMap((f) => {
    const full = path.join(dir, f);
    return statSync(full).isDirectory() ? files(full, `${prefix}${f}/`) : [`${prefix}${f}`];
  });
}
const rows = files(pageDir).map((f) => {
  const body = readFileSync(path.join(pageDir, f));
  return {
    f,
    raw: body.length,
    gzip: gzipSync(body, { level: 9 }).length,
    br: brotliCompressSync(body, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }).length,
  };
});
console.log('Transferred size (every file of the page, as the service worker caches it):');
console.log(`  ${'file'.padEnd(26)} ${'raw'.padStart(10)} ${'gzip -9'.padStart(10)} ${'brotli 11'.padStart(10)}`);
for (const r of rows) console.log(`  ${r.f.padEnd(26)} ${kb(r.raw).padStart(10)} ${kb(r.gzip).padStart(10)} ${kb(r.br).padStart(10)}`);
const sum = (key, pick = () => true) => rows.filter(pick).reduce((s, r) => s + r[key], 0);
const code = (r) => /\.(html|css|js|wasm)$/.test(r.f);
console.log(`  HTML+CSS+JS+wasm          ${kb(sum('raw', code)).padStart(10)} ${kb(sum('gzip', code)).padStart(10)} ${kb(sum('br', code)).padStart(10)}`);
console.log(`  everything                ${kb(sum('raw')).padStart(10)} ${kb(sum('gzip')).padStart(10)} ${kb(sum('br')).padStart(10)}`);

// ---- Times in the browser
const { server, url } = await serve(pageDir);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const puzzle = readFileSync(path.join(top, 'examples/puzzle.inp'));
try {
  // Milliseconds from the navigation's start to the results of the first
  // Calc (which runs in the page's worker).
  const firstCalc = async (page) => page.evaluate(async () => {
    const calc = () => document.getElementById('calc');
    while (!calc() || calc().disabled || document.getElementById('script-name').textContent === '') {
      await new Promise((r) => setTimeout(r, 1));
    }
    const results = document.getElementById('results');
    results.value = '';
    calc().click();
    while (results.value === '') await new Promise((r) => setTimeout(r, 1));
    return performance.now();
  });
  const cold = [];
  const warm = [];
  for (let i = 0; i < 7; i++) {
    const context = await browser.newContext();
    const page = await context.newPage();
    await page.goto(url, { waitUntil: 'commit' });
    cold.push(await firstCalc(page));
    await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      while (!navigator.serviceWorker.controller) await new Promise((r) => setTimeout(r, 10));
    });
    await page.reload({ waitUntil: 'commit' });
    warm.push(await firstCalc(page));
    await context.close();
  }
  console.log('\nNavigation to the first Calc result (puzzle.inp), headless Chromium, median of 7:');
  console.log(`  first visit ${median(cold).toFixed(0)} ms; again, from the service worker ${median(warm).toFixed(0)} ms`);

  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(url);
  await firstCalc(page);
  const inPage = await page.evaluate(async (bytes) => {
    const Module = await (await import('./orbelin-engine.js')).default();
    const engine = new Module.Engine();
    const text = Module.importScript(new Uint8Array(bytes));
    // The browser's clock is coarse: time many runs together.
    let t = performance.now();
    for (let i = 0; i < 1000; i++) engine.calc(text);
    const run = (performance.now() - t) / 1000;
    // The whole press: the page's Calc button, the worker, the boxes and
    // the storage.
    const calc = document.getElementById('calc');
    const results = document.getElementById('results');
    t = performance.now();
    for (let i = 0; i < 100; i++) {
      results.value = '';
      calc.click();
      while (results.value === '') await new Promise((r) => setTimeout(r, 0));
    }
    return { engine: run, press: (performance.now() - t) / 100 };
  }, [...puzzle]);

  // A 1 MB script, one statement a line: how long its Calc takes, and how
  // long the page is held up meanwhile (the longest gap between frames);
  // then the same Calc cancelled.
  const big = await page.evaluate(async () => {
    const box = document.getElementById('script');
    const calc = document.getElementById('calc');
    const results = document.getElementById('results');
    const frame = () => new Promise((r) => requestAnimationFrame(() => r(performance.now())));
    box.value = `VAR A, B;\n${"A = A + 1; B = SQRT(A) * 2; WRITE 'x', B:3;\n".repeat(22000)}`;
    box.dispatchEvent(new Event('input', { bubbles: true }));
    const size = box.value.length;
    await frame();
    await frame();
    let gap = 0;
    let running = true;
    const watch = (async () => {
      let last = await frame();
      while (running) {
        const now = await frame();
        gap = Math.max(gap, now - last);
        last = now;
      }
    })();
    results.value = '';
    let t = performance.now();
    calc.click();
    while (results.value === '') await new Promise((r) => setTimeout(r, 0));
    const shown = performance.now() - t;
    running = false;
    await watch;
    // What the browser alone takes to show that many lines in a textarea.
    const bare = document.createElement('textarea');
    document.body.append(bare);
    t = performance.now();
    bare.value = results.value;
    bare.getBoundingClientRect();
    await frame();
    const bareShown = performance.now() - t;
    bare.remove();
    // Cancel while it runs: until Calc can be pressed again.
    calc.click();
    await new Promise((r) => setTimeout(r, 50));
    t = performance.now();
    document.getElementById('cancel').click();
    while (calc.disabled) await new Promise((r) => setTimeout(r, 1));
    const cancel = performance.now() - t;
    await new Promise((r) => setTimeout(r, 10));
    return { size, shown, gap, bareShown, lines: results.value.split('\n').length, cancel, said: document.getElementById('status').textContent };
  });

  // Typing ten keys at the end of a 5 MB box (which the storage can hold),
  // and into a bare textarea with the same text, and the writes of the box
  // to the storage meanwhile.
  const typed = {};
  for (const id of ['script', 'bare']) {
    await page.evaluate((which) => {
      let box = document.getElementById('script');
      if (which === 'bare') {
        box.value = '';
        box = document.createElement('textarea');
        box.id = 'bare';
        document.body.prepend(box);
      }
      box.value = `VAR A;\n${'A = A + 1;\n'.repeat(470000)}`;
      box.dispatchEvent(new Event('input', { bubbles: true }));
      box.focus();
      box.setSelectionRange(box.value.length, box.value.length);
      window.longWrites = 0;
      const setItem = Storage.prototype.setItem;
      Storage.prototype.setItem = function (key, value) {
        if (String(value).length > 100000) window.longWrites++;
        return setItem.call(this, key, value);
      };
    }, id);
    await page.waitForTimeout(3000);
    const t = performance.now();
    await page.keyboard.type('WRITE A;\n\n');
    typed[id] = { ms: performance.now() - t, writes: await page.evaluate(() => window.longWrites) };
  }
  await context.close();

  // Native: one process per run, and one process running the script 201
  // times in one session, so the difference is the run without the start.
  const work = mkdtempSync(path.join(tmpdir(), 'orbelin-measure-'));
  const copies = [];
  const timeRun = (args) => {
    const t = process.hrtime.bigint();
    execFileSync(orbelin, ['run', ...args], { stdio: 'ignore' });
    return Number(process.hrtime.bigint() - t) / 1e6;
  };
  let single;
  let many;
  try {
    for (let i = 0; i <= 200; i++) {
      copies.push(path.join(work, `p${i}.inp`));
      execFileSync('cp', [path.join(top, 'examples/puzzle.inp'), copies[i]]);
    }
    single = median(Array.from({ length: 21 }, () => timeRun([copies[0]])));
    many = median(Array.from({ length: 5 }, () => timeRun(copies)));
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
  console.log('\nCalc of examples/puzzle.inp:');
  console.log(`  page, the engine's run                ${inPage.engine.toFixed(3)} ms (mean of 1000)`);
  console.log(`  page, the whole Calc press            ${inPage.press.toFixed(3)} ms (mean of 100)`);
  console.log(`  native build/orbelin run, a process   ${single.toFixed(3)} ms (median of 21)`);
  console.log(`  native, one run inside a process      ${((many - single) / 200).toFixed(3)} ms (201 runs in one session)`);
  console.log(`\nCalc of a ${(big.size / 1e6).toFixed(2)} MB script in the page (one statement a line):`);
  console.log(`  press to results shown  ${big.shown.toFixed(0)} ms; the page's longest frame meanwhile ${big.gap.toFixed(0)} ms`);
  console.log(`  (a bare textarea takes ${big.bareShown.toFixed(0)} ms to show the ${big.lines} lines of results)`);
  console.log(`  Cancel to Calc ready    ${big.cancel.toFixed(0)} ms ("${big.said.slice(0, 40)}...")`);
  console.log(`\nTen keys typed at the end of a 5 MB script: ${typed.script.ms.toFixed(0)} ms in the page's box`
    + ` (${typed.script.writes} writes of the script meanwhile), ${typed.bare.ms.toFixed(0)} ms in a bare textarea`);
} finally {
  await browser.close();
  server.close();
}

// The page computes what the command line computes, to the last bit: the
// maths functions themselves over a million inputs each, and a few thousand
// generated scripts through build/orbelin run and through the page's engine,
// results and listings byte for byte. (The golden cases are compared in
// golden.test.mjs, each build against the same expected files.)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import path from 'node:path';
import { loadEngine, pageDir, top } from './engine.mjs';
import { compareScripts } from './differential.mjs';
import { generateScripts } from './generated_scripts.mjs';

const native = process.env.ORBELIN_NATIVE ?? path.join(top, 'build/orbelin');
const nativeLibm = path.join(path.dirname(native), 'tools/web/libm_compare');
const pageLibm = path.join(pageDir, '..', 'libm-compare.js');

function runLibmCompare(count, only) {
  const args = only ? [String(count), only] : [String(count)];
  const options = { encoding: 'latin1', maxBuffer: 1 << 30 };
  return {
    native: execFileSync(nativeLibm, args, options).split('\n').filter(Boolean),
    page: execFileSync(process.execPath, [pageLibm, ...args], options).split('\n').filter(Boolean),
  };
}

test('every maths function gives the same bits natively and in WebAssembly', {
  skip: existsSync(nativeLibm) ? false : `no native ${nativeLibm}`,
}, () => {
  const count = 1000000;
  const { native: n, page: p } = runLibmCompare(count);
  // "function calls digest", one line per function, sorted by name.
  assert.deepEqual(p.map((l) => l.split(' ').slice(0, 2).join(' ')),
    n.map((l) => l.split(' ').slice(0, 2).join(' ')), 'the builds called different functions');
  assert.ok(n.length >= 20 && n.some((l) => l.startsWith('atan2 ')), `too few functions: ${n.join(', ')}`);
  const differing = n.filter((line, i) => line !== p[i]).map((l) => l.split(' ')[0]);
  const examples = [];
  for (const f of differing.slice(0, 3)) {
    const few = runLibmCompare(20000, f);
    const i = few.native.findIndex((line, k) => line !== few.page[k]);
    examples.push(i < 0 ? `${f}: beyond the first 20000 inputs`
      : `${f}: native ${few.native[i]}\n    page   ${few.page[i]}`);
  }
  assert.deepEqual(differing, [], `results differ (input and result bits):\n  ${examples.join('\n  ')}`);
});

test('generated scripts write the same results and listings on the command line and the page', {
  skip: existsSync(native) ? false : `no native program at ${native}`,
}, async () => {
  const differences = compareScripts(generateScripts(3000), native, await loadEngine());
  assert.equal(differences.length, 0,
    `${differences.length} differences, the first ones:\n  ${differences.slice(0, 5).join('\n  ')}`);
});

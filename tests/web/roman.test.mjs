// Roman numerals against npm's roman-numerals (pinned in package.json), in
// the page's engine and, when there is one, the native program: every
// number from 1 to 3999 both ways, and every string of up to four Roman
// digits, which the reference reads or rejects exactly as Orbelin does.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import romanNumerals from 'roman-numerals';
import { loadEngine, top } from './engine.mjs';

const { toArabic, toRoman } = romanNumerals;
const Module = await loadEngine();
const native = process.env.ORBELIN_NATIVE ?? path.join(top, 'build/orbelin');

// The script's results, one line per WRITE, from the engine or the program.
function inEngine(script) {
  const engine = new Module.Engine();
  try {
    const report = engine.runFile(Buffer.from(script, 'latin1'), 'roman.inp');
    return Buffer.from(report.resultsBytes).toString('latin1').split('\n');
  } finally {
    engine.delete();
  }
}
function inNative(script) {
  const work = mkdtempSync(path.join(tmpdir(), 'orbelin-roman-'));
  try {
    writeFileSync(path.join(work, 'roman.inp'), script, 'latin1');
    try {
      execFileSync(native, ['run', '--encoding', 'cp1252', path.join(work, 'roman.inp')], { stdio: 'ignore' });
    } catch {
      // refused numerals end the run with status 1; the results are there
    }
    return readFileSync(path.join(work, 'roman.res')).toString('latin1').split('\n');
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
}
const runners = [['engine', inEngine]];
if (existsSync(native)) runners.push(['native', inNative]);

const numbers = Array.from({ length: 3999 }, (_, i) => i + 1);
const bothWays = `MARGIN = 0;\n${numbers.map((n) => `WRITE NUM2ROM(${n}), ' ', ROM2NUM('${toRoman(n)}');`).join('\n')}\n`;

// Every string of one to four Roman digits, in both cases for the short ones.
const digits = 'IVXLCDM';
const strings = [''];
for (let length = 1; length <= 4; length++) {
  for (const s of strings.filter((x) => x.length === length - 1)) {
    for (const d of digits) strings.push(s + d);
  }
}
const candidates = strings.slice(1).concat(['mcmxciv', 'xIv', 'MMMCMXCIX', 'MMMM', 'IIII', 'IC']);
const readBack = `${candidates.map((s) => `WRITE ROM2NUM('${s}');`).join('\n')}\n`;
function reference(s) {
  try {
    return String(toArabic(s));
  } catch {
    return null;  // not a numeral
  }
}

for (const [name, run] of runners) {
  test(`${name}: 1 to 3999 are written as the reference writes them and read back`, () => {
    const lines = run(bothWays);
    numbers.forEach((n, i) => assert.equal(lines[i], `${toRoman(n)} ${n}`, `n = ${n}`));
  });

  test(`${name}: a string of Roman digits is read exactly when the reference reads it`, () => {
    const lines = run(readBack);
    let refused = 0;
    candidates.forEach((s, i) => {
      const expected = reference(s);
      if (expected === null) {
        refused++;
        assert.match(lines[i], /^-?nan$/, `${s} is no numeral, and Orbelin should refuse it`);
      } else {
        assert.equal(lines[i], expected, s);
      }
    });
    // The refusals are errors in the results, one line each.
    assert.equal(lines.filter((l) => l.endsWith('(E152)')).length, refused);
  });
}

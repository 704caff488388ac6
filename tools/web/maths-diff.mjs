// Measures where the page's engine and the native program disagree on
// maths: scripts of pseudo-random calls, run by build/orbelin and by the
// WebAssembly engine, compared line by line. A report, not a test.
//   node tools/web/maths-diff.mjs [ORBELIN] [COUNT]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { loadEngine, top } from '../../tests/web/engine.mjs';

const orbelin = process.argv[2] ?? path.join(top, 'build/orbelin');
const count = Number(process.argv[3] ?? 400);

// splitmix64, so every run asks the same questions.
let state = 20240611n;
const mask = (1n << 64n) - 1n;
function next() {
  state = (state + 0x9e3779b97f4a7c15n) & mask;
  let z = state;
  z = ((z ^ (z >> 30n)) * 0xbf58476d1ce4e5b9n) & mask;
  z = ((z ^ (z >> 27n)) * 0x94d049bb133111ebn) & mask;
  return z ^ (z >> 31n);
}
const uniform = (lo, hi) => lo + ((hi - lo) * Number(next() >> 11n)) / 2 ** 53;
// The language has no unary minus: a negative literal is written 0 - x.
const num = (x, digits) => (x < 0 ? `(0 - ${(-x).toFixed(digits)})` : x.toFixed(digits));

// Each line: a label naming the function, then the value.
const full = [];  // every bit shows (20 decimals of values near 1)
const shown = []; // at the precision a navigation script prints
for (let i = 0; i < count; i++) {
  for (const [f, lo, hi] of [['SIN', -3.5, 3.5], ['COS', -3.5, 3.5], ['TAN', -1.5, 1.5],
    ['ATAN', -5, 5], ['ASIN', -1, 1], ['ACOS', -1, 1], ['TANH', -3, 3], ['EXP', -2, 2]]) {
    full.push(`WRITE '${f} ', ${f}(${num(uniform(lo, hi), 6)}):20;`);
  }
  full.push(`WRITE 'ATAN2 ', ATAN2(${num(uniform(-1, 1), 6)}, ${num(uniform(-1, 1), 6)}):20;`);
  full.push(`WRITE 'POW ', POW(${num(uniform(0, 10), 4)}, ${num(uniform(-3, 3), 4)}):20;`);
  const [la1, lo1] = [uniform(-70, 70), uniform(-170, 170)];
  const [la2, lo2] = [la1 + uniform(-0.5, 0.5), lo1 + uniform(-0.5, 0.5)];
  const p = `${num(la1, 6)}, ${num(lo1, 6)}`;
  const q = `${num(la2, 6)}, ${num(lo2, 6)}`;
  shown.push(`WRITE 'DISTVINCENTY ', DISTVINCENTY(${p}, ${q}):3;`);
  shown.push(`CP(${p}, ${q}, S, A); WRITE 'CP ', S:3, ' ', A:6;`);
  shown.push(`CBP(${p}, ${num(uniform(0, 360), 3)}, ${num(uniform(10, 20000), 1)}, LA, LO); WRITE 'CBP ', LA:6, ' ', LO:6;`);
  shown.push(`GPS2UTM(${p}, Z, B, E, N); WRITE 'GPS2UTM ', E:3, ' ', N:3;`);
  shown.push(`UTM2GPS(Z, B, E, N, LA, LO); WRITE 'UTM2GPS ', LA:7, ' ', LO:7;`);
  shown.push(`WRITE 'WGPS ', WGPS(${p});`);
}

const work = mkdtempSync(path.join(tmpdir(), 'orbelin-maths-'));
const Module = await loadEngine();
try {
  for (const [name, lines] of [['full', full], ['shown', shown]]) {
    const script = ['VAR S, A, LA, LO, Z, B, E, N;', 'MARGIN = 0;', ...lines].join('\r\n') + '\r\n';
    const file = path.join(work, `${name}.inp`);
    writeFileSync(file, script, 'latin1');
    try {
      execFileSync(orbelin, ['run', '--encoding', 'cp1252', file], { stdio: 'ignore' });
    } catch (e) {
      if (e.status !== 1) throw e;
    }
    const native = readFileSync(path.join(work, `${name}.res`), 'latin1').split('\n');
    const engine = new Module.Engine();
    const page = Buffer.from(engine.runFile(readFileSync(file), 'maths.inp').resultsBytes).toString('latin1').split('\n');
    engine.delete();
    const differing = {};
    const totals = {};
    const examples = [];
    for (let i = 0; i < native.length; i++) {
      const f = native[i].split(' ')[0];
      totals[f] = (totals[f] ?? 0) + 1;
      if (native[i] !== page[i]) {
        differing[f] = (differing[f] ?? 0) + 1;
        if (examples.length < 6) examples.push(`  ${lines[i]}\n    native ${native[i]}\n    page   ${page[i]}`);
      }
    }
    console.log(`${name} precision: ${native.length - 1} lines`);
    for (const f of Object.keys(totals).filter(Boolean).sort()) {
      console.log(`  ${f.padEnd(13)} ${String(differing[f] ?? 0).padStart(5)} of ${totals[f]} differ`);
    }
    if (examples.length) console.log(examples.join('\n'));
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}

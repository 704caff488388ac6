// Runs scripts through build/orbelin run and through the page's engine and
// lists where their results or listings differ. Scripts run in chunks of
// one session each (`orbelin run a.inp b.inp ...`); the engine gets the
// same chunks, in the same order, one engine each.
//   compareScripts(scripts, native, Module) -> ["name (res) line N: ...", ...]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';

export function compareScripts(scripts, native, Module, chunk = 500) {
  const work = mkdtempSync(path.join(tmpdir(), 'orbelin-diff-'));
  const differences = [];
  try {
    for (let start = 0; start < scripts.length; start += chunk) {
      const names = [];
      for (let i = start; i < Math.min(start + chunk, scripts.length); i++) {
        names.push(`s${i}.inp`);
        writeFileSync(path.join(work, `s${i}.inp`), scripts[i], 'latin1');
      }
      try {
        execFileSync(native, ['run', '--encoding', 'cp1252', ...names.map((n) => path.join(work, n))],
          { stdio: 'ignore' });
      } catch (e) {
        if (e.status !== 1) throw e; // 1: a script had errors, which its listing shows
      }
      const engine = new Module.Engine();
      try {
        for (const name of names) {
          const report = engine.runFile(readFileSync(path.join(work, name)), name);
          for (const [kind, bytes] of [['res', report.resultsBytes], ['lst', report.listingBytes]]) {
            const expected = readFileSync(path.join(work, name.replace(/inp$/, kind))).toString('latin1').split('\n');
            const actual = Buffer.from(bytes).toString('latin1').split('\n');
            let line = expected.findIndex((l, k) => l !== actual[k]);
            if (line < 0 && expected.length !== actual.length) line = expected.length;
            if (line >= 0) {
              differences.push(`${name} (${kind}) line ${line + 1}:\n    native ${expected[line]}\n    page   ${actual[line]}`);
            }
          }
        }
      } finally {
        engine.delete();
      }
    }
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
  return differences;
}

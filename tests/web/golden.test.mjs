// Every golden case through the page's engine, compared byte for byte with
// the expected results and listing that the native program is held to, and
// with what the command line says on standard error: the errors, warnings
// and hints come from the same front-end core. Each case gets a fresh
// engine, as each case gets a fresh `orbelin run`.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile, readdir } from 'node:fs/promises';
import { existsSync } from 'node:fs';
import path from 'node:path';
import { loadEngine, top } from './engine.mjs';

const golden = path.join(top, 'tests/golden');

async function* scripts(dir) {
  for (const entry of await readdir(dir, { withFileTypes: true })) {
    const full = path.join(dir, entry.name);
    if (entry.isDirectory()) yield* scripts(full);
    else if (entry.name.endsWith('.inp')) yield full;
  }
}

// [case name, script, folder of the expected files]
const cases = [];
for await (const script of scripts(golden)) {
  // UTF-8 files that are not all UTF-8: the command line reads them as
  // they are, the page only through Import, which says what it found.
  if (path.basename(path.dirname(script)) === 'utf8') continue;
  cases.push([path.relative(golden, script).replace(/\.inp$/, ''), script, path.dirname(script)]);
}
for (const name of await readdir(path.join(top, 'examples'))) {
  const base = name.replace(/\.inp$/, '');
  if (name.endsWith('.inp') && existsSync(path.join(golden, 'examples', `${base}.res.expected`))) {
    cases.push([`examples/${base}`, path.join(top, 'examples', name), path.join(golden, 'examples')]);
  }
}
cases.sort((a, b) => a[0].localeCompare(b[0]));

// Where two byte strings first differ, with a little context, for the report.
function firstDifference(expected, actual) {
  let i = 0;
  while (i < expected.length && i < actual.length && expected[i] === actual[i]) i++;
  const line = expected.subarray(0, i).toString('latin1').split('\n').length;
  const show = (b) => JSON.stringify(Buffer.from(b).subarray(Math.max(0, i - 40), i + 40).toString('latin1'));
  return `first difference at byte ${i} (line ${line}):\n  expected ${show(expected)}\n  got      ${show(actual)}`;
}

// The "-- error: L:C: MESSAGE", "-- warning: ...", "-- note: ..." and "-- hint: ..." lines
// of a script, as the lines the terminal prints for them.
function commentExpectations(text) {
  const lines = [];
  for (const line of text.split('\n')) {
    const said = /-- (error|warning|note): (\d+:\d+): (.*?)\r?$/.exec(line);
    if (said) lines.push(`${said[2]}: ${said[1]}: ${said[3]}`);
    const hint = /-- hint: (.*?)\r?$/.exec(line);
    if (hint) lines.push(`hint: ${hint[1]}`);
  }
  return lines;
}

test('there are golden cases to compare', () => {
  assert.ok(cases.length >= 10, `only ${cases.length} golden cases found under ${golden}`);
});

const Module = await loadEngine();

for (const [name, script, dir] of cases) {
  test(`golden ${name}`, async () => {
    const engine = new Module.Engine();
    try {
      // The bundled examples and the cases in utf8/ are UTF-8: they run as
      // the page imports them.
      const bytes = await readFile(script);
      const utf8 = name.startsWith('examples/') || name.startsWith('utf8/');
      const report = utf8
        ? engine.calc(Module.importScript(bytes))
        : engine.runFile(bytes, `${path.basename(script)}`);
      const base = path.basename(script, '.inp');
      for (const [kind, bytes] of [['res', report.resultsBytes], ['lst', report.listingBytes]]) {
        const expectedFile = path.join(dir, `${base}.${kind}.expected`);
        if (!existsSync(expectedFile)) continue;
        const expected = await readFile(expectedFile);
        const actual = Buffer.from(bytes);
        assert.ok(expected.equals(actual), `${name}.${kind}: ${firstDifference(expected, actual)}`);
      }
      if (name.startsWith('examples/')) return;
      if (name.startsWith('utf8/')) {
        // The errors and hints the page lists under the box.
        const listed = report.diagnostics.flatMap((d) => (d.hint ? [d.text, `hint: ${d.hint}`] : [d.text]));
        assert.deepEqual(listed, commentExpectations(bytes.toString('utf8')));
        return;
      }
      // What the terminal prints for the case, byte for byte.
      const said = Buffer.from(report.terminal);
      const errFile = path.join(dir, `${base}.err.expected`);
      const comments = commentExpectations(bytes.toString('latin1'));
      if (existsSync(errFile) || comments.length === 0) {
        const expected = existsSync(errFile) ? await readFile(errFile) : Buffer.alloc(0);
        assert.ok(expected.equals(said), `${name}.err: ${firstDifference(expected, said)}`);
      } else {
        const lines = said.toString('latin1').split('\n')
          .filter((l) => l.startsWith(`${base}.inp:`) || l.startsWith('hint: '))
          .map((l) => (l.startsWith('hint: ') ? l : l.slice(base.length + 5)));
        assert.deepEqual(lines, comments);
      }
    } finally {
      engine.delete();
    }
  });
}

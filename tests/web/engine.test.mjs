// The binding as the page uses it, in Node: script files in and out, the
// page's Calc against the file run, the session across presses, the caret
// after errors, and the hand-off forms.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { loadEngine, top } from './engine.mjs';

const Module = await loadEngine();
const latin1 = (s) => Buffer.from(s, 'latin1');
const bytes = (u8) => Buffer.from(u8);

function withEngine(body) {
  const engine = new Module.Engine();
  try {
    return body(engine);
  } finally {
    engine.delete();
  }
}

test('a script file as the window saves it comes back byte for byte', () => {
  // Windows-1252: degree sign, a-umlaut, euro; CR LF line ends; the NUL.
  const file = latin1('VAR LAT;\r\nLAT = \xB0N 48 12.345;\r\nWRITE \'\xE4 \x80\', LAT:6;\r\n\0');
  const text = Module.importScript(file);
  assert.equal(text, "VAR LAT;\nLAT = °N 48 12.345;\nWRITE 'ä €', LAT:6;\n");
  assert.deepEqual(bytes(Module.exportScript(text)), file);
});

test('import reads up to the first NUL and exports in the window\'s form', () => {
  const cases = [
    // [file bytes, box text, exported bytes]
    [latin1('A;\nB;'), 'A;\nB;', latin1('A;\r\nB;\0')],
    [latin1('A;\r\n\0junk after the NUL'), 'A;\n', latin1('A;\r\n\0')],
    [latin1('A;\rB;'), 'A;\nB;', latin1('A;\r\nB;\0')],
    [latin1(''), '', latin1('\0')],
  ];
  for (const [file, text, exported] of cases) {
    assert.equal(Module.importScript(file), text);
    assert.deepEqual(bytes(Module.exportScript(text)), exported);
  }
});

test('UTF-8 files are recognised on import, as the command line\'s auto mode does', () => {
  const cp1252 = latin1('LAT = \xB0N 48 12.345; -- \xE4\r\n');
  const expected = 'LAT = °N 48 12.345; -- ä\n';
  assert.equal(Module.importScript(cp1252), expected);
  assert.equal(Module.importScript(Buffer.from(expected.replace('\n', '\r\n'), 'utf8')), expected);
  // A byte-order mark, as some editors write one, is not part of the script.
  assert.equal(Module.importScript(Buffer.from('\uFEFFWRITE \'°\';', 'utf8')), "WRITE '°';");
  // No Windows-1252 form: kept in the box, '?' only when saved, as the
  // window does.
  assert.equal(Module.importScript(Buffer.from('WRITE \'→\';', 'utf8')), "WRITE '→';");
  // Windows-1252 bytes that happen to form no valid UTF-8 stay Windows-1252.
  assert.equal(Module.importScript(latin1('\xC4\xD6')), 'ÄÖ');
});

test('Calc on the box text gives the bytes of running the saved file', async () => {
  for (const name of ['puzzle', 'navigation', 'ciphers']) {
    const file = await readFile(path.join(top, 'examples', `${name}.inp`));
    const expected = await readFile(path.join(top, 'tests/golden/examples', `${name}.res.expected`));
    const text = Module.importScript(file);
    const report = withEngine((engine) => engine.calc(text));
    assert.deepEqual(bytes(report.resultsBytes), expected, name);
    assert.equal(report.results, new TextDecoder('windows-1252').decode(expected), name);
    assert.equal(report.errorCount, 0);
  }
});

test('one session carries the point and MARGIN from one Calc to the next', () => {
  withEngine((engine) => {
    assert.equal(engine.point().set, false);
    engine.calc('OLAT = 52.5; OLON = 0 - 13.25; MARGIN = 5;');
    const report = engine.calc("WRITE 'abc def ghi';");
    assert.equal(report.errorCount, 0);
    assert.equal(report.results, 'abc\ndef\nghi\n');
    const point = engine.point();
    assert.deepEqual([point.set, point.lat, point.lon], [true, 52.5, -13.25]);
  });
  // A new engine starts afresh.
  withEngine((engine) => {
    assert.equal(engine.calc("WRITE 'abc def ghi';").results, 'abc def ghi\n');
  });
});

test('after errors: the listing, one line per diagnostic, the caret at the last error', () => {
  const cases = [
    // [script, the text the caret must stand before, diagnostics]
    ['VAR A;\nWRITE\t1;', '\t1;', ['2:8: error: ";" expected (E6)']],
    // A character beyond the BMP is two UTF-16 units in the box.
    ['VAR A; -- 😀 €\nA = 1\nWRITE A;', 'WRITE', ['3:1: error: ";" expected (E6)']],
    ['VAR A;\nA = 1\n\nB = 2;\nA = 3\nWRITE A;', 'WRITE A;',
      ['4:1: error: ";" expected (E6)', '6:1: error: ";" expected (E6)']],
  ];
  for (const [script, before, texts] of cases) {
    const report = withEngine((engine) => engine.calc(script));
    assert.equal(report.errorCount, texts.length, script);
    const errors = report.diagnostics.filter((d) => d.kind === 'error');
    assert.deepEqual(errors.map((d) => d.text), texts, script);
    assert.ok(errors.every((d) => d.hint.length > 0), 'each error has its hint');
    assert.equal(report.caret, script.lastIndexOf(before), script);
    assert.equal(errors.at(-1).caret, report.caret);
    assert.match(report.listing, /^Listing:\n\n/);
    assert.match(report.listing, new RegExp(` ${texts.length} syntax errors\n$`));
  }
  // Past the last line: the end of the box.
  const report = withEngine((engine) => engine.calc('VAR A;\nA = 1;\nWRITE A'));
  assert.equal(report.caret, 'VAR A;\nA = 1;\nWRITE A'.length);
});

test('the hand-off forms of a point', () => {
  const cases = [
    // [lat, lon, text, geo]
    [48.20575, 11.508333333333333, 'N 48° 12.345 E 011° 30.500', '48.205750,11.508333'],
    [-33.9, -0.1, 'S 33° 54.000 W 000° 06.000', '-33.900000,-0.100000'],
    // 59.9997 minutes round up into the next degree.
    [47.99999995, 8.99999995, 'N 48° 00.000 E 009° 00.000', '48.000000,9.000000'],
    // A hair south of the equator rounds to zero: no S.
    [-0.000000001, 0, 'N 00° 00.000 E 000° 00.000', '-0.000000,0.000000'],
    [90, 180, 'N 90° 00.000 E 180° 00.000', '90.000000,180.000000'],
  ];
  for (const [lat, lon, text, geo] of cases) {
    withEngine((engine) => {
      // The language has no unary minus and no exponent notation.
      const literal = (x) => (x < 0 ? `0 - ${(-x).toFixed(15)}` : x.toFixed(15));
      engine.calc(`OLAT = ${literal(lat)}; OLON = ${literal(lon)};`);
      const point = engine.point();
      assert.equal(point.onEarth, true);
      assert.equal(point.text, text);
      // With ?q= map apps drop a pin there.
      assert.equal(point.geo, `geo:${geo}?q=${geo}`);
    });
  }
  withEngine((engine) => {
    engine.calc('OLAT = 1 / 0; OLON = 5;');
    const point = engine.point();
    assert.equal(point.set, true);
    assert.equal(point.onEarth, false);
    assert.equal(point.text, undefined);
  });
});

test('the GPX waypoint is GPX 1.1 with the name escaped', () => {
  withEngine((engine) => {
    engine.calc('OLAT = 48.5; OLON = 11.25;');
    const gpx = engine.pointGpx('Tom & Jerry <final>');
    assert.match(gpx, /^<\?xml version="1.0" encoding="UTF-8"\?>\n<gpx version="1.1" creator="Orbelin" xmlns="http:\/\/www.topografix.com\/GPX\/1\/1">/);
    assert.match(gpx, /<wpt lat="48.500000" lon="11.250000">/);
    assert.match(gpx, /<name>Tom &amp; Jerry &lt;final&gt;<\/name>/);
    assert.match(gpx, /<desc>N 48° 30.000 E 011° 15.000<\/desc>/);
  });
});

test('script names are the window\'s file names', () => {
  const cases = [
    ['walk', 'walk.inp'],
    ['walk.txt', 'walk.txt'],
    ['  final cache  ', 'final cache.inp'],
    ['a/b\\c', 'a-b-c.inp'],
    ['.hidden', '.hidden.inp'],
    ['   ', ''],
    // A folder's name, as a zip entry may carry it, names no script.
    ['..', ''],
    ['.', ''],
  ];
  for (const [typed, name] of cases) assert.equal(Module.scriptName(typed), name, typed);
});

test('the keyword list comes from the engine', () => {
  const words = Module.keywords();
  for (const w of ['VAR', 'WRITE', 'WGPS', 'OLAT', 'DISTVINCENTY', 'ENIGMAINIT', 'SIN']) {
    assert.ok(words.includes(w), w);
  }
  assert.deepEqual([...words].sort(), [...words]);
  assert.ok(words.every((w) => /^[A-Z][A-Z0-9]*$/.test(w)));
});

test('a point kept by the page goes on in a new session; Calc says when a run set it', () => {
  withEngine((engine) => {
    engine.restorePoint(true, 48.5, NaN);
    let report = engine.calc('WRITE 1;');
    assert.equal(report.pointChanged, false);
    assert.deepEqual([report.point.set, report.point.lat, Number.isNaN(report.point.lon)], [true, 48.5, true]);
    assert.equal(report.point.onEarth, false);
    // Only the longitude set: the latitude goes on.
    report = engine.calc('OLON = 11.25;');
    assert.equal(report.pointChanged, true);
    assert.equal(report.point.text, 'N 48° 30.000 E 011° 15.000');
    // The same point set again is no change.
    assert.equal(engine.calc('OLON = 11.25;').pointChanged, false);
  });
  // The forms of a point the page kept, without a session.
  assert.equal(Module.pointView(true, 48.5, 11.25).geo, 'geo:48.500000,11.250000?q=48.500000,11.250000');
  assert.equal(Module.pointView(false, 0, 0).refusal, 'Kein Punkt gesetzt');
  assert.match(Module.gpxAt(true, 48.5, 11.25, 'x'), /<wpt lat="48.500000" lon="11.250000">/);
  assert.equal(Module.gpxAt(true, 123, 11.25, 'x'), '');
});

test('the Here key\'s literal and the way from here come from the core', () => {
  assert.equal(Module.positionLiteral(-33.5, -70.25, 3.2), '°S 33 30.000, °W 70 15.000 {±4 m}');
  const leg = Module.legTo(0, 0, 0, 0.001);
  assert.equal(leg.found, true);
  assert.equal(leg.text, '111 m, bearing 90° (E)');
  assert.equal(Module.legTo(0, 0, 0.5, 179.7).found, false);
});

test('an import is judged; a backup keeps every character', () => {
  const tail = Module.judgeImport(latin1('WRITE 1;\r\n\0WRITE 2;'), 'x.inp');
  assert.deepEqual([tail.binary, tail.text], [false, 'WRITE 1;\n']);
  assert.match(tail.note, /^x\.inp has a NUL byte in line 2/);
  assert.equal(Module.judgeImport(latin1('\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10'), 'p.png').binary, true);
  for (const text of ["WRITE 'ä';\n", "WRITE 'Ω €';"]) {
    assert.equal(Module.importScript(Module.backupScript(text)), text);
  }
  assert.deepEqual(bytes(Module.backupScript("WRITE 'ä';\n")), latin1("WRITE '\xE4';\r\n\0"));
  assert.equal(Module.lostCharactersQuestion("WRITE 'ä';"), '');
  assert.equal(Module.lostCharactersQuestion("WRITE 'Ω';"), "Windows-1252, the code of script files, has no Ω: saved, it becomes '?'.");
});

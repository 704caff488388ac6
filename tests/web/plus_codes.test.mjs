// WPLUS, PLUS2GPS and PLUSNEAR2GPS against npm's open-location-code, an
// implementation of the plus code's published definition independent of Orbelin:
// thousands of random positions through the page's engine, and through the
// native program when there is one. The engine writes the same text; the
// middle of a cell agrees to the rounding of the reference's floating point.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';
import { loadEngine, top } from './engine.mjs';

const require = createRequire(import.meta.url);
const { OpenLocationCode } = require('open-location-code');
const olc = new OpenLocationCode();
const Module = await loadEngine();
const native = process.env.ORBELIN_NATIVE ?? path.join(top, 'build/orbelin');

// A small seeded generator, so that a failure can be run again.
function random(seed) {
  let s = seed >>> 0;
  return () => {
    s = (s + 0x6d2b79f5) >>> 0;
    let t = s;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// A number as the script writes it: no minus sign in the language, so a
// negative value is 0 - x (which is exact).
const literal = (x) => (x < 0 ? `0 - ${(-x).toFixed(9)}` : x.toFixed(9));

// The points, each with the number it is in the script (the decimal read
// back), and the engine's and the native program's result lines.
function run(script) {
  const engine = new Module.Engine();
  let fromEngine;
  try {
    const report = engine.calc(script);
    assert.equal(report.errorCount, 0, report.listing);
    fromEngine = report.results.split('\n');
  } finally {
    engine.delete();
  }
  let fromNative = null;
  if (existsSync(native)) {
    const work = mkdtempSync(path.join(tmpdir(), 'orbelin-plus-'));
    try {
      writeFileSync(path.join(work, 'codes.inp'), script, 'latin1');
      execFileSync(native, ['run', '--encoding', 'cp1252', path.join(work, 'codes.inp')], { stdio: 'ignore' });
      fromNative = readFileSync(path.join(work, 'codes.res'), 'latin1').split('\n');
    } finally {
      rmSync(work, { recursive: true, force: true });
    }
  }
  return { fromEngine, fromNative };
}

test('WPLUS writes the reference\'s code for 4,000 random positions at 10 and 11 digits', () => {
  const next = random(28);
  const points = [];
  for (let i = 0; i < 2000; i++) {
    const lat = Number((next() * 180 - 90).toFixed(9));
    const lon = Number((next() * 360 - 180).toFixed(9));
    points.push([lat, lon]);
  }
  const lines = ['MARGIN = 0;'];
  for (const [lat, lon] of points) {
    lines.push(`WRITE WPLUS(${literal(lat)}, ${literal(lon)}), ' ', WPLUS(${literal(lat)}, ${literal(lon)}:11);`);
  }
  const { fromEngine, fromNative } = run(lines.join('\n') + '\n');
  points.forEach(([lat, lon], i) => {
    const expected = `${olc.encode(lat, lon, 10)} ${olc.encode(lat, lon, 11)}`;
    assert.equal(fromEngine[i], expected, `${lat} ${lon}`);
    if (fromNative) assert.equal(fromNative[i], expected, `${lat} ${lon} (native)`);
  });
});

test('PLUS2GPS and PLUSNEAR2GPS give the middle of the reference\'s cell', () => {
  const next = random(1207);
  const cases = [];
  for (let i = 0; i < 1000; i++) {
    const lat = next() * 170 - 85;
    const lon = next() * 360 - 180;
    const length = [4, 6, 8, 10, 11][i % 5];
    const full = olc.encode(lat, lon, length);
    // A short code of a 10-digit code without its first 4 digits, completed
    // near a reference point up to 20 km away (a quarter of its 1-degree step).
    const code10 = olc.encode(lat, lon, 10);
    const short = code10.substring(4);
    const refLat = Number((lat + (next() - 0.5) * 0.4).toFixed(6));
    const refLon = Number((lon + (next() - 0.5) * 0.4).toFixed(6));
    cases.push({ full, short, refLat, refLon });
  }
  const lines = ['VAR LA, LO;', 'MARGIN = 0;'];
  for (const c of cases) {
    lines.push(`PLUS2GPS('${c.full}', LA, LO); WRITE LA:10, ' ', LO:10;`);
    lines.push(`PLUSNEAR2GPS('${c.short}', ${literal(c.refLat)}, ${literal(c.refLon)}, LA, LO); WRITE LA:10, ' ', LO:10;`);
  }
  const { fromEngine, fromNative } = run(lines.join('\n') + '\n');
  const near = (line, lat, lon, what) => {
    const [a, b] = line.split(' ').map(Number);
    assert.ok(Math.abs(a - lat) < 1e-9 && Math.abs(b - lon) < 1e-9, `${what}: ${line}, reference ${lat} ${lon}`);
  };
  cases.forEach((c, i) => {
    const area = olc.decode(c.full);
    const recovered = olc.decode(olc.recoverNearest(c.short, c.refLat, c.refLon));
    for (const lines of [fromEngine, fromNative]) {
      if (!lines) continue;
      near(lines[2 * i], area.latitudeCenter, area.longitudeCenter, c.full);
      near(lines[2 * i + 1], recovered.latitudeCenter, recovered.longitudeCenter, `${c.short} near ${c.refLat} ${c.refLon}`);
    }
  });
});

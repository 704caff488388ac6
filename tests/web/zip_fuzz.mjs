// A small mutation fuzzer for the page's zip reader, run under Node:
//
//   node tests/web/zip_fuzz.mjs [SECONDS] [SEED]
//
// It starts from sound archives (stored and deflated entries, folders, an
// archive of Python's zipfile) and bends them: flipped bits, fields of the
// headers set to edge values (0, 1, -1, the file's length), bytes cut out
// or doubled. Whatever comes in, the reader must either give files within
// its limits or throw an Error with a sentence: never a RangeError or a
// TypeError, never hang, never unpack past its limits. A failing input is
// written to zip-fuzz-failure-SEED-N.zip in the working folder and the run
// ends with status 1; SEED replays a run.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { buildZip, packedZeros } from './zip_samples.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const { unzip, zip, ZIP_LIMITS } = await import(pathToFileURL(path.join(here, '../../web/page/zip.js')));

const seconds = Number(process.argv[2] ?? 10);
const seed = Number(process.argv[3] ?? Date.now() % 2147483647);

// xorshift32: the same seed gives the same run.
let state = seed || 1;
function random(n) {
  state ^= state << 13;
  state ^= state >>> 17;
  state ^= state << 5;
  return (state >>> 0) % n;
}

const text = (s) => Buffer.from(s, 'latin1');
function pythonZip() {
  const work = mkdtempSync(path.join(tmpdir(), 'orbelin-zip-fuzz-'));
  try {
    const archive = path.join(work, 'p.zip');
    execFileSync('/usr/bin/python3', ['-c', `
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr('d/', b'')
    z.writestr('d/a.inp', b"VAR A;\\r\\nA = 1;\\r\\nWRITE A;\\r\\n" * 20, zipfile.ZIP_DEFLATED)
    z.writestr('b.inp', b'WRITE 2;', zipfile.ZIP_STORED)
`, archive]);
    return new Uint8Array(readFileSync(archive));
  } catch {
    return null; // no Python: the other seeds still run
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
}

const seeds = [
  buildZip([{ name: 'a.inp', bytes: text('WRITE 1;\r\n\0') }]),
  buildZip([{ name: 'a.inp', bytes: text('VAR A; A = 2; WRITE A;\r\n'.repeat(30)), deflate: true },
    { name: 'walks/', bytes: text('') }, { name: '..', bytes: text('WRITE 3;') }]),
  buildZip([{ name: 'z.inp', packed: packedZeros(2), size: 2 << 20, crc: 0 },
    { name: 'y.inp', packed: packedZeros(2), size: 2 << 20, crc: 0, sameData: 0 }]),
  new Uint8Array(await zip([{ name: 'Ω.inp', bytes: text('WRITE 1;') }, { name: 'b.inp', bytes: text('') }]).arrayBuffer()),
  pythonZip(),
].filter(Boolean);

const edges = (length) => [0, 1, 2, 0x7F, 0xFF, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF, length, length - 1, length + 1,
  length - 22, length - 46];

function mutate(input) {
  let bytes = Uint8Array.from(input);
  for (let k = 1 + random(6); k > 0; k--) {
    const at = random(Math.max(1, bytes.length));
    switch (random(7)) {
      case 0: // a bit
        if (bytes.length) bytes[at] ^= 1 << random(8);
        break;
      case 1: // a byte
        if (bytes.length) bytes[at] = random(256);
        break;
      case 2: { // a 16- or 32-bit field to an edge value
        const value = edges(bytes.length)[random(13)] >>> 0;
        const view = new DataView(bytes.buffer);
        if (random(2) && at + 4 <= bytes.length) view.setUint32(at, value, true);
        else if (at + 2 <= bytes.length) view.setUint16(at, value & 0xFFFF, true);
        break;
      }
      case 3: // a run cut out
        bytes = Uint8Array.from([...bytes.subarray(0, at), ...bytes.subarray(at + 1 + random(64))]);
        break;
      case 4: { // a run doubled
        const run = bytes.subarray(at, at + 1 + random(64));
        bytes = Uint8Array.from([...bytes.subarray(0, at), ...run, ...bytes.subarray(at)]);
        break;
      }
      case 5: // cut short
        bytes = bytes.slice(0, at);
        break;
      default: { // another seed's bytes spliced in
        const other = seeds[random(seeds.length)];
        const from = random(other.length);
        bytes = Uint8Array.from([...bytes.subarray(0, at), ...other.subarray(from, from + 1 + random(128))]);
      }
    }
  }
  return bytes;
}

// "" when the reader did as it must with `bytes`, else what it did.
async function check(bytes) {
  let timer;
  const hang = new Promise((resolve) => { timer = setTimeout(() => resolve('hang'), 10000); });
  let outcome;
  try {
    outcome = await Promise.race([unzip(bytes), hang]);
  } catch (error) {
    clearTimeout(timer);
    if (error?.constructor !== Error) return `threw ${error?.constructor?.name}: ${error?.message}`;
    if (!error.message) return 'threw an Error without a sentence';
    // The reader's last guard says a stray read as a sentence too; the
    // fuzzer wants to know of it.
    if (error.cause) return `read outside the archive: ${error.cause.message}`;
    return '';
  }
  clearTimeout(timer);
  if (outcome === 'hang') return 'did not finish in 10 s';
  if (!Array.isArray(outcome) || outcome.length > ZIP_LIMITS.files) return 'gave no list of files within the limit';
  let total = 0;
  for (const f of outcome) {
    if (typeof f.name !== 'string' || !(f.bytes instanceof Uint8Array)) return 'gave a file that is no name and bytes';
    if (f.bytes.length > ZIP_LIMITS.fileBytes) return `gave ${f.name} of ${f.bytes.length} bytes`;
    total += f.bytes.length;
  }
  if (total > ZIP_LIMITS.totalBytes) return `gave ${total} bytes in all`;
  return '';
}

const started = Date.now();
let runs = 0;
let failures = 0;
while (Date.now() - started < seconds * 1000) {
  const input = mutate(seeds[random(seeds.length)]);
  runs++;
  const wrong = await check(input);
  if (wrong) {
    const file = `zip-fuzz-failure-${seed}-${runs}.zip`;
    writeFileSync(file, input);
    console.error(`zip fuzz: the reader ${wrong}; the input is ${file}`);
    if (++failures >= 5) break;
  }
}
console.log(`zip fuzz: ${runs} archives in ${((Date.now() - started) / 1000).toFixed(1)} s, seed ${seed}, ` +
  `${failures} failures`);
process.exit(failures ? 1 : 0);

// The page's zip reader in Node (it uses only what browsers have): archives
// that other programs write, the page's own Export all, and archives that
// are damaged or crafted. Every refusal is an Error with a sentence, never
// a RangeError from a DataView; a bomb is stopped before it is unpacked, or
// as soon as it unpacks more than its table of contents says.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { top } from './engine.mjs';
import { buildZip, packedZeros, zipBomb } from './zip_samples.mjs';

const { unzip, zip, ZIP_LIMITS } = await import(path.join(top, 'web/page/zip.js'));

// How many bytes the browser's inflater handed out, at most, in one stream:
// a bomb must be stopped long before it is unpacked.
let mostUnpacked = 0;
const RealDecompressionStream = globalThis.DecompressionStream;
globalThis.DecompressionStream = class {
  constructor(format) {
    const real = new RealDecompressionStream(format);
    let unpacked = 0;
    this.writable = real.writable;
    this.readable = real.readable.pipeThrough(new TransformStream({
      transform(chunk, controller) {
        unpacked += chunk.length;
        mostUnpacked = Math.max(mostUnpacked, unpacked);
        controller.enqueue(chunk);
      },
    }));
  }
};

const text = (s) => Buffer.from(s, 'latin1');
const names = (files) => files.map((f) => `${f.name}=${Buffer.from(f.bytes).toString('latin1')}`);

test('archives of other programs and of Export all are read', async () => {
  // Python's zipfile, an independent writer: a folder, a deflated and a
  // stored script, and a name that is a folder's (".."), kept as it is for
  // the import to name.
  const work = mkdtempSync(path.join(tmpdir(), 'orbelin-zip-'));
  try {
    const archive = path.join(work, 'p.zip');
    execFileSync('/usr/bin/python3', ['-c', `
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr('walks/', b'')
    z.writestr('walks/a.inp', b"WRITE 'Gr\\xfc\\xdfe';\\r\\n" * 50, zipfile.ZIP_DEFLATED)
    z.writestr('b.inp', b'WRITE 2;', zipfile.ZIP_STORED)
    z.writestr('..', b'WRITE 3;', zipfile.ZIP_DEFLATED)
`, archive]);
    const files = await unzip(new Uint8Array(readFileSync(archive)));
    assert.deepEqual(names(files), [
      `walks/a.inp=${"WRITE 'Gr\xfc\xdfe';\r\n".repeat(50)}`, 'b.inp=WRITE 2;', '..=WRITE 3;']);
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
  const own = new Uint8Array(await zip([{ name: 'Ω.inp', bytes: text('WRITE 1;\0') }]).arrayBuffer());
  assert.deepEqual(names(await unzip(own)), ['Ω.inp=WRITE 1;\0']);
});

test('damaged and crafted archives are refused with a sentence', async () => {
  const script = text('A = 12345;');
  const sound = buildZip([{ name: 'x.inp', bytes: script }]);
  const cut = sound.subarray(0, sound.length - 10);
  const tableAt = sound.length - 22 - 46 - 5;
  const badTable = Uint8Array.from(sound);
  new DataView(badTable.buffer).setUint32(badTable.length - 6, 0x7FFFFFF0, true);
  const cases = [
    // A stored entry whose sizes are recorded short would import "A = 1".
    [buildZip([{ name: 'x.inp', bytes: script, size: 5, packedSize: 5 }]),
      /^x\.inp is damaged: its check sum \(CRC-32\) does not match$/],
    // Recorded too long, it would take in the table of contents.
    [buildZip([{ name: 'x.inp', bytes: script, size: 40, packedSize: 40 }]),
      /^x\.inp is cut short: its packed bytes run past the archive$/],
    [buildZip([{ name: 'x.inp', bytes: script, size: 10, packedSize: 9 }]),
      /^x\.inp is damaged: its sizes do not agree$/],
    [buildZip([{ name: 'x.inp', bytes: script, deflate: true, size: 12 }]),
      /^x\.inp is damaged: it unpacks to 10 bytes, not the 12 its table of contents says$/],
    [buildZip([{ name: 'x.inp', bytes: script, crc: 1 }]), /check sum \(CRC-32\) does not match/],
    [buildZip([{ name: 'x.inp', packed: text('not deflate at all'), size: 10 }]),
      /^x\.inp is damaged: its packed bytes cannot be unpacked$/],
    // Where the entry starts: far beyond the file, or in the middle of it.
    [buildZip([{ name: 'x.inp', bytes: script, offset: 0xFFFFFF00 }]),
      /^the table of contents points outside the archive for x\.inp$/],
    [buildZip([{ name: 'x.inp', bytes: script, offset: 3 }]),
      /^the table of contents points outside the archive for x\.inp$/],
    [badTable, /^its table of contents points outside the archive$/],
    [cut, /^it is not a zip archive, or it is cut short$/],
    [sound.subarray(0, tableAt + 20), /^it is not a zip archive, or it is cut short$/],
    [buildZip([{ name: 'x.inp', bytes: script, flags: 0x0801 }]), /^x\.inp is encrypted$/],
    [buildZip([{ name: 'x.inp', bytes: script, method: 12 }]),
      /^x\.inp is packed in a way this page cannot read \(method 12\)$/],
    [buildZip([{ name: 'x.inp', bytes: script, size: 0xFFFFFFFF }]),
      /^it is a ZIP64 archive, which this page cannot read$/],
  ];
  for (const [archive, said] of cases) {
    await assert.rejects(unzip(archive), (error) => {
      assert.equal(error.constructor, Error, error.stack);
      assert.match(error.message, said);
      return true;
    });
  }
});

test('zip bombs are refused before they are unpacked, or as they pass their sizes', async () => {
  const limit = (n) => `${n / (1024 * 1024)} MB`;
  const cases = [
    [zipBomb(100), `bomb.inp would unpack to 100 MB, more than the ${limit(ZIP_LIMITS.fileBytes)} a script may have`],
    [zipBomb(1024), `bomb.inp would unpack to 1024 MB, more than the ${limit(ZIP_LIMITS.fileBytes)} a script may have`],
    // A bomb that says it is small: stopped at the 1001st byte.
    [zipBomb(1024, { lying: true }), 'bomb.inp is damaged: it unpacks to more than the 1000 bytes its table of contents says'],
    // Ten names for one stream of 10 MB: each is allowed, together too much.
    [buildZip([{ name: 'a0.inp', packed: packedZeros(10), size: 10 << 20, crc: 0 },
      ...Array.from({ length: 9 }, (_, i) => ({ name: `a${i + 1}.inp`, packed: packedZeros(10), size: 10 << 20, sameData: 0 }))]),
    `its files would unpack to more than the ${limit(ZIP_LIMITS.totalBytes)} this page imports at once`],
    [buildZip(Array.from({ length: ZIP_LIMITS.files + 1 }, (_, i) => ({ name: `s${i}.inp`, bytes: text('') }))),
      `it holds ${ZIP_LIMITS.files + 1} files, more than the ${ZIP_LIMITS.files} this page imports at once`],
  ];
  for (const [archive, said] of cases) {
    mostUnpacked = 0;
    await assert.rejects(unzip(archive), { message: said });
    assert.ok(mostUnpacked < 1 << 20, `${said}: ${mostUnpacked} bytes were unpacked`);
  }
  // Right at the limits an archive still comes in.
  const files = await unzip(buildZip([{ name: 'big.inp', bytes: Buffer.alloc(ZIP_LIMITS.fileBytes, 65), deflate: true }]));
  assert.equal(files[0].bytes.length, ZIP_LIMITS.fileBytes);
});

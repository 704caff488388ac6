// Zip archives built byte by byte for the tests of the page's zip reader:
// sound ones, damaged ones and zip bombs. Each entry may lie about itself
// (its sizes, its check sum, where it starts), as a crafted archive does.
import zlib from 'node:zlib';

const CRC_TABLE = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

export function crc32(bytes) {
  let c = 0xFFFFFFFF;
  for (let i = 0; i < bytes.length; i++) c = CRC_TABLE[(c ^ bytes[i]) & 0xFF] ^ (c >>> 8);
  return (c ^ 0xFFFFFFFF) >>> 0;
}

// entries: [{ name, bytes, deflate?, crc?, size?, packedSize?, offset?, method?, flags? }]
// where crc, size (unpacked), packedSize and offset, when given, are what
// the table of contents says instead of the truth; `packed` gives the
// packed bytes outright (then `size` must be given). `sameData: i` makes
// the entry point at entry i's bytes (a bomb of many names for one stream).
export function buildZip(entries) {
  const parts = [];
  const table = [];
  const offsets = [];
  let at = 0;
  entries.forEach((e, i) => {
    const name = Buffer.from(e.name, 'utf8');
    const truth = e.bytes ?? Buffer.alloc(0);
    const packed = e.packed ?? (e.deflate ? zlib.deflateRawSync(truth) : truth);
    const method = e.method ?? (e.deflate || e.packed ? 8 : 0);
    const crc = e.crc ?? crc32(truth);
    const size = e.size ?? truth.length;
    const packedSize = e.packedSize ?? packed.length;
    const flags = e.flags ?? 0x0800;
    let offset = at;
    if (e.sameData === undefined) {
      const local = Buffer.alloc(30);
      local.writeUInt32LE(0x04034B50, 0);
      local.writeUInt16LE(20, 4);
      local.writeUInt16LE(flags, 6);
      local.writeUInt16LE(method, 8);
      local.writeUInt32LE(crc, 14);
      local.writeUInt32LE(packedSize, 18);
      local.writeUInt32LE(size, 22);
      local.writeUInt16LE(name.length, 26);
      parts.push(local, name, packed);
      at += 30 + name.length + packed.length;
    } else {
      offset = offsets[e.sameData];
    }
    offsets.push(offset);
    const central = Buffer.alloc(46);
    central.writeUInt32LE(0x02014B50, 0);
    central.writeUInt16LE(20, 4);
    central.writeUInt16LE(20, 6);
    central.writeUInt16LE(flags, 8);
    central.writeUInt16LE(method, 10);
    central.writeUInt32LE(crc, 16);
    central.writeUInt32LE(packedSize, 20);
    central.writeUInt32LE(size, 24);
    central.writeUInt16LE(name.length, 28);
    central.writeUInt32LE(e.offset ?? offset, 42);
    table.push(central, name);
  });
  const tableBytes = Buffer.concat(table);
  const end = Buffer.alloc(22);
  end.writeUInt32LE(0x06054B50, 0);
  end.writeUInt16LE(entries.length, 8);
  end.writeUInt16LE(entries.length, 10);
  end.writeUInt32LE(tableBytes.length, 12);
  end.writeUInt32LE(at, 16);
  return new Uint8Array(Buffer.concat([...parts, tableBytes, end]));
}

// The packed bytes of `megabytes` MB of zeros, made in a moment: one MB
// packed with a full flush (so each piece stands alone) and repeated, then
// a closing empty block. 1024 MB pack into about 1 MB.
export function packedZeros(megabytes) {
  const piece = zlib.deflateRawSync(Buffer.alloc(1 << 20), {
    level: 9,
    finishFlush: zlib.constants.Z_FULL_FLUSH,
  });
  return Buffer.concat([...Array(megabytes).fill(piece), Buffer.from([3, 0])]);
}

// A zip bomb: one entry of `megabytes` MB of zeros. With `lying`, its table
// of contents says 1000 bytes instead, as a crafted bomb does to pass a
// check of the sizes.
export function zipBomb(megabytes, { lying = false } = {}) {
  return buildZip([{
    name: 'bomb.inp',
    packed: packedZeros(megabytes),
    size: lying ? 1000 : megabytes * 1048576,
    crc: 0,
  }]);
}

// Zip archives of scripts, for Export all and for importing them back: the
// files are written stored (scripts are small), names in UTF-8; reading
// takes stored and deflated files, as other programs write them.
const CRC_TABLE = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

function crc32(bytes) {
  let c = 0xFFFFFFFF;
  for (let i = 0; i < bytes.length; i++) c = CRC_TABLE[(c ^ bytes[i]) & 0xFF] ^ (c >>> 8);
  return (c ^ 0xFFFFFFFF) >>> 0;
}

// DOS date and time of `date`, as zip entries carry them.
function dosTime(date) {
  return {
    time: (date.getHours() << 11) | (date.getMinutes() << 5) | (date.getSeconds() >> 1),
    day: ((date.getFullYear() - 1980) << 9) | ((date.getMonth() + 1) << 5) | date.getDate(),
  };
}

// files: [{ name, bytes: Uint8Array }] -> Blob of a zip archive.
export function zip(files, date = new Date()) {
  const encoder = new TextEncoder();
  const { time, day } = dosTime(date);
  const parts = [];
  const central = [];
  let offset = 0;
  for (const { name, bytes } of files) {
    const nameBytes = encoder.encode(name);
    const crc = crc32(bytes);
    const header = (signature, size) => {
      const h = new DataView(new ArrayBuffer(size));
      h.setUint32(0, signature, true);
      return h;
    };
    const local = header(0x04034B50, 30);
    local.setUint16(4, 20, true); // version needed: 2.0
    local.setUint16(6, 0x0800, true); // the name is UTF-8
    local.setUint16(8, 0, true); // stored
    local.setUint16(10, time, true);
    local.setUint16(12, day, true);
    local.setUint32(14, crc, true);
    local.setUint32(18, bytes.length, true);
    local.setUint32(22, bytes.length, true);
    local.setUint16(26, nameBytes.length, true);
    parts.push(local, nameBytes, bytes);
    const entry = header(0x02014B50, 46);
    entry.setUint16(4, 20, true);
    entry.setUint16(6, 20, true);
    entry.setUint16(8, 0x0800, true);
    entry.setUint16(10, 0, true);
    entry.setUint16(12, time, true);
    entry.setUint16(14, day, true);
    entry.setUint32(16, crc, true);
    entry.setUint32(20, bytes.length, true);
    entry.setUint32(24, bytes.length, true);
    entry.setUint16(28, nameBytes.length, true);
    entry.setUint32(42, offset, true);
    central.push(entry, nameBytes);
    offset += 30 + nameBytes.length + bytes.length;
  }
  const size = central.reduce((s, p) => s + p.byteLength, 0);
  const end = new DataView(new ArrayBuffer(22));
  end.setUint32(0, 0x06054B50, true);
  end.setUint16(8, files.length, true);
  end.setUint16(10, files.length, true);
  end.setUint32(12, size, true);
  end.setUint32(16, offset, true);
  return new Blob([...parts, ...central, end], { type: 'application/zip' });
}

export const isZip = (bytes) => bytes.length >= 4 && bytes[0] === 0x50 && bytes[1] === 0x4B
  && bytes[2] === 0x03 && bytes[3] === 0x04;

// What an archive may unpack to. Scripts are small: these keep a zip bomb
// (a few kilobytes that unpack to gigabytes) from filling the memory of a
// phone, and are refused before anything is unpacked wherever the table of
// contents tells, else the moment the unpacked bytes pass them.
export const ZIP_LIMITS = Object.freeze({
  files: 1000,
  fileBytes: 16 * 1024 * 1024,
  totalBytes: 64 * 1024 * 1024,
});

const MB = (n) => `${Math.round(n / (1024 * 1024))} MB`;

// Unpacks a deflated entry, but never more than `expected` + 1 bytes: an
// entry that unpacks to more than its table of contents says is damaged,
// and is stopped there. The packed bytes go in a slice at a time, read out
// before the next goes in: a slice of 4 KB unpacks to at most 4 MB, where
// the whole of a crafted megabyte would unpack to a gigabyte at once.
async function inflate(name, packed, expected) {
  const SLICE = 4096;
  const stream = new DecompressionStream('deflate-raw');
  const writer = stream.writable.getWriter();
  const reader = stream.readable.getReader();
  const feeding = (async () => {
    for (let at = 0; at < packed.length; at += SLICE) await writer.write(packed.subarray(at, at + SLICE));
    await writer.close();
  })();
  feeding.catch(() => {}); // its failure is the reader's too
  const out = new Uint8Array(expected);
  let length = 0;
  try {
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      if (length + value.length > expected) {
        throw new Error(`${name} is damaged: it unpacks to more than the ${expected} bytes its table of contents says`);
      }
      out.set(value, length);
      length += value.length;
    }
    await feeding;
  } catch (error) {
    reader.cancel().catch(() => {});
    writer.abort().catch(() => {});
    if (error.message.startsWith(`${name} is damaged`)) throw error;
    throw new Error(`${name} is damaged: its packed bytes cannot be unpacked`);
  }
  if (length !== expected) {
    throw new Error(`${name} is damaged: it unpacks to ${length} bytes, not the ${expected} its table of contents says`);
  }
  return out;
}

// The files of a zip archive: [{ name, bytes }], folders left out. Throws
// an Error that says what is wrong with an archive it cannot read (as the
// end of a sentence: "Not imported: all.zip: <message>."). Every entry is
// checked against its table of contents: where it starts, how long it is
// packed and unpacked, and its check sum (CRC-32).
export async function unzip(bytes, limits = ZIP_LIMITS) {
  try {
    return await readArchive(bytes, limits);
  } catch (error) {
    // Every read is checked against the bounds above; should one still
    // fall outside, it is said as what it is.
    if (error instanceof RangeError) throw new Error('its table of contents points outside the archive', { cause: error });
    throw error;
  }
}

async function readArchive(bytes, limits) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const u16 = (at) => view.getUint16(at, true);
  const u32 = (at) => view.getUint32(at, true);
  let end = -1;
  for (let i = bytes.length - 22; i >= Math.max(0, bytes.length - 22 - 65535); i--) {
    if (u32(i) === 0x06054B50) {
      end = i;
      break;
    }
  }
  if (end < 0) throw new Error('it is not a zip archive, or it is cut short');
  const count = u16(end + 10);
  const tableSize = u32(end + 12);
  const tableAt = u32(end + 16);
  if (count === 0xFFFF || tableAt === 0xFFFFFFFF) throw new Error('it is a ZIP64 archive, which this page cannot read');
  if (tableAt + tableSize > end) throw new Error('its table of contents points outside the archive');
  if (count > limits.files) {
    throw new Error(`it holds ${count} files, more than the ${limits.files} this page imports at once`);
  }

  // The table of contents first, all of it checked before anything is
  // unpacked.
  const utf8 = new TextDecoder();
  const cp437 = new TextDecoder('latin1');
  const entries = [];
  let total = 0;
  let at = tableAt;
  for (let n = 0; n < count; n++) {
    if (at + 46 > end || u32(at) !== 0x02014B50) throw new Error('its table of contents is damaged');
    const flags = u16(at + 8);
    const method = u16(at + 10);
    const crc = u32(at + 16);
    const packed = u32(at + 20);
    const size = u32(at + 24);
    const nameLength = u16(at + 28);
    const offset = u32(at + 42);
    const next = at + 46 + nameLength + u16(at + 30) + u16(at + 32);
    if (next > end) throw new Error('its table of contents is damaged');
    const name = (flags & 0x0800 ? utf8 : cp437).decode(bytes.subarray(at + 46, at + 46 + nameLength));
    at = next;
    if (name.endsWith('/') || name.endsWith('\\')) continue;
    const shown = name || 'a file without a name';
    if (flags & 1) throw new Error(`${shown} is encrypted`);
    if (method !== 0 && method !== 8) throw new Error(`${shown} is packed in a way this page cannot read (method ${method})`);
    if (packed === 0xFFFFFFFF || size === 0xFFFFFFFF) throw new Error('it is a ZIP64 archive, which this page cannot read');
    if (size > limits.fileBytes) {
      throw new Error(`${shown} would unpack to ${MB(size)}, more than the ${MB(limits.fileBytes)} a script may have`);
    }
    total += size;
    if (total > limits.totalBytes) {
      throw new Error(`its files would unpack to more than the ${MB(limits.totalBytes)} this page imports at once`);
    }
    if (method === 0 && packed !== size) throw new Error(`${shown} is damaged: its sizes do not agree`);
    // The entry's own header, and its packed bytes, lie before the table.
    if (offset + 30 > tableAt || u32(offset) !== 0x04034B50) {
      throw new Error(`the table of contents points outside the archive for ${shown}`);
    }
    const dataAt = offset + 30 + u16(offset + 26) + u16(offset + 28);
    if (dataAt + packed > tableAt) throw new Error(`${shown} is cut short: its packed bytes run past the archive`);
    entries.push({ name, shown, method, crc, size, data: bytes.subarray(dataAt, dataAt + packed) });
  }

  const files = [];
  for (const { name, shown, method, crc, size, data } of entries) {
    const unpacked = method === 0 ? data : await inflate(shown, data, size);
    if (crc32(unpacked) !== crc) throw new Error(`${shown} is damaged: its check sum (CRC-32) does not match`);
    files.push({ name, bytes: unpacked });
  }
  return files;
}

// What the page keeps in the browser's own storage (localStorage): the
// scripts by name, each with a stamp that changes on every write so that a
// tab can tell that another tab wrote the script since it last looked; the
// current script; the examples the user hid; the point and the last run.
//
// A browser that refuses the page its storage gets a store in memory: the
// calculator works, and `blocked` tells the page to say that nothing is kept.
const PREFIX = 'orbelin.script:';
const STAMP = 'orbelin.stamp:';
const CURRENT = 'orbelin.current';
const CURRENT_EXAMPLE = 'orbelin.current-example';
const HIDDEN = 'orbelin.hidden-examples';
const POINT = 'orbelin.point';
const LAST_RUN = 'orbelin.last-run';

function memoryStorage() {
  const map = new Map();
  return {
    get length() { return map.size; },
    key: (i) => [...map.keys()][i] ?? null,
    getItem: (k) => (map.has(k) ? map.get(k) : null),
    setItem: (k, v) => { map.set(k, String(v)); },
    removeItem: (k) => { map.delete(k); },
  };
}

function openStorage() {
  try {
    const storage = window.localStorage;
    storage.getItem(CURRENT);
    return storage;
  } catch {
    return null;
  }
}

const local = openStorage();
const storage = local ?? memoryStorage();
export const blocked = local === null;

// A write that did not happen: 'full' when the storage has no room.
export class WriteError extends Error {
  constructor(cause) {
    const full = cause?.name === 'QuotaExceededError' || cause?.code === 22;
    super(full ? 'the browser’s storage is full' : `the browser refused to store it (${cause?.message ?? cause})`);
    this.full = full;
  }
}

function write(key, value) {
  try {
    storage.setItem(key, value);
  } catch (e) {
    throw new WriteError(e);
  }
}

function read(key) {
  try {
    return storage.getItem(key);
  } catch {
    return null;
  }
}

export function names() {
  const list = [];
  for (let i = 0; i < storage.length; i++) {
    const key = storage.key(i);
    if (key?.startsWith(PREFIX)) list.push(key.slice(PREFIX.length));
  }
  return list.sort((a, b) => a.localeCompare(b));
}

// A stamp is stored as "STAMP<BASE": the stamp the writing tab had seen
// when it wrote (empty when it knew of none). A tab whose own write is not
// the base of the next one knows that write was overwritten unseen.
const splitStamp = (value) => {
  if (value === null) return { stamp: null, base: undefined };
  const at = value.indexOf('<');
  return at < 0 ? { stamp: value, base: undefined } : { stamp: value.slice(0, at), base: value.slice(at + 1) };
};

export const has = (name) => read(PREFIX + name) !== null;
export const get = (name) => read(PREFIX + name);
export const stampOf = (name) => splitStamp(read(STAMP + name)).stamp;

const tab = Math.random().toString(36).slice(2, 10);
let writes = 0;

// Whether this tab wrote the version with that stamp.
export const ownStamp = (stamp) => typeof stamp === 'string' && stamp.startsWith(`${tab}.`);

// Stores a script over the version `base` (its stamp, or null for none);
// returns the new stamp. Throws a WriteError, and then the stored text is
// what it was.
export function put(name, text, base = null) {
  write(PREFIX + name, text);
  const stamp = `${tab}.${++writes}`;
  // The text first: a tab that sees the new stamp finds the new text.
  write(STAMP + name, `${stamp}<${base ?? ''}`);
  return stamp;
}

export function remove(name) {
  storage.removeItem(PREFIX + name);
  storage.removeItem(STAMP + name);
}

// The script the page showed last: { name, example }.
export function current() {
  const name = read(CURRENT);
  return name === null ? null : { name, example: read(CURRENT_EXAMPLE) === '1' };
}

export function setCurrent(name, example) {
  try {
    storage.setItem(CURRENT, name);
    storage.setItem(CURRENT_EXAMPLE, example ? '1' : '0');
  } catch {
    // Only which script opens next time: the script itself is not at risk.
  }
}

function readJson(key, fallback) {
  try {
    return JSON.parse(read(key)) ?? fallback;
  } catch {
    return fallback;
  }
}

export const hiddenExamples = () => new Set(readJson(HIDDEN, []));
export function setHiddenExamples(set) {
  write(HIDDEN, JSON.stringify([...set]));
}

// The point the session had, and the script that set it. Numbers go as
// text so that NaN and infinities come back as they were.
export function savePoint({ set, lat, lon, script }) {
  write(POINT, JSON.stringify({ set, lat: String(lat), lon: String(lon), script }));
}

export function loadPoint() {
  const p = readJson(POINT, null);
  if (!p || typeof p.set !== 'boolean') return null;
  return { set: p.set, lat: Number(p.lat), lon: Number(p.lon), script: String(p.script ?? '') };
}

// The results box and diagnostics after the last Calc, for a reload. A run
// too large to keep leaves nothing, rather than something stale.
const LAST_RUN_LIMIT = 200000;
export function saveLastRun(run) {
  // Measured before it is turned into JSON: a listing of megabytes would
  // only be turned into a longer string to be thrown away.
  const text = run.shown.length <= LAST_RUN_LIMIT ? JSON.stringify(run) : '';
  try {
    if (text && text.length <= LAST_RUN_LIMIT) storage.setItem(LAST_RUN, text);
    else storage.removeItem(LAST_RUN);
  } catch {
    storage.removeItem(LAST_RUN);
  }
}

export const loadLastRun = () => readJson(LAST_RUN, null);

// Calls `changed(name, stamp, base)` when another tab writes or deletes a
// script (stamp null); `base` is the version that tab wrote over, or
// undefined when it did not say.
export function onOtherTab(changed) {
  if (blocked) return;
  addEventListener('storage', (e) => {
    if (e.storageArea === local && e.key?.startsWith(STAMP)) {
      const { stamp, base } = splitStamp(e.newValue);
      changed(e.key.slice(STAMP.length), stamp, base);
    }
  });
}

// `name`, or name-2, name-3... before its extension when `name` is taken.
export function unused(name, taken = has) {
  if (!taken(name)) return name;
  const dot = name.lastIndexOf('.');
  const [base, ext] = dot > 0 ? [name.slice(0, dot), name.slice(dot)] : [name, ''];
  for (let n = 2; ; n++) {
    const candidate = `${base}-${n}${ext}`;
    if (!taken(candidate)) return candidate;
  }
}

// Scripts kept in the browser's own storage, by name. Every write is
// synchronous, so a page that the phone kills has lost nothing.
const PREFIX = 'orbelin.script:';
const CURRENT = 'orbelin.current';

export function names() {
  const list = [];
  for (let i = 0; i < localStorage.length; i++) {
    const key = localStorage.key(i);
    if (key.startsWith(PREFIX)) list.push(key.slice(PREFIX.length));
  }
  return list.sort((a, b) => a.localeCompare(b));
}

export const has = (name) => localStorage.getItem(PREFIX + name) !== null;
export const get = (name) => localStorage.getItem(PREFIX + name);
// Throws when the storage is full.
export const put = (name, text) => localStorage.setItem(PREFIX + name, text);
export const remove = (name) => localStorage.removeItem(PREFIX + name);

export const current = () => localStorage.getItem(CURRENT);
export const setCurrent = (name) => localStorage.setItem(CURRENT, name);

// `name`, or name-2, name-3... before its extension when `name` is taken.
export function unused(name) {
  if (!has(name)) return name;
  const dot = name.lastIndexOf('.');
  const [base, ext] = dot > 0 ? [name.slice(0, dot), name.slice(dot)] : [name, ''];
  for (let n = 2; ; n++) {
    const candidate = `${base}-${n}${ext}`;
    if (!has(candidate)) return candidate;
  }
}

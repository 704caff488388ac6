// Searchable help: the handbook's reference, messages and language basics
// (help.json) and the page's own use (help-page.json), found as `orbelin help WORD` finds them: accents and case do not matter,
// a word finds the words it begins and the stems of four letters or more it
// begins with, and every word asked for must be answered. Entries whose keys
// or title answer come first, then those of a group whose heading does, then
// those whose text does.
let entries = null;

// The folded words of a text: lower case, accents dropped, split at all
// that is not a letter or a digit (as help/search_words.h folds them).
export function words(text) {
  return text
    .normalize('NFD')
    .replace(/\p{M}/gu, '')
    .toLowerCase()
    .replace(/ß/g, 'ss')
    .replace(/[æ]/g, 'a')
    .replace(/[ø]/g, 'o')
    .replace(/[ð]/g, 'd')
    .split(/[^a-z0-9]+/)
    .filter(Boolean);
}

function answers(textWord, asked) {
  return textWord.startsWith(asked) || (textWord.length >= 4 && asked.startsWith(textWord));
}

function allAnswered(asked, list) {
  return asked.every((a) => list.some((w) => answers(w, a)));
}

// "E111", "e111" or "111": the message entry that covers the number, the
// narrowest first, as the command line's help finds it.
function messageFor(all, query) {
  const m = /^\s*[eE]?(\d{1,4})\s*$/.exec(query);
  if (!m) return null;
  const n = Number(m[1]);
  let best = null;
  for (const e of all) {
    const r = /^E(\d+)(?: to E(\d+))?$/.exec(e.key);
    if (!r) continue;
    const first = Number(r[1]);
    const last = r[2] === undefined ? first : Number(r[2]);
    if (n >= first && n <= last && (!best || last - first < best.span)) best = { e, span: last - first };
  }
  return best && best.e;
}

// A query with signs in it (°N, ->, ;) is looked for as it is written, in
// any case: entries whose key or title hold it, then those whose text does.
function searchLiterally(all, query) {
  const sought = query.trim().toLowerCase();
  const holds = (text) => text.toLowerCase().includes(sought);
  const named = all.filter((e) => holds(e.key) || holds(e.title));
  return named.concat(all.filter((e) => !named.includes(e) && holds(e.text)));
}

// The entries for a query, best first; every entry for an empty one.
export function searchHelp(all, query) {
  if (/[^\p{L}\p{N}\s]/u.test(query.trim())) return searchLiterally(all, query);
  const asked = words(query);
  if (asked.length === 0) return all.slice();
  const exactKey = (e) => e.key.toLowerCase().split(', ').includes(query.trim().toLowerCase());
  const named = [];
  const mentioned = [];
  for (const e of all) {
    // The words compared, as the command line's help has them: those of
    // the keys and the title, then those of the group and the text.
    e.keyWords ??= words(`${e.key} ${e.title}`);
    e.textWords ??= words(`${e.group ?? ''} ${e.text}`);
    if (allAnswered(asked, e.keyWords)) named.push(e);
    else if (allAnswered(asked, e.keyWords.concat(e.textWords))) mentioned.push(e);
  }
  const inGroup = all.filter(
    (e) => allAnswered(asked, words(e.group ?? '')) && !named.includes(e) && !mentioned.includes(e),
  );
  const grouped = all.filter((e) => allAnswered(asked, words(e.group ?? '')) && mentioned.includes(e));
  const found = named.concat(inGroup, grouped, mentioned.filter((e) => !grouped.includes(e)));
  // The entry named exactly comes first: "WRITE" before entries that mention
  // it, "OLON" the entry "OLAT, OLON", "E6" the entry that covers E6.
  const first = all.find(exactKey) || messageFor(all, query);
  return first ? [first].concat(found.filter((e) => e !== first)) : found;
}

async function fetchJson(file) {
  try {
    return await (await fetch(file)).json();
  } catch {
    return [];
  }
}

async function load() {
  if (!entries) {
    const [page, handbook] = await Promise.all([fetchJson('help-page.json'), fetchJson('help.json')]);
    entries = [...page, ...handbook];
  }
  return entries;
}

const $ = (id) => document.getElementById(id);

function render() {
  const list = $('help-entries');
  list.replaceChildren();
  const found = searchHelp(entries, $('help-search').value);
  for (const entry of found.slice(0, 60)) {
    const item = document.createElement('li');
    const title = document.createElement('h3');
    title.textContent = `${entry.key}: ${entry.title}`;
    const text = document.createElement('p');
    text.textContent = entry.text;
    item.append(title, text);
    list.append(item);
  }
  if (found.length === 0) {
    const item = document.createElement('li');
    item.textContent = entries.length ? 'Nothing found.' : 'The help could not be loaded.';
    list.append(item);
  }
}

export async function openHelp(query = '') {
  await load();
  $('help-search').value = query;
  render();
  $('help-dialog').showModal();
  $('help-search').focus();
}

// Imported without a page (by the search's test), there is nothing to wire.
if (typeof document !== 'undefined') $('help-search').addEventListener('input', render);

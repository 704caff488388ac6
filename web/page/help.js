// Searchable help: the handbook's reference, messages and language basics
// (help.json) and the page's own use (help-page.json), as
// [{key, title, text}], filtered as the user types. The search ignores case
// and accents: "vigenere" finds Vigenère.
const $ = (id) => document.getElementById(id);
let entries = null;

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
    entries = [...page, ...handbook].map((e) => ({ ...e, folded: fold(`${e.key}\n${e.title}\n${e.text}`) }));
  }
  return entries;
}

// Lower case without accents: é -> e, ß -> ss, ° stays.
export const fold = (text) => text.normalize('NFKD').replace(/\p{M}/gu, '').toLowerCase().replace(/ß/g, 'ss');

function render() {
  const words = fold($('help-search').value).split(/\s+/).filter(Boolean);
  const list = $('help-entries');
  list.replaceChildren();
  const found = entries.filter((e) => words.every((w) => e.folded.includes(w)));
  // The best hits first: a keyword itself ("WRITE", "OLON" for "OLAT,
  // OLON"), then a title that is the query, then titles with every word.
  const query = words.join(' ');
  const rank = (e) => {
    if (fold(e.key).split(', ').includes(query)) return 3;
    const title = fold(e.title);
    if (title === query) return 2;
    return words.every((w) => title.includes(w)) ? 1 : 0;
  };
  const ranks = new Map(found.map((e) => [e, rank(e)]));
  found.sort((a, b) => ranks.get(b) - ranks.get(a));
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

$('help-search').addEventListener('input', render);

// Searchable help: the handbook's reference as [{key, title, text}] in
// help.json, filtered as the user types.
const $ = (id) => document.getElementById(id);
let entries = null;

async function load() {
  if (entries) return entries;
  try {
    const response = await fetch('help.json');
    entries = await response.json();
  } catch {
    entries = [];
  }
  return entries;
}

// Every word of the query must occur in the key, the title or the text.
function matches(entry, words) {
  const hay = `${entry.key}\n${entry.title}\n${entry.text}`.toLowerCase();
  return words.every((w) => hay.includes(w));
}

function render() {
  const words = $('help-search').value.toLowerCase().split(/\s+/).filter(Boolean);
  const list = $('help-entries');
  list.replaceChildren();
  const found = entries.filter((e) => matches(e, words));
  // Exact keyword hits first: "WRITE" finds WRITE before entries that mention
  // it, "OLON" the entry "OLAT, OLON".
  const exact = words.length === 1 ? words[0] : null;
  const hit = (e) => e.key.toLowerCase().split(', ').includes(exact);
  found.sort((a, b) => hit(b) - hit(a));
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

export async function openHelp() {
  await load();
  render();
  $('help-dialog').showModal();
  $('help-search').focus();
}

$('help-search').addEventListener('input', render);

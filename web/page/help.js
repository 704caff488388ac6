// Searchable help: the handbook (help.json, which the help generator makes
// for `orbelin help` too) and the page's own use (help-page.json), found as
// `orbelin help WORDS` finds them. The search is the command line's, step
// for step (src/help/help.cpp says it in full):
//
// - the query's words are folded (lower case, accents dropped), a phrase of
//   the synonym list becomes one concept found as itself or any of its
//   meanings, stop words are dropped (and in a question the verbs that only
//   mean "do"), and every other word of two letters or more is a concept;
// - an entry holds a concept when it holds one of its forms, scored 10 a key
//   named exactly (a number names its message), 8 the start of a key, 6 a title of three words or fewer,
//   5 a longer one, 3 the group, and in the text 3, 2 or 1 for a word it
//   uses six times, three times or less; a form of several words is held
//   where they stand together; a concept counts as its best form;
// - the entries that hold the most concepts come first, best score first,
//   then in their order; when nothing is found, each word is replaced by the
//   nearest word the help knows and the search is made again;
// - signs (°N, ->) and one letter that is no ASCII letter (ä) are looked for
//   as they are written.
let help = null; // {stopWords, questionWords, questionVerbs, synonyms, entries}

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
  if (asked.length < 3) return textWord === asked;
  if (textWord.startsWith(asked)) return true;
  return textWord.length >= 4 && asked.startsWith(textWord) && asked.length <= textWord.length + 3;
}

// The synonym list's phrases: every typed phrase and meaning of more than
// one word.
function phrasesOf(data) {
  if (!data.phrases) {
    const all = new Set();
    for (const [typed, meant] of data.synonyms) {
      for (const p of [typed, ...meant]) if (p.includes(' ')) all.add(p);
    }
    data.phrases = [...all].map((p) => p.split(' '));
  }
  return data.phrases;
}

// Whether the words of `phrase` stand together in `list`, each answering
// its word; how often.
function together(list, phrase) {
  let n = 0;
  for (let i = 0; i + phrase.length <= list.length; i++) {
    if (phrase.every((p, k) => answers(list[i + k], p))) n++;
  }
  return n;
}

// An entry's words, folded once: those of its key, title and group, its
// text's words with their counts, and how often it holds each phrase.
function wordsOf(data, e) {
  if (!e.words) {
    const all = words(e.text);
    const count = new Map();
    for (const w of all) count.set(w, (count.get(w) ?? 0) + 1);
    e.words = {
      keys: words(e.key),
      title: words(e.title),
      group: words(e.group ?? ''),
      text: [...count.keys()],
      frequent: [...count].filter(([, n]) => n >= 3),
      phrases: new Map(phrasesOf(data).map((p) => [p.join(' '), together(all, p)])),
    };
  }
  return e.words;
}

// A form of several words, found where they stand together.
function phraseScore(data, e, phrase) {
  const w = wordsOf(data, e);
  if (together(w.keys, phrase)) return 8;
  if (together(w.title, phrase)) return w.title.length <= 3 ? 6 : 5;
  if (together(w.group, phrase)) return 3;
  const n = w.phrases.get(phrase.join(' ')) ?? 0;
  return n >= 6 ? 3 : n >= 3 ? 2 : n >= 1 ? 1 : 0;
}

function wordScore(data, e, asked) {
  const w = wordsOf(data, e);
  const any = (list) => list.some((t) => answers(t, asked));
  // A number asked for is also the message of that number: "error 111".
  if (w.keys.includes(asked) || (/^\d+$/.test(asked) && w.keys.includes(`e${asked}`))) return 10;
  if (any(w.keys)) return 8;
  if (any(w.title)) return w.title.length <= 3 ? 6 : 5;
  if (any(w.group)) return 3;
  let count = 0;
  for (const [t, n] of w.frequent) if (answers(t, asked)) count = Math.max(count, n);
  if (count >= 6) return 3;
  if (count >= 3) return 2;
  return any(w.text) ? 1 : 0;
}

function conceptScore(data, e, concept) {
  let best = 0;
  for (const form of concept.alternatives) {
    best = Math.max(best, form.length === 1 ? wordScore(data, e, form[0]) : phraseScore(data, e, form));
  }
  return best;
}

function concepts(data, asked) {
  const question = asked.length > 0 && data.questionWords.includes(asked[0]);
  const found = [];
  for (let i = 0; i < asked.length;) {
    // The longest phrase of the synonym list that starts here.
    let synonym = null;
    for (const s of data.synonyms) {
      const typed = s[0].split(' ');
      if ((synonym && typed.length <= synonym[0].split(' ').length) || i + typed.length > asked.length) continue;
      if (typed.every((t, k) => asked[i + k] === t)) synonym = s;
    }
    if (synonym) {
      const typed = synonym[0].split(' ');
      found.push({ asked: synonym[0], alternatives: [typed, ...synonym[1].map((m) => m.split(' '))] });
      i += typed.length;
      continue;
    }
    const w = asked[i++];
    if (w.length < 2 || data.stopWords.includes(w) || (question && data.questionVerbs.includes(w))) continue;
    found.push({ asked: w, alternatives: [[w]] });
  }
  // A question of stop words alone: its words are what is asked.
  if (found.length === 0) {
    for (const w of asked) if (w.length >= 2) found.push({ asked: w, alternatives: [[w]] });
  }
  return found;
}

function searchWords(data, asked) {
  const sought = concepts(data, asked);
  const answered = sought.map(() => false);
  let hits = [];
  let most = 0;
  for (const e of data.entries) {
    let held = 0;
    let score = 0;
    sought.forEach((c, k) => {
      const s = conceptScore(data, e, c);
      if (s === 0) return;
      held += 1;
      score += s;
      answered[k] = true;
    });
    if (held === 0) continue;
    most = Math.max(most, held);
    hits.push({ e, held, score });
  }
  hits = hits.filter((h) => h.held === most);
  // Array.prototype.sort is stable: equal scores keep their order.
  hits.sort((a, b) => b.score - a.score);
  return { entries: hits.map((h) => h.e), unanswered: sought.filter((c, k) => !answered[k]).map((c) => c.asked), instead: '' };
}

function editDistance(a, b) {
  let row = Array.from({ length: b.length + 1 }, (_, j) => j);
  for (let i = 1; i <= a.length; i++) {
    const next = [i];
    for (let j = 1; j <= b.length; j++) {
      next[j] = Math.min(row[j] + 1, next[j - 1] + 1, row[j - 1] + (a[i - 1] === b[j - 1] ? 0 : 1));
    }
    row = next;
  }
  return row[b.length];
}

// The nearest word the help or the synonym list knows; '' when none is
// near enough.
function nearestKnownWord(data, word) {
  if (word.length < 4) return '';
  const allowed = word.length >= 7 ? 2 : 1;
  if (!data.vocabulary) {
    const all = [];
    for (const s of data.synonyms) all.push(...s[0].split(' '));
    for (const e of data.entries) {
      const w = wordsOf(data, e);
      all.push(...w.keys, ...w.title, ...w.group, ...w.text);
    }
    data.vocabulary = all;
  }
  let best = '';
  let bestDistance = allowed + 1;
  for (const w of data.vocabulary) {
    if (Math.abs(w.length - word.length) > allowed) continue;
    const d = editDistance(word, w);
    if (d < bestDistance) {
      bestDistance = d;
      best = w;
    }
  }
  return best;
}

// Signs are looked for as they are written, in any case: entries whose key
// or title hold them, then those whose text does.
function searchLiterally(data, query) {
  const sought = query.trim().toLowerCase();
  const holds = (text) => text.toLowerCase().includes(sought);
  const named = data.entries.filter((e) => holds(e.key) || holds(e.title));
  const mentioned = data.entries.filter((e) => !named.includes(e) && e.kind !== 'topic' && holds(e.text));
  return { entries: named.concat(mentioned), unanswered: [], instead: '' };
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

// The entries for a query, best first ({entries, unanswered, instead});
// every entry for an empty one. An entry named exactly comes first: "WRITE"
// before the entries that mention it, "OLON" the entry "OLAT, OLON", "E6"
// the entry that covers E6, "cookbook: Morse" that section.
export function searchHelp(data, query) {
  const q = query.trim();
  if (q === '') return { entries: data.entries.slice(), unanswered: [], instead: '' };
  let found;
  if (/[^\p{L}\p{N}\s]/u.test(q) || (q.length === 1 && q > '\x7f')) {
    found = searchLiterally(data, q);
  } else {
    const asked = words(q);
    found = searchWords(data, asked);
    if (found.entries.length === 0) {
      const nearer = asked.map((w) => nearestKnownWord(data, w) || w);
      if (nearer.some((w, k) => w !== asked[k])) {
        const instead = searchWords(data, nearer);
        if (instead.entries.length > 0) found = { ...instead, instead: nearer.join(' ') };
      }
    }
  }
  const lower = q.toLowerCase();
  const exact = data.entries.find((e) => e.kind !== 'section' && e.key.toLowerCase().split(', ').includes(lower))
    || messageFor(data.entries, q)
    || data.entries.find((e) => e.kind === 'section' && `${e.key}: ${e.title}`.toLowerCase() === lower)
    || data.entries.find((e) => e.kind === 'section' && e.title.toLowerCase() === lower);
  if (exact) found.entries = [exact].concat(found.entries.filter((e) => e !== exact));
  return found;
}

async function fetchJson(file, empty) {
  try {
    return await (await fetch(file)).json();
  } catch {
    return empty;
  }
}

// The handbook's data with the page's own entries in front.
export function helpData(handbook, page) {
  return { stopWords: [], questionWords: [], questionVerbs: [], synonyms: [], ...handbook, entries: [...page, ...(handbook.entries ?? [])] };
}

async function load() {
  if (!help) {
    const [page, handbook] = await Promise.all([fetchJson('help-page.json', []), fetchJson('help.json', {})]);
    help = helpData(handbook, page);
  }
  return help;
}

const $ = (id) => document.getElementById(id);

// `code` in a line as <code>, the rest as text.
function inline(parent, text) {
  const parts = text.split('`');
  parts.forEach((part, k) => {
    if (k % 2 === 1 && k < parts.length - 1) {
      const code = document.createElement('code');
      code.textContent = part;
      parent.append(code);
    } else {
      parent.append(k % 2 === 1 ? `\`${part}` : part);
    }
  });
}

// An entry's text as the help generator writes it: paragraphs, "- " items,
// examples indented by four (and their output after "Output:"), `code`.
export function renderText(text) {
  const nodes = [];
  const lines = text.replace(/\n+$/, '').split('\n');
  let list = null;
  for (let i = 0; i < lines.length; i++) {
    const line = lines[i];
    if (line === '') {
      list = null;
      continue;
    }
    if (line.startsWith('    ')) {
      const code = [];
      while (i < lines.length && (lines[i].startsWith('    ') || (lines[i] === '' && lines[i + 1]?.startsWith('    ')))) {
        code.push(lines[i].slice(4));
        i++;
      }
      i--;
      const pre = document.createElement('pre');
      pre.textContent = code.join('\n');
      nodes.push(pre);
      list = null;
      continue;
    }
    if (line.startsWith('- ')) {
      if (!list) {
        list = document.createElement('ul');
        nodes.push(list);
      }
      const item = document.createElement('li');
      inline(item, line.slice(2));
      list.append(item);
      continue;
    }
    list = null;
    const p = document.createElement('p');
    inline(p, line);
    nodes.push(p);
  }
  return nodes;
}

function render() {
  const list = $('help-entries');
  list.replaceChildren();
  const query = $('help-search').value;
  const found = searchHelp(help, query);
  if (found.instead) {
    const note = document.createElement('li');
    note.className = 'help-note';
    note.textContent = `Nothing speaks of “${query.trim()}”; showing “${found.instead}”.`;
    list.append(note);
  }
  for (const entry of found.entries.slice(0, 60)) {
    const item = document.createElement('li');
    const title = document.createElement('h3');
    title.textContent = `${entry.key}: ${entry.title}`;
    const body = document.createElement('div');
    body.append(...renderText(entry.text));
    item.append(title, body);
    list.append(item);
  }
  if (found.entries.length === 0) {
    const item = document.createElement('li');
    item.textContent = help.entries.length ? 'Nothing found.' : 'The help could not be loaded.';
    list.append(item);
  }
  list.scrollTop = 0;
}

export async function openHelp(query = '') {
  await load();
  $('help-search').value = query;
  render();
  $('help-dialog').showModal();
  $('help-search').focus();
}

// Imported without a page (by the search's test), there is nothing to wire.
if (typeof document !== 'undefined') {
  $('help-search').addEventListener('input', render);
  // Enter, the phone keyboard's search key, would submit the dialog's form
  // and close the help: it shows the answers instead, and the keyboard
  // (arrows, Page Down) then scrolls them.
  $('help-search').addEventListener('keydown', (e) => {
    if (e.key !== 'Enter') return;
    e.preventDefault();
    render();
    $('help-entries').focus();
  });
}

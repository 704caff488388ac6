// The web page's help search on the same help.json: the everyday questions
// of help_queries.txt find their entry first, as `orbelin help` finds it
// (or the page's own entry, where the table names one).
//   node help_search_page_test.mjs HELP.JSON PAGE-HELP.JSON PAGE-HELP.JS QUERIES
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [json, pageJson, script, queries] = process.argv.slice(2);
const { searchHelp, helpData } = await import(pathToFileURL(script).href);
const data = helpData(JSON.parse(readFileSync(json, 'utf8')), JSON.parse(readFileSync(pageJson, 'utf8')));

// An entry named as the table names it.
const name = (e) => (e.kind === 'section' ? `${e.key}: ${e.title}` : e.key === 'Page' ? `Page: ${e.title}` : e.key);

let count = 0;
for (const line of readFileSync(queries, 'utf8').split('\n')) {
  if (line === '' || line.startsWith('#')) continue;
  const [asked, cli, page] = line.split(' | ');
  const found = searchHelp(data, asked).entries;
  assert.equal(found.length > 0 ? name(found[0]) : '(nothing)', page ?? cli, asked);
  count += 1;
}
assert.ok(count >= 40, `only ${count} questions`);

// Signs are looked for as they are written; a letter alone is no question,
// an accented one is looked for as it stands.
assert.equal(searchHelp(data, '->').entries[0].key, 'WRITE');
assert.ok(searchHelp(data, '°n').entries.every((e) => e.text.includes('°N') || e.title.includes('°N')));
assert.deepEqual(searchHelp(data, 'a').entries, []);
const umlaut = searchHelp(data, 'ä').entries;
assert.ok(umlaut.length > 0 && umlaut.length < searchHelp(data, 'the').entries.length / 4);
// A word a letter away from the handbook's is searched as that word.
assert.equal(searchHelp(data, 'bearnig').instead, 'bearing');
assert.deepEqual(searchHelp(data, 'xyzzy zzxq').entries, []);
assert.equal(searchHelp(data, '').entries.length, data.entries.length);
console.log(`${count} questions and 7 searches as expected`);

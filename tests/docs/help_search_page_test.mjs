// The web page's help search on the same help.json: it finds what
// `orbelin help WORD` finds, by meaning, whatever the accents and case.
//   node help_search_page_test.mjs HELP.JSON PAGE-HELP.JS
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [json, script] = process.argv.slice(2);
const entries = JSON.parse(readFileSync(json, 'utf8'));
const { searchHelp } = await import(pathToFileURL(script).href);

const cases = [
  // The entries whose keys or title answer, then the rest.
  ['distance', ['CP', 'DISTVINCENTY', 'DISTUTM']],
  ['projection', ['CBP']],
  ['caesar', ['ROT13']],
  ['utm', ['WUTM', 'GPS2UTM', 'UTM2GPS']],
  ['VIGENÈRE', ['VIGI', 'VIGE', 'VIGD']],
  ['vigenere', ['VIGI', 'VIGE', 'VIGD']],
  ['enigma', ['ENIGMAINIT', 'ENIGMARUN', 'ENIGMAWHEELS', 'ENIGMAINFO']],
  // A title, then a group's heading: the entries under it. (The page's
  // help also holds the language chapter's sections: "Coordinate literals".)
  ['coordinates', ['KQSUM', 'KQSUMGC', 'Language', 'WLAT', 'WLON', 'WGPS', 'WGK', 'WUTM', 'WGC', 'WDMS', 'CHAR', 'GMMMM']],
  // The exact key and the message number first.
  ['olon', ['OLAT, OLON']],
  ['E6', ['E4 to E96']],
];
for (const [query, first] of cases) {
  const keys = searchHelp(entries, query).map((e) => e.key);
  assert.deepEqual(keys.slice(0, first.length), first, query);
}
// Signs are looked for as they are written.
assert.equal(searchHelp(entries, '->')[0].key, 'WRITE');
assert.ok(searchHelp(entries, '°n').every((e) => e.text.includes('°N')));
// Section names: the messages' groups.
assert.ok(searchHelp(entries, 'errors').some((e) => e.key === 'E111'));
assert.deepEqual(searchHelp(entries, 'no such word anywhere'), []);
assert.equal(searchHelp(entries, '').length, entries.length);
console.log(`${cases.length + 5} searches as expected`);

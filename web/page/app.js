// The calculator page: the window's commands on the engine built to
// WebAssembly. Everything the language does happens in the engine: Calc in
// a worker (engine_client.js), the conversions, names and the point's forms
// in the page's own copy of it. This file moves text between the boxes, the
// storage (keeper.js, store.js) and the engine.
import createOrbelinEngine from './orbelin-engine.js';
import * as store from './store.js';
import { Keeper } from './keeper.js';
import { CalcEngine } from './engine_client.js';
import { copyText, share, showHandOff } from './handoff.js';
import { findHere } from './here.js';
import { openAverage } from './average.js';
import { openHelp } from './help.js';
import { isZip, unzip, zip } from './zip.js';
import { openVary } from './vary.js';
import { ResultsView } from './results_view.js';
import { ScriptText } from './script_text.js';

const $ = (id) => document.getElementById(id);
const script = $('script');
// The script's whole text and its selection: the box may hold only a part.
const editor = new ScriptText(script, { part: $('script-part'), said: $('part-said'), earlier: $('part-earlier'), later: $('part-later') });
const results = $('results');
const status = $('status');
const shown = new ResultsView(results, $('results-long'));
const finePointer = matchMedia('(pointer: fine)');

let Module = null; // the engine in the page: conversions, names, the point's forms
const engine = new CalcEngine(); // the session, in a worker
let engineReady = false;
// The session's point and the script that set it, kept across reloads.
let point = store.loadPoint() ?? { set: false, lat: 0, lon: 0, script: '' };
let examples = []; // the bundled examples' names
const exampleTexts = new Map();

function say(text, isError = false) {
  status.textContent = text;
  status.classList.toggle('error', isError);
}

// ---- Questions

// Asks as the window asks: the question, a button for `yes`, one for `no`
// when it has a text, and Cancel, which is the answer of Escape too and the
// default. Resolves 'yes', 'no' or 'cancel'.
function ask(text, yes, no = '') {
  const dialog = $('ask-dialog');
  $('ask-text').textContent = text;
  $('ask-yes').textContent = yes;
  $('ask-no').textContent = no;
  $('ask-no').hidden = !no;
  dialog.returnValue = '';
  dialog.showModal();
  return new Promise((resolve) => {
    dialog.addEventListener('close', () => {
      const answer = dialog.returnValue;
      resolve(answer === 'yes' || answer === 'no' ? answer : 'cancel');
    }, { once: true });
  });
}

const keeper = new Keeper(editor, {
  ask,
  say,
  note(text) {
    $('note').textContent = text;
    $('note').hidden = !text;
    // An earlier "Saved" would now read as a claim about the box.
    if (text && /^(Saved|Imported)/.test(status.textContent)) say('');
  },
  named(k) {
    $('script-name').textContent = k.name;
    $('script-kind').hidden = !k.example;
    document.title = `${k.name}${k.example ? ' (example)' : ''} – Orbelin`;
  },
});

// ---- The error line

// Where the box draws a line and a column: for the caret's scrolling and
// the band behind the error's line.
function boxMetrics() {
  const cs = getComputedStyle(script);
  const lineHeight = parseFloat(cs.lineHeight) || 16;
  const probe = document.createElement('span');
  probe.style.font = cs.font;
  probe.style.whiteSpace = 'pre';
  probe.style.position = 'absolute';
  probe.style.visibility = 'hidden';
  probe.textContent = '0'.repeat(20);
  document.body.append(probe);
  const charWidth = probe.getBoundingClientRect().width / 20;
  probe.remove();
  return { lineHeight, charWidth, top: parseFloat(cs.paddingTop) + parseFloat(cs.borderTopWidth) };
}

let marked = -1; // the line of the band, or -1

function drawBand() {
  const band = $('error-line');
  if (marked < 0) {
    band.hidden = true;
    return;
  }
  const { lineHeight, top } = boxMetrics();
  const y = top + marked * lineHeight - script.scrollTop;
  band.hidden = y + lineHeight <= 0 || y >= script.offsetHeight;
  band.style.top = `${y}px`;
  band.style.height = `${lineHeight}px`;
}

function unmark() {
  marked = -1;
  drawBand();
}

// Puts the caret at a UTF-16 offset of the script box, as the window does
// after errors, marks its line and scrolls it into view, far to the right
// too. On a touch screen the box is not focused, so the keyboard does not
// come up over the listing.
function placeCaret(offset, focus = finePointer.matches) {
  if (focus) script.focus({ preventScroll: true });
  editor.setSelectionRange(offset, offset);
  const before = script.value.slice(0, offset - editor.offset);
  const start = before.lastIndexOf('\n') + 1;
  let line = 0;
  for (let i = before.indexOf('\n'); i >= 0; i = before.indexOf('\n', i + 1)) line++;
  let column = 0;
  for (const c of before.slice(start)) column = c === '\t' ? (Math.floor(column / 8) + 1) * 8 : column + 1;
  marked = line;
  // The browser scrolls the caret just into view at an edge, in its next
  // frame; then the line is put a third of the way down instead, where it
  // is read with its context.
  const [top, left] = [script.scrollTop, script.scrollLeft];
  requestAnimationFrame(() => {
    const { lineHeight, charWidth } = boxMetrics();
    const y = line * lineHeight;
    script.scrollTop = y < top || y + 2 * lineHeight > top + script.clientHeight
      ? Math.max(0, y - script.clientHeight / 3) : top;
    const x = column * charWidth;
    script.scrollLeft = x < left || x + 3 * charWidth > left + script.clientWidth
      ? Math.max(0, x - script.clientWidth / 3) : left;
    drawBand();
  });
}

script.addEventListener('scroll', drawBand);
// Another part of a long script: the band's line is not in it.
$('script-part').addEventListener('click', (e) => {
  if (e.target.closest('button')) unmark();
});
addEventListener('resize', drawBand);

// ---- Calc

// The engine's worker sends the first diagnostics (more would only slow the
// page: the listing has them all) and how many there are.
function showDiagnostics(diagnostics, count = diagnostics.length) {
  const section = $('diagnostics');
  const list = section.querySelector('ol');
  list.replaceChildren();
  for (const d of diagnostics) {
    const item = document.createElement('li');
    item.className = d.kind;
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = d.text;
    button.dataset.caret = d.caret;
    item.append(button);
    if (d.hint) {
      const hint = document.createElement('span');
      hint.className = 'hint';
      hint.textContent = d.hint;
      item.append(hint);
    }
    list.append(item);
  }
  if (count > diagnostics.length) {
    const item = document.createElement('li');
    item.textContent = `… and ${count - diagnostics.length} more: the listing marks every one.`;
    list.append(item);
  }
  section.hidden = count === 0;
}

$('diagnostics').addEventListener('click', (e) => {
  const button = e.target.closest('button[data-caret]');
  if (button) placeCaret(Number(button.dataset.caret));
});

function statusOf(report) {
  if (report.errorCount > 0) return { text: `Compilation errors: ${report.errorCount}`, isError: true };
  const n = report.diagnosticCount ?? report.diagnostics.length;
  return { text: n === 0 ? '' : `${n} warning${n === 1 ? '' : 's'}: see below`, isError: false };
}

// Shows a run: the results, or after errors the listing from the line above
// its first marked error.
function showRun(run) {
  let top = 0;
  const marked = run.errorCount > 0 ? run.shown.indexOf('\n*****') : -1;
  if (marked >= 0) {
    let line = 0;
    for (let i = run.shown.indexOf('\n'); i >= 0 && i < marked; i = run.shown.indexOf('\n', i + 1)) line++;
    top = Math.max(0, line - 1);
  }
  const { text, isError } = statusOf(run);
  say(text, isError);
  showDiagnostics(run.diagnostics, run.diagnosticCount);
  return shown.show(run.shown, top);
}

let progressTimer = 0;
let calcStarted = 0;

function showProgress(on) {
  clearInterval(progressTimer);
  $('progress').hidden = !on;
  if (!on) return;
  calcStarted = performance.now();
  const tick = () => say(`Calculating… ${Math.round((performance.now() - calcStarted) / 1000)} s`);
  tick();
  progressTimer = setInterval(tick, 1000);
}

let shownCalcs = 0; // which Calc's results the box shows

const enginePoint = () => (point.set ? { set: true, lat: point.lat, lon: point.lon } : null);

async function calc() {
  if (!engineReady || engine.busy) return;
  const text = editor.value;
  const name = keeper.name;
  $('calc').disabled = true;
  unmark();
  // Short runs show no progress at all; longer ones show it and Cancel.
  const shownLater = setTimeout(() => showProgress(true), 150);
  const answer = await engine.calc(text);
  clearTimeout(shownLater);
  showProgress(false);
  // After Cancel the new engine enables Calc when it is ready.
  $('calc').disabled = !engineReady;
  if (answer.type === 'cancelled') return;
  if (answer.type === 'trap') {
    // A script nested too deeply stops the engine: start a new one.
    say(`The engine stopped (${answer.message}) and was started afresh: values, MARGIN and keys are reset; the point is kept.`, true);
    await restartEngine();
    return;
  }
  const { report } = answer;
  if (report.pointChanged) {
    const { set, lat, lon } = report.point;
    point = { set, lat, lon, script: name };
    try {
      store.savePoint(point);
    } catch {
      // The session still has it; only a reload would forget it.
    }
  }
  const run = {
    name,
    shown: report.shown,
    errorCount: report.errorCount,
    diagnostics: report.diagnostics,
    diagnosticCount: report.diagnosticCount,
    caret: report.caret,
  };
  const calcs = ++shownCalcs;
  const showing = showRun(run);
  store.saveLastRun(run);
  // The caret goes to the last error only in the text that ran, and once
  // the listing is on the page: while the box has the focus, the browser
  // takes long over every change of the page when the box holds megabytes.
  if (report.errorCount === 0) return;
  await showing;
  if (calcs === shownCalcs && editor.value === text) placeCaret(report.caret);
}

async function restartEngine() {
  engineReady = false;
  $('calc').disabled = true;
  try {
    await engine.restart(enginePoint());
    engineReady = true;
    $('calc').disabled = false;
  } catch (e) {
    say(`The engine could not be started: ${e.message ?? e}`, true);
  }
}

$('cancel').addEventListener('click', async () => {
  if (!engine.busy) return;
  showProgress(false);
  await restartEngine();
  if (engineReady) say('Calc cancelled. The engine was started afresh: values, MARGIN, cipher keys and the Enigma machine are reset; the point is kept.');
});

// ---- Results: wrap, copy, share

$('wrap').addEventListener('click', () => {
  const on = !shown.wrap;
  shown.wrap = on;
  $('wrap').setAttribute('aria-pressed', String(on));
});

$('copy-results').addEventListener('click', async () => {
  if (!shown.text) {
    say('No results to copy: Calc first.');
    return;
  }
  say((await copyText(shown.text)) ? 'Copied the results' : 'The browser did not copy: select the results and copy them', false);
});

$('share-results').hidden = !navigator.share;
$('share-results').addEventListener('click', async () => {
  if (!shown.text) {
    say('No results to share: Calc first.');
    return;
  }
  const done = await share({ title: `${keeper.name} – Orbelin`, text: shown.text });
  if (done === 'unsupported') say((await copyText(shown.text)) ? 'Copied the results' : 'Select the results and copy them');
});

// ---- Key row

// Keeps the focus, and so the phone's keyboard, in the script box.
$('keys').addEventListener('pointerdown', (e) => {
  if (e.target.closest('button')) e.preventDefault();
});

function insert(text, start = editor.selectionStart, end = editor.selectionEnd) {
  script.focus();
  editor.setRangeText(text, start, end, 'end');
  script.dispatchEvent(new Event('input', { bubbles: true }));
}

// A paste goes in as the window takes it: a web page's no-break spaces and
// prime signs become the blanks and ' " a script reads.
script.addEventListener('paste', (e) => {
  const text = e.clipboardData?.getData('text/plain');
  if (!Module || !text) return;
  const meant = Module.pastedText(text);
  if (meant === text) return;
  e.preventDefault();
  insert(meant);
});

$('keys').addEventListener('click', (e) => {
  const key = e.target.closest('button[data-insert]');
  if (key) insert(key.dataset.insert);
});

$('keyword').addEventListener('change', (e) => {
  const word = e.target.value;
  e.target.value = '';
  if (word) insert(word);
});

// A position at the caret as the core writes it for that place: a pair in
// a call, a statement on a line of its own.
function insertPosition({ lat, lon, accuracy, fixes = 1 }, start, end) {
  const text = editor.value;
  const lineStart = text.lastIndexOf('\n', start - 1) + 1;
  const lineEnd = text.indexOf('\n', end) < 0 ? text.length : text.indexOf('\n', end);
  insert(Module.positionInsertion(lat, lon, accuracy, fixes, text.slice(lineStart, start), text.slice(end, lineEnd)), start, end);
}

$('here').addEventListener('click', async () => {
  if (!Module) return;
  // Where the caret was when the key was pressed: the fix may take a while.
  const [start, end] = [editor.selectionStart, editor.selectionEnd];
  say('Finding your position…');
  try {
    const here = await findHere();
    insertPosition(here, start, end);
    say(`Inserted your position (±${Math.ceil(here.accuracy)} m)`);
  } catch (e) {
    say(e.message, true);
  }
});

$('average').addEventListener('click', () => {
  if (!Module) return;
  const [start, end] = [editor.selectionStart, editor.selectionEnd];
  openAverage(Module, (mean) => {
    insertPosition(mean, start, end);
    say(`Inserted the mean of ${mean.fixes} fixes (±${Math.ceil(mean.accuracy)} m)`);
  });
});

$('paste-hint').addEventListener('click', () => openHelp('paste coordinates'));

// The key row shows that it scrolls: a fade and an arrow at the side where
// more keys are.
function showKeyOverflow() {
  const keys = $('keys');
  const frame = $('key-frame');
  frame.classList.toggle('more-before', keys.scrollLeft > 1);
  frame.classList.toggle('more-after', keys.scrollLeft + keys.clientWidth < keys.scrollWidth - 1);
}
$('keys').addEventListener('scroll', showKeyOverflow, { passive: true });
new ResizeObserver(showKeyOverflow).observe($('keys'));

// ---- Load, Save, Done

async function exampleText(name) {
  if (!exampleTexts.has(name)) {
    const response = await fetch(`examples/${encodeURIComponent(name)}`);
    if (!response.ok) throw new Error(`the example ${name} could not be loaded`);
    exampleTexts.set(name, Module.importScript(new Uint8Array(await response.arrayBuffer())));
  }
  return exampleTexts.get(name);
}

let deleted = null; // { name, text, wasCurrent }: what Undo brings back

function loadSaid(text, isError = false, undo = false) {
  const said = $('load-said');
  said.replaceChildren(text);
  said.classList.toggle('error', isError);
  if (undo) {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = 'Undo';
    button.addEventListener('click', undoDelete);
    said.append(' ', button);
  }
  say(text, isError);
}

function row(label, action, onOpen, onAction, current) {
  const item = document.createElement('li');
  if (current) item.className = 'current';
  const openButton = document.createElement('button');
  openButton.type = 'button';
  openButton.className = 'open';
  openButton.textContent = label;
  openButton.addEventListener('click', onOpen);
  const other = document.createElement('button');
  other.type = 'button';
  other.textContent = action;
  other.setAttribute('aria-label', `${action} ${label}`);
  other.addEventListener('click', onAction);
  item.append(openButton, other);
  return item;
}

function fillLists() {
  const mine = store.names().map((name) => row(name, 'Delete', () => openStored(name), () => deleteScript(name),
    !keeper.example && name === keeper.name));
  if (mine.length === 0) {
    const item = document.createElement('li');
    item.className = 'empty';
    item.textContent = 'None yet: a change to an example, New or Import makes one.';
    mine.push(item);
  }
  $('script-list').replaceChildren(...mine);
  const hidden = store.hiddenExamples();
  const shown = examples.filter((name) => !hidden.has(name));
  $('example-list').replaceChildren(...shown.map((name) => row(name, 'Hide', () => openExample(name),
    () => hideExample(name), keeper.example && name === keeper.name)));
  $('restore-examples').disabled = shown.length === examples.length;
}

async function openStored(name) {
  if (!(await keeper.settle())) return;
  keeper.open(name, store.get(name) ?? '');
  unmark();
  say(`Loaded ${name}`);
  $('load-dialog').close();
}

async function openExample(name) {
  if (!(await keeper.settle())) return;
  try {
    keeper.open(name, await exampleText(name), { example: true });
    unmark();
    say(`The example ${name}: a change makes your own copy.`);
  } catch (e) {
    say(`Not loaded: ${e.message}`, true);
  }
  $('load-dialog').close();
}

async function deleteScript(name) {
  const wasCurrent = !keeper.example && name === keeper.name;
  // The box's text, which may be newer than the stored one, is what Undo
  // brings back.
  const text = wasCurrent ? editor.value : store.get(name);
  store.remove(name);
  deleted = { name, text, wasCurrent };
  if (wasCurrent) keeper.open(store.unused('script.inp'), '');
  loadSaid(`Deleted ${name}.`, false, true);
  fillLists();
}

async function undoDelete() {
  if (!deleted) return;
  const { name, text, wasCurrent } = deleted;
  const target = store.unused(name);
  try {
    store.put(target, text);
  } catch (e) {
    loadSaid(`Not restored: ${e.message}. ${name} is kept for Undo.`, true, true);
    return;
  }
  deleted = null;
  // Stored again in any case; the box takes it when what it holds is safe.
  if (wasCurrent && (await keeper.settle())) keeper.open(target, text);
  loadSaid(target === name ? `Restored ${name}.` : `Restored ${name} as ${target}.`);
  fillLists();
}

function hideExample(name) {
  const hidden = store.hiddenExamples();
  hidden.add(name);
  try {
    store.setHiddenExamples(hidden);
    loadSaid(`Hid the example ${name}: Restore examples shows it again.`);
  } catch (e) {
    loadSaid(`Not hidden: ${e.message}.`, true);
  }
  fillLists();
}

$('restore-examples').addEventListener('click', () => {
  try {
    store.setHiddenExamples(new Set());
    loadSaid(`The ${examples.length} examples are back, as they were bundled.`);
  } catch (e) {
    loadSaid(`Not restored: ${e.message}.`, true);
  }
  fillLists();
});

$('load').addEventListener('click', async () => {
  await keeper.flush();
  $('load-said').replaceChildren();
  fillLists();
  $('load-dialog').showModal();
});

$('new-script').addEventListener('click', async () => {
  if (!(await keeper.settle())) return;
  keeper.open(store.unused('script.inp'), '');
  unmark();
  $('load-dialog').close();
  say(`New script ${keeper.name}`);
});

function download(blob, name) {
  const url = URL.createObjectURL(blob);
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

$('export').addEventListener('click', async () => {
  if (!Module) return;
  const text = editor.value;
  const question = Module.lostCharactersQuestion(text);
  if (question && (await ask(question, 'Save Anyway')) !== 'yes') return;
  download(new Blob([Module.exportScript(text)], { type: 'application/octet-stream' }), keeper.name);
});

$('export-all').addEventListener('click', async () => {
  if (!Module) return;
  await keeper.flush();
  const names = store.names();
  if (names.length === 0) {
    loadSaid('No scripts of your own to export yet.');
    return;
  }
  download(zip(names.map((name) => ({ name, bytes: Module.backupScript(store.get(name) ?? '') }))), 'orbelin-scripts.zip');
  loadSaid(`Exported ${names.length} script${names.length === 1 ? '' : 's'} into orbelin-scripts.zip.`);
});

// Lets the page answer what waits (a tap) before the next piece of work.
const yieldToPage = () => new Promise((resolve) => setTimeout(resolve, 0));

// How a file would be taken in (its text, and whether it is text at all).
// A large file is judged in a worker, as its decoding would hold the page.
const JUDGED_HERE = 256 * 1024; // bytes
function judge(bytes, fileName) {
  if (bytes.length <= JUDGED_HERE) return Promise.resolve(Module.judgeImport(bytes, fileName));
  return new Promise((resolve, reject) => {
    const worker = new Worker(new URL('./import_worker.js', import.meta.url), { type: 'module' });
    const end = (settle, value) => {
      worker.terminate();
      settle(value);
    };
    worker.addEventListener('message', ({ data }) => (data.verdict ? end(resolve, data.verdict) : end(reject, new Error(data.failed))));
    worker.addEventListener('error', (e) => end(reject, new Error(e.message || 'the file could not be read')));
    // A file of an archive may be a view of all of it: only its bytes go.
    const own = bytes.byteLength === bytes.buffer.byteLength ? bytes : bytes.slice();
    worker.postMessage({ bytes: own, name: fileName });
  });
}

// One file: it opens in the box. It is judged first: a file that is not
// text comes in only when the user insists; text after a NUL is said.
async function importOne(fileName, bytes) {
  let verdict;
  try {
    verdict = await judge(bytes, fileName);
  } catch (e) {
    say(`Not imported: ${fileName}: ${e.message}`, true);
    return;
  }
  if (verdict.binary && (await ask(`${verdict.note} Import it anyway?`, 'Import Anyway')) !== 'yes') {
    say(`Not imported: ${fileName}`);
    return;
  }
  if (!(await keeper.settle())) return;
  const name = store.unused(Module.scriptName(fileName.split(/[/\\]/).pop()) || 'script.inp');
  keeper.open(name, verdict.text, { stored: false });
  unmark();
  // The box first, then the storage (a write of megabytes takes a while).
  await yieldToPage();
  const stored = await keeper.flush();
  const note = verdict.binary ? '' : verdict.note;
  if (stored && !store.blocked) say(`Imported ${fileName} as ${name}. ${note}`.trim(), note !== '');
  else say(`${fileName} is in the box as ${name}, but not stored: see the note. ${note}`.trim(), true);
}

// Several files, or archives: each is stored under a free name, unless the
// same text is stored under its name already; what is not a script is left
// out and named.
async function importMany(files) {
  const imported = [];
  const already = [];
  const refused = [];
  const failed = [];
  const notes = [];
  for (const { name: path, bytes } of files) {
    const fileName = path.split(/[/\\]/).pop();
    let verdict;
    try {
      verdict = await judge(bytes, fileName);
    } catch (e) {
      failed.push(`${fileName} (${e.message})`);
      continue;
    }
    if (verdict.binary) {
      refused.push(fileName);
      continue;
    }
    if (verdict.note) notes.push(verdict.note);
    const wanted = Module.scriptName(fileName) || 'script.inp';
    if (store.get(wanted) === verdict.text) {
      already.push(wanted);
      continue;
    }
    const target = store.unused(wanted);
    try {
      store.put(target, verdict.text);
      imported.push(target);
    } catch (e) {
      failed.push(`${fileName} (${e.message})`);
    }
    await yieldToPage();
  }
  const parts = [`Imported ${imported.length} script${imported.length === 1 ? '' : 's'}${imported.length ? `: ${imported.join(', ')}` : ''}.`];
  if (already.length) parts.push(`Already there: ${already.join(', ')}.`);
  parts.push(...notes);
  if (refused.length) parts.push(`Not scripts, left out: ${refused.join(', ')}.`);
  if (failed.length) parts.push(`Not stored: ${failed.join(', ')}.`);
  if (store.blocked && imported.length) parts.push('They are kept in this page only: the browser keeps no storage.');
  loadSaid(parts.join(' '), refused.length + failed.length > 0 || store.blocked);
  fillLists();
}

$('import').addEventListener('change', async (e) => {
  const picked = [...e.target.files];
  e.target.value = '';
  if (picked.length === 0 || !Module) return;
  const files = [];
  for (const file of picked) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (isZip(bytes)) {
      try {
        files.push(...(await unzip(bytes)));
      } catch (error) {
        loadSaid(`Not imported: ${file.name}: ${error.message}.`, true);
        return;
      }
    } else {
      files.push({ name: file.name, bytes, single: true });
    }
  }
  if (files.length === 1 && files[0].single) {
    $('load-dialog').close();
    await importOne(files[0].name, files[0].bytes);
  } else {
    await importMany(files);
  }
});

$('save').addEventListener('click', () => {
  $('save-name').value = keeper.name ?? '';
  $('save-dialog').showModal();
  $('save-name').select();
});

$('save-dialog').addEventListener('close', async () => {
  if ($('save-dialog').returnValue !== 'save' || !Module) return;
  const name = Module.scriptName($('save-name').value);
  if (!name) {
    say('A script needs a name to be saved.', true);
    return;
  }
  // Another stored script of that name is replaced only when the user agrees.
  const question = Module.replaceQuestion(name, keeper.example ? '' : keeper.name, store.has(name));
  if (question && (await ask(question, 'Replace')) !== 'yes') {
    say(`Not saved: ${name} is kept as it was.`);
    return;
  }
  // What was typed under the old name stays with it.
  await keeper.flush();
  if (!keeper.saveAs(name)) say(`Not saved as ${name}: see the note.`, true);
  else if (store.blocked) say(`Named ${name}, but kept in this page only: the browser keeps no storage.`, true);
  else say(`Saved as ${name}`);
});

$('done').addEventListener('click', async () => {
  script.blur();
  const name = keeper.name;
  if (keeper.example) {
    say(`${name} is an example: it stays as it is, and a change makes your own copy.`);
  } else if (!(await keeper.flush({ ask: true }))) {
    say(`Not saved: ${name}. See the note.`, true);
  } else if (store.blocked) {
    say(`${name} is kept in this page only: the browser keeps no storage.`, true);
  } else {
    say(`Saved ${name}`);
  }
});

// ---- Hand-off and help

$('handoff').addEventListener('click', () => {
  if (!Module) return;
  showHandOff(Module, point, Module.scriptStem(point.script || keeper.name || '') || 'orbelin');
});

$('help').addEventListener('click', () => openHelp());

// A kept point of Try values goes to the hand-off dialog, named by its values.
$('try-values').addEventListener('click', () => {
  if (!Module) return;
  const name = keeper.name || '';
  openVary(Module, editor.value, name, (p) => {
    const base = Module.scriptStem(name) || 'orbelin';
    showHandOff(Module, { set: true, lat: p.lat, lon: p.lon, script: `${name || 'the script'} with ${p.values}` },
      `${base} ${p.values}`);
  });
});

// ---- The box, kept

script.addEventListener('input', () => {
  editor.checkSize();
  unmark();
  keeper.edited();
});
// A phone may kill a hidden page without a word: what is typed is stored now.
addEventListener('pagehide', () => keeper.flush());
document.addEventListener('visibilitychange', () => {
  if (document.visibilityState === 'hidden') keeper.flush();
});
document.addEventListener('freeze', () => keeper.flush());

$('calc').addEventListener('click', calc);
script.addEventListener('keydown', (e) => {
  if (e.key === 'Enter' && (e.ctrlKey || e.metaKey)) {
    e.preventDefault();
    calc();
  }
});

// ---- Updates

// A new version of the page waits until the user reloads with the button,
// which lets it take over: no silent change two reloads later.
function watchForUpdates(registration) {
  const offer = () => {
    if (registration.waiting && navigator.serviceWorker.controller) $('update').hidden = false;
  };
  offer();
  // The browser looks for a new version on every visit; it may be on its
  // way already.
  registration.installing?.addEventListener('statechange', offer);
  registration.addEventListener('updatefound', () => {
    registration.installing?.addEventListener('statechange', offer);
  });
}

$('reload').addEventListener('click', async () => {
  if (!(await keeper.settle())) return;
  const registration = await navigator.serviceWorker.getRegistration();
  if (!registration?.waiting) {
    location.reload();
    return;
  }
  navigator.serviceWorker.addEventListener('controllerchange', () => location.reload(), { once: true });
  registration.waiting.postMessage('take-over');
});

// ---- Start

// Copies of the examples that an earlier version of the page stored, still
// as bundled, go: the examples themselves are always there.
const MIGRATED = 'orbelin.examples-are-templates';
async function dropStoredExamples() {
  if (localStorage.getItem(MIGRATED) === '1') return;
  for (const name of examples) {
    if (store.has(name) && store.get(name) === (await exampleText(name))) {
      store.remove(name);
      if (!keeper.example && keeper.name === name && !keeper.dirty) keeper.open(name, editor.value, { example: true });
    }
  }
  localStorage.setItem(MIGRATED, '1');
}

async function start() {
  // The worker decides when the first result can come: it starts first.
  const engineStarted = engine.start(enginePoint());
  const moduleLoaded = createOrbelinEngine();
  const examplesListed = fetch('examples/index.json').then((r) => r.json()).catch(() => []);
  keeper.setProblem(null);
  const last = store.loadLastRun();
  const remembered = store.current();
  if (remembered && !remembered.example) {
    keeper.open(remembered.name, store.get(remembered.name) ?? '');
    if (last?.name === remembered.name) showRun(last);
  } else {
    // The examples come from the page's files, through the engine.
    script.readOnly = true;
  }
  try {
    Module = await moduleLoaded;
    await engineStarted;
    engineReady = true;
  } catch (e) {
    say(`The engine could not be started: ${e.message ?? e}`, true);
    return;
  } finally {
    // After the engine, so caching the page does not slow its first start.
    if ('serviceWorker' in navigator) {
      navigator.serviceWorker.register('sw.js').then(watchForUpdates, () => {});
    }
    // Ask the browser not to evict the stored scripts when space runs low.
    navigator.storage?.persist?.().catch(() => {});
  }
  const options = $('keyword');
  for (const word of Module.keywords()) options.add(new Option(word, word));
  examples = await examplesListed;
  if (!remembered || remembered.example) {
    const first = remembered?.name ?? (examples.includes('puzzle.inp') ? 'puzzle.inp' : examples[0]);
    try {
      keeper.open(first, await exampleText(first), { example: true });
      if (last?.name === first) showRun(last);
    } catch {
      keeper.open(store.unused('script.inp'), '');
    }
    script.readOnly = false;
  }
  if (!store.blocked && store.names().length > 0) await dropStoredExamples().catch(() => {});
  $('calc').disabled = false;
}

start();

// The calculator page: the window's commands on the engine built to
// WebAssembly. Everything the language does happens in the engine; this
// file moves text between the boxes, the storage and the engine.
import createOrbelinEngine from './orbelin-engine.js';
import * as store from './store.js';
import { copyPoint, showHandOff } from './handoff.js';
import { openHelp } from './help.js';

const $ = (id) => document.getElementById(id);
const script = $('script');
const results = $('results');
const status = $('status');

let current = null; // the current script's name
let Module = null;  // the engine's module
let engine = null;  // one session for the page's life

function say(text, isError = false) {
  status.textContent = text;
  status.classList.toggle('error', isError);
}

function showName(name) {
  current = name;
  $('script-name').textContent = name;
  document.title = `${name} – Orbelin`;
  store.setCurrent(name);
}

// Stores the box under the current name: on every keystroke, and when the
// page is hidden or left.
function autosave() {
  if (current === null) return;
  try {
    store.put(current, script.value);
  } catch {
    say('The browser’s storage is full: the script is not saved. Export it or delete old scripts.', true);
  }
}

function open(name, text) {
  showName(name);
  script.value = text;
  autosave();
  results.value = '';
  showDiagnostics([]);
}

// ---- Calc

// Puts the caret at a UTF-16 offset of the script box, as the window does
// after errors. On a touch screen the box is not focused, so the keyboard
// does not cover the listing; the line is scrolled into view instead.
function placeCaret(offset) {
  if (matchMedia('(pointer: fine)').matches) script.focus();
  script.setSelectionRange(offset, offset);
  const line = script.value.slice(0, offset).split('\n').length - 1;
  const lineHeight = parseFloat(getComputedStyle(script).lineHeight) || 16;
  const top = line * lineHeight;
  if (top < script.scrollTop || top > script.scrollTop + script.clientHeight - 2 * lineHeight) {
    script.scrollTop = Math.max(0, top - script.clientHeight / 3);
  }
}

function showDiagnostics(diagnostics) {
  const section = $('diagnostics');
  const list = section.querySelector('ol');
  list.replaceChildren();
  for (const d of diagnostics) {
    const item = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = d.text;
    button.title = 'Put the caret at this error';
    button.addEventListener('click', () => {
      script.focus();
      placeCaret(d.caret);
    });
    item.append(button);
    if (d.hint) {
      const hint = document.createElement('span');
      hint.className = 'hint';
      hint.textContent = d.hint;
      item.append(hint);
    }
    list.append(item);
  }
  section.hidden = diagnostics.length === 0;
}

async function calc() {
  if (!engine) return;
  autosave();
  let report;
  try {
    report = engine.calc(script.value);
  } catch (e) {
    // A trap (a script nested too deeply) leaves the engine unusable: start
    // a new one, which forgets the values, keys and point.
    say(`The engine stopped (${e.message ?? e}) and was started afresh: values, keys and the point are reset.`, true);
    await startEngine();
    return;
  }
  if (report.errorCount > 0) {
    results.value = report.listing;
    // Show the listing from the line above its first marked error.
    const marked = report.listing.split('\n').findIndex((l) => l.startsWith('*****'));
    const lineHeight = parseFloat(getComputedStyle(results).lineHeight) || 16;
    results.scrollTop = Math.max(0, (marked - 2) * lineHeight);
    say(`Compilation errors: ${report.errorCount}`, true);
    showDiagnostics(report.diagnostics);
    placeCaret(report.caret);
  } else {
    results.value = report.results;
    say('');
    showDiagnostics([]);
  }
}

// ---- Key row

// Keeps the focus, and so the phone's keyboard, in the script box.
$('keys').addEventListener('pointerdown', (e) => {
  if (e.target.closest('button')) e.preventDefault();
});

function insert(text) {
  script.focus();
  script.setRangeText(text, script.selectionStart, script.selectionEnd, 'end');
  script.dispatchEvent(new Event('input', { bubbles: true }));
}

$('keys').addEventListener('click', (e) => {
  const key = e.target.closest('button[data-insert]');
  if (key) insert(key.dataset.insert);
});

$('keyword').addEventListener('change', (e) => {
  const word = e.target.value;
  e.target.value = '';
  if (word) insert(word);
});

// ---- Questions

// Asks as the window asks: the question's text, a button for `yes` and
// Cancel, which is the answer of Escape too and the default. Resolves true
// for `yes`.
function ask(text, yes) {
  const dialog = $('ask-dialog');
  $('ask-text').textContent = text;
  $('ask-yes').textContent = yes;
  dialog.returnValue = '';
  dialog.showModal();
  return new Promise((resolve) => {
    dialog.addEventListener('close', () => resolve(dialog.returnValue === 'yes'), { once: true });
  });
}

// ---- Load, Save, Done

function fillScriptList() {
  const list = $('script-list');
  list.replaceChildren();
  for (const name of store.names()) {
    const item = document.createElement('li');
    if (name === current) item.className = 'current';
    const openButton = document.createElement('button');
    openButton.type = 'button';
    openButton.className = 'open';
    openButton.textContent = name;
    openButton.addEventListener('click', () => {
      open(name, store.get(name) ?? '');
      say(`Loaded ${name}`);
      $('load-dialog').close();
    });
    const remove = document.createElement('button');
    remove.type = 'button';
    remove.textContent = 'Delete';
    remove.setAttribute('aria-label', `Delete ${name}`);
    remove.addEventListener('click', () => {
      store.remove(name);
      if (name === current) open(store.unused('script.inp'), '');
      say(`Deleted ${name}`);
      fillScriptList();
    });
    item.append(openButton, remove);
    list.append(item);
  }
}

$('load').addEventListener('click', () => {
  autosave();
  fillScriptList();
  $('load-dialog').showModal();
});

$('new-script').addEventListener('click', () => {
  open(store.unused('script.inp'), '');
  $('load-dialog').close();
  say(`New script ${current}`);
});

$('import').addEventListener('change', async (e) => {
  const file = e.target.files[0];
  e.target.value = '';
  if (!file || !Module) return;
  const text = Module.importScript(new Uint8Array(await file.arrayBuffer()));
  const name = store.unused(Module.scriptName(file.name) || 'script.inp');
  open(name, text);
  $('load-dialog').close();
  say(`Imported ${file.name} as ${name}`);
});

$('export').addEventListener('click', () => {
  if (!Module) return;
  const bytes = Module.exportScript(script.value);
  const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  const link = document.createElement('a');
  link.href = url;
  link.download = current;
  link.click();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
});

$('save').addEventListener('click', () => {
  $('save-name').value = current ?? '';
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
  const question = Module.replaceQuestion(name, current ?? '', store.has(name));
  if (question && !(await ask(question, 'Replace'))) {
    say(`Not saved: ${name} is kept as it was.`);
    return;
  }
  showName(name);
  autosave();
  results.value = '';
  showDiagnostics([]);
  say(`Saved as ${name}`);
});

$('done').addEventListener('click', () => {
  autosave();
  script.blur();
  say(`Saved ${current}`);
});

// ---- Hand-off and help

$('handoff').addEventListener('click', () => {
  if (!engine) return;
  const base = Module.scriptStem(current ?? '') || 'orbelin';
  showHandOff(engine.point(), () => engine.pointGpx(base), base);
});

$('copy-point').addEventListener('click', async () => {
  say((await copyPoint()) ? 'Copied the coordinates' : 'Select the coordinates and copy them', false);
});

$('help').addEventListener('click', openHelp);

// ---- Start

script.addEventListener('input', autosave);
addEventListener('pagehide', autosave);
document.addEventListener('visibilitychange', () => {
  if (document.visibilityState === 'hidden') autosave();
});
$('calc').addEventListener('click', calc);
script.addEventListener('keydown', (e) => {
  if (e.key === 'Enter' && (e.ctrlKey || e.metaKey)) {
    e.preventDefault();
    calc();
  }
});

async function startEngine() {
  $('calc').disabled = true;
  Module = await createOrbelinEngine();
  engine = new Module.Engine();
  $('calc').disabled = false;
}

// The examples are there from the first visit, as in the window's folder.
async function addExamples() {
  const list = await (await fetch('examples/index.json')).json();
  const files = await Promise.all(list.map(async (name) => (await fetch(`examples/${name}`)).arrayBuffer()));
  list.forEach((name, i) => {
    if (!store.has(name)) store.put(name, Module.importScript(new Uint8Array(files[i])));
  });
  return list;
}

async function start() {
  const remembered = store.current();
  if (remembered !== null) open(remembered, store.get(remembered) ?? '');
  // A first visit waits for the examples before anything is typed.
  else script.readOnly = true;
  try {
    await startEngine();
  } catch (e) {
    say(`The engine could not be started: ${e.message ?? e}`, true);
    return;
  } finally {
    // After the engine, so caching the page does not slow its first start.
    if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
    // Ask the browser not to evict the stored scripts when space runs low.
    navigator.storage?.persist?.().catch(() => {});
  }
  const options = $('keyword');
  for (const word of Module.keywords()) options.add(new Option(word, word));
  if (remembered === null) {
    let first = 'script.inp';
    try {
      const examples = await addExamples();
      if (examples.includes('puzzle.inp')) first = 'puzzle.inp';
    } catch {
      // No examples: start with an empty script.
    }
    open(first, store.get(first) ?? '');
    script.readOnly = false;
  }
}

start();

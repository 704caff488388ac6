// The "Try values" dialog: runs the script once for every combination of
// values of some of its variables (in vary_worker.js) and lists the points
// that pass, as they are found and, at the end, nearest first. The engine
// reads the fields and words every mistake, as `orbelin vary` does; this
// file only moves text.
import { openGo } from './go.js';
import { findHere } from './here.js';

const $ = (id) => document.getElementById(id);

let worker = null;
let gpxUrl = null;
let context = null; // { Module, text, name, onPoint }

// What was typed into the dialog for each script (by its name), so that a
// script opened again finds its fields as they were: in the tab's session
// storage, which a reload keeps; only in memory where the browser keeps none.
const TYPED_KEY = 'orbelin-try-fields';
const typedFor = new Map(Object.entries((() => {
  try {
    return JSON.parse(sessionStorage.getItem(TYPED_KEY) ?? '{}');
  } catch {
    return {};
  }
})()));

// The dialog's fields besides those of the variables: their ids and the
// names the engine's form gives them.
const FIELDS = { final: 'vary-final', digitSum: 'vary-digit-sum', where: 'vary-where', near: 'vary-near', within: 'vary-within', show: 'vary-show' };

const valuesTyped = () => Object.fromEntries([...$('vary-fields').querySelectorAll('input')].map((i) => [i.dataset.name, i.value]));

function fieldsTyped() {
  const typed = { values: valuesTyped() };
  for (const [field, id] of Object.entries(FIELDS)) typed[field] = $(id).value;
  return typed;
}

function keepTyped() {
  if (!context) return;
  typedFor.set(context.name, fieldsTyped());
  try {
    sessionStorage.setItem(TYPED_KEY, JSON.stringify(Object.fromEntries(typedFor)));
  } catch {
    // No storage: the fields are kept while the page is open.
  }
}

function said(text, isError = false) {
  const line = $('vary-said');
  line.textContent = text;
  line.classList.toggle('error', isError);
}

function running(on) {
  $('vary-run').hidden = on;
  $('vary-cancel').hidden = !on;
  $('vary-progress').hidden = !on;
  for (const input of $('vary-form').querySelectorAll('input')) input.disabled = on;
  $('vary-near-here').disabled = on;
  $('vary-near-script').disabled = on;
}

function stop() {
  worker?.terminate();
  worker = null;
  running(false);
}

function timeLeft(done, total, seconds) {
  if (done === 0 || seconds < 0.5) return '';
  const left = Math.round((seconds * (total - done)) / done);
  return left >= 1 ? `, about ${left} s left` : '';
}

const baseName = () => context.Module.scriptStem(context.name) || 'orbelin';

// A kept point: tapped, it goes to the hand-off; Go walks to it.
function pointItem(p) {
  const item = document.createElement('li');
  const row = document.createElement('div');
  row.className = 'kept';
  const button = document.createElement('button');
  button.type = 'button';
  button.className = 'point';
  const parts = [p.values, p.position || 'no point', p.distance, p.shown, p.firstLine].filter((s) => s);
  button.textContent = parts.join(' · ');
  button.disabled = !p.hasPoint;
  button.addEventListener('click', () => context.onPoint(p));
  row.append(button);
  if (p.hasPoint) {
    const go = document.createElement('button');
    go.type = 'button';
    go.textContent = 'Go';
    go.setAttribute('aria-label', `Go to ${p.values}`);
    go.addEventListener('click', () => {
      const view = context.Module.pointView(true, p.lat, p.lon);
      if (view.onEarth) openGo(context.Module, { name: `${baseName()} ${p.values}`, lat: p.lat, lon: p.lon, text: view.text, geo: view.geo, osm: view.osm });
    });
    row.append(go);
  }
  item.append(row);
  return item;
}

// Points found while the search runs, in the order found.
function showFound(points) {
  const list = $('vary-points');
  const items = document.createDocumentFragment();
  for (const p of points) items.append(pointItem(p));
  list.append(items);
}

// The list shows the points a page at a time: a phone's user reads the
// first few, and ten thousand rows would take seconds to lay out. GPX of
// all has every one.
const PAGE = 200;
let unlisted = [];

function showMore() {
  const items = document.createDocumentFragment();
  for (const p of unlisted.splice(0, PAGE)) items.append(pointItem(p));
  $('vary-points').append(items);
  const more = $('vary-more');
  more.hidden = unlisted.length === 0;
  more.textContent = `Show ${Math.min(PAGE, unlisted.length).toLocaleString('en')} more of ${unlisted.length.toLocaleString('en')}`;
}

function clearPoints() {
  unlisted = [];
  $('vary-points').replaceChildren();
  $('vary-more').hidden = true;
}

function showListing(listing) {
  clearPoints();
  unlisted = [...listing.points];
  showMore();
  said(listing.summary.trim());
  if (gpxUrl) URL.revokeObjectURL(gpxUrl);
  gpxUrl = null;
  const link = $('vary-gpx');
  link.hidden = !listing.points.some((p) => p.hasPoint);
  if (!link.hidden) {
    gpxUrl = URL.createObjectURL(new Blob([listing.gpx], { type: 'application/gpx+xml' }));
    link.href = gpxUrl;
    link.download = `${baseName()}-values.gpx`;
  }
}

function start() {
  keepTyped();
  const form = {
    text: context.text,
    name: context.Module.scriptStem(context.name),
    values: Object.entries(valuesTyped()),
  };
  for (const [field, id] of Object.entries(FIELDS)) form[field] = $(id).value;
  stop();
  clearPoints();
  $('vary-gpx').hidden = true;
  said('Starting…');
  running(true);
  worker = new Worker(new URL('./vary_worker.js', import.meta.url), { type: 'module' });
  const progress = $('vary-progress');
  worker.addEventListener('message', ({ data }) => {
    if (data.type === 'progress') {
      progress.max = data.total;
      progress.value = data.done;
      said(`${data.done.toLocaleString('en')} of ${data.total.toLocaleString('en')} combinations${timeLeft(data.done, data.total, data.seconds)}`);
    } else if (data.type === 'found') {
      showFound(data.points);
    } else if (data.type === 'errors') {
      stop();
      said(data.errors.join('\n'), true);
    } else if (data.type === 'done') {
      stop();
      showListing(data.listing);
    } else if (data.type === 'failed') {
      stop();
      said(`The search stopped: ${data.message}`, true);
    }
  });
  worker.addEventListener('error', (e) => {
    stop();
    said(`The search could not start: ${e.message || 'the engine did not load'}`, true);
  });
  worker.postMessage({ type: 'start', form });
}

// A field for each variable to try: the names of the script's VAR line,
// then those of the final as written that the script does not declare.
// Digits are suggested only for the letters left open (by the script, or
// used by the pattern alone, where an empty field tries 0..9), not for
// the names the script computes. What was typed stays.
function showFields(typed) {
  const { Module, text, declared, unknowns } = context;
  const pattern = $('vary-final').value;
  const names = Module.formNames(text, pattern);
  // After the VAR line's names come the final's own letters.
  const open = new Set([...unknowns, ...names.slice(declared.length)]);
  const fields = $('vary-fields');
  fields.replaceChildren();
  for (const variable of names) {
    const label = document.createElement('label');
    label.textContent = variable;
    const input = document.createElement('input');
    input.dataset.name = variable;
    input.value = typed[variable] ?? '';
    if (open.has(variable)) input.placeholder = '0..9';
    input.autocomplete = 'off';
    input.spellcheck = false;
    input.setAttribute('autocapitalize', 'off');
    label.append(input);
    fields.append(label);
  }
  $('vary-run').disabled = names.length === 0 && pattern.trim() === '';
  return names.length;
}

// Opens the dialog for the box's text. `onPoint(point)` shows a kept point
// ({lat, lon, values, position}) in the hand-off dialog.
export function openVary(Module, text, name, onPoint) {
  keepTyped();
  context = { Module, text, name, onPoint, declared: Module.declaredNames(text), unknowns: Module.unsetNames(text) };
  const typed = typedFor.get(name) ?? {};
  for (const [field, id] of Object.entries(FIELDS)) $(id).value = typed[field] ?? '';
  const fields = showFields(typed.values ?? {});
  said(fields === 0 && $('vary-final').value.trim() === ''
    ? 'The script declares no variables: write them in its VAR line (VAR A, B;), or the final as the cache page writes it above.'
    : 'Type the values to try for the unknown letters: 0..9, a list 1,3,5, or a step 0..90/5.');
  clearPoints();
  $('vary-gpx').hidden = true;
  $('vary-dialog').showModal();
}

// The letters of the final as written become fields as they are typed.
$('vary-final').addEventListener('input', () => {
  if (context) showFields(valuesTyped());
});

$('vary-run').addEventListener('click', start);
$('vary-more').addEventListener('click', showMore);
$('vary-cancel').addEventListener('click', () => {
  said('Stopping…');
  worker?.postMessage({ type: 'cancel' });
});
$('vary-dialog').addEventListener('close', () => {
  stop();
  keepTyped();
});
// Enter in a field runs the search; only Close closes.
$('vary-form').addEventListener('submit', (e) => {
  if (e.submitter?.value === 'close') return;
  e.preventDefault();
  if (!$('vary-run').hidden && !$('vary-run').disabled) start();
});

// Near: the phone's position or the script's own point, with one tap.
$('vary-near-here').addEventListener('click', async () => {
  said('Finding your position…');
  try {
    const here = await findHere();
    const view = context.Module.pointView(true, here.lat, here.lon);
    $('vary-near').value = view.text;
    said(`Near your position (±${Math.ceil(here.accuracy)} m).`);
  } catch (e) {
    said(e.message, true);
  }
});
$('vary-near-script').addEventListener('click', () => {
  const view = context.Module.scriptPoint(context.text);
  if (view.onEarth) {
    $('vary-near').value = view.text;
    said('Near the point the script sets as it stands.');
  } else {
    said(view.set ? view.refusal : 'The script sets no point as it stands (OLAT and OLON): type one into Near.', true);
  }
});

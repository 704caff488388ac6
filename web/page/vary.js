// The "Try values" dialog: runs the script once for every combination of
// values of some of its variables (in vary_worker.js) and lists the points
// that pass, nearest first. The engine reads the fields and words every
// mistake, as `orbelin vary` does; this file only moves text.
const $ = (id) => document.getElementById(id);

let worker = null;
let gpxUrl = null;
let context = null; // { Module, text, name, onPoint }

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

function showListing(listing) {
  const list = $('vary-points');
  list.replaceChildren();
  for (const p of listing.points) {
    const item = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    const parts = [p.values, p.position || 'no point', p.distance, p.shown, p.firstLine].filter((s) => s);
    button.textContent = parts.join(' · ');
    button.disabled = !p.hasPoint;
    button.addEventListener('click', () => context.onPoint(p));
    item.append(button);
    list.append(item);
  }
  said(listing.summary.trim());
  if (gpxUrl) URL.revokeObjectURL(gpxUrl);
  gpxUrl = null;
  const link = $('vary-gpx');
  link.hidden = !listing.points.some((p) => p.hasPoint);
  if (!link.hidden) {
    gpxUrl = URL.createObjectURL(new Blob([listing.gpx], { type: 'application/gpx+xml' }));
    link.href = gpxUrl;
    link.download = `${context.Module.scriptStem(context.name) || 'orbelin'}-values.gpx`;
  }
}

function start() {
  const form = {
    text: context.text,
    values: [...$('vary-fields').querySelectorAll('input')].map((input) => [input.dataset.name, input.value]),
    where: $('vary-where').value,
    near: $('vary-near').value,
    within: $('vary-within').value,
    show: $('vary-show').value,
  };
  stop();
  $('vary-points').replaceChildren();
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

// Opens the dialog for the box's text. `onPoint(point)` shows a kept point
// ({lat, lon, values, position}) in the hand-off dialog.
export function openVary(Module, text, name, onPoint) {
  context = { Module, text, name, onPoint };
  const names = Module.declaredNames(text);
  const fields = $('vary-fields');
  // The values typed stay while the script declares the same names.
  const typed = new Map([...fields.querySelectorAll('input')].map((i) => [i.dataset.name, i.value]));
  fields.replaceChildren();
  for (const name of names) {
    const label = document.createElement('label');
    label.textContent = name;
    const input = document.createElement('input');
    input.dataset.name = name;
    input.value = typed.get(name) ?? '';
    input.placeholder = '0..9';
    input.autocomplete = 'off';
    input.spellcheck = false;
    input.setAttribute('autocapitalize', 'off');
    label.append(input);
    fields.append(label);
  }
  $('vary-run').disabled = names.length === 0;
  said(names.length === 0
    ? 'The script declares no variables: write them in its VAR line (VAR A, B;) to try values for them.'
    : 'Type the values to try for the unknown letters: 0..9, a list 1,3,5, or a step 0..90/5.');
  $('vary-points').replaceChildren();
  $('vary-gpx').hidden = true;
  $('vary-dialog').showModal();
}

$('vary-run').addEventListener('click', start);
$('vary-cancel').addEventListener('click', () => {
  said('Stopping…');
  worker?.postMessage({ type: 'cancel' });
});
$('vary-dialog').addEventListener('close', stop);
// Enter in a field runs the search; only Close closes.
$('vary-form').addEventListener('submit', (e) => {
  if (e.submitter?.value === 'close') return;
  e.preventDefault();
  if (!$('vary-run').hidden && !$('vary-run').disabled) start();
});

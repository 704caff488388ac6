// Average: the phone's position over a number of fixes, shown as they come
// (how many, their spread in metres), and put into the script with its
// accuracy. The engine takes the mean and measures the spread.
import { watchHere } from './here.js';

const $ = (id) => document.getElementById(id);

let averaging = null; // { Module, fixes, mean, stopWatch, onInsert }

const wanted = () => Math.max(2, Math.min(600, Math.round(Number($('average-count').value)) || 10));

function show() {
  const { Module, fixes, mean } = averaging;
  const n = wanted();
  $('average-progress').max = n;
  $('average-progress').value = Math.min(fixes.length, n);
  $('average-insert').disabled = !mean || mean.fixes === 0;
  if (!mean || mean.fixes === 0) return;
  const done = fixes.length >= n;
  $('average-said').textContent = done ? `${mean.text}. Done: Insert puts it into the script.` : `${mean.text}…`;
  $('average-position').textContent = Module.pointView(true, mean.lat, mean.lon).text ?? '';
}

function fixed(fix) {
  const { Module, fixes } = averaging;
  fixes.push(fix);
  averaging.mean = Module.averageFixes(fixes);
  if (fixes.length >= wanted()) stop();
  show();
}

function watch() {
  averaging.stopWatch = watchHere(fixed, (e) => {
    $('average-said').textContent = e.message;
  });
}

function stop() {
  averaging?.stopWatch?.();
  if (averaging) averaging.stopWatch = null;
}

// onInsert(mean): puts the mean ({lat, lon, accuracy, fixes}) into the
// script.
export function openAverage(Module, onInsert) {
  stop();
  averaging = { Module, fixes: [], mean: null, stopWatch: null, onInsert };
  $('average-said').textContent = 'Waiting for the first fix… Stand still where you want the position.';
  $('average-position').textContent = '';
  show();
  $('average-dialog').showModal();
  watch();
}

$('average-count').addEventListener('input', () => {
  if (!averaging) return;
  if (averaging.fixes.length >= wanted()) stop();
  else if (!averaging.stopWatch) watch();
  show();
});

$('average-insert').addEventListener('click', () => {
  const { mean, onInsert } = averaging;
  $('average-dialog').close();
  onInsert(mean);
});

$('average-dialog').addEventListener('close', () => {
  stop();
});

// A hidden page takes no fixes; it goes on when it is seen again.
document.addEventListener('visibilitychange', () => {
  if (!averaging || !$('average-dialog').open) return;
  if (document.visibilityState === 'hidden') stop();
  else if (!averaging.stopWatch && averaging.fixes.length < wanted()) watch();
});

// Enter in the count field keeps the dialog open; only Cancel closes it.
$('average-form').addEventListener('submit', (e) => {
  if (e.submitter?.value !== 'close') e.preventDefault();
});

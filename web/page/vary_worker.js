// The "Try values" search in a worker of its own: the engine runs the
// combinations in slices of a tenth of a second, and between them the
// worker passes on the points found in the slice, reports progress and
// hears Cancel, which ends the search with what was found so far.
import createOrbelinEngine from './orbelin-engine.js';

const loading = createOrbelinEngine();
let cancelled = false;

async function search(form) {
  const Module = await loading;
  const search = new Module.VarySearch(form);
  const errors = search.errors();
  if (errors.length > 0) {
    search.delete();
    postMessage({ type: 'errors', errors });
    return;
  }
  const total = search.combinations();
  const started = performance.now();
  let done = 0;
  while (done < total && !cancelled) {
    done = search.step(0.1);
    const points = search.found();
    if (points.length > 0) postMessage({ type: 'found', points });
    postMessage({ type: 'progress', done, total, seconds: (performance.now() - started) / 1000 });
    // Lets a waiting Cancel in.
    await new Promise((resolve) => setTimeout(resolve, 0));
  }
  const listing = JSON.parse(search.listing(form.name));
  search.delete();
  postMessage({ type: 'done', listing });
}

onmessage = ({ data }) => {
  if (data.type === 'cancel') {
    cancelled = true;
  } else if (data.type === 'start') {
    search(data.form).catch((e) => postMessage({ type: 'failed', message: String(e?.message ?? e) }));
  }
};

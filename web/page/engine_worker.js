// The engine's session in a module worker: Calc runs here, so a long script
// never holds up the page. One session for the worker's life; the page
// ends the worker to cancel a Calc and starts a new one.
import createOrbelinEngine from './orbelin-engine.js';

const SHOWN_DIAGNOSTICS = 200;

let engine = null;
const waiting = [];

function handle({ type, id, text, point }) {
  if (type === 'restore') {
    engine.restorePoint(point.set, point.lat, point.lon);
  } else if (type === 'calc') {
    let report;
    try {
      report = engine.calc(text);
    } catch (e) {
      // A trap (a script nested too deeply) leaves the engine unusable.
      postMessage({ type: 'trap', id, message: String(e?.message ?? e) });
      return;
    }
    // The page shows one text and the first diagnostics (the listing marks
    // every one); the files' bytes stay here. Less to copy to the page.
    delete report.resultsBytes;
    delete report.listingBytes;
    delete report.results;
    delete report.listing;
    report.diagnosticCount = report.diagnostics.length;
    report.diagnostics.length = Math.min(report.diagnostics.length, SHOWN_DIAGNOSTICS);
    postMessage({ type: 'report', id, report });
  }
}

// Messages that come while the engine loads wait for it.
onmessage = ({ data }) => (engine ? handle(data) : waiting.push(data));

createOrbelinEngine().then(
  (Module) => {
    engine = new Module.Engine();
    postMessage({ type: 'ready' });
    for (const data of waiting.splice(0)) handle(data);
  },
  (e) => postMessage({ type: 'failed', message: String(e?.message ?? e) }),
);

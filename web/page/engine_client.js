// The page's side of the engine's worker: Calc as a promise, Cancel by
// ending the worker. A new worker gets the point back, so only the values,
// MARGIN, the cipher keys and the Enigma machine start afresh.
export class CalcEngine {
  constructor() {
    this.worker = null;
    this.ready = null;
    this.running = null; // { id, resolve }
    this.ids = 0;
  }

  // Starts a worker; resolves when its engine is loaded. `point` is the
  // point to go on with, or null.
  start(point) {
    const worker = new Worker(new URL('./engine_worker.js', import.meta.url), { type: 'module' });
    this.worker = worker;
    this.ready = new Promise((resolve, reject) => {
      worker.addEventListener('message', ({ data }) => {
        if (data.type === 'ready') resolve();
        else if (data.type === 'failed') reject(new Error(data.message));
        else this.answer(data);
      });
      worker.addEventListener('error', (e) => {
        reject(new Error(e.message || 'the engine could not be loaded'));
        this.answer({ type: 'trap', id: this.running?.id, message: e.message || 'the engine stopped' });
      });
    });
    if (point) worker.postMessage({ type: 'restore', point });
    return this.ready;
  }

  answer(data) {
    if (!this.running || data.id !== this.running.id) return;
    const { resolve } = this.running;
    this.running = null;
    resolve(data);
  }

  get busy() {
    return this.running !== null;
  }

  // Resolves with { type: 'report', report }, { type: 'trap', message }
  // or { type: 'cancelled' }.
  calc(text) {
    const id = ++this.ids;
    return new Promise((resolve) => {
      this.running = { id, resolve };
      this.worker.postMessage({ type: 'calc', id, text });
    });
  }

  // Ends the worker (and a Calc in it) and starts a fresh one with `point`.
  restart(point) {
    this.worker.terminate();
    const running = this.running;
    this.running = null;
    running?.resolve({ type: 'cancelled' });
    return this.start(point);
  }
}

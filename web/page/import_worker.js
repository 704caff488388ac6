// Judges an imported file away from the page: decoding a file of megabytes
// takes longer than a tap may wait. One file per worker; the page ends it.
import createOrbelinEngine from './orbelin-engine.js';

const loaded = createOrbelinEngine();

onmessage = async ({ data: { bytes, name } }) => {
  try {
    const Module = await loaded;
    const { binary, note, text } = Module.judgeImport(bytes, name);
    postMessage({ verdict: { binary, note, text } });
  } catch (e) {
    postMessage({ failed: String(e?.message ?? e) });
  }
};

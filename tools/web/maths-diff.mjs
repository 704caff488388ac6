// Counts where the page's engine and the native program disagree on
// generated scripts (tests/web/generated_scripts.mjs): each script through
// build/orbelin run and through the WebAssembly engine, results and
// listings compared line by line. tests/web/maths.test.mjs holds 3000 of
// them to no difference; this runs as many as you like and prints them.
//   node tools/web/maths-diff.mjs [COUNT] [SEED]
import path from 'node:path';
import { compareScripts } from '../../tests/web/differential.mjs';
import { loadEngine, top } from '../../tests/web/engine.mjs';
import { generateScripts } from '../../tests/web/generated_scripts.mjs';

const count = Number(process.argv[2] ?? 3000);
const seed = Number(process.argv[3] ?? 20240611);
const native = process.env.ORBELIN_NATIVE ?? path.join(top, 'build/orbelin');
const differences = compareScripts(generateScripts(count, seed), native, await loadEngine());
console.log(`${count} scripts (seed ${seed}): ${differences.length} differing results or listings`);
for (const d of differences.slice(0, 20)) console.log(`  ${d}`);

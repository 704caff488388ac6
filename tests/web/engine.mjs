// Loads the page's engine (orbelin-engine.js and .wasm from the built page)
// into Node, the same files the browser gets.
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

export const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const pageDir = path.resolve(process.env.ORBELIN_WEB_PAGE ?? path.join(top, 'build-web/page'));

export async function loadEngine() {
  const { default: create } = await import(pathToFileURL(path.join(pageDir, 'orbelin-engine.js')));
  const wasmBinary = await readFile(path.join(pageDir, 'orbelin-engine.wasm'));
  return create({ wasmBinary });
}

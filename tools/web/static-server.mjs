// A static file server for the built page, on 127.0.0.1 only: what a phone
// would get from any web server. Used by tools/web/serve and by the tests.
//   node tools/web/static-server.mjs DIR [PORT]
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json; charset=utf-8',
  '.webmanifest': 'application/manifest+json; charset=utf-8',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.inp': 'application/octet-stream',
};

// Resolves with { server, url } once listening; port 0 picks a free one.
export function serve(root, port = 0) {
  const base = path.resolve(root);
  const server = createServer(async (request, response) => {
    try {
      const url = new URL(request.url, 'http://127.0.0.1');
      let file = path.resolve(base, '.' + decodeURIComponent(url.pathname));
      if (file !== base && !file.startsWith(base + path.sep)) throw new Error('outside');
      if ((await stat(file)).isDirectory()) file = path.join(file, 'index.html');
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': types[path.extname(file)] ?? 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('Not found\n');
    }
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      resolve({ server, url: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [root, port] = process.argv.slice(2);
  if (!root) {
    console.error('usage: node static-server.mjs DIR [PORT]');
    process.exit(2);
  }
  const { url } = await serve(root, Number(port ?? 8080));
  console.log(`Orbelin's page: ${url}  (Ctrl+C ends)`);
}

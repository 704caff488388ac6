// A static file server for the built page, on 127.0.0.1 only: what a phone
// would get from any web server. Used by tools/web/serve and by the tests.
//   node tools/web/static-server.mjs DIR [PORT]
import { createServer } from 'node:http';
import { createHash } from 'node:crypto';
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

// Resolves with { server, url, served } once listening; port 0 picks a free
// one. `served` lists every answer as { path, status }. Files carry an ETag
// and Last-Modified, as any web server sends them, so a browser that asks
// again whether its copy is good gets "304 Not Modified" and no body.
export function serve(root, port = 0) {
  const base = path.resolve(root);
  const served = [];
  const server = createServer(async (request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    try {
      let file = path.resolve(base, '.' + decodeURIComponent(url.pathname));
      if (file !== base && !file.startsWith(base + path.sep)) throw new Error('outside');
      let info = await stat(file);
      if (info.isDirectory()) {
        file = path.join(file, 'index.html');
        info = await stat(file);
      }
      const body = await readFile(file);
      const etag = `"${createHash('sha256').update(body).digest('base64url').slice(0, 22)}"`;
      const headers = {
        'Content-Type': types[path.extname(file)] ?? 'application/octet-stream',
        'Cache-Control': 'no-cache',
        ETag: etag,
        'Last-Modified': info.mtime.toUTCString(),
      };
      if (request.headers['if-none-match'] === etag) {
        served.push({ path: url.pathname, status: 304 });
        response.writeHead(304, headers);
        response.end();
        return;
      }
      served.push({ path: url.pathname, status: 200 });
      response.writeHead(200, headers);
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      served.push({ path: url.pathname, status: 404 });
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('Not found\n');
    }
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      resolve({ server, url: `http://127.0.0.1:${server.address().port}/`, served });
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

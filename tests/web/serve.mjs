// A static server for the site, on loopback only: `node serve.mjs DIR [PORT]`.
// Port 0 takes any free port; the first line printed says which.
import { createServer } from 'node:http';
import { createReadStream, statSync } from 'node:fs';
import { extname, join, normalize, resolve, sep } from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
};

export function serve(directory, port = 0) {
  const root = resolve(directory);
  const server = createServer((request, response) => {
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    if (path.endsWith('/')) path += 'index.html';
    const file = normalize(join(root, path));
    let size = -1;
    try {
      if (file.startsWith(root + sep)) {
        const stat = statSync(file);
        if (stat.isFile()) size = stat.size;
      }
    } catch {}
    if (size < 0 || (request.method !== 'GET' && request.method !== 'HEAD')) {
      response.writeHead(404, { 'content-type': 'text/plain' }).end('not found\n');
      return;
    }
    response.writeHead(200, {
      'content-type': types[extname(file)] || 'application/octet-stream',
      'content-length': size,
      'cache-control': 'no-cache',
    });
    if (request.method === 'HEAD') response.end();
    else createReadStream(file).pipe(response);
  });
  return new Promise((done) => server.listen(port, '127.0.0.1', () => done(server)));
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const [directory = '.', port = '8023'] = process.argv.slice(2);
  const server = await serve(directory, Number(port));
  console.log(`serving ${resolve(directory)} on http://127.0.0.1:${server.address().port}/ (Ctrl+C stops)`);
}

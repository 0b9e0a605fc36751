// The built site served on a free localhost port, as any static server would.
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");

const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm", ".css": "text/css", ".svg": "image/svg+xml",
  ".webmanifest": "application/manifest+json" };

exports.serve = function serve(site) {
  const server = http.createServer((request, response) => {
    const file = path.join(site, decodeURIComponent(new URL(request.url, "http://x").pathname).replace(/\/$/, "/index.html"));
    if (!file.startsWith(site) || !fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { "Content-Type": types[path.extname(file)] ?? "application/octet-stream" });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
};

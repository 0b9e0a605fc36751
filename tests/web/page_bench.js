// How the page keeps up in Debian's headless chromium: the site's size
// compressed (all but the soundfont and the node runner), the cold load from
// localhost to a page that answers, and for each board the ticks and frames
// a second and the main thread's load while it runs.
//   node tests/web/page_bench.js [SECONDS] [FILE.dps | LESSON-TITLE-START ...]
// A circuit opens with the program of the same name beside it; without
// boards, the busy board (bench/data/busy_board.dps) runs.
const fs = require("node:fs");
const path = require("node:path");
const zlib = require("node:zlib");
const root = path.join(__dirname, "..", "..");
const playwright = require(path.join(root, "node_modules", "playwright-core"));
const { serve } = require("./site_server.js");

const site = path.join(root, "build", "web");
const [seconds = "5", ...boards] = process.argv.slice(2);
if (boards.length === 0) boards.push(path.join(root, "bench", "data", "busy_board.dps"));

function siteFiles(folder) {
  return fs.readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    const file = path.join(folder, entry.name);
    return entry.isDirectory() ? siteFiles(file) : [file];
  });
}

function compressedSize() {
  const files = siteFiles(site).filter((file) => !/(soundfont\.sf2|keltosimu-run\.\w+)$/.test(file));
  const gzip = files.reduce((sum, file) => sum + zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length, 0);
  const brotli = files.reduce((sum, file) => sum + zlib.brotliCompressSync(fs.readFileSync(file)).length, 0);
  const mb = (bytes) => (bytes / 1e6).toFixed(2);
  console.log(`site without the soundfont: ${files.length} files, ${mb(gzip)} MB gzip -9, ${mb(brotli)} MB brotli`);
}

async function open(page, board) {
  if (board.endsWith(".dps")) {
    const files = [board, board.replace(/\.dps$/, ".txt")].filter((file) => fs.existsSync(file));
    const [chooser] = await Promise.all([page.waitForEvent("filechooser"), page.click("#ButtonOpen")]);
    await chooser.setFiles(files);
    await page.waitForFunction((name) => document.title.includes(name), path.basename(board));
    return;
  }
  await page.click("#ButtonExample");
  const lessons = await page.$$eval("#ListLessons option", (options) => options.map((o) => o.text));
  await page.selectOption("#ListLessons", String(lessons.findIndex((text) => text.startsWith(board))));
  await page.click("dialog button[value^=open]");
}

// The main thread's busy seconds so far, as chromium counts its tasks.
async function mainThreadSeconds(cdp) {
  const { metrics } = await cdp.send("Performance.getMetrics");
  return metrics.find((metric) => metric.name === "TaskDuration").value;
}

async function run(browser, url, board) {
  const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
  await page.goto(url);
  await page.waitForSelector("body[data-ready]");
  await open(page, board);
  await page.click("#ButtonRUN");
  const cdp = await page.context().newCDPSession(page);
  await cdp.send("Performance.enable");
  const task0 = await mainThreadSeconds(cdp);
  const result = await page.evaluate(async (ms) => {
    const view = keltoPage;
    const frame = view.frame;
    let busy = 0;
    let frames = 0;
    view.frame = function (now) {
      const t0 = performance.now();
      frame.call(this, now);
      busy += performance.now() - t0;
      ++frames;
    };
    const ticks0 = view.ticks;
    const t0 = performance.now();
    await new Promise((resolve) => setTimeout(resolve, ms));
    return { ticks: view.ticks - ticks0, frames, busy, wall: (performance.now() - t0) / 1000 };
  }, Number(seconds) * 1000);
  const load = (await mainThreadSeconds(cdp)) - task0;
  const s = result.wall;
  console.log(`${path.basename(board)}: ${(result.ticks / s).toFixed(0)} ticks/s, ${(result.frames / s).toFixed(1)} frames/s, ` +
    `main thread busy ${((load / s) * 100).toFixed(0)}% of the time ` +
    `(${(result.busy / Math.max(result.frames, 1)).toFixed(1)} ms a frame in the page's own work)`);
  await page.close();
}

async function main() {
  compressedSize();
  const server = await serve(site);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const browser = await playwright.chromium.launch({ executablePath: "/usr/bin/chromium", headless: true });
  // Cold: a fresh profile, nothing cached, no service worker yet.
  const cold = await browser.newContext();
  const first = await cold.newPage();
  const start = performance.now();
  await first.goto(url);
  await first.waitForSelector("body[data-ready]");
  console.log(`cold load to a ready page: ${(performance.now() - start).toFixed(0)} ms`);
  await cold.close();
  for (const board of boards) await run(browser, url, board);
  await browser.close();
  server.close();
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});

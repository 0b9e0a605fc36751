// How the page keeps up with a busy board in Debian's headless chromium:
// ticks and frames a second and the main thread's share spent in the page's
// frames, while a lesson whose displays change all the time runs.
//   node tests/web/page_bench.js [LESSON-TITLE-START] [SECONDS]
const path = require("node:path");
const playwright = require(path.join(__dirname, "..", "..", "node_modules", "playwright-core"));
const { serve } = require("./site_server.js");

const [title = "第9课", seconds = "5"] = process.argv.slice(2);

async function main() {
  const server = await serve(path.join(__dirname, "..", "..", "build", "web"));
  const browser = await playwright.chromium.launch({ executablePath: "/usr/bin/chromium", headless: true });
  const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
  const start = performance.now();
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForSelector("body[data-ready]");
  console.log(`ready after ${(performance.now() - start).toFixed(0)} ms`);
  await page.click("#ButtonExample");
  const lessons = await page.$$eval("#ListLessons option", (options) => options.map((o) => o.text));
  await page.selectOption("#ListLessons", String(lessons.findIndex((text) => text.startsWith(title))));
  await page.click("dialog button[value^=open]");
  await page.click("#ButtonRUN");
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
    await new Promise((resolve) => setTimeout(resolve, ms));
    return { ticks: view.ticks - ticks0, frames, busy };
  }, Number(seconds) * 1000);
  const s = Number(seconds);
  console.log(`${title}: ${(result.ticks / s).toFixed(0)} ticks/s, ${(result.frames / s).toFixed(1)} frames/s, ` +
    `main thread ${((result.busy / (s * 1000)) * 100).toFixed(0)}% in the page's frames ` +
    `(${(result.busy / Math.max(result.frames, 1)).toFixed(1)} ms a frame)`);
  await browser.close();
  server.close();
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});

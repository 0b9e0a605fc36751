// The page (build/web/index.html) in Debian's headless chromium: open lesson
// 6 from 示例, run it, and read the LCD's text from the engine and its dots
// from the canvas. Exit 77 (skipped) without chromium or the built site.
// KELTO_SHOTS=DIR keeps screenshots of what was drawn.
const assert = require("node:assert/strict");
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");

const root = path.join(__dirname, "..", "..");
const site = path.join(root, "build", "web");
const chromium = "/usr/bin/chromium";
function skip(why) {
  console.log(`skipped: ${why}`);
  process.exit(77);
}
if (!fs.existsSync(chromium)) skip(`${chromium} is not installed (scripts/install-deps.sh)`);
if (!fs.existsSync(path.join(site, "index.html"))) skip(`${site}/index.html is not built (scripts/build-web.sh)`);
let playwright;
try {
  playwright = require(path.join(root, "node_modules", "playwright-core"));
} catch {
  skip("playwright-core is not installed (npm ci)");
}

const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm", ".css": "text/css", ".svg": "image/svg+xml" };
function serve() {
  const server = http.createServer((request, response) => {
    const file = path.join(site, decodeURIComponent(new URL(request.url, "http://x").pathname).replace(/\/$/, "/index.html"));
    if (!file.startsWith(site) || !fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { "Content-Type": types[path.extname(file)] ?? "application/octet-stream" });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// The canvas pixels inside a part's body, as [r, g, b, a] per device pixel.
function partPixels(page, name) {
  return page.evaluate((name) => {
    const state = JSON.parse(keltoPage.board.stateJson());
    const part = state.components.find((c) => c.name === name);
    const canvas = document.getElementById("dxFlowChart1");
    const ratio = canvas.width / parseFloat(canvas.style.width);
    const data = canvas.getContext("2d").getImageData(part.x * ratio, part.y * ratio, 80 * ratio, 30 * ratio).data;
    return Array.from(data);
  }, name);
}

async function openLesson(page, title) {
  await page.click("#ButtonExample");
  const lessons = await page.$$eval("#ListLessons option", (options) => options.map((o) => o.text));
  await page.selectOption("#ListLessons", String(lessons.findIndex((text) => text.startsWith(title))));
  await page.click("dialog button[value^=open]");
}

async function main() {
  const server = await serve();
  const browser = await playwright.chromium.launch({ executablePath: chromium, headless: true });
  const shots = process.env.KELTO_SHOTS;
  try {
    for (const deviceScaleFactor of [1, 2]) {
      const page = await browser.newPage({ viewport: { width: 1000, height: 640 }, deviceScaleFactor });
      const errors = [];
      page.on("pageerror", (error) => errors.push(error.message));
      await page.goto(`http://127.0.0.1:${server.address().port}/`);
      await page.waitForSelector("body[data-ready]");
      assert.equal(await page.textContent("#ButtonRUN"), "运行");
      assert.equal(await page.isVisible("#EmptyHint"), true);

      await openLesson(page, "第6课");
      assert.match(await page.title(), /第6课.*（示例副本）$/);
      assert.match(await page.inputValue("#MemoEditor"), /^第6课 LCD1602/);
      assert.match(await page.inputValue("#MemoMessage"), /同时打开了同名程序 lesson06_lcd_8bit\.txt/);
      const lcd = await page.evaluate(() => JSON.parse(keltoPage.board.stateJson()).components.find((c) => c.class === "TSimuLCD1602").name);
      const before = await partPixels(page, lcd);

      await page.click("#ButtonRUN");
      assert.equal(await page.isDisabled("#ButtonRUN"), true);
      await page.waitForFunction(
        () => JSON.parse(keltoPage.board.stateJson()).components.find((c) => c.class === "TSimuLCD1602").state.text[0].includes("HELLO"),
        null, { timeout: 20000 });
      // The page ticks at the window's rate: a second of ticks in about a second.
      const ticks = await page.evaluate(async () => {
        const start = keltoPage.ticks;
        await new Promise((resolve) => setTimeout(resolve, 1000));
        return keltoPage.ticks - start;
      });
      assert.ok(ticks > 800 && ticks < 1300, `${ticks} ticks in a second`);
      await page.waitForTimeout(100);
      const after = await partPixels(page, lcd);
      assert.equal(after.length, before.length);
      assert.notDeepEqual(after, before, "the LCD's dots on the canvas changed");
      if (shots) await page.screenshot({ path: path.join(shots, `lesson06-x${deviceScaleFactor}.png`) });
      // The lesson's program ends by itself and Run is offered again.
      await page.waitForFunction(() => !document.getElementById("ButtonRUN").disabled);

      // Pause, Continue and Stop on a lesson that runs until stopped.
      await openLesson(page, "第1课");
      await page.click("#ButtonRUN");
      await page.click("#ButtonPAUSE");
      await page.click("#ButtonCONTINUE");
      await page.click("#ButtonSTOP");
      await page.waitForFunction(() => !document.getElementById("ButtonRUN").disabled);
      assert.deepEqual(errors, []);
      await page.close();
    }
  } finally {
    await browser.close();
    server.close();
  }
  console.log("page: ok");
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});

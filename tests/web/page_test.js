// The page (build/web/index.html) in Debian's headless chromium: open lesson
// 6 from 示例, run it, and read the LCD's text from the engine and its dots
// from the canvas; place an LED and the microcontroller from the palette,
// wire them, type a program and see the LED light; find the work again after
// a reload, also with no network. Exit 77 (skipped) without
// chromium or the built site.
// KELTO_SHOTS=DIR keeps screenshots of what was drawn.
const assert = require("node:assert/strict");
const fs = require("node:fs");
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
const { serve } = require("./site_server.js");
let playwright;
try {
  playwright = require(path.join(root, "node_modules", "playwright-core"));
} catch {
  skip("playwright-core is not installed (npm ci)");
}

// The canvas pixels of a part's body from (dx, dy) on, as [r, g, b, a] per
// device pixel, at actual size.
function partPixels(page, name, [dx, dy, w, h] = [0, 0, 80, 30]) {
  return page.evaluate(
    ([name, dx, dy, w, h]) => {
      const state = JSON.parse(keltoPage.board.stateJson());
      const part = state.components.find((c) => c.name === name);
      const canvas = document.getElementById("dxFlowChart1");
      const ratio = canvas.width / parseFloat(canvas.style.width);
      const [x, y] = [part.x + dx - canvas.offsetLeft, part.y + dy - canvas.offsetTop];
      const data = canvas.getContext("2d").getImageData(x * ratio, y * ratio, w * ratio, h * ratio).data;
      return Array.from(data);
    },
    [name, dx, dy, w, h],
  );
}

// What the page painted a changed part at a time, its dot fields as images,
// is what a whole repaint of the same state paints with every dot filled.
async function paintedAsWhole(page) {
  const differing = await page.evaluate(() => {
    const canvas = keltoPage.canvas;
    const pixels = () => canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    const painted = pixels();
    keltoPage.replayer.useDotImages = false;
    keltoPage.shownView = "";
    keltoPage.paint();
    keltoPage.replayer.useDotImages = true;
    return pixels().filter((value, i) => value !== painted[i]).length;
  });
  assert.equal(differing, 0, "pixel values differ from a whole repaint");
}

// 另存 downloads the circuit as the desktop writes it; 打开 reads it back.
async function saveAndReopen(page, lesson) {
  const os = require("node:os");
  page.once("dialog", (dialog) => dialog.accept("我的电路"));
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#ButtonSaveAs")]);
  assert.equal(download.suggestedFilename(), "我的电路.dps");
  const saved = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "kelto-page-")), "我的电路.dps");
  await download.saveAs(saved);
  assert.deepEqual(fs.readFileSync(saved), fs.readFileSync(path.join(root, "examples", `${lesson}.dps`)));
  await page.click("#ButtonNew");
  await page.waitForFunction(() => keltoPage.board.partCount() === 0);
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"), page.click("#ButtonOpen")]);
  await chooser.setFiles(saved);
  await page.waitForFunction(() => document.title.includes("我的电路.dps"));
  assert.ok(await page.evaluate(() => keltoPage.board.partCount()) > 0);
  fs.rmSync(path.dirname(saved), { recursive: true });
}

// 导出图片 writes the picture files' SVG, and PNGs at the scale chosen.
async function exportPictures(page) {
  const exported = async (option) => {
    await page.click("#ButtonExportPicture");
    await page.selectOption("#PictureFormats", { label: option });
    page.once("dialog", (dialog) => dialog.accept("图"));
    const [download] = await Promise.all([page.waitForEvent("download"), page.click("dialog button[value^=save]")]);
    return { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
  };
  const svg = await exported("SVG 矢量图(*.svg)");
  assert.equal(svg.name, "图.svg");
  const width = Number(/<svg [^>]*width="(\d+)"/.exec(svg.bytes.toString())[1]);
  const png = await exported("PNG 图片，两倍大小(*.png)，黑白打印样式");
  assert.equal(png.name, "图.png");
  assert.equal(png.bytes.readUInt32BE(16), 2 * width);
  // An A4 PDF whose cross references find its objects and whose picture
  // holds as many pixels as it says.
  const pdf = await exported("PDF 文档，A4 纸(*.pdf)");
  const text = pdf.bytes.toString("latin1");
  const xref = Number(/startxref\n(\d+)/.exec(text)[1]);
  const offsets = [...text.slice(xref).matchAll(/^(\d{10}) 00000 n $/gm)].map((m) => Number(m[1]));
  offsets.forEach((offset, i) => assert.ok(text.startsWith(`${i + 1} 0 obj`, offset), `object ${i + 1}`));
  const a4 = /\/MediaBox \[0 0 ([\d.]+) ([\d.]+)\]/.exec(text).slice(1).map(Math.round);
  assert.deepEqual(a4.sort(), [595, 842]);
  const [, w, h, length] = /\/Width (\d+) \/Height (\d+) .*\/Length (\d+) >>\nstream\n/.exec(text).map(Number);
  const start = text.indexOf("stream\n", text.indexOf("/Subtype /Image")) + 7;
  assert.equal(require("node:zlib").inflateSync(pdf.bytes.subarray(start, start + length)).length, w * h * 3);
}

// 分享链接 gives a link that opens the same circuit and program in a fresh
// browser; a damaged link says so.
async function shareAndOpen(browser, page, work) {
  await page.click("#ButtonShare");
  const link = (await page.textContent("dialog.box .message")).split("\n")[1];
  await page.click("dialog.box button");
  const fresh = await browser.newPage();
  await fresh.goto(link);
  await fresh.waitForSelector("body[data-ready]");
  assert.deepEqual(await fresh.evaluate(() => [keltoPage.board.partCount(), keltoPage.editor.text()]), work);
  await fresh.goto(`${link.split("#")[0]}#k=damaged`);
  await fresh.reload();
  assert.equal(await fresh.textContent("dialog.box .message"), "这个分享链接无法读取，电路和程序都没有改变。");
  await fresh.close();
}

// Work an earlier page kept in local storage comes back once and moves into
// the database: there again on the next visit, gone from local storage.
async function oldStorageMoved(browser, url) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForSelector("body[data-ready]");
  const circuit = fs.readFileSync(path.join(root, "examples", "mcu_led.dps"), "latin1");
  await page.evaluate((circuit) => localStorage.setItem("keltosimu.work", JSON.stringify({ circuit, program: "10 END" })), circuit);
  for (let visit = 0; visit < 2; ++visit) {
    await page.reload();
    await page.waitForSelector("body[data-ready]");
    assert.deepEqual(await page.evaluate(() => [keltoPage.board.partCount(), keltoPage.editor.text()]), [2, "10 END"]);
    assert.equal(await page.evaluate(() => localStorage.getItem("keltosimu.work")), null);
  }
  await context.close();
}

// Storage refused at once or full at the first keep: the student is told
// once, and 另存 still downloads the circuit.
async function storageRefused(browser, url) {
  const refusals = [
    ["denied", () => (indexedDB.open = () => { throw new DOMException("denied", "SecurityError"); }), async () => {}],
    ["full", () => (IDBObjectStore.prototype.put = function () { this.transaction.abort(); }), async (page) => {
      await page.click("text=其它元件");
      await page.click("[data-item='14']");
    }],
  ];
  for (const [name, refuse, edit] of refusals) {
    const context = await browser.newContext();
    await context.addInitScript(refuse);
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForSelector("body[data-ready]");
    await edit(page);
    assert.match(await page.textContent("dialog.box .message"), /^浏览器不让本页存放你的工作/, name);
    await page.click("dialog.box button");
    await page.click("text=输出元件");
    await page.click("[data-item='7']");
    await page.waitForTimeout(1000);
    assert.equal(await page.locator("dialog.box").count(), 0, name);
    page.once("dialog", (dialog) => dialog.accept("未存"));
    const [download] = await Promise.all([page.waitForEvent("download"), page.click("#ButtonSaveAs")]);
    assert.match(fs.readFileSync(await download.path(), "latin1"), /<KELTOSIMU>/, name);
    await context.close();
  }
}

// A board wider and taller than the view, its displays and slanted wires
// repainted every frame as it runs, painted as a whole repaint would; then
// scrolled to its far corner, the part there is drawn (only the canvas
// around the view is painted).
async function busyBoardDrawn(browser, url) {
  const page = await browser.newPage({ viewport: { width: 1000, height: 640 }, deviceScaleFactor: 2 });
  await page.goto(url);
  await page.waitForSelector("body[data-ready]");
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"), page.click("#ButtonOpen")]);
  const busy = path.join(root, "bench", "data", "busy_board");
  await chooser.setFiles([`${busy}.dps`, `${busy}.txt`]);
  await page.waitForFunction(() => keltoPage.board.partCount() > 0);
  await page.click("#ButtonRUN");
  await page.waitForTimeout(500);
  await paintedAsWhole(page);
  const far = await page.evaluate(() => {
    const parts = JSON.parse(keltoPage.board.stateJson()).components;
    const part = parts.reduce((a, b) => (b.x + b.y > a.x + a.y ? b : a));
    CanvasView.scrollTo(part.x, part.y);
    return part.name;
  });
  await page.waitForTimeout(200);
  const pixels = await partPixels(page, far, [0, 0, 20, 20]);
  const dark = (i) => pixels[i + 3] === 255 && pixels[i] + pixels[i + 1] + pixels[i + 2] < 300;
  assert.ok(pixels.some((_, i) => i % 4 === 0 && dark(i)), `${far} is drawn`);
  await page.close();
}

// Places the microcontroller and LED0, drags the LED clear, wires its pin to
// PD0, types a program that pulls PD0 low, runs it and sees the LED lit.
async function buildAndRun(page) {
  assert.equal(await page.locator("#dxNavBar1 .item").count(), 46);
  assert.match(await page.getAttribute("[data-item='14']", "title"), /^单片机MCU/);
  await page.click("text=其它元件");
  await page.click("[data-item='14']");
  await page.click("text=输出元件");
  await page.click("[data-item='7']");
  const box = await page.locator("#dxFlowChart1").boundingBox();
  const at = (x, y) => [box.x + x, box.y + y];
  // Placed over the microcontroller's corner: the LED's lamp is at (22, 85).
  await page.mouse.move(...at(22, 85));
  await page.mouse.down();
  await page.mouse.move(...at(400, 300), { steps: 5 });
  await page.mouse.up();
  const led = await page.evaluate(() => JSON.parse(keltoPage.board.stateJson()).components.find((c) => c.name === "LED0"));
  assert.deepEqual([led.x, led.y], [378, 215]);
  await page.mouse.click(...at(led.x + 22, led.y + 123));
  assert.notEqual(await page.evaluate(() => keltoPage.board.wiringStart()), "null");
  await page.mouse.click(...at(40, 39)); // PD0
  await page.waitForFunction(() => keltoPage.board.wiringStart() === "null");

  // A double-click on the wire offers its styles: an elbow bends it.
  const middle = at((led.x + 22 + 40) / 2, (led.y + 123 + 39) / 2);
  await page.mouse.dblclick(...middle);
  await page.check("dialog.box input[value='1']");
  await page.click("dialog.box button[value^=ok]");
  await page.waitForFunction(() => JSON.parse(keltoPage.board.overlayJson()).marks.length > 2);

  await page.click("#MemoEditor .cm-content");
  await page.keyboard.type('0 REM "KELTOBASIC"\n10 REM "DDRD 1"\n20 REM "PORTD 0"\n30 REM "GOTO 30"\n40 PRINT');
  await page.waitForFunction(() => document.getElementById("HeaderBar").textContent === "1 行不会运行");
  assert.equal(await page.locator(".cm-line.k-will-not-run").count(), 1);
  await page.keyboard.press("Shift+Home");
  await page.keyboard.press("Backspace");
  await page.waitForSelector("#HeaderBar", { state: "hidden" });
  // Resting the pointer on a line shows what it runs as.
  const line = await page.locator(".cm-line", { hasText: "PORTD 0" }).boundingBox();
  await page.mouse.move(line.x + 30, line.y + line.height / 2);
  await page.mouse.move(line.x + 32, line.y + line.height / 2);
  assert.equal(await page.textContent(".k-tip"), "读作：PORTD 0");

  // Ctrl+S in the editor saves the program, as a program file.
  page.once("dialog", (dialog) => dialog.accept("程序"));
  const [program] = await Promise.all([page.waitForEvent("download"), page.keyboard.press("Control+s")]);
  assert.equal(program.suggestedFilename(), "程序.txt");
  assert.equal(fs.readFileSync(await program.path(), "latin1"),
    '0 REM "KELTOBASIC"\r\n10 REM "DDRD 1"\r\n20 REM "PORTD 0"\r\n30 REM "GOTO 30"\r\n');

  const lamp = [20, 75, 5, 5];
  const dark = await partPixels(page, "LED0", lamp);
  await page.keyboard.press("F5");
  await page.waitForSelector(".cm-line.k-run-line");
  await page.waitForTimeout(100);
  assert.notDeepEqual(await partPixels(page, "LED0", lamp), dark, "the LED lit on the canvas");
  // The pointer on PD0 names what its net reads. Only the reading: Debian's
  // emscripten passes 0 to the pin-label functions the catalogue builds in a
  // consteval function, so every label there is pin 1's.
  await page.mouse.move(...at(40, 39));
  assert.match(await page.getAttribute("#dxFlowChart1", "title"), /（第 \d+ 脚）：低电平$/);
  await page.click("#ButtonSTOP");

  // Delete asks first, naming the part.
  await page.mouse.click(...at(led.x + 22, led.y + 85));
  // Selected: a black mark on the body's corner.
  await page.waitForFunction(() => JSON.parse(keltoPage.board.overlayJson()).marks.length === 4);
  await page.waitForTimeout(50);
  assert.deepEqual(await partPixels(page, "LED0", [0, 0, 1, 1]), [0, 0, 0, 255]);
  await page.keyboard.press("Delete");
  assert.match(await page.textContent("dialog.box .message"), /^要删除“发光二极管LED0”吗？/);
  await page.click("dialog.box button[value=delete]");
  await page.waitForFunction(() => keltoPage.board.partCount() === 1);

  // 撤销 brings it back where it stood, 重做 takes it again.
  await page.keyboard.press("Control+z");
  const back = await page.evaluate(() => JSON.parse(keltoPage.board.stateJson()).components.find((c) => c.name === "LED0"));
  assert.deepEqual([back.x, back.y], [led.x, led.y]);
  await page.click("#ButtonRedo");
  assert.equal(await page.evaluate(() => keltoPage.board.partCount()), 1);
  assert.equal(await page.isEnabled("#ButtonUndo"), true);
}

// A file that is no circuit and a program too long: the desktop's error box
// texts, and what the student had stays.
async function openBrokenFile(page) {
  const os = require("node:os");
  const broken = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "kelto-page-")), "broken.dps");
  fs.writeFileSync(broken, "not a circuit\n");
  const parts = await page.evaluate(() => keltoPage.board.partCount());
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"), page.click("#ButtonOpen")]);
  await chooser.setFiles(broken);
  // The changed circuit is offered for saving first (the program was saved).
  assert.match(await page.textContent("dialog.box .message"), /是否保存更改/);
  await page.click("dialog.box button[value=no]");
  await page.waitForFunction(() => !document.querySelector("dialog.box")?.textContent.includes("是否保存更改"));
  assert.match(await page.textContent("dialog.box .message"), /^无法读取文件 .*broken\.dps：第 2 行不是正确的 XML 格式$/);
  await page.click("dialog.box button");
  assert.equal(await page.evaluate(() => keltoPage.board.partCount()), parts);
  // A program too long to read: the same box, and the editor keeps its text.
  const long = path.join(path.dirname(broken), "长.txt");
  fs.writeFileSync(long, "10 END\r\n".repeat(65537));
  const program = await page.evaluate(() => keltoPage.editor.text());
  const [programChooser] = await Promise.all([page.waitForEvent("filechooser"), page.click("#ButtonOpenBas")]);
  await programChooser.setFiles(long);
  assert.match(await page.textContent("dialog.box .message"), /^无法读取文件 .*长\.txt：文件多于 65536 行$/);
  await page.click("dialog.box button");
  assert.equal(await page.evaluate(() => keltoPage.editor.text()), program);
  fs.rmSync(path.dirname(broken), { recursive: true });
}

// The single-channel oscilloscope on the microcontroller's PD0: a click on
// its body opens its window, 运行 there records while the program toggles
// the pin, the plot shows the trace, 导出数据 writes what was recorded.
// Zoom on the way: Ctrl and the wheel around the pointer, the keys, the
// label, and hits through the zoom.
async function scopeAndZoom(page) {
  await page.click("#ButtonNew");
  await page.click("text=其它元件");
  await page.click("[data-item='14']");
  await page.click("[data-item='26']");
  const box = await page.locator("#dxFlowChart1").boundingBox();
  const at = (x, y) => [box.x + x, box.y + y];
  await page.mouse.move(...at(40, 30));
  await page.mouse.down();
  await page.mouse.move(...at(440, 330), { steps: 5 });
  await page.mouse.up();
  const hint = () => page.getAttribute("#dxFlowChart1", "title");
  const zoomLabel = () => page.evaluate(() => document.getElementById("ZoomLabel").hidden ? "" : document.getElementById("ZoomLabel").textContent);
  await page.mouse.move(...at(40, 39));
  assert.match(await hint(), /^PD0/);
  await page.keyboard.down("Control");
  await page.mouse.wheel(0, -100);
  await page.keyboard.up("Control");
  assert.equal(await zoomLabel(), "125%");
  // The pin stays under the pointer and is still what the pointer names.
  await page.mouse.move(...at(41, 39));
  await page.mouse.move(...at(40, 39));
  assert.match(await hint(), /^PD0/);
  const sizes = () => page.evaluate(() => {
    const c = document.getElementById("dxFlowChart1");
    return [c.width, parseFloat(c.style.width) * devicePixelRatio];
  });
  await page.keyboard.press("Control+=");
  assert.equal(await zoomLabel(), "150%");
  const [backing, shown] = await sizes();
  assert.equal(backing, shown, "one backing pixel per device pixel");
  // The scope's pin at 150%, wired to PD0 at 100%.
  const view = await page.evaluate(() => [CanvasView.scrollLeft, CanvasView.scrollTop]);
  await page.mouse.click(...at(434 * 1.5 - view[0], 368 * 1.5 - view[1]));
  assert.notEqual(await page.evaluate(() => keltoPage.board.wiringStart()), "null");
  await page.keyboard.press("Control+0");
  assert.equal(await zoomLabel(), "");
  await page.mouse.click(...at(40, 39));
  await page.waitForFunction(() => keltoPage.board.wiringStart() === "null");

  await page.waitForTimeout(600);
  await page.mouse.click(...at(420, 320));
  const form = "#FormAudioas";
  await page.waitForSelector(form, { state: "visible" });
  assert.equal(await page.textContent(`${form} .caption span`), "单通道示波器");
  const enabled = () => page.$$eval(`${form} [data-button]`, (buttons) => buttons.map((b) => !b.disabled));
  assert.deepEqual(await enabled(), [true, false, false, true, true]);
  await page.evaluate(() => keltoPage.editor.setText('0 REM "KELTOBASIC"\n10 REM "DDRD 1"\n20 REM "PORTD 1"\n30 REM "PORTD 0"\n40 REM "GOTO 20"\n'));
  await page.click(`${form} [data-button=run]`);
  await page.click("#ButtonRUN");
  await page.waitForTimeout(300);
  await page.click("#ButtonSTOP");
  await page.click(`${form} [data-button=stop]`);
  assert.deepEqual(await enabled(), [true, false, true, true, true]);
  // The plot's backing pixels per device pixel, and how many are the trace's
  // green (above the axis labels, right of the channel names).
  const trace = () => page.evaluate(() => {
    const canvas = document.querySelector("#FormAudioas canvas");
    const ratio = devicePixelRatio;
    const data = canvas.getContext("2d").getImageData(30 * ratio, 0, canvas.width - 30 * ratio, canvas.height - 20 * ratio).data;
    let lit = 0;
    for (let i = 0; i < data.length; i += 4) if (data[i] === 0 && data[i + 1] === 255 && data[i + 2] === 0) ++lit;
    return [canvas.width / parseFloat(canvas.style.width) / devicePixelRatio, lit];
  });
  // The scroll bar back to the first page, full of the pin's edges.
  await page.$eval(`${form} input`, (bar) => {
    bar.value = 0;
    bar.dispatchEvent(new Event("input"));
  });
  await page.waitForTimeout(100);
  const [sharp, lit] = await trace();
  assert.equal(sharp, 1);
  assert.ok(lit > 1000, `${lit} trace pixels`);
  await page.click(`${form} [data-button=export]`);
  await page.selectOption("#DataFormats", { label: "CSV 表格文件 (*.csv)" });
  page.once("dialog", (dialog) => dialog.accept("波形"));
  const [data] = await Promise.all([page.waitForEvent("download"), page.click("dialog button[value^=save]")]);
  assert.equal(data.suggestedFilename(), "波形.csv");
  const rows = fs.readFileSync(await data.path(), "utf8").split("\r\n");
  assert.equal(rows[0], "\ufeff采样,通道A");
  const levels = new Set(rows.slice(1, -1).map((row) => row.split(",")[1]));
  assert.ok(rows.length > 200 && levels.has("0") && levels.has("1"), `${rows.length} rows, levels ${[...levels]}`);
  await page.click(`${form} [data-button=clear]`);
  assert.deepEqual(await trace(), [1, 0]);
  await page.click(`${form} .caption button`);
  assert.equal(await page.isVisible(form), false);
}

// A tune's PLAY wait lasts as many ticks as the runner gives it, and so as
// long as the tune sounds, with the soundfont fetched on the first note.
async function tuneWait(page, soundfontFetched) {
  const os = require("node:os");
  const program = '0 REM "KELTOBASIC"\r\n10 REM "PLAY 1438"\r\n20 REM "PRINT 7"\r\n';
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "kelto-page-")), "tune.txt");
  fs.writeFileSync(file, program);
  const { execFileSync } = require("node:child_process");
  const trace = execFileSync(process.execPath, [path.join(site, "keltosimu-run.js"), "--ticks", "3000", "--trace", "-",
    path.join(root, "tests", "data", "programs", "mcu_only.dps"), file], { encoding: "utf8", maxBuffer: 1 << 26 });
  const printed = trace.split("\n").find((line) => line.includes('"> 7 <"'));
  const runnerTicks = JSON.parse(printed).tick - 1;
  fs.rmSync(path.dirname(file), { recursive: true });

  assert.equal(soundfontFetched(), false);
  await page.evaluate((text) => keltoPage.editor.setText(text), program);
  const start = await page.evaluate(() => {
    document.getElementById("ButtonRUN").click();
    return [keltoPage.ticks, performance.now()];
  });
  const end = await (await page.waitForFunction(
    () => document.getElementById("MemoMessage").value.includes("> 7 <") && [keltoPage.ticks, performance.now()],
    null, { polling: "raf", timeout: 10000 })).jsonValue();
  const ticks = end[0] - start[0];
  assert.ok(Math.abs(ticks - runnerTicks) < 50, `${ticks} ticks on the page, ${runnerTicks} in the runner`);
  assert.ok(Math.abs(end[1] - start[1] - runnerTicks) < 300, `${end[1] - start[1]} ms for ${runnerTicks} ticks`);
  assert.equal(await page.evaluate(() => keltoPage.sound.ready), true);
  assert.equal(soundfontFetched(), true);
}

// The inputs as a student works them: a click flips the switch, the push
// button is closed while held, a keypad key is down while pressed, and
// dragging the wiper moves it along the resistor.
async function studentInputs(page) {
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"), page.click("#ButtonOpen")]);
  await chooser.setFiles(path.join(root, "tests", "data", "inputs.dps"));
  // Neither the changed circuit nor the program is kept.
  while (!(await page.title()).includes("inputs.dps")) {
    await page.click("dialog.box button[value=no]", { timeout: 5000 });
    await page.waitForTimeout(50);
  }
  const box = await page.locator("#dxFlowChart1").boundingBox();
  const at = (x, y) => [box.x + x, box.y + y];
  const states = () => page.evaluate(() => JSON.parse(keltoPage.board.stateJson()).components.map((c) => c.state));
  const pressed = (keys) => keys.reduce((sum, key) => sum + key, 0);
  // K0 at (0, 0), S1 at (150, 0), the keypad at (0, 200), R at (300, 0).
  await page.mouse.click(...at(40, 20));
  await page.waitForFunction(() => JSON.parse(keltoPage.board.stateJson()).components[0].state.closed === 1);
  await page.mouse.move(...at(189, 85));
  await page.mouse.down();
  assert.equal((await states())[1].closed, 1);
  await page.mouse.up();
  assert.equal((await states())[1].closed, 0);
  await page.mouse.move(...at(109, 240));
  await page.mouse.down();
  assert.equal(pressed((await states())[2].keys), 1);
  await page.mouse.up();
  assert.equal(pressed((await states())[2].keys), 0);
  await page.mouse.move(...at(347, 122));
  await page.mouse.down();
  await page.mouse.move(...at(347, 83), { steps: 5 });
  await page.mouse.up();
  const position = (await states())[3].position;
  assert.ok(position > 0.4 && position < 0.6, `wiper at ${position}`);
}

// 任务 and 检查: the task's title and assignment above the editor; a check
// of the work on the page, saved or not, shows exactly what the grader shows
// the student for the same files, and leaves the board as it was.
async function taskAndCheck(page) {
  const os = require("node:os");
  const { execFileSync } = require("node:child_process");
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "kelto-page-"));
  const task = path.join(dir, "任务.toml");
  fs.writeFileSync(task, 'title = "液晶显示 HI"\ntext = """\n在第 1 行显示 HI。\n最后 B 是 73。"""\nticks = 2000\n' +
    '[[expect]]\npart = 1\nfield = "text.0"\ncontains = "H"\n' +
    '[[expect]]\nfield = "variables.B"\nequals = 73\nhint = "B 最后应该是 73"\n' +
    '[[expect]]\nfield = "variables.B"\nequals = 73\ntick = 1500\n' +
    '[[expect]]\nfield = "log"\ncontains = "结束"\nhidden = true\n');
  const grader = process.env.KELTO_GRADE ?? path.join(root, "build", "release", "src", "cli", "keltosimu-grade");
  const studentView = (folder) =>
    fs.existsSync(grader) ? execFileSync(grader, ["--student", task, path.join(root, "tests", "data", "grade", "class", folder)]).toString() : null;
  // The wrong work, as files the student opens.
  const wrong = path.join(root, "tests", "data", "grade", "class", "wrong");
  fs.copyFileSync(path.join(wrong, "lcd.dps"), path.join(dir, "work.dps"));
  fs.copyFileSync(path.join(wrong, "hello.txt"), path.join(dir, "work.txt"));
  const [opener] = await Promise.all([page.waitForEvent("filechooser"), page.click("#ButtonOpen")]);
  await opener.setFiles([path.join(dir, "work.dps"), path.join(dir, "work.txt")]);
  // Questions about changes in the work before are answered 否.
  while (!(await page.title()).includes("work.dps")) {
    await page.waitForFunction(() => document.title.includes("work.dps") || document.querySelector("dialog.box button[value=no]"));
    if (!(await page.title()).includes("work.dps")) await page.click("dialog.box button[value=no]");
  }

  assert.equal(await page.isDisabled("#ButtonCheck"), true);
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"), page.click("#ButtonTask")]);
  await chooser.setFiles(task);
  await page.waitForFunction(() => !document.getElementById("MemoTask").hidden);
  assert.equal(await page.textContent("#LabelTitle"), "液晶显示 HI");
  assert.equal(await page.inputValue("#MemoTask"), "液晶显示 HI\n在第 1 行显示 HI。\n最后 B 是 73。\n\n");
  // The board as it is, but for the page's tick count that goes on.
  const board = () => page.evaluate(() => keltoPage.board.stateJson().replace(/^\{"ticks":\d+,/, "{"));
  const check = async () => {
    const before = await board();
    await page.click("#ButtonCheck");
    await page.waitForFunction(() => !document.getElementById("ButtonCheck").disabled);
    assert.ok((await board()) === before, "the check changed the board");
    return page.inputValue("#MemoTask");
  };
  const wrongView = await check();
  assert.match(wrongView, /^✓ .*\n✗ B 最后应该是 73\n✗ 运行 1500 拍后，.*：实际.*79.*\n另有 1 项检查在交作业后评分\n$/m);
  assert.equal(wrongView, studentView("wrong") ?? wrongView);
  if (process.env.KELTO_SHOTS) await page.screenshot({ path: path.join(process.env.KELTO_SHOTS, "task-check.png") });
  // Fixed in the editor, not saved.
  await page.evaluate(() => keltoPage.editor.setText(keltoPage.editor.text().replace("B=79", "B=73")));
  const rightView = await check();
  assert.doesNotMatch(rightView, /✗/);
  assert.equal(rightView, studentView("right") ?? rightView);

  // A task file that does not read: the grader's reason, the task open stays.
  fs.writeFileSync(path.join(dir, "坏.toml"), "title = \n");
  const [broken] = await Promise.all([page.waitForEvent("filechooser"), page.click("#ButtonTask")]);
  await broken.setFiles(path.join(dir, "坏.toml"));
  assert.match(await page.textContent("dialog.box .message"), /^\/files\/坏\.toml:1: TOML 格式错误：/);
  await page.click("dialog.box button");
  assert.equal(await page.textContent("#LabelTitle"), "液晶显示 HI");
  fs.rmSync(dir, { recursive: true });
}

async function openLesson(page, title) {
  await page.click("#ButtonExample");
  const lessons = await page.$$eval("#ListLessons option", (options) => options.map((o) => o.text));
  await page.selectOption("#ListLessons", String(lessons.findIndex((text) => text.startsWith(title))));
  await page.click("dialog button[value^=open]");
  await page.waitForFunction((title) => document.title.includes(title), title);
}

async function main() {
  const server = await serve(site);
  const browser = await playwright.chromium.launch({ executablePath: chromium, headless: true });
  const shots = process.env.KELTO_SHOTS;
  try {
    for (const deviceScaleFactor of [1, 2]) {
      const page = await browser.newPage({ viewport: { width: 1000, height: 640 }, deviceScaleFactor });
      const errors = [];
      page.on("pageerror", (error) => errors.push(error.message));
      let soundfont = false;
      page.on("request", (request) => (soundfont ||= request.url().endsWith("/soundfont.sf2")));
      await page.goto(`http://127.0.0.1:${server.address().port}/`);
      await page.waitForSelector("body[data-ready]");
      assert.equal(await page.textContent("#ButtonRUN"), "运行");
      assert.equal(await page.isVisible("#EmptyHint"), true);
      // The Song face comes with the site where the build could make it.
      if (fs.existsSync(path.join(site, "song.woff2"))) {
        assert.equal(await page.evaluate(() => document.fonts.check('12px "KeltoSong"', "示例开关")), true);
      }

      await openLesson(page, "第6课");
      assert.match(await page.title(), /第6课.*（示例副本）$/);
      assert.match(await page.evaluate(() => keltoPage.editor.text()), /^第6课 LCD1602/);
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
      await paintedAsWhole(page);
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
      if (deviceScaleFactor === 2) {
        await scopeAndZoom(page);
        await tuneWait(page, () => soundfont);
        await studentInputs(page);
        await taskAndCheck(page);
      }
      if (deviceScaleFactor === 1) {
        await openLesson(page, "第6课");
        await saveAndReopen(page, "lesson06_lcd_8bit");
        await exportPictures(page);
        // An emptied canvas and editor are not brought back.
        await page.click("#ButtonNew");
        await page.reload();
        await page.waitForSelector("body[data-ready]");
        await buildAndRun(page);
        await openBrokenFile(page);
        // The work is there again after the tab is reloaded.
        const work = () => page.evaluate(() => [keltoPage.board.partCount(), keltoPage.editor.text()]);
        const before = await work();
        await page.reload();
        await page.waitForSelector("body[data-ready]");
        assert.deepEqual(await work(), before);
        // And with no network, from the service worker's cache.
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 20000 });
        await page.context().setOffline(true);
        await page.reload();
        await page.waitForSelector("body[data-ready]");
        assert.deepEqual(await work(), before);
        await page.context().setOffline(false);
        await shareAndOpen(browser, page, before);
        await oldStorageMoved(browser, page.url());
        await storageRefused(browser, page.url());
        await busyBoardDrawn(browser, page.url());
        if (shots) await page.screenshot({ path: path.join(shots, "built.png") });
      }
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

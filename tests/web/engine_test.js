// The page's engine module (build/web/keltosimu-engine.js) runs a lesson as
// keltosimu-run does, draws its parts and opens the bundled lessons; exit 77 (skipped) where
// scripts/build-web.sh has not built it.
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");

const root = path.join(__dirname, "..", "..");
const engine = path.join(root, "build", "web", "keltosimu-engine.js");
if (!fs.existsSync(engine)) {
  console.log(`skipped: ${engine} is not built (scripts/build-web.sh)`);
  process.exit(77);
}
const bytes = (name) => new Uint8Array(fs.readFileSync(path.join(root, name)));

require(engine)({ wasmBinary: fs.readFileSync(engine.replace(/\.js$/, ".wasm")) }).then((KeltoSimu) => {
  // Pin labels come from the catalogue's table, which a compiler once left blank here.
  const toggle = JSON.parse(KeltoSimu.paletteJson()).groups[0].items[0];
  assert.equal(toggle.hint, "开关K0\n引脚：触点 1、触点 2");

  // The golden case example_mcu_led: 10 ticks of the lesson's program.
  const board = new KeltoSimu.Board();
  assert.equal(board.loadCircuit(bytes("examples/mcu_led.dps")), "");
  board.setProgramFile(bytes("examples/mcu_led.txt"));
  board.pressRun();
  board.runTicks(10, 0.001);
  const state = board.stateJson();
  assert.equal(state, fs.readFileSync(path.join(root, "tests/golden/example_mcu_led/state.json"), "utf8"));

  // The lit LED draws differently from the same LED on a board not run.
  const led = JSON.parse(state).components.findIndex((c) => c.class === "TSimuLEDB");
  const idle = new KeltoSimu.Board();
  idle.loadCircuit(bytes("examples/mcu_led.dps"));
  const lit = JSON.parse(board.partDrawing(led));
  const dark = JSON.parse(idle.partDrawing(led));
  assert.ok(lit.length > 0 && lit.every((op) => typeof op.op === "string"));
  assert.notDeepEqual(lit, dark);
  assert.equal(board.partDrawing(board.partCount()), "[]");

  // A broken file is refused with a reason and the circuit stays.
  const parts = board.partCount();
  assert.notEqual(board.loadCircuit("<not a circuit"), "");
  assert.equal(board.partCount(), parts);
  assert.equal(board.stateJson(), state);

  // A lesson opened over a changed circuit asks first; cancel changes nothing
  // (the page asks its student, then repeats the command with the answer).
  const asked = [];
  let answer = "cancel";
  board.setPage({ askSaveChanges: (text) => (asked.push(text), answer) });
  board.setEditorText("10 PRINT 1");
  board.openLesson(5);
  assert.equal(asked.length, 1);
  assert.match(asked[0], /是否保存更改/);
  assert.equal(board.stateJson(), state);
  assert.equal(board.editorText(), "10 PRINT 1");
  answer = "no";
  board.openLesson(5);
  assert.match(board.editorText(), /^第6课/);
  assert.match(board.logText(), /^同时打开了同名程序 lesson06_lcd_8bit\.txt\n$/);
  board.delete();
  idle.delete();
  console.log("engine: ok");
});

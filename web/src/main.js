// The page: the window's layout, its buttons wired to the engine's calls, the
// canvas painted from the board's display list at the display's rate while
// the board ticks at the window's rate.
import * as dialogs from "./dialogs.js";
import * as strings from "./strings.js";
import { Replayer } from "./replay.js";
import { Ticker, tickSeconds } from "./ticker.js";

const $ = (id) => document.getElementById(id);
// Bits of the engine's runButtons(), in the window's order.
const runButtonBits = { ButtonRUN: 1, ButtonPAUSE: 2, ButtonCONTINUE: 4, ButtonSTOP: 8, ButtonStep: 16 };

function loadImage(src) {
  return new Promise((resolve) => {
    const image = new Image();
    image.onload = () => resolve(image);
    image.onerror = () => resolve(null);
    image.src = src;
  });
}

function labelButtons() {
  for (const button of document.querySelectorAll("#PanelTop button")) {
    button.textContent = strings.buttons[button.dataset.text];
    button.disabled = button.dataset.pending !== undefined;
  }
  $("ButtonUndo").title = strings.undoTip;
  $("ButtonRedo").title = strings.redoTip;
  $("EmptyHint").textContent = strings.emptyCanvasHint;
}

// A document command that may ask to save first: the engine asks the page
// synchronously, so the page answers "cancel" (which changes nothing), asks
// the student, and repeats the command with the answers given so far.
async function withSaveQuestions(board, command) {
  const answers = [];
  for (;;) {
    let asked = null;
    let next = 0;
    board.setPage({
      ...page,
      askSaveChanges(text) {
        if (next < answers.length) return answers[next++];
        asked = text;
        return "cancel";
      },
    });
    command();
    board.setPage(page);
    if (asked === null) return;
    const answer = await dialogs.askSaveChanges(asked);
    if (answer === "cancel") return;
    answers.push(answer);
  }
}

const page = {
  showFileError: (text) => dialogs.showError(text),
  captionChanged: (caption) => (document.title = caption),
};

class Page {
  constructor(engine, look, pictures) {
    this.board = new engine.Board();
    this.board.setPage(page);
    this.replayer = new Replayer(look, pictures);
    this.canvas = $("dxFlowChart1");
    this.ticker = new Ticker();
    this.shownLog = -1;
    this.shownButtons = -1;
    this.ticks = 0;
  }

  connect() {
    const board = this.board;
    const editor = $("MemoEditor");
    const sendEditor = () => board.setEditorText(editor.value);
    editor.addEventListener("input", sendEditor);
    const click = (id, action) => $(id).addEventListener("click", () => {
      sendEditor();
      action();
      this.refreshButtons();
    });
    click("ButtonRUN", () => board.clickRun());
    click("ButtonPAUSE", () => board.clickPause());
    click("ButtonCONTINUE", () => board.clickContinue());
    click("ButtonSTOP", () => board.clickStop());
    click("ButtonStep", () => board.clickStep());
    $("ButtonExample").addEventListener("click", async () => {
      sendEditor();
      const chosen = await dialogs.chooseLesson(JSON.parse(board.lessonTitles()));
      if (chosen === null) return;
      await withSaveQuestions(board, () => board.openLesson(chosen));
      editor.value = board.editorText();
      this.refreshButtons();
    });
  }

  refreshButtons() {
    const buttons = this.board.runButtons();
    if (buttons === this.shownButtons) return;
    this.shownButtons = buttons;
    for (const [id, bit] of Object.entries(runButtonBits)) $(id).disabled = (buttons & bit) === 0;
  }

  refreshLog() {
    const version = this.board.logVersion();
    if (version === this.shownLog) return;
    this.shownLog = version;
    const log = $("MemoMessage");
    log.value = this.board.logText();
    log.scrollTop = log.scrollHeight;
  }

  paint() {
    const view = $("CanvasView");
    const drawing = JSON.parse(this.board.boardDrawing(view.clientWidth, view.clientHeight));
    const [, , width, height] = drawing.extent;
    const ratio = window.devicePixelRatio || 1;
    if (this.canvas.width !== Math.round(width * ratio) || this.canvas.height !== Math.round(height * ratio)) {
      this.canvas.width = Math.round(width * ratio);
      this.canvas.height = Math.round(height * ratio);
      this.canvas.style.width = `${width}px`;
      this.canvas.style.height = `${height}px`;
    }
    const ctx = this.canvas.getContext("2d");
    ctx.setTransform(ratio, 0, 0, ratio, -drawing.extent[0] * ratio, -drawing.extent[1] * ratio);
    this.replayer.draw(ctx, drawing.list, ratio);
    $("EmptyHint").hidden = this.board.partCount() !== 0;
  }

  frame(now) {
    const due = this.ticker.due(now);
    if (due > 0) {
      this.board.runTicks(due, tickSeconds);
      this.ticks += due;
    }
    this.refreshButtons();
    this.refreshLog();
    this.paint();
    requestAnimationFrame((t) => this.frame(t));
  }
}

async function start() {
  labelButtons();
  const engine = await globalThis.KeltoSimu();
  const look = JSON.parse(engine.lookJson());
  const pictures = await Promise.all(look.pictures.map((name) => loadImage(`pictures/${name}.svg`)));
  const view = new Page(engine, look, pictures);
  view.connect();
  // For tests and the curious: the engine and the board behind the page.
  globalThis.keltoPage = view;
  requestAnimationFrame((t) => view.frame(t));
  document.body.dataset.ready = "true";
}

start();

// The page: the window's layout, its buttons wired to the engine's calls, the
// canvas painted from the board's display list at the display's rate while
// the board ticks at the window's rate.
import * as dialogs from "./dialogs.js";
import { CanvasInput } from "./canvas_input.js";
import { ProgramEditor } from "./editor.js";
import { download, downloadingWrites, nameToSave, pickFiles, putFiles } from "./files.js";
import { Keeper } from "./keep.js";
import { shareLink, takeSharedWork } from "./share.js";
import { buildPalette } from "./palette.js";
import * as strings from "./strings.js";
import { Replayer } from "./replay.js";
import { ScopeWindow } from "./scopes.js";
import { TaskPanel } from "./task.js";
import { Sound } from "./sound.js";
import { Ticker, tickSeconds } from "./ticker.js";

const $ = (id) => document.getElementById(id);
// Bits of the engine's runButtons(), in the window's order.
const runButtonBits = { ButtonRUN: 1, ButtonPAUSE: 2, ButtonCONTINUE: 4, ButtonSTOP: 8, ButtonStep: 16 };
// Bits of undoButtons().
const undoButtonBits = { ButtonUndo: 1, ButtonRedo: 2 };

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
  $("RunWatchCaption").textContent = strings.runWatchCaption;
  $("RunWatchName").textContent = strings.runWatchName;
  $("RunWatchValue").textContent = strings.runWatchValue;
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

// The part of box [x, y, w, h] inside `within`, maybe empty.
function overlap([x, y, w, h], [wx, wy, ww, wh]) {
  const [x0, y0] = [Math.max(x, wx), Math.max(y, wy)];
  return [x0, y0, Math.max(0, Math.min(x + w, wx + ww) - x0), Math.max(0, Math.min(y + h, wy + wh) - y0)];
}

// The window's double-click time, for the click timer.
const doubleClickMs = 500;

const sound = new Sound();

const page = {
  midi: (status, data1, data2) => sound.midi(status, data1, data2),
  silence: (releasePedal) => sound.silence(releasePedal),
  playClip: (source) => sound.playClip(source),
  speakClock: (sources) => sound.speakClock(sources),
  clockRunning: () => sound.clockRunning(),
  showFileError: (text) => dialogs.showError(text),
  captionChanged: (caption) => (document.title = caption),
  // The canvas's dialogs are asked for synchronously: the page cancels,
  // shows the dialog, and with an answer does what the Delete key does to
  // the selection again, giving the answer then (see askCanvasDialog).
  showDeleteDialog: (caption) => page.canvasDialog(() => dialogs.askDelete(caption)),
  showWireDialog: (style) => page.canvasDialog(() => dialogs.askWire(style)),
  canvasDialog(ask) {
    if (page.canvasAnswer) {
      const answer = page.canvasAnswer;
      page.canvasAnswer = null;
      return answer;
    }
    page.canvasAsk = ask;
    return "cancel";
  },
  setFrameClockEnabled: (enabled) => globalThis.keltoPage?.ticker.setEnabled(enabled),
  restartClickTimer() {
    clearTimeout(page.clickTimer);
    page.clickTimer = setTimeout(() => globalThis.keltoPage?.board.clickTimerTimer(), doubleClickMs);
  },
  stopClickTimer: () => clearTimeout(page.clickTimer),
  showInstrumentWindow: (instrument) => globalThis.keltoPage?.scopes[instrument].show(),
  hideInstrumentWindow: (instrument) => globalThis.keltoPage?.scopes[instrument].hide(),
  chooseFileToSave: (kind) =>
    kind === "circuit" ? nameToSave(strings.circuitFilter, ".dps") : nameToSave(strings.programFilter, ".txt"),
};

class Page {
  constructor(engine, look, pictures) {
    this.fs = engine.FS;
    this.board = new engine.Board();
    this.board.setPage(page);
    this.replayer = new Replayer(look, pictures);
    this.canvas = $("dxFlowChart1");
    this.ticker = new Ticker();
    this.shownLog = -1;
    this.shownButtons = -1;
    this.ticks = 0;
    this.shownWatch = "";
    this.shownView = "";
    this.shownExtent = "";
    this.input = new CanvasInput(this.board, this.canvas, () => {
      this.askCanvasDialog();
      this.refreshButtons();
    });
    this.palette = JSON.parse(engine.paletteJson());
    this.editor = new ProgramEditor(engine, $("MemoEditor"), $("HeaderBar"), () => {
      this.board.setEditorText(this.editor.text());
      this.keeper?.changed();
    });
    this.keeper = new Keeper(this.board, this.editor, () => dialogs.showError(strings.storageRefused));
    this.task = new TaskPanel(engine, this.board, () => this.board.setEditorText(this.editor.text()));
    this.sound = sound;
    // By instrument number, as the engine names them.
    this.scopes = { 1: new ScopeWindow(this.board, this.replayer, 1), 2: new ScopeWindow(this.board, this.replayer, 2) };
  }

  connect() {
    const board = this.board;
    const editor = this.editor;
    const sendEditor = () => board.setEditorText(editor.text());
    const click = (id, action) => $(id).addEventListener("click", () => {
      sendEditor();
      action();
      this.refreshButtons();
    });
    buildPalette($("dxNavBar1"), this.palette, (item) => {
      const index = board.placeItem(item);
      if (index >= 0) this.showPart(index);
    });
    click("ButtonRUN", () => board.clickRun());
    click("ButtonPAUSE", () => board.clickPause());
    click("ButtonCONTINUE", () => board.clickContinue());
    click("ButtonSTOP", () => board.clickStop());
    click("ButtonStep", () => board.clickStep());
    // Not while a mouse button is down: a press or drag may hold objects
    // the edit would take away. The program editor keeps its own keys.
    const undoRedo = (undo) => {
      if (this.input.held) return;
      if (undo) board.undo();
      else board.redo();
      this.refreshButtons();
    };
    $("ButtonUndo").addEventListener("click", () => undoRedo(true));
    $("ButtonRedo").addEventListener("click", () => undoRedo(false));
    document.addEventListener("keydown", (event) => {
      if (this.keyShortcut(event, undoRedo)) event.preventDefault();
    });
    const view = $("CanvasView");
    let wheel = 0;
    view.addEventListener("wheel", (event) => {
      if (!event.ctrlKey) return;
      event.preventDefault();
      // A mouse's notch is a step whatever pixels the browser counts for it
      // (50 to 120); a touchpad's small moves add up, 100 pixels a step.
      const notch = event.deltaMode !== WheelEvent.DOM_DELTA_PIXEL || Math.abs(event.deltaY) >= 40;
      wheel = notch ? -Math.sign(event.deltaY) : wheel - event.deltaY / 100;
      const steps = Math.trunc(wheel);
      wheel -= steps;
      const box = view.getBoundingClientRect();
      if (steps !== 0) this.zoom(steps, [Math.floor(event.clientX - box.left), Math.floor(event.clientY - box.top)]);
    }, { passive: false });
    $("ButtonWatch").addEventListener("click", () => {
      $("FormRunWatch").hidden = false;
      this.shownWatch = "";
    });
    $("FormRunWatchClose").addEventListener("click", () => ($("FormRunWatch").hidden = true));
    // The document's commands: their questions, the files they write
    // downloaded, and the editor as they left it.
    const documentCommand = async (command) => {
      sendEditor();
      await downloadingWrites(this.fs, () => withSaveQuestions(board, command));
      if (board.editorText() !== editor.text()) editor.setText(board.editorText());
      this.refreshButtons();
      this.keeper.changed();
    };
    const onClick = (id, action) => $(id).addEventListener("click", action);
    onClick("ButtonNew", () => documentCommand(() => board.fileNew()));
    onClick("ButtonExportPicture", () => this.exportPicture());
    onClick("ButtonShare", async () => {
      const link = await shareLink(board.circuitText(), editor.text());
      await navigator.clipboard?.writeText(link).catch(() => {});
      await dialogs.showError(`${strings.shareLinkCopied}\n${link}`, strings.shareLink);
    });
    // A shared link opens as a file would: the questions first, then the
    // circuit and program from the link, untitled.
    this.openShared = async () => {
      let work;
      try {
        work = await takeSharedWork();
      } catch {
        await dialogs.showError(strings.shareLinkBroken, strings.shareLink);
        return;
      }
      if (!work) return;
      this.fs.writeFile("/files/分享.dps", work.circuit);
      await documentCommand(() => board.openCircuit("/files/分享.dps"));
      editor.setText(work.program);
      board.setEditorText(work.program);
      this.keeper.changed();
    };
    onClick("ButtonSave", () => documentCommand(() => board.saveCircuit()));
    onClick("ButtonSaveAs", () => documentCommand(() => board.saveCircuitAs()));
    onClick("ButtonSaveBas", () => documentCommand(() => board.saveProgramAs()));
    this.saveProgram = () => documentCommand(() => board.saveProgram());
    // A circuit opens with the program of the same name when both are picked.
    onClick("ButtonOpen", async () => {
      const paths = await putFiles(this.fs, await pickFiles(".dps,.txt", true));
      const circuit = paths.find((path) => path.toLowerCase().endsWith(".dps"));
      if (circuit) await documentCommand(() => board.openCircuit(circuit));
    });
    onClick("ButtonOpenBas", async () => {
      const [program] = await putFiles(this.fs, await pickFiles(".txt", false));
      if (program) await documentCommand(() => board.openProgram(program));
    });
    onClick("ButtonExample", async () => {
      const chosen = await dialogs.chooseLesson(JSON.parse(board.lessonTitles()));
      if (chosen !== null) await documentCommand(() => board.openLesson(chosen));
    });
  }

  // The window's shortcuts: a shortcut clicks its button, so a disabled
  // button ignores it too. The program editor keeps Ctrl+Z and Ctrl+Y for
  // its text, and Ctrl+S there saves the program. True when handled.
  keyShortcut(event, undoRedo) {
    const key = event.key.toLowerCase();
    const inEditor = Boolean(event.target.closest?.(".cm-editor"));
    const button = (id) => {
      $(id).click();
      return true;
    };
    if (event.key === "F5") return button("ButtonRUN");
    if (!event.ctrlKey) return false;
    const zoomSteps = { "+": 1, "=": 1, "-": -1, 0: 0 }[event.key];
    if (zoomSteps !== undefined) {
      this.zoom(zoomSteps);
      return true;
    }
    if (key === "n") return button("ButtonNew");
    if (key === "o") return button("ButtonOpen");
    if (key === "s" && event.shiftKey) return button("ButtonSaveAs");
    if (key === "s" && inEditor) {
      this.saveProgram();
      return true;
    }
    if (key === "s") return button("ButtonSave");
    if (inEditor) return false;
    if (key === "z" && !event.shiftKey) undoRedo(true);
    else if (key === "y" || key === "z") undoRedo(false);
    else return false;
    return true;
  }

  async askCanvasDialog() {
    const ask = page.canvasAsk;
    page.canvasAsk = null;
    if (!ask) return;
    const answer = await ask();
    if (answer === "cancel") return;
    page.canvasAnswer = answer;
    this.board.deleteKeyPressed();
    page.canvasAnswer = null;
    this.refreshButtons();
  }

  // 导出图片: the circuit drawn as the desktop's picture files draw it.
  async exportPicture() {
    const choice = await dialogs.choosePicture();
    if (!choice) return;
    const name = nameToSave(choice.format.text, choice.format.suffix);
    if (!name) return;
    if (choice.format.suffix === ".svg") {
      download(name, new Blob([this.board.pictureSvg(choice.printStyle)], { type: "image/svg+xml" }));
      return;
    }
    download(name, await this.replayer.pictureFile(JSON.parse(this.board.pictureJson(choice.printStyle)), choice.format));
  }

  // Scrolls the canvas so the part is in view.
  showPart(index) {
    const part = JSON.parse(this.board.stateJson()).components[index];
    this.paint();
    const view = $("CanvasView");
    const zoom = this.board.zoomPercent() / 100;
    const [x, y] = [part.x * zoom, part.y * zoom];
    if (x < view.scrollLeft || x > view.scrollLeft + view.clientWidth - 40) view.scrollLeft = x - 20;
    if (y < view.scrollTop || y > view.scrollTop + view.clientHeight - 40) view.scrollTop = y - 20;
  }

  refreshButtons() {
    const buttons = this.board.runButtons() | (this.board.undoButtons() << 5);
    if (buttons === this.shownButtons) return;
    this.shownButtons = buttons;
    for (const [id, bit] of Object.entries(runButtonBits)) $(id).disabled = (buttons & bit) === 0;
    for (const [id, bit] of Object.entries(undoButtonBits)) $(id).disabled = ((buttons >> 5) & bit) === 0;
  }

  // The run line always; the variables while their panel is open.
  refreshWatch() {
    const json = this.board.runWatchJson();
    if (json === this.shownWatch) return;
    this.shownWatch = json;
    const watch = JSON.parse(json);
    this.editor.setRunLine(watch.runLine);
    if ($("FormRunWatch").hidden) return;
    const body = $("RunWatchRows");
    body.replaceChildren(
      ...watch.rows.map(([name, value]) => {
        const row = document.createElement("tr");
        for (const text of [name, value]) row.insertCell().textContent = text;
        return row;
      }),
    );
  }

  refreshLog() {
    const version = this.board.logVersion();
    if (version === this.shownLog) return;
    this.shownLog = version;
    const log = $("MemoMessage");
    log.value = this.board.logText();
    log.scrollTop = log.scrollHeight;
  }

  // Ctrl and the wheel zoom around the pointer, a step a notch; Ctrl++,
  // Ctrl+- and Ctrl+0 around the view's centre.
  zoom(steps, pivot) {
    const view = $("CanvasView");
    pivot ??= [Math.floor(view.clientWidth / 2), Math.floor(view.clientHeight / 2)];
    const scroll = JSON.parse(this.board.zoomAround(steps, ...pivot, view.scrollLeft, view.scrollTop));
    if (!scroll) return;
    this.paint(scroll);
    [view.scrollLeft, view.scrollTop] = scroll;
    const percent = this.board.zoomPercent();
    const label = $("ZoomLabel");
    label.hidden = percent === 100;
    label.textContent = `${percent}%`;
    label.style.right = `${4 + view.offsetWidth - view.clientWidth}px`;
    label.style.bottom = `${4 + view.offsetHeight - view.clientHeight}px`;
  }

  // Repaints what the engine says changed (what parts and wires asked to
  // repaint, as the window's canvas does); all of it when the overlay, the
  // pointer, the scroll, the view's size or the scale changed, so the canvas
  // keeps its size and place while only changes are repainted. The canvas
  // element covers the view scrolled as far as `scroll` and a quarter of it
  // around, so a short scroll finds it drawn: a canvas as big as a big board
  // costs the browser its size a frame.
  paint(scroll = [$("CanvasView").scrollLeft, $("CanvasView").scrollTop]) {
    const view = $("CanvasView");
    const zoom = this.board.zoomPercent() / 100;
    const ratio = window.devicePixelRatio || 1;
    const shownView = [this.input.overlayKey(), ratio, zoom, scroll, view.clientWidth, view.clientHeight].join("\n");
    const size = [Math.ceil((scroll[0] + view.clientWidth) / zoom), Math.ceil((scroll[1] + view.clientHeight) / zoom)];
    let { changes, drawing } = JSON.parse(this.board.changedDrawing(...size, shownView !== this.shownView));
    this.shownView = shownView;
    if (changes?.length === 0) return;
    if (changes && drawing.extent.join() !== this.shownExtent) {
      ({ changes, drawing } = JSON.parse(this.board.changedDrawing(...size, true)));
    }
    this.shownExtent = drawing.extent.join();
    const [left, top, width, height] = drawing.extent;
    // In CSS pixels: the whole canvas, and the part the element covers,
    // from a multiple of 4 (a whole device pixel at ratios in quarters).
    const pixels = [Math.ceil(width * zoom), Math.ceil(height * zoom)];
    const viewSize = [view.clientWidth, view.clientHeight];
    const from = [0, 1].map((i) => Math.max(0, 4 * Math.floor((scroll[i] - viewSize[i] / 4) / 4)));
    const covers = [0, 1].map((i) => Math.min(pixels[i], Math.ceil(scroll[i] + (viewSize[i] * 5) / 4)) - from[i]);
    const extent = $("CanvasExtent").style;
    if (extent.width !== `${pixels[0]}px` || extent.height !== `${pixels[1]}px`) {
      [extent.width, extent.height] = [`${pixels[0]}px`, `${pixels[1]}px`];
      this.board.setClientSize(width, height);
    }
    const device = covers.map((s) => Math.round(s * ratio));
    if (this.canvas.width !== device[0] || this.canvas.height !== device[1]) {
      [this.canvas.width, this.canvas.height] = device;
      [this.canvas.style.width, this.canvas.style.height] = [`${covers[0]}px`, `${covers[1]}px`];
    }
    [this.canvas.style.left, this.canvas.style.top] = [`${from[0]}px`, `${from[1]}px`];
    const scale = ratio * zoom;
    const origin = [left + from[0] / zoom, top + from[1] / zoom];
    const ctx = this.canvas.getContext("2d");
    ctx.setTransform(scale, 0, 0, scale, -origin[0] * scale, -origin[1] * scale);
    const covered = [...origin, covers[0] / zoom, covers[1] / zoom];
    const overlay = (over) => this.input.paintOverlay(over);
    if (!changes) this.replayer.draw(ctx, drawing.list, scale, [covered], overlay);
    else {
      const boxes = changes.map((box) => overlap(box, covered)).filter(([, , w, h]) => w > 0 && h > 0);
      if (boxes.length > 0) this.repaintChanges(ctx, drawing.list, scale, boxes, overlay);
    }
    $("EmptyHint").hidden = this.board.partCount() !== 0;
  }

  // What meets the boxes is drawn on a canvas of the same size and copied
  // from there, box by box: a clip would cut slanted wires where the
  // antialiasing of a whole repaint does not.
  repaintChanges(ctx, list, scale, boxes, overlay) {
    const { width, height } = this.canvas;
    if (this.scratch?.width !== width || this.scratch?.height !== height) this.scratch = new OffscreenCanvas(width, height);
    const scratch = this.scratch.getContext("2d");
    const transform = ctx.getTransform();
    scratch.setTransform(transform);
    this.replayer.draw(scratch, list, scale, boxes, overlay);
    ctx.save();
    ctx.resetTransform();
    ctx.imageSmoothingEnabled = false;
    for (const [x, y, w, h] of boxes) {
      const x0 = Math.max(0, Math.floor(x * transform.a + transform.e));
      const y0 = Math.max(0, Math.floor(y * transform.d + transform.f));
      const x1 = Math.min(width, Math.ceil((x + w) * transform.a + transform.e));
      const y1 = Math.min(height, Math.ceil((y + h) * transform.d + transform.f));
      if (x1 > x0 && y1 > y0) ctx.drawImage(this.scratch, x0, y0, x1 - x0, y1 - y0, x0, y0, x1 - x0, y1 - y0);
    }
    ctx.restore();
  }

  frame(now) {
    const due = this.ticker.due(now);
    if (due > 0) {
      this.board.runTicks(due, tickSeconds);
      this.ticks += due;
    }
    this.refreshButtons();
    this.refreshLog();
    this.refreshWatch();
    this.paint();
    for (const scope of Object.values(this.scopes)) scope.refresh(now);
    requestAnimationFrame((t) => this.frame(t));
  }
}

async function start() {
  labelButtons();
  // The canvas draws text at once: the Song face must be there first.
  await document.fonts.load('12px "KeltoSong"').catch(() => {});
  const engine = await globalThis.KeltoSimu();
  const look = JSON.parse(engine.lookJson());
  const pictures = await Promise.all(look.pictures.map((name) => loadImage(`pictures/${name}.svg`)));
  const view = new Page(engine, look, pictures);
  view.connect();
  await view.keeper.restore();
  await view.openShared();
  // For tests and the curious: the engine and the board behind the page.
  globalThis.keltoPage = view;
  requestAnimationFrame((t) => view.frame(t));
  document.body.dataset.ready = "true";
}

// The site kept for offline use, where the browser allows it.
navigator.serviceWorker?.register("sw.js").catch(() => {});
start();

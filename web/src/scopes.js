// TFormOScopes and TFormAudioas as panels over the page: the plot with its
// scroll bar on the left, Run, Stop, Clear, 导出数据 and 导出图片 on the
// right. Closing one only hides it; recording goes on meanwhile.
import * as dialogs from "./dialogs.js";
import { download, nameToSave } from "./files.js";
import * as strings from "./strings.js";

// The window's plot: 560 pixels wide over its 16-pixel scroll bar.
const plotWidth = 560;
const plotHeight = 440;
const buttonNames = ["run", "stop", "clear"];
const formIds = { 1: "FormOScopes", 2: "FormAudioas" };

function element(tag, className, parent) {
  const made = document.createElement(tag);
  if (className) made.className = className;
  parent?.append(made);
  return made;
}

// The caption drags the panel.
function draggable(panel, caption) {
  caption.addEventListener("pointerdown", (down) => {
    if (down.target !== caption && down.target.tagName === "BUTTON") return;
    const start = [panel.offsetLeft - down.clientX, panel.offsetTop - down.clientY];
    const move = (event) => {
      panel.style.left = `${Math.max(0, start[0] + event.clientX)}px`;
      panel.style.top = `${Math.max(0, start[1] + event.clientY)}px`;
    };
    caption.setPointerCapture(down.pointerId);
    caption.addEventListener("pointermove", move);
    caption.addEventListener("pointerup", () => caption.removeEventListener("pointermove", move), { once: true });
  });
}

export class ScopeWindow {
  // instrument: 1 the eight-channel window, 2 the single-channel one.
  constructor(board, replayer, instrument) {
    this.board = board;
    this.replayer = replayer;
    this.instrument = instrument;
    this.shown = "";
    this.panel = element("div", "scope-window", document.body);
    this.panel.id = formIds[instrument];
    this.panel.hidden = true;
    this.panel.style.left = `${120 + 40 * instrument}px`;
    this.panel.style.top = `${40 + 40 * instrument}px`;
    const caption = element("div", "caption", this.panel);
    element("span", "", caption).textContent = strings.scopeCaptions[instrument];
    const close = element("button", "", caption);
    close.textContent = "×";
    close.addEventListener("click", () => this.hide());
    draggable(this.panel, caption);

    const chart = element("div", "chart", this.panel);
    this.canvas = element("canvas", "", chart);
    this.canvas.style.width = `${plotWidth}px`;
    this.canvas.style.height = `${plotHeight}px`;
    this.scrollBar = element("input", "", chart);
    this.scrollBar.type = "range";
    this.scrollBar.addEventListener("input", () => board.scopePanTo(instrument, Number(this.scrollBar.value)));
    // The range follows the recording, except while the thumb is held.
    this.scrollBar.addEventListener("pointerdown", () => (this.dragging = true));
    this.scrollBar.addEventListener("pointerup", () => (this.dragging = false));

    const buttons = element("div", "buttons", this.panel);
    const button = (name, action) => {
      const made = element("button", "", buttons);
      made.dataset.button = name;
      made.textContent = strings.scopeTexts[name];
      made.addEventListener("click", action);
      return made;
    };
    this.buttons = buttonNames.map((name, i) => button(name, () => {
      board.scopeClick(instrument, i);
      this.refresh(performance.now());
    }));
    button("export", () => this.exportData());
    button("exportPicture", () => this.exportPicture());
    this.textWidth = (face, text) => this.replayer.measure(this.canvas.getContext("2d"), face, text);
  }

  show() {
    this.panel.hidden = false;
    this.shown = "";
  }

  hide() {
    this.panel.hidden = true;
  }

  // Brings buttons, scroll bar and plot up to the recording; repaints only
  // what changed.
  refresh(now) {
    if (this.panel.hidden) return;
    const enabled = this.board.scopeButtons(this.instrument);
    this.buttons.forEach((button, i) => (button.disabled = (enabled & (1 << i)) === 0));
    const json = this.board.scopeDrawing(this.instrument, plotWidth, plotHeight, now, this.textWidth);
    const ratio = window.devicePixelRatio || 1;
    const key = `${ratio}\n${json}`;
    if (key === this.shown) return;
    this.shown = key;
    this.drawing = JSON.parse(json);
    const [minimum, maximum, , value] = this.drawing.scroll;
    if (!this.dragging) {
      Object.assign(this.scrollBar, { min: minimum, max: maximum, step: 1 });
      this.scrollBar.value = value;
    }
    if (this.canvas.width !== Math.round(plotWidth * ratio)) {
      this.canvas.width = Math.round(plotWidth * ratio);
      this.canvas.height = Math.round(plotHeight * ratio);
    }
    const ctx = this.canvas.getContext("2d");
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    this.replayer.draw(ctx, this.drawing.list, ratio);
  }

  async exportData() {
    const format = await dialogs.chooseDataFormat();
    const name = format && nameToSave(format.text, format.suffix);
    if (!name) return;
    const text = this.board.scopeData(this.instrument, format.vcd, strings.scopeSampleHeader, strings.scopeChannelHeader);
    download(name, new Blob([text], { type: format.vcd ? "text/plain" : "text/csv" }));
  }

  // The plot as it stands on the panel.
  async exportPicture() {
    const choice = await dialogs.choosePicture();
    const name = choice && nameToSave(choice.format.text, choice.format.suffix);
    if (!name) return;
    if (choice.format.suffix === ".svg") {
      const svg = this.board.scopePictureSvg(this.instrument, plotWidth, plotHeight, this.textWidth);
      download(name, new Blob([svg], { type: "image/svg+xml" }));
      return;
    }
    download(name, await this.replayer.pictureFile(this.drawing, choice.format));
  }
}

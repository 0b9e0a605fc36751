// The canvas's mouse and keys as the window's canvas feeds them to the
// engine: presses, moves, releases and double-clicks in canvas units, Delete
// and Escape, the hint of what is under the pointer, and the mark of the wire
// being drawn (a ring on the first pin, a line to the pointer).
const buttonOf = { 0: 0, 2: 1, 1: 2 };
const wiringMarkColour = "#E00000";
const wiringMarkRadius = 5;
const markSize = 5;

function shiftOf(event) {
  return (event.shiftKey ? 1 : 0) | (event.altKey ? 2 : 0) | (event.ctrlKey ? 4 : 0);
}

export class CanvasInput {
  constructor(board, canvas, onChange) {
    this.board = board;
    this.pointer = null;
    // A mouse button is down on the canvas.
    this.held = false;
    // Canvas units under the pointer, through the view's zoom; the element
    // covers the whole canvas from where it stands.
    const at = (event) =>
      JSON.parse(board.viewPoint(Math.floor(event.offsetX) + canvas.offsetLeft, Math.floor(event.offsetY) + canvas.offsetTop));
    const press = (handler) => (event) => {
      if (!(event.button in buttonOf)) return;
      handler(buttonOf[event.button], shiftOf(event), ...at(event));
      onChange();
    };
    canvas.addEventListener("mousedown", press((b, s, x, y) => {
      this.held = true;
      board.mouseDown(b, s, x, y);
    }));
    canvas.addEventListener("mouseup", press((b, s, x, y) => {
      this.held = false;
      board.mouseUp(b, s, x, y);
    }));
    canvas.addEventListener("dblclick", press((b, s, x, y) => board.doubleClick(b, s, x, y)));
    canvas.addEventListener("contextmenu", (event) => event.preventDefault());
    canvas.addEventListener("mousemove", (event) => {
      this.pointer = at(event);
      board.mouseMove((event.buttons & 1) !== 0, ...this.pointer);
      const hint = board.hintAt(...this.pointer);
      if (canvas.title !== hint) canvas.title = hint;
    });
    canvas.tabIndex = 0;
    canvas.addEventListener("mousedown", () => canvas.focus());
    canvas.addEventListener("keydown", (event) => {
      if (event.key === "Delete") board.deleteKeyPressed();
      else if (event.key === "Escape") board.abandonWiring();
      else return;
      event.preventDefault();
      onChange();
    });
  }

  // What the overlay shows: it changes when this does.
  overlayKey() {
    this.overlay = this.board.overlayJson();
    this.wiringStart = this.board.wiringStart();
    return [this.overlay, this.wiringStart, this.wiringStart === "null" ? "" : this.pointer].join("\n");
  }

  // The selection's corner marks and the dotted outlines of what is dragged,
  // as overlayKey() last read them.
  paintOverlay(ctx) {
    const { marks, outlines } = JSON.parse(this.overlay);
    ctx.save();
    ctx.fillStyle = "#000";
    for (const [x, y] of marks) ctx.fillRect(x - Math.floor(markSize / 2), y - Math.floor(markSize / 2), markSize, markSize);
    ctx.strokeStyle = "#000";
    ctx.lineWidth = 1;
    ctx.setLineDash([1, 2]);
    for (const [left, top, right, bottom] of outlines) ctx.strokeRect(left + 0.5, top + 0.5, right - left, bottom - top);
    ctx.restore();
    this.paintWiring(ctx);
  }

  paintWiring(ctx) {
    const start = JSON.parse(this.wiringStart);
    if (!start) return;
    ctx.save();
    ctx.strokeStyle = wiringMarkColour;
    ctx.lineWidth = 2;
    ctx.beginPath();
    ctx.arc(start[0] + 0.5, start[1] + 0.5, wiringMarkRadius - 1, 0, 2 * Math.PI);
    ctx.stroke();
    if (this.pointer) {
      ctx.lineWidth = 1;
      ctx.beginPath();
      ctx.moveTo(start[0] + 0.5, start[1] + 0.5);
      ctx.lineTo(this.pointer[0] + 0.5, this.pointer[1] + 0.5);
      ctx.stroke();
    }
    ctx.restore();
  }
}

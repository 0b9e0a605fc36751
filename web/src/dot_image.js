// A dot field (an LCD's or a matrix's cells) kept as an image at one pixel a
// unit: a busy board changes thousands of cells a frame, and one drawImage
// of an image whose changed cells alone were rewritten costs far less than
// a fill a cell. Whole device pixels a unit only: there, nearest-neighbour
// scaling lands every cell on the pixels the fills would cover.

// Row by row, the pixels whose centres lie inside the inscribed ellipse:
// fill(x, y, w, h) for each run.
export function discRows([x, y, w, h], fill) {
  const rx = w / 2;
  const ry = h / 2;
  for (let row = 0; row < h; ++row) {
    const dy = (row + 0.5 - ry) / ry;
    if (dy * dy > 1) continue;
    const half = rx * Math.sqrt(1 - dy * dy);
    const left = Math.ceil(rx - half - 0.5);
    const right = Math.floor(rx + half - 0.5);
    if (right >= left) fill(x + left, y + row, right - left + 1, 1);
  }
}

// Whether every part of every cell is an opaque box or disc inside its
// pitch, so that cells paint whole pixels and never overlap.
export function cellsArePlain(op) {
  return op.cells.every((cell) =>
    cell.every((part) => {
      const [x, y, w, h] = part.box ?? [];
      return ["rectFill", "discFill"].includes(part.op) && part.colour >>> 24 === 255 &&
        x >= 0 && y >= 0 && x + w <= op.pitch[0] && y + h <= op.pitch[1];
    }));
}

// An opaque ARGB colour as a pixel of a little-endian RGBA ImageData.
function pixelOf(argb) {
  return (0xff000000 | ((argb & 0xff) << 16) | (argb & 0xff00) | ((argb >>> 16) & 0xff)) >>> 0;
}

export function cellAt(op, column, row) {
  return [
    op.origin[0] + column * op.pitch[0] + Math.floor(column / op.group[0]) * op.groupGap[0],
    op.origin[1] + row * op.pitch[1] + Math.floor(row / op.group[1]) * op.groupGap[1],
  ];
}

// The box a dot field covers: [x, y, w, h].
export function dotsBox(op) {
  const last = cellAt(op, op.columns - 1, op.rows - 1);
  return [op.origin[0], op.origin[1], last[0] - op.origin[0] + op.pitch[0], last[1] - op.origin[1] + op.pitch[1]];
}

export class DotImage {
  // For a field whose cells are plain (cellsArePlain) on an opaque face.
  constructor(op) {
    const [, , w, h] = dotsBox(op);
    this.canvas = new OffscreenCanvas(w, h);
    this.ctx = this.canvas.getContext("2d");
    this.image = this.ctx.createImageData(w, h);
    this.pixels = new Uint32Array(this.image.data.buffer);
    this.pixels.fill(pixelOf(op.face));
    // Each state's cell as pitch-sized pixels; a state with no cell is face.
    const [pw, ph] = op.pitch;
    this.tiles = op.cells.map((cell) => {
      const tile = new Uint32Array(pw * ph).fill(pixelOf(op.face));
      for (const part of cell) {
        const fill = (x, y, fw, fh) => {
          for (let row = y; row < y + fh; ++row) tile.fill(pixelOf(part.colour), row * pw + x, row * pw + x + fw);
        };
        if (part.op === "rectFill") fill(...part.box);
        else discRows(part.box, fill);
      }
      return tile;
    });
    this.blank = new Uint32Array(pw * ph).fill(pixelOf(op.face));
    // The state each cell shows; -1 for none yet, so all are written first.
    this.shown = new Int32Array(op.columns * op.rows).fill(-1);
    this.dirty = true;
  }

  // Rewrites the cells whose state changed since the last call.
  update(op) {
    const [pw, ph] = op.pitch;
    const width = this.image.width;
    const count = Math.min(op.states.length, op.columns * op.rows);
    for (let i = 0; i < this.shown.length; ++i) {
      const state = i < count && op.states[i] < this.tiles.length ? op.states[i] : this.tiles.length;
      if (this.shown[i] === state) continue;
      this.shown[i] = state;
      this.dirty = true;
      const tile = this.tiles[state] ?? this.blank;
      const [x, y] = cellAt(op, i % op.columns, Math.floor(i / op.columns));
      const at = (y - op.origin[1]) * width + (x - op.origin[0]);
      for (let row = 0; row < ph; ++row) this.pixels.set(tile.subarray(row * pw, row * pw + pw), at + row * width);
    }
    if (!this.dirty) return;
    this.dirty = false;
    this.ctx.putImageData(this.image, 0, 0);
  }
}

// Replays the engine's display lists (display_list_json) on a 2D canvas in
// chart units; the context's transform maps units to device pixels, so the
// same list is sharp at any device-pixel ratio and zoom.

import { DotImage, cellAt, cellsArePlain, discRows, dotsBox } from "./dot_image.js";
import { a4Layout, pdfOfPixels, printDpi } from "./pdf.js";

// One-pixel strokes run along pixel centres, as an aliased pen draws them.
const centre = 0.5;
// A PDF's pixels stay below 4 to the unit, whatever fits on the page.
const maxPdfScale = 4;

export function cssColour(argb) {
  const a = (argb >>> 24) & 255;
  return `rgba(${(argb >>> 16) & 255},${(argb >>> 8) & 255},${argb & 255},${a / 255})`;
}

// Runs of text split after two or more spaces, each placed at its own
// column (a Chinese character takes two), so column layouts hold in any face.
export function textPieces(text) {
  const pieces = [{ column: 0, text: "" }];
  let column = 0;
  let spaces = 0;
  for (const ch of text) {
    if (ch === " ") {
      ++spaces;
      ++column;
      continue;
    }
    if (spaces >= 2) pieces.push({ column, text: "" });
    else pieces[pieces.length - 1].text += " ".repeat(spaces);
    spaces = 0;
    pieces[pieces.length - 1].text += ch;
    column += ch.codePointAt(0) < 0x80 ? 1 : 2;
  }
  return pieces;
}

function spanOf(points, by) {
  const xs = points.map((p) => p[0]);
  const ys = points.map((p) => p[1]);
  return [Math.min(...xs) - by, Math.min(...ys) - by, Math.max(...xs) + by, Math.max(...ys) + by];
}

// Whether bounds moved by `at` reach into any of the visible boxes; unknown
// bounds do.
function meetsAny(bounds, at, visible) {
  if (!bounds) return true;
  return visible.some(([x, y, w, h]) =>
    bounds[0] + at[0] < x + w && bounds[2] + at[0] > x && bounds[1] + at[1] < y + h && bounds[3] + at[1] > y);
}

// A dot field's cells as runs of one opaque colour each, in drawing order,
// as paths: null unless the cells are plain (cellsArePlain), so that one
// fill a run paints them all.
function cellRuns(op) {
  if (!cellsArePlain(op)) return null;
  return op.cells.map((cell) => {
    const runs = [];
    for (const part of cell) {
      if (runs.at(-1)?.colour !== part.colour) runs.push({ colour: part.colour, path: new Path2D() });
      const path = runs.at(-1).path;
      if (part.op === "rectFill") path.rect(...part.box);
      else discRows(part.box, (...row) => path.rect(...row));
    }
    return runs;
  });
}

// Whether the context maps units to whole device pixels with `point` on a
// pixel's corner.
function onWholePixels(ctx, point) {
  const m = ctx.getTransform();
  return m.b === 0 && m.c === 0 && m.a === m.d && Number.isInteger(m.a) &&
    Number.isInteger(m.a * point[0] + m.e) && Number.isInteger(m.d * point[1] + m.f);
}

// Dot field images kept at most: a field moved or zoomed leaves its old one.
const keptDotImages = 256;

export class Replayer {
  // look: the engine's lookJson(); pictures: loaded images by picture number.
  constructor(look, pictures) {
    this.faces = look.faces;
    this.pictures = pictures;
    // Dot fields' cells as paths (cellRuns), by the cells' JSON.
    this.cellRuns = new Map();
    // Dot fields' images (DotImage) by where they are and what their cells
    // are; off, every field is filled run by run (a reference to compare).
    this.dotImages = new Map();
    this.useDotImages = true;
  }

  // scale: device pixels per chart unit, for the thinnest lines. Given
  // `visible` (boxes [x, y, w, h] in the list's units), what lies wholly
  // outside them is left out: a big board's unseen parts cost nothing. Then
  // `over` draws on top.
  draw(ctx, list, scale, visible = null, over = null) {
    ctx.save();
    const base = ctx.getTransform();
    ctx.imageSmoothingEnabled = false;
    let at = [0, 0];
    for (const op of list) {
      if (op.op === "origin") at = op.at;
      else if (visible && !meetsAny(this.bounds(op), at, visible)) continue;
      this.operation(ctx, op, scale, base, at);
    }
    ctx.setTransform(base);
    over?.(ctx);
    ctx.restore();
  }

  // [left, top, right, bottom] that holds what the operation draws, or null
  // when it is not worked out (drawn whatever is visible).
  bounds(op) {
    const pad = (box, by) => [box[0] - by, box[1] - by, box[0] + box[2] + by, box[1] + box[3] + by];
    switch (op.op) {
      case "line":
        return spanOf([op.from, op.to], op.width + 1);
      case "polyline":
        return spanOf(op.points, op.width + 1);
      case "polygon":
        return spanOf(op.points, 1);
      case "rectOutline":
      case "rectFill":
      case "ellipseOutline":
      case "discFill":
        return pad(op.box, 1);
      case "picture":
        return op.degrees === 0 ? pad(op.box, 1) : null;
      case "dots":
        return pad(dotsBox(op), 1);
      case "text": {
        // Any glyph fits a square of the face's size; vertical text turns
        // about its start.
        const face = this.faces[op.face];
        const reach = ([...op.text].length + 1) * (face.pixelSize + Math.abs(face.letterSpacing)) + face.lineHeight;
        return pad([op.topLeft[0], op.topLeft[1], 0, 0], reach);
      }
      default:
        return null;
    }
  }

  operation(ctx, op, scale, base, at) {
    const paint = cssColour(op.colour ?? 0);
    switch (op.op) {
      case "line": {
        const o = op.width % 2 === 1 ? centre : 0;
        this.stroke(ctx, paint, op.width, scale, op.cap === "square" ? "square" : "butt");
        ctx.beginPath();
        ctx.moveTo(op.from[0] + o, op.from[1] + o);
        ctx.lineTo(op.to[0] + o, op.to[1] + o);
        ctx.stroke();
        break;
      }
      case "polyline":
        this.stroke(ctx, paint, op.width, scale, "square");
        ctx.lineJoin = "bevel";
        this.path(ctx, op.points, centre);
        ctx.stroke();
        break;
      case "rectOutline":
        this.stroke(ctx, paint, 1, scale, "square");
        ctx.strokeRect(op.box[0] + centre, op.box[1] + centre, op.box[2], op.box[3]);
        break;
      case "rectFill":
        ctx.fillStyle = paint;
        ctx.fillRect(...op.box);
        break;
      case "ellipseOutline": {
        const [x, y, w, h] = op.box;
        this.stroke(ctx, paint, 1, scale, "square");
        ctx.beginPath();
        ctx.ellipse(x + w / 2 + centre, y + h / 2 + centre, w / 2, h / 2, 0, 0, 2 * Math.PI);
        ctx.stroke();
        break;
      }
      case "discFill":
        this.disc(ctx, paint, op.box);
        break;
      case "polygon":
        this.path(ctx, op.points, op.filled ? 0 : centre);
        ctx.closePath();
        if (op.filled) {
          ctx.fillStyle = paint;
          ctx.fill();
        } else {
          this.stroke(ctx, paint, 1, scale, "square");
          ctx.stroke();
        }
        break;
      case "curve": {
        this.stroke(ctx, paint, 1, scale, "square");
        ctx.beginPath();
        ctx.moveTo(op.start[0] + centre, op.start[1] + centre);
        const p = op.pieces.map(([x, y]) => [x + centre, y + centre]);
        for (let i = 0; i + 2 < p.length; i += 3) ctx.bezierCurveTo(...p[i], ...p[i + 1], ...p[i + 2]);
        ctx.stroke();
        break;
      }
      case "text":
        this.text(ctx, paint, op);
        break;
      case "picture":
        this.picture(ctx, op);
        break;
      case "dots":
        this.dots(ctx, op, scale, at);
        break;
      case "origin":
        ctx.setTransform(base);
        ctx.translate(op.at[0], op.at[1]);
        break;
      default:
        throw new Error(`unknown display-list operation ${op.op}`);
    }
  }

  stroke(ctx, paint, width, scale, cap) {
    ctx.strokeStyle = paint;
    ctx.lineWidth = width === 0 ? 1 / scale : Math.max(width, 1);
    ctx.lineCap = cap;
    ctx.lineJoin = "miter";
  }

  path(ctx, points, offset) {
    ctx.beginPath();
    points.forEach(([x, y], i) => (i === 0 ? ctx.moveTo(x + offset, y + offset) : ctx.lineTo(x + offset, y + offset)));
  }

  disc(ctx, paint, box) {
    ctx.fillStyle = paint;
    discRows(box, (...row) => ctx.fillRect(...row));
  }

  // The CSS font of a face.
  font(faceIndex) {
    const face = this.faces[faceIndex];
    // The Song face comes with the page, so it looks the same on every machine.
    const song = face.family === "宋体" ? "KeltoSong" : "";
    const families = [face.boldFamily, song, face.family, "SimSun", "AR PL UMing CN"]
      .filter((f) => f)
      .map((f) => `"${f}"`)
      .join(", ");
    return `${face.bold ? "bold " : ""}${face.pixelSize}px ${families}, serif`;
  }

  // How wide the face draws the text, in whole pixels, as the window measures.
  measure(ctx, faceIndex, text) {
    ctx.save();
    ctx.font = this.font(faceIndex);
    ctx.letterSpacing = `${this.faces[faceIndex].letterSpacing}px`;
    const width = Math.round(ctx.measureText(text).width);
    ctx.restore();
    return width;
  }

  // A drawing ({extent, list}) on white at `scale` pixels to the unit.
  render({ extent, list }, scale) {
    const canvas = document.createElement("canvas");
    canvas.width = Math.round(extent[2] * scale);
    canvas.height = Math.round(extent[3] * scale);
    const ctx = canvas.getContext("2d");
    ctx.fillStyle = "#fff";
    ctx.fillRect(0, 0, canvas.width, canvas.height);
    ctx.setTransform(scale, 0, 0, scale, -extent[0] * scale, -extent[1] * scale);
    this.draw(ctx, list, scale);
    return canvas;
  }

  // A drawing as the picture file a format of strings.pictureFormats names:
  // PNG at its scale, or an A4 PDF at print resolution.
  async pictureFile(drawing, format) {
    if (!format.pdf) return new Promise((resolve) => this.render(drawing, format.scale).toBlob(resolve, "image/png"));
    const [, , width, height] = drawing.extent;
    const { size } = a4Layout(width, height);
    const scale = Math.min(maxPdfScale, Math.max(1, ((size[0] / 72) * printDpi) / width));
    const canvas = this.render(drawing, scale);
    const pixels = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    return pdfOfPixels(pixels, canvas.width, canvas.height, width, height);
  }

  text(ctx, paint, op) {
    const face = this.faces[op.face];
    ctx.save();
    ctx.font = this.font(op.face);
    ctx.letterSpacing = `${face.letterSpacing}px`;
    ctx.fillStyle = paint;
    ctx.textBaseline = "alphabetic";
    let at = op.topLeft;
    if (op.vertical) {
      ctx.translate(op.topLeft[0] + face.lineHeight, op.topLeft[1]);
      ctx.rotate(Math.PI / 2);
      at = [0, 0];
    }
    const advance = Math.floor(face.pixelSize / 2) + face.letterSpacing;
    for (const piece of textPieces(op.text))
      ctx.fillText(piece.text, at[0] + piece.column * advance, at[1] + face.ascent);
    ctx.restore();
  }

  picture(ctx, op) {
    const image = this.pictures[op.picture];
    if (!image) return;
    ctx.save();
    if (op.degrees !== 0) {
      ctx.translate(op.centre[0], op.centre[1]);
      ctx.rotate((op.degrees * Math.PI) / 180);
      ctx.translate(-op.centre[0], -op.centre[1]);
    }
    ctx.drawImage(image, ...op.box);
    ctx.restore();
  }

  // A busy board has thousands of dots: on whole pixels its image, else
  // where the cells allow, a fill a colour run for the whole field, else
  // cell by cell.
  dots(ctx, op, scale, at) {
    const image = this.dotImage(ctx, op, at);
    if (image) {
      image.update(op);
      ctx.drawImage(image.canvas, ...op.origin);
      return;
    }
    ctx.fillStyle = cssColour(op.face);
    ctx.fillRect(...dotsBox(op));
    const key = JSON.stringify([op.pitch, op.cells]);
    if (!this.cellRuns.has(key)) this.cellRuns.set(key, cellRuns(op));
    const runs = this.cellRuns.get(key);
    const layers = [];
    const count = Math.min(op.states.length, op.columns * op.rows);
    for (let i = 0; i < count; ++i) {
      const cell = op.cells[op.states[i]];
      if (!cell || cell.length === 0) continue;
      const [x, y] = cellAt(op, i % op.columns, Math.floor(i / op.columns));
      if (!runs) {
        ctx.save();
        ctx.translate(x, y);
        this.draw(ctx, cell, scale);
        ctx.restore();
        continue;
      }
      const at = new DOMMatrix([1, 0, 0, 1, x, y]);
      runs[op.states[i]].forEach((run, r) => {
        const layer = (layers[r] ??= new Map());
        if (!layer.has(run.colour)) layer.set(run.colour, new Path2D());
        layer.get(run.colour).addPath(run.path, at);
      });
    }
    for (const layer of layers) {
      for (const [colour, path] of layer) {
        ctx.fillStyle = cssColour(colour);
        ctx.fill(path);
      }
    }
  }

  dotImage(ctx, op, at) {
    if (!this.useDotImages || op.face >>> 24 !== 255 || !onWholePixels(ctx, op.origin)) return null;
    const key = JSON.stringify([at, op.origin, op.pitch, op.columns, op.rows, op.face, op.group, op.groupGap, op.cells]);
    if (!this.dotImages.has(key)) {
      if (this.dotImages.size >= keptDotImages) this.dotImages.clear();
      this.dotImages.set(key, cellsArePlain(op) ? new DotImage(op) : null);
    }
    return this.dotImages.get(key);
  }
}

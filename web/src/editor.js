// MemoEditor as the window has it, on CodeMirror: line numbers, the core's
// colours, marks on the lines that will not run or may run not as meant
// (why, on the mark and under the pointer, with what the line runs as), the
// bar above the text and the run line.
import { EditorState, StateEffect, StateField, RangeSetBuilder } from "@codemirror/state";
import { Decoration, EditorView, GutterMarker, ViewPlugin, gutter, hoverTooltip, keymap, lineNumbers } from "@codemirror/view";
import { defaultKeymap, history, historyKeymap } from "@codemirror/commands";
import * as strings from "./strings.js";

// Typing re-checks after a short pause, as in the window.
const checkPauseMs = 250;
const levelClass = ["", "k-may-be-wrong", "k-will-not-run"];

const setReview = StateEffect.define();
const setRunLine = StateEffect.define();

const reviewField = StateField.define({
  create: () => ({ header: "", lines: [] }),
  update: (value, tr) => tr.effects.reduce((v, e) => (e.is(setReview) ? e.value : v), value),
});
const runLineField = StateField.define({
  create: () => -1,
  update: (value, tr) => tr.effects.reduce((v, e) => (e.is(setRunLine) ? e.value : v), value),
});

function lineDecorations(state) {
  const builder = new RangeSetBuilder();
  const { lines } = state.field(reviewField);
  const runLine = state.field(runLineField);
  for (let i = 1; i <= state.doc.lines; ++i) {
    const classes = [levelClass[lines[i - 1]?.level ?? 0], i - 1 === runLine ? "k-run-line" : ""].filter((c) => c);
    if (classes.length) builder.add(state.doc.line(i).from, state.doc.line(i).from, Decoration.line({ class: classes.join(" ") }));
  }
  return builder.finish();
}

const markDecorations = EditorView.decorations.compute([reviewField, runLineField, "doc"], lineDecorations);

class MarkMarker extends GutterMarker {
  constructor(level, reasons) {
    super();
    this.level = level;
    this.reasons = reasons;
  }
  eq(other) {
    return other.level === this.level && other.reasons === this.reasons;
  }
  toDOM() {
    const mark = document.createElement("div");
    mark.className = `k-mark ${levelClass[this.level]}`;
    mark.title = this.reasons;
    return mark;
  }
}

const markGutter = gutter({
  class: "k-mark-gutter",
  lineMarker(view, line) {
    const row = view.state.field(reviewField).lines[view.state.doc.lineAt(line.from).number - 1];
    return row && row.level > 0 ? new MarkMarker(row.level, row.reasons.join("\n")) : null;
  },
  lineMarkerChange: (update) => update.transactions.some((tr) => tr.effects.some((e) => e.is(setReview))),
});

// What resting the pointer on a line shows: its reading, then its reasons.
function tipText(state, lineIndex) {
  const row = state.field(reviewField).lines[lineIndex];
  if (!row) return "";
  return [row.reading ? strings.readingPrefix + row.reading : "", ...row.reasons].filter((t) => t).join("\n");
}

const lineTip = hoverTooltip((view, pos) => {
  const line = view.state.doc.lineAt(pos);
  const text = tipText(view.state, line.number - 1);
  if (!text) return null;
  return {
    pos: line.from,
    end: line.to,
    above: false,
    create() {
      const dom = document.createElement("div");
      dom.className = "k-tip";
      dom.textContent = text;
      return { dom };
    },
  };
});

// The core's colour spans of each visible line.
function colourSpans(engine) {
  const build = (view) => {
    const builder = new RangeSetBuilder();
    for (const { from, to } of view.visibleRanges) {
      for (let pos = from; pos <= to; ) {
        const line = view.state.doc.lineAt(pos);
        for (const [begin, length, kind] of JSON.parse(engine.lineSpans(line.text)))
          if (length > 0) builder.add(line.from + begin, line.from + begin + length, Decoration.mark({ class: `k-span${kind}` }));
        pos = line.to + 1;
      }
    }
    return builder.finish();
  };
  return ViewPlugin.fromClass(
    class {
      constructor(view) {
        this.decorations = build(view);
      }
      update(update) {
        if (update.docChanged || update.viewportChanged) this.decorations = build(update.view);
      }
    },
    { decorations: (plugin) => plugin.decorations },
  );
}

export function headerText(review) {
  const count = (level) => review.lines.filter((row) => row.level === level).length;
  const counts = [];
  if (count(2) > 0) counts.push(strings.linesWillNotRun(count(2)));
  if (count(1) > 0) counts.push(strings.linesMayBeWrong(count(1)));
  const parts = [];
  if (review.header) parts.push(review.header);
  if (counts.length) parts.push(counts.join(strings.countSeparator));
  return parts.join(strings.headerSeparator);
}

export class ProgramEditor {
  // parent: the element the editor fills; bar: the element above it.
  constructor(engine, parent, bar, onChange) {
    this.engine = engine;
    this.bar = bar;
    this.timer = null;
    this.view = new EditorView({
      parent,
      state: EditorState.create({
        extensions: [
          lineNumbers(),
          markGutter,
          history(),
          keymap.of([...defaultKeymap, ...historyKeymap]),
          reviewField,
          runLineField,
          markDecorations,
          colourSpans(engine),
          lineTip,
          EditorView.updateListener.of((update) => {
            if (!update.docChanged) return;
            onChange();
            clearTimeout(this.timer);
            this.timer = setTimeout(() => this.checkNow(), checkPauseMs);
          }),
        ],
      }),
    });
    this.checkNow();
  }

  text() {
    return this.view.state.doc.toString();
  }

  setText(text) {
    this.view.dispatch({ changes: { from: 0, to: this.view.state.doc.length, insert: text } });
    this.checkNow();
  }

  checkNow() {
    clearTimeout(this.timer);
    const review = JSON.parse(this.engine.reviewProgram(this.text()));
    this.view.dispatch({ effects: setReview.of(review) });
    const text = headerText(review);
    this.bar.textContent = text;
    this.bar.hidden = text === "";
    this.bar.className = review.lines.some((row) => row.level === 2) || review.header ? "k-error" : "k-warning";
  }

  // The line a run executed last, shown across the editor and scrolled
  // into view; -1 for none.
  setRunLine(line) {
    if (line === this.view.state.field(runLineField)) return;
    const effects = [setRunLine.of(line)];
    if (line >= 0 && line < this.view.state.doc.lines)
      effects.push(EditorView.scrollIntoView(this.view.state.doc.line(line + 1).from, { y: "nearest" }));
    this.view.dispatch({ effects });
  }
}

// The student's circuit and program kept in the browser as they work, and
// there again on the next visit; storage that is full or refused only means
// nothing is kept (saving to files still works).
const key = "keltosimu.work";
const everyMs = 1000;

export class Keeper {
  constructor(board, editor) {
    this.board = board;
    this.editor = editor;
    this.kept = null;
    this.last = 0;
    addEventListener("pagehide", () => this.keep());
  }

  // The kept work put back; false when there was none or it did not read.
  restore() {
    let work = null;
    try {
      work = JSON.parse(localStorage.getItem(key) ?? "null");
    } catch {
      return false;
    }
    if (!work || this.board.loadCircuit(work.circuit) !== "") return false;
    this.editor.setText(work.program);
    this.board.setEditorText(work.program);
    this.kept = JSON.stringify(work);
    return true;
  }

  keepNow(now) {
    if (now - this.last < everyMs) return;
    this.last = now;
    this.keep();
  }

  // An empty canvas and editor keep nothing.
  keep() {
    const empty = this.board.partCount() === 0 && this.editor.text() === "";
    const work = empty ? "" : JSON.stringify({ circuit: this.board.circuitText(), program: this.editor.text() });
    if (work === this.kept) return;
    try {
      if (empty) localStorage.removeItem(key);
      else localStorage.setItem(key, work);
      this.kept = work;
    } catch {
      // Full or refused: the files the student saves are the way out.
    }
  }
}

// The student's circuit and program kept in the browser's IndexedDB as they
// work, and there again after the tab is closed and reopened. Storage that
// is full or refused is told once; saving to files still works.
const database = "keltosimu";
const store = "work";
const key = "work";
// Where an earlier page kept the work; moved into the database once.
const oldKey = "keltosimu.work";
// Kept this long after the last change.
const quietMs = 400;

function done(request) {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function openDatabase() {
  const request = indexedDB.open(database, 1);
  request.onupgradeneeded = () => request.result.createObjectStore(store);
  return done(request);
}

// Resolves when the transaction is written; rejects when it is refused
// (a full disk aborts it).
function write(db, change) {
  const transaction = db.transaction(store, "readwrite");
  change(transaction.objectStore(store));
  transaction.commit?.();
  return new Promise((resolve, reject) => {
    transaction.oncomplete = resolve;
    transaction.onerror = transaction.onabort = () => reject(transaction.error);
  });
}

export class Keeper {
  // `tell` shows the student a text; it is called once at most.
  constructor(board, editor, tell) {
    this.board = board;
    this.editor = editor;
    this.tell = tell;
    this.told = false;
    this.db = null;
    this.kept = null;
    this.timer = 0;
    // Every edit ends with a key or a pointer let go; a hidden page may
    // not come back.
    for (const event of ["pointerup", "keyup"]) addEventListener(event, () => this.changed(), true);
    addEventListener("visibilitychange", () => document.visibilityState === "hidden" && this.keep());
    addEventListener("pagehide", () => this.keep());
  }

  refused() {
    if (this.told) return;
    this.told = true;
    this.tell();
  }

  // Opens the database and puts the kept work back; false when there was
  // none or it did not read.
  async restore() {
    let work = null;
    try {
      this.db = await openDatabase();
      work = await done(this.db.transaction(store).objectStore(store).get(key));
    } catch {
      this.refused();
    }
    const old = localStorage.getItem(oldKey);
    if (old !== null && !work) {
      try {
        work = JSON.parse(old);
      } catch {
        // Unreadable: nothing to put back.
      }
    }
    const restored = Boolean(work) && this.board.loadCircuit(work.circuit) === "";
    if (restored) {
      this.editor.setText(work.program);
      this.board.setEditorText(work.program);
    }
    if (old !== null && this.db) {
      await this.keep();
      if (!this.told) localStorage.removeItem(oldKey);
    }
    return restored;
  }

  changed() {
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.keep(), quietMs);
  }

  // An empty canvas and editor keep nothing.
  async keep() {
    clearTimeout(this.timer);
    if (!this.db) return;
    const empty = this.board.partCount() === 0 && this.editor.text() === "";
    const work = empty ? null : { circuit: this.board.circuitText(), program: this.editor.text() };
    const text = JSON.stringify(work);
    if (text === this.kept) return;
    try {
      await write(this.db, (kept) => (empty ? kept.delete(key) : kept.put(work, key)));
      this.kept = text;
    } catch {
      this.refused();
    }
  }
}

// 任务 and 检查 above the program editor, as the window has them: the task
// file is read and the work checked by the engine (the grader's own code).
import * as dialogs from "./dialogs.js";
import { pickFiles, putFiles } from "./files.js";
import * as strings from "./strings.js";

const $ = (id) => document.getElementById(id);

// Lets the browser paint what changed before a long synchronous call.
const painted = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));

export class TaskPanel {
  // `sendEditor` hands the editor's text to the board first.
  constructor(engine, board, sendEditor) {
    this.engine = engine;
    this.board = board;
    this.sendEditor = sendEditor;
    this.task = null;
    this.checking = false;
    $("ButtonTask").textContent = strings.buttonTask;
    $("ButtonTask").title = strings.buttonTaskTip;
    $("ButtonCheck").textContent = strings.buttonCheck;
    $("ButtonCheck").title = strings.buttonCheckTip;
    $("ButtonTask").addEventListener("click", () => this.chooseTask());
    $("ButtonCheck").addEventListener("click", () => this.check());
    this.refreshButtons();
  }

  async chooseTask() {
    const [path] = await putFiles(this.engine.FS, await pickFiles(".toml", false));
    if (path) await this.openTask(path);
  }

  async openTask(path) {
    const task = new this.engine.Task(path);
    if (task.error()) {
      const error = task.error();
      task.delete();
      await dialogs.showError(error);
      return;
    }
    this.task?.delete();
    this.task = task;
    $("LabelTitle").textContent = task.title();
    const memo = $("MemoTask");
    memo.value = task.view();
    // The first assignment takes a third of the editor's room.
    if (memo.hidden) memo.style.height = `${Math.floor(($("MemoEditor").offsetHeight + memo.offsetHeight) / 3)}px`;
    memo.hidden = false;
    this.refreshButtons();
  }

  async check() {
    if (!this.task || this.checking) return;
    this.sendEditor();
    const memo = $("MemoTask");
    const shown = memo.value;
    memo.value = this.task.view() + strings.checking;
    this.checking = true;
    this.refreshButtons();
    await painted();
    const view = this.task.check(this.board, strings.unsavedProgram);
    // Empty: the program could not be handed in, and the page said why.
    memo.value = view || shown;
    this.checking = false;
    this.refreshButtons();
  }

  refreshButtons() {
    $("ButtonTask").disabled = this.checking;
    $("ButtonCheck").disabled = !this.task || this.checking;
  }
}

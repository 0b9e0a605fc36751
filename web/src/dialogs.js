// The window's modal boxes as HTML dialogs: the lesson chooser, the
// save-changes question and the error box.
import * as strings from "./strings.js";

function box(caption, build) {
  const dialog = document.createElement("dialog");
  dialog.className = "box";
  const title = document.createElement("div");
  title.className = "caption";
  title.textContent = caption;
  dialog.append(title);
  build(dialog);
  document.body.append(dialog);
  return new Promise((resolve) => {
    dialog.addEventListener("close", () => {
      dialog.remove();
      resolve(dialog.returnValue);
    });
    dialog.showModal();
  });
}

function buttonRow(dialog, answers) {
  const row = document.createElement("form");
  row.method = "dialog";
  row.className = "buttons";
  for (const [value, text] of answers) {
    const button = document.createElement("button");
    button.value = value;
    button.textContent = text;
    row.append(button);
  }
  dialog.append(row);
  return row;
}

function message(dialog, text) {
  const p = document.createElement("p");
  p.className = "message";
  p.textContent = text.replaceAll("\r\n", "\n");
  dialog.append(p);
}

// The chosen lesson's index, or null.
export async function chooseLesson(titles) {
  const answer = await box(strings.lessonChooserCaption, (dialog) => {
    message(dialog, strings.lessonChooserPrompt);
    const list = document.createElement("select");
    list.id = "ListLessons";
    list.size = Math.min(titles.length, 12);
    titles.forEach((title, i) => list.add(new Option(title, String(i), i === 0, i === 0)));
    dialog.append(list);
    const row = buttonRow(dialog, [
      ["open", strings.lessonChooserOpen],
      ["", strings.answerCancel],
    ]);
    row.elements[0].addEventListener("click", () => (row.elements[0].value = `open:${list.value}`));
    list.addEventListener("dblclick", () => dialog.close(`open:${list.value}`));
  });
  return answer.startsWith("open:") ? Number(answer.slice(5)) : null;
}

// "yes", "no" or "cancel".
export async function askSaveChanges(text) {
  const answer = await box(strings.savePromptCaption, (dialog) => {
    message(dialog, text);
    buttonRow(dialog, [
      ["yes", strings.answerYes],
      ["no", strings.answerNo],
      ["cancel", strings.answerCancel],
    ]);
  });
  return answer || "cancel";
}

export async function showError(text, caption = strings.savePromptCaption) {
  await box(caption, (dialog) => {
    message(dialog, text);
    buttonRow(dialog, [["ok", strings.errorOk]]);
  });
}

// One of the texts chosen from a list (the select's id given) and saved:
// its index, or null.
async function chooseToSave(caption, id, texts) {
  const answer = await box(caption, (dialog) => {
    const list = document.createElement("select");
    list.id = id;
    texts.forEach((text, i) => list.add(new Option(text, String(i))));
    dialog.append(list);
    const row = buttonRow(dialog, [
      ["save", strings.buttons.save],
      ["", strings.answerCancel],
    ]);
    row.elements[0].addEventListener("click", () => (row.elements[0].value = `save:${list.value}`));
  });
  return answer.startsWith("save:") ? Number(answer.slice(5)) : null;
}

// The picture's file type and style: { format, printStyle } or null.
export async function choosePicture() {
  const choices = strings.pictureFormats.flatMap((format) => [
    { format, printStyle: false, text: format.text },
    { format, printStyle: true, text: format.text + strings.picturePrintStyle },
  ]);
  const chosen = await chooseToSave(strings.buttons.exportPicture, "PictureFormats", choices.map((c) => c.text));
  return chosen === null ? null : choices[chosen];
}

// 导出数据's file type: one of strings.scopeDataFormats, or null.
export async function chooseDataFormat() {
  const formats = strings.scopeDataFormats;
  const chosen = await chooseToSave(strings.scopeTexts.export, "DataFormats", formats.map((f) => f.text));
  return chosen === null ? null : formats[chosen];
}

// TFormShanChu: "delete" or "cancel".
export async function askDelete(caption) {
  const answer = await box(strings.shanChuCaption, (dialog) => {
    message(dialog, `${strings.shanChuQuestion(caption)}\n${strings.shanChuUndoHint}`);
    buttonRow(dialog, [
      ["cancel", strings.shanChuCancel],
      ["delete", strings.shanChuDelete],
    ]);
  });
  return answer || "cancel";
}

// TFormXian with the wire's style checked: "ok:STYLE", "delete" or "cancel".
export async function askWire(style) {
  const answer = await box(strings.xianCaption, (dialog) => {
    const group = document.createElement("fieldset");
    const legend = document.createElement("legend");
    legend.textContent = strings.xianGroup;
    group.append(legend);
    strings.xianStyles.forEach((text, i) => {
      const label = document.createElement("label");
      const radio = document.createElement("input");
      radio.type = "radio";
      radio.name = "style";
      radio.value = String(i);
      radio.checked = i === style;
      label.append(radio, text);
      group.append(label);
    });
    dialog.append(group);
    const row = buttonRow(dialog, [
      ["ok", strings.xianOk],
      ["cancel", strings.xianCancel],
      ["delete", strings.xianDelete],
    ]);
    row.elements[0].addEventListener("click", () => {
      const checked = group.querySelector("input:checked");
      row.elements[0].value = checked ? `ok:${checked.value}` : "cancel";
    });
  });
  return answer || "cancel";
}

// Files between the browser and the engine's file system: what the student
// picks is put into the files folder before a command opens it, and what a
// command saved there is handed to the browser as a download.
const folder = "/files";

export function pickFiles(accept, multiple) {
  return new Promise((resolve) => {
    const input = document.createElement("input");
    input.type = "file";
    input.accept = accept;
    input.multiple = multiple;
    input.addEventListener("change", () => resolve([...input.files]));
    input.addEventListener("cancel", () => resolve([]));
    input.click();
  });
}

// The engine paths of the files, written into the files folder.
export async function putFiles(fs, files) {
  const paths = [];
  for (const file of files) {
    const path = `${folder}/${file.name.replaceAll("/", "_")}`;
    fs.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    paths.push(path);
  }
  return paths;
}

function stamps(fs) {
  const seen = new Map();
  for (const name of fs.readdir(folder))
    if (name !== "." && name !== "..") seen.set(name, fs.stat(`${folder}/${name}`).mtime.getTime());
  return seen;
}

export function download(name, blob) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(blob);
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// Runs the command and downloads every file it wrote.
export async function downloadingWrites(fs, command) {
  const before = stamps(fs);
  await command();
  for (const [name, time] of stamps(fs))
    if (before.get(name) !== time) download(name, new Blob([fs.readFile(`${folder}/${name}`)]));
}

// A name for a file to save, with its suffix; empty when the student cancels.
export function nameToSave(prompt, suffix) {
  const name = (window.prompt(prompt, "") ?? "").trim().replaceAll("/", "_");
  if (name === "") return "";
  return name.toLowerCase().endsWith(suffix) ? name : name + suffix;
}

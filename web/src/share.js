// 分享链接: the circuit and the program, compressed into the fragment of the
// page's address, so a link carries them with no server involved.
const prefix = "#k=";

async function streamed(bytes, transform) {
  return new Uint8Array(await new Response(new Blob([bytes]).stream().pipeThrough(transform)).arrayBuffer());
}

function toBase64Url(bytes) {
  let binary = "";
  for (const byte of bytes) binary += String.fromCharCode(byte);
  return btoa(binary).replaceAll("+", "-").replaceAll("/", "_").replace(/=+$/, "");
}

function fromBase64Url(text) {
  const binary = atob(text.replaceAll("-", "+").replaceAll("_", "/"));
  return Uint8Array.from(binary, (c) => c.charCodeAt(0));
}

export async function shareLink(circuit, program) {
  const json = new TextEncoder().encode(JSON.stringify({ circuit, program }));
  const packed = await streamed(json, new CompressionStream("deflate-raw"));
  return location.href.split("#")[0] + prefix + toBase64Url(packed);
}

// The work a shared link carries, taken out of the address: null when the
// address carries none; throws when it does not decode.
export async function takeSharedWork() {
  if (!location.hash.startsWith(prefix)) return null;
  const packed = location.hash.slice(prefix.length);
  history.replaceState(null, "", location.pathname + location.search);
  const json = await streamed(fromBase64Url(packed), new DecompressionStream("deflate-raw"));
  const work = JSON.parse(new TextDecoder().decode(json));
  if (typeof work.circuit !== "string" || typeof work.program !== "string") throw new Error("not a shared work");
  return work;
}

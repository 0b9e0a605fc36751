// A picture as a one-page A4 PDF, as the window's 导出图片 lays it out: 10 mm
// margins, landscape for a wide picture, the picture as large as fits from
// the top left corner. The page's PDF holds the picture as pixels at print
// resolution (the window's holds vectors).
const pointsPerMm = 72 / 25.4;
const a4 = [210 * pointsPerMm, 297 * pointsPerMm];
const margin = 10 * pointsPerMm;
export const printDpi = 300;

// The page's size and the printable area's in points, for a picture of
// width x height.
export function a4Layout(width, height) {
  const page = width > height ? [a4[1], a4[0]] : a4;
  const area = [page[0] - 2 * margin, page[1] - 2 * margin];
  const fit = Math.min(area[0] / Math.max(width, 1), area[1] / Math.max(height, 1));
  return { page, size: [width * fit, height * fit] };
}

async function deflate(bytes) {
  const stream = new Blob([bytes]).stream().pipeThrough(new CompressionStream("deflate"));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

// rgba: the canvas's pixels, width x height; drawn as `width` x `height`
// picture units.
export async function pdfOfPixels(rgba, pixelWidth, pixelHeight, width, height) {
  const rgb = new Uint8Array(pixelWidth * pixelHeight * 3);
  for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3) rgb.set(rgba.subarray(i, i + 3), j);
  const image = await deflate(rgb);
  const { page, size } = a4Layout(width, height);
  const top = page[1] - margin - size[1];
  const n = (v) => v.toFixed(2);
  const content = `q ${n(size[0])} 0 0 ${n(size[1])} ${n(margin)} ${n(top)} cm /Im0 Do Q\n`;
  const encoder = new TextEncoder();
  const parts = [];
  const offsets = [];
  let length = 0;
  const put = (piece) => {
    const bytes = typeof piece === "string" ? encoder.encode(piece) : piece;
    parts.push(bytes);
    length += bytes.length;
  };
  const object = (body, stream) => {
    offsets.push(length);
    put(`${offsets.length} 0 obj\n${body}\n`);
    if (stream) {
      put("stream\n");
      put(stream);
      put("\nendstream\n");
    }
    put("endobj\n");
  };
  put("%PDF-1.4\n");
  object("<< /Type /Catalog /Pages 2 0 R >>");
  object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
  object(`<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ${n(page[0])} ${n(page[1])}] ` +
    "/Resources << /XObject << /Im0 4 0 R >> >> /Contents 5 0 R >>");
  object(`<< /Type /XObject /Subtype /Image /Width ${pixelWidth} /Height ${pixelHeight} /ColorSpace /DeviceRGB ` +
    `/BitsPerComponent 8 /Filter /FlateDecode /Length ${image.length} >>`, image);
  object(`<< /Length ${content.length} >>`, encoder.encode(content));
  const xref = length;
  put(`xref\n0 ${offsets.length + 1}\n0000000000 65535 f \n`);
  for (const offset of offsets) put(`${String(offset).padStart(10, "0")} 00000 n \n`);
  put(`trailer\n<< /Size ${offsets.length + 1} /Root 1 0 R >>\nstartxref\n${xref}\n%%EOF\n`);
  return new Blob(parts, { type: "application/pdf" });
}

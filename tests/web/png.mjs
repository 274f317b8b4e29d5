// PNG files as the scenario driver and the browsers write them, read back
// as red, green, blue and alpha bytes.
import { readFileSync } from 'node:fs';
import { inflateSync } from 'node:zlib';

export function readPng(file) {
  const data = Buffer.isBuffer(file) ? file : readFileSync(file);
  let at = 8;
  let width = 0, height = 0, colourType = 0;
  const idat = [];
  while (at < data.length) {
    const length = data.readUInt32BE(at);
    const type = data.toString('latin1', at + 4, at + 8);
    const body = data.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0) throw new Error(`${file}: not an 8-bit non-interlaced PNG`);
      colourType = body[9];
    } else if (type === 'IDAT') {
      idat.push(body);
    }
    at += 12 + length;
  }
  const channels = {2: 3, 6: 4, 0: 1, 4: 2}[colourType];
  const raw = inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? pixels[y * stride + x - channels] : 0;
      const b = y > 0 ? pixels[(y - 1) * stride + x] : 0;
      const c = x >= channels && y > 0 ? pixels[(y - 1) * stride + x - channels] : 0;
      const p = a + b - c;
      const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a
        : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
      const predicted = [0, a, b, (a + b) >> 1, paeth][filter];
      pixels[y * stride + x] = (line[x] + predicted) & 0xFF;
    }
  }
  // As red, green, blue and alpha, whatever the file held.
  const rgba = Buffer.alloc(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    const p = pixels.subarray(i * channels, (i + 1) * channels);
    const [r, g, b, a] = channels >= 3 ? [p[0], p[1], p[2], channels === 4 ? p[3] : 255]
      : [p[0], p[0], p[0], channels === 2 ? p[1] : 255];
    rgba.set([r, g, b, a], i * 4);
  }
  return {width, height, rgba};
}

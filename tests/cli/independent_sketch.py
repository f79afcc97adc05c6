#!/usr/bin/env python3
"""A second, independent implementation of the sketch, in plain Python, to check
vellumine-convert's bitmap output pixel for pixel.

It shares no code with the C++ engine: it reads 24-bit bitmaps itself, lays the texture,
runs the region pass with the kernel, the brush and the eraser, and compares the result with
the converter's output for a table of settings on crops of the fixture photographs.

usage: independent_sketch.py VELLUMINE_CONVERT FIXTURES_DIR WORK_DIR
"""
import itertools
import os
import random
import struct
import subprocess
import sys


def read_bmp24(path):
    data = open(path, 'rb').read()
    assert data[:2] == b'BM', path
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height = struct.unpack_from('<ii', data, 18)
    bpp = struct.unpack_from('<H', data, 28)[0]
    assert bpp == 24, (path, bpp)
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        stored = height - 1 - y if height > 0 else y
        start = offset + stored * stride
        rows.append(bytearray(data[start:start + width * 3]))
    return width, abs(height), rows


def write_bmp24(path, width, height, rows):
    stride = (width * 3 + 3) // 4 * 4
    pad = b'\0' * (stride - width * 3)
    body = b''.join(bytes(rows[y]) + pad for y in range(height - 1, -1, -1))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(body), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(body), 0, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + body)


def crop(rows, x, y, w, h):
    return [bytearray(rows[y + r][3 * x:3 * (x + w)]) for r in range(h)]


def tdiv(a, b):
    """Integer division truncating toward zero."""
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b >= 0) else -q


def sketch(width, height, rows, threshold, step, tool, mode, texture=None, stretch=False):
    sw, sh = width + 1, height + 1
    out = [bytearray(b'\xff' * (3 * sw)) for _ in range(sh)]
    if texture is not None:
        tw, th, trows = texture
        for y in range(sh):
            for x in range(sw):
                if stretch:
                    tx, ty = x * tw // sw, y * th // sh
                else:
                    tx, ty = x % tw, y % th
                out[y][3 * x:3 * x + 3] = trows[ty][3 * tx:3 * tx + 3]

    left, top, right, bottom = step, step, width - step, height - step
    cy, cx = tdiv(top + bottom, 2), tdiv(left + right, 2)
    r2 = tdiv((right - left) ** 2, 4)

    def valid(r, c):
        return 0 < r < height - 1 and 0 < c < width - 1

    def disc(r, c):
        return (r - cy) ** 2 + (c - cx) ** 2 < r2

    if tool == 'eraser' and mode == 'freehand':
        for r in range(top, bottom - 1):
            for c in range(left, right - 1):
                if valid(r, c) and disc(r, c):
                    out[r][3 * c:3 * c + 3] = b'\xff\xff\xff'
        return out
    if tool == 'brush':
        cells = [(r, c) for r in range(top + 1, bottom - 1) for c in range(left + 1, right - 1)
                 if valid(r, c) and disc(r, c)]
        if cells:
            sums = [sum(rows[r][3 * c + k] for r, c in cells) for k in range(3)]
            colour = bytes(s // len(cells) for s in sums)
            for r, c in cells:
                out[r][3 * c:3 * c + 3] = colour
        return out

    side = 2 * step + 1
    lower = side * side // 4 // step // step
    upper = 3 * side * side // 4 // step // step
    for r in range(top + step, bottom - 1):
        for c in range(left + step, right - 1):
            if not valid(r, c) or (mode == 'freehand' and not disc(r, c)):
                continue
            p = rows[r][3 * c:3 * c + 3]
            n = d = 0
            for rr in (r - step, r, r + step):
                for cc in (c - step, c, c + step):
                    q = rows[rr][3 * cc:3 * cc + 3]
                    diffs = [p[k] - q[k] for k in range(3)]
                    strength = sum(abs(v) for v in diffs)
                    if sum(diffs) <= 0:
                        d += strength
                        score = strength
                    else:
                        score = -strength
                    if score > threshold:
                        n += 1
            pixel = out[r]
            if tool == 'pen' and lower <= n <= upper:
                pixel[3 * c:3 * c + 3] = b'\0\0\0'
            elif tool == 'pencil' and d > threshold:
                t = d // 3
                for k in range(3):
                    v = pixel[3 * c + k]
                    pixel[3 * c + k] = v - t if v > t else 0
            elif tool == 'pastel' and lower <= n <= upper:
                pixel[3 * c:3 * c + 3] = p
    return out


def main():
    converter, fixtures, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    coffee = read_bmp24(os.path.join(fixtures, 'coffee.bmp'))
    texture_w, texture_h = 23, 17
    texture_rows = crop(coffee[2], 300, 200, texture_w, texture_h)
    texture_path = os.path.join(work, 'texture.bmp')
    write_bmp24(texture_path, texture_w, texture_h, texture_rows)

    rng = random.Random(2026)
    # Crops of odd sizes from the cup's rim and the saucer, where edges of every strength meet.
    crops = [(95, 64, 250, 120), (61, 88, 180, 200), (40, 33, 400, 250), (251, 203, 17, 9)]
    tools = ['pen', 'pencil', 'pastel', 'brush', 'eraser']
    failures = 0
    cases = 0
    for (w, h, x, y), tool, mode in itertools.product(crops, tools, ['automatic', 'freehand']):
        step = rng.choice([1, 1, 2, 3, 4, 7, 15])
        precision = rng.choice([0, 170, 200, rng.randrange(201)])
        layout = rng.choice([None, 'tile', 'stretch'])
        photo_rows = crop(coffee[2], x, y, w, h)
        photo = os.path.join(work, 'photo-%dx%d.bmp' % (w, h))
        write_bmp24(photo, w, h, photo_rows)
        output = os.path.join(work, 'sketch.bmp')
        command = [converter, '--precision', str(precision), '--line', str(step), '--tool', tool,
                   '--mode', mode]
        if layout:
            command += ['--texture', texture_path] + (['--stretch'] if layout == 'stretch' else [])
        subprocess.run(command + [photo, output], check=True)
        got_w, got_h, got = read_bmp24(output)
        texture = (texture_w, texture_h, texture_rows) if layout else None
        expected = sketch(w, h, photo_rows, 200 - precision, step, tool, mode, texture,
                          layout == 'stretch')
        cases += 1
        if (got_w, got_h) != (w + 1, h + 1) or got != expected:
            failures += 1
            print('MISMATCH: %s' % ' '.join(command + [photo]))
    print('%d cases, %d mismatches' % (cases, failures))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())

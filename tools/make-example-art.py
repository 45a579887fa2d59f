#!/usr/bin/env python3
"""Draw the pictures of the example story, examples/lighthouse/image/.

Flat shapes only, drawn with the standard library and written as PNG files,
so anyone may regenerate or change them and the story ships no art of
unknown origin. The output is the same bytes on every run.
"""

import os
import struct
import zlib

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'examples',
                       'lighthouse', 'image')


class Canvas:
    """RGBA pixels, one bytearray per row."""

    def __init__(self, width, height, colour=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.rows = [bytearray(bytes(colour) * width) for _ in range(height)]

    def rect(self, x0, y0, x1, y1, colour):
        x0, x1 = max(0, x0), min(self.width, x1)
        if x1 <= x0:
            return
        for y in range(max(0, y0), min(self.height, y1)):
            self.rows[y][x0 * 4:x1 * 4] = bytes(colour) * (x1 - x0)

    def ellipse(self, cx, cy, rx, ry, colour):
        for y in range(max(0, cy - ry), min(self.height, cy + ry + 1)):
            t = 1 - ((y - cy) / ry) ** 2
            if t < 0:
                continue
            half = int(rx * t ** 0.5)
            self.rect(cx - half, y, cx + half + 1, y + 1, colour)

    def gradient(self, y0, y1, top, bottom):
        for y in range(y0, y1):
            t = (y - y0) / max(1, y1 - y0 - 1)
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,)
            self.rect(0, y, self.width, y + 1, colour)

    def save(self, name):
        raw = b''.join(b'\x00' + bytes(row) for row in self.rows)

        def chunk(kind, data):
            return (struct.pack('>I', len(data)) + kind + data +
                    struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))

        header = struct.pack('>IIBBBBB', self.width, self.height, 8, 6, 0, 0, 0)
        png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
               chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
        with open(os.path.join(OUT_DIR, name), 'wb') as out:
            out.write(png)


SKY, DUSK = (38, 52, 98), (236, 150, 110)
SEA, DEEP = (40, 96, 140), (16, 40, 72)
SAND, ROCK = (214, 190, 140), (96, 88, 84)
WHITE, RED = (240, 236, 228, 255), (190, 48, 44, 255)


def lighthouse(canvas, x, base, scale):
    canvas.rect(x - 30 * scale, base - 220 * scale, x + 30 * scale, base, WHITE)
    for band in range(3):
        top = base - (200 - band * 70) * scale
        canvas.rect(x - 30 * scale, top, x + 30 * scale, top + 24 * scale, RED)
    canvas.rect(x - 22 * scale, base - 260 * scale, x + 22 * scale, base - 220 * scale,
                (250, 226, 120, 255))
    canvas.rect(x - 34 * scale, base - 272 * scale, x + 34 * scale, base - 260 * scale,
                (60, 60, 64, 255))


def sea_view():
    canvas = Canvas(1280, 720)
    canvas.gradient(0, 430, SKY, DUSK)
    canvas.ellipse(980, 430, 90, 90, (250, 210, 140, 255))
    canvas.gradient(430, 720, SEA, DEEP)  # the sun sets behind it
    lighthouse(canvas, 300, 470, 1)
    canvas.ellipse(300, 480, 120, 24, ROCK + (255,))
    canvas.save('sea.png')


def shore():
    canvas = Canvas(1600, 900)
    canvas.gradient(0, 300, SKY, DUSK)
    canvas.gradient(300, 420, SEA, DEEP)
    canvas.rect(0, 420, 1600, 900, SAND + (255,))
    for x in range(0, 1600, 160):
        canvas.ellipse(x + 60, 700 + (x % 3) * 40, 30, 8, (196, 172, 124, 255))
    lighthouse(canvas, 1380, 440, 1)
    canvas.save('shore.png')


def keeper(step):
    canvas = Canvas(64, 128)
    canvas.ellipse(32, 22, 16, 18, (236, 196, 160, 255))
    canvas.rect(14, 40, 50, 92, (40, 70, 120, 255))
    canvas.rect(18, 92, 30, 126 - step * 6, (60, 48, 40, 255))
    canvas.rect(34, 92, 46, 120 + step * 6, (60, 48, 40, 255))
    canvas.rect(12, 2, 52, 10, (200, 180, 60, 255))
    canvas.save('keeper%d.png' % step)


def cat():
    canvas = Canvas(96, 64)
    canvas.ellipse(44, 44, 30, 16, (70, 70, 76, 255))
    canvas.ellipse(74, 28, 14, 13, (70, 70, 76, 255))
    canvas.rect(64, 10, 70, 20, (70, 70, 76, 255))
    canvas.rect(78, 10, 84, 20, (70, 70, 76, 255))
    canvas.rect(10, 30, 16, 46, (70, 70, 76, 255))
    canvas.save('cat.png')


def face():
    canvas = Canvas(256, 256)
    canvas.ellipse(128, 140, 90, 100, (236, 196, 160, 255))
    canvas.rect(38, 40, 218, 70, (200, 180, 60, 255))
    canvas.ellipse(96, 140, 10, 12, (40, 40, 40, 255))
    canvas.ellipse(160, 140, 10, 12, (40, 40, 40, 255))
    canvas.rect(104, 196, 152, 204, (150, 70, 60, 255))
    canvas.save('face.png')


def pointer(over):
    canvas = Canvas(32, 32)
    colour = (250, 226, 120, 255) if over else (255, 255, 255, 255)
    for y in range(24):  # an arrow: a triangle that widens, then narrows to its tail
        canvas.rect(0, y, 1 + (y if y < 16 else 16 - 2 * (y - 16)), y + 1, colour)
    canvas.save('pointer%d.png' % over)


def frame():
    canvas = Canvas(1280, 200, (236, 228, 210, 225))
    canvas.rect(0, 0, 1280, 4, (120, 84, 48, 255))
    canvas.save('frame.png')


if __name__ == '__main__':
    os.makedirs(OUT_DIR, exist_ok=True)
    sea_view()
    shore()
    keeper(0)
    keeper(1)
    cat()
    face()
    pointer(0)
    pointer(1)
    frame()

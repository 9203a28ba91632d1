"""Draws the program icon "Icon" of qbx15: a piece of the control panel
(dark face, the green display, a black knob, the red on/off LED) at 32 x 32
and 16 x 16 pixels, written as a Windows .ico with 32-bit pictures.

    make_icon.py OUTPUT.ico
"""

import math
import struct
import sys

FACE = (58, 60, 64)
FACE_EDGE = (120, 124, 130)
LCD = (150, 166, 112)
LCD_TEXT = (45, 45, 45)
KNOB = (20, 20, 22)
KNOB_RIM = (95, 98, 104)
POINTER = (235, 235, 235)
LED_RED = (220, 30, 30)


def draw(size):
    """Rows of (r, g, b, a), top row first."""
    s = size / 32.0
    rows = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def put(x, y, colour):
        if 0 <= x < size and 0 <= y < size:
            rows[y][x] = colour + (255,)

    for y in range(size):
        for x in range(size):
            edge = x == 0 or y == 0 or x == size - 1 or y == size - 1
            put(x, y, FACE_EDGE if edge else FACE)
    # The display across the top with two lines of "text".
    for y in range(int(3 * s), int(13 * s)):
        for x in range(int(3 * s), int(29 * s)):
            put(x, y, LCD)
    for line_y in (int(6 * s), int(10 * s)):
        for x in range(int(5 * s), int(20 * s)):
            if (x // max(1, int(2 * s))) % 3 != 2:
                put(x, line_y, LCD_TEXT)
    # A knob at the lower left with its pointer at ten o'clock.
    cx, cy, r = 11 * s, 22.5 * s, 7 * s
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                put(x, y, KNOB_RIM if d > r - max(1.0, s) else KNOB)
    angle = math.radians(135)
    for i in range(int(r)):
        put(int(cx + math.cos(angle) * i * 0.9), int(cy - math.sin(angle) * i * 0.9), POINTER)
    # The on/off LED at the lower right.
    lx, ly, lr = 24 * s, 22.5 * s, 3.5 * s
    for y in range(size):
        for x in range(size):
            if math.hypot(x + 0.5 - lx, y + 0.5 - ly) <= lr:
                put(x, y, LED_RED)
    return rows


def icon_image(size):
    """One icon picture: BITMAPINFOHEADER of double height, BGRA rows bottom
    up, then the AND mask (all zero: the alpha channel decides)."""
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def main():
    sizes = (32, 16)
    images = [icon_image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()

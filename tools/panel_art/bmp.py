"""Canvas and BMP writer for the panel artwork.

A Canvas holds RGB tuples. Pictures are snapped to one shared 256-colour
palette, so that every 8-bit picture of the panel carries the same colour
table and a 256-colour screen needs to realise only one palette.
"""

import struct

KEY = (0, 0, 255)  # the transparent colour of the knob and slider pictures


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def get(self, x, y):
        return self.pixels[y][x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills the half-open rectangle [left, right) x [top, bottom)."""
        for y in range(max(0, top), min(self.height, bottom)):
            row = self.pixels[y]
            for x in range(max(0, left), min(self.width, right)):
                row[x] = colour

    def hline(self, left, right, y, colour):
        self.fill(left, y, right + 1, y + 1, colour)

    def vline(self, x, top, bottom, colour):
        self.fill(x, top, x + 1, bottom + 1, colour)

    def shade(self, x, y, delta):
        """Brightens (delta > 0) or darkens one pixel by delta on every channel."""
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = tuple(max(0, min(255, c + delta)) for c in self.pixels[y][x])

    def crop(self, left, top, width, height):
        out = Canvas(width, height)
        for y in range(height):
            for x in range(width):
                out.pixels[y][x] = self.pixels[top + y][left + x]
        return out

    def colours(self):
        return {c for row in self.pixels for c in row}


class Palette:
    """Up to 256 colours; the key colour, when present, is only ever used for
    pixels drawn exactly in the key colour."""

    def __init__(self, colours):
        self.colours = list(dict.fromkeys(colours))
        if len(self.colours) > 256:
            raise ValueError("palette holds %d colours" % len(self.colours))
        self._nearest = {}

    def nearest(self, colour):
        if colour in self._nearest:
            return self._nearest[colour]
        if colour == KEY and KEY in self.colours:
            index = self.colours.index(KEY)
        else:
            best = None
            for i, c in enumerate(self.colours):
                if c == KEY:
                    continue
                # Weighted distance: the eye is most sensitive to green.
                d = 3 * (c[0] - colour[0]) ** 2 + 4 * (c[1] - colour[1]) ** 2 + 2 * (c[2] - colour[2]) ** 2
                if best is None or d < best[0]:
                    best = (d, i)
            index = best[1]
        self._nearest[colour] = index
        return index

    def snap(self, canvas):
        """The canvas redrawn in palette colours."""
        for row in canvas.pixels:
            for x, c in enumerate(row):
                row[x] = self.colours[self.nearest(c)]
        return canvas


def write_bmp(path, canvas, bits, palette):
    """Writes canvas as an uncompressed BMP of the given depth (4 or 8) with a
    full colour table of 2^bits entries, the palette's colours first."""
    entries = 1 << bits
    table = list(palette.colours)
    if len(table) > entries:
        raise ValueError("%s: %d colours do not fit %d bits" % (path, len(table), bits))
    table += [(0, 0, 0)] * (entries - len(table))
    index_of = {c: i for i, c in reversed(list(enumerate(table)))}
    stride = ((canvas.width * bits + 31) // 32) * 4
    rows = []
    for y in range(canvas.height - 1, -1, -1):  # bottom-up
        indices = []
        for c in canvas.pixels[y]:
            if c not in index_of:
                raise ValueError("%s: colour %r not in its palette" % (path, c))
            indices.append(index_of[c])
        if bits == 8:
            row = bytes(indices)
        else:
            if len(indices) % 2:
                indices.append(0)
            row = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
        rows.append(row + b"\0" * (stride - len(row)))
    bits_data = b"".join(rows)
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in table)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, bits, 0,
                         len(bits_data), 2835, 2835, 0, 0)
    offset = 14 + len(header) + len(colour_table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits_data), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(file_header + header + colour_table + bits_data)


def write_png(path, canvas, scale=1):
    """A PNG preview (for reviewing the artwork), optionally enlarged."""
    import zlib
    raw = bytearray()
    for row in canvas.pixels:
        line = bytearray()
        for c in row:
            line.extend(bytes(c) * scale)
        for _ in range(scale):
            raw.append(0)
            raw.extend(line)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", canvas.width * scale, canvas.height * scale, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
                + chunk(b"IEND", b""))

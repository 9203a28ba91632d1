#!/usr/bin/env python3
"""Writes the bitmaps of the Quellbox control panel.

    make_panel_art.py OUTPUT_DIR [--preview DIR]

Every picture is drawn here from code; the 8-bit pictures share one
256-colour table, the 4-bit pictures each carry a 16-colour table taken from
the same colours. --preview also writes enlarged PNGs for review.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from bmp import KEY, Palette, write_bmp, write_png  # noqa: E402
import pictures  # noqa: E402


def small_palette(canvas, limit=16):
    """At most limit colours for a 4-bit picture: the closest pair of colours is
    merged into the more frequent one until the picture fits."""
    counts = {}
    for row in canvas.pixels:
        for c in row:
            counts[c] = counts.get(c, 0) + 1
    mapping = {c: c for c in counts}
    while len(counts) > limit:
        colours = [c for c in counts if c != KEY]
        best = None
        for i, a in enumerate(colours):
            for b in colours[i + 1:]:
                d = sum((a[k] - b[k]) ** 2 for k in range(3))
                if best is None or d < best[0]:
                    best = (d, a, b)
        _, a, b = best
        keep, drop = (a, b) if counts[a] >= counts[b] else (b, a)
        counts[keep] += counts.pop(drop)
        for c, target in mapping.items():
            if target == drop:
                mapping[c] = keep
    for row in canvas.pixels:
        for x, c in enumerate(row):
            row[x] = mapping[c]
    ordered = ([KEY] if KEY in counts else []) + sorted(c for c in counts if c != KEY)
    return Palette(ordered)


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    out = argv[1]
    preview = argv[argv.index("--preview") + 1] if "--preview" in argv else None
    os.makedirs(out, exist_ok=True)
    shared = pictures.shared_palette()

    panel = shared.snap(pictures.background())
    eight_bit = {
        "panel_background": panel,
        "about": shared.snap(pictures.about_picture()),
        "knob": shared.snap(pictures.knob()),
        "onoff_on": shared.snap(pictures.onoff_led(panel, True)),
        "onoff_off": shared.snap(pictures.onoff_led(panel, False)),
    }
    four_bit = {"slider_cap": shared.snap(pictures.slider_cap())}
    for name in ("PLAY", "PAUSE", "STOP"):
        four_bit[name.lower() + "_up"] = shared.snap(pictures.transport_button(name, False))
        four_bit[name.lower() + "_pressed"] = shared.snap(pictures.transport_button(name, True))
    for name, up in (("down", False), ("up", True)):
        four_bit[name + "_up"] = shared.snap(pictures.arrow_button(up, False))
        four_bit[name + "_pressed"] = shared.snap(pictures.arrow_button(up, True))

    for name, canvas in eight_bit.items():
        write_bmp(os.path.join(out, name + ".bmp"), canvas, 8, shared)
    for name, canvas in four_bit.items():
        write_bmp(os.path.join(out, name + ".bmp"), canvas, 4, small_palette(canvas))
    if preview:
        os.makedirs(preview, exist_ok=True)
        for name, canvas in list(eight_bit.items()) + list(four_bit.items()):
            write_png(os.path.join(preview, name + ".png"), canvas, 4)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

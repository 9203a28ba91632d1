"""The pictures of the Quellbox control panel, drawn pixel by pixel."""

import math
import random

from bmp import KEY, Canvas, Palette
from font import LARGE, SMALL, draw_text, engrave, engrave_centred, text_width

PANEL_W, PANEL_H = 370, 92
DISPLAY_TEXT = (45, 45, 45)


def clamp(v):
    return max(0, min(255, int(round(v))))


def metal(v):
    """Dark anodised aluminium of brightness v, with a faint cool cast."""
    return (clamp(v), clamp(v + 1), clamp(v + 5))


def grey(v):
    return (clamp(v), clamp(v), clamp(v))


def mix(a, b, t):
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


# --- the shared palette --------------------------------------------------------

LCD_TOP = (160, 176, 122)
LCD_BOTTOM = (128, 146, 98)
RED_DARK, RED_LIT = (52, 8, 6), (255, 64, 40)


def shared_palette():
    colours = [KEY, (255, 255, 255), DISPLAY_TEXT]
    colours += [metal(v) for v in range(0, 256, 3)]
    colours += [grey(v) for v in range(1, 256, 6)]
    colours += [mix((40, 48, 30), LCD_TOP, i / 23.0) for i in range(24)]
    colours += [mix((196, 210, 160), (235, 240, 215), i / 3.0) for i in range(4)]
    colours += [mix((20, 3, 2), RED_LIT, i / 19.0) for i in range(20)]
    colours += [mix(RED_LIT, (255, 230, 215), i / 5.0) for i in range(1, 6)]
    # The lamp colours of the LED module, so a 256-colour screen shows them true.
    colours += [(255, 40, 30), (255, 200, 190), (200, 20, 15), (90, 18, 14), (130, 45, 40), (65, 12, 10),
                (70, 255, 60), (210, 255, 200), (30, 190, 25), (22, 80, 20), (50, 115, 45), (15, 58, 14)]
    colours += [mix((40, 26, 4), (255, 176, 40), i / 9.0) for i in range(10)]
    colours += [mix((4, 30, 6), (120, 255, 100), i / 9.0) for i in range(10)]
    return Palette(colours)


# --- background -----------------------------------------------------------------

KNOBS = [  # (label, client x, client y) of the six knobs, 30 x 30 each
    ("FREQ", 8, 5), ("DEPTH", 48, 5), ("DEGREE", 88, 5),
    ("RATE", 8, 50), ("FEED", 48, 50), ("MIX", 88, 50),
]
DISPLAY = (135, 18, 98, 38)
SLIDER = (328, 4, 22, 84)
TRACK_TOP, TRACK_LENGTH = 14, 56  # slider client coordinates of the track
GROOVES = (127, 241, 303)


def brushed_metal(canvas, seed=1995):
    rnd = random.Random(seed)
    for y in range(canvas.height):
        base = 60 - 12 * y / canvas.height
        x = 0
        while x < canvas.width:
            run = rnd.randint(6, 60)
            streak = rnd.choice((-4, -2, -1, 0, 0, 1, 2, 3))
            for i in range(x, min(canvas.width, x + run)):
                canvas.set(i, y, metal(base + streak + rnd.uniform(-1.6, 1.6)))
            x += run


def bevel_box(canvas, left, top, right, bottom, light, dark):
    """Shades the edges of [left, right] x [top, bottom] by light (top, left)
    and dark (bottom, right)."""
    for x in range(left, right + 1):
        canvas.shade(x, top, light)
        canvas.shade(x, bottom, dark)
    for y in range(top + 1, bottom):
        canvas.shade(left, y, light)
        canvas.shade(right, y, dark)


def recess(canvas, left, top, right, bottom, floor):
    """A rectangular hole in the panel: dark floor, shadowed upper-left wall,
    lit lower-right lip."""
    canvas.fill(left, top, right + 1, bottom + 1, floor)
    for x in range(left, right + 1):
        canvas.shade(x, top, -10)
        canvas.shade(x, bottom + 1, 28)
    for y in range(top, bottom + 1):
        canvas.shade(left, y, -10)
        canvas.shade(right + 1, y, 20)
    for x in range(left - 1, right + 2):
        canvas.shade(x, top - 1, -22)
    for y in range(top - 1, bottom + 2):
        canvas.shade(left - 1, y, -18)


def knob_well(canvas, cx, cy):
    """The round recess a knob sits in, with its scale of eleven dots."""
    for y in range(int(cy - 17), int(cy + 18)):
        for x in range(int(cx - 17), int(cx + 18)):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            r = math.hypot(dx, dy)
            toward_light = -(dx + dy) / (r * math.sqrt(2)) if r else 0.0
            if r <= 13.5:
                ring = 1.5 if int(r * 1.5) % 2 else -1.0
                canvas.set(x, y, metal(30 + ring - 3 * toward_light))
            elif r <= 14.5:  # inner wall: shadowed where the light comes from
                canvas.set(x, y, metal(30 - 14 * toward_light))
            elif r <= 15.6:  # the lip
                canvas.shade(x, y, int(-30 * toward_light))
    for i in range(11):
        a = math.radians(135 + 27 * i)
        x = int(math.floor(cx + 17.6 * math.cos(a)))
        y = int(math.floor(cy + 17.6 * math.sin(a)))
        bright = 230 if i in (0, 5, 10) else 170
        canvas.shade(x - 1, y - 1, -16)
        canvas.set(x, y, grey(bright))


def fader_scale(canvas):
    sx, sy, sw, sh = SLIDER
    cx = sx + sw // 2
    top, bottom = sy + TRACK_TOP, sy + TRACK_TOP + TRACK_LENGTH
    # The slot the cap runs in.
    canvas.fill(cx - 2, top - 3, cx + 2, bottom + 4, metal(10))
    canvas.vline(cx - 2, top - 3, bottom + 3, metal(4))
    canvas.vline(cx + 1, top - 3, bottom + 3, metal(22))
    canvas.hline(cx - 2, cx + 1, bottom + 4, metal(70))
    canvas.vline(cx + 2, top - 3, bottom + 4, metal(74))
    canvas.hline(cx - 3, cx + 2, top - 4, metal(24))
    canvas.vline(cx - 3, top - 4, bottom + 3, metal(28))
    for db in (3, 0, -3, -10, -20, -40, -90):
        p = 32 if db == 0 else position_for_db(db)  # position 32 is the 0 dB detent
        y = int(top + TRACK_LENGTH * p / 300.0)
        long_tick = db in (3, 0, -90)
        for x in range(cx - (9 if long_tick else 7), cx - 3):
            canvas.set(x, y, grey(205 if long_tick else 150))
        for x in range(cx + 4, cx + (10 if long_tick else 8)):
            canvas.set(x, y, grey(205 if long_tick else 150))
        label = ("+%d" % db) if db > 0 else "%d" % db
        # The two top labels lie close together: each moves a row away from the other.
        label_y = {3: y - 3, 0: y - 1}.get(db, y - 2)
        engrave(canvas, sx - 2 - text_width(label), min(label_y, bottom - 3), label)
    engrave(canvas, sx - 2 - text_width("dB"), sy + 3, "dB")
    engrave(canvas, sx - 2 - text_width("MASTER"), 83, "MASTER")


def master_volume(p):
    return 3 - 0.14299442 * p + 0.0016542398 * p ** 2 - 7.3697501e-6 * p ** 3


def position_for_db(db):
    lo, hi = 0.0, 300.0  # the curve falls monotonically over the track
    for _ in range(60):
        mid = (lo + hi) / 2
        if master_volume(mid) > db:
            lo = mid
        else:
            hi = mid
    return lo


def display_window(canvas):
    x, y, w, h = DISPLAY
    # The bezel: a stepped frame around the glass.
    recess(canvas, x + 2, y + 1, x + w - 4, y + h - 3, metal(22))
    glass = (x + 6, y + 4, x + w - 8, y + h - 6)
    for gy in range(glass[1], glass[3] + 1):
        t = (gy - glass[1]) / float(glass[3] - glass[1])
        for gx in range(glass[0], glass[2] + 1):
            canvas.set(gx, gy, mix(LCD_TOP, LCD_BOTTOM, t))
    # Inner shadow of the bezel on the glass, and the glass's glint.
    for gx in range(glass[0], glass[2] + 1):
        canvas.pixels[glass[1]][gx] = mix(LCD_BOTTOM, (40, 48, 30), 0.55)
        canvas.pixels[glass[1] + 1][gx] = mix(LCD_TOP, (40, 48, 30), 0.25)
    for gy in range(glass[1], glass[3] + 1):
        canvas.pixels[gy][glass[0]] = mix(LCD_BOTTOM, (40, 48, 30), 0.5)
        canvas.pixels[gy][glass[0] + 1] = mix(canvas.pixels[gy][glass[0] + 1], (40, 48, 30), 0.2)


def lamp_socket(canvas, x, y, label):
    recess(canvas, x, y, x + 6, y + 2, metal(6))
    engrave(canvas, x + 10, y - 1, label)


def screw(canvas, cx, cy):
    for yy in range(cy - 3, cy + 4):
        for xx in range(cx - 3, cx + 4):
            dx, dy = xx + 0.5 - (cx + 0.5), yy + 0.5 - (cy + 0.5)
            r = math.hypot(dx, dy)
            if r <= 2.6:
                light = -(dx + dy) / (r * 1.41) if r else 0
                canvas.set(xx, yy, grey(96 + 40 * light))
            elif r <= 3.4:
                canvas.shade(xx, yy, -22)
    for d in (-1, 0, 1):  # the slot of a slotted screw, at an angle
        canvas.set(cx + d, cy - d, grey(34))


def background():
    c = Canvas(PANEL_W, PANEL_H)
    brushed_metal(c)
    bevel_box(c, 0, 0, PANEL_W - 1, PANEL_H - 1, 34, -30)
    bevel_box(c, 1, 1, PANEL_W - 2, PANEL_H - 2, 12, -12)
    for gx in GROOVES:
        for y in range(4, PANEL_H - 4):
            c.shade(gx, y, -26)
            c.shade(gx + 1, y, 16)
    for label, x, y in KNOBS:
        cx, cy = x + 15.5, y + 15.5
        knob_well(c, cx, cy)
        engrave_centred(c, x + 15, y + 33, label)
    display_window(c)
    dx, dy, dw, dh = DISPLAY
    engrave_centred(c, dx + dw // 2, 5, "Quellbox", LARGE, fill=(226, 228, 222), lip=-34)
    # Transport: the two lamps and the key strip.
    lamp_socket(c, 149, 65, "PLAY")
    lamp_socket(c, 181, 65, "PAUSE")
    recess(c, 136, 71, 232, 80, metal(8))
    # Effect selection.
    recess(c, 261, 14, 299, 27, metal(8))
    engrave_centred(c, 280, 6, "EFFECT")
    engrave_centred(c, 270, 31, "DOWN")
    engrave_centred(c, 290, 31, "UP")
    engrave_centred(c, 281, 65, "ON/OFF")
    # The fader.
    fader_scale(c)
    for sx, sy in ((4, 4), (4, 86), (365, 4), (365, 86)):
        screw(c, sx, sy)
    return c


# --- knob -----------------------------------------------------------------------

def knob(size=50, radius=12.5):
    """The knob on a pure blue ground: knurled black skirt and an anodised cap."""
    c = Canvas(size, size, KEY)
    centre = size / 2.0 + 0.5 if size % 2 == 0 else size / 2.0
    s = radius / 12.5
    for y in range(size):
        for x in range(size):
            dx, dy = x + 0.5 - centre, y + 0.5 - centre
            r = math.hypot(dx, dy)
            light = -(dx + dy) / (r * math.sqrt(2)) if r else 0.0
            angle = math.atan2(dy, dx)
            if r <= 9.6 * s:  # the cap
                rings = 1.5 if int(r * 2.2 / s) % 2 else -1.5
                v = 86 + 34 * (-(dx + dy)) / (2 * 9.6 * s) + rings
                glint = math.hypot(dx + 3.8 * s, dy + 3.8 * s)
                if glint < 2.6 * s:
                    v += 30 * (1 - glint / (2.6 * s))
                c.set(x, y, grey(v))
            elif r <= 10.6 * s:  # the chamfer between cap and skirt
                c.set(x, y, grey(30 + 40 * light))
            elif r <= radius:  # the knurled skirt
                ridge = 8 if int((angle + math.pi) / (2 * math.pi) * 40) % 2 else -6
                c.set(x, y, grey(40 + ridge + 16 * light))
            else:
                sr = math.hypot(dx - 1.3 * s, dy - 1.3 * s)
                if sr <= radius + 0.8 * s:
                    c.set(x, y, grey(12))  # its shadow on the well
    return c


# --- slider cap -----------------------------------------------------------------

def slider_cap():
    """A fader cap 18 x 11 with its white index line on the picture's centre row."""
    c = Canvas(70, 70, KEY)
    left, top, w, h = 26, 30, 18, 11
    for y in range(top, top + h):
        for x in range(left, left + w):
            row = y - top
            v = 92 - 5 * row if row < 5 else 58 - 4 * (row - 6)
            c.set(x, y, grey(v))
    for x in range(left, left + w):
        c.set(x, top, grey(150))
        c.set(x, top + h - 1, grey(18))
        c.set(x, top + 5, grey(250))  # index line on row 35
        c.set(x, top + h, grey(10))  # shadow on the panel
    for y in range(top, top + h):
        c.set(left, y, mix(c.get(left, y), (255, 255, 255), 0.35))
        c.set(left + w - 1, y, grey(22))
    c.set(left + w, top + h, KEY)
    return c


# --- buttons ---------------------------------------------------------------------

SYMBOLS = {
    "PLAY": (["100", "110", "111", "110", "100"], (120, 255, 100)),
    "PAUSE": (["11011", "11011", "11011", "11011", "11011"], (255, 176, 40)),
    "STOP": (["1111", "1111", "1111", "1111"], (255, 64, 40)),
}


def key_cap(w, h, pressed):
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            t = y / float(h - 1)
            v = (44 - 8 * t) if pressed else (84 - 30 * t)
            c.set(x, y, grey(v))
    for x in range(w):
        c.set(x, 0, grey(10))
        c.set(x, h - 1, grey(10))
        c.set(x, 1, grey(24 if pressed else 118))
    for y in range(h):
        c.set(0, y, grey(10))
        c.set(w - 1, y, grey(10))
        if 0 < y < h - 1:
            c.set(1, y, grey(26 if pressed else 100))
            c.set(w - 2, y, grey(36 if pressed else 44))
    return c


def transport_button(name, pressed):
    c = key_cap(33, 10, pressed)
    shift = 1 if pressed else 0
    rows, colour = SYMBOLS[name]
    if not pressed:
        colour = mix(colour, (40, 40, 40), 0.35)
    top = 2 + shift + (5 - len(rows)) // 2
    for gy, row in enumerate(rows):
        for gx, bit in enumerate(row):
            if bit == "1":
                c.set(4 + gx, top + gy, colour)
    draw_text(c, 11, 2 + shift, name, grey(236 if pressed else 206))
    return c


def arrow_button(up, pressed):
    c = key_cap(20, 14, pressed)
    shift = 1 if pressed else 0
    colour = grey(236 if pressed else 206)
    for i in range(4):
        half = i if up else 3 - i
        y = 5 + i + shift
        for x in range(10 - half - 1, 10 + half):
            c.set(x, y, colour)
    return c


# --- on/off LED --------------------------------------------------------------------

def onoff_led(panel, lit):
    c = panel.crop(272, 43, 18, 18)
    cx = cy = 9.0
    for y in range(18):
        for x in range(18):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            r = math.hypot(dx, dy)
            light = -(dx + dy) / (r * math.sqrt(2)) if r else 0.0
            if r <= 5.6:
                glint = math.hypot(dx + 2.0, dy + 2.0)
                if lit:
                    v = mix(RED_LIT, (150, 16, 8), min(1.0, r / 5.6) ** 2)
                    if glint < 2.2:
                        v = mix(v, (255, 230, 215), 1 - glint / 2.2)
                else:
                    v = mix((92, 18, 12), RED_DARK, min(1.0, r / 5.6))
                    if glint < 1.6:
                        v = mix(v, (150, 60, 50), 1 - glint / 1.6)
                c.set(x, y, v)
            elif r <= 6.6:
                c.set(x, y, grey(18))
            elif r <= 8.4:  # the chrome bezel
                c.set(x, y, grey(110 + 70 * light))
            elif r <= 9.2:
                c.shade(x, y, int(-28 * light) - 8)
            if lit and 6.6 < r <= 8.4:
                c.set(x, y, mix(c.get(x, y), (255, 64, 40), 0.18))
    return c


# --- About picture ------------------------------------------------------------------

def about_picture():
    c = Canvas(150, 200)
    brushed_metal(c, seed=15)
    bevel_box(c, 0, 0, 149, 199, 34, -30)
    bevel_box(c, 1, 1, 148, 198, 12, -12)

    def big_text(cx, y, text, scale, fill):
        w = text_width(text, LARGE) * scale
        left = cx - w // 2
        from font import text_pixels
        for px, py in text_pixels(text, LARGE):
            for sy in range(scale):
                for sx in range(scale):
                    c.shade(left + px * scale + sx - 1, y + py * scale + sy - 1, -24)
        for px, py in text_pixels(text, LARGE):
            c.fill(left + px * scale, y + py * scale, left + px * scale + scale, y + py * scale + scale, fill)

    big_text(75, 16, "Quellbox", 2, (228, 230, 224))
    engrave_centred(c, 75, 36, "MULTI EFFECT PROCESSOR")
    # A large knob in its well, pointer at twelve o'clock.
    for y in range(44, 124):
        for x in range(35, 115):
            dx, dy = x + 0.5 - 75, y + 0.5 - 84
            r = math.hypot(dx, dy)
            light = -(dx + dy) / (r * 1.41) if r else 0
            if r <= 34:
                c.set(x, y, metal(30 - 3 * light))
            elif r <= 36:
                c.shade(x, y, int(-30 * light))
    k = knob(70, 30.0)
    for y in range(70):
        for x in range(70):
            if k.get(x, y) != KEY:
                c.set(40 + x, 49 + y, k.get(x, y))
    for i in range(11):
        a = math.radians(135 + 27 * i)
        c.set(int(75 + 40 * math.cos(a)), int(84 + 40 * math.sin(a)), grey(230 if i in (0, 5, 10) else 170))
    for d in range(0, 24):
        c.set(75, 84 - d, (255, 255, 255))
        c.set(76, 85 - d, grey(0))
    # A strip of display glass with the banner.
    recess(c, 18, 134, 131, 160, metal(22))
    for y in range(137, 158):
        for x in range(21, 129):
            c.set(x, y, mix(LCD_TOP, LCD_BOTTOM, (y - 137) / 20.0))
    draw_text(c, 30, 140, "QBX v.1.5", DISPLAY_TEXT, LARGE)
    draw_text(c, 22 + 108 - text_width("ZANTIL Soft", LARGE) - 6, 149, "ZANTIL Soft", DISPLAY_TEXT, LARGE)
    engrave_centred(c, 75, 172, "STEREO PHASER FLANGER")
    engrave_centred(c, 75, 180, "CHORUS C-DELAY")
    for sx, sy in ((5, 5), (144, 5), (5, 194), (144, 194)):
        screw(c, sx, sy)
    return c

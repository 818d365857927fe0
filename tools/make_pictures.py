#!/usr/bin/env python3
"""Draws every picture of quillark and quillset and writes them under resources/pictures/.

Run from anywhere: python3 tools/make_pictures.py
Output is byte-for-byte the same on every run (standard library only, no randomness), so the
committed files can be checked by running the script again and comparing.

What it writes:
  frame_*.bmp     the skinned window frame: title bar ends and middle, edges, corners and the
                  four system buttons (24-bit BMP, opaque; the buttons carry the title bar's own
                  gradient behind them so they sit seamlessly on it)
  page1..6.bmp    the 120 x 234 pictures on the left of the client's six wizard pages
  auto.bmp        the illustration beside the step list of the unattended-update page
  glyph_*.bmp     16 x 16 button glyphs; magenta RGB(255,0,255) marks transparent pixels
  quillark.ico    the client's icon, 16 x 16 and 32 x 32, 32-bit with alpha and AND mask
  quillset.ico    the configuration assistant's icon, same formats

Shapes are drawn as signed distance fields and covered per pixel, which gives smooth edges
without any imaging library. The small glyphs are pixel maps so that they stay crisp.
"""

import math
import os
import struct

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "pictures")

# ---------------------------------------------------------------------------------------------
# Colours of the design
# ---------------------------------------------------------------------------------------------

CLIENT_GREY = (207, 207, 207)      # window colour of both programs
KEY_MAGENTA = (255, 0, 255)        # transparent pixels of the button glyphs

FRAME_OUTLINE = (9, 29, 43)        # outermost line around the whole window
FRAME_HIGHLIGHT = (88, 140, 168)   # lit line just inside the outline, top and left
FRAME_BODY = (27, 66, 92)          # edges and corners; also the foot of the title gradient
FRAME_INNER = (13, 37, 54)         # line where the frame meets the client area
TITLE_TOP = (52, 108, 140)         # head of the title gradient (row 2)

WHITE = (255, 255, 255)
AMBER = (246, 178, 62)
AMBER_DARK = (196, 122, 26)
CLOSE_RED = (200, 70, 58)
BANNER_TOP = (74, 142, 172)        # page pictures: light teal at the top ...
BANNER_BOTTOM = (20, 58, 84)       # ... deep teal at the bottom
INK = (236, 243, 247)              # near-white drawing colour on the banners
INK_SHADE = (178, 204, 218)        # shaded faces of the drawings


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def smoothstep(t):
    t = clamp01(t)
    return t * t * (3.0 - 2.0 * t)


# ---------------------------------------------------------------------------------------------
# Signed distance fields: negative inside, positive outside, in pixels
# ---------------------------------------------------------------------------------------------

def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_round_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return f


def sd_segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def f(x, y):
        t = clamp01(((x - ax) * dx + (y - ay) * dy) / length2) if length2 else 0.0
        return math.hypot(x - ax - dx * t, y - ay - dy * t) - width / 2.0
    return f


def sd_polygon(points):
    n = len(points)

    def f(x, y):
        d = (x - points[0][0]) ** 2 + (y - points[0][1]) ** 2
        sign = 1.0
        j = n - 1
        for i in range(n):
            vix, viy = points[i]
            vjx, vjy = points[j]
            ex, ey = vjx - vix, vjy - viy
            wx, wy = x - vix, y - viy
            t = clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey))
            bx, by = wx - ex * t, wy - ey * t
            d = min(d, bx * bx + by * by)
            c1 = y >= viy
            c2 = y < vjy
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                sign = -sign
            j = i
        return sign * math.sqrt(d)
    return f


def sd_union(*fields):
    return lambda x, y: min(f(x, y) for f in fields)


def sd_intersect(*fields):
    return lambda x, y: max(f(x, y) for f in fields)


def sd_subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def sd_outline(field, width):
    return lambda x, y: abs(field(x, y)) - width / 2.0


def sd_arc(cx, cy, r, width, start_deg, end_deg):
    """Ring piece from start to end angle (degrees, counter-clockwise on screen, 0 = right)."""
    ring = sd_outline(sd_circle(cx, cy, r), width)
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    ends = [(cx + r * math.cos(a), cy - r * math.sin(a)) for a in (a0, a1)]
    span = (a1 - a0) % (2 * math.pi)

    def f(x, y):
        angle = (math.atan2(cy - y, x - cx) - a0) % (2 * math.pi)
        if angle <= span:
            return ring(x, y)
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - width / 2.0
    return f


def sd_translate(field, dx, dy):
    return lambda x, y: field(x - dx, y - dy)


# ---------------------------------------------------------------------------------------------
# Canvas with straight alpha; BMP pictures use it fully opaque, icons use the alpha
# ---------------------------------------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0), alpha=1.0):
        self.width, self.height = width, height
        self.rgb = [[tuple(float(c) for c in colour)] * width for _ in range(height)]
        self.alpha = [[alpha] * width for _ in range(height)]

    def blend(self, x, y, colour, a):
        if a <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        under = self.rgb[y][x]
        ua = self.alpha[y][x]
        out_a = a + ua * (1.0 - a)
        if out_a <= 0.0:
            return
        self.rgb[y][x] = tuple((colour[i] * a + under[i] * ua * (1.0 - a)) / out_a for i in range(3))
        self.alpha[y][x] = out_a

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rgb[y][x] = tuple(float(c) for c in colour)
            self.alpha[y][x] = 1.0

    def get(self, x, y):
        return self.rgb[y][x]

    def fill_rect(self, x0, y0, x1, y1, colour):
        """Fills columns x0..x1-1 and rows y0..y1-1; colour may be a function of (x, y)."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.set(x, y, colour(x, y) if callable(colour) else colour)

    def shape(self, field, colour, opacity=1.0, box=None, soft=0.0):
        """Covers every pixel by the field; `soft` widens the edge into a blur (for shadows)."""
        x0, y0, x1, y1 = box if box else (0, 0, self.width, self.height)
        edge = 0.5 + soft
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                d = field(x + 0.5, y + 0.5)
                if d >= edge:
                    continue
                cover = smoothstep((edge - d) / (2.0 * edge)) if soft else clamp01(0.5 - d)
                c = colour(x, y) if callable(colour) else colour
                self.blend(x, y, c, cover * opacity)

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.blend(left + x, top + y, other.rgb[y][x], other.alpha[y][x])

    def pixels(self):
        return [[tuple(int(round(min(255.0, max(0.0, c)))) for c in row[x]) for x in range(self.width)]
                for row in self.rgb]


def vertical(stops):
    """Colour through (row, colour) stops; called as f(y) or, as a shape colour, f(x, y)."""
    def colour_at(*xy):
        y = xy[-1]
        if y <= stops[0][0]:
            return stops[0][1]
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if y <= p1:
                return mix(c0, c1, (y - p0) / float(p1 - p0))
        return stops[-1][1]
    return colour_at


# ---------------------------------------------------------------------------------------------
# File formats
# ---------------------------------------------------------------------------------------------

def bmp_bytes(canvas):
    """24-bit uncompressed BMP: rows bottom-up, BGR, each row padded to 4 bytes."""
    row_size = (canvas.width * 3 + 3) & ~3
    pixels = canvas.pixels()
    body = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        body += row
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(body),
                       2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return header + info + bytes(body)


def icon_image_bytes(canvas):
    """One icon image: BITMAPINFOHEADER of double height, BGRA rows bottom-up, AND mask."""
    w, h = canvas.width, canvas.height
    pixels = canvas.pixels()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b = pixels[y][x]
            a = int(round(clamp01(canvas.alpha[y][x]) * 255))
            xor += bytes((b, g, r, a))
    mask_row = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(w):
            if canvas.alpha[y][x] < 0.5 / 255:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(canvases):
    images = [icon_image_bytes(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for canvas, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


def write(name, data):
    path = os.path.join(OUT_DIR, name)
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------------------------------------
# The window frame
# ---------------------------------------------------------------------------------------------

TITLE_VISIBLE = 40   # the title panel shows the top 40 of the 49 rows of its pictures
TITLE_HEIGHT = 49

title_gradient = vertical([(2, TITLE_TOP), (20, mix(TITLE_TOP, FRAME_BODY, 0.55)), (38, FRAME_BODY)])


def title_row_colour(y):
    """Colour of the plain title bar at row y (the same at every column)."""
    if y == 0:
        return FRAME_OUTLINE
    if y == 1:
        return FRAME_HIGHLIGHT
    if y == TITLE_VISIBLE - 1:
        return FRAME_INNER
    if y >= TITLE_VISIBLE:
        return FRAME_BODY
    colour = title_gradient(y)
    if y < 18:   # a faint sheen over the upper half gives the bar some depth
        colour = mix(colour, WHITE, 0.06 * (1.0 - (y - 2) / 16.0))
    return colour


def plain_title(width):
    canvas = Canvas(width, TITLE_HEIGHT)
    canvas.fill_rect(0, 0, width, TITLE_HEIGHT, lambda x, y: title_row_colour(y))
    return canvas


def left_edge_column_colour(x):
    """Colour of column x of the left edge, outside (0) to inside (9)."""
    return [FRAME_OUTLINE, FRAME_HIGHLIGHT, FRAME_BODY, FRAME_BODY, FRAME_BODY, FRAME_BODY,
            FRAME_BODY, FRAME_BODY, mix(FRAME_BODY, FRAME_INNER, 0.5), FRAME_INNER][x]


def right_edge_column_colour(x):
    """Colour of column x of the 13-wide right edge, inside (0) to outside (12)."""
    if x == 0:
        return FRAME_INNER
    if x == 1:
        return mix(FRAME_BODY, FRAME_INNER, 0.5)
    if x == 12:
        return FRAME_OUTLINE
    return mix(FRAME_BODY, FRAME_OUTLINE, 0.04 * (x - 2))   # darkens slightly outwards


def bottom_row_colour(y):
    """Colour of row y of the 12-high bottom edge, inside (0) to outside (11)."""
    if y == 0:
        return FRAME_INNER
    if y == 1:
        return mix(FRAME_BODY, FRAME_INNER, 0.5)
    if y == 11:
        return FRAME_OUTLINE
    return mix(FRAME_BODY, FRAME_OUTLINE, 0.04 * (y - 2))


def app_mark(canvas, left, top, size, program="client"):
    """The program's badge: a rounded tile with a white quill; the client adds an amber arrow
    going up (the update), the assistant two slider knobs (the settings). Below 24 pixels the
    tile fills the square and the strokes are heavier, so the mark still reads at 16 x 16."""
    s = size / 32.0
    small = size < 24

    def p(x, y):
        return (left + x * s, top + y * s)

    inset = 0.6 if small else 1.0
    tile = sd_round_rect(*p(inset, inset), *p(32 - inset, 32 - inset), 6.5 * s)
    if not small:
        canvas.shape(sd_translate(tile, 0, 0.8 * s), (0, 0, 0), 0.35, soft=1.2 * s)
    light, deep = ((78, 168, 196), (22, 92, 128)) if program == "client" else \
        ((120, 150, 196), (44, 70, 128))
    canvas.shape(tile, vertical([(top, light), (top + size, deep)]))
    canvas.shape(sd_outline(tile, 1.0), WHITE, 0.2 if small else 0.18)

    # Feather: a tilted leaf from lower left to upper right, with its shaft.
    if small:
        vane = sd_polygon([p(5, 26), p(7.5, 17), p(14, 8.5), p(23, 3.5), p(28.5, 3.5),
                           p(27.5, 9), p(21, 17), p(12, 24.5)])
    else:
        notch = sd_polygon([p(21, 16), p(24.5, 13.5), p(22, 12.5)])
        vane = sd_subtract(sd_polygon([p(9, 25), p(11, 17), p(16, 10), p(24, 5), p(27, 5),
                                       p(26, 9), p(21, 16), p(14, 22)]), notch)
    canvas.shape(vane, WHITE)
    canvas.shape(sd_segment(*(p(4, 28.5) if small else p(7, 27)), *p(20, 12),
                            (2.2 if small else 1.3) * s), deep)
    if program == "client":
        shaft = 4.2 if small else 2.8
        canvas.shape(sd_segment(*p(24.5, 29 if small else 27.5), *p(24.5, 21), shaft * s), AMBER)
        canvas.shape(sd_polygon([p(18, 22.5), p(24.5, 14), p(31, 22.5)] if small else
                                [p(19.5, 21.5), p(24.5, 15.5), p(29.5, 21.5)]), AMBER)
    else:
        bar = (2.6 if small else 1.6) * s
        knob = (3.4 if small else 2.3) * s
        canvas.shape(sd_segment(*p(17, 21), *p(29, 21), bar), (220, 230, 245))
        canvas.shape(sd_segment(*p(17, 27), *p(29, 27), bar), (220, 230, 245))
        canvas.shape(sd_circle(*p(21, 21), knob), AMBER)
        canvas.shape(sd_circle(*p(26, 27), knob), AMBER)


def frame_top_left():
    canvas = plain_title(81)
    for y in range(1, TITLE_HEIGHT):
        canvas.set(0, y, FRAME_OUTLINE)
        if y >= 2:
            canvas.set(1, y, FRAME_HIGHLIGHT)
    canvas.set(1, 1, FRAME_HIGHLIGHT)
    # Soft glow behind the mark that fades out well before the picture's right end.
    canvas.shape(sd_circle(22, 15, 14), (120, 190, 215), 0.12, box=(2, 2, 81, TITLE_VISIBLE - 1),
                 soft=14)
    app_mark(canvas, 12, 6, 19)
    return canvas


def frame_top_center():
    return plain_title(1024)


def frame_top_right():
    canvas = plain_title(94)
    for y in range(1, TITLE_HEIGHT):
        canvas.set(93, y, FRAME_OUTLINE)
    return canvas


def frame_left():
    canvas = Canvas(10, 800)
    canvas.fill_rect(0, 0, 10, 800, lambda x, y: left_edge_column_colour(x))
    return canvas


def frame_right():
    canvas = Canvas(13, 800)
    canvas.fill_rect(0, 0, 13, 800, lambda x, y: right_edge_column_colour(x))
    return canvas


def frame_bottom_center():
    # Placed 8 pixels from the window's left, over the inner columns of the bottom-left corner,
    # so its first two columns finish the left edge's inner lines into the corner.
    canvas = Canvas(1024, 12)
    canvas.fill_rect(0, 0, 1024, 12, lambda x, y: bottom_row_colour(y))
    for y in range(1, 11):
        canvas.set(0, y, bottom_row_colour(y))
    canvas.set(0, 0, mix(FRAME_BODY, FRAME_INNER, 0.5))
    return canvas


def frame_bottom_left():
    canvas = Canvas(10, 12)
    for y in range(12):
        for x in range(10):
            if y == 11 or x == 0:
                colour = FRAME_OUTLINE
            elif x == 1:
                colour = FRAME_HIGHLIGHT
            elif x >= 8 and y <= 1:
                colour = left_edge_column_colour(x)
            else:
                colour = bottom_row_colour(y) if y >= 2 else FRAME_BODY
            canvas.set(x, y, colour)
    return canvas


def frame_bottom_right():
    # Shown 12 wide at the window's right: picture column c lies under right-edge column c + 1,
    # and column 12 is clipped away. The two inner lines turn the corner of the client area;
    # outside them the edge's and the bottom's shading meet on the diagonal.
    canvas = Canvas(13, 12)
    for y in range(12):
        for x in range(13):
            column = x + 1
            if column >= 12 or y == 11:
                colour = FRAME_OUTLINE
            elif y <= 1:
                colour = right_edge_column_colour(column)
            elif column == 1:
                colour = bottom_row_colour(y)
            else:
                colour = mix(FRAME_BODY, FRAME_OUTLINE, 0.04 * max(column - 2, y - 2))
            canvas.set(x, y, colour)
    return canvas


SYSTEM_BUTTON_TOP = 4   # the buttons sit 4 rows below the top of the title bar


def system_button(glyph_kind):
    canvas = Canvas(17, 19)
    canvas.fill_rect(0, 0, 17, 19, lambda x, y: title_row_colour(y + SYSTEM_BUTTON_TOP))
    body = sd_round_rect(0.5, 1.5, 16.5, 17.5, 3.5)
    if glyph_kind == "close":
        canvas.shape(body, vertical([(1, (224, 104, 88)), (17, (170, 48, 40))]))
        canvas.shape(sd_outline(body, 1.0), (110, 28, 22), 0.8)
    else:
        canvas.shape(body, WHITE, 0.10)
        canvas.shape(sd_outline(body, 1.0), (150, 196, 218), 0.55)
    ink = WHITE
    if glyph_kind == "min":
        canvas.fill_rect(5, 12, 12, 14, ink)
    elif glyph_kind == "max":
        canvas.fill_rect(4, 5, 13, 7, ink)
        canvas.fill_rect(4, 7, 5, 14, ink)
        canvas.fill_rect(12, 7, 13, 14, ink)
        canvas.fill_rect(4, 13, 13, 14, ink)
    elif glyph_kind == "restore":
        back = (6, 4, 13, 10)
        front = (4, 7, 11, 14)
        canvas.fill_rect(back[0], back[1], back[2], back[1] + 2, ink)
        canvas.fill_rect(back[2] - 1, back[1], back[2], back[3], ink)
        canvas.fill_rect(front[2], back[3] - 1, back[2], back[3], ink)
        canvas.fill_rect(front[0], front[1], front[2], front[1] + 2, ink)
        canvas.fill_rect(front[0], front[1], front[0] + 1, front[3], ink)
        canvas.fill_rect(front[2] - 1, front[1], front[2], front[3], ink)
        canvas.fill_rect(front[0], front[3] - 1, front[2], front[3], ink)
        canvas.fill_rect(back[0], back[1], back[0] + 1, front[1], ink)
    elif glyph_kind == "close":
        canvas.shape(sd_segment(5.2, 6.2, 11.8, 12.8, 1.9), ink)
        canvas.shape(sd_segment(11.8, 6.2, 5.2, 12.8, 1.9), ink)
    return canvas


# ---------------------------------------------------------------------------------------------
# Page pictures of the client's wizard
# ---------------------------------------------------------------------------------------------

PAGE_W, PAGE_H = 120, 234


def banner(width, height, step=None, steps=5):
    canvas = Canvas(width, height)
    grad = vertical([(0, BANNER_TOP), (height, BANNER_BOTTOM)])
    canvas.fill_rect(0, 0, width, height, lambda x, y: grad(y))
    # Large faint rings in the corner and a soft wave at the foot: the same on every page.
    canvas.shape(sd_outline(sd_circle(width + 10, -20, 70), 16), WHITE, 0.05)
    canvas.shape(sd_outline(sd_circle(width + 10, -20, 100), 6), WHITE, 0.04)
    wave = lambda x, y: y - (height - 30 + 7 * math.sin(x / width * math.pi * 1.6 + 0.6))
    canvas.shape(wave, WHITE, 0.06)
    wave2 = lambda x, y: y - (height - 18 + 5 * math.sin(x / width * math.pi * 1.2 + 2.2))
    canvas.shape(wave2, (0, 0, 0), 0.10)
    if step is not None:
        gap = 12
        first = width / 2.0 - gap * (steps - 1) / 2.0
        for i in range(steps):
            cx = first + gap * i
            if i + 1 == step:
                canvas.shape(sd_circle(cx, height - 14, 3.2), AMBER)
            else:
                canvas.shape(sd_circle(cx, height - 14, 2.4), WHITE, 0.45)
    # A darker line on the right separates the picture from the page beside it.
    for y in range(height):
        canvas.blend(width - 1, y, (0, 0, 0), 0.25)
    return canvas


def shadowed(canvas, field, colour, opacity=1.0, lift=2.0):
    canvas.shape(sd_translate(field, 0, lift), (0, 0, 0), 0.28, soft=2.5)
    canvas.shape(field, colour, opacity)


def arrow_down(canvas, cx, top, bottom, width, colour):
    head = width * 2.2
    canvas.shape(sd_segment(cx, top, cx, bottom - head * 0.6, width), colour)
    canvas.shape(sd_polygon([(cx - head, bottom - head), (cx + head, bottom - head), (cx, bottom)]),
                 colour)


def motif_signpost(c):
    """Mode choice: a signpost with one board to each side."""
    c.shape(sd_translate(sd_round_rect(56, 40, 64, 170, 3), 0, 2), (0, 0, 0), 0.25, soft=2.5)
    c.shape(sd_round_rect(56, 40, 64, 170, 3), vertical([(40, INK), (170, INK_SHADE)]))
    c.shape(sd_round_rect(38, 166, 82, 174, 4), INK_SHADE)
    right = sd_polygon([(48, 56), (98, 56), (110, 70), (98, 84), (48, 84)])
    left = sd_polygon([(72, 96), (22, 96), (10, 110), (22, 124), (72, 124)])
    shadowed(c, right, INK)
    shadowed(c, left, AMBER)
    # Symbols on the boards: a small cloud (Internet) and a small folder (local network).
    cloud = sd_union(sd_circle(70, 72, 6), sd_circle(78, 68, 7), sd_circle(86, 72, 5.5),
                     sd_round_rect(64, 70, 92, 78, 4))
    c.shape(cloud, (44, 110, 142))
    folder = sd_union(sd_round_rect(28, 104, 50, 118, 2), sd_round_rect(28, 101, 38, 106, 2))
    c.shape(folder, (150, 92, 18))
    c.shape(sd_circle(60, 44, 3), (44, 110, 142))


def motif_servers(c):
    """Server choice: a stack of three server units with their lights, and a globe."""
    c.shape(sd_outline(sd_circle(60, 62, 30), 2.5), WHITE, 0.55)
    c.shape(sd_outline(sd_intersect(sd_circle(60, 62, 30),
                                    lambda x, y: abs(math.hypot((x - 60) * 2.2, y - 62)) - 30),
                       2.0), WHITE, 0.45)
    c.shape(sd_intersect(sd_circle(60, 62, 30), sd_segment(30, 62, 90, 62, 2.0)), WHITE, 0.45)
    c.shape(sd_intersect(sd_circle(60, 62, 30), sd_segment(30, 48, 90, 48, 1.6)), WHITE, 0.35)
    c.shape(sd_intersect(sd_circle(60, 62, 30), sd_segment(30, 76, 90, 76, 1.6)), WHITE, 0.35)
    c.shape(sd_segment(60, 92, 60, 104, 3), WHITE, 0.6)
    for i, top in enumerate((104, 130, 156)):
        unit = sd_round_rect(26, top, 94, top + 22, 4)
        shadowed(c, unit, vertical([(top, INK), (top + 22, INK_SHADE)]))
        for slot in range(3):
            c.shape(sd_round_rect(34, top + 6 + slot * 4, 62, top + 7.6 + slot * 4, 0.8),
                    (96, 130, 150))
        c.shape(sd_circle(78, top + 11, 2.6), AMBER if i == 0 else (96, 200, 120))
        c.shape(sd_circle(86, top + 11, 2.6), (96, 200, 120))


def motif_lan_folder(c):
    """LAN folder: an open folder linked to three computers of the local network."""
    back = sd_union(sd_round_rect(22, 46, 98, 104, 5), sd_round_rect(22, 40, 56, 52, 4))
    shadowed(c, back, (206, 150, 56))
    c.shape(sd_round_rect(30, 50, 90, 96, 2), WHITE)
    for i in range(4):
        c.shape(sd_segment(38, 60 + i * 8, 82 - (i % 2) * 12, 60 + i * 8, 2), (150, 170, 184))
    front = sd_polygon([(18, 66), (102, 66), (98, 108), (22, 108)])
    front = sd_intersect(front, sd_round_rect(14, 62, 106, 108, 4))
    c.shape(front, vertical([(66, AMBER), (108, AMBER_DARK)]))
    c.shape(sd_segment(60, 108, 60, 130, 3), INK)
    c.shape(sd_segment(24, 130, 96, 130, 3), INK)
    for cx in (24, 60, 96):
        c.shape(sd_segment(cx, 130, cx, 142, 3), INK)
        screen = sd_round_rect(cx - 14, 142, cx + 14, 162, 3)
        shadowed(c, screen, INK)
        c.shape(sd_round_rect(cx - 11, 145, cx + 11, 159, 1.5), (44, 110, 142))
        c.shape(sd_round_rect(cx - 8, 165, cx + 8, 169, 2), INK_SHADE)


def motif_manifest(c):
    """Manifest download: a list document with check marks and a down arrow into it."""
    page = sd_round_rect(28, 70, 92, 168, 5)
    fold = sd_polygon([(78, 70), (92, 84), (92, 70)])
    sheet = sd_subtract(page, fold)
    shadowed(c, sheet, INK)
    c.shape(sd_polygon([(78, 70), (78, 84), (92, 84)]), INK_SHADE)
    for i in range(6):
        y = 96 + i * 11
        c.shape(sd_segment(38, y - 2, 41, y + 1, 1.8), (40, 150, 90))
        c.shape(sd_segment(41, y + 1, 46, y - 5, 1.8), (40, 150, 90))
        c.shape(sd_segment(52, y - 1, 82 - (i % 3) * 7, y - 1, 2.4), (150, 170, 184))
    c.shape(sd_circle(60, 50, 19), AMBER)
    c.shape(sd_outline(sd_circle(60, 50, 19), 1.2), AMBER_DARK, 0.7)
    arrow_down(c, 60, 38, 62, 5, WHITE)


def motif_file_download(c):
    """File download: a cloud sending an arrow down to a progress bar."""
    cloud = sd_union(sd_circle(42, 72, 15), sd_circle(64, 62, 21), sd_circle(84, 74, 13),
                     sd_round_rect(28, 70, 96, 88, 9))
    shadowed(c, cloud, vertical([(40, WHITE), (88, INK_SHADE)]))
    arrow_down(c, 60, 80, 134, 7, AMBER)
    bar = sd_round_rect(20, 148, 100, 162, 7)
    shadowed(c, bar, (18, 52, 76))
    c.shape(sd_round_rect(22, 150, 74, 160, 5), vertical([(150, (120, 214, 140)),
                                                           (160, (52, 160, 84))]))
    c.shape(sd_outline(bar, 1.2), WHITE, 0.5)
    # The files of the update: two already fetched, one still to come.
    for i, x in enumerate((34, 60, 86)):
        sheet = sd_subtract(sd_round_rect(x - 8, 170, x + 8, 190, 2),
                            sd_polygon([(x + 3, 169), (x + 9, 169), (x + 9, 175)]))
        opacity = 1.0 if i < 2 else 0.45
        c.shape(sheet, INK, opacity)
        c.shape(sd_polygon([(x + 3, 170), (x + 3, 175), (x + 8, 175)]), INK_SHADE, opacity)
        for line in range(3):
            c.shape(sd_segment(x - 4, 178 + line * 4, x + 4 - (line % 2) * 3, 178 + line * 4, 1.4),
                    (150, 170, 184), opacity)


def gear_field(cx, cy, outer, inner, teeth, hole):
    body = sd_circle(cx, cy, inner)

    def tooth_ring(x, y):
        angle = math.atan2(y - cy, x - cx)
        sector = (angle * teeth / (2 * math.pi)) % 1.0
        r = math.hypot(x - cx, y - cy)
        within = abs(sector - 0.5) * 2.0   # 0 at the tooth's middle, 1 between teeth
        edge = outer if within < 0.45 else inner
        return r - edge
    return sd_subtract(sd_union(body, tooth_ring), sd_circle(cx, cy, hole))


def motif_auto_update(c):
    """Automatic update: a gear inside two circling arrows."""
    cy = 106
    c.shape(sd_arc(60, cy, 44, 6, 110, 250), AMBER)
    c.shape(sd_arc(60, cy, 44, 6, 290, 70), AMBER)
    for angle in (110, 290):
        a = math.radians(angle)
        tip = (60 + 44 * math.cos(a), cy - 44 * math.sin(a))
        tangent = (math.sin(a), math.cos(a))     # clockwise direction on screen
        normal = (math.cos(a), -math.sin(a))
        head = [(tip[0] + tangent[0] * 11, tip[1] + tangent[1] * 11),
                (tip[0] + normal[0] * 9, tip[1] + normal[1] * 9),
                (tip[0] - normal[0] * 9, tip[1] - normal[1] * 9)]
        c.shape(sd_polygon(head), AMBER)
    gear = gear_field(60, cy, 27, 21, 9, 8)
    shadowed(c, gear, vertical([(cy - 27, WHITE), (cy + 27, INK_SHADE)]))
    c.shape(sd_outline(sd_circle(60, cy, 13), 1.5), (150, 176, 192), 0.8)


def page_picture(number):
    canvas = banner(PAGE_W, PAGE_H, step=number if number <= 5 else None)
    [motif_signpost, motif_servers, motif_lan_folder, motif_manifest, motif_file_download,
     motif_auto_update][number - 1](canvas)
    return canvas


def auto_picture():
    """Beside the unattended page's step list: a screen whose window is being updated."""
    size = 120
    canvas = Canvas(size, size)
    grad = vertical([(0, BANNER_TOP), (size, BANNER_BOTTOM)])
    canvas.fill_rect(0, 0, size, size, lambda x, y: grad(y))
    canvas.shape(sd_outline(sd_circle(size + 6, -12, 56), 12), WHITE, 0.05)
    screen = sd_round_rect(16, 22, 104, 84, 5)
    shadowed(canvas, screen, (230, 238, 243))
    canvas.shape(sd_round_rect(21, 27, 99, 79, 2), (30, 74, 104))
    canvas.shape(sd_round_rect(28, 34, 92, 72, 2), (210, 222, 230))
    canvas.shape(sd_round_rect(28, 34, 92, 41, 2), (52, 108, 140))
    canvas.shape(sd_round_rect(34, 56, 86, 63, 3), (150, 170, 184))
    canvas.shape(sd_round_rect(34, 56, 68, 63, 3), (64, 176, 96))
    canvas.shape(sd_segment(34, 49, 70, 49, 2), (150, 170, 184))
    canvas.shape(sd_polygon([(52, 84), (68, 84), (72, 98), (48, 98)]), INK_SHADE)
    canvas.shape(sd_round_rect(38, 96, 82, 102, 3), INK)
    badge = sd_circle(94, 84, 13)
    shadowed(canvas, badge, AMBER)
    canvas.shape(sd_segment(94, 91, 94, 80, 3), WHITE)
    canvas.shape(sd_polygon([(87.5, 83), (94, 75.5), (100.5, 83)]), WHITE)
    for x in range(size):
        canvas.blend(x, 0, (0, 0, 0), 0.25)
        canvas.blend(x, size - 1, (0, 0, 0), 0.25)
    for y in range(1, size - 1):
        canvas.blend(0, y, (0, 0, 0), 0.25)
        canvas.blend(size - 1, y, (0, 0, 0), 0.25)
    return canvas


# ---------------------------------------------------------------------------------------------
# Button glyphs: pixel maps, '.' transparent
# ---------------------------------------------------------------------------------------------

GLYPH_MAPS = {
    "prev": [
        "................",
        "................",
        "......o.........",
        ".....oo.........",
        "....oxo.........",
        "...oxxoooooooo..",
        "..oxxxxxxxxxxo..",
        ".oxxxxxxxxxxxo..",
        ".oxxxxxxxxxxxo..",
        "..oxxxxxxxxxxo..",
        "...oxxoooooooo..",
        "....oxo.........",
        ".....oo.........",
        "......o.........",
        "................",
        "................",
    ],
    "cancel": [
        "................",
        "................",
        "..ooo.....ooo...",
        "..oxxo...oxxo...",
        "..oxxxo.oxxxo...",
        "...oxxxoxxxo....",
        "....oxxxxxo.....",
        ".....oxxxo......",
        "....oxxxxxo.....",
        "...oxxxoxxxo....",
        "..oxxxo.oxxxo...",
        "..oxxo...oxxo...",
        "..ooo.....ooo...",
        "................",
        "................",
        "................",
    ],
}
GLYPH_MAPS["next"] = [row[::-1] for row in GLYPH_MAPS["prev"]]


def pixel_map(field, size=16):
    """Pixel map of a shape: 'x' inside, 'o' for inside pixels that touch the outside."""
    inside = [[field(x + 0.5, y + 0.5) <= 0.0 for x in range(size)] for y in range(size)]

    def solid(x, y):
        return 0 <= x < size and 0 <= y < size and inside[y][x]
    rows = []
    for y in range(size):
        row = ""
        for x in range(size):
            if not inside[y][x]:
                row += "."
            elif all(solid(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                row += "x"
            else:
                row += "o"
        rows.append(row)
    return rows


GLYPH_MAPS["start"] = pixel_map(sd_polygon([(3.0, 1.0), (3.0, 15.0), (14.0, 8.0)]))
GLYPH_COLOURS = {
    "prev": ((40, 112, 150), (14, 58, 84)),
    "next": ((40, 112, 150), (14, 58, 84)),
    "start": ((52, 160, 84), (18, 84, 40)),
    "cancel": ((206, 64, 52), (120, 26, 20)),
}


def glyph(kind):
    rows = GLYPH_MAPS[kind]
    fill, line = GLYPH_COLOURS[kind]
    canvas = Canvas(16, 16, KEY_MAGENTA)
    for y, row in enumerate(rows):
        assert len(row) == 16, (kind, y)
        for x, ch in enumerate(row):
            if ch == "x":
                # A light top fading to the full colour gives the flat glyph a little volume.
                canvas.set(x, y, mix(mix(fill, WHITE, 0.35), fill, min(1.0, y / 9.0)))
            elif ch == "o":
                canvas.set(x, y, line)
    return canvas


# ---------------------------------------------------------------------------------------------
# Icons
# ---------------------------------------------------------------------------------------------

def icon(program, size):
    canvas = Canvas(size, size, (0, 0, 0), alpha=0.0)
    app_mark(canvas, 0, 0, size, program)
    return canvas


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    pictures = {
        "frame_top_left.bmp": frame_top_left,
        "frame_top_center.bmp": frame_top_center,
        "frame_top_right.bmp": frame_top_right,
        "frame_left.bmp": frame_left,
        "frame_right.bmp": frame_right,
        "frame_bottom_left.bmp": frame_bottom_left,
        "frame_bottom_center.bmp": frame_bottom_center,
        "frame_bottom_right.bmp": frame_bottom_right,
        "frame_min.bmp": lambda: system_button("min"),
        "frame_max.bmp": lambda: system_button("max"),
        "frame_restore.bmp": lambda: system_button("restore"),
        "frame_close.bmp": lambda: system_button("close"),
        "auto.bmp": auto_picture,
    }
    for number in range(1, 7):
        pictures["page%d.bmp" % number] = (lambda n: lambda: page_picture(n))(number)
    for kind in ("prev", "next", "start", "cancel"):
        pictures["glyph_%s.bmp" % kind] = (lambda k: lambda: glyph(k))(kind)
    for name in sorted(pictures):
        write(name, bmp_bytes(pictures[name]()))
    for program, name in (("client", "quillark.ico"), ("assistant", "quillset.ico")):
        write(name, ico_bytes([icon(program, 16), icon(program, 32)]))


if __name__ == "__main__":
    main()

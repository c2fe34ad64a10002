#!/usr/bin/env python3
"""Draws Zevrin's own images: the application icon, the cursors, the bar art and the playlist
pane's icons. Writes Windows .ico, .cur, .bmp and .png files into the folder given on the command line.
Everything is computed here, so the art is reproducible and needs no image tools."""
import os
import struct
import sys
import zlib

MAGENTA = (255, 0, 255)
SCALES = (100, 150, 200)  # the art is drawn for each; the program picks the one for its DPI


def art_size(units, percent):
    """A size of the 100 % art at another scale, rounded half up as the program does."""
    return (units * percent + 50) // 100


def scaled_name(file, percent):
    """btn_play.bmp at 150 % is btn_play_150.bmp; 100 % keeps the plain name."""
    if percent == 100:
        return file
    stem, dot, ext = file.rpartition(".")
    return f"{stem}_{percent}.{ext}"


def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP file; pixel(x, y) gives (r, g, b) with y = 0 at the top."""
    row_size = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def icon_image(size, pixel):
    """One 32-bit image of an .ico/.cur file: pixel(x, y) gives (r, g, b, a)."""
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = pixel(x, y)
            xor += bytes((b, g, r, a))
    and_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = 0
        row = bytearray(and_row)
        for x in range(size):
            if pixel(x, y)[3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
        del bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def icon_file(kind, images):
    """kind 1 = icon, 2 = cursor; images = [(size, data, hotspot_x, hotspot_y)]."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for size, data, hx, hy in images:
        planes, bits = (1, 32) if kind == 1 else (hx, hy)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, planes, bits, len(data), offset)
        blobs += data
        offset += len(data)
    return out + entries + blobs


def app_icon_pixel(size):
    """A rounded dark tile with a play triangle over a film-strip edge."""
    def pixel(x, y):
        u, v = (x + 0.5) / size, (y + 0.5) / size
        radius = 0.18
        dx = max(radius - u, 0, u - (1 - radius))
        dy = max(radius - v, 0, v - (1 - radius))
        if dx * dx + dy * dy > radius * radius:
            return (0, 0, 0, 0)
        shade = int(40 + 30 * (1 - v))
        color = (shade, shade, shade + 8)
        if v < 0.16 or v > 0.84:  # film perforations
            if int(u * 8) % 2 == 0:
                return (200, 200, 200, 255)
            return (20, 20, 24, 255)
        # Play triangle from (0.34, 0.28) to (0.34, 0.72) and (0.74, 0.5)
        if u >= 0.34 and abs(v - 0.5) <= (0.74 - u) * 0.55:
            return (255, 150, 30, 255)
        return color + (255,)
    return pixel


def hand_cursor_pixel(size):
    """A pointing hand: a finger up, the fist below, black outline on white."""
    shape = [
        "......XX........",
        ".....X..X.......",
        ".....X..X.......",
        ".....X..X.......",
        ".....X..XXX.....",
        ".....X..X..XX...",
        "..XX.X..X..X.XX.",
        ".X..XX.....X..X.",
        ".X...X........X.",
        "..X...........X.",
        "..X..........X..",
        "...X.........X..",
        "...X........X...",
        "....X.......X...",
        "....X.......X...",
        "....XXXXXXXXX...",
    ]
    def inside(x, y):
        row = shape[y]
        if row[x] == "X":
            return False
        left = row.find("X")
        right = row.rfind("X")
        return left != -1 and left < x < right and "X" in row[:x] and "X" in row[x:]
    def pixel(x, y):
        if x >= 16 or y >= 16:
            return (0, 0, 0, 0)
        if shape[y][x] == "X":
            return (0, 0, 0, 255)
        if inside(x, y):
            return (255, 255, 255, 255)
        return (0, 0, 0, 0)
    return pixel


def scaled_pixels(pixel, percent):
    """Pixel art at `percent`: each drawn pixel takes the colour of the one it falls on."""
    return lambda x, y: pixel(x * 100 // percent, y * 100 // percent)


def bar_background(x, y):
    """The 8x60 strip behind the menu bar (rows 2..19) and the control bar (rows 20..49):
    a dark vertical gradient with a faint highlight line where each bar begins."""
    if y in (2, 20):
        return (58, 58, 62)
    top = 38 if y < 20 else 34
    value = max(12, top - (y % 20 if y < 20 else (y - 20)) // 2)
    return (value, value, value + 3)


def png_rgba(width, height, pixel):
    """A PNG file of 8-bit RGBA; pixel(x, y) gives (r, g, b, a)."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw += bytes(pixel(x, y))
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def play_overlay_pixel(size, bright):
    """The play button drawn over thumbnails: a light triangle on a translucent dark rounded
    square; the dimmed one for the normal state, the bright one for hover and press."""
    def pixel(x, y):
        u, v = (x + 0.5) / size, (y + 0.5) / size
        radius = 0.22
        dx = max(radius - u, 0, u - (1 - radius))
        dy = max(radius - v, 0, v - (1 - radius))
        edge = radius - (dx * dx + dy * dy) ** 0.5
        if edge < 0:
            return (0, 0, 0, 0)
        cover = min(1.0, edge * size)  # soft edge one pixel wide
        if u >= 0.36 and abs(v - 0.5) <= (0.72 - u) * 0.62:
            color = (255, 255, 255) if bright else (200, 200, 200)
            alpha = 255 if bright else 190
        else:
            color = (24, 24, 28)
            alpha = 200 if bright else 140
        return color + (int(alpha * cover),)
    return pixel


# --- Control bar art: 140x23 strips of five 28x23 states, magenta where the bar shows through ---

def in_triangle(x, y, a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])
    d1, d2, d3 = side((x, y), a, b), side((x, y), b, c), side((x, y), c, a)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (neg and pos)


def in_rect(x, y, l, t, r, b):
    return l <= x < r and t <= y < b


def ring(x, y, cx, cy, r0, r1, right_only=True):
    d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
    return r0 <= d < r1 and (not right_only or (x > cx and abs(y - cy) < (x - cx) * 1.3))


def speaker(x, y):
    return in_rect(x, y, 8, 9, 11, 14) or in_triangle(x, y, (10, 11.5), (15, 6), (15, 17))


GLYPHS = {
    "play": lambda x, y: in_triangle(x, y, (10, 5), (10, 18), (20, 11.5)),
    "pause": lambda x, y: in_rect(x, y, 9, 6, 13, 17) or in_rect(x, y, 15, 6, 19, 17),
    "stop": lambda x, y: in_rect(x, y, 9, 7, 19, 17),
    "previous": lambda x, y: in_rect(x, y, 8, 7, 10, 16) or in_triangle(x, y, (19, 6.5), (19, 16.5), (10, 11.5)),
    "next": lambda x, y: in_rect(x, y, 18, 7, 20, 16) or in_triangle(x, y, (9, 6.5), (9, 16.5), (18, 11.5)),
    "muted": lambda x, y: speaker(x, y) or (17 <= x <= 21 and 9 <= y <= 13 and (abs((x - 17) - (y - 9)) < 1 or abs((x - 17) - (13 - y)) < 1)),
    "volume0": speaker,
    "volumelow": lambda x, y: speaker(x, y) or ring(x, y, 15, 11.5, 2.5, 4),
    "volumehigh": lambda x, y: speaker(x, y) or ring(x, y, 15, 11.5, 2.5, 4) or ring(x, y, 15, 11.5, 5.5, 7),
    "zoom": lambda x, y: ring(x, y, 12, 10, 3.2, 5, False) or (abs((x - 15.5) - (y - 13.5)) < 1.2 and 15 <= x <= 20 and 13 <= y <= 18),
    "fullscreen": lambda x, y: any(in_rect(x, y, *r) for r in (
        (7, 5, 12, 7), (7, 5, 9, 10), (16, 5, 21, 7), (19, 5, 21, 10),
        (7, 16, 12, 18), (7, 13, 9, 18), (16, 16, 21, 18), (19, 13, 21, 18))),
    "leavefullscreen": lambda x, y: any(in_rect(x, y, *r) for r in (
        (7, 8, 12, 10), (10, 5, 12, 10), (16, 8, 21, 10), (16, 5, 18, 10),
        (7, 13, 12, 15), (10, 13, 12, 18), (16, 13, 21, 15), (16, 13, 18, 18))),
    "todisplay": lambda x, y: (in_rect(x, y, 7, 6, 21, 16) and not in_rect(x, y, 8, 7, 20, 15)) or in_rect(x, y, 11, 17, 17, 18)
        or in_triangle(x, y, (12, 8.5), (12, 13.5), (16, 11)),
    "toplaylist": lambda x, y: any(in_rect(x, y, 8, t, 10, t + 2) or in_rect(x, y, 12, t, 21, t + 2) for t in (6, 10, 14)),
}

STATE_COLORS = [(150, 150, 154), (235, 235, 240), (150, 150, 154), (255, 160, 40), (64, 64, 68)]


# The strips below are drawn at `percent` of their size: each pixel's centre is taken back into
# the 100 % image's coordinates (px, py), where the shapes are described.

def button_strip(glyph, percent=100):
    s = percent / 100
    def pixel(x, y):
        state, gx = divmod(x, art_size(28, percent))
        px, py = (gx + 0.5) / s, (y + 0.5) / s
        if glyph(px, py):
            return STATE_COLORS[state]
        ux, uy = int(px), int(py)
        if state == 2 and (ux in (1, 26) or uy in (1, 21)) and 1 <= ux <= 26 and 1 <= uy <= 21:
            return (90, 90, 96)  # the focus frame
        return MAGENTA
    return pixel


def seek_strip(percent=100):
    s = percent / 100
    def pixel(x, y):
        image, sx = divmod(x, art_size(16, percent))
        px, py = (sx + 0.5) / s, (y + 0.5) / s
        if image in (0, 1, 2):
            if 6 <= py < 10:
                return (60, 60, 64) if image == 0 else (230, 140, 30)
            return MAGENTA
        d = ((px - 8) ** 2 + (py - 8) ** 2) ** 0.5
        if d < 5.5:
            return (235, 235, 240) if d < 4.5 else (120, 120, 124)
        return MAGENTA
    return pixel


def volume_strip(percent=100):
    s = percent / 100
    def pixel(x, y):
        image, sx = divmod(x, art_size(6, percent))
        px, py = (sx + 0.5) / s, (y + 0.5) / s
        if image == 0:
            return (60, 60, 64) if 7 <= py < 9 else MAGENTA
        if image in (1, 2):
            return (200, 200, 205) if 4 <= py < 12 else MAGENTA
        return (235, 235, 240) if 2 <= py < 14 and 1 <= px < 5 else MAGENTA
    return pixel


def wait_dots(x, y, percent=100):
    image, dx = divmod(x, art_size(9, percent))
    px, py = (dx + 0.5) * 100 / percent - 0.5, (y + 0.5) * 100 / percent - 0.5
    d = ((px - 4) ** 2 + (py - 4) ** 2) ** 0.5
    if d < 3.6:
        return (255, 160, 40) if image == 1 else (70, 70, 74)
    return MAGENTA


BAR_IMAGES = {
    "play": "btn_play.bmp", "pause": "btn_pause.bmp", "stop": "btn_stop.bmp", "previous": "btn_previous.bmp",
    "next": "btn_next.bmp", "muted": "btn_muted.bmp", "volume0": "btn_volume0.bmp", "volumelow": "btn_volumelow.bmp",
    "volumehigh": "btn_volumehigh.bmp", "zoom": "btn_zoom.bmp", "fullscreen": "btn_fullscreen.bmp",
    "leavefullscreen": "btn_leavefullscreen.bmp", "todisplay": "btn_todisplay.bmp", "toplaylist": "btn_toplaylist.bmp",
}


def write_bar_art(out):
    for percent in SCALES:
        for name, file in BAR_IMAGES.items():
            with open(os.path.join(out, scaled_name(file, percent)), "wb") as f:
                f.write(bmp24(5 * art_size(28, percent), art_size(23, percent), button_strip(GLYPHS[name], percent)))
        with open(os.path.join(out, scaled_name("seek_slider.bmp", percent)), "wb") as f:
            f.write(bmp24(4 * art_size(16, percent), art_size(16, percent), seek_strip(percent)))
        with open(os.path.join(out, scaled_name("volume_slider.bmp", percent)), "wb") as f:
            f.write(bmp24(4 * art_size(6, percent), art_size(16, percent), volume_strip(percent)))
        with open(os.path.join(out, scaled_name("bar_background.bmp", percent)), "wb") as f:
            f.write(bmp24(art_size(8, percent), art_size(60, percent), lambda x, y: bar_background(0, int((y + 0.5) * 100 / percent))))
        for bright, file in ((True, "play_hover.png"), (False, "play_normal.png")):
            size = art_size(96, percent)
            with open(os.path.join(out, scaled_name(file, percent)), "wb") as f:
                f.write(png_rgba(size, size, play_overlay_pixel(size, bright)))
        with open(os.path.join(out, scaled_name("wait_dots.bmp", percent)), "wb") as f:
            f.write(bmp24(2 * art_size(9, percent), art_size(9, percent), lambda x, y: wait_dots(x, y, percent)))


# --- Playlist pane art: play-state icons, hover play button, kind icons, drag cursors ---

def bmp32(width, height, pixel):
    """A bottom-up 32-bit BMP file; pixel(x, y) gives (r, g, b, a). Transparent pixels are
    magenta as well, so a list built with a colour mask and one built with alpha agree."""
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b, a = pixel(x, y)
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def disc(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 < r * r


PLAYING_GREEN = (40, 200, 70)


def state_icons(x, y, percent=100):
    """80x16: grid playing, grid paused, unused, list playing, list paused. The grid ones sit
    on a dark disc over the thumbnail; the list ones are bare glyphs on the row."""
    image, ix = divmod(x, art_size(16, percent))
    px, py = (ix + 0.5) * 100 / percent, (y + 0.5) * 100 / percent
    if image in (0, 1):
        if not disc(px, py, 8, 8, 7.5):
            return MAGENTA
        if image == 0 and in_triangle(px, py, (5.5, 4), (5.5, 12), (12, 8)):
            return PLAYING_GREEN
        if image == 1 and (in_rect(px, py, 4.5, 4, 7, 12) or in_rect(px, py, 9, 4, 11.5, 12)):
            return (240, 240, 240)
        return (16, 16, 18) if disc(px, py, 8, 8, 6.5) else (120, 120, 124)
    if image == 3 and in_triangle(px, py, (4, 3), (4, 13), (12.5, 8)):
        return PLAYING_GREEN
    if image == 4 and (in_rect(px, py, 4, 3, 7, 13) or in_rect(px, py, 9, 3, 12, 13)):
        return (230, 170, 40)
    return MAGENTA


def overlay_buttons(x, y, percent=100):
    """60x20: the play button shown on the hot item, normal, hover and pressed (pressed is
    darker and one pixel lower, as if pushed in)."""
    image, ix = divmod(x, art_size(20, percent))
    shift = 1 if image == 2 else 0
    px, py = (ix + 0.5) * 100 / percent, (y + 0.5) * 100 / percent - shift
    if not disc(px, py, 10, 10, 9.5):
        return MAGENTA
    if in_triangle(px, py, (7.5, 5.5), (7.5, 14.5), (15, 10)):
        return (255, 255, 255)
    rim = not disc(px, py, 10, 10, 8.5)
    fill = [(50, 50, 54), (255, 150, 30), (200, 105, 15)][image]
    return (20, 20, 22) if rim else fill


def note(px, py, ox, oy, scale=1.0):
    """An eighth note whose head is centred at (ox, oy), `scale` times the full size."""
    u, v = (px - ox) / scale, (py - oy) / scale
    head = (u / 4.2) ** 2 + (v / 3.0) ** 2 < 1
    stem = in_rect(u, v, 2.2, -15, 4.2, 0)
    flag = in_triangle(u, v, (4.2, -15), (4.2, -10), (10, -8))
    return head or stem or flag


def film(px, py):
    """A film frame: a dark strip with perforated edges and a light picture area."""
    if not in_rect(px, py, 3, 6, 29, 26):
        return None
    if in_rect(px, py, 3, 6, 29, 9) or in_rect(px, py, 3, 23, 29, 26):
        hole = int(px - 3) % 4 in (1, 2) and (in_rect(px, py, 3, 7, 29, 8) or in_rect(px, py, 3, 24, 29, 25))
        return (20, 20, 22) if hole else (150, 150, 156)
    return (70, 110, 170)


def kind_icons(x, y, percent=100):
    """96x32, 32-bit: the pictures of items without a thumbnail, by kind: audio only, video
    without audio, video with audio."""
    image, ix = divmod(x, art_size(32, percent))
    px, py = (ix + 0.5) * 100 / percent, (y + 0.5) * 100 / percent
    if image == 0:
        if note(px, py, 13, 24):
            return (230, 230, 235, 255)
        return MAGENTA + (0,)
    color = film(px, py)
    if image == 2 and note(px, py, 20, 19.5, 0.62):
        return (255, 255, 255, 255)
    if color is None:
        return MAGENTA + (0,)
    return color + (255,)


def arrow(px, py):
    """The pointer part of the drag cursors, tip at (1, 1) so that the outline fits."""
    x, y = px - 1, py - 1
    head = in_triangle(x, y, (0, 0), (0, 16), (11.5, 11.5))
    stem = in_triangle(x, y, (4, 11), (7, 10.5), (9.5, 18)) or in_triangle(x, y, (4, 11), (9.5, 18), (7, 19))
    return head or stem


def cursor_badges():
    def across(px, py):  # a vertical insertion bar with arrowheads to both sides
        bar = in_rect(px, py, 21, 13, 23, 30)
        return bar or in_triangle(px, py, (19.5, 17.5), (19.5, 25.5), (15, 21.5)) or in_triangle(px, py, (24.5, 17.5), (24.5, 25.5), (29, 21.5))

    def down(px, py):  # a horizontal insertion bar with arrowheads up and down
        bar = in_rect(px, py, 13, 21, 30, 23)
        return bar or in_triangle(px, py, (17.5, 19.5), (25.5, 19.5), (21.5, 15)) or in_triangle(px, py, (17.5, 24.5), (25.5, 24.5), (21.5, 29))

    def remove(px, py):  # a red disc with a white cross: the item leaves the playlist
        return disc(px, py, 22, 22, 8)

    def play(px, py):  # a green disc with a white play triangle
        return disc(px, py, 22, 22, 8)

    marks = {
        "remove": (remove, (210, 40, 40), lambda px, py: abs((px - 22) - (py - 22)) < 1.3 and abs(px - 22) < 4.5
                   or abs((px - 22) + (py - 22)) < 1.3 and abs(px - 22) < 4.5),
        "play": (play, PLAYING_GREEN, lambda px, py: in_triangle(px, py, (19.5, 17.5), (19.5, 26.5), (27, 22))),
        "across": (across, (255, 255, 255), None),
        "down": (down, (255, 255, 255), None),
    }
    return marks


def drag_cursor_pixel(badge, color, glyph, percent=100):
    def solid(px, py):
        return arrow(px, py) or badge(px, py)

    step = 100 / percent  # one pixel of the drawn cursor, in the 32-pixel cursor's coordinates

    def pixel(x, y):
        px, py = (x + 0.5) * step, (y + 0.5) * step
        if badge(px, py):
            if glyph and glyph(px, py):
                return (255, 255, 255, 255)
            return color + (255,)
        if arrow(px, py):
            return (255, 255, 255, 255)
        if any(solid(px + dx, py + dy) for dx, dy in ((step, 0), (-step, 0), (0, step), (0, -step))):
            return (0, 0, 0, 255)
        return (0, 0, 0, 0)
    return pixel


# Cursor resource file names by role; the pointer's tip is the hot spot.
DRAG_CURSORS = {"across": "drag_across.cur", "down": "drag_down.cur", "remove": "drag_remove.cur", "play": "drag_play.cur"}


def write_playlist_art(out):
    for percent in SCALES:
        with open(os.path.join(out, scaled_name("play_states.bmp", percent)), "wb") as f:
            f.write(bmp24(5 * art_size(16, percent), art_size(16, percent), lambda x, y: state_icons(x, y, percent)))
        with open(os.path.join(out, scaled_name("hover_play.bmp", percent)), "wb") as f:
            f.write(bmp24(3 * art_size(20, percent), art_size(20, percent), lambda x, y: overlay_buttons(x, y, percent)))
        with open(os.path.join(out, scaled_name("kind_icons.bmp", percent)), "wb") as f:
            f.write(bmp32(3 * art_size(32, percent), art_size(32, percent), lambda x, y: kind_icons(x, y, percent)))
    for role, (badge, color, glyph) in cursor_badges().items():
        with open(os.path.join(out, DRAG_CURSORS[role]), "wb") as f:
            # One image per scale: the program asks for the size its DPI wants.
            f.write(icon_file(2, [(art_size(32, p), icon_image(art_size(32, p), drag_cursor_pixel(badge, color, glyph, p)),
                                   art_size(1, p), art_size(1, p)) for p in SCALES]))


# --- Folder tree busy cursor: an animated cursor of ten steps, a ring of dots turning ---

def busy_cursor_pixel(step):
    import math
    dots = []
    for k in range(10):
        angle = 2 * math.pi * k / 10 - math.pi / 2
        age = (step - k) % 10  # 0 = the leading dot
        shade = max(40, 255 - age * 24)
        dots.append((16 + 10 * math.cos(angle), 16 + 10 * math.sin(angle), 3.2 - age * 0.12, shade))

    def pixel(x, y):
        for cx, cy, r, shade in dots:
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                return (0, shade // 2, shade, 255)
            if d <= r + 1:
                return (255, 255, 255, 255)
        return (0, 0, 0, 0)
    return pixel


def ani_file(frames, jiffies):
    """A RIFF "ACON" animated cursor: one .cur file per frame, shown `jiffies` / 60 s each."""
    def chunk(tag, data):
        return tag + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")
    header = struct.pack("<9I", 36, len(frames), len(frames), 0, 0, 0, 0, jiffies, 1)
    fram = b"fram" + b"".join(chunk(b"icon", f) for f in frames)
    body = b"ACON" + chunk(b"anih", header) + chunk(b"LIST", fram)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write_busy_cursor(out):
    frames = [icon_file(2, [(32, icon_image(32, busy_cursor_pixel(step)), 16, 16)]) for step in range(10)]
    with open(os.path.join(out, "folder_busy.ani"), "wb") as f:
        f.write(ani_file(frames, 8))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "zevrin.ico"), "wb") as f:
        f.write(icon_file(1, [(s, icon_image(s, app_icon_pixel(s)), 0, 0) for s in (16, 32, 48)]))
    with open(os.path.join(out, "hand.cur"), "wb") as f:
        # The hand's pixels grow whole for 150 and 200 %, so its outline stays one drawn line.
        f.write(icon_file(2, [(art_size(32, p), icon_image(art_size(32, p), scaled_pixels(hand_cursor_pixel(32), p)),
                               art_size(6, p), 0) for p in SCALES]))
    write_bar_art(out)
    write_playlist_art(out)
    write_busy_cursor(out)
    write_type_icons(out)


# --- File-type icons: what associated files show in Explorer, and the settings page's list ---

def page_outline(u, v):
    """A sheet of paper with its top-right corner folded over: 'paper', 'flap', 'edge' or None."""
    left, right, top, bottom, fold = 0.16, 0.84, 0.06, 0.94, 0.24
    if not (left <= u <= right and top <= v <= bottom):
        return None
    cu, cv = u - (right - fold), v - top  # inside the corner square when both lie in 0..fold
    if cu >= 0 and cv <= fold:
        return None if cu > cv else "flap"
    edge = 1.5 / 32
    if u < left + edge or u > right - edge or v < top + edge or v > bottom - edge:
        return "edge"
    return "paper"


def type_icon_pixel(size, kind):
    """16/32/48-pixel icons by file kind: 'video_audio' (film frame with a note), 'video' (film
    frame), 'audio' (a note on a disc), 'playlist' (list lines with a play mark), 'document'
    (the program's playlist file: a folded page with the list)."""
    def pixel(x, y):
        u, v = (x + 0.5) / size, (y + 0.5) / size
        px, py = u * 32, v * 32
        if kind in ("video", "video_audio"):
            if kind == "video_audio" and note(px, py, 20, 19.5, 0.62):
                return (255, 255, 255, 255)
            color = film(px, py)
            return color + (255,) if color else (0, 0, 0, 0)
        if kind == "audio":
            if note(px, py, 13, 24):
                return (255, 255, 255, 255)
            if disc(px, py, 16, 16, 14.5):
                return (200, 110, 30, 255) if disc(px, py, 16, 16, 13.5) else (90, 50, 10, 255)
            return (0, 0, 0, 0)
        lines = any(in_rect(px, py, 13, t, 26, t + 2.5) for t in (9, 14.5, 20))
        mark = in_triangle(px, py, (6.5, 8.5), (6.5, 16.5), (12, 12.5))
        if kind == "playlist":
            if lines:
                return (235, 235, 240, 255)
            if mark:
                return (255, 150, 30, 255)
            if in_rect(px, py, 3, 4, 29, 28):
                edge = not in_rect(px, py, 4, 5, 28, 27)
                return (30, 30, 34, 255) if edge else (60, 90, 140, 255)
            return (0, 0, 0, 0)
        part = page_outline(u, v)
        if part is None:
            return (0, 0, 0, 0)
        if part in ("edge", "flap"):
            return (90, 90, 96, 255) if part == "edge" else (200, 200, 205, 255)
        if any(in_rect(px, py, 13, t, 23, t + 2) for t in (13, 17.5, 22)):
            return (60, 90, 140, 255)
        if in_triangle(px, py, (8, 12.5), (8, 19), (12, 15.75)):
            return (255, 150, 30, 255)
        return (250, 250, 250, 255)
    return pixel


# Icon file names by kind, in the order of their resource ids (129, 200..203).
TYPE_ICONS = {"document": "playlist_document.ico", "video_audio": "type_video_audio.ico",
              "video": "type_video.ico", "audio": "type_audio.ico", "playlist": "type_playlist.ico"}


def write_type_icons(out):
    for kind, file in TYPE_ICONS.items():
        images = [(s, icon_image(s, type_icon_pixel(s, kind)), 0, 0) for s in (16, 24, 32, 48)]
        with open(os.path.join(out, file), "wb") as f:
            f.write(icon_file(1, images))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws every picture the launcher carries in its resources into res/art/.

Needs Pillow, ImageMagick's convert (only to write Adam7-interlaced PNGs),
fonts-arphic-ukai and fonts-urw-base35. The output is deterministic, so
re-running it over a clean tree leaves git with nothing to commit.

    python3 tools/artwork/make_artwork.py [--out res/art]
"""

import argparse
import math
import os
import random
import struct
import subprocess
import tempfile

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

BRUSH_FONT = "/usr/share/fonts/truetype/arphic/ukai.ttc"  # AR PL UKai, a Kai brush hand
LOGO_FONT = "/usr/share/fonts/opentype/urw-base35/Z003-MediumItalic.otf"  # URW Chancery
LOGO = "Velmora"

# A small palette shared by all pieces so that they read as one set.
GOLD = (232, 194, 116)
GOLD_LIGHT = (255, 236, 176)
GOLD_DARK = (150, 104, 40)
CREAM = (246, 228, 186)
INK = (20, 11, 5)
LACQUER = (150, 28, 22)
LACQUER_DARK = (84, 12, 10)

SS = 4  # supersampling factor for small anti-aliased shapes


def brush(size):
    return ImageFont.truetype(BRUSH_FONT, size, index=0)  # index 0: simplified Chinese face


def logo_font(size):
    return ImageFont.truetype(LOGO_FONT, size)


# ---------------------------------------------------------------------------
# Pixel helpers


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def gradient(size, stops, vertical=True):
    """Linear gradient through (position 0..1, colour) stops."""
    w, h = size
    n = h if vertical else w
    line = Image.new("RGB", (1, n) if vertical else (n, 1))
    for i in range(n):
        t = min(max(i / max(1, n - 1), stops[0][0]), stops[-1][0])
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                line.putpixel((0, i) if vertical else (i, 0), lerp(c0, c1, (t - p0) / (p1 - p0)))
                break
    return line.resize(size, Image.NEAREST)


def radial_mask(size, inner=0.0, outer=1.0):
    """L mask: 255 at the centre falling to 0 at the ellipse's edge."""
    g = Image.radial_gradient("L")  # 256 x 256, 0 in the centre, 255 at radius 128
    lut = []
    for v in range(256):
        r = v / 128.0
        t = 1.0 if r <= inner else 0.0 if r >= outer else 1 - (r - inner) / (outer - inner)
        lut.append(round(255 * t * t * (3 - 2 * t)))
    return g.point(lut).resize(size, Image.BICUBIC)


def paint(base, colour, mask, offset=(0, 0)):
    """Composites a flat colour through an L mask onto an RGBA base."""
    layer = Image.new("RGBA", mask.size, tuple(colour[:3]) + (0,))
    layer.putalpha(mask)
    base.alpha_composite(layer, offset)


def fill_through(base, source, mask, offset=(0, 0)):
    """Composites an RGB(A) source through an L mask onto an RGBA base."""
    layer = source.convert("RGBA")
    layer.putalpha(ImageChops.multiply(layer.getchannel("A"), mask))
    base.alpha_composite(layer, offset)


def shape_mask(size, draw_fn, scale=SS):
    """Draws white shapes on a supersampled L canvas and returns it at size."""
    big = Image.new("L", (size[0] * scale, size[1] * scale), 0)
    draw_fn(ImageDraw.Draw(big), scale)
    return big.resize(size, Image.LANCZOS)


def noise(size, sigma, seed):
    img = Image.new("L", size)
    rnd = random.Random(seed)
    img.putdata([max(0, min(255, round(128 + rnd.gauss(0, sigma)))) for _ in range(size[0] * size[1])])
    return img


def brighten(img):
    """Hover frame: every colour channel strictly lighter (alpha untouched)."""
    lut = [min(255, round(c * 1.10 + 22)) for c in range(256)]
    return map_rgb(img, lut)


def darken(img, factor=0.72):
    """Pressed frame: every colour channel scaled down (alpha untouched)."""
    lut = [round(c * factor) for c in range(256)]
    return map_rgb(img, lut)


def map_rgb(img, lut):
    bands = list(img.split())
    for i in range(3):
        bands[i] = bands[i].point(lut)
    return Image.merge(img.mode, bands)


def text_mask(size, text, font, xy, anchor="la"):
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).text(xy, text, font=font, fill=255, anchor=anchor)
    return m


def shifted(mask, dx, dy):
    return ImageChops.offset(mask, dx, dy)


def grow(mask, radius):
    return mask.filter(ImageFilter.MaxFilter(radius * 2 + 1))


# ---------------------------------------------------------------------------
# Writers


def run(*args):
    subprocess.run(args, check=True)


def save_png(img, path, interlaced):
    """8-bit RGB or RGBA PNG without metadata; Adam7 through ImageMagick."""
    if not interlaced:
        img.save(path, optimize=False, compress_level=9)
        return
    prefix = "PNG32:" if img.mode == "RGBA" else "PNG24:"
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.png")
        img.save(src)
        run("convert", src, "-strip", "-define", "png:exclude-chunks=date,time",
            "-interlace", "PNG", prefix + path)


def save_bmp24(img, path):
    img.convert("RGB").save(path, "BMP")  # Pillow writes BMP3 BITMAPINFOHEADER, 24 bpp


def save_sprite(frames, path):
    w, h = frames[0].size
    sheet = Image.new(frames[0].mode, (w, h * 4))
    for i, f in enumerate(frames):
        sheet.paste(f, (0, i * h))
    save_png(sheet, path, interlaced=True)


def save_icon(img, path):
    """A one-image .ico: 24 bpp BMP entry with an all-opaque AND mask.

    Written by hand because Pillow stores icon images as PNG."""
    w, h = img.size
    rgb = img.convert("RGB")
    xor_rows = []
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(w):
            r, g, b = rgb.getpixel((x, y))
            row += bytes((b, g, r))
        row += b"\0" * (-len(row) % 4)
        xor_rows.append(bytes(row))
    and_stride = ((w + 31) // 32) * 4
    and_mask = b"\0" * (and_stride * h)
    dib = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    dib += b"".join(xor_rows) + and_mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 24, len(dib), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + dib)


# ---------------------------------------------------------------------------
# Game window title bar: strip, logo and the image buttons that sit on it

BAR_H = 30
BAR_STOPS = [(0.0, (104, 70, 42)), (0.08, (86, 56, 32)), (0.55, (58, 36, 20)),
             (0.93, (36, 22, 12)), (1.0, (18, 10, 5))]


def title_strip(width):
    img = gradient((width, BAR_H), BAR_STOPS)
    d = ImageDraw.Draw(img)
    d.line([(0, 0), (width, 0)], fill=(140, 100, 60))  # catch light on the upper edge
    return img


def glyph_layer(size, draw_fn, colour=GOLD, shadow=True):
    """An RGBA layer with a gold glyph drawn through a supersampled mask."""
    m = shape_mask(size, draw_fn)
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    if shadow:
        paint(layer, INK, shifted(m, 1, 1))
    fill_through(layer, gradient(size, [(0, GOLD_LIGHT), (0.5, colour), (1, GOLD_DARK)]), m)
    return layer


def _icon_person(d, s):
    d.ellipse([5.5 * s, 1 * s, 10.5 * s, 6.5 * s], fill=255)
    d.chord([2 * s, 7.5 * s, 14 * s, 19 * s], 180, 360, fill=255)
    d.polygon([(7 * s, 8 * s), (9 * s, 8 * s), (8.6 * s, 12.5 * s), (8 * s, 13.5 * s), (7.4 * s, 12.5 * s)], fill=0)


def _icon_close(d, s):
    w = 2.4 * s
    d.line([(3 * s, 3 * s), (13 * s, 13 * s)], fill=255, width=round(w))
    d.line([(13 * s, 3 * s), (3 * s, 13 * s)], fill=255, width=round(w))


def _arrow(d, s, tip, direction, length=5.0, head=3.2, width=1.6):
    dx, dy = direction
    n = math.hypot(dx, dy)
    dx, dy = dx / n, dy / n
    tx, ty = tip
    bx, by = tx - dx * length, ty - dy * length
    d.line([(bx * s, by * s), ((tx - dx * head * 0.6) * s, (ty - dy * head * 0.6) * s)], fill=255, width=round(width * s))
    px, py = -dy, dx
    hx, hy = tx - dx * head, ty - dy * head
    d.polygon([(tx * s, ty * s), ((hx + px * head * 0.75) * s, (hy + py * head * 0.75) * s),
               ((hx - px * head * 0.75) * s, (hy - py * head * 0.75) * s)], fill=255)


def _icon_fullscreen(d, s):
    for tip, direction in (((1.5, 1.5), (-1, -1)), ((14.5, 1.5), (1, -1)),
                           ((1.5, 14.5), (-1, 1)), ((14.5, 14.5), (1, 1))):
        _arrow(d, s, tip, direction, length=6.8, head=3.8, width=1.6)


def _icon_max(d, s):
    d.rectangle([3 * s, 3 * s, 13 * s, 13 * s], outline=255, width=round(1.5 * s))
    d.rectangle([3 * s, 3 * s, 13 * s, 5.5 * s], fill=255)


def _icon_min(d, s):
    d.rectangle([3 * s, 10.5 * s, 13 * s, 13 * s], fill=255)


def _icon_restore(d, s):
    d.rectangle([5.5 * s, 2.5 * s, 13.5 * s, 10.5 * s], outline=255, width=round(1.4 * s))
    d.rectangle([5.5 * s, 2.5 * s, 13.5 * s, 4.5 * s], fill=255)
    d.rectangle([2.5 * s, 5.5 * s, 10.5 * s, 13.5 * s], fill=0)
    d.rectangle([2.5 * s, 5.5 * s, 10.5 * s, 13.5 * s], outline=255, width=round(1.4 * s))
    d.rectangle([2.5 * s, 5.5 * s, 10.5 * s, 7.5 * s], fill=255)


def _icon_refresh(d, s):
    box = [2 * s, 2 * s, 14 * s, 14 * s]
    d.arc(box, 200, 340, fill=255, width=round(1.8 * s))
    d.arc(box, 20, 160, fill=255, width=round(1.8 * s))
    c, r = 8, 6
    for ang, turn in ((340, 1), (160, 1)):
        a = math.radians(ang)
        tip = (c + r * math.cos(a), c + r * math.sin(a))
        _arrow(d, s, (tip[0] + math.cos(a + math.pi / 2) * 2.2, tip[1] + math.sin(a + math.pi / 2) * 2.2),
               (math.cos(a + math.pi / 2), math.sin(a + math.pi / 2)), length=0.1, head=3.4)


def _icon_book(d, s):
    d.polygon([(8 * s, 4.5 * s), (1 * s, 2.5 * s), (1 * s, 12.5 * s), (8 * s, 14.5 * s)], fill=255)
    d.polygon([(8 * s, 4.5 * s), (15 * s, 2.5 * s), (15 * s, 12.5 * s), (8 * s, 14.5 * s)], fill=255)
    for i in range(3):  # ruled lines on the pages
        y = 6 + i * 2.3
        d.line([(2.8 * s, (y - 0.4) * s), (6.6 * s, (y + 0.7) * s)], fill=0, width=round(0.7 * s))
        d.line([(9.4 * s, (y + 0.7) * s), (13.2 * s, (y - 0.4) * s)], fill=0, width=round(0.7 * s))
    d.line([(8 * s, 4.5 * s), (8 * s, 14.5 * s)], fill=0, width=round(0.6 * s))


def _icon_broom(d, s):
    d.line([(13.5 * s, 1 * s), (7.8 * s, 8.6 * s)], fill=255, width=round(1.7 * s))
    d.polygon([(6 * s, 7.4 * s), (9.6 * s, 10 * s), (6.8 * s, 15.5 * s), (1 * s, 11.2 * s)], fill=255)
    for i in range(3):  # bristle gaps
        t = (i + 1) / 4
        x0, y0 = 6 + 3.6 * t, 7.4 + 2.6 * t
        x1, y1 = 1 + 5.8 * t, 11.2 + 4.3 * t
        d.line([((x0 * 0.4 + x1 * 0.6) * s, (y0 * 0.4 + y1 * 0.6) * s), (x1 * s, y1 * s)], fill=0, width=round(0.6 * s))
    d.line([(5.6 * s, 8.3 * s), (9.2 * s, 10.9 * s)], fill=0, width=round(0.7 * s))


def bar_button(width, icon, caption=None):
    """Frame 0 of a title-bar button: icon and optional brush caption on the strip."""
    img = title_strip(width).convert("RGBA")
    icon_w = 16
    font = None
    text_w = 0
    if caption:
        for size in (16, 15, 14, 13):
            font = brush(size)
            text_w = font.getlength(caption)
            if icon_w + 3 + text_w <= width - 8:
                break
    total = icon_w + (3 + text_w if caption else 0)
    x0 = round((width - total) / 2)
    img.alpha_composite(glyph_layer((16, 16), icon), (x0, 7))
    if caption:
        m = text_mask(img.size, caption, font, (x0 + icon_w + 3, BAR_H / 2 + 1), anchor="lm")
        paint(img, INK, shifted(m, 1, 1))
        paint(img, CREAM, m)
    return img.convert("RGB")


def game_sprites(out):
    buttons = [  # file, width, icon, caption, pressed frame darker
        ("game_boss.png", 106, _icon_person, "老板键(F10)", False),
        ("game_close.png", 30, _icon_close, None, False),
        ("game_fullscreen.png", 64, _icon_fullscreen, "全屏", False),
        ("game_max.png", 29, _icon_max, None, True),
        ("game_min.png", 29, _icon_min, None, False),
        ("game_refresh.png", 82, _icon_refresh, "刷新(F5)", False),
        ("game_server.png", 61, _icon_book, "选服", False),
        ("game_restore.png", 29, _icon_restore, None, False),
        ("game_clean.png", 87, _icon_broom, "清除缓存", False),
    ]
    for name, width, icon, caption, pressed_darker in buttons:
        f0 = bar_button(width, icon, caption)
        f2 = darken(f0) if pressed_darker else f0
        save_sprite([f0, brighten(f0), f2, f0], os.path.join(out, name))


def game_bitmaps(out):
    save_bmp24(title_strip(66), os.path.join(out, "game_title_bg.bmp"))

    logo = title_strip(83).convert("RGBA")
    bracket = brush(15)
    m = Image.new("L", logo.size, 0)
    d = ImageDraw.Draw(m)
    d.text((-1, 15), "《", font=bracket, fill=210, anchor="lm")
    d.text((84, 15), "》", font=bracket, fill=210, anchor="rm")
    d.text((42, 16), LOGO, font=logo_font(19), fill=255, anchor="mm")
    paint(logo, INK, shifted(m, 1, 1))
    fill_through(logo, gradient(logo.size, [(0, GOLD_LIGHT), (0.55, GOLD), (1, GOLD_DARK)]), m)
    save_bmp24(logo, os.path.join(out, "game_logo.bmp"))


# ---------------------------------------------------------------------------
# Confirmation prompt: panel and its two buttons

CONFIRM_PANEL = [(0.0, (62, 40, 26)), (0.5, (44, 28, 18)), (1.0, (30, 18, 11))]


def _corner_ornament(d, s, flip_x, flip_y, size):
    """A gold fret hook with a curl, drawn for the top-left corner and mirrored."""
    def p(x, y):
        return ((size[0] - x if flip_x else x) * s, (size[1] - y if flip_y else y) * s)
    w = round(1.3 * s)
    d.line([p(6, 26), p(6, 6), p(26, 6)], fill=255, width=w, joint="curve")
    d.line([p(10, 18), p(10, 10), p(18, 10)], fill=255, width=w, joint="curve")
    d.line([p(14, 14), p(10, 10)], fill=255, width=w)
    for cx, cy in ((30, 6), (6, 30)):
        x, y = p(cx, cy)
        d.ellipse([x - 1.8 * s, y - 1.8 * s, x + 1.8 * s, y + 1.8 * s], fill=255)


def confirm_background():
    size = (256, 110)
    img = gradient(size, CONFIRM_PANEL).convert("RGBA")
    grain = noise(size, 3, seed=177)
    img = Image.merge("RGBA", [ImageChops.add(b, grain, 1, -128) for b in img.split()[:3]] + [img.getchannel("A")])
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, 255, 109], outline=(12, 7, 4))
    d.rectangle([1, 1, 254, 108], outline=(214, 190, 150))  # the thin light border
    d.rectangle([3, 3, 252, 106], outline=(96, 68, 40))

    def ornaments(dd, s):
        for fx in (False, True):
            for fy in (False, True):
                _corner_ornament(dd, s, fx, fy, (size[0] - 1, size[1] - 1))
    m = shape_mask(size, ornaments)
    paint(img, INK, shifted(m, 1, 1))
    fill_through(img, gradient(size, [(0, GOLD_LIGHT), (0.5, GOLD), (1, GOLD_DARK)]), m)
    return img.convert("RGB")


def confirm_button(caption, panel):
    size = (74, 26)
    img = panel.crop((0, 0) + size).convert("RGBA")  # corners show the panel behind
    plate = shape_mask(size, lambda d, s: d.rounded_rectangle([0.5 * s, 0.5 * s, 73.5 * s, 25.5 * s], 5 * s, fill=255))
    inner = shape_mask(size, lambda d, s: d.rounded_rectangle([2 * s, 2 * s, 72 * s, 24 * s], 4 * s, fill=255))
    paint(img, GOLD_DARK, plate)
    fill_through(img, gradient(size, [(0, (176, 84, 52)), (0.45, (134, 50, 30)), (1, (82, 26, 14))]), inner)
    sheen = shape_mask(size, lambda d, s: d.rounded_rectangle([3 * s, 2.5 * s, 71 * s, 11 * s], 3 * s, fill=70))
    paint(img, (255, 220, 190), sheen)
    m = text_mask(size, caption, brush(17), (37, 14), anchor="mm")
    paint(img, INK, shifted(m, 1, 1))
    paint(img, CREAM, m)
    return img.convert("RGB")


def confirm_art(out):
    panel = confirm_background()
    save_bmp24(panel, os.path.join(out, "confirm_bg.bmp"))
    # The buttons sit on the panel's plain middle, away from its border.
    middle = panel.crop((40, 40, 40 + 74, 40 + 26))
    for name, caption in (("confirm_ok.png", "确定"), ("confirm_cancel.png", "取消")):
        f0 = confirm_button(caption, middle)
        save_sprite([f0, brighten(f0), darken(f0), f0], os.path.join(out, name))


# ---------------------------------------------------------------------------
# Round bronze buttons of the login panel (per-pixel alpha)

def bronze_disc(d_px):
    size = (d_px, d_px)
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    r = d_px / 2
    rim = shape_mask(size, lambda d, s: d.ellipse([0.5 * s, 0.5 * s, (d_px - 0.5) * s, (d_px - 0.5) * s], fill=255))
    face = shape_mask(size, lambda d, s: d.ellipse([r * 0.16 * s, r * 0.16 * s, (d_px - r * 0.16) * s, (d_px - r * 0.16) * s], fill=255))
    # rim: gold ring lit from the top left
    ring = gradient(size, [(0, GOLD_LIGHT), (0.5, GOLD), (1, (96, 58, 20))])
    fill_through(img, ring, rim)
    paint(img, (40, 20, 8), ImageChops.subtract(grow(face, 1), face))
    # face: bronze dome, light spot up and to the left
    dome = Image.new("RGB", size, (70, 38, 14))
    glow = radial_mask((round(d_px * 1.3), round(d_px * 1.3)), 0.0, 1.0)
    lit = Image.new("RGB", glow.size, (196, 128, 62))
    dome.paste(lit, (-round(d_px * 0.42), -round(d_px * 0.46)), glow)
    fill_through(img, dome, face)
    return img


def login_close_frame():
    img = bronze_disc(54)

    def cross(d, s):
        w = round(4.2 * s)
        d.line([(18 * s, 18 * s), (36 * s, 36 * s)], fill=255, width=w)
        d.line([(36 * s, 18 * s), (18 * s, 36 * s)], fill=255, width=w)
    m = shape_mask(img.size, cross)
    paint(img, INK, ImageChops.multiply(shifted(grow(m, 1), 1, 1), img.getchannel("A")))
    fill_through(img, gradient(img.size, [(0.2, GOLD_LIGHT), (0.8, GOLD_DARK)]), m)
    return img


def login_min_frame():
    img = bronze_disc(39)
    m = shape_mask(img.size, lambda d, s: d.rounded_rectangle([11 * s, 17.6 * s, 28 * s, 21.4 * s], 1.5 * s, fill=255))
    paint(img, INK, ImageChops.multiply(shifted(grow(m, 1), 1, 1), img.getchannel("A")))
    fill_through(img, gradient(img.size, [(0.3, GOLD_LIGHT), (0.7, GOLD_DARK)]), m)
    return img


def login_buttons(out):
    f0 = login_close_frame()
    # The spare frame of the close button is a shade off the pressed one.
    save_sprite([f0, brighten(f0), darken(f0, 0.72), darken(f0, 0.74)], os.path.join(out, "login_close.png"))
    f0 = login_min_frame()
    pressed = darken(f0)
    save_sprite([f0, brighten(f0), pressed, pressed], os.path.join(out, "login_min.png"))


# ---------------------------------------------------------------------------
# Application icon, cleaning overlay background and its spinner

def app_icon(out):
    size = (64, 64)
    img = gradient(size, [(0, (196, 40, 30)), (1, (110, 14, 12))]).convert("RGBA")
    img.alpha_composite(Image.new("RGBA", size, (255, 120, 80, 0)))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, 63, 63], outline=GOLD_DARK, width=1)
    d.rectangle([1, 1, 62, 62], outline=GOLD, width=2)
    d.rectangle([3, 3, 60, 60], outline=(96, 16, 12))
    d.rectangle([5, 5, 58, 58], outline=(222, 170, 92))
    m = Image.new("L", size, 0)
    md = ImageDraw.Draw(m)
    md.text((30, 28), "V", font=logo_font(40), fill=255, anchor="mm")
    md.text((33, 49), LOGO[1:], font=logo_font(15), fill=255, anchor="mm")
    paint(img, INK, shifted(m, 1, 1))
    fill_through(img, gradient(size, [(0.1, GOLD_LIGHT), (0.5, GOLD), (0.95, GOLD_DARK)]), m)
    save_icon(img, os.path.join(out, "velmora.ico"))
    return img


def clean_background(out):
    img = Image.new("P", (57, 40), 0)
    img.putpalette([0, 0, 0] * 256)
    img.save(os.path.join(out, "clean_bg.bmp"), "BMP")


def lzw_compress(indices, min_code_size):
    """GIF flavoured LZW: variable code width, codes packed from the low bit."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, acc, nbits = bytearray(), 0, 0

    def emit(code, width):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def fresh():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1
    table, next_code, width = fresh()
    emit(clear, width)
    run = ()
    for k in indices:
        grown = run + (k,)
        if grown in table:
            run = grown
            continue
        emit(table[run], width)
        table[grown] = next_code
        next_code += 1
        if next_code == 4096:  # table full: start over
            emit(clear, width)
            table, next_code, width = fresh()
        elif next_code > 1 << width:
            width += 1
        run = (k,)
    emit(table[run], width)
    emit(end, width)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(path, frames, palette, delays, transparent):
    """An animated GIF89a with exactly the given global palette, looping forever.

    Written by hand: Pillow pads a two-colour palette to four entries."""
    w, h = frames[0].size
    bits = max(1, (len(palette) - 1).bit_length())
    assert len(palette) == 1 << bits
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", w, h, 0x80 | (bits - 1), transparent, 0)
    data += bytes(c for rgb in palette for c in rgb)
    data += b"\x21\xff\x0bNETSCAPE2.0\x03\x01" + struct.pack("<H", 0) + b"\0"
    for img, delay in zip(frames, delays):
        # disposal 2: clear to the background before the next frame is drawn
        data += b"\x21\xf9\x04" + struct.pack("<BHB", (2 << 2) | 1, delay, transparent) + b"\0"
        data += b"\x2c" + struct.pack("<HHHHB", 0, 0, w, h, 0)
        min_code = max(2, bits)
        packed = lzw_compress(img.getdata(), min_code)
        data.append(min_code)
        for i in range(0, len(packed), 255):
            chunk = packed[i:i + 255]
            data.append(len(chunk))
            data += chunk
        data.append(0)
    data.append(0x3B)
    with open(path, "wb") as f:
        f.write(data)


def spinner(out):
    n = 8
    blue, white = (0x00, 0x75, 0xA9), (255, 255, 255)
    frames = []
    for k in range(n):
        img = Image.new("P", (120, 120), 1)
        d = ImageDraw.Draw(img)
        for i in range(n):
            a = math.radians(-90 + i * 360 / n)
            x, y = 60 + 42 * math.cos(a), 60 + 42 * math.sin(a)
            behind = (k - i) % n  # the group's head is dot k, its tail trails behind
            r = (11, 9, 7)[behind] if behind < 3 else 5
            d.ellipse([x - r, y - r, x + r, y + r], fill=0)
        frames.append(img)
    write_gif(os.path.join(out, "clean_animation.gif"), frames, [blue, white],
              delays=[3, 20] + [23] * 6, transparent=1)


# ---------------------------------------------------------------------------
# Login background: a painted scene on the left, a carved stone frame on the
# right whose dark interior takes the login page. The browser panel lays the
# page over x 560..1190, y 177..622 and mounts its minimise (39 px at 1173,137)
# and close (54 px at 1208,115) buttons on the frame's top-right corner boss.

BG_SIZE = (1334, 725)
FRAME = (506, 128, 1246, 676)     # outer edge of the stone frame
PANEL = (546, 170, 1204, 636)     # the dark interior
CORNER_BOSS = 46                  # side of the square bosses on the corners
LOGO_CENTRE_X = (FRAME[0] + FRAME[2]) // 2
BG_SS = 2                         # supersampling for the large shapes


def big_mask(draw_fn, size=BG_SIZE, scale=BG_SS):
    return shape_mask(size, draw_fn, scale)


def scaled(points, s):
    return [(x * s, y * s) for x, y in points]


def smooth_path(points, steps=12):
    """Catmull-Rom through the points; returns a dense polyline."""
    pts = [points[0]] + list(points) + [points[-1]]
    out = []
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                                    + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3) for j in range(2)))
    out.append(points[-1])
    return out


def smooth_polygon(points, steps=10):
    closed = list(points) + list(points[:3])
    return smooth_path(closed, steps)[steps:-steps * 1 - 1]


def wobble(points, amount, seed):
    rnd = random.Random(seed)
    return [(x + rnd.uniform(-amount, amount), y + rnd.uniform(-amount, amount)) for x, y in points]


def stone_texture(size, seed):
    """Warm grey stone: fine grain over soft blotches."""
    w, h = size
    base = gradient(size, [(0, (138, 120, 98)), (1, (92, 78, 62))])
    blotch = noise((max(1, w // 16), max(1, h // 16)), 16, seed).resize(size, Image.BICUBIC)
    grain = noise(size, 10, seed + 1)
    bands = []
    for b in base.split():
        b = ImageChops.add(b, blotch, 1, -128)
        bands.append(ImageChops.add(b, grain, 1, -128))
    return Image.merge("RGB", bands)


def sky_scene(size):
    """The painted dusk behind the warrior: sky, sun, hills, mist."""
    w, h = size
    img = gradient(size, [(0, (22, 20, 38)), (0.32, (62, 32, 52)), (0.58, (150, 60, 46)),
                          (0.70, (214, 120, 66)), (0.78, (120, 56, 42)), (1, (34, 20, 22))]).convert("RGBA")
    # sun with a wide glow behind the warrior's shoulders
    glow = radial_mask((560, 560), 0.05, 1.0)
    paint(img, (255, 170, 90), glow.point(lambda v: v * 150 // 255), (330 - 280, 250 - 280))
    sun = shape_mask(size, lambda d, s: d.ellipse([(330 - 128) * s, (250 - 128) * s, (330 + 128) * s, (250 + 128) * s], fill=255), 2)
    fill_through(img, gradient(size, [(0.15, (255, 238, 196)), (0.45, (250, 190, 112)), (0.6, (236, 132, 72))]), sun)
    # three ranges of hills, paler with distance
    ranges = [
        ((150, 78, 70), 372, [(0, 420), (60, 380), (120, 395), (190, 330), (250, 360), (320, 340), (400, 392), (470, 370), (540, 400)]),
        ((96, 44, 50), 430, [(0, 450), (40, 420), (110, 455), (170, 410), (230, 440), (300, 430), (380, 470), (450, 436), (540, 460)]),
        ((48, 24, 30), 500, [(0, 520), (80, 488), (140, 506), (220, 480), (300, 510), (370, 496), (440, 520), (540, 500)]),
    ]
    for i, (colour, base_y, ridge) in enumerate(ranges):
        path = smooth_path(ridge, 8) + [(w, h), (0, h)]
        m = shape_mask(size, lambda d, s, path=path: d.polygon(scaled(path, s), fill=255), 2)
        fade = gradient(size, [(0, (255, 255, 255)), (base_y / h, (255, 255, 255)), (min(1, base_y / h + 0.12), (120, 120, 120)), (1, (120, 120, 120))]).convert("L")
        paint(img, colour, ImageChops.multiply(m, fade))
        # mist lying in the valley in front of each range
        mist = shape_mask(size, lambda d, s, y=base_y: d.ellipse([-60 * s, (y + 8) * s, 600 * s, (y + 44) * s], fill=255), 1)
        paint(img, (236, 170, 140), mist.filter(ImageFilter.GaussianBlur(14)).point(lambda v, i=i: v * (70 - 18 * i) // 255))
    return img


# Figure outline (1x), facing right, feet on the ledge at y ~ 612. Limbs are
# thick round-jointed strokes: (points, width).
CAPE = [(276, 246), (240, 262), (196, 318), (160, 404), (118, 512), (148, 530), (176, 500), (190, 560), (224, 522),
        (248, 548), (268, 470), (292, 372)]
TORSO = [(266, 252), (300, 238), (340, 238), (378, 252), (364, 296), (346, 336), (350, 364), (300, 366), (302, 336),
         (284, 296)]
SKIRT = [(290, 360), (360, 358), (384, 410), (408, 466), (372, 474), (340, 450), (326, 470), (300, 452), (258, 470),
         (272, 410)]
LIMBS = [
    ([(308, 440), (298, 526), (282, 594)], 32),          # back leg
    ([(344, 440), (386, 520), (416, 592)], 32),          # front leg
    ([(268, 262), (278, 340), (334, 420)], 19),          # back arm, hand low on the shaft
    ([(376, 256), (398, 322), (408, 280)], 19),          # front arm, hand high on the shaft
]
FISTS = [(334, 420, 10), (408, 280, 10)]
BACK_BOOT = [(262, 588), (298, 586), (300, 614), (236, 616), (244, 602)]
FRONT_BOOT = [(404, 584), (434, 582), (462, 606), (460, 616), (404, 616)]
HEAD = (318, 200, 20, 24)
SHAFT = ((246, 590), (484, 128))
# A guandao blade: the spine carries on from the shaft, the edge bulges forward
# and the point curls back.
BLADE = [(480, 140), (494, 104), (500, 82), (494, 74), (504, 66), (508, 40), (500, 18), (486, 4), (518, 14),
         (542, 40), (556, 78), (552, 116), (534, 146), (504, 162)]
RIBBONS = [[(300, 190), (270, 184), (238, 196), (206, 186), (176, 198)],
           [(300, 198), (276, 206), (246, 222), (218, 216), (194, 232)]]


def warrior_masks(size):
    """Returns (silhouette, cape, blade, trims) masks for the figure."""
    def body(d, s):
        for points, width in LIMBS:
            d.line(scaled(points, s), fill=255, width=width * s, joint="curve")
            for x, y in points:
                d.ellipse([(x - width / 2) * s, (y - width / 2) * s, (x + width / 2) * s, (y + width / 2) * s], fill=255)
        for poly in (TORSO, SKIRT, BACK_BOOT, FRONT_BOOT):
            d.polygon(scaled(smooth_polygon(poly, 6), s), fill=255)
        for x, y, r in FISTS:
            d.ellipse([(x - r) * s, (y - r) * s, (x + r) * s, (y + r) * s], fill=255)
        cx, cy, rx, ry = HEAD
        d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], fill=255)
        d.polygon(scaled([(308, 214), (330, 214), (334, 242), (304, 242)], s), fill=255)   # neck
        d.ellipse([302 * s, 162 * s, 322 * s, 182 * s], fill=255)                         # topknot
        d.ellipse([248 * s, 240 * s, 296 * s, 282 * s], fill=255)                         # back pauldron
        d.pieslice([348 * s, 234 * s, 400 * s, 286 * s], 180, 30, fill=255)               # front pauldron
        for x, y in ((298, 526), (386, 520)):                                              # knee guards
            d.ellipse([(x - 19) * s, (y - 15) * s, (x + 19) * s, (y + 15) * s], fill=255)
        for rib in RIBBONS:
            d.line(scaled(smooth_path(rib, 6), s), fill=255, width=5 * s, joint="curve")
        (x0, y0), (x1, y1) = SHAFT
        d.line([(x0 * s, y0 * s), (x1 * s, y1 * s)], fill=255, width=7 * s)
    sil = big_mask(body, size)
    cape = big_mask(lambda d, s: d.polygon(scaled(smooth_polygon(CAPE, 8), s), fill=255), size)
    blade = big_mask(lambda d, s: d.polygon(scaled(smooth_polygon(BLADE, 8), s), fill=255), size)

    def trims(d, s):
        w = round(1.6 * s)
        d.line(scaled([(296, 362), (356, 360)], s), fill=255, width=round(5 * s))               # belt
        d.ellipse([318 * s, 355 * s, 332 * s, 367 * s], fill=255)                              # buckle
        d.line(scaled(smooth_path([(300, 246), (330, 300), (352, 340)], 6), s), fill=255, width=round(3 * s))  # sash
        d.arc([248 * s, 240 * s, 296 * s, 282 * s], 200, 330, fill=255, width=w)
        d.arc([348 * s, 234 * s, 400 * s, 286 * s], 200, 330, fill=255, width=w)
        d.line(scaled(smooth_path([(268, 452), (300, 440), (326, 456)], 6), s), fill=255, width=w)  # skirt hems
        d.line(scaled(smooth_path([(340, 440), (372, 452), (404, 458)], 6), s), fill=255, width=w)
        d.line(scaled([(474, 150), (504, 162)], s), fill=255, width=round(6 * s))                # blade guard
    return sil, cape, blade, big_mask(trims, size)


def rim_light(mask, dx, dy, width):
    """Edge of a mask that faces away from (dx, dy): the side the light catches."""
    inner = ImageChops.offset(mask.filter(ImageFilter.MinFilter(width * 2 + 1)), dx, dy)
    return ImageChops.subtract(mask, inner)


def left_scene(size):
    img = sky_scene(size)
    # rock ledge the warrior stands on
    ledge = [(120, 725), (130, 640), (196, 612), (270, 604), (360, 602), (452, 610), (540, 628), (560, 725)]
    lm = big_mask(lambda d, s: d.polygon(scaled(smooth_path(ledge, 6), s), fill=255), size)
    fill_through(img, gradient(size, [(0.8, (58, 40, 36)), (1, (18, 12, 12))]), lm)
    paint(img, (210, 120, 70), ImageChops.multiply(rim_light(lm, 0, 3, 2), Image.new("L", size, 170)))

    sil, cape, blade, trims = warrior_masks(size)
    fill_through(img, gradient(size, [(0.3, (92, 18, 16)), (0.8, (56, 10, 10))]), cape)
    paint(img, (230, 110, 60), ImageChops.multiply(rim_light(cape, 3, 2, 2), Image.new("L", size, 200)))
    fill_through(img, gradient(size, [(0.2, (44, 32, 30)), (0.9, (22, 16, 16))]), sil)
    paint(img, (255, 178, 96), rim_light(sil, -2, 2, 2))
    paint(img, (255, 210, 140), ImageChops.multiply(rim_light(sil, 2, 2, 1), Image.new("L", size, 140)))
    fill_through(img, gradient(size, [(0.25, GOLD_LIGHT), (0.6, GOLD), (0.85, GOLD_DARK)]),
                 trims.point(lambda v: v * 200 // 255))
    # the great blade: steel, lit along its edge by the sun
    steel = gradient(size, [(0.0, (226, 232, 238)), (0.12, (150, 160, 172)), (0.25, (86, 92, 104))])
    fill_through(img, steel, blade)
    edge = rim_light(blade, -4, 0, 1)
    paint(img, (255, 246, 220), edge)
    groove = big_mask(lambda d, s: d.line(scaled(smooth_path([(500, 140), (512, 106), (518, 70), (514, 36)], 6), s), fill=255, width=round(2 * s)), size)
    paint(img, (60, 60, 70), groove)
    tassel = big_mask(lambda d, s: d.polygon(scaled([(474, 156), (464, 190), (476, 218), (488, 186), (486, 160)], s), fill=255), size)
    fill_through(img, gradient(size, [(0.2, (220, 40, 30)), (0.3, (120, 14, 12))]), tassel)

    banner = banner_art(img)
    # what stands in front may break out of the painted backdrop's outline
    foreground = sil
    for m in (cape, blade, tassel, banner):
        foreground = ImageChops.lighter(foreground, m)
    return img, foreground


BANNER = [(62, 84), (168, 96), (164, 300), (172, 500), (160, 560), (118, 520), (70, 574), (64, 380)]


def banner_art(img):
    size = img.size
    pole = big_mask(lambda d, s: (d.line([(56 * s, 40 * s), (56 * s, 690 * s)], fill=255, width=5 * s),
                                  d.line([(56 * s, 80 * s), (176 * s, 86 * s)], fill=255, width=4 * s),
                                  d.ellipse([50 * s, 30 * s, 62 * s, 42 * s], fill=255),
                                  d.ellipse([172 * s, 80 * s, 182 * s, 90 * s], fill=255)), size)
    fill_through(img, gradient(size, [(0, (140, 100, 60)), (1, (50, 30, 20))]), pole)
    paint(img, GOLD, rim_light(pole, -2, 0, 1))
    cloth = big_mask(lambda d, s: d.polygon(scaled(smooth_polygon(BANNER, 8), s), fill=255), size)
    fill_through(img, gradient(size, [(0.1, (204, 40, 30)), (0.5, (168, 26, 20)), (0.8, (110, 14, 12))]), cloth)
    # folds: soft darker vertical streaks
    folds = Image.new("L", size, 0)
    fd = ImageDraw.Draw(folds)
    for x in (84, 128, 150):
        fd.line([(x, 110), (x - 6, 540)], fill=90, width=6)
    paint(img, (60, 0, 0), ImageChops.multiply(folds.filter(ImageFilter.GaussianBlur(6)), cloth))
    trim = ImageChops.subtract(cloth, cloth.filter(ImageFilter.MinFilter(7)))
    paint(img, GOLD, trim)
    # caption, one character under the other
    font = brush(52)
    m = Image.new("L", size, 0)
    md = ImageDraw.Draw(m)
    for i, ch in enumerate("威震九州"):
        md.text((114, 160 + i * 78), ch, font=font, fill=255, anchor="mm")
    paint(img, (60, 0, 0), shifted(grow(m, 1), 2, 2))
    fill_through(img, gradient(size, [(0.2, GOLD_LIGHT), (0.7, GOLD)]), m)
    return ImageChops.lighter(pole, cloth)


def scene_alpha(size):
    """Irregular ink-wash outline of the painted scene, feathered."""
    outline = [(90, 110), (170, 84), (250, 100), (340, 70), (430, 88), (500, 60), (560, 90), (548, 140), (560, 400),
               (556, 620), (540, 652), (500, 666), (420, 662), (330, 680), (230, 664), (140, 676), (84, 650), (76, 560), (92, 440), (70, 320),
               (90, 220), (74, 150)]
    pts = wobble(smooth_polygon(outline, 6), 5, seed=155)
    m = shape_mask(size, lambda d, s: d.polygon(scaled(pts, s), fill=255), 1)
    return m.filter(ImageFilter.GaussianBlur(7))


def fret_strip(length, height, unit=18):
    """Engraved groove mask: a running key along a band, for the frame bands."""
    m = Image.new("L", (length * BG_SS, height * BG_SS), 0)
    d = ImageDraw.Draw(m)
    s = BG_SS
    g = unit / 4.0
    top = (height - unit) / 2
    w = round(1.6 * s)
    x = (length % (unit + g)) / 2
    while x + unit <= length:
        pts = [(0, 4), (0, 0), (4, 0), (4, 3), (1, 3), (1, 1), (3, 1), (3, 2), (2, 2)]
        d.line([((x + px * g) * s, (top + py * g) * s) for px, py in pts], fill=255, width=w, joint="curve")
        d.line([(x * s, (top + 4 * g) * s), ((x + unit + g) * s, (top + 4 * g) * s)], fill=255, width=w)
        x += unit + g
    return m.resize((length, height), Image.LANCZOS)


def stone_frame(img):
    size = img.size
    x0, y0, x1, y1 = FRAME
    px0, py0, px1, py1 = PANEL
    band = Image.new("L", size, 0)
    ImageDraw.Draw(band).rectangle([x0, y0, x1 - 1, y1 - 1], fill=255)
    ImageDraw.Draw(band).rectangle([px0, py0, px1 - 1, py1 - 1], fill=0)
    stone = stone_texture(size, seed=725)
    fill_through(img, stone, band)
    # carved running key in the middle of each band
    grooves = Image.new("L", size, 0)
    top_h, side_w = py0 - y0, px0 - x0
    grooves.paste(fret_strip(x1 - x0 - 2 * CORNER_BOSS, top_h - 14), (x0 + CORNER_BOSS, y0 + 7))
    grooves.paste(fret_strip(x1 - x0 - 2 * CORNER_BOSS, y1 - py1 - 14), (x0 + CORNER_BOSS, py1 + 7))
    side = fret_strip(py1 - py0 - 2 * (CORNER_BOSS - top_h) - 8, side_w - 14).rotate(90, expand=True)
    grooves.paste(side, (x0 + 7, py0 + CORNER_BOSS - top_h + 4))
    grooves.paste(side, (px1 + 7 + (x1 - px1 - side_w) // 2, py0 + CORNER_BOSS - top_h + 4))
    engrave(img, grooves)
    # raised edges: light falls from the upper left
    bevel(img, (x0, y0, x1, y1), 4, raised=True)
    bevel(img, (px0 - 6, py0 - 6, px1 + 6, py1 + 6), 3, raised=False)
    # gold lip around the dark interior
    lip = Image.new("L", size, 0)
    ImageDraw.Draw(lip).rectangle([px0 - 3, py0 - 3, px1 + 2, py1 + 2], outline=255, width=2)
    fill_through(img, gradient(size, [(0.2, GOLD_LIGHT), (0.5, GOLD), (0.9, GOLD_DARK)]), lip)
    for cx, cy in ((x0 + CORNER_BOSS // 2 - 3, y0 + CORNER_BOSS // 2 - 2), (x1 - CORNER_BOSS // 2 + 3, y0 + CORNER_BOSS // 2 - 2),
                   (x0 + CORNER_BOSS // 2 - 3, y1 - CORNER_BOSS // 2 + 2), (x1 - CORNER_BOSS // 2 + 3, y1 - CORNER_BOSS // 2 + 2)):
        corner_boss(img, cx, cy)


def engrave(img, grooves):
    paint(img, (34, 28, 22), grooves)
    lit = ImageChops.subtract(shifted(grooves, 1, 1), grooves)
    paint(img, (196, 184, 160), lit)


def bevel(img, rect, width, raised):
    x0, y0, x1, y1 = rect
    light, shade = ((226, 214, 190), (28, 22, 16)) if raised else ((28, 22, 16), (196, 184, 160))
    d = ImageDraw.Draw(img, "RGBA")
    for i in range(width):
        a = 190 - i * (150 // width)
        d.line([(x0 + i, y1 - 1 - i), (x0 + i, y0 + i), (x1 - 1 - i, y0 + i)], fill=light + (a,))
        d.line([(x1 - 1 - i, y0 + i), (x1 - 1 - i, y1 - 1 - i), (x0 + i, y1 - 1 - i)], fill=shade + (a,))


def corner_boss(img, cx, cy):
    size = img.size
    r = CORNER_BOSS / 2
    sq = Image.new("L", size, 0)
    ImageDraw.Draw(sq).rectangle([cx - r, cy - r, cx + r - 1, cy + r - 1], fill=255)
    fill_through(img, stone_texture(size, seed=int(cx + cy)).point(lambda v: min(255, v + 14)), sq)
    bevel(img, (round(cx - r), round(cy - r), round(cx + r), round(cy + r)), 3, raised=True)

    def rosette(d, s):
        for k in range(8):  # eight petals around a boss: the carved medallion
            a = math.radians(k * 45 + 22.5)
            px, py = cx + math.cos(a) * 11, cy + math.sin(a) * 11
            d.ellipse([(px - 5) * s, (py - 5) * s, (px + 5) * s, (py + 5) * s], outline=255, width=round(1.4 * s))
        d.ellipse([(cx - 6) * s, (cy - 6) * s, (cx + 6) * s, (cy + 6) * s], fill=255)
    m = big_mask(rosette, size)
    engrave(img, ImageChops.subtract(m, big_mask(lambda d, s: d.ellipse([(cx - 4.5) * s, (cy - 4.5) * s, (cx + 4.5) * s, (cy + 4.5) * s], fill=255), size)))
    stud = big_mask(lambda d, s: d.ellipse([(cx - 4.5) * s, (cy - 4.5) * s, (cx + 4.5) * s, (cy + 4.5) * s], fill=255), size)
    fill_through(img, gradient(size, [((cy - 5) / size[1], GOLD_LIGHT), ((cy + 5) / size[1], GOLD_DARK)]), stud)


def dragon(img, path_pts, head_at_end, mirror):
    """A sinuous bronze dragon: shaded tube along a path, fins, a stylised head."""
    size = img.size
    path = smooth_path(path_pts, 16)
    n = len(path)
    layer = Image.new("RGBA", (size[0] * BG_SS, size[1] * BG_SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    s = BG_SS
    radius = [3.5 + 10 * math.sin(math.pi * min(1.0, (i / n) * 1.15)) ** 0.7 for i in range(n)]
    if head_at_end:
        radius = radius[::-1]
    # fins along the back first, so the body covers their roots
    for i in range(6, n - 6, 9):
        (xa, ya), (xb, yb) = path[i - 1], path[i + 1]
        dx, dy = xb - xa, yb - ya
        ln = math.hypot(dx, dy) or 1
        nx, ny = dy / ln, -dx / ln
        if ny > 0:
            nx, ny = -nx, -ny
        x, y = path[i]
        r = radius[i]
        tip = (x + nx * (r + 7) - dx / ln * 4, y + ny * (r + 7) - dy / ln * 4)
        d.polygon([((x - dx / ln * 4) * s, (y - dy / ln * 4) * s), (tip[0] * s, tip[1] * s),
                   ((x + dx / ln * 4) * s, (y + dy / ln * 4) * s)], fill=(170, 52, 30, 255))
    for shade, off, k in (((58, 34, 14), 0.0, 1.0), ((142, 96, 44), -0.25, 0.72), ((214, 170, 92), -0.42, 0.38),
                          ((255, 232, 168), -0.52, 0.14)):
        for i, (x, y) in enumerate(path):
            r = radius[i] * k
            oy = radius[i] * off
            d.ellipse([(x - r) * s, (y + oy - r) * s, (x + r) * s, (y + oy + r) * s], fill=shade + (255,))
    # belly scales: small dark arcs
    for i in range(3, n - 3, 4):
        x, y = path[i]
        r = radius[i]
        d.arc([(x - r * 0.5) * s, (y + r * 0.1) * s, (x + r * 0.5) * s, (y + r * 0.9) * s], 20, 160, fill=(70, 40, 16, 255), width=s)
    # head at the end of the path that points at the plaque
    hx, hy = path[-1] if head_at_end else path[0]
    f = -1 if mirror else 1
    head = [(0, -9), (14, -8), (26, -3), (30, 2), (20, 4), (28, 9), (14, 10), (0, 9), (-6, 0)]
    d.polygon([((hx + f * px) * s, (hy + py) * s) for px, py in head], fill=(186, 134, 60, 255), outline=(60, 34, 12, 255))
    d.line([((hx + f * 2) * s, (hy - 7) * s), ((hx - f * 14) * s, (hy - 20) * s), ((hx - f * 22) * s, (hy - 18) * s)],
           fill=(226, 190, 110, 255), width=round(2.2 * s), joint="curve")                                       # horn
    d.line([((hx + f * 26) * s, (hy + 2) * s), ((hx + f * 36) * s, (hy + 10) * s), ((hx + f * 44) * s, (hy + 6) * s)],
           fill=(226, 190, 110, 255), width=round(1.4 * s), joint="curve")                                       # whisker
    d.ellipse([((hx + f * 11) - 2.6) * s, (hy - 4.6) * s, ((hx + f * 11) + 2.6) * s, (hy + 0.6) * s], fill=(255, 236, 150, 255))
    d.ellipse([((hx + f * 11) - 1.1) * s, (hy - 3.1) * s, ((hx + f * 11) + 1.1) * s, (hy - 0.9) * s], fill=(20, 8, 4, 255))
    for k in range(4):  # mane flames behind the head
        d.polygon([((hx - f * (2 + 5 * k)) * s, (hy - 6 + 3 * k) * s), ((hx - f * (14 + 6 * k)) * s, (hy - 14 + 6 * k) * s),
                   ((hx - f * (6 + 5 * k)) * s, (hy + 2 + 3 * k) * s)], fill=(170, 52, 30, 255))
    small = layer.resize(size, Image.LANCZOS)
    shadow = Image.new("RGBA", size, (0, 0, 0, 0))
    shadow.putalpha(small.getchannel("A").filter(ImageFilter.GaussianBlur(3)).point(lambda v: v * 160 // 255))
    img.alpha_composite(ImageChops.offset(shadow, 3, 4))
    img.alpha_composite(small)


def logo_plaque(img):
    size = img.size
    cx = LOGO_CENTRE_X
    top, bottom, half = 58, 160, 168
    outline = [(cx - half, top + 22), (cx - half + 26, top), (cx + half - 26, top), (cx + half, top + 22),
               (cx + half - 12, (top + bottom) / 2), (cx + half, bottom - 22), (cx + half - 26, bottom),
               (cx - half + 26, bottom), (cx - half, bottom - 22), (cx - half + 12, (top + bottom) / 2)]
    m = big_mask(lambda d, s: d.polygon(scaled(outline, s), fill=255), size)
    shadow = Image.new("RGBA", size, (0, 0, 0, 0))
    shadow.putalpha(m.filter(ImageFilter.GaussianBlur(5)).point(lambda v: v * 200 // 255))
    img.alpha_composite(ImageChops.offset(shadow, 3, 5))
    fill_through(img, gradient(size, [(top / size[1], (180, 140, 80)), (bottom / size[1], (90, 60, 24))]), m)
    inner = m.filter(ImageFilter.MinFilter(9))
    fill_through(img, gradient(size, [(top / size[1], (118, 24, 18)), (bottom / size[1], (52, 8, 6))]), inner)
    line = ImageChops.subtract(inner.filter(ImageFilter.MinFilter(5)), inner.filter(ImageFilter.MinFilter(9)))
    paint(img, GOLD, line)
    text = Image.new("L", size, 0)
    ImageDraw.Draw(text).text((cx, (top + bottom) / 2 + 4), LOGO, font=logo_font(76), fill=255, anchor="mm")
    glow = grow(text, 3).filter(ImageFilter.GaussianBlur(4))
    paint(img, (255, 190, 90), glow.point(lambda v: v * 110 // 255))
    paint(img, INK, shifted(grow(text, 1), 2, 3))
    fill_through(img, gradient(size, [((top + 10) / size[1], (255, 248, 214)), ((top + 50) / size[1], GOLD),
                                      ((bottom - 14) / size[1], (170, 110, 40))]), text)


def dark_panel(img):
    x0, y0, x1, y1 = PANEL
    w, h = x1 - x0, y1 - y0
    panel = Image.new("RGB", (w, h), (9, 7, 6))
    glow = radial_mask((w, h), 0.0, 1.2)
    panel.paste(Image.new("RGB", (w, h), (26, 20, 16)), (0, 0), glow.point(lambda v: v * 150 // 255))
    grain = noise((w, h), 2.2, seed=560)
    panel = Image.merge("RGB", [ImageChops.add(b, grain, 1, -128) for b in panel.split()])
    img.paste(panel, (x0, y0))
    # an inner shadow so the interior reads as recessed
    shade = Image.new("L", (w, h), 0)
    ImageDraw.Draw(shade).rectangle([0, 0, w - 1, h - 1], outline=255, width=10)
    paint(img, (0, 0, 0), shade.filter(ImageFilter.GaussianBlur(6)).point(lambda v: v * 180 // 255), (x0, y0))


def login_background(out):
    size = BG_SIZE
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    scene, foreground = left_scene((FRAME[0] + 100, size[1]))
    alpha = ImageChops.lighter(scene_alpha(scene.size), foreground)
    scene.putalpha(ImageChops.multiply(scene.getchannel("A"), alpha))
    img.alpha_composite(scene)
    # the frame throws a soft shadow onto the scene
    drop = Image.new("L", size, 0)
    ImageDraw.Draw(drop).rectangle(FRAME, fill=255)
    sh = Image.new("RGBA", size, (0, 0, 0, 0))
    sh.putalpha(drop.filter(ImageFilter.GaussianBlur(10)).point(lambda v: v * 170 // 255))
    sh = ImageChops.offset(sh, -6, 6)
    sh.putalpha(ImageChops.multiply(sh.getchannel("A"), img.getchannel("A")))
    img.alpha_composite(sh)
    dark_panel(img)
    stone_frame(img)
    cx = LOGO_CENTRE_X
    dragon(img, [(FRAME[0] + 44, 150), (FRAME[0] + 80, 110), (FRAME[0] + 130, 124), (FRAME[0] + 180, 92),
                 (FRAME[0] + 230, 112), (cx - 196, 96)], head_at_end=True, mirror=False)
    dragon(img, [(cx + 196, 96), (FRAME[2] - 230, 112), (FRAME[2] - 180, 92), (FRAME[2] - 130, 124),
                 (FRAME[2] - 90, 112), (FRAME[2] - 60, 126)], head_at_end=False, mirror=True)
    logo_plaque(img)
    save_png(img, os.path.join(out, "login_bg.png"), interlaced=False)
    return img


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(here, "..", "..", "res", "art"))
    ap.add_argument("--only", help="draw only pieces whose function name contains this")
    args = ap.parse_args()
    out = os.path.normpath(args.out)
    os.makedirs(out, exist_ok=True)
    for piece in (game_sprites, game_bitmaps, confirm_art, login_buttons, app_icon, clean_background,
                  spinner, login_background):
        if not args.only or args.only in piece.__name__:
            piece(out)


if __name__ == "__main__":
    main()
